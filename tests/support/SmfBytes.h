#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

// Builders for Standard MIDI File bytes, so each test states only what it
// changes.
using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes left, const Bytes& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

inline Bytes Ascii(std::string_view text) { return {text.begin(), text.end()}; }

inline Bytes BigEndian32(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

inline Bytes Header(std::uint8_t formatHigh, std::uint8_t formatLow, std::uint8_t tracksHigh,
                    std::uint8_t tracksLow, std::uint8_t divisionHigh, std::uint8_t divisionLow) {
    return Ascii("MThd") + BigEndian32(6) +
           Bytes{formatHigh, formatLow, tracksHigh, tracksLow, divisionHigh, divisionLow};
}

// Format 1, two tracks, 480 ticks per quarter note.
inline Bytes StandardHeader() { return Header(0, 1, 0, 2, 0x01, 0xE0); }

// A track chunk whose length field may say anything about the data that follows.
inline Bytes TrackWithLength(std::uint32_t length, const Bytes& data) {
    return Ascii("MTrk") + BigEndian32(length) + data;
}

// A track chunk whose length field says exactly how much data follows.
inline Bytes Track(const Bytes& data) { return TrackWithLength(static_cast<std::uint32_t>(data.size()), data); }

// A track-name event at time 0 followed by the end of the track.
inline Bytes NamedTrackData(const Bytes& name) {
    Bytes data{0x00, 0xFF, 0x03, static_cast<std::uint8_t>(name.size())};
    return data + name + Bytes{0x00, 0xFF, 0x2F, 0x00};
}

// A small valid file whose first track is named title (up to 127 bytes).
inline Bytes TitledSong(std::string_view title) { return StandardHeader() + Track(NamedTrackData(Ascii(title))); }

// The 34-byte file: format 1, 2 tracks, 480 ticks, titled "Song".
inline Bytes NamedTwoTrackSong() { return TitledSong("Song"); }
