#include "ReportShown.h"

#include <utility>

#include "Patience.h"

namespace Window {

using Services::kReportPatience;
using Services::kWaitingNoted;

ReportShown::ReportShown(Services::WindowPoster poster, ReportView& view, WindowHost& host,
                         std::function<bool()> isFileSelected, Services::ReadReport read)
    : view_(view),
      host_(host),
      work_(std::make_unique<Services::BackgroundWork>(std::move(poster))),
      reports_(std::make_unique<Services::ReportFetcher>(
          *work_,
          [this, isFileSelected = std::move(isFileSelected)](std::string report) {
              // The file may have left the list since it was asked for.
              if (isFileSelected()) Show(std::move(report));
          },
          std::move(read))) {}

ReportShown::~ReportShown() = default;

void ReportShown::Read(const Services::SelectedFile& file) {
    if (!reports_) return;
    if (auto report = reports_->Request(file, kReportPatience)) {
        Show(std::move(*report));
    } else if (!isTimerSet_) {
        StartTimer(kWaitingNoted);
    }
}

void ReportShown::Deselect() {
    if (reports_) reports_->Deselect();
}

void ReportShown::TimerRan() {
    isTimerSet_ = false;
    const auto awaited = reports_ ? reports_->TimeAwaited() : std::nullopt;
    if (!awaited) return;
    // Another file was selected since the timer started: its own wait counts.
    if (*awaited < kWaitingNoted) {
        StartTimer(kWaitingNoted - *awaited);
        return;
    }
    if (auto text = reports_->WaitingText(shown_.Text())) Show(std::move(*text));
}

void ReportShown::StopReading() noexcept {
    // Nothing here waits for a worker: one stuck on a hung disk is left to
    // itself, and what it reads is dropped.
    reports_.reset();
    work_.reset();
}

void ReportShown::Show(std::string report) {
    if (auto changed = shown_.Replace(std::move(report))) view_.ShowReport(*changed);
}

void ReportShown::StartTimer(std::chrono::milliseconds delay) {
    isTimerSet_ = true;
    host_.StartTimer(WindowHost::Timer::Waiting, delay);
}

}  // namespace Window
