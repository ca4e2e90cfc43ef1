#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "SelectedReport.h"

namespace Services {
class BackgroundWork;
class ReportFetcher;
}  // namespace Services

class DirectoryList;
class DriveList;
class FileList;
class QPlainTextEdit;
class QTimer;

// The tool's one window: a drive list, a directory list and a file list
// that follow one another, and the text box that shows the report on the
// file selected.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;  // returns at once, even with a read hanging

    // The handlers, named after the control and the event they answer.
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void File1_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void File1_MouseDown(Qt::MouseButtons button, Qt::KeyboardModifiers shift, QPoint position);
    void File1_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, QPoint position);

    // Reads the file selected in File1 and shows its report in Text1.
    // Does nothing while no file is selected. The read runs on a worker: a
    // report read at once is shown at once; a slower one is shown when it
    // arrives, and until then, after a while, the file's name and a note
    // that it is being read.
    void GetMidFileFormat();

private:
    void createControls();
    void placeControls();
    void showStartFolder();
    void connectHandlers();
    void showReport(std::string report);  // unless Text1 shows it already
    void showWaiting();
    void followDirectoryReading(bool isReading);

    DriveList* drive1_;
    DirectoryList* dir1_;
    FileList* file1_;
    QPlainTextEdit* text1_;
    // The report Text1 shows, as composed: comparing with it needs no text
    // read back from the box on every mouse move.
    ShownReport shownReport_;
    // Destroyed before the controls, in this order: reports first, then the
    // workers' pool, which stops every delivery to the window.
    std::unique_ptr<Services::BackgroundWork> work_;
    std::unique_ptr<Services::ReportFetcher> reports_;
    QTimer* waiting_;  // till the note that the selected file is being read
};
