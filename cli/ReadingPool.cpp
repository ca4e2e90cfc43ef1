#include "ReadingPool.h"

#include <algorithm>

namespace Cli {

namespace {

constexpr std::size_t kLongestRun = 32;

}  // namespace

ReadingPool::ReadingPool(unsigned jobs) {
    if (jobs <= 1) return;
    threads_.reserve(jobs);
    for (unsigned i = 0; i < jobs; ++i) threads_.emplace_back([this] { Work(); });
}

ReadingPool::~ReadingPool() {
    {
        const std::lock_guard lock(mutex_);
        isClosing_ = true;
    }
    workArrived_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void ReadingPool::Work() {
    std::vector<MIDTitle::MidReading> done;
    std::unique_lock lock(mutex_);
    while (true) {
        workArrived_.wait(lock, [this] { return isClosing_ || next_ < files_.size(); });
        if (isClosing_) return;
        // A run of files at a time: one lock and one wake-up for each run,
        // not for each file.
        const std::size_t first = next_;
        const std::size_t end = std::min(files_.size(), first + runLength_);
        next_ = end;
        ++inFlight_;
        lock.unlock();
        done.clear();
        for (std::size_t i = first; i < end; ++i) done.push_back(MIDTitle::ReadListedMidInfo(files_[i]));
        lock.lock();
        for (std::size_t i = first; i < end; ++i) readings_[i] = std::move(done[i - first]);
        --inFlight_;
        readingDone_.notify_all();
    }
}

bool ReadingPool::ReadInOrder(std::span<const std::filesystem::path> files, const Delivery& deliver) {
    if (threads_.empty()) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!deliver(i, MIDTitle::ReadListedMidInfo(files[i]))) return false;
        }
        return true;
    }

    std::unique_lock lock(mutex_);
    files_ = files;
    readings_.assign(files.size(), std::nullopt);
    next_ = 0;
    // Runs short enough that every thread gets several, so none waits long
    // for the last; long enough to keep the locking rare.
    runLength_ = std::clamp<std::size_t>(files.size() / (threads_.size() * 4), 1, kLongestRun);
    lock.unlock();
    workArrived_.notify_all();

    bool isWanted = true;
    for (std::size_t i = 0; i < files.size() && isWanted; ++i) {
        lock.lock();
        readingDone_.wait(lock, [&] { return readings_[i].has_value(); });
        const MIDTitle::MidReading reading = std::move(*readings_[i]);
        readings_[i].reset();
        lock.unlock();
        isWanted = deliver(i, reading);
    }

    // The batch's files and readings belong to this call: no thread may
    // touch them once it returns.
    lock.lock();
    next_ = files_.size();
    readingDone_.wait(lock, [this] { return inFlight_ == 0; });
    files_ = {};
    readings_.clear();
    next_ = 0;
    return isWanted;
}

}  // namespace Cli
