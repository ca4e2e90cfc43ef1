#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "BackgroundWork.h"

namespace Services {

// One kind of result the window waits for, such as the listing of the
// folder it shows: each request runs anew on a worker, and only the newest
// request's result is delivered; one asked for earlier, or abandoned, is
// dropped when it arrives.
template <class Result>
class NewestWins {
public:
    NewestWins(BackgroundWork& work, std::function<void(Result)> deliver)
        : work_(work), lane_(work.NewLane()), state_(std::make_shared<State>()) {
        state_->deliver = std::move(deliver);
    }
    ~NewestWins() { state_->deliver = nullptr; }  // on the window's thread, as deliveries run
    NewestWins(const NewestWins&) = delete;
    NewestWins& operator=(const NewestWins&) = delete;

    // Runs produce on a worker. A result ready within patience is returned
    // here and not delivered; one that takes longer goes to deliver on the
    // window's thread, unless a newer request came meanwhile. Waiting a
    // little lets a fast disk answer at once, as if nothing ran elsewhere.
    // Requests given the same key do the same work: see Resume.
    std::optional<Result> Request(std::function<Result()> produce, std::chrono::milliseconds patience,
                                  std::string key = {}) {
        std::unique_lock lock(state_->mutex);
        const std::uint64_t ticket = ++state_->newest;
        state_->waiting = patience.count() > 0 ? ticket : 0;
        state_->handed.reset();
        state_->isAwaited = true;
        lock.unlock();
        work_.Run(lane_, [state = state_, ticket, key = std::move(key), produce = std::move(produce)]() -> Delivery {
            if (!key.empty()) state->Started(ticket, key);
            std::shared_ptr<Result> result;
            try {
                result = std::make_shared<Result>(produce());
            } catch (...) {
                state->Ended(ticket);
                throw;
            }
            state->Ended(ticket);
            const std::lock_guard done(state->mutex);
            if (state->waiting == ticket) {
                state->handed = std::move(*result);
                state->arrived.notify_all();
                return {};
            }
            // Whether it is still the newest is asked on the window's
            // thread, where Resume may have made it so again.
            return [state, ticket, result] {
                {
                    const std::lock_guard current(state->mutex);
                    if (state->newest != ticket) return;
                    state->isAwaited = false;
                }
                if (state->deliver) state->deliver(std::move(*result));
            };
        });
        lock.lock();
        state_->arrived.wait_for(lock, patience, [&] { return state_->handed.has_value(); });
        state_->waiting = 0;
        if (!state_->handed) return std::nullopt;
        state_->isAwaited = false;
        return std::exchange(state_->handed, std::nullopt);
    }

    // Makes the running request of this key the newest again, as if asked
    // anew without waiting: its result is delivered and no work starts.
    // False when none of that key is running (not started, or done).
    bool Resume(std::string_view key) {
        const std::lock_guard lock(state_->mutex);
        const auto running = std::find_if(state_->running.begin(), state_->running.end(),
                                          [key](const auto& request) { return request.second == key; });
        if (running == state_->running.end()) return false;
        state_->newest = running->first;
        state_->isAwaited = true;
        return true;
    }

    // Drops the result of the request on its way, if any.
    void Abandon() {
        const std::lock_guard lock(state_->mutex);
        ++state_->newest;
        state_->isAwaited = false;
    }

    // Whether a result is still awaited: requested and neither delivered nor abandoned.
    bool IsAwaited() const {
        const std::lock_guard lock(state_->mutex);
        return state_->isAwaited;
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable arrived;
        std::uint64_t newest = 0;
        std::uint64_t waiting = 0;  // the request waiting within its patience; 0: none
        std::optional<Result> handed;
        bool isAwaited = false;
        std::vector<std::pair<std::uint64_t, std::string>> running;  // keyed requests at work: ticket, key
        std::function<void(Result)> deliver;  // touched on the window's thread only

        void Started(std::uint64_t ticket, const std::string& key) {
            const std::lock_guard lock(mutex);
            running.emplace_back(ticket, key);
        }
        void Ended(std::uint64_t ticket) {
            const std::lock_guard lock(mutex);
            std::erase_if(running, [ticket](const auto& request) { return request.first == ticket; });
        }
    };

    BackgroundWork& work_;
    const Lane lane_;
    std::shared_ptr<State> state_;
};

}  // namespace Services
