#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "RuntimeError.h"

namespace Runtime {

enum class StandardStreamKind { Output, Error };

// Why a write to a standard stream failed, in the project's words and the
// system's own.
struct WriteFailure {
    // The reader of a pipe has gone (| head): nobody is left to tell, and
    // the program may end quietly.
    bool IsClosedPipe = false;
    RuntimeError Error;
    long SystemNumber = 0;   // errno here, GetLastError on Windows
    std::string SystemText;  // UTF-8
};

// The process's standard output or standard error, written as UTF-8. On
// Windows a console is written in UTF-16 (WriteConsoleW), so Japanese reads
// right whatever the console's code page; a file or pipe gets the UTF-8
// bytes as they are. Here the bytes go out unchanged either way.
class StandardStream {
public:
    explicit StandardStream(StandardStreamKind kind) noexcept;
    StandardStream(const StandardStream&) = delete;
    StandardStream& operator=(const StandardStream&) = delete;

    // Whether a person is watching: a terminal, or a console on Windows.
    bool IsTerminal() const noexcept { return isTerminal_; }

    // Writes all of text, or says why it could not: the reader of a pipe
    // has gone, the disk is full, the descriptor is closed. The caller stops
    // writing then.
    std::optional<WriteFailure> Write(std::string_view text);

private:
    std::intptr_t handle_;
    bool isTerminal_ = false;
    std::string unfinished_;  // a character cut by the end of the last write, held for the console
};

// Makes writing to a pipe whose reader has gone fail with an error instead
// of ending the process, so a program piped into `head` can stop quietly.
// Windows has no such signal: there the write fails anyway.
void ReportClosedPipesAsErrors() noexcept;

}  // namespace Runtime
