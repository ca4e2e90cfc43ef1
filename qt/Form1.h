#pragma once

#include <QWidget>

#include <chrono>
#include <memory>
#include <string>

#include "Views.h"

namespace Window {
class Form1;
}  // namespace Window

class DirectoryList;
class DriveList;
class FileList;
class QPlainTextEdit;
class QTimer;

// The tool's one window on Qt Widgets: Drive1, Dir1, File1 and Text1, made,
// placed and fed to Window::Form1, which holds what the window does. Input
// becomes the core's handlers; its timers and deliveries run here.
class Form1 : public QWidget, private Window::ReportView, private Window::WindowHost {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;  // returns at once, even with a read hanging

    // Shows the file at nativePath, as the title list asks, and comes to the front.
    void goToFile(const std::string& nativePath);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void placeControls();
    void connectHandlers();
    void ShowReport(const std::string& text) override;
    void ShowFailure(const Runtime::RuntimeError& error) override;
    void StartTimer(Timer timer, std::chrono::milliseconds delay) override;

    DriveList* drive1_;
    DirectoryList* dir1_;
    FileList* file1_;
    QPlainTextEdit* text1_;
    QTimer* waiting_;  // till the note that the selected file is being read
    QTimer* following_;  // asks now and then whether the folder shown changed on disk
    // Destroyed before the controls: nothing read arrives after it.
    std::unique_ptr<Window::Form1> form_;
};
