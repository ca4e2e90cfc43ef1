// The reader on every platform: what GetMidInfo makes of each kind of file,
// and where the title search finds a title in the first track.
#include <gtest/gtest.h>

#include "MIDTitle.h"
#include "Messages.h"
#include "SmfBytes.h"
#include "TempFolder.h"
#include "TitleSearch.h"

using MIDTitle::MidInfo;
using MIDTitle::TitleLocation;
using namespace MIDTitle::Messages;

namespace {

MidInfo Failed(std::string_view message, std::int32_t format = 1, std::int32_t tracks = 2, std::int32_t ticks = 480) {
    return {format, tracks, ticks, std::string(message)};
}

// Track data of the given size, filled with a byte that starts no event,
// with bytes placed at an offset; what would run past the end is cut off.
Bytes Filler(std::size_t size, std::size_t at = 0, const Bytes& placed = {}) {
    Bytes data(size, 0x90);
    std::copy_n(placed.begin(), std::min(placed.size(), size - at), data.begin() + static_cast<std::ptrdiff_t>(at));
    return data;
}

TitleLocation Found(std::uint64_t start, std::uint64_t length) { return {start, length, {}}; }
TitleLocation Problem(std::string_view message) { return {0, 0, message}; }

}  // namespace

TEST(GetMidInfo, ReportsEveryOutcomeAndTheSameOnEveryCall) {
    const Bytes song = NamedTrackData(Ascii("Song")), smf = StandardHeader();
    // Reaches past the 5004 bytes read first: a 16384-byte title whose pair sits at the window's last position.
    const std::string longTitle = "S" + std::string(16382, 'a') + "E";
    const struct { const char* why; Bytes file; MidInfo expected; } cases[] = {
        {"two-track song, first track named", NamedTwoTrackSong(), {1, 2, 480, "Song"}},
        {"empty file", {}, Failed(kFileTooShort, 0, 0, 0)},
        {"20 bytes", Bytes(20, 'M'), Failed(kFileTooShort, 0, 0, 0)},
        {"RIFF wrapper", Ascii("RIFFxxxxRMIDdata") + NamedTwoTrackSong(), Failed(kNotMidiFile, 0, 0, 0)},
        {"id in lower case", Ascii("mthd") + Bytes(30, 0), Failed(kNotMidiFile, 0, 0, 0)},
        {"no tracks", Header(0, 0, 0, 0, 0, 96) + Track(song), Failed(kNoTracks, 0, 0, 96)},
        {"time-code division", Header(0, 0, 0, 1, 0xE7, 0x28) + Track(song), {0, 1, 59176, "Song"}},
        {"top bit of every word set", Header(0x80, 0, 0xFF, 0xFF, 0x80, 0) + Track(song), {32768, 65535, 32768, "Song"}},
        {"header chunk longer than 6", Ascii("MThd") + BigEndian32(8) + Bytes{0, 1, 0, 1, 0, 96, 0, 0} + Track(song),
         Failed(kTrackNotFound, 1, 1, 96)},
        {"next chunk is not a track", smf + Ascii("XFIH") + BigEndian32(12) + song, Failed(kTrackNotFound)},
        {"track one byte longer than the file", smf + TrackWithLength(13, song), Failed(kTrackTooLong)},
        {"track exactly fills the file", smf + TrackWithLength(12, song), {1, 2, 480, "Song"}},
        {"track length of 2^31", smf + TrackWithLength(0x80000000, song), Failed(kTrackTooLong)},
        {"track length of 2^32 - 1", smf + TrackWithLength(0xFFFFFFFF, song), Failed(kTrackTooLong)},
        {"track of no bytes", smf + TrackWithLength(0, {}) + Bytes{0xFF, 0x03, 0x01, 'x'}, Failed(kTitleNotFound)},
        {"21 bytes: last length byte reads as zero", smf + Ascii("MTrk") + Bytes{0, 0, 0}, Failed(kTrackTooLong)},
        {"title runs past the track", smf + Track({0x00, 0xFF, 0x03, 0x09, 'S', 'o'}), Failed(kTitleLengthBroken)},
        {"track ends before the file", smf + Track({0x00, 0xFF}) + Bytes{0x03, 0x01, 'x'}, Failed(kTitleNotFound)},
        {"Shift_JIS title", smf + Track(NamedTrackData({0x83, 0x5C, 0x83, 0x93, 0x83, 0x4F})), {1, 2, 480, "ソング"}},
        {"title beyond the first read", smf + Track(Bytes(4998, 0) + Bytes{0xFF, 0x03, 0x81, 0x80, 0x00} + Ascii(longTitle)),
         {1, 2, 480, longTitle}},
        {"title of 70000 bytes is cut to 64 KiB", smf + Track(Bytes{0xFF, 0x03, 0x84, 0xA2, 0x70} + Bytes(70000, 'b')),
         {1, 2, 480, std::string(65536, 'b')}},
    };
    const TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto path = folder.Write("case.mid", c.file);
        EXPECT_EQ(MIDTitle::GetMidInfo(path), c.expected);
        EXPECT_EQ(MIDTitle::GetMidInfo(path), c.expected);
    }
}

// Each track is searched as the reader does: through its first kSearchReach bytes only.
TEST(FindTitle, LocatesTheFirstTextOrNameEventInTheWindow) {
    const TitleLocation none = Problem(kTitleNotFound), broken = Problem(kTitleLengthBroken);
    const struct { const char* why; Bytes track; TitleLocation expected; } cases[] = {
        {"name event at 1, its text at 4", {0x00, 0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g', 0x00, 0xFF, 0x2F}, Found(4, 4)},
        {"first pair wins, a text event too", {0xFF, 0x01, 0x01, 'a', 0xFF, 0x03, 0x01, 'b'}, Found(3, 1)},
        {"copyright, lyric passed over", {0xFF, 0x02, 1, 'c', 0xFF, 0x05, 1, 'l', 0xFF, 0x03, 1, 'n'}, Found(11, 1)},
        {"pair inside other data, empty title", {0x90, 0x3C, 0xFF, 0x03, 0x00}, Found(5, 0)},
        {"length 0x7F", Filler(130, 0, {0xFF, 0x03, 0x7F}), Found(3, 127)},
        {"two-byte length 81 00 is 128", Filler(132, 0, {0xFF, 0x03, 0x81, 0x00}), Found(4, 128)},
        {"three-byte length", Filler(16390, 0, {0xFF, 0x03, 0x81, 0x80, 0x00}), Found(5, 16384)},
        {"four-byte length", Filler(40, 0, {0xFF, 0x03, 0x80, 0x80, 0x80, 0x01}), Found(6, 1)},
        {"title ends on the last byte", {0xFF, 0x03, 0x02, 'a', 'b'}, Found(3, 2)},
        {"pair at 4998 is found", Filler(6000, 4998, {0xFF, 0x03, 0x01}), Found(5001, 1)},
        {"four-byte length at 4998 in the head", Filler(9000, 4998, {0xFF, 0x03, 0x80, 0x80, 0x81, 0x00}), Found(5004, 128)},
        {"pair at 4999 is not", Filler(6000, 4999, {0xFF, 0x03, 0x01}), none},
        {"no pair", {0x00, 0xFF, 0x2F, 0x00}, none},
        {"FF alone on the last byte", {0x00, 0xFF}, none},
        {"track of one byte", {0xFF}, none},
        {"track of no bytes", {}, none},
        {"title one byte past the end", {0xFF, 0x03, 0x03, 'a', 'b'}, broken},
        {"length byte cut off", {0x00, 0xFF, 0x03}, broken},
        {"second length byte cut off", {0x00, 0xFF, 0x03, 0x81}, broken},
        {"length cut off at the end of a 5000-byte track", Filler(5000, 4998, {0xFF, 0x03, 0x01}), broken},
        {"length longer than four bytes", Filler(40, 0, {0xFF, 0x03, 0x80, 0x80, 0x80, 0x80, 0x01}), broken},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto head = std::span(c.track).first(std::min(c.track.size(), MIDTitle::kSearchReach));
        EXPECT_EQ(MIDTitle::FindTitle(head, c.track.size()), c.expected);
    }
}
