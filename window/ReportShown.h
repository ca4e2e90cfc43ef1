#pragma once

#include <functional>
#include <memory>
#include <string>

#include "BackgroundWork.h"
#include "ReportFetcher.h"
#include "SelectedReport.h"
#include "Views.h"

namespace Window {

// Text1: the report on the file selected in File1, read on a worker. A
// report read at once is shown at once; a slower one is shown when it
// arrives, and until then, once it has been awaited a while, the file's
// name and 読み込み中…. A report equal to the one shown leaves the box
// alone, so its scroll position and selection stay.
class ReportShown {
public:
    // Late reports come back through poster and are shown while
    // isFileSelected says a file is still selected.
    ReportShown(Services::WindowPoster poster, ReportView& view, WindowHost& host, std::function<bool()> isFileSelected,
                Services::ReadReport read = Services::ReadSelectedReport);
    ReportShown(const ReportShown&) = delete;
    ReportShown& operator=(const ReportShown&) = delete;
    ~ReportShown();  // returns at once, even with a read hanging

    // Reads file and shows its report, now or when it arrives.
    void Read(const Services::SelectedFile& file);
    // No file is selected now: a report on its way is dropped.
    void Deselect();
    // The waiting timer ran out.
    void TimerRan();
    // Drops every report on its way, for good: the window is going.
    void StopReading() noexcept;

    const std::string& Text() const noexcept { return shown_.Text(); }

private:
    void Show(std::string report);  // unless the box shows it already
    void StartTimer(std::chrono::milliseconds delay);

    ReportView& view_;
    WindowHost& host_;
    ShownReport shown_;
    bool isTimerSet_ = false;
    // Reports first, then the workers' pool, which stops every delivery.
    std::unique_ptr<Services::BackgroundWork> work_;
    std::unique_ptr<Services::ReportFetcher> reports_;
};

}  // namespace Window
