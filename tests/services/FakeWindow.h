#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "BackgroundWork.h"

// The window's thread as the tests play it: deliveries posted by workers
// wait in a queue until the test runs them.
class FakeWindow {
public:
    Services::WindowPoster Poster() const {
        return [queue = queue_](Services::Delivery delivery) {
            const std::lock_guard lock(queue->mutex);
            queue->posted.push_back(std::move(delivery));
            ++queue->postCount;
            queue->changed.notify_all();
        };
    }

    // Waits until `count` deliveries have been posted in all; false after ten seconds.
    bool WaitForPosts(int count) const {
        std::unique_lock lock(queue_->mutex);
        return queue_->changed.wait_for(lock, std::chrono::seconds(10), [&] { return queue_->postCount >= count; });
    }
    int PostCount() const {
        const std::lock_guard lock(queue_->mutex);
        return queue_->postCount;
    }

    void RunPosted() const {
        std::vector<Services::Delivery> due;
        {
            const std::lock_guard lock(queue_->mutex);
            due.swap(queue_->posted);
        }
        for (auto& delivery : due) delivery();
    }

private:
    struct Queue {
        std::mutex mutex;
        std::condition_variable changed;
        std::vector<Services::Delivery> posted;
        int postCount = 0;
    };
    std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
};

// Reads that each wait at a gate until the test lets one through.
class Gates {
public:
    // Waits until a read of name waits at its gate; false when none came within ten seconds.
    bool AwaitArrival(const std::string& name) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return waiting_[name] > 0; });
    }
    // Lets one read of name through once it is waiting; false when none came within ten seconds.
    bool Release(const std::string& name) {
        if (!AwaitArrival(name)) return false;
        const std::lock_guard lock(mutex_);
        --waiting_[name];
        ++passes_[name];
        changed_.notify_all();
        return true;
    }
    void OpenAll() {
        const std::lock_guard lock(mutex_);
        isOpen_ = true;
        changed_.notify_all();
    }

    // The read: waits, then returns "name #n", n counting the reads of name.
    std::string Pass(const std::string& name) {
        std::unique_lock lock(mutex_);
        ++waiting_[name];
        changed_.notify_all();
        changed_.wait(lock, [&] { return isOpen_ || passes_[name] > 0; });
        if (passes_[name] > 0) --passes_[name]; else --waiting_[name];
        return name + " #" + std::to_string(++reads_[name]);
    }
    int Reads(const std::string& name) {
        const std::lock_guard lock(mutex_);
        return reads_[name];
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, int> waiting_, passes_, reads_;
    bool isOpen_ = false;
};
