#pragma once

#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "MidReading.h"

namespace Cli {

// Reads files on a number of threads and hands the readings back in the
// order the files were given, so the output never depends on how many
// threads there are. One job reads on the calling thread and starts none.
class ReadingPool {
public:
    // Called with the index of each file and its reading, in order. Returns
    // false to stop: the files not read yet are left alone.
    using Delivery = std::function<bool(std::size_t, const MIDTitle::MidReading&)>;

    explicit ReadingPool(unsigned jobs);
    ReadingPool(const ReadingPool&) = delete;
    ReadingPool& operator=(const ReadingPool&) = delete;
    ~ReadingPool();

    // Returns false when deliver asked to stop.
    bool ReadInOrder(std::span<const std::filesystem::path> files, const Delivery& deliver);

private:
    void Work();
    void FinishBatch() noexcept;

    std::mutex mutex_;
    std::condition_variable workArrived_;
    std::condition_variable readingDone_;
    std::span<const std::filesystem::path> files_;      // the batch being read
    std::vector<std::optional<MIDTitle::MidReading>> readings_;  // by index, taken as delivered
    std::size_t next_ = 0;      // the next file a thread takes
    std::size_t runLength_ = 1; // how many files a thread takes at once
    std::size_t inFlight_ = 0;  // runs being read right now
    bool isClosing_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace Cli
