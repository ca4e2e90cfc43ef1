#include "BackgroundWork.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace Services {

struct BackgroundWork::State {
    struct Job {
        Lane lane;
        std::function<Delivery()> work;
    };

    std::mutex mutex;
    std::condition_variable jobArrived;
    std::deque<Job> jobs;
    WindowPoster poster;  // empty once closed
    bool isClosed = false;
    std::size_t workers = 0;
    std::size_t idleWorkers = 0;
    std::size_t maxWorkers;
};

BackgroundWork::BackgroundWork(WindowPoster poster, std::size_t maxWorkers) : state_(std::make_shared<State>()) {
    state_->poster = std::move(poster);
    state_->maxWorkers = maxWorkers == 0 ? 1 : maxWorkers;
    // One worker waits from the start: the first read then costs no thread
    // start, and a local disk's answer comes within the window's short wait.
    try {
        state_->workers = 1;
        std::thread([state = state_] { Work(state); }).detach();
    } catch (const std::system_error&) {
        state_->workers = 0;  // started with the first job instead
    }
}

BackgroundWork::~BackgroundWork() {
    std::deque<State::Job> unstarted;
    WindowPoster poster;
    {
        const std::lock_guard lock(state_->mutex);
        state_->isClosed = true;
        unstarted.swap(state_->jobs);
        poster.swap(state_->poster);
    }
    state_->jobArrived.notify_all();
    // unstarted and poster go here, outside the lock: what they hold may
    // take locks of its own when it is destroyed.
}

Lane BackgroundWork::NewLane() { return ++lastLane_; }

void BackgroundWork::Run(Lane lane, std::function<Delivery()> work) {
    std::function<Delivery()> replaced;
    bool isWorkerWanted = false;
    {
        const std::lock_guard lock(state_->mutex);
        for (auto& job : state_->jobs) {
            if (job.lane == lane) {
                replaced = std::exchange(job.work, std::move(work));
                break;
            }
        }
        if (work) state_->jobs.push_back({lane, std::move(work)});
        isWorkerWanted = state_->jobs.size() > state_->idleWorkers && state_->workers < state_->maxWorkers;
        if (isWorkerWanted) ++state_->workers;
    }
    state_->jobArrived.notify_one();
    if (!isWorkerWanted) return;
    try {
        std::thread([state = state_] { Work(state); }).detach();
    } catch (const std::system_error&) {
        // No thread to be had now: the job waits for a worker already running.
        const std::lock_guard lock(state_->mutex);
        --state_->workers;
    }
}

void BackgroundWork::Work(const std::shared_ptr<State>& state) {
    std::unique_lock lock(state->mutex);
    for (;;) {
        ++state->idleWorkers;
        state->jobArrived.wait(lock, [&] { return state->isClosed || !state->jobs.empty(); });
        --state->idleWorkers;
        if (state->isClosed) break;
        auto work = std::move(state->jobs.front().work);
        state->jobs.pop_front();
        lock.unlock();
        Delivery delivery;
        try {
            delivery = work();
        } catch (...) {
            // Nothing to deliver; the worker goes on with the next job.
        }
        work = nullptr;
        lock.lock();
        // Posting under the lock: the pool's destructor takes it to close,
        // so nothing is posted to a window already gone.
        if (delivery && !state->isClosed) {
            state->poster([state, delivery = std::move(delivery)] {
                {
                    const std::lock_guard closedCheck(state->mutex);
                    if (state->isClosed) return;
                }
                delivery();
            });
        }
    }
    --state->workers;
}

}  // namespace Services
