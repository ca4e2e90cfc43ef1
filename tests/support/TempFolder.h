#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "PathText.h"

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        do path_ = std::filesystem::temp_directory_path() / ("midtitle-" + std::to_string(seed()));
        while (!std::filesystem::create_directory(path_));
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }

    // Writes bytes to name inside the folder and returns the file's path.
    // On Windows the name is UTF-8; elsewhere it is the name's own bytes.
    std::filesystem::path Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
        const auto file = path_ / Runtime::PathFromUtf8(name);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

private:
    std::filesystem::path path_;
};
