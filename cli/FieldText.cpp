#include "FieldText.h"

#include <array>

namespace Cli {

void AppendTsvField(std::string& row, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '\t': row += "\\t"; break;
        case '\n': row += "\\n"; break;
        case '\r': row += "\\r"; break;
        case '\\': row += "\\\\"; break;
        default: row += c;
        }
    }
}

void AppendCsvField(std::string& row, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        row += text;
        return;
    }
    row += '"';
    for (const char c : text) {
        if (c == '"') row += '"';
        row += c;
    }
    row += '"';
}

void AppendJsonString(std::string& row, std::string_view text) {
    constexpr std::array<char, 16> kHexDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                 '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    row += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': row += "\\\""; break;
        case '\\': row += "\\\\"; break;
        case '\n': row += "\\n"; break;
        case '\r': row += "\\r"; break;
        case '\t': row += "\\t"; break;
        default:
            if (byte < 0x20) {
                row += "\\u00";
                row += kHexDigits[byte >> 4];
                row += kHexDigits[byte & 0xF];
            } else {
                row += c;
            }
        }
    }
    row += '"';
}

}  // namespace Cli
