#include "../CodePage.h"

#include <windows.h>

#include <algorithm>

#include "../RuntimeError.h"
#include "../Utf8Text.h"
#include "../WideText.h"

namespace Runtime {

namespace {

constexpr unsigned kCodePage = 932;
constexpr wchar_t kReplacement = L'\uFFFD';

// Windows' table gives the single bytes code page 932 leaves unassigned
// stand-in code points, so they survive a round trip: 0x80 becomes the C1
// control U+0080 and 0xA0, 0xFD to 0xFF become U+F8F0 to U+F8F3, and with
// MB_ERR_INVALID_CHARS some versions still pass them. Neither is a
// character, so such a byte counts as unmapped, as it does in glibc's CP932.
bool IsStandIn(wchar_t c) { return (c >= 0x80 && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF); }

// Decodes one character of one or two bytes; 0 when the code page has none.
wchar_t DecodeCharacter(const std::uint8_t* bytes, int length) {
    wchar_t character = 0;
    const int count = ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                            length, &character, 1);
    if (count != 1 || (length == 1 && IsStandIn(character))) return 0;
    return character;
}

}  // namespace

std::string Cp932ToUtf8(std::span<const std::uint8_t> bytes) {
    // Code page 932 keeps ASCII as it is (0x5C included), so most titles
    // need no conversion at all.
    if (IsAscii(bytes)) return {bytes.begin(), bytes.end()};
    if (!::IsValidCodePage(kCodePage)) throw MakeError(kUnknownFailure);

    // One character at a time, so that a byte the code page does not map
    // costs only itself: converting the whole text at once would either fail
    // outright (MB_ERR_INVALID_CHARS) or let a bad lead byte swallow the
    // byte after it.
    std::wstring wide;
    wide.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::uint8_t first = bytes[at];
        if (IsAscii(first)) {
            wide.push_back(static_cast<wchar_t>(first));
            ++at;
            continue;
        }
        const int length = ::IsDBCSLeadByteEx(kCodePage, first) ? 2 : 1;
        const wchar_t character =
            at + static_cast<std::size_t>(length) <= bytes.size() ? DecodeCharacter(&bytes[at], length) : 0;
        if (character == 0) {
            // An unmapped byte, or a lead byte cut off by the end: it becomes
            // U+FFFD and decoding goes on with the next byte.
            wide.push_back(kReplacement);
            ++at;
        } else {
            wide.push_back(character);
            at += static_cast<std::size_t>(length);
        }
    }
    return Utf8FromWide(wide);
}

}  // namespace Runtime
