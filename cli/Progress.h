#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <ostream>

namespace Cli {

// One line on standard error that tells how far a long walk has come: files
// read, files found so far, and the rate. It shows only when a person is
// watching (err is a terminal) and the walk has run for over a second, and
// is cleared before anything else is written there and at the end.
class Progress {
public:
    Progress(std::ostream& err, bool isShown);

    void FilesFound(std::size_t count);
    void FileRead();
    void Clear();

private:
    using Clock = std::chrono::steady_clock;
    void Show(Clock::time_point now);

    std::ostream& err_;
    bool isShown_;
    Clock::time_point start_;
    Clock::time_point lastShown_;
    std::uint64_t found_ = 0;
    std::uint64_t read_ = 0;
    std::size_t shownWidth_ = 0;  // terminal columns of the line now shown
};

}  // namespace Cli
