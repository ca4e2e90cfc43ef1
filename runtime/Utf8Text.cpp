#include "Utf8Text.h"

namespace Runtime {

DecodedCharacter DecodeFirstCharacter(std::string_view utf8) noexcept {
    constexpr DecodedCharacter kBroken{kReplacementCharacter, 1};
    const auto lead = static_cast<unsigned char>(utf8[0]);
    if (IsAscii(lead)) return {lead, 1};
    // The bounds on the second byte rule out overlong forms (E0, F0),
    // surrogates (ED) and code points past U+10FFFF (F4).
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return kBroken;
    }
    if (utf8.size() < length) return kBroken;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (i == 1 ? byte < low || byte > high : !IsContinuation(byte)) return kBroken;
        codePoint = codePoint << 6 | (byte & 0x3Fu);
    }
    return {codePoint, length};
}

void AppendUtf8(std::string& text, char32_t codePoint) {
    const auto byte = [&text](char32_t value) { text += static_cast<char>(static_cast<unsigned char>(value)); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | codePoint >> 6);
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | codePoint >> 12);
        byte(0x80 | (codePoint >> 6 & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | codePoint >> 18);
        byte(0x80 | (codePoint >> 12 & 0x3F));
        byte(0x80 | (codePoint >> 6 & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace Runtime
