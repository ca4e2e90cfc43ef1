#include "PrintableName.h"

#include <algorithm>

#include "Utf8Text.h"

namespace Runtime {

namespace {

// Bytes that may start something to escape: C0, DEL, the lead of a C1
// character in UTF-8, and the backslash.
bool MayNeedEscape(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return IsAsciiControl(byte) || byte == 0xC2 || c == '\\';
}

std::optional<unsigned char> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned char>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<unsigned char>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<unsigned char>(c - 'a' + 10);
    return std::nullopt;
}

}  // namespace

std::optional<Escape> ReadEscape(std::string_view text) {
    if (text.size() < 2 || text[0] != '\\') return std::nullopt;
    switch (text[1]) {
    case '\\': return Escape{'\\', 2};
    case 't': return Escape{'\t', 2};
    case 'n': return Escape{'\n', 2};
    case 'r': return Escape{'\r', 2};
    case 'x': {
        const auto high = text.size() >= 4 ? HexDigitValue(text[2]) : std::nullopt;
        const auto low = text.size() >= 4 ? HexDigitValue(text[3]) : std::nullopt;
        if (!high || !low) return std::nullopt;
        return Escape{static_cast<char>((*high << 4) | *low), 4};
    }
    default: return std::nullopt;
    }
}

void AppendHexByte(std::string& out, unsigned char byte) {
    constexpr std::string_view kHexDigits = "0123456789ABCDEF";
    out += "\\x";
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xF];
}

void AppendVisible(std::string& out, std::string_view text, bool escapeBackslash) {
    while (!text.empty()) {
        // Plain runs go in whole: most titles and names hold nothing to escape.
        const auto plainEnd = std::find_if(text.begin(), text.end(), MayNeedEscape);
        const auto plainLength = static_cast<std::size_t>(plainEnd - text.begin());
        out.append(text.substr(0, plainLength));
        text.remove_prefix(plainLength);
        if (text.empty()) return;
        const auto byte = static_cast<unsigned char>(text.front());
        std::size_t taken = 1;
        if (byte == '\t') out += "\\t";
        else if (byte == '\n') out += "\\n";
        else if (byte == '\r') out += "\\r";
        else if (byte == '\\') out += escapeBackslash ? "\\\\" : "\\";
        else if (byte != 0xC2) AppendHexByte(out, byte);
        else if (StartsWithC1Control(text)) {
            AppendHexByte(out, byte);
            AppendHexByte(out, static_cast<unsigned char>(text[1]));
            taken = 2;
        } else {
            out += text.front();  // the lead of a printable Latin-1 character
        }
        text.remove_prefix(taken);
    }
}

}  // namespace Runtime
