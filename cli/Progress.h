#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <ostream>

namespace Cli {

// One line on standard error that tells how far a long walk has come: files
// read, files found so far, and the rate. It shows only when asked (a
// person is watching) and the walk has run for longer than quietStart, and
// is cleared before anything else is written there and at the end.
class Progress {
public:
    using Clock = std::chrono::steady_clock;

    Progress(std::ostream& err, bool isShown, Clock::duration quietStart);

    void FilesFound(std::size_t count);
    void FileRead();
    void Clear();

private:
    void Show(Clock::time_point now);

    std::ostream& err_;
    bool isShown_;
    Clock::time_point start_;
    Clock::time_point nextShown_;
    std::uint64_t found_ = 0;
    std::uint64_t read_ = 0;
    std::size_t shownWidth_ = 0;  // terminal columns of the line now shown
};

}  // namespace Cli
