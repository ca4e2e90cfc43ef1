#include "ReportBox.h"

#include <algorithm>

#include "WideText.h"
#include "WindowText.h"

void ReportBox::Create(HWND window, int id) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE));
    ::CreateWindowExW(0, L"STATIC", Runtime::WideFromUtf8(Services::kReportName).c_str(), WS_CHILD, 0, 0, 0, 0, window, nullptr, instance, nullptr);
    // Read-only, but with a caret the keys move: the report can be read
    // line by line and copied without a mouse.
    box_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                                 ES_AUTOVSCROLL,
                             0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void ReportBox::ShowReport(const std::string& text) {
    // The report breaks lines with CR LF, as an edit control wants.
    ::SetWindowTextW(box_, Runtime::WideFromUtf8(text).c_str());
    ShowEnd(text.ends_with('\n'));
}

void ReportBox::ShowEnd(bool endsInBreak) {
    // A long path wraps the first line and pushes the title out of sight.
    // Scrolled by lines: EM_SCROLLCARET would take the caret along.
    const auto top = [this](LRESULT at) {
        return static_cast<short>(HIWORD(::SendMessageW(box_, EM_POSFROMCHAR, static_cast<WPARAM>(at), 0)));
    };
    const LRESULT second = ::SendMessageW(box_, EM_LINEINDEX, 1, 0);
    const int lineHeight = second < 0 ? 0 : top(second) - top(0);
    if (lineHeight <= 0) return;
    RECT shown{};
    ::SendMessageW(box_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
    // The empty line after a report's last line break needs no room.
    const int lines = static_cast<int>(::SendMessageW(box_, EM_GETLINECOUNT, 0, 0)) - (endsInBreak ? 1 : 0);
    const auto first = static_cast<int>(::SendMessageW(box_, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int lastPage = std::max(lines - static_cast<int>(shown.bottom - shown.top) / lineHeight, 0);
    ::SendMessageW(box_, EM_LINESCROLL, 0, lastPage - first);
}
