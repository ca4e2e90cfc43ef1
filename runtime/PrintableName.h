#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace Runtime {

// File names as the command line prints them: text a person can read and a
// terminal cannot act on, one printed form for each name, and read back to
// that name.
//
// No control character is printed raw: tab, line feed and carriage return
// are written \t, \n and \r; any other C0 control, DEL, and each byte of a
// C1 control, \xHH (two upper-case hex digits). Where a name may hold a
// backslash (not on Windows, where it separates names) it is written \\.
// A name that is not UTF-8 is read as code page 932 character by character
// wherever that is exact: a character whose bytes decode, and encode back
// to the very same bytes, is written decoded; any other byte is \xHH.

// Appends \xHH, the printed form of a byte.
void AppendHexByte(std::string& out, unsigned char byte);

// An escape read back: the byte it stands for and how long it is.
struct Escape {
    char Byte = 0;
    std::size_t Length = 0;
};

// The escape text starts with, if it starts with one (hex digits in
// either case).
std::optional<Escape> ReadEscape(std::string_view text);

// Appends UTF-8 text with its control characters made visible as above;
// backslashes are doubled only when escapeBackslash.
void AppendVisible(std::string& out, std::string_view text, bool escapeBackslash);

// The printed form of a native path, each name between separators read on
// its own, so one old Shift_JIS folder does not garble the names around it.
std::string PrintablePath(std::string_view nativePath);

// The native path a printed path stands for. The text itself when the
// system has a file or folder by that name; otherwise, name by name, the
// name whose printed form it is, where there is one (a UTF-8 name before a
// code page 932 one); a name found nowhere is taken with its escapes undone.
std::string NativePathOfPrinted(std::string_view printed);

}  // namespace Runtime
