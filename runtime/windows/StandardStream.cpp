#include "../StandardStream.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "SystemError.h"
#include "../Utf8Text.h"
#include "../WideText.h"

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
        if (IsContinuation(byte)) continue;  // look further back for its lead
        return SequenceLength(byte) > back ? size - back : size;
    }
    return size;
}

struct LocalFreer {
    void operator()(wchar_t* text) const noexcept { ::LocalFree(text); }
};

// The system's own words for error, in the user's language.
std::string SystemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreer> owned(text);
    std::wstring_view message(text, length);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n')) message.remove_suffix(1);
    return Utf8FromWide(message);
}

WriteFailure FailureOfLastCall() {
    const DWORD error = ::GetLastError();
    // A pipe whose reader has gone fails with ERROR_NO_DATA or ERROR_BROKEN_PIPE.
    const bool isClosedPipe = error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE;
    return WriteFailure{isClosedPipe, ErrorFromWin32(error), static_cast<long>(error), SystemText(error)};
}

std::optional<WriteFailure> WriteBytes(HANDLE handle, std::string_view text) {
    while (!text.empty()) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min(text.size(), kLargestWrite));
        if (!::WriteFile(handle, text.data(), piece, &written, nullptr)) return FailureOfLastCall();
        text.remove_prefix(written);
    }
    return std::nullopt;
}

std::optional<WriteFailure> WriteConsole(HANDLE handle, std::string_view text) {
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, WholeCharacters(text.substr(0, kLargestWrite)));
        const std::wstring wide = WideFromUtf8(piece);
        std::wstring_view rest(wide);
        while (!rest.empty()) {
            DWORD written = 0;
            if (!::WriteConsoleW(handle, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr)) {
                return FailureOfLastCall();
            }
            rest.remove_prefix(written);
        }
        text.remove_prefix(piece.size());
    }
    return std::nullopt;
}

}  // namespace

StandardStream::StandardStream(StandardStreamKind kind) noexcept
    : handle_(reinterpret_cast<std::intptr_t>(
          ::GetStdHandle(kind == StandardStreamKind::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE))) {
    DWORD mode = 0;
    isTerminal_ = ::GetConsoleMode(Handle(handle_), &mode) != 0;
}

std::optional<WriteFailure> StandardStream::Write(std::string_view text) {
    if (!isTerminal_) return WriteBytes(Handle(handle_), text);
    unfinished_.append(text);
    const std::size_t whole = WholeCharacters(unfinished_);
    auto failure = WriteConsole(Handle(handle_), std::string_view(unfinished_).substr(0, whole));
    unfinished_.erase(0, whole);
    return failure;
}

void ReportClosedPipesAsErrors() noexcept {}

}  // namespace Runtime
