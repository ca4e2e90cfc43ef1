#pragma once

#include <windows.h>

#include "DriveBox.h"
#include "FileBox.h"
#include "FolderBox.h"
#include "FontHandle.h"
#include "Mailbox.h"
#include "ReportBox.h"
#include "TitleListLink.h"
#include "windows/FolderWatch.h"

// The tool's one window: a drive list, a folder list and a file list that
// follow one another, and the text box that shows the report on the file
// selected. Compare qt/Form1, the same window on Qt: the handlers are the
// same, and each control here is a thin wrapper over a Win32 control.
// Not copyable or movable: the window points back at it.
class Form1 {
public:
    // Creates the window, hidden, showing the folder the process is in.
    // The one the program shows ends the message loop when closed.
    explicit Form1(HINSTANCE instance, bool endsProgram = true);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1();  // returns at once, even with a read hanging; so does closing the window

    HWND Handle() const noexcept { return window_; }
    // The controls, read by the tests that drive the window.
    const DriveBox& Drive1() const noexcept { return drive1_; }
    const FolderBox& Dir1() const noexcept { return dir1_; }
    const FileBox& File1() const noexcept { return file1_; }
    HWND Text1() const noexcept { return text1_.Handle(); }
    const TitleListLink& Titles() const noexcept { return titleList_; }

    // The handlers, named after the control and the event they answer.
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void File1_KeyDown(int keyCode, int shift);
    void File1_MouseDown(int button, int shift, int x, int y);
    void File1_MouseMove(int button, int shift, int x, int y);

    // Reads the file selected in File1 and shows its report in Text1.
    // Does nothing while no file is selected. The read runs on a worker: a
    // report read at once is shown at once; a slower one is shown when it
    // arrives, and until then, after a while, the file's name and a note
    // that it is being read.
    void GetMidFileFormat();

private:
    static LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Answer(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls(const Services::WindowPoster& poster);
    void PlaceControls(int dotsPerInch);
    void ShowStartFolder();
    void ConnectHandlers();
    EntryListBox* ListWithHandle(HWND control) noexcept;
    void FollowDisk();
    void FollowDirectoryReading(bool isReading);
    void ShowFile(const Services::SelectedFile& file);  // from the title list

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
    // One watch for the folder both lists show: on Windows a watch holds
    // its folder open, and a removed folder is only deleted once no handle
    // holds it, so the two lists must let go of it together.
    Runtime::FolderWatch watch_;
    // Where the workers leave what they read, for the window's thread to
    // take up when kDeliveriesArrived comes.
    Services::Mailbox mailbox_;
    TitleListLink titleList_;  // last: closed first
};
