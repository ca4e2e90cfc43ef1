#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "FolderWalk.h"
#include "Progress.h"
#include "ReadingPool.h"
#include "ResultWriter.h"

namespace Cli {

// The rows of a walk written in walk order, whatever order the readings
// arrive in: one that comes early waits in a small buffer until those
// before it are written, so the output never depends on how many reads run
// at once. Readings arrive on the pool's workers; the walk runs on the
// caller's thread, and waits while it is too far ahead of the output.
class OrderedOutput {
public:
    OrderedOutput(ResultWriter& writer, Progress& progress, std::ostream& err);

    // Numbers a folder's files after those added before, for the pool.
    std::vector<Services::FileToRead> Add(Services::ListedFiles listed);

    // Writes reading, and any waiting for it, when its turn has come. False
    // once the output stopped: it cannot take more, or writing threw.
    bool Deliver(std::uint64_t id, MIDTitle::MidReading reading);

    // Waits until no more than ahead files are still to be written, and
    // the first row, if any, is; or until the output stopped.
    void WaitUntilWritten(std::size_t ahead);

    // Tells on err that a path or folder could not be read.
    void TellFailure(std::string_view nativePath, const Runtime::RuntimeError& error);

    bool HasStopped() const;
    bool HasFailed() const;
    // Throws again what writing threw on a worker.
    void RethrowOnCaller() const;

private:
    struct Folder {
        std::uint64_t firstId = 0;
        std::string printed;  // with a separator at the end
        std::vector<std::string> names;  // native
    };

    void WriteInTurn(MIDTitle::MidReading reading);

    ResultWriter& writer_;
    Progress& progress_;
    std::ostream& err_;
    mutable std::mutex mutex_;
    std::condition_variable written_;
    std::deque<Folder> folders_;  // those with rows still to write, in order
    std::deque<std::optional<MIDTitle::MidReading>> early_;  // from the next row to write on
    std::uint64_t added_ = 0;
    std::uint64_t writtenCount_ = 0;
    std::string path_;  // the printed path, reused for every row
    std::optional<std::size_t> awaited_;  // how far ahead the walk waits to be
    bool hasStopped_ = false;
    bool hasFailed_ = false;
    std::exception_ptr thrown_;
};

}  // namespace Cli
