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

TEST(FindTitle, LocatesTheFirstTextOrNameEvent) {
    const struct {
        const char* why;
        Bytes track;
        TitleLocation expected;
    } cases[] = {
        {"worked example: name at 1, text at 4", {0x00, 0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g', 0x00, 0xFF, 0x2F, 0x00},
         Found(4, 4)},
        {"text event counts as well", {0xFF, 0x01, 0x02, 'h', 'i'}, Found(3, 2)},
        {"first pair wins whatever its type", {0xFF, 0x01, 0x01, 'a', 0xFF, 0x03, 0x01, 'b'}, Found(3, 1)},
        {"copyright and lyric are passed over", {0xFF, 0x02, 0x01, 'c', 0xFF, 0x05, 0x01, 'l', 0xFF, 0x03, 0x01, 'n'},
         Found(11, 1)},
        {"pair inside other data is taken too", {0x90, 0x3C, 0xFF, 0x03, 0x00}, Found(5, 0)},
        {"empty name", {0xFF, 0x03, 0x00}, Found(3, 0)},
        {"length 0x7F", Filler(130, 0, {0xFF, 0x03, 0x7F}), Found(3, 127)},
        {"two-byte length 81 00 is 128", Filler(132, 0, {0xFF, 0x03, 0x81, 0x00}), Found(4, 128)},
        {"three-byte length", Filler(16390, 0, {0xFF, 0x03, 0x81, 0x80, 0x00}), Found(5, 16384)},
        {"four-byte length", Filler(40, 0, {0xFF, 0x03, 0x80, 0x80, 0x80, 0x01}), Found(6, 1)},
        {"title ends on the last byte", {0xFF, 0x03, 0x02, 'a', 'b'}, Found(3, 2)},
        {"no pair", {0x00, 0xFF, 0x2F, 0x00}, Problem(Messages::kTitleNotFound)},
        {"FF alone on the last byte", {0x00, 0xFF}, Problem(Messages::kTitleNotFound)},
        {"track of one byte", {0xFF}, Problem(Messages::kTitleNotFound)},
        {"track of no bytes", {}, Problem(Messages::kTitleNotFound)},
        {"title one byte past the end", {0xFF, 0x03, 0x03, 'a', 'b'}, Problem(Messages::kTitleLengthBroken)},
        {"length byte cut off", {0x00, 0xFF, 0x03}, Problem(Messages::kTitleLengthBroken)},
        {"second length byte cut off", {0x00, 0xFF, 0x03, 0x81}, Problem(Messages::kTitleLengthBroken)},
        {"length longer than four bytes", Filler(40, 0, {0xFF, 0x03, 0x80, 0x80, 0x80, 0x80, 0x01}),
         Problem(Messages::kTitleLengthBroken)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(FindTitle(c.track, c.track.size()), c.expected);
    }
}

TEST(FindTitle, LooksOnlyAtTheFirst5000Bytes) {
    const struct {
        const char* why;
        std::size_t pairAt;
        std::size_t trackLength;
        TitleLocation expected;
    } cases[] = {
        {"pair at 4998 is found", 4998, 6000, Found(5001, 1)},
        {"pair at 4999 is not", 4999, 6000, Problem(Messages::kTitleNotFound)},
        {"length field cut off at the end of a 5000-byte track", 4998, 5000, Problem(Messages::kTitleLengthBroken)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const Bytes track = Filler(c.trackLength, c.pairAt, {0xFF, 0x03, 0x01});
        const auto head = std::span(track).first(std::min(track.size(), MIDTitle::kSearchReach));
        EXPECT_EQ(FindTitle(head, track.size()), c.expected);
    }
    // A four-byte length at the last window position still lies in the head.
    const Bytes track = Filler(9000, 4998, {0xFF, 0x03, 0x80, 0x80, 0x81, 0x00});
    EXPECT_EQ(FindTitle(std::span(track).first(MIDTitle::kSearchReach), track.size()), Found(5004, 128));
}
