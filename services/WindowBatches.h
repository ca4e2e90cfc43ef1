#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "BackgroundWork.h"

namespace Services {

// Events that workers send to the window's thread, handed over in batches:
// the first event of a batch posts one delivery, which takes every event
// that has arrived by the time it runs. A window thread that is busy gets
// few, large batches; an idle one gets each event at once. Closing drops
// what is on its way: nothing is taken, and nothing posted, after it.
template <class Event>
class WindowBatches {
public:
    WindowBatches(WindowPoster poster, std::function<void(std::vector<Event>)> take)
        : state_(std::make_shared<State>()) {
        state_->poster = std::move(poster);
        state_->take = std::move(take);
    }
    ~WindowBatches() { Close(); }  // on the window's thread, as the batches are taken
    WindowBatches(const WindowBatches&) = delete;
    WindowBatches& operator=(const WindowBatches&) = delete;

    // What workers send with, from any thread; it outlives the batches
    // harmlessly, and says false once they are closed.
    std::function<bool(Event)> Sender() const {
        return [state = state_](Event event) {
            const std::lock_guard lock(state->mutex);
            // Posting under the lock: Close takes it, so nothing is posted
            // to a window already gone.
            if (state->isClosed) return false;
            state->events.push_back(std::move(event));
            if (state->events.size() == 1) state->poster([state] { Take(state); });
            return true;
        };
    }

    void Close() {
        WindowPoster poster;
        {
            const std::lock_guard lock(state_->mutex);
            state_->isClosed = true;
            state_->events.clear();
            poster.swap(state_->poster);
        }
    }

private:
    struct State {
        std::mutex mutex;
        std::vector<Event> events;
        bool isClosed = false;
        WindowPoster poster;
        // Kept after closing, as take may close the batches while it runs;
        // never called then.
        std::function<void(std::vector<Event>)> take;
    };

    static void Take(const std::shared_ptr<State>& state) {
        std::vector<Event> batch;
        {
            const std::lock_guard lock(state->mutex);
            if (state->isClosed) return;
            batch.swap(state->events);
        }
        state->take(std::move(batch));
    }

    std::shared_ptr<State> state_;
};

}  // namespace Services
