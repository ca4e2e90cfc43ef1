#include "Progress.h"

#include <string>

#include "Utf8Text.h"

namespace Cli {

namespace {

constexpr auto kRefresh = std::chrono::milliseconds(250);

// Columns a line takes in a terminal: ASCII one each, Japanese two.
std::size_t ColumnsOf(const std::string& line) {
    std::size_t columns = 0;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (Runtime::IsAscii(byte)) ++columns;
        else if (!Runtime::IsContinuation(byte)) columns += 2;
    }
    return columns;
}

}  // namespace

Progress::Progress(std::ostream& err, bool isShown, Clock::duration quietStart)
    : err_(err), isShown_(isShown), start_(Clock::now()), nextShown_(start_ + quietStart) {}

void Progress::FilesFound(std::size_t count) { found_ += count; }

void Progress::FileRead() {
    ++read_;
    if (!isShown_) return;
    const auto now = Clock::now();
    if (now < nextShown_) return;
    nextShown_ = now + kRefresh;
    Show(now);
}

void Progress::Show(Clock::time_point now) {
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const auto rate = seconds > 0 ? static_cast<std::uint64_t>(static_cast<double>(read_) / seconds) : read_;
    const std::string line = std::to_string(read_) + " / " + std::to_string(found_) + " ファイルを読みました（毎秒 " +
                             std::to_string(rate) + " ファイル）";
    const std::size_t columns = ColumnsOf(line);
    // Spaces wipe what a longer line before left behind.
    err_ << '\r' << line << std::string(shownWidth_ > columns ? shownWidth_ - columns : 0, ' ') << std::flush;
    shownWidth_ = columns;
}

void Progress::Clear() {
    if (shownWidth_ == 0) return;
    err_ << '\r' << std::string(shownWidth_, ' ') << '\r' << std::flush;
    shownWidth_ = 0;
}

}  // namespace Cli
