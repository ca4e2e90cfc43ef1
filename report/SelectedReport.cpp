#include "SelectedReport.h"

#include "MIDTitle.h"
#include "PathChain.h"
#include "Report.h"

std::string ReportForEntry(std::string_view nativeFolder, std::string_view readableFolder,
                           const Runtime::FolderEntry& entry) {
    // Only the selected entry is read: nothing on this path walks the list.
    const MIDTitle::MidInfo info =
        MIDTitle::GetMidInfo(Runtime::PathFromNative(Runtime::ChildPath(nativeFolder, entry.NativeName)));
    return ComposeReport(Runtime::ChildPath(readableFolder, entry.DisplayName), info);
}

std::optional<std::string> ShownReport::Replace(std::string report) {
    if (report == shown_) return std::nullopt;
    shown_ = std::move(report);
    return shown_;
}
