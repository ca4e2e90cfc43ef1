#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Runtime {

enum class StandardStreamKind { Output, Error };

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

    // Writes all of text. False when it could not: the reader of a pipe has
    // gone, or the disk is full; the caller stops writing then.
    bool Write(std::string_view text);

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
