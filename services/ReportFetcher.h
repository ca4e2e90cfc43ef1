#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "BackgroundWork.h"
#include "FolderContents.h"
#include "NewestWins.h"

namespace Services {

// The file selected in a file list, as the report names and opens it.
struct SelectedFile {
    std::string NativeFolder;
    std::string ReadableFolder;
    Runtime::FolderEntry Entry;
};

// Reads a file and composes its report; ReportForEntry unless a test
// supplies a slower one.
using ReadReport = std::function<std::string(const SelectedFile&)>;
std::string ReadSelectedReport(const SelectedFile& file);

// The reports on the selected file, read on a worker, the newest request
// winning as NewestWins has it, with the file as its key. Every request reads
// the file anew, except that while a read of that same file is running, a
// request for it waits for that read instead of starting another. A report
// arrives only while its file is still the selected one, and a request for
// another file replaces one not started yet.
class ReportFetcher {
public:
    ReportFetcher(BackgroundWork& work, std::function<void(std::string)> onReport,
                  ReadReport read = ReadSelectedReport);
    ~ReportFetcher();  // on the window's thread: no report arrives after this
    // Everything else on the window's thread too.
    ReportFetcher(const ReportFetcher&) = delete;
    ReportFetcher& operator=(const ReportFetcher&) = delete;

    // Selects file and asks for its report. A report read within patience
    // is returned; a later one goes to onReport on the window's thread. A
    // file whose last read outlasted the patience is not waited for again
    // until one of its reads is quick.
    std::optional<std::string> Request(const SelectedFile& file, std::chrono::milliseconds patience);

    // No file is selected now: reports on their way are dropped.
    void Deselect();

    // How long the selected file's report has been awaited; nothing when
    // it is not awaited.
    std::optional<std::chrono::milliseconds> TimeAwaited() const;

    // What the text box shows while the selected file's report is awaited:
    // the report's first line, then "読み込み中…". Nothing when no report is
    // awaited, or when shown already names that file (an older report of
    // it stays until the new one arrives).
    std::optional<std::string> WaitingText(std::string_view shown) const;

private:
    using Clock = std::chrono::steady_clock;
    struct Reading;

    std::shared_ptr<Reading> reading_;
    std::function<void(std::string)> onReport_;
    std::optional<SelectedFile> selected_;
    std::optional<Clock::time_point> awaitedSince_;
    // Keyed by the file's native path. Last: it goes first, so nothing is
    // delivered to the members above once they are gone.
    NewestWins<std::optional<std::string>> newest_;
};

}  // namespace Services
