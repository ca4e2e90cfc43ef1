#include <gtest/gtest.h>

#include "MIDTitle.h"
#include "Messages.h"
#include "RuntimeError.h"
#include "SmfBytes.h"
#include "TempFolder.h"

using MIDTitle::GetMidInfo;
using MIDTitle::MidInfo;
namespace Messages = MIDTitle::Messages;

namespace {

std::string Text(std::string_view message) { return std::string(message); }

Bytes TrackWithLength(std::uint32_t length, const Bytes& data) {
    return Ascii("MTrk") + BigEndian32(length) + data;
}

}  // namespace

TEST(GetMidInfo, ReportsEveryOutcome) {
    const Bytes song = NamedTrackData(Ascii("Song"));
    const struct {
        const char* why;
        Bytes file;
        MidInfo expected;
    } cases[] = {
        {"worked example", WorkedExample(), {1, 2, 480, "Song"}},
        {"empty file", {}, {0, 0, 0, Text(Messages::kFileTooShort)}},
        {"20 bytes", Bytes(20, 'M'), {0, 0, 0, Text(Messages::kFileTooShort)}},
        {"RIFF wrapper", Ascii("RIFF") + BigEndian32(26) + Ascii("RMIDdata") + WorkedExample(),
         {0, 0, 0, Text(Messages::kNotMidiFile)}},
        {"id in lower case", Ascii("mthd") + Bytes(30, 0), {0, 0, 0, Text(Messages::kNotMidiFile)}},
        {"no tracks", Header(0, 0, 0, 0, 0, 96) + Track(song), {0, 0, 96, Text(Messages::kNoTracks)}},
        {"header chunk longer than 6", Ascii("MThd") + BigEndian32(8) + Bytes{0, 1, 0, 1, 0, 96, 0, 0} + Track(song),
         {1, 1, 96, Text(Messages::kTrackNotFound)}},
        {"header length field is not read", Ascii("MThd") + BigEndian32(0xFFFFFFFF) + Bytes{0, 0, 0, 1, 0, 96} +
                                                Track(song),
         {0, 1, 96, "Song"}},
        {"next chunk is not a track", StandardHeader() + Ascii("XFIH") + BigEndian32(12) + song,
         {1, 2, 480, Text(Messages::kTrackNotFound)}},
        {"track one byte longer than the file", StandardHeader() + TrackWithLength(13, song),
         {1, 2, 480, Text(Messages::kTrackTooLong)}},
        {"track exactly fills the file", StandardHeader() + TrackWithLength(12, song), {1, 2, 480, "Song"}},
        {"track length of 2^31", StandardHeader() + TrackWithLength(0x80000000, song),
         {1, 2, 480, Text(Messages::kTrackTooLong)}},
        {"track length of 2^32 - 1", StandardHeader() + TrackWithLength(0xFFFFFFFF, song),
         {1, 2, 480, Text(Messages::kTrackTooLong)}},
        {"track of no bytes", StandardHeader() + TrackWithLength(0, {}) + Bytes{0xFF, 0x03, 0x01, 'x'},
         {1, 2, 480, Text(Messages::kTitleNotFound)}},
        {"21 bytes: missing last length byte reads as zero", StandardHeader() + Ascii("MTrk") + Bytes{0, 0, 0},
         {1, 2, 480, Text(Messages::kTrackTooLong)}},
        {"21 bytes with a high length byte", StandardHeader() + Ascii("MTrk") + Bytes{0x80, 0, 0},
         {1, 2, 480, Text(Messages::kTrackTooLong)}},
        {"no title event", StandardHeader() + Track({0x00, 0xFF, 0x2F, 0x00}),
         {1, 2, 480, Text(Messages::kTitleNotFound)}},
        {"title runs past the track", StandardHeader() + Track({0x00, 0xFF, 0x03, 0x09, 'S', 'o'}),
         {1, 2, 480, Text(Messages::kTitleLengthBroken)}},
        {"length field cut off by the track's end", StandardHeader() + Track({0x00, 0xFF, 0x03, 0x81}),
         {1, 2, 480, Text(Messages::kTitleLengthBroken)}},
        {"track stops before the file does", StandardHeader() + Track({0x00, 0xFF}) + Bytes{0x03, 0x01, 'x'},
         {1, 2, 480, Text(Messages::kTitleNotFound)}},
        {"empty title", StandardHeader() + Track({0x00, 0xFF, 0x03, 0x00}), {1, 2, 480, ""}},
        {"Shift_JIS title", StandardHeader() + Track(NamedTrackData({0x83, 0x5C, 0x83, 0x93, 0x83, 0x4F})),
         {1, 2, 480, "ソング"}},
    };
    const TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(GetMidInfo(folder.Write("case.mid", c.file)), c.expected);
    }
}

TEST(GetMidInfo, ReadsHeaderWordsUnsigned) {
    const struct {
        const char* why;
        Bytes header;
        MidInfo expected;
    } cases[] = {
        {"time-code division", Header(0, 0, 0, 1, 0xE7, 0x28), {0, 1, 59176, "Song"}},
        {"top bit of every word set", Header(0x80, 0x00, 0xFF, 0xFF, 0x80, 0x00), {32768, 65535, 32768, "Song"}},
        {"format 2", Header(0, 2, 0, 3, 0, 96), {2, 3, 96, "Song"}},
        {"track count 256", Header(0, 1, 1, 0, 0, 96), {1, 256, 96, "Song"}},
    };
    const TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto path = folder.Write("words.mid", c.header + Track(NamedTrackData(Ascii("Song"))));
        EXPECT_EQ(GetMidInfo(path), c.expected);
    }
}

TEST(GetMidInfo, ReadsLongTitlesBeyondTheSearchReach) {
    // The pair sits at the end of the search window and its text runs far
    // past the bytes the search itself looks at.
    Bytes data(4998, 0x00);
    const Bytes lengthField{0x81, 0x80, 0x00};  // 16384
    data = data + Bytes{0xFF, 0x03} + lengthField;
    Bytes title(16384, 'a');
    title.front() = 'S';
    title.back() = 'E';
    data = data + title + Bytes{0x00, 0xFF, 0x2F, 0x00};
    const TempFolder folder;
    const MidInfo info = GetMidInfo(folder.Write("long.mid", StandardHeader() + Track(data)));
    EXPECT_EQ(info.Title, std::string(title.begin(), title.end()));
}

TEST(GetMidInfo, SameFileGivesEqualRecords) {
    const TempFolder folder;
    const auto path = folder.Write("again.mid", WorkedExample());
    EXPECT_EQ(GetMidInfo(path), GetMidInfo(path));
}
