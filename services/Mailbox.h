#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "BackgroundWork.h"

namespace Services {

// Deliveries for a window whose event loop can be woken but not handed a
// function: a Win32 window is posted a message with no payload, and runs
// what waits here when the message arrives. Nothing is allocated by hand
// for the message, so nothing leaks when it never arrives.
class Mailbox {
public:
    // A poster that leaves each delivery here, calling wake (on the
    // worker's thread) when the box was empty: one message per batch.
    WindowPoster Poster(std::function<void()> wake) const {
        return [box = box_, wake = std::move(wake)](Delivery delivery) {
            bool wasEmpty = false;
            {
                const std::lock_guard lock(box->mutex);
                wasEmpty = box->deliveries.empty();
                box->deliveries.push_back(std::move(delivery));
            }
            if (wasEmpty) wake();
        };
    }

    // On the window's thread: runs the deliveries that have arrived, in order.
    void RunDelivered() const {
        std::vector<Delivery> due;
        {
            const std::lock_guard lock(box_->mutex);
            due.swap(box_->deliveries);
        }
        for (const Delivery& delivery : due) delivery();
    }

private:
    struct Box {
        std::mutex mutex;
        std::vector<Delivery> deliveries;
    };
    std::shared_ptr<Box> box_ = std::make_shared<Box>();
};

}  // namespace Services
