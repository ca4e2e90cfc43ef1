#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace Runtime {

// Paths travel as UTF-8 text above the runtime. On Windows a path made from
// a plain std::string is read in the ANSI code page, which mangles any
// character outside it; going through char8_t makes the conversion UTF-8 on
// every platform (UTF-16 inside on Windows, the bytes unchanged on Linux).
inline std::filesystem::path PathFromUtf8(std::string_view text) {
    std::u8string utf8(text.size(), u8'\0');
    for (std::size_t i = 0; i < text.size(); ++i) utf8[i] = static_cast<char8_t>(text[i]);
    return std::filesystem::path(utf8);
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    std::string text(utf8.size(), '\0');
    for (std::size_t i = 0; i < utf8.size(); ++i) text[i] = static_cast<char>(utf8[i]);
    return text;
}

}  // namespace Runtime
