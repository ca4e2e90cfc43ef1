// Deliveries for a window that can only be woken: in order, one wake a batch.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Mailbox.h"

TEST(Mailbox, RunsDeliveriesInOrderWakingOncePerBatch) {
    const Services::Mailbox mailbox;
    std::atomic<int> wakes = 0;
    const auto poster = mailbox.Poster([&] { ++wakes; });
    std::vector<int> ran;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) poster([&ran, i] { ran.push_back(i); });
    });
    worker.join();
    EXPECT_EQ(wakes, 1);
    mailbox.RunDelivered();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
    poster([&ran] { ran.push_back(3); });  // the box is empty again: a new wake
    EXPECT_EQ(wakes, 2);
    mailbox.RunDelivered();
    EXPECT_EQ(ran.back(), 3);
}
