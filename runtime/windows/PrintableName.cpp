#include "../PrintableName.h"

#include <windows.h>

#include "../WideText.h"

namespace Runtime {

namespace {

// The byte a \xHH escape at the start of text stands for; the other
// escapes would read "C:\tmp" as a tab.
std::optional<unsigned char> HexEscapedByte(std::string_view text) {
    const auto escape = ReadEscape(text);
    if (!escape || escape->Length != 4) return std::nullopt;
    return static_cast<unsigned char>(escape->Byte);
}

bool IsThere(const std::string& path) {
    if (::GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = ::GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

}  // namespace

// Windows names are Unicode and hold no C0 control: only DEL and the C1
// controls are ever escaped, and the backslash is the separator.
std::string PrintablePath(std::string_view nativePath) {
    std::string printed;
    printed.reserve(nativePath.size());
    AppendVisible(printed, nativePath, false);
    return printed;
}

std::string NativePathOfPrinted(std::string_view printed) {
    const std::string given(printed);
    if (IsThere(given)) return given;
    // Only the escapes PrintablePath writes are undone, so "C:\x7F" stays a
    // folder x7F unless that is not there.
    std::string native;
    while (!printed.empty()) {
        const auto first = HexEscapedByte(printed);
        const auto second = printed.size() >= 8 ? HexEscapedByte(printed.substr(4)) : std::nullopt;
        if (first == 0x7F) {
            native += '\x7F';
            printed.remove_prefix(4);
        } else if (first == 0xC2 && second && *second >= 0x80 && *second <= 0x9F) {
            native += '\xC2';
            native += static_cast<char>(*second);
            printed.remove_prefix(8);
        } else {
            native += printed.front();
            printed.remove_prefix(1);
        }
    }
    return native;
}

}  // namespace Runtime
