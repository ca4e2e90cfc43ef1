#include "../StandardStream.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace Runtime {

namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// WriteFile and WriteConsoleW count in DWORDs; longer text goes in pieces.
constexpr std::size_t kLargestWrite = 1u << 20;

// How much of text ends on a whole UTF-8 character: a sequence cut by the
// end waits for its last bytes, which come with the next write.
std::size_t WholeCharacters(std::string_view text) {
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= std::min<std::size_t>(size, 4); ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80) continue;  // continuation: look further back
        std::size_t length = 1;
        if (byte >= 0xF0) length = 4;
        else if (byte >= 0xE0) length = 3;
        else if (byte >= 0xC0) length = 2;
        return length > back ? size - back : size;
    }
    return size;
}

bool WriteBytes(HANDLE handle, std::string_view text) {
    while (!text.empty()) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min(text.size(), kLargestWrite));
        // A pipe whose reader has gone fails with ERROR_NO_DATA or ERROR_BROKEN_PIPE.
        if (!::WriteFile(handle, text.data(), piece, &written, nullptr)) return false;
        text.remove_prefix(written);
    }
    return true;
}

bool WriteConsole(HANDLE handle, std::string_view text) {
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, WholeCharacters(text.substr(0, kLargestWrite)));
        const int bytes = static_cast<int>(piece.size());
        const int length = ::MultiByteToWideChar(CP_UTF8, 0, piece.data(), bytes, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, piece.data(), bytes, wide.data(), length);
        std::wstring_view rest(wide);
        while (!rest.empty()) {
            DWORD written = 0;
            if (!::WriteConsoleW(handle, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr)) return false;
            rest.remove_prefix(written);
        }
        text.remove_prefix(piece.size());
    }
    return true;
}

}  // namespace

StandardStream::StandardStream(StandardStreamKind kind) noexcept
    : handle_(reinterpret_cast<std::intptr_t>(
          ::GetStdHandle(kind == StandardStreamKind::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE))) {
    DWORD mode = 0;
    isTerminal_ = ::GetConsoleMode(Handle(handle_), &mode) != 0;
}

bool StandardStream::Write(std::string_view text) {
    if (!isTerminal_) return WriteBytes(Handle(handle_), text);
    unfinished_.append(text);
    const std::size_t whole = WholeCharacters(unfinished_);
    const bool written = WriteConsole(Handle(handle_), std::string_view(unfinished_).substr(0, whole));
    unfinished_.erase(0, whole);
    return written;
}

void ReportClosedPipesAsErrors() noexcept {}

}  // namespace Runtime
