#include "ReportBox.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "ControlIds.h"
#include "Patience.h"
#include "ReportFetcher.h"
#include "WideText.h"
#include "WindowText.h"

using Services::kReportPatience;
using Services::kWaitingNoted;

ReportBox::ReportBox() = default;

ReportBox::~ReportBox() = default;

void ReportBox::Create(HWND window, int id, Services::WindowPoster poster, std::function<bool()> isFileSelected) {
    window_ = window;
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE));
    ::CreateWindowExW(0, L"STATIC", Runtime::WideFromUtf8(Services::kReportName).c_str(), WS_CHILD, 0, 0, 0, 0, window, nullptr, instance, nullptr);
    // Read-only, but with a caret the keys move: the report can be read
    // line by line and copied without a mouse.
    box_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                                 ES_AUTOVSCROLL,
                             0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    work_ = std::make_unique<Services::BackgroundWork>(std::move(poster));
    reports_ = std::make_unique<Services::ReportFetcher>(
        *work_, [this, isFileSelected = std::move(isFileSelected)](std::string report) {
            // The file may have left the list since it was asked for.
            if (isFileSelected()) Show(std::move(report));
        });
}

void ReportBox::Read(const Services::SelectedFile& file) {
    if (!reports_) return;
    if (auto report = reports_->Request(file, kReportPatience)) {
        Show(std::move(*report));
    } else if (!isTimerSet_) {
        StartTimer(static_cast<UINT>(kWaitingNoted.count()));
    }
}

void ReportBox::Deselect() {
    if (reports_) reports_->Deselect();
}

void ReportBox::TimerRan() {
    ::KillTimer(window_, kWaitingTimer);
    isTimerSet_ = false;
    const auto awaited = reports_ ? reports_->TimeAwaited() : std::nullopt;
    if (!awaited) return;
    // Another file was selected since the timer started: its own wait counts.
    if (*awaited < kWaitingNoted) {
        StartTimer(static_cast<UINT>((kWaitingNoted - *awaited).count()));
        return;
    }
    if (auto text = reports_->WaitingText(shown_.Text())) Show(std::move(*text));
}

void ReportBox::StopReading() noexcept {
    // Nothing here waits for a worker: one stuck on a hung disk is left to
    // itself, and what it reads is dropped.
    ::KillTimer(window_, kWaitingTimer);
    reports_.reset();
    work_.reset();
}

void ReportBox::Show(std::string report) {
    auto changed = shown_.Replace(std::move(report));
    if (!changed) return;
    // The report breaks lines with CR LF, as an edit control wants.
    ::SetWindowTextW(box_, Runtime::WideFromUtf8(*changed).c_str());
    ShowEnd();
}

void ReportBox::ShowEnd() {
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
    const int lines = static_cast<int>(::SendMessageW(box_, EM_GETLINECOUNT, 0, 0)) - (shown_.Text().ends_with('\n') ? 1 : 0);
    const auto first = static_cast<int>(::SendMessageW(box_, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int lastPage = std::max(lines - static_cast<int>(shown.bottom - shown.top) / lineHeight, 0);
    ::SendMessageW(box_, EM_LINESCROLL, 0, lastPage - first);
}

void ReportBox::StartTimer(UINT milliseconds) {
    isTimerSet_ = ::SetTimer(window_, kWaitingTimer, milliseconds, nullptr) != 0;
}
