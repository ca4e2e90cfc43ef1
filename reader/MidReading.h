#pragma once

#include <filesystem>

#include "MIDTitle.h"

namespace MIDTitle {

// What GetMidInfo learns, and whether Title is a title found in the file or
// the message that says why there is none. A title may read like a message
// ("ファイルが異常です" is a fine name for a song), so only the reader can
// tell the two apart.
struct MidReading {
    MidInfo Info;
    bool HasTitle = false;

    bool operator==(const MidReading&) const = default;
};

// GetMidInfo with the answer to that question beside it.
MidReading ReadMidInfo(const std::filesystem::path& path) noexcept;

// ReadMidInfo for a file a folder listing has just shown as a normal file
// (not hidden, regular): the lookup before opening, which the listing has
// made already, is left out. A name swapped since for something else is
// still turned away, by the check after opening.
MidReading ReadListedMidInfo(const std::filesystem::path& path) noexcept;

}  // namespace MIDTitle
