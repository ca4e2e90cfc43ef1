#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace TitleList {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

struct DecodedCharacter {
    char32_t codePoint = 0;
    std::size_t length = 0;  // bytes it took, at least 1
};

// The character utf8 (not empty) starts with. A byte that starts no
// well-formed sequence (a stray continuation, an overlong form, a surrogate,
// past U+10FFFF, cut short) gives U+FFFD and length 1, so decoding always
// moves on and the bytes after it are read as they are.
DecodedCharacter DecodeFirstCharacter(std::string_view utf8) noexcept;

void AppendUtf8(std::string& text, char32_t codePoint);

}  // namespace TitleList
