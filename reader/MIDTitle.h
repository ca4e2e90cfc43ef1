#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace MIDTitle {

// What the reader learns of one Standard MIDI File. Numbers are set as soon
// as they are read and kept when a later step fails; Title then holds the
// message that says why there is no title.
struct MidInfo {
    std::int32_t Format = 0;
    std::int32_t Tracks = 0;
    std::int32_t Resolution = 0;
    std::string Title;  // UTF-8

    bool operator==(const MidInfo&) const = default;
};

// Reads the header chunk and the start of the first track chunk of the file
// at path. Never fails outward: every failure ends as a message in Title.
// Opens the file read-only and closes it before returning.
MidInfo GetMidInfo(const std::filesystem::path& path) noexcept;

}  // namespace MIDTitle
