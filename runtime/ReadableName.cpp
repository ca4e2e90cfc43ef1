#include "ReadableName.h"

#include <cstdint>
#include <span>

#include "CodePage.h"
#include "PathSeparator.h"

namespace Runtime {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

bool IsValidUtf8(std::string_view bytes) noexcept {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        // The bounds on the second byte rule out overlong forms (E0, F0),
        // surrogates (ED) and code points past U+10FFFF (F4).
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (bytes.size() - at < length) return false;
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        if (second < low || second > high) return false;
        for (std::size_t i = 2; i < length; ++i) {
            if (!IsContinuation(static_cast<unsigned char>(bytes[at + i]))) return false;
        }
        at += length;
    }
    return true;
}

std::string ReadableName(std::string_view nativeName) {
    if (IsValidUtf8(nativeName)) return std::string(nativeName);
    const auto* data = reinterpret_cast<const std::uint8_t*>(nativeName.data());
    return Cp932ToUtf8(std::span<const std::uint8_t>(data, nativeName.size()));
}

std::string ReadablePath(std::string_view nativePath) {
    if (IsValidUtf8(nativePath)) return std::string(nativePath);
    std::string readable;
    readable.reserve(nativePath.size() * 2);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = nativePath.find(kPathSeparator, start);
        readable += ReadableName(nativePath.substr(start, end - start));
        if (end == std::string_view::npos) break;
        readable += kPathSeparator;
        start = end + 1;
    }
    return readable;
}

}  // namespace Runtime
