#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "BackgroundWork.h"
#include "Mailbox.h"

// The window's thread as the tests play it: deliveries posted by workers
// wait in a mailbox until the test runs them.
class FakeWindow {
public:
    Services::WindowPoster Poster() const {
        return [post = mailbox_.Poster([] {}), posts = posts_](Services::Delivery delivery) {
            post(std::move(delivery));
            const std::lock_guard lock(posts->mutex);
            ++posts->count;
            posts->changed.notify_all();
        };
    }
    // Waits until `count` deliveries have been posted in all; false when they were not within patience.
    bool WaitForPosts(int count, std::chrono::milliseconds patience = std::chrono::seconds(10)) const {
        std::unique_lock lock(posts_->mutex);
        return posts_->changed.wait_for(lock, patience, [&] { return posts_->count >= count; });
    }
    int PostCount() const {
        const std::lock_guard lock(posts_->mutex);
        return posts_->count;
    }
    void RunPosted() const { mailbox_.RunDelivered(); }

private:
    struct Posts {
        std::mutex mutex;
        std::condition_variable changed;
        int count = 0;
    };
    Services::Mailbox mailbox_;
    std::shared_ptr<Posts> posts_ = std::make_shared<Posts>();
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

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, int> waiting_, passes_, reads_;
    bool isOpen_ = false;
};
