#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

#include "TitleListWindow.h"
#include "WindowDriver.h"

// The title list as a person reaches it: from Form1, through its controls'
// messages, the table's cells read back as the list view shows them.
struct TitleListDriver {
    // act() with the Ctrl key held, as GetKeyState tells it.
    static void WithControl(const std::function<void()>& act) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys);
        act();
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
    }
    static void ControlKey(HWND control, UINT key) { WithControl([&] { WindowDriver::Key(control, key); }); }

    static std::string Text(HWND window) {
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        return Runtime::Utf8FromWide(text);
    }
    static std::string Cell(HWND table, int row, int column) {
        wchar_t text[260] = {};
        LVITEMW item{};
        item.iSubItem = column, item.pszText = text, item.cchTextMax = 260;
        ::SendMessageW(table, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return Runtime::Utf8FromWide(text);
    }
    // A column's cells, top to bottom, joined by spaces.
    static std::string Column(HWND table, int column) {
        std::string cells;
        for (int row = 0, count = static_cast<int>(::SendMessageW(table, LVM_GETITEMCOUNT, 0, 0)); row < count; ++row)
            cells.append(row > 0 ? " " : "").append(Cell(table, row, column));
        return cells;
    }
    static HWND Header(HWND table) { return reinterpret_cast<HWND>(::SendMessageW(table, LVM_GETHEADER, 0, 0)); }
    static HDITEMW HeaderItem(HWND table, int column, wchar_t* text = nullptr) {
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_WIDTH | (text != nullptr ? HDI_TEXT : 0u), item.pszText = text, item.cchTextMax = 64;
        ::SendMessageW(Header(table), HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return item;
    }
    static void ClickHeader(HWND table, int column) {
        RECT rect{};
        ::SendMessageW(Header(table), HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ::SendMessageW(Header(table), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(Header(table), WM_LBUTTONUP, 0, at);
    }
    // A double-click on a row. The list view follows the mouse after a press
    // until a button message waits: the release is queued first.
    static void DoubleClick(HWND table, int row) {
        RECT rect{LVIR_LABEL, 0, 0, 0};
        ::SendMessageW(table, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);
        for (const UINT press : {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONDBLCLK}}) {
            ::PostMessageW(table, WM_LBUTTONUP, 0, at);
            ::SendMessageW(table, press, MK_LBUTTON, at);
            WindowDriver::PumpFor(std::chrono::milliseconds(0));
        }
    }

    // Runs act(), which brings up a popup menu or a dialog, while another
    // thread answers it as a person would: a menu's items are read and the
    // first chosen; a save dialog is given path and OK. Returns the items.
    static std::vector<std::string> Answering(const std::function<void()>& act, const std::wstring& path = {}) {
        Answer answer{path, {}, false};
        {
            std::jthread person([&answer, thread = ::GetCurrentThreadId()](const std::stop_token& stop) {
                for (; !answer.isDone && !stop.stop_requested(); std::this_thread::sleep_for(std::chrono::milliseconds(20)))
                    ::EnumThreadWindows(thread, AnswerWindow, reinterpret_cast<LPARAM>(&answer));
            });
            act();
        }
        return answer.items;
    }

private:
    struct Answer {
        std::wstring path;
        std::vector<std::string> items;
        bool isDone = false;
    };
    static BOOL CALLBACK AnswerWindow(HWND window, LPARAM given) {
        auto& answer = *reinterpret_cast<Answer*>(given);
        wchar_t className[16] = {};
        ::GetClassNameW(window, className, 16);
        if (std::wstring_view(className) == L"#32768" && ::IsWindowVisible(window) && answer.items.empty()) {
            const auto menu = reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0));
            for (int item = 0; item < ::GetMenuItemCount(menu); ++item) {
                wchar_t text[128] = {};
                ::GetMenuStringW(menu, static_cast<UINT>(item), text, 128, MF_BYPOSITION);
                answer.items.push_back(Runtime::Utf8FromWide(text));
            }
            for (const WPARAM key : {WPARAM{VK_DOWN}, WPARAM{VK_RETURN}}) ::PostMessageW(window, WM_KEYDOWN, key, 0);
            answer.isDone = answer.path.empty();
            return FALSE;
        } else if (std::wstring_view(className) == L"#32770" && !answer.path.empty()) {
            // The file name box, once the dialog has made it: a combo box's on
            // Windows, an edit box's in Wine's older dialog.
            bool isNamed = false;
            for (const int id : {0x47c, 0x480}) isNamed = ::SetDlgItemTextW(window, id, answer.path.c_str()) || isNamed;
            if (!isNamed) return TRUE;
            ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        } else {
            return TRUE;
        }
        answer.isDone = true;
        return FALSE;
    }
};
