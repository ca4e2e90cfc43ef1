#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

#include "PathText.h"
#include "SmfBytes.h"

// Writes bytes to the file named (UTF-8) inside folder, made with its folders, or replaced.
inline std::filesystem::path Put(const std::filesystem::path& folder, std::string_view name, const Bytes& bytes) {
    const std::filesystem::path path = (folder / Runtime::PathFromUtf8(name)).make_preferred();
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}
