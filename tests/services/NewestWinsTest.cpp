// One kind of result where only the newest request counts.
#include <gtest/gtest.h>

#include <chrono>

#include "FakeWindow.h"
#include "FolderReader.h"
#include "NewestWins.h"
#include "TempFolder.h"

using namespace std::chrono_literals;

TEST(NewestWins, DeliversTheNewestRequestOnly) {
    const struct {
        const char* why;
        bool isAbandoned;
        std::vector<std::string> arrived;
    } cases[] = {
        {"the older result is dropped", false, {"second #1"}},
        {"an abandoned request delivers nothing", true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        FakeWindow window;
        auto gates = std::make_shared<Gates>();
        std::vector<std::string> arrived;
        {
            // One worker: the probe runs once the second read has ended and its result was posted or dropped.
            Services::BackgroundWork work(window.Poster(), 1);
            Services::NewestWins<std::string> listing(work, [&](std::string result) { arrived.push_back(result); });
            Services::NewestWins<int> probe(work, [](int) {});
            listing.Request([gates] { return gates->Pass("first"); }, 0ms);
            ASSERT_TRUE(gates->AwaitArrival("first"));  // started, so not replaced in the queue
            listing.Request([gates] { return gates->Pass("second"); }, 0ms);
            if (c.isAbandoned) listing.Abandon();
            ASSERT_TRUE(gates->Release("first"));
            EXPECT_EQ(listing.IsAwaited(), !c.isAbandoned);
            ASSERT_TRUE(gates->Release("second"));
            ASSERT_EQ(probe.Request([] { return 1; }, 10s), 1);
            window.RunPosted();
            EXPECT_FALSE(listing.IsAwaited());
        }
        EXPECT_EQ(arrived, c.arrived);
        gates->OpenAll();
    }
}

TEST(NewestWins, AResultWithinPatienceIsReturnedNotDelivered) {
    FakeWindow window;
    int delivered = 0;
    Services::BackgroundWork work(window.Poster());
    Services::NewestWins<int> listing(work, [&](int) { ++delivered; });
    EXPECT_EQ(listing.Request([] { return 7; }, 10s), 7);
    EXPECT_FALSE(listing.IsAwaited());
    window.RunPosted();
    EXPECT_EQ(delivered, 0);
}

TEST(ListFolder, KeepsWhyAFolderCannotBeRead) {
    const TempFolder folder;
    const auto listed = Services::ListFolder((folder.path() / "gone").string(), Runtime::NamePattern("*"),
                                             Runtime::ListedKinds::FoldersAndFiles);
    ASSERT_TRUE(listed.Failure);
    EXPECT_EQ(listed.Failure->Number, Runtime::kPathNotFound);
}
