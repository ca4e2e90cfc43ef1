#include "ReadingPool.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <list>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "Patience.h"

namespace Services {

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kLeastDefaultReads = 8;
// Workers started for reads that are stuck, beyond readsAtOnce: a few hung
// files on a network folder leave the rest reading; a folder of nothing but
// hung files does not start a thread for each.
constexpr std::size_t kSpareWorkers = 8;
// How often the lookout looks while reads run: a slow read is told between
// kWaitingNoted and half as much again after it started.
constexpr auto kLookoutRound = kWaitingNoted / 2;

}  // namespace

MIDTitle::MidReading ReadFile(const FileToRead& file) noexcept {
    return file.IsNamed ? MIDTitle::ReadMidInfo(file.Path) : MIDTitle::ReadListedMidInfo(file.Path);
}

unsigned DefaultReadsAtOnce(unsigned cores) noexcept { return std::max(cores, kLeastDefaultReads); }

struct ReadingPool::Worker {
    std::uint64_t id = 0;  // of the file being read
    Clock::time_point since;
    // Set under the lock as a read starts; cleared without it as the read
    // ends, so a worker takes the lock once a file.
    std::atomic<bool> isReading = false;
    bool isNoted = false;  // told as slow, and counted as stuck until the worker takes the lock again
};

struct ReadingPool::State {
    std::mutex mutex;
    std::condition_variable workArrived;
    std::condition_variable lookoutCalled;
    std::deque<FileToRead> files;
    std::list<Worker> workers;  // a list: each worker keeps its own element
    std::size_t idleWorkers = 0;  // waiting for files, or about to
    std::size_t stuck = 0;
    std::size_t readsAtOnce = 1;
    bool isClosed = false;
    bool hasLookout = false;
    FileReader reader;

    std::mutex deliveryMutex;  // held while a delivery runs
    Deliveries deliveries;     // emptied once the pool is stopped

    // Workers beyond those the reads need: one started for a stuck read
    // that has ended since.
    bool IsSurplus() const { return workers.size() > readsAtOnce + stuck; }
    bool IsShort() const { return workers.size() < readsAtOnce + std::min(stuck, kSpareWorkers); }
};

ReadingPool::ReadingPool(unsigned readsAtOnce, Deliveries deliveries, FileReader reader)
    : state_(std::make_shared<State>()) {
    state_->readsAtOnce = std::max(1u, readsAtOnce);
    state_->deliveries = std::move(deliveries);
    state_->reader = std::move(reader);
}

ReadingPool::~ReadingPool() { Abandon(); }

void ReadingPool::Add(std::vector<FileToRead> files) {
    if (files.empty()) return;
    const std::lock_guard lock(state_->mutex);
    if (state_->isClosed) return;
    std::move(files.begin(), files.end(), std::back_inserter(state_->files));
    while (state_->idleWorkers < state_->files.size() && state_->IsShort()) StartWorker(state_);
    state_->workArrived.notify_all();
    if (!state_->hasLookout) {
        try {
            std::thread([state = state_] { LookOut(state); }).detach();
            state_->hasLookout = true;
        } catch (const std::system_error&) {
            // No thread to be had now: the next files added try again.
        }
    }
    state_->lookoutCalled.notify_one();
}

void ReadingPool::Abandon() {
    Stop(*state_);
    Deliveries dropped;
    {
        const std::lock_guard lock(state_->deliveryMutex);
        dropped = std::exchange(state_->deliveries, {});
    }
    // dropped goes here, outside the lock: what it holds may take locks of its own.
}

void ReadingPool::Stop(State& state) {
    {
        const std::lock_guard lock(state.mutex);
        state.isClosed = true;
        state.files.clear();
    }
    state.workArrived.notify_all();
    state.lookoutCalled.notify_all();
}

void ReadingPool::StartWorker(const std::shared_ptr<State>& state) {
    Worker& self = state->workers.emplace_back();
    try {
        std::thread([state, &self] { Work(state, self); }).detach();
        ++state->idleWorkers;
    } catch (const std::system_error&) {
        // No thread to be had now: the files wait for a worker already running.
        state->workers.pop_back();
    }
}

void ReadingPool::Work(const std::shared_ptr<State>& state, Worker& self) {
    std::unique_lock lock(state->mutex);
    for (bool hasRead = false;; hasRead = true) {
        if (hasRead) {
            ++state->idleWorkers;
            if (std::exchange(self.isNoted, false)) --state->stuck;
        }
        state->workArrived.wait(lock, [&] { return state->isClosed || !state->files.empty() || state->IsSurplus(); });
        if (state->isClosed || state->IsSurplus()) break;
        --state->idleWorkers;
        const FileToRead file = std::move(state->files.front());
        state->files.pop_front();
        self.id = file.Id;
        self.since = Clock::now();
        self.isReading = true;
        lock.unlock();

        std::optional<MIDTitle::MidReading> reading;
        try {
            reading = state->reader(file);
        } catch (...) {
            // A reader that throws breaks its promise: the file is not delivered.
        }
        self.isReading = false;
        // Deliver finds nothing to deliver to once the pool is stopped.
        if (reading && !Deliver(*state, file.Id, std::move(*reading))) Stop(*state);
        lock.lock();
    }
    --state->idleWorkers;
    state->workers.remove_if([&self](const Worker& worker) { return &worker == &self; });
}

void ReadingPool::LookOut(const std::shared_ptr<State>& state) {
    std::unique_lock lock(state->mutex);
    while (!state->isClosed) {
        const bool isBusy = !state->files.empty() || std::any_of(state->workers.begin(), state->workers.end(),
                                                                 [](const Worker& worker) { return worker.isReading.load(); });
        // Nothing waits or is read: nothing to look at until files arrive.
        if (isBusy) state->lookoutCalled.wait_for(lock, kLookoutRound);
        else state->lookoutCalled.wait(lock);
        const auto now = Clock::now();
        std::vector<std::uint64_t> slow;
        for (Worker& worker : state->workers) {
            if (!worker.isReading || worker.isNoted || now - worker.since < kWaitingNoted) continue;
            worker.isNoted = true;
            ++state->stuck;
            slow.push_back(worker.id);
        }
        while (!state->isClosed && state->idleWorkers < state->files.size() && state->IsShort()) StartWorker(state);
        if (slow.empty()) continue;
        lock.unlock();
        {
            const std::lock_guard delivering(state->deliveryMutex);
            for (const std::uint64_t id : slow) {
                if (state->deliveries.slow) state->deliveries.slow(id);
            }
        }
        lock.lock();
    }
}

bool ReadingPool::Deliver(State& state, std::uint64_t id, MIDTitle::MidReading reading) {
    const std::lock_guard lock(state.deliveryMutex);
    if (!state.deliveries.read) return false;
    if (state.deliveries.read(id, std::move(reading))) return true;
    state.deliveries = {};
    return false;
}

}  // namespace Services
