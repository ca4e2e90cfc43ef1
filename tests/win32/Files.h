#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

#include "PathText.h"
#include "SmfBytes.h"

// Writes bytes to the file named (UTF-8) inside folder, made or replaced.
inline std::filesystem::path Put(const std::filesystem::path& folder, std::string_view name, const Bytes& bytes) {
    const std::filesystem::path path = folder / Runtime::PathFromUtf8(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::filesystem::path MakeFolder(const std::filesystem::path& folder, std::string_view name) {
    const std::filesystem::path path = folder / Runtime::PathFromUtf8(name);
    std::filesystem::create_directories(path);
    return path;
}

// 春の海 / 宮城道雄 in Shift_JIS.
inline Bytes HaruNoUmi() {
    return StandardHeader() + Track(NamedTrackData({0x8F, 0x74, 0x82, 0xCC, 0x8A, 0x43, 0x20, 0x2F, 0x20, 0x8B, 0x7B,
                                                    0x8F, 0xE9, 0x93, 0xB9, 0x97, 0x59}));
}
