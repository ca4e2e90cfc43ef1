#pragma once

#include <array>
#include <optional>
#include <streambuf>

#include "StandardStream.h"

namespace Cli {

// A stream buffer that writes through a Runtime::StandardStream, so
// std::ostream code reaches a Windows console in UTF-16 and sees a failed
// write (a closed pipe, a full disk) as a failed stream.
class StandardStreamBuffer : public std::streambuf {
public:
    explicit StandardStreamBuffer(Runtime::StandardStreamKind kind);
    StandardStreamBuffer(const StandardStreamBuffer&) = delete;
    StandardStreamBuffer& operator=(const StandardStreamBuffer&) = delete;
    ~StandardStreamBuffer() override;

    bool IsTerminal() const noexcept { return stream_.IsTerminal(); }

    // Why the stream failed, once it has.
    const std::optional<Runtime::WriteFailure>& Failure() const noexcept { return failure_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool Drain();

    Runtime::StandardStream stream_;
    std::array<char, 64 * 1024> buffer_{};
    std::optional<Runtime::WriteFailure> failure_;
};

}  // namespace Cli
