#include "ReadableName.h"

#include <cstdint>
#include <span>

#include "CodePage.h"
#include "PathSeparator.h"
#include "Utf8Text.h"

namespace Runtime {

bool IsValidUtf8(std::string_view bytes) noexcept {
    while (!bytes.empty()) {
        const DecodedCharacter decoded = DecodeFirstCharacter(bytes);
        // U+FFFD in the text itself takes three bytes; a broken sequence gives it for one.
        if (decoded.CodePoint == kReplacementCharacter && decoded.Length == 1) return false;
        bytes.remove_prefix(decoded.Length);
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
