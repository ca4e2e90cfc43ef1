#include <gtest/gtest.h>

#include "Messages.h"
#include "SmfBytes.h"
#include "TitleSearch.h"

using MIDTitle::FindTitle;
using MIDTitle::TitleLocation;
namespace Messages = MIDTitle::Messages;

namespace {

// Track data of the given size, filled with a byte that starts no event,
// with bytes placed at an offset; what would run past the end is cut off.
Bytes Filler(std::size_t size, std::size_t at = 0, const Bytes& placed = {}) {
    Bytes data(size, 0x90);
    const std::size_t count = std::min(placed.size(), size - at);
    std::copy_n(placed.begin(), count, data.begin() + static_cast<std::ptrdiff_t>(at));
    return data;
}

TitleLocation Found(std::uint64_t start, std::uint64_t length) { return {start, length, {}}; }
TitleLocation Problem(std::string_view message) { return {0, 0, message}; }

}  // namespace

// Each track is searched as the reader does: through its first kSearchReach bytes only.
TEST(FindTitle, LocatesTheFirstTextOrNameEventInTheWindow) {
    const struct { const char* why; Bytes track; TitleLocation expected; } cases[] = {
        {"name event at 1, its text at 4", {0x00, 0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g', 0x00, 0xFF, 0x2F, 0x00},
         Found(4, 4)},
        {"first pair wins, a text event too", {0xFF, 0x01, 0x01, 'a', 0xFF, 0x03, 0x01, 'b'}, Found(3, 1)},
        {"copyright and lyric are passed over", {0xFF, 0x02, 0x01, 'c', 0xFF, 0x05, 0x01, 'l', 0xFF, 0x03, 0x01, 'n'},
         Found(11, 1)},
        {"pair inside other data, empty title", {0x90, 0x3C, 0xFF, 0x03, 0x00}, Found(5, 0)},
        {"length 0x7F", Filler(130, 0, {0xFF, 0x03, 0x7F}), Found(3, 127)},
        {"two-byte length 81 00 is 128", Filler(132, 0, {0xFF, 0x03, 0x81, 0x00}), Found(4, 128)},
        {"three-byte length", Filler(16390, 0, {0xFF, 0x03, 0x81, 0x80, 0x00}), Found(5, 16384)},
        {"four-byte length", Filler(40, 0, {0xFF, 0x03, 0x80, 0x80, 0x80, 0x01}), Found(6, 1)},
        {"title ends on the last byte", {0xFF, 0x03, 0x02, 'a', 'b'}, Found(3, 2)},
        {"pair at 4998 is found", Filler(6000, 4998, {0xFF, 0x03, 0x01}), Found(5001, 1)},
        {"four-byte length at 4998 still lies in the head", Filler(9000, 4998, {0xFF, 0x03, 0x80, 0x80, 0x81, 0x00}),
         Found(5004, 128)},
        {"pair at 4999 is not", Filler(6000, 4999, {0xFF, 0x03, 0x01}), Problem(Messages::kTitleNotFound)},
        {"no pair", {0x00, 0xFF, 0x2F, 0x00}, Problem(Messages::kTitleNotFound)},
        {"FF alone on the last byte", {0x00, 0xFF}, Problem(Messages::kTitleNotFound)},
        {"track of one byte", {0xFF}, Problem(Messages::kTitleNotFound)},
        {"track of no bytes", {}, Problem(Messages::kTitleNotFound)},
        {"title one byte past the end", {0xFF, 0x03, 0x03, 'a', 'b'}, Problem(Messages::kTitleLengthBroken)},
        {"length byte cut off", {0x00, 0xFF, 0x03}, Problem(Messages::kTitleLengthBroken)},
        {"second length byte cut off", {0x00, 0xFF, 0x03, 0x81}, Problem(Messages::kTitleLengthBroken)},
        {"length cut off at the end of a 5000-byte track", Filler(5000, 4998, {0xFF, 0x03, 0x01}),
         Problem(Messages::kTitleLengthBroken)},
        {"length longer than four bytes", Filler(40, 0, {0xFF, 0x03, 0x80, 0x80, 0x80, 0x80, 0x01}),
         Problem(Messages::kTitleLengthBroken)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto head = std::span(c.track).first(std::min(c.track.size(), MIDTitle::kSearchReach));
        EXPECT_EQ(FindTitle(head, c.track.size()), c.expected);
    }
}
