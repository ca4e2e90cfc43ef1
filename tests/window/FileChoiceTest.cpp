// File1 as the core keeps it: a folder opened with nothing selected, and the disk followed with the selection,
// the caret and the top row kept.
#include <gtest/gtest.h>

#include "FileChoice.h"
#include "WindowFakes.h"

namespace {

struct Following {
    const char* name;
    const char* change;  // "+path" makes it, "-path" removes it
    int select, top;     // rows before the change; -1 none
    const char* names;   // File1's rows after, the selected one in brackets
    int caret, topAfter;
};

class FileChoiceTest : public testing::TestWithParam<Following> {
protected:
    FakeDisk disk;
    FakeWindow window;
    FakeList file1;
    Window::FileChoice files{window.Poster(), file1, disk.Lister()};
};

TEST_P(FileChoiceTest, FollowsTheDisk) {
    const Following& row = GetParam();
    disk.Make("/m/a.mid /m/b.mid /m/c.mid /m/d.mid /m/notes.txt");
    files.ShowListing(Native("/m"), disk.Lister()(Native("/m"), files.Pattern(), Runtime::ListedKinds::Files).Contents.Files);
    file1.Select(row.select), file1.ScrollToTop(row.top);
    const std::string change = row.change;
    if (change.starts_with('+')) disk.Make(change.substr(1));
    else disk.Remove(change.substr(1));

    files.FollowDisk(std::chrono::seconds(10));

    EXPECT_EQ(file1.Names(), row.names);
    EXPECT_EQ(file1.caret, row.caret);
    EXPECT_EQ(file1.top, row.topAfter);
    EXPECT_EQ(files.Selected().has_value(), row.select >= 0 && file1.selected >= 0);
}

INSTANTIATE_TEST_SUITE_P(File1, FileChoiceTest, testing::Values(
    Following{"FileMadeBeforeTheSelectedOne", "+/m/0.smf", 2, 1, "0.smf a.mid b.mid [c.mid] d.mid", 3, 2},
    Following{"FileRemoved", "-/m/a.mid", 2, 0, "b.mid [c.mid] d.mid", 1, 0},
    Following{"SelectedFileRemovedTheKeysGoOnFromItsPlace", "-/m/c.mid", 2, 3, "a.mid b.mid d.mid", 2, 2},
    Following{"NothingSelectedStaysSo", "+/m/e.mid", -1, 0, "a.mid b.mid c.mid d.mid e.mid", -1, 0},
    Following{"NameOutsideThePatternLeftOut", "+/m/e.txt", 1, 0, "a.mid [b.mid] c.mid d.mid", 1, 0},
    Following{"FolderGoneEmptiesTheList", "-/m", 1, 0, "", -1, -1}),
    [](const testing::TestParamInfo<Following>& info) { return info.param.name; });

TEST(FileChoice, AFolderOpenedHasNothingSelectedAndDropsALateListingOfTheOneBefore) {
    FakeDisk disk;
    disk.Make("/m/a.mid /m/b.mid /m/c.mid /n/x.mid /n/y.mid /n/z.mid");
    disk.Slow("/m");
    FakeWindow window;
    FakeList file1;
    Window::FileChoice files{window.Poster(), file1, disk.Lister()};
    files.ShowListing(Native("/m"), {{"a.mid", "a.mid"}, {"b.mid", "b.mid"}, {"c.mid", "c.mid"}});
    file1.Select(2);
    files.FollowDisk(std::chrono::milliseconds(0));  // slow: arrives later

    files.ShowListing(Native("/n"), {{"x.mid", "x.mid"}, {"y.mid", "y.mid"}, {"z.mid", "z.mid"}});
    ASSERT_TRUE(disk.Release("/m"));
    window.WaitForPosts(1, std::chrono::milliseconds(500));
    window.RunPosted();

    EXPECT_EQ(file1.Names(), "x.mid y.mid z.mid");
    EXPECT_FALSE(files.Selected());
    EXPECT_EQ(files.NativeFolder(), Native("/n"));
}

}  // namespace
