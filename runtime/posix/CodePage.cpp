#include "../CodePage.h"

#include <algorithm>
#include <array>
#include <cerrno>

#include "../Utf8Text.h"
#include "IconvHandle.h"

namespace Runtime {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

std::string Cp932ToUtf8(std::span<const std::uint8_t> bytes) {
    // Code page 932 keeps ASCII as it is (0x5C included), so most titles
    // need no conversion at all.
    if (IsAscii(bytes)) return {bytes.begin(), bytes.end()};

    IconvHandle converter("UTF-8", "CP932");
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 2);
    // A fixed chunk: a forged title may be hundreds of megabytes long.
    std::array<char, 16384> chunk{};
    auto* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* out = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t result = ::iconv(converter.Get(), &in, &inLeft, &out, &outLeft);
        text.append(chunk.data(), static_cast<std::size_t>(out - chunk.data()));
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ: a byte the code page does not map; EINVAL: a lead byte cut
        // off by the end. Either way one byte becomes U+FFFD and decoding
        // goes on with the next.
        text.append(kReplacement);
        ++in;
        --inLeft;
    }
    return text;
}

}  // namespace Runtime
