#pragma once

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "Form1.h"
#include "PathText.h"
#include "windows/WideText.h"

// Form1 made in this process in a start folder, driven the way a person
// drives it: input messages sent to the real controls, Text1 read back.
class WindowDriver {
public:
    explicit WindowDriver(const std::filesystem::path& startFolder) {
        // The window starts where the process is; the process leaves again,
        // since Windows will not remove a process's current folder.
        const std::filesystem::path before = std::filesystem::current_path();
        std::filesystem::current_path(startFolder);
        form_ = std::make_unique<Form1>(::GetModuleHandleW(nullptr), false);
        std::filesystem::current_path(before);
        // Left unshown: the controls answer their messages all the same, and
        // without a window manager Wine waits seconds for a shown window to go.
        Pump();
    }

    Form1& form() { return *form_; }
    HWND Drive1() const { return form_->Drive1().Handle(); }
    HWND Dir1() const { return form_->Dir1().Handle(); }
    HWND File1() const { return form_->File1().Handle(); }

    std::string Text1() const {
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(form_->Text1())) + 1, L'\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextW(form_->Text1(), text.data(), static_cast<int>(text.size()))));
        return Runtime::Utf8FromWide(text);
    }
    // What a line of the report shown says after its label, up to its CR
    // LF; empty when no such line is shown.
    std::string Shown(std::string_view label) const {
        const std::string text = Text1();
        const std::size_t at = text.find(label);
        const std::size_t end = at == std::string::npos ? at : text.find("\r\n", at);
        if (end == std::string::npos) return {};
        return text.substr(at + label.size(), end - at - label.size());
    }
    std::string ShownTitle() const { return Shown("タイトル－ "); }
    std::string ShownFile() const { return Shown("ファイル名－ "); }

    // The centre of a list's row, in the list's own coordinates.
    static LPARAM RowPoint(HWND list, int row) {
        RECT rect{};
        ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    static void Click(HWND list, int row) {
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(list, row));
        ::SendMessageW(list, WM_LBUTTONUP, 0, RowPoint(list, row));
    }
    void ClickFile(std::string_view name) { Click(File1(), RowNamed(form_->File1(), name)); }
    static void DoubleClick(HWND list, int row) {
        Click(list, row);
        ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(list, row));
        ::SendMessageW(list, WM_LBUTTONUP, 0, RowPoint(list, row));
    }
    // Keys go the way the program's message loop sends them: through
    // IsDialogMessage first, which moves between controls and hands each
    // control the keys it asks for.
    static void Deliver(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
        MSG delivered{control, message, wParam, lParam, ::GetTickCount(), {}};
        if (::IsDialogMessageW(::GetAncestor(control, GA_ROOT), &delivered)) return;
        ::DispatchMessageW(&delivered);
    }
    static void Key(HWND control, UINT key) {
        Deliver(control, WM_KEYDOWN, key, 1);
        Deliver(control, WM_KEYUP, key, 0xC0000001);
    }
    static void Type(HWND control, std::wstring_view text) {
        for (const wchar_t c : text) Deliver(control, WM_CHAR, c, 1);
    }

    // Handles what is waiting, timers included.
    static void Pump() {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    // Pumps until done() holds, for at most a few seconds: changes on disk
    // reach the window on its timer, and work done on workers by a posted
    // message. Between pumps it wakes for any message, as a message loop does.
    static bool PumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            Pump();
            if (done()) return true;
            if (std::chrono::steady_clock::now() > deadline) return false;
            ::MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
    static void PumpFor(std::chrono::milliseconds time) {
        const auto until = std::chrono::steady_clock::now() + time;
        PumpUntil([until] { return std::chrono::steady_clock::now() >= until; });
    }
    // The row of a list showing name, or -1.
    static int RowNamed(const EntryListBox& list, std::string_view name) {
        for (int row = 0; row < list.Count(); ++row) {
            if (list.Row(row).entry.DisplayName == name) return row;
        }
        return -1;
    }

    // The text of the message box that act() brings up, which is then
    // closed; empty when none came. The box waits for a person, so a timer
    // on this thread, run by the box's own message loop, reads and closes it.
    std::string FailureBoxText(const std::function<void()>& act) {
        SeenBox seen{::GetCurrentThreadId(), {}};
        ::SetWindowSubclass(form_->Handle(), BoxCloser, 0, reinterpret_cast<DWORD_PTR>(&seen));
        ::SetTimer(form_->Handle(), kBoxTimer, 50, nullptr);
        act();
        ::KillTimer(form_->Handle(), kBoxTimer);
        ::RemoveWindowSubclass(form_->Handle(), BoxCloser, 0);
        return Runtime::Utf8FromWide(seen.text);
    }

private:
    static constexpr UINT_PTR kBoxTimer = 0x4D54;
    struct SeenBox {
        DWORD thread;
        std::wstring text;
    };

    static BOOL CALLBACK CloseBox(HWND window, LPARAM seen) {
        wchar_t className[16] = {};
        ::GetClassNameW(window, className, 16);
        if (std::wstring_view(className) != L"#32770") return TRUE;
        wchar_t text[512] = {};
        ::GetDlgItemTextW(window, 0xFFFF, text, 512);  // the message's static text
        reinterpret_cast<SeenBox*>(seen)->text = text;
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    static LRESULT CALLBACK BoxCloser(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR seen) {
        if (message != WM_TIMER || wParam != kBoxTimer) return ::DefSubclassProc(window, message, wParam, lParam);
        ::EnumThreadWindows(reinterpret_cast<SeenBox*>(seen)->thread, CloseBox, static_cast<LPARAM>(seen));
        return 0;
    }

    std::unique_ptr<Form1> form_;
};
