// The reading pool: readings as they are read, a hung read holding only
// itself, and nothing delivered once abandoned or stopped.
#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "HeldReads.h"
#include "ReadingPool.h"

namespace {

// Files 1..count, the reads of those in held waiting to be let through.
struct Pool {
    Pool(std::size_t count, std::set<std::uint64_t> held, bool stopsAtFirst = false)
        : pool(1,
               {[this, stopsAtFirst](std::uint64_t id, MIDTitle::MidReading) {
                    const std::lock_guard lock(mutex);
                    delivered.push_back(id);
                    return !stopsAtFirst;
                },
                [this](std::uint64_t id) {
                    const std::lock_guard lock(mutex);
                    slow.push_back(id);
                }},
               [reads = reads, held](const Services::FileToRead& file) {
                   if (held.contains(file.Id)) reads->Hold();
                   return MIDTitle::MidReading{};
               }) {
        std::vector<Services::FileToRead> files;
        for (std::uint64_t id = 1; id <= count; ++id) files.push_back({id, {}, false});
        pool.Add(std::move(files));
    }
    ~Pool() { reads->LetAll(); }

    std::vector<std::uint64_t> Delivered() {
        const std::lock_guard lock(mutex);
        return delivered;
    }
    bool Until(std::size_t count) {
        for (int i = 0; i < 10000 && Delivered().size() < count; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return Delivered().size() >= count;
    }

    std::mutex mutex;
    std::vector<std::uint64_t> delivered, slow;
    std::shared_ptr<HeldReads> reads = std::make_shared<HeldReads>();
    Services::ReadingPool pool;
};

}  // namespace

TEST(ReadingPool, DeliversEachReadingAsItIsReadAndAHungReadHoldsOnlyItself) {
    // One worker, held by file 1: another is started for the rest, and 1 is told as slow.
    Pool pool(4, {1});
    ASSERT_TRUE(pool.Until(3));
    EXPECT_EQ(pool.Delivered(), (std::vector<std::uint64_t>{2, 3, 4}));
    pool.reads->Let(1);
    ASSERT_TRUE(pool.Until(4));
    EXPECT_EQ(pool.Delivered().back(), 1u);
    const std::lock_guard lock(pool.mutex);
    EXPECT_EQ(pool.slow, std::vector<std::uint64_t>{1});
}

TEST(ReadingPool, DeliversNothingOnceAbandonedOrStopped) {
    Pool abandoned(3, {1, 2, 3});
    ASSERT_TRUE(abandoned.reads->AwaitArrived(1));
    abandoned.pool.Abandon();  // returns with the read still hung
    abandoned.reads->LetAll();
    ASSERT_TRUE(abandoned.reads->AwaitPassed(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // room for a wrong delivery
    EXPECT_TRUE(abandoned.Delivered().empty());

    Pool stopped(5, {}, true);
    ASSERT_TRUE(stopped.Until(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(stopped.Delivered(), std::vector<std::uint64_t>{1});
}
