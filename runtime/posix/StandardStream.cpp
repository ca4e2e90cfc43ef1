#include "../StandardStream.h"

#include <csignal>
#include <cerrno>
#include <system_error>
#include <unistd.h>

#include "SystemError.h"

namespace Runtime {

namespace {

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

WriteFailure FailureFromErrno(int error) {
    return {error == EPIPE, ErrorFromErrno(error), error, std::system_category().message(error)};
}

}  // namespace

StandardStream::StandardStream(StandardStreamKind kind) noexcept
    : handle_(kind == StandardStreamKind::Output ? STDOUT_FILENO : STDERR_FILENO),
      isTerminal_(::isatty(Descriptor(handle_)) == 1) {}

std::optional<WriteFailure> StandardStream::Write(std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(Descriptor(handle_), text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return FailureFromErrno(errno);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

void ReportClosedPipesAsErrors() noexcept { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace Runtime
