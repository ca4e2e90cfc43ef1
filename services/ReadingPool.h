#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "MidReading.h"

namespace Services {

// A file for the pool to read, under a number its owner chose.
struct FileToRead {
    std::uint64_t Id = 0;
    std::filesystem::path Path;
    // Named by a person rather than listed a moment ago: whether it is a
    // normal file is looked up before it is opened.
    bool IsNamed = false;
};

// How a file is read: MIDTitle's reader, or in tests a stand-in that waits.
// It must not throw.
using FileReader = std::function<MIDTitle::MidReading(const FileToRead&)>;
MIDTitle::MidReading ReadFile(const FileToRead& file) noexcept;

// Reads at once unless told: on a cold cache they wait for the disk, and on
// a two-core machine 8 read 100 000 files in 0.4 of the time 2 took, while
// a warm cache ran no slower (bench/CliBench.cpp). More cores than that
// each get one.
unsigned DefaultReadsAtOnce(unsigned cores) noexcept;

// Reads files on worker threads and hands each reading over as soon as it
// is read, in whatever order the reads end, so a slow or hung file holds
// back nothing but itself. A read still running after kWaitingNoted is told
// as slow, and counts as stuck: while files wait, another worker starts for
// each stuck one, up to kSpareWorkers more than readsAtOnce. Workers are
// detached: abandoning or destroying the pool never waits for a read, and
// what they share lives as long as the last of them.
class ReadingPool {
public:
    struct Deliveries {
        // Each reading, on a worker, never two at once. False stops the
        // pool as Abandon does.
        std::function<bool(std::uint64_t id, MIDTitle::MidReading reading)> read;
        // A read still running after kWaitingNoted, told once, on the pool's
        // lookout thread; never at once with another delivery. May be empty.
        std::function<void(std::uint64_t id)> slow;
    };

    ReadingPool(unsigned readsAtOnce, Deliveries deliveries, FileReader reader = ReadFile);
    ~ReadingPool();  // abandons
    ReadingPool(const ReadingPool&) = delete;
    ReadingPool& operator=(const ReadingPool&) = delete;

    // Reads files after those added before, as workers come free.
    void Add(std::vector<FileToRead> files);

    // Drops the files not started; nothing is delivered once this returns,
    // and the deliveries are let go here. Not to be called from a delivery:
    // a delivery stops the pool by returning false.
    void Abandon();

private:
    struct State;
    struct Worker;
    static void StartWorker(const std::shared_ptr<State>& state);  // under the state's lock
    static void Work(const std::shared_ptr<State>& state, Worker& self);  // one worker's life
    static void LookOut(const std::shared_ptr<State>& state);             // the lookout's life
    static bool Deliver(State& state, std::uint64_t id, MIDTitle::MidReading reading);
    static void Stop(State& state);

    std::shared_ptr<State> state_;
};

}  // namespace Services
