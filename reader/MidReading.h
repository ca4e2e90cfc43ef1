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

}  // namespace MIDTitle
