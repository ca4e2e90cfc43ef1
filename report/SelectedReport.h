#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "FolderContents.h"

// The report on one entry of a file list: the entry's file is read again
// (nothing is cached), its full path joined from the list's folder, native
// for opening and readable for the report's first line.
std::string ReportForEntry(std::string_view nativeFolder, std::string_view readableFolder,
                           const Runtime::FolderEntry& entry);

// The report a text box shows. Every trigger composes the report anew, but
// one that equals what is shown leaves the box alone, so moving the mouse
// keeps the box's scroll position and selection.
class ShownReport {
public:
    // The report to put into the box, or nothing when the box shows it already.
    std::optional<std::string> Replace(std::string report);

    const std::string& Text() const noexcept { return shown_; }

private:
    std::string shown_;
};
