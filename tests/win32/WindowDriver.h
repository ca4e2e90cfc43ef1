#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "Form1.h"
#include "PathText.h"
#include "WideText.h"

// Form1 made in this process in a start folder, driven the way a person
// drives it: input messages sent to the real controls, Text1 read back.
class WindowDriver {
public:
    explicit WindowDriver(const std::filesystem::path& startFolder) {
        // The window starts where the process is, which then goes back:
        // Windows will not remove a process's current folder.
        const std::filesystem::path before = std::filesystem::current_path();
        std::filesystem::current_path(startFolder);
        form_ = std::make_unique<Form1>(::GetModuleHandleW(nullptr), false);
        std::filesystem::current_path(before);
        // Left unshown: the controls answer their messages all the same, and
        // without a window manager Wine waits seconds for a shown window to go.
        PumpUntil([] { return true; });
    }

    Form1& form() { return *form_; }
    HWND Drive1() const { return form_->Drive1().Handle(); }
    HWND Dir1() const { return form_->Dir1().Handle(); }
    HWND File1() const { return form_->File1().Handle(); }

    // A window's text, or with GetClassNameW its class's name.
    static std::wstring TextOf(HWND window, decltype(&::GetWindowTextW) get = ::GetWindowTextW) {
        wchar_t text[64] = {};
        return get(window, text, 64), text;
    }
    std::string Text1() const {
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(form_->Text1())) + 1, L'\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextW(form_->Text1(), text.data(), static_cast<int>(text.size()))));
        return Runtime::Utf8FromWide(text);
    }
    // What the report's line with label says after it, up to its CR LF;
    // empty when no such line is shown. The title's line unless told.
    static constexpr std::string_view kFile = "ファイル名－ ";
    std::string Shown(std::string_view label = "タイトル－ ") const {
        const std::string text = Text1();
        const std::size_t at = text.find(label), end = at == std::string::npos ? at : text.find("\r\n", at);
        return end == std::string::npos ? std::string() : text.substr(at + label.size(), end - at - label.size());
    }
    // Whether title comes to show: a read that outlasts the window's patience reports later.
    bool Shows(std::string_view title) const { return PumpUntil([&] { return Shown() == title; }); }

    // A mouse message at the centre of a list's row.
    static void Mouse(HWND list, UINT message, WPARAM keys, int row) {
        RECT rect{};
        ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        ::SendMessageW(list, message, keys, MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    }
    // One click, or two: the second comes as Windows sends it, a double-click.
    static void Click(HWND list, int row, int clicks = 1) {
        for (int click = 0; click < clicks; ++click) {
            Mouse(list, click == 0 ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK, MK_LBUTTON, row);
            Mouse(list, WM_LBUTTONUP, 0, row);
        }
    }
    static void Click(const EntryListBox& list, std::string_view name, int clicks = 1) { Click(list.Handle(), RowNamed(list, name), clicks); }
    // The row of a list showing name, or -1.
    static int RowNamed(const EntryListBox& list, std::string_view name) {
        for (int row = 0; row < list.Count(); ++row) if (list.Row(row).entry.DisplayName == name) return row;
        return -1;
    }

    // How a list box draws a row now: the darkest grey of its pixels (255 for
    // white), and the leftmost column not in the window's colour (-1 if none).
    struct Ink { int darkest = 255, left = -1; };
    static Ink InkOf(HWND list, int row) {
        RECT item{};
        ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        const HDC screen = ::GetDC(list), memory = ::CreateCompatibleDC(screen);
        const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, item.right, item.bottom);
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
        Ink ink;
        for (int x = item.right - 1; x >= item.left; --x) for (int y = item.top; y < item.bottom; ++y) {
            const COLORREF pixel = ::GetPixel(memory, x, y);
            ink.darkest = std::min(ink.darkest, (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel)) / 3);
            if (pixel != ::GetSysColor(COLOR_WINDOW)) ink.left = x;
        }
        ::SelectObject(memory, old), ::DeleteObject(bitmap), ::DeleteDC(memory), ::ReleaseDC(list, screen);
        return ink;
    }

    // Keys go as the program's message loop sends them: through IsDialogMessage
    // first, which moves the focus and hands each control the keys it asks for.
    static void Deliver(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
        MSG delivered{control, message, wParam, lParam, ::GetTickCount(), {}};
        if (!::IsDialogMessageW(::GetAncestor(control, GA_ROOT), &delivered)) ::DispatchMessageW(&delivered);
    }
    static void Key(HWND control, UINT key) {
        Deliver(control, WM_KEYDOWN, key, 1);
        Deliver(control, WM_KEYUP, key, 0xC0000001);
    }
    static void Type(HWND control, std::wstring_view text) { for (const wchar_t c : text) Deliver(control, WM_CHAR, c, 1); }

    // Handles messages, timers included, until done() holds or time is up:
    // the disk's changes come on a timer, the workers' results as posted messages.
    static bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds time = std::chrono::seconds(5)) {
        const auto deadline = std::chrono::steady_clock::now() + time;
        for (MSG message{};; ::MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE)) {
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
            if (done()) return true;
            if (std::chrono::steady_clock::now() > deadline) return false;
        }
    }
    static void PumpFor(std::chrono::milliseconds time) { PumpUntil([] { return false; }, time); }

    // The text of the message box that act() brings up, which another
    // thread reads and closes as a person would; empty when none came.
    std::string FailureBoxText(const std::function<void()>& act) {
        std::wstring text;
        {
            std::jthread closer([&text, thread = ::GetCurrentThreadId()](const std::stop_token& stop) {
                for (; text.empty() && !stop.stop_requested(); std::this_thread::sleep_for(std::chrono::milliseconds(20)))
                    ::EnumThreadWindows(thread, CloseBox, reinterpret_cast<LPARAM>(&text));
            });
            act();
        }
        return Runtime::Utf8FromWide(text);
    }

private:
    // Reads a message box's text, which may come after the box, and closes it.
    static BOOL CALLBACK CloseBox(HWND window, LPARAM text) {
        wchar_t className[16] = {}, seen[512] = {};
        ::GetClassNameW(window, className, 16);
        if (std::wstring_view(className) != L"#32770" || !::GetDlgItemTextW(window, 0xFFFF, seen, 512)) return TRUE;
        *reinterpret_cast<std::wstring*>(text) = seen;
        return !::PostMessageW(window, WM_COMMAND, IDOK, 0);
    }

    std::unique_ptr<Form1> form_;
};
