#include <gtest/gtest.h>

#include "MIDTitle.h"
#include "Messages.h"
#include "SmfBytes.h"
#include "TempFolder.h"

using MIDTitle::GetMidInfo;
using MIDTitle::MidInfo;
using namespace MIDTitle::Messages;

namespace {

MidInfo Failed(std::string_view message, std::int32_t format = 1, std::int32_t tracks = 2, std::int32_t ticks = 480) {
    return {format, tracks, ticks, std::string(message)};
}

}  // namespace

TEST(GetMidInfo, ReportsEveryOutcomeAndTheSameOnEveryCall) {
    const Bytes song = NamedTrackData(Ascii("Song"));
    // Reaches past the 5004 bytes read first: a 16384-byte title whose pair sits at the window's last position.
    const std::string longTitle = "S" + std::string(16382, 'a') + "E";
    const struct { const char* why; Bytes file; MidInfo expected; } cases[] = {
        {"two-track song, first track named", NamedTwoTrackSong(), {1, 2, 480, "Song"}},
        {"empty file", {}, Failed(kFileTooShort, 0, 0, 0)},
        {"20 bytes", Bytes(20, 'M'), Failed(kFileTooShort, 0, 0, 0)},
        {"RIFF wrapper", Ascii("RIFF") + BigEndian32(26) + Ascii("RMIDdata") + NamedTwoTrackSong(),
         Failed(kNotMidiFile, 0, 0, 0)},
        {"id in lower case", Ascii("mthd") + Bytes(30, 0), Failed(kNotMidiFile, 0, 0, 0)},
        {"no tracks", Header(0, 0, 0, 0, 0, 96) + Track(song), Failed(kNoTracks, 0, 0, 96)},
        {"time-code division", Header(0, 0, 0, 1, 0xE7, 0x28) + Track(song), {0, 1, 59176, "Song"}},
        {"top bit of every word set", Header(0x80, 0x00, 0xFF, 0xFF, 0x80, 0x00) + Track(song),
         {32768, 65535, 32768, "Song"}},
        {"header chunk longer than 6", Ascii("MThd") + BigEndian32(8) + Bytes{0, 1, 0, 1, 0, 96, 0, 0} + Track(song),
         Failed(kTrackNotFound, 1, 1, 96)},
        {"next chunk is not a track", StandardHeader() + Ascii("XFIH") + BigEndian32(12) + song,
         Failed(kTrackNotFound)},
        {"track one byte longer than the file", StandardHeader() + TrackWithLength(13, song), Failed(kTrackTooLong)},
        {"track exactly fills the file", StandardHeader() + TrackWithLength(12, song), {1, 2, 480, "Song"}},
        {"track length of 2^31", StandardHeader() + TrackWithLength(0x80000000, song), Failed(kTrackTooLong)},
        {"track length of 2^32 - 1", StandardHeader() + TrackWithLength(0xFFFFFFFF, song), Failed(kTrackTooLong)},
        {"track of no bytes", StandardHeader() + TrackWithLength(0, {}) + Bytes{0xFF, 0x03, 0x01, 'x'},
         Failed(kTitleNotFound)},
        {"21 bytes: missing last length byte reads as zero", StandardHeader() + Ascii("MTrk") + Bytes{0, 0, 0},
         Failed(kTrackTooLong)},
        {"title runs past the track", StandardHeader() + Track({0x00, 0xFF, 0x03, 0x09, 'S', 'o'}),
         Failed(kTitleLengthBroken)},
        {"track stops before the file does", StandardHeader() + Track({0x00, 0xFF}) + Bytes{0x03, 0x01, 'x'},
         Failed(kTitleNotFound)},
        {"Shift_JIS title", StandardHeader() + Track(NamedTrackData({0x83, 0x5C, 0x83, 0x93, 0x83, 0x4F})),
         {1, 2, 480, "ソング"}},
        {"title beyond the first read", StandardHeader() + Track(Bytes(4998, 0) + Bytes{0xFF, 0x03, 0x81, 0x80, 0x00} +
                                                                 Ascii(longTitle) + Bytes{0x00, 0xFF, 0x2F, 0x00}),
         {1, 2, 480, longTitle}},
        {"title of 70000 bytes is cut to 64 KiB", StandardHeader() + Track(Bytes{0xFF, 0x03, 0x84, 0xA2, 0x70} +
                                                                          Bytes(70000, 'b')),
         {1, 2, 480, std::string(65536, 'b')}},
    };
    const TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto path = folder.Write("case.mid", c.file);
        EXPECT_EQ(GetMidInfo(path), c.expected);
        EXPECT_EQ(GetMidInfo(path), c.expected);
    }
}
