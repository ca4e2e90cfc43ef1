#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "DriveBox.h"
#include "FileBox.h"
#include "FolderBox.h"
#include "FontHandle.h"
#include "Form1Core.h"
#include "Mailbox.h"
#include "ReportBox.h"
#include "Views.h"
#include "TitleListLink.h"

// The tool's one window on the Win32 API: Drive1, Dir1, File1 and Text1,
// made, placed and fed to Window::Form1, which holds what the window does.
// Input becomes the core's handlers; its timers and deliveries run here.
// Not copyable or movable: the window points back at it.
class Form1 : private Window::WindowHost {
public:
    // Creates the window, hidden, showing the folder the process is in.
    // The one the program shows ends the message loop when closed.
    explicit Form1(HINSTANCE instance, bool endsProgram = true);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1();  // returns at once, even with a read hanging; so does closing the window

    HWND Handle() const noexcept { return window_; }
    // The controls, read by the tests that drive the window, and what they show.
    const DriveBox& Drive1() const noexcept { return drive1_; }
    const FolderBox& Dir1() const noexcept { return dir1_; }
    const FileBox& File1() const noexcept { return file1_; }
    HWND Text1() const noexcept { return text1_.Handle(); }
    const Window::Form1& Core() const noexcept { return *form_; }
    const TitleListLink& Titles() const noexcept { return titleList_; }

    // Shows the file at nativePath, as the title list asks, and comes to the front.
    void GoToFile(const std::string& nativePath);

private:
    static LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Answer(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls(const Services::WindowPoster& poster);
    void PlaceControls(int dotsPerInch);
    void ConnectHandlers();
    EntryListBox* ListWithHandle(HWND control) noexcept;
    void ShowFailure(const Runtime::RuntimeError& error) override;
    void StartTimer(Timer timer, std::chrono::milliseconds delay) override;

    bool endsProgram_;
    // Fonts first: they outlive the window and the controls that use them.
    FontHandle windowFont_;
    FontHandle listFont_;
    HWND window_ = nullptr;
    DriveBox drive1_;
    FolderBox dir1_;
    FileBox file1_;
    ReportBox text1_;
    HWND focused_ = nullptr;  // the control that had the keys when the window lost them
    // Where the workers leave what they read, for the window's thread to
    // take up when kDeliveriesArrived comes.
    Services::Mailbox mailbox_;
    // What the controls show, gone before them: nothing read arrives after.
    std::unique_ptr<Window::Form1> form_;
    TitleListLink titleList_;  // last: closed first
};
