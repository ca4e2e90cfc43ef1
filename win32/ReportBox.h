#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "BackgroundWork.h"
#include "SelectedReport.h"

namespace Services {
class ReportFetcher;
struct SelectedFile;
}  // namespace Services

// Text1: the report on the file selected in File1, read on a worker. A
// report read at once is shown at once; a slower one is shown when it
// arrives, and until then, after a while, the file's name and a note that
// it is being read. A new report is shown from its end, where the title
// is; one equal to the report shown leaves the box alone, so its scroll
// position and selection stay. Compare the report side of qt/Form1. Not
// copyable or movable: the fetcher points back at it.
class ReportBox {
public:
    ReportBox();
    ReportBox(const ReportBox&) = delete;
    ReportBox& operator=(const ReportBox&) = delete;
    ~ReportBox();

    // Makes the edit box in window. Late reports come back through poster,
    // and are shown while isFileSelected says a file is still selected.
    void Create(HWND window, int id, Services::WindowPoster poster, std::function<bool()> isFileSelected);
    HWND Handle() const noexcept { return box_; }

    // Reads file and shows its report, now or when it arrives.
    void Read(const Services::SelectedFile& file);
    // No file is selected now: a report on its way is dropped.
    void Deselect();
    // The window's kWaitingTimer ran out.
    void TimerRan();
    // Drops every report on its way, for good: the window is going.
    void StopReading() noexcept;

private:
    void Show(std::string report);  // unless the box shows it already
    void ShowEnd();  // the caret left where it is
    void StartTimer(UINT milliseconds);

    HWND window_ = nullptr;
    HWND box_ = nullptr;
    // The report the box shows, as composed: comparing with it needs no text
    // read back from the box on every mouse move.
    ShownReport shown_;
    bool isTimerSet_ = false;
    // Reports first, then the workers' pool, which stops every delivery.
    std::unique_ptr<Services::BackgroundWork> work_;
    std::unique_ptr<Services::ReportFetcher> reports_;
};
