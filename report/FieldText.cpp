#include "FieldText.h"

#include <array>

#include "PrintableName.h"
#include "Utf8Text.h"

namespace {

constexpr std::array<char, 16> kHexDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                             '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};

void AppendUnicodeEscape(std::string& row, unsigned char codePoint) {
    row += "\\u00";
    row += kHexDigits[codePoint >> 4];
    row += kHexDigits[codePoint & 0xF];
}

}  // namespace

void AppendTsvField(std::string& row, std::string_view text) { Runtime::AppendVisible(row, text, true); }

void AppendCsvField(std::string& row, std::string_view text) {
    std::string visible;
    Runtime::AppendVisible(visible, text, false);
    if (visible.find_first_of(",\"") == std::string::npos) {
        row += visible;
        return;
    }
    row += '"';
    for (const char c : visible) {
        if (c == '"') row += '"';
        row += c;
    }
    row += '"';
}

void AppendJsonString(std::string& row, std::string_view text) {
    row += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': row += "\\\""; break;
        case '\\': row += "\\\\"; break;
        case '\n': row += "\\n"; break;
        case '\r': row += "\\r"; break;
        case '\t': row += "\\t"; break;
        default:
            if (Runtime::IsAsciiControl(byte)) {
                AppendUnicodeEscape(row, byte);
            } else if (Runtime::StartsWithC1Control(text.substr(i))) {
                AppendUnicodeEscape(row, static_cast<unsigned char>(text[++i]));  // U+0080 to U+009F, in UTF-8 C2 80 to C2 9F
            } else {
                row += c;
            }
        }
    }
    row += '"';
}
