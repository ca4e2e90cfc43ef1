#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace Services {

// What runs on the window's thread once a piece of work is done.
using Delivery = std::function<void()>;

// Hands a delivery to the window's thread through its own event loop: a
// queued call in Qt, a posted message in Win32. It is called from worker
// threads, must not wait for the window, and is never called again once
// the BackgroundWork that holds it is gone.
using WindowPoster = std::function<void(Delivery)>;

// Work sorted into lanes: within a lane only the newest work counts.
using Lane = std::uint32_t;

// A few worker threads that take work off the window's thread. A read that
// hangs holds one worker, never the window; more workers are started while
// all are busy, up to a limit. Workers are detached: destroying the pool
// never waits for one that is stuck, and what they share lives as long as
// the last of them.
class BackgroundWork {
public:
    explicit BackgroundWork(WindowPoster poster, std::size_t maxWorkers = 4);
    ~BackgroundWork();  // no delivery runs or is posted after this
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    Lane NewLane();

    // Runs work on a worker, in place of the lane's work not started yet.
    // What work returns, unless empty, is posted to the window's thread and
    // run there while this pool still exists. Work that throws delivers
    // nothing.
    void Run(Lane lane, std::function<Delivery()> work);

private:
    struct State;
    static void Work(const std::shared_ptr<State>& state);  // one worker's life

    std::shared_ptr<State> state_;
    Lane lastLane_ = 0;
};

}  // namespace Services
