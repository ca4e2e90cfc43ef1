#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace Runtime {

// The byte classes of UTF-8 and of the ASCII inside it, for code that walks
// text a byte at a time.

constexpr bool IsAscii(unsigned char byte) noexcept { return byte < 0x80; }

inline bool IsAscii(std::span<const std::uint8_t> bytes) noexcept {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return IsAscii(byte); });
}

// A byte that only goes on a sequence a lead byte began.
constexpr bool IsContinuation(unsigned char byte) noexcept { return (byte & 0xC0) == 0x80; }

// Bytes the sequence lead begins claims by its high bits alone, well-formed
// or not; a continuation or ASCII byte claims itself.
constexpr std::size_t SequenceLength(unsigned char lead) noexcept {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// C0 controls and DEL.
constexpr bool IsAsciiControl(unsigned char byte) noexcept { return byte < 0x20 || byte == 0x7F; }

// The C1 controls U+0080 to U+009F, C2 80 to C2 9F in UTF-8.
constexpr bool StartsWithC1Control(std::string_view text) noexcept {
    return text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xC2 &&
           (static_cast<unsigned char>(text[1]) & 0xE0) == 0x80;
}

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

struct DecodedCharacter {
    char32_t CodePoint = 0;
    std::size_t Length = 0;  // bytes it took, at least 1
};

// The character utf8 (not empty) starts with. A byte that starts no
// well-formed sequence (a stray continuation, an overlong form, a surrogate,
// past U+10FFFF, cut short) gives U+FFFD and length 1, so decoding always
// moves on and the bytes after it are read as they are.
DecodedCharacter DecodeFirstCharacter(std::string_view utf8) noexcept;

void AppendUtf8(std::string& text, char32_t codePoint);

}  // namespace Runtime
