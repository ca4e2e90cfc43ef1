#include "Form1.h"

#include <new>
#include <utility>

#include "ControlIds.h"
#include "FailureBox.h"
#include "JapaneseFont.h"
#include "Patience.h"
#include "ReportFetcher.h"
#include "RuntimeError.h"
#include "WindowGeometry.h"
#include "WideText.h"
#include "WindowText.h"

namespace {

constexpr wchar_t kClassName[] = L"MIDTitleForm1";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExtendedStyle = WS_EX_CONTROLPARENT;

void RegisterForm1Class(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    // The program's icon is resource 1; a test program has none and gets Windows' own.
    windowClass.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0,
                                                        LR_DEFAULTSIZE | LR_SHARED));
    ::RegisterClassExW(&windowClass);  // fails harmlessly when a second window registers it again
}

void Place(HWND control, const Geometry::PixelRect& rect, int extraHeight = 0) {
    ::MoveWindow(control, rect.Left, rect.Top, rect.Width, rect.Height + extraHeight, TRUE);
}

}  // namespace

Form1::Form1(HINSTANCE instance, bool endsProgram) : endsProgram_(endsProgram) {
    RegisterForm1Class(instance, WindowProcedure);
    window_ = ::CreateWindowExW(kExtendedStyle, kClassName, Runtime::WideFromUtf8(Services::kWindowTitle).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    try {
        // The window's handle is the workers' way back: deliveries wait in
        // the mailbox, and one posted message tells the window to take them.
        const HWND window = window_;
        const Services::WindowPoster poster =
            mailbox_.Poster([window] { ::PostMessageW(window, kDeliveriesArrived, 0, 0); });
        CreateControls(poster);
        PlaceControls(static_cast<int>(::GetDpiForWindow(window_)));
        ShowStartFolder();
        ConnectHandlers();
        // From now on the message loop runs: a slow folder must not stop it.
        dir1_.SetPatience(Services::kListingPatience);
        watch_.Watch(dir1_.NativePath());
    } catch (...) {
        // No destructor runs for a half-made Form1: the window, which points at it, must go here.
        ::DestroyWindow(window_);
        throw;
    }
    ::SetTimer(window_, kFollowDiskTimer, kFollowDiskMilliseconds, nullptr);
}

Form1::~Form1() {
    if (window_ != nullptr) ::DestroyWindow(window_);
}

void Form1::CreateControls(const Services::WindowPoster& poster) {
    // Made in tab order: Tab goes the way the windows were made.
    drive1_.Create(window_, kDrive1Id, poster);
    dir1_.Create(window_, kDir1Id, Runtime::WideFromUtf8(Services::kFolderName).c_str(), poster);
    file1_.Create(window_, kFile1Id, Runtime::WideFromUtf8(Services::kFileName).c_str(), poster);
    dir1_.SetFilePattern(file1_.Pattern());
    text1_.Create(window_, kText1Id, poster, [this] { return file1_.Current() >= 0; });
}

void Form1::PlaceControls(int dotsPerInch) {
    const Geometry::WindowGeometry layout(dotsPerInch);
    // Win32 controls take no font from their window: each is given its own.
    // The old fonts go only once no control uses them.
    FontHandle windowFont = CreateJapaneseFont(Geometry::WindowGeometry::kWindowFontPoints, dotsPerInch);
    FontHandle listFont = CreateJapaneseFont(Geometry::WindowGeometry::kListFontPoints, dotsPerInch);
    ::SendMessageW(text1_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(windowFont.Get()), TRUE);
    drive1_.SetFont(listFont.Get());
    dir1_.SetFont(listFont.Get());
    file1_.SetFont(listFont.Get());
    windowFont_ = std::move(windowFont);
    listFont_ = std::move(listFont);

    RECT frame{0, 0, layout.ClientWidth(), layout.ClientHeight()};
    ::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExtendedStyle, static_cast<UINT>(dotsPerInch));
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Place(dir1_.Handle(), layout.Dir1());
    // A drop-down list's height includes its open list: room for eight drives.
    Place(drive1_.Handle(), layout.Drive1(), 8 * layout.Drive1().Height);
    drive1_.FitFieldHeight(layout.Drive1().Height);
    Place(file1_.Handle(), layout.File1());
    Place(text1_.Handle(), layout.Text1());
}

void Form1::ShowStartFolder() {
    // Listed before the handlers are connected: the file list is filled
    // here, or by Dir1_Change when a slow folder's listing arrives.
    try {
        const std::string start = Runtime::CurrentFolder();
        drive1_.SetNativeDrive(start);
        dir1_.SetDriveRoot(drive1_.NativeDrive());
        dir1_.SetNativePath(start);
    } catch (const Runtime::RuntimeError& error) {
        // The folder the tool was started in is unreadable: say so and start at the root.
        ShowFailure(window_, error);
        try {
            const std::string root = Runtime::RootFolder();
            drive1_.SetNativeDrive(root);
            dir1_.SetDriveRoot(drive1_.NativeDrive());
            dir1_.SetNativePath(root);
        } catch (const Runtime::RuntimeError&) {
            // Even the root cannot be read; the lists stay empty and the person may pick a drive.
            return;
        }
    }
    if (dir1_.IsReading()) file1_.ShowReading(true);
    else Dir1_Change();
}

void Form1::ConnectHandlers() {
    drive1_.driveChanged = [this] { Drive1_Change(); };
    dir1_.pathChanged = [this] { Dir1_Change(); };
    dir1_.readingChanged = [this](bool isReading) { FollowDirectoryReading(isReading); };
    file1_.selectionClicked = [this] { File1_Click(); };
    file1_.keyPressed = [this](int key, int shift) { File1_KeyDown(key, shift); };
    file1_.mousePressed = [this](int button, int shift, int x, int y) { File1_MouseDown(button, shift, x, y); };
    file1_.mouseMoved = [this](int button, int shift, int x, int y) { File1_MouseMove(button, shift, x, y); };
}

void Form1::Drive1_Change() {
    try {
        dir1_.SetDriveRoot(drive1_.NativeDrive());
        dir1_.SetNativePath(drive1_.NativeDrive());
    } catch (const Runtime::RuntimeError& error) {
        // Back to the drive that holds the folder still shown.
        drive1_.ReturnTo(dir1_.NativePath());
        dir1_.SetDriveRoot(drive1_.NativeDrive());
        ShowFailure(window_, error);
    }
}

void Form1::FollowDirectoryReading(bool isReading) {
    file1_.ShowReading(isReading);
    if (isReading) return;
    // A drive whose folder could not be read in the end: back to the drive
    // that holds the folder shown.
    drive1_.ReturnTo(dir1_.NativePath());
    dir1_.SetDriveRoot(drive1_.NativeDrive());
}

void Form1::Dir1_Change() {
    // The folder list read the files in its own pass over the folder.
    file1_.ShowListing(dir1_.NativePath(), dir1_.TakeFiles());
    // Another folder's files: a report still on its way belongs to none of them.
    text1_.Deselect();
    watch_.Watch(dir1_.NativePath());
}

void Form1::File1_Click() { GetMidFileFormat(); }

void Form1::File1_KeyDown(int, int) { File1_Click(); }

void Form1::File1_MouseDown(int, int, int, int) { GetMidFileFormat(); }

void Form1::File1_MouseMove(int, int, int, int) { GetMidFileFormat(); }

void Form1::GetMidFileFormat() {
    const int index = file1_.Current();
    if (index < 0) return;
    text1_.Read({file1_.NativePath(), file1_.ReadablePath(), file1_.Row(index).entry});
}

void Form1::FollowDisk() {
    if (watch_.HasChanged()) {
        const ULONGLONG start = ::GetTickCount64();
        const std::string shown = dir1_.NativePath();
        dir1_.FollowDisk();
        // A folder list that moved up, or is opening a folder, takes the
        // file list with it.
        if (dir1_.NativePath() == shown && !dir1_.IsReading()) file1_.FollowDisk();
        watch_.NoteListingTook(::GetTickCount64() - start);
    }
    // The lists may have moved since the last tick, by the person or by following.
    watch_.Watch(dir1_.NativePath());
}

EntryListBox* Form1::ListWithHandle(HWND control) noexcept {
    if (control == dir1_.Handle()) return &dir1_;
    if (control == file1_.Handle()) return &file1_;
    return nullptr;
}

LRESULT Form1::Answer(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kDrive1Id: drive1_.Notify(HIWORD(wParam)); return 0;
        case kDir1Id: dir1_.Notify(HIWORD(wParam)); return 0;
        case kFile1Id: file1_.Notify(HIWORD(wParam)); return 0;
        default: break;
        }
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (EntryListBox* list = ListWithHandle(item.hwndItem)) list->Draw(item);
        return TRUE;
    }
    case WM_CHARTOITEM:
        if (EntryListBox* list = ListWithHandle(reinterpret_cast<HWND>(lParam)))
            return list->FindTyped(static_cast<wchar_t>(LOWORD(wParam)), static_cast<DWORD>(::GetMessageTime()));
        return -1;
    case WM_VKEYTOITEM: return -1;  // the list box moves on the keys itself
    case WM_CTLCOLORSTATIC:
        // Read-only edit boxes are grey by default; the report reads as text, on the window colour.
        if (reinterpret_cast<HWND>(lParam) != text1_.Handle()) break;
        ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    case WM_TIMER:
        if (wParam == kFollowDiskTimer) FollowDisk();
        else if (wParam == kWaitingTimer) text1_.TimerRan();
        else break;
        return 0;
    case kDeliveriesArrived: mailbox_.RunDelivered(); return 0;
    case WM_DPICHANGED: PlaceControls(HIWORD(wParam)); return 0;
    // What a dialog box does for its controls, which Form1 is not: Tab out
    // of Text1, and the keys back where they were when the window returns.
    case WM_NEXTDLGCTL:
        ::SetFocus(LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                       : ::GetNextDlgTabItem(window_, ::GetFocus(), wParam != 0));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (::IsChild(window_, ::GetFocus())) focused_ = ::GetFocus();
        } else {
            ::SetFocus(focused_ != nullptr ? focused_ : drive1_.Handle());
        }
        return 0;
    case WM_DESTROY:
        ::KillTimer(window_, kFollowDiskTimer);
        // Nothing here waits for a worker: one stuck on a hung disk is left
        // to itself, and what it reads is dropped.
        text1_.StopReading();
        dir1_.StopReading();
        file1_.StopReading();
        drive1_.StopReading();
        if (endsProgram_) ::PostQuitMessage(0);
        return 0;
    default: break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK Form1::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->window_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    // Nothing may unwind through the system's window code.
    try {
        return form->Answer(message, wParam, lParam);
    } catch (const Runtime::RuntimeError& error) {
        ShowFailure(window, error);
    } catch (const std::bad_alloc&) {
        ShowFailure(window, Runtime::MakeError(Runtime::kOutOfMemory));
    } catch (...) {
        ShowFailure(window, Runtime::MakeError(Runtime::kUnknownFailure));
    }
    return 0;
}
