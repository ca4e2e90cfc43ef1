#include "ReadingPool.h"

namespace Cli {

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
    std::unique_lock lock(mutex_);
    while (true) {
        workArrived_.wait(lock, [this] { return isClosing_ || next_ < files_.size(); });
        if (isClosing_) return;
        const std::size_t index = next_++;
        ++inFlight_;
        lock.unlock();
        MIDTitle::MidReading reading = MIDTitle::ReadMidInfo(files_[index]);
        lock.lock();
        readings_[index] = std::move(reading);
        --inFlight_;
        readingDone_.notify_all();
    }
}

bool ReadingPool::ReadInOrder(std::span<const std::filesystem::path> files, const Delivery& deliver) {
    if (threads_.empty()) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!deliver(i, MIDTitle::ReadMidInfo(files[i]))) return false;
        }
        return true;
    }

    std::unique_lock lock(mutex_);
    files_ = files;
    readings_.assign(files.size(), std::nullopt);
    next_ = 0;
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
