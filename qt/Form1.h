#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "Views.h"

namespace Window {
class FileChoice;
class ReportShown;
}  // namespace Window

class DirectoryList;
class DriveList;
class FileList;
class FolderWatch;
class QPlainTextEdit;
class QTimer;

// The tool's one window: a drive list, a directory list and a file list
// that follow one another, and the text box that shows the report on the
// file selected.
class Form1 : public QWidget, private Window::ReportView, private Window::WindowHost {
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
    void ShowReport(const std::string& text) override;
    void ShowFailure(const Runtime::RuntimeError& error) override;
    void StartTimer(Timer timer, std::chrono::milliseconds delay) override;
    void followDirectoryReading(bool isReading);

    DriveList* drive1_;
    DirectoryList* dir1_;
    FileList* file1_;
    QPlainTextEdit* text1_;
    QTimer* waiting_;  // till the note that the selected file is being read
    FolderWatch* filesWatch_;  // File1's folder on disk
    // Destroyed before the controls: nothing read arrives after them.
    std::unique_ptr<Window::FileChoice> files_;
    std::unique_ptr<Window::ReportShown> report_;
};
