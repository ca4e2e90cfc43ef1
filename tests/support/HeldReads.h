#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>

// Reads held until the test lets each through, numbered as they arrive.
class HeldReads {
public:
    int Hold() {
        std::unique_lock lock(mutex_);
        const int number = ++arrived_;
        changed_.notify_all();
        changed_.wait(lock, [&] { return isOpen_ || let_.contains(number); });
        ++passed_;
        changed_.notify_all();
        return number;
    }
    int Arrived() {
        const std::lock_guard lock(mutex_);
        return arrived_;
    }
    // Waits until count reads have arrived, or passed; false after ten seconds.
    bool AwaitArrived(int count) { return Await([&] { return arrived_ >= count; }); }
    bool AwaitPassed(int count) { return Await([&] { return passed_ >= count; }); }
    void Let(int number) {
        const std::lock_guard lock(mutex_);
        let_.insert(number);
        changed_.notify_all();
    }
    void LetAll() {
        const std::lock_guard lock(mutex_);
        isOpen_ = true;
        changed_.notify_all();
    }

private:
    bool Await(const std::function<bool()>& done) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), done);
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    std::set<int> let_;
    int arrived_ = 0, passed_ = 0;
    bool isOpen_ = false;
};
