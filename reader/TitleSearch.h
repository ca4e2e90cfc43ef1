#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace MIDTitle {

// The track bytes the title search can reach: a pair found at the last
// position of the 5000-byte window, its type byte and a length of up to four
// bytes.
inline constexpr std::size_t kSearchWindow = 5000;
inline constexpr std::size_t kSearchReach = kSearchWindow + 4;

// Where the title's text lies in the track data, or the message that says
// why there is none.
struct TitleLocation {
    std::uint64_t Start = 0;
    std::uint64_t Length = 0;
    std::string_view Problem;  // empty when Start and Length hold

    bool operator==(const TitleLocation&) const = default;
};

// Looks for the first text (FF 01) or sequence/track name (FF 03) event that
// starts in the first 5000 bytes of a track of trackLength bytes. head holds
// the first min(trackLength, kSearchReach) bytes of it. Scans raw bytes, not
// events, so a pair inside other data counts too.
TitleLocation FindTitle(std::span<const std::uint8_t> head, std::uint64_t trackLength);

}  // namespace MIDTitle
