#include "ReadingPool.h"

#include <algorithm>
#include <system_error>

namespace Cli {

namespace {

constexpr std::size_t kLongestRun = 32;

}  // namespace

ReadingPool::ReadingPool(unsigned jobs) {
    if (jobs <= 1) return;
    threads_.reserve(jobs);
    for (unsigned i = 0; i < jobs; ++i) {
        // The system may refuse more threads: the ones started do the work,
        // and with none the calling thread reads.
        try {
            threads_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break;
        }
    }
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

    std::vector<std::optional<MIDTitle::MidReading>> readings(files.size());
    std::unique_lock lock(mutex_);
    readings_ = std::move(readings);
    files_ = files;
    next_ = 0;
    // Runs short enough that every thread gets several, so none waits long
    // for the last; long enough to keep the locking rare.
    runLength_ = std::clamp<std::size_t>(files.size() / (threads_.size() * 4), 1, kLongestRun);
    lock.unlock();
    workArrived_.notify_all();

    // However this call ends, even by an exception from deliver, the batch
    // belongs to it: no thread may touch the files or readings after.
    struct BatchEnd {
        ReadingPool& pool;
        ~BatchEnd() { pool.FinishBatch(); }
    } const batchEnd{*this};

    for (std::size_t i = 0; i < files.size(); ++i) {
        lock.lock();
        readingDone_.wait(lock, [&] { return readings_[i].has_value(); });
        const MIDTitle::MidReading reading = std::move(*readings_[i]);
        readings_[i].reset();
        lock.unlock();
        if (!deliver(i, reading)) return false;
    }
    return true;
}

void ReadingPool::FinishBatch() noexcept {
    std::unique_lock lock(mutex_);
    next_ = files_.size();  // the files not taken yet stay unread
    readingDone_.wait(lock, [this] { return inFlight_ == 0; });
    files_ = {};
    readings_.clear();
    next_ = 0;
}

}  // namespace Cli
