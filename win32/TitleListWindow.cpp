#include "TitleListWindow.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "CatalogueText.h"
#include "ControlIds.h"
#include "FailureBox.h"
#include "FolderTreeWatch.h"
#include "Form1Core.h"
#include "JapaneseFont.h"
#include "TitleListOutput.h"
#include "WideText.h"
#include "WindowGeometry.h"

namespace {

constexpr wchar_t kClassName[] = L"MIDTitleTitleList";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExtendedStyle = WS_EX_CONTROLPARENT;

enum : int { kFilterId = 201, kSubfoldersId = 202, kTableId = 203, kSaveCommandId = 210 };

// The window's first size and its parts, in pixels at 96 dpi.
constexpr int kWidth = 860, kHeight = 520, kMargin = 8, kLineHeight = 24;
constexpr int kLabelWidth = 64, kFilterWidth = 240, kSubfoldersWidth = 190;

void RegisterTitleListClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    windowClass.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0,
                                                        LR_DEFAULTSIZE | LR_SHARED));
    ::RegisterClassExW(&windowClass);  // fails harmlessly when registered already
}

HWND MakeControl(HWND parent, const wchar_t* className, std::string_view text, DWORD style, int id,
                 DWORD extendedStyle = 0) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    return ::CreateWindowExW(extendedStyle, className, Runtime::WideFromUtf8(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                             0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

std::string TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Runtime::Utf8FromWide(text);
}

bool IsControlHeld() noexcept { return ::GetKeyState(VK_CONTROL) < 0; }

}  // namespace

TitleListWindow::TitleListWindow(HINSTANCE instance, std::function<void(const Services::SelectedFile&)> showInForm1)
    : instance_(instance) {
    RegisterTitleListClass(instance, WindowProcedure);
    window_ = ::CreateWindowExW(kExtendedStyle, kClassName, Runtime::WideFromUtf8(TitleList::kWindowName).c_str(),
                                kStyle, CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr, instance, this);
    try {
        CreateControls();
        const HWND window = window_;
        TitleList::CatalogueLinks links{mailbox_.Poster([window] { ::PostMessageW(window, kDeliveriesArrived, 0, 0); }),
                                        std::move(showInForm1)};
        catalogue_ = std::make_unique<TitleList::Catalogue>(*this, std::move(links));
        ConnectTable();
        Fit(static_cast<int>(::GetDpiForWindow(window_)));
        const int scale = dotsPerInch_;
        ::SetWindowPos(window_, nullptr, 0, 0, ::MulDiv(kWidth, scale, 96), ::MulDiv(kHeight, scale, 96),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } catch (...) {
        ::DestroyWindow(window_);
        throw;
    }
}

TitleListWindow::~TitleListWindow() {
    // The core goes after the window: the table asks it for rows until the end.
    if (window_ != nullptr) ::DestroyWindow(window_);
}

void TitleListWindow::CreateControls() {
    // Made in tab order. A screen reader names the filter box after the label before it.
    filterLabel_ = MakeControl(window_, L"STATIC", TitleList::kFilterName, SS_CENTERIMAGE, 0);
    filter_ = MakeControl(window_, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kFilterId, WS_EX_CLIENTEDGE);
    subfolders_ = MakeControl(window_, L"BUTTON", TitleList::kSubfoldersName, WS_TABSTOP | BS_AUTOCHECKBOX, kSubfoldersId);
    count_ = MakeControl(window_, L"STATIC", "", SS_RIGHT | SS_CENTERIMAGE | SS_NOPREFIX, 0);
    table_.Create(window_, kTableId);
    for (const HWND control : {filter_, subfolders_})
        ::SetWindowSubclass(control, ControlKeys, 0, reinterpret_cast<DWORD_PTR>(this));
}

void TitleListWindow::ConnectTable() {
    TitleList::Catalogue& catalogue = *catalogue_;
    table_.cellText = [&catalogue](std::size_t row, TitleList::Column column) { return catalogue.CellText(row, column); };
    table_.selected = [&catalogue](std::span<const std::size_t> rows, std::optional<std::size_t> current) {
        catalogue.Select(rows, current);
    };
    table_.scrolled = [&catalogue](std::size_t top, std::size_t onScreen) { catalogue.Scroll(top, onScreen); };
    table_.headerClicked = [&catalogue](TitleList::Column column) { catalogue.SortBy(column); };
    table_.activated = [&catalogue](std::size_t row) { catalogue.Activate(row); };
    table_.keyPressed = [this](UINT key) { AnswerKey(table_.Handle(), key); };
}

void TitleListWindow::Fit(int dotsPerInch) {
    dotsPerInch_ = dotsPerInch;
    // The lists' size, as in Form1; the old font goes once no control uses it.
    FontHandle font = CreateJapaneseFont(Geometry::WindowGeometry::kListFontPoints, dotsPerInch);
    for (const HWND control : {filterLabel_, filter_, subfolders_, count_})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    table_.Fit(font.Get(), dotsPerInch);
    font_ = std::move(font);
    PlaceControls();
}

void TitleListWindow::PlaceControls() {
    const auto pixels = [this](int at96) { return ::MulDiv(at96, dotsPerInch_, 96); };
    RECT client{};
    ::GetClientRect(window_, &client);
    const int margin = pixels(kMargin), line = pixels(kLineHeight);
    int left = margin;
    const auto place = [&](HWND control, int width) {
        ::MoveWindow(control, left, margin, width, line, TRUE);
        left += width + margin;
    };
    place(filterLabel_, pixels(kLabelWidth));
    place(filter_, pixels(kFilterWidth));
    place(subfolders_, pixels(kSubfoldersWidth));
    place(count_, std::max(0, static_cast<int>(client.right) - left - margin));
    const int top = margin * 2 + line;
    ::MoveWindow(table_.Handle(), margin, top, std::max(0, static_cast<int>(client.right) - 2 * margin),
                 std::max(0, static_cast<int>(client.bottom) - top - margin), TRUE);
}

void TitleListWindow::Open(std::string_view nativeFolder) {
    folder_ = nativeFolder;
    catalogue_->Open(folder_);
    WatchFolder();
    if (::IsIconic(window_)) ::ShowWindow(window_, SW_RESTORE);
    else if (!::IsWindowVisible(window_)) ::ShowWindow(window_, SW_SHOWNORMAL);
    ::SetForegroundWindow(window_);
    ::SetFocus(table_.Handle());
}

void TitleListWindow::Close() {
    ::KillTimer(window_, kFollowDiskTimer);
    watch_.reset();
    catalogue_->Close();
    folder_.clear();
    ::ShowWindow(window_, SW_HIDE);
}

void TitleListWindow::WatchFolder() {
    // The whole tree only while its songs are listed: a tree watch under
    // Wine is a watch on every folder in it.
    watch_ = std::make_unique<Runtime::FolderTreeWatch>(folder_, catalogue_->IncludesSubfolders());
    ::SetTimer(window_, kFollowDiskTimer, static_cast<UINT>(Window::kFollowTick.count()), nullptr);
}

void TitleListWindow::FollowDisk() {
    if (!watch_) return;
    Runtime::FolderTreeWatch::Changes changes = watch_->Take();
    if (changes.isOverflowed) return catalogue_->Refresh();
    for (const std::string& folder : changes.folders) catalogue_->FolderChanged(folder);
}

void TitleListWindow::ShowTitle(std::string_view title) {
    ::SetWindowTextW(window_, Runtime::WideFromUtf8(title).c_str());
}

void TitleListWindow::ShowCount(std::string_view count, std::string_view spoken) {
    // Once every song is read the label says what a screen reader hears: how many are shown.
    ::SetWindowTextW(count_, Runtime::WideFromUtf8(count.empty() ? spoken : count).c_str());
    table_.Announce({}, spoken);
}

void TitleListWindow::ShowOrder(std::optional<TitleList::Column> column, bool isDescending, std::string_view spoken) {
    table_.ShowOrder(column, isDescending);
    table_.Announce(spoken, {});
}

void TitleListWindow::ShowFailure(const Runtime::RuntimeError& error) { ::ShowFailure(window_, error); }

bool TitleListWindow::AnswerKey(HWND control, UINT key) {
    if (key == VK_F5) {
        catalogue_->Refresh();
    } else if (key == 'F' && IsControlHeld()) {
        ::SetFocus(filter_);
        ::SendMessageW(filter_, EM_SETSEL, 0, -1);
    } else if (key == 'C' && IsControlHeld() && control == table_.Handle()) {
        CopySelectedRows();
    } else if (key == VK_ESCAPE && control == filter_) {
        ::SetWindowTextW(filter_, L"");
    } else {
        return false;
    }
    return true;
}

void TitleListWindow::CopySelectedRows() const {
    CopyToClipboard(window_, catalogue_->SelectedRowsAsTsv());
}

void TitleListWindow::ShowTableMenu(LPARAM at) {
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {  // the menu key: at the row with the focus, or the table's corner
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        const auto current = table_.Current();
        if (!current || !::SendMessageW(table_.Handle(), LVM_GETITEMRECT, *current, reinterpret_cast<LPARAM>(&row)))
            row = {};
        point = {row.left, row.bottom};
        ::ClientToScreen(table_.Handle(), &point);
    }
    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, kSaveCommandId, Runtime::WideFromUtf8(TitleList::kSaveCommand).c_str());
    const BOOL chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, window_, nullptr);
    ::DestroyMenu(menu);
    if (chosen == kSaveCommandId) SaveShownRows();
}

void TitleListWindow::SaveShownRows() {
    const std::optional<std::string> path = AskWhereToSave(window_, "タイトル一覧.csv");
    if (!path) return;
    if (const auto failure = catalogue_->SaveShownRows(*path)) ShowFailure(*failure);
}

LRESULT TitleListWindow::Answer(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kFilterId:
            if (HIWORD(wParam) == EN_CHANGE) catalogue_->Filter(TextOf(filter_));
            return 0;
        case kSubfoldersId:
            if (HIWORD(wParam) != BN_CLICKED) return 0;
            catalogue_->IncludeSubfolders(::SendMessageW(subfolders_, BM_GETCHECK, 0, 0) == BST_CHECKED);
            if (!folder_.empty()) WatchFolder();
            return 0;
        // The keys a dialog turns into commands: Esc in the filter box clears it.
        case IDCANCEL:
            if (::GetFocus() == filter_) AnswerKey(filter_, VK_ESCAPE);
            return 0;
        default: break;
        }
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->idFrom != kTableId) break;
        if (const auto answer = table_.Notify(*reinterpret_cast<const NMHDR*>(lParam))) return *answer;
        break;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) != table_.Handle()) break;
        ShowTableMenu(lParam);
        return 0;
    case WM_SIZE: PlaceControls(); return 0;
    case WM_DPICHANGED: {
        Fit(HIWORD(wParam));
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_TIMER:
        if (wParam != kFollowDiskTimer) break;
        FollowDisk();
        return 0;
    case kDeliveriesArrived: mailbox_.RunDelivered(); return 0;
    case WM_ACTIVATE:  // the keys back where they were when the window returns
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (::IsChild(window_, ::GetFocus())) focused_ = ::GetFocus();
        } else {
            ::SetFocus(focused_ != nullptr ? focused_ : table_.Handle());
        }
        return 0;
    case WM_CLOSE: Close(); return 0;
    default: break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK TitleListWindow::ControlKeys(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) {
    if (message == WM_KEYDOWN) {
        try {
            if (reinterpret_cast<TitleListWindow*>(self)->AnswerKey(control, static_cast<UINT>(wParam))) return 0;
        } catch (...) {
            return 0;  // nothing may unwind through the system's window code
        }
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(control, ControlKeys, 0);
    return ::DefSubclassProc(control, message, wParam, lParam);
}

LRESULT CALLBACK TitleListWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* list = static_cast<TitleListWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        list->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(list));
    }
    auto* list = reinterpret_cast<TitleListWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (list == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        list->window_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        // Messages that come while the window is made, before the core is there, are the system's.
        if (list->catalogue_) return list->Answer(message, wParam, lParam);
    } catch (const Runtime::RuntimeError& error) {
        ::ShowFailure(window, error);
        return 0;
    } catch (const std::bad_alloc&) {
        ::ShowFailure(window, Runtime::MakeError(Runtime::kOutOfMemory));
        return 0;
    } catch (...) {
        ::ShowFailure(window, Runtime::MakeError(Runtime::kUnknownFailure));
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
