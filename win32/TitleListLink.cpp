#include "TitleListLink.h"

#include "CatalogueText.h"
#include "FailureBox.h"
#include "TitleListWindow.h"
#include "WideText.h"

namespace {

constexpr UINT kOpenCommandId = 220;

}  // namespace

TitleListLink::TitleListLink() = default;

TitleListLink::~TitleListLink() {
    window_.reset();
    if (form_ == nullptr || !::IsWindow(form_)) return;
    ::RemoveWindowSubclass(form_, Subclassed, 0);
    ::EnumChildWindows(form_, [](HWND control, LPARAM) { return ::RemoveWindowSubclass(control, Subclassed, 0), TRUE; }, 0);
}

void TitleListLink::Install(HWND form, HWND file1, std::function<std::string()> shownFolder,
                            std::function<void(const Services::SelectedFile&)> showFile) {
    form_ = form;
    file1_ = file1;
    shownFolder_ = std::move(shownFolder);
    showFile_ = std::move(showFile);
    ::SetWindowSubclass(form_, Subclassed, 0, reinterpret_cast<DWORD_PTR>(this));
    // Ctrl+L goes to whichever control has the keys.
    ::EnumChildWindows(
        form_, [](HWND control, LPARAM link) { return ::SetWindowSubclass(control, Subclassed, 0, static_cast<DWORD_PTR>(link)); },
        reinterpret_cast<LPARAM>(this));
}

void TitleListLink::Open() {
    if (!window_) {
        const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(form_, GWLP_HINSTANCE));
        window_ = std::make_unique<TitleListWindow>(instance, [this](const Services::SelectedFile& file) {
            try {
                showFile_(file);
            } catch (const Runtime::RuntimeError& error) {
                // The file's folder cannot be opened now: Form1 says so, and stays where it was.
                ShowFailure(form_, error);
                return;
            }
            ::SetForegroundWindow(form_);
        });
    }
    window_->Open(shownFolder_());
}

void TitleListLink::ShowMenu(LPARAM at) {
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {  // the menu key: at the file selected, or the list's corner
        RECT row{};
        const LRESULT current = ::SendMessageW(file1_, LB_GETCURSEL, 0, 0);
        if (current < 0 || ::SendMessageW(file1_, LB_GETITEMRECT, static_cast<WPARAM>(current), reinterpret_cast<LPARAM>(&row)) == LB_ERR)
            row = {};
        point = {row.left, row.bottom};
        ::ClientToScreen(file1_, &point);
    }
    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, kOpenCommandId,
                  (Runtime::WideFromUtf8(TitleList::kOpenCommand) + L"\tCtrl+L").c_str());
    const BOOL chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, form_, nullptr);
    ::DestroyMenu(menu);
    if (chosen == static_cast<BOOL>(kOpenCommandId)) Open();
}

LRESULT CALLBACK TitleListLink::Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
    auto& link = *reinterpret_cast<TitleListLink*>(self);
    try {
        if (window == link.form_) {
            // File1 hands the menu on to Form1, as a child window does.
            if (message == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == link.file1_) {
                link.ShowMenu(lParam);
                return 0;
            }
            if (message == WM_DESTROY) link.window_.reset();  // closing Form1 closes the title list
        } else if (message == WM_KEYDOWN && wParam == 'L' && ::GetKeyState(VK_CONTROL) < 0) {
            link.Open();
            return 0;
        }
    } catch (...) {
        // Nothing may unwind through the system's window code; Form1 shows its own failures.
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, Subclassed, 0);
    return ::DefSubclassProc(window, message, wParam, lParam);
}

