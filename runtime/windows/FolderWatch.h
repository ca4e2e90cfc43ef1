#pragma once

#include <string>
#include <string_view>

#include "ChangeNotification.h"

namespace Runtime {

// Whether the folder a list shows changed on disk: its entries, or the
// folder itself removed or renamed away, which only the folder above hears
// of. Asked on a timer by the window, so changes are gathered between two
// asks and a burst costs one listing. Compare qt/FolderWatch, which does the
// same with QFileSystemWatcher.
class FolderWatch {
public:
    // Watches folder instead of the one watched so far; the same folder
    // again is only watched anew when its watch was let go.
    void Watch(std::string_view folder);

    // A listing after a change just ended, and took this long: a folder
    // that takes long to list is read less often during a burst of changes.
    void NoteListingTook(unsigned long long milliseconds) noexcept;

    // Whether the list must be read again. Never waits; says no for a
    // short while after each listing, so a burst that never pauses still
    // leaves the window time for the person.
    bool HasChanged();

private:
    bool HasGoneWhileHeld();

    std::string watched_;
    unsigned long long watchedAt_ = 0;
    unsigned long long listedAt_ = 0;
    unsigned long long gathering_ = 0;
    ChangeNotification folder_;
    ChangeNotification above_;
};

}  // namespace Runtime
