#pragma once

#include <QWidget>

#include "SelectedReport.h"

class DirectoryList;
class DriveList;
class FileList;
class QPlainTextEdit;

// The tool's one window: a drive list, a directory list and a file list
// that follow one another, and the text box that shows the report on the
// file selected.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // The handlers, named after the control and the event they answer.
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void File1_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void File1_MouseDown(Qt::MouseButtons button, Qt::KeyboardModifiers shift, QPoint position);
    void File1_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, QPoint position);

    // Reads the file selected in File1 and shows its report in Text1.
    // Does nothing while no file is selected.
    void GetMidFileFormat();

private:
    void createControls();
    void placeControls();
    void showStartFolder();
    void connectHandlers();

    DriveList* drive1_;
    DirectoryList* dir1_;
    FileList* file1_;
    QPlainTextEdit* text1_;
    // The report Text1 shows, as composed: comparing with it needs no text
    // read back from the box on every mouse move.
    ShownReport shownReport_;
};
