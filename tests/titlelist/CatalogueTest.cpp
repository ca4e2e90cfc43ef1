// The title list's logic against a fake window: filling as files are read,
// abandoning, filter, sort, subfolders, the disk changing, selection and
// scroll place. The same on Linux and under Wine.
#include <gtest/gtest.h>

#include "CatalogueDriver.h"
#include "CatalogueText.h"
#include "PathSeparator.h"

using TitleList::Column;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// A path below the folder as the name column shows it.
std::string Shown(std::string path) {
    std::replace(path.begin(), path.end(), '/', Runtime::kPathSeparator);
    return path;
}

// A song of format 1 with tracks tracks.
Bytes SongWithTracks(std::uint8_t tracks, std::string_view title) {
    return Header(0, 1, 0, tracks, 0x01, 0xE0) + Track(NamedTrackData(Ascii(title)));
}

}  // namespace

TEST(Catalogue, FillsAsFilesAreReadAndAHungFileHoldsBackOnlyItsOwnRow) {
    CatalogueDriver d;
    for (const char* name : {"a.mid", "b-hung.mid", "c.mid"}) d.Song(name, std::string(1, name[0]));
    d.catalogue.Open(d.Native());
    EXPECT_EQ(d.view.title, "タイトル一覧 - " + d.Native());
    // The one worker is held by b: another is started for c, and b's row says it is still read.
    ASSERT_TRUE(d.Until([&] { return d.Cells(Column::Status) == Names{"", "読み込み中…", ""}; }));
    EXPECT_EQ(d.Cells(), (Names{"a.mid", "b-hung.mid", "c.mid"}));
    EXPECT_EQ(d.Cells(Column::Title), (Names{"a", "", "c"}));
    EXPECT_EQ(d.view.count, "2 / 3");
    EXPECT_EQ(d.view.spokenCount, "2 / 3 曲を読み込みました");
    d.held->Let(1);
    ASSERT_TRUE(d.Settled());
    EXPECT_EQ(d.Cells(Column::Title), (Names{"a", "b #1", "c"}));
    EXPECT_EQ(d.Cells(Column::Tracks), (Names{"2", "2", "2"}));
    EXPECT_EQ(d.view.spokenCount, "3 曲");
    EXPECT_EQ(TitleList::CountText(1234, 100000), "1 234 / 100 000");
}

TEST(Catalogue, NothingArrivesFromAFillAbandoned) {
    // The first fill's read of a-hung is held; after the step the new
    // fill's own reads come first, then the held one is let through.
    const struct { const char* why; void (*step)(CatalogueDriver&); Names names; Names titles; } cases[] = {
        {"closed", [](CatalogueDriver& d) { d.catalogue.Close(); }, {}, {}},
        {"opened on another folder", [](CatalogueDriver& d) { d.catalogue.Open(d.Native("sub")); }, {"b.mid"}, {"B"}},
        {"subfolders unticked", [](CatalogueDriver& d) { d.catalogue.IncludeSubfolders(false); }, {"a-hung.mid"}, {"A #2"}},
        {"F5", [](CatalogueDriver& d) { d.catalogue.Refresh(); }, {"a-hung.mid", Shown("sub/b.mid")}, {"A #2", "B"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        CatalogueDriver d;
        d.Song("a-hung.mid", "A");
        d.Song("sub/b.mid", "B");
        d.catalogue.IncludeSubfolders(true);
        d.catalogue.Open(d.Native());
        ASSERT_TRUE(d.Until([&] { return d.Cells(Column::Status) == Names{"読み込み中…", ""}; }));
        // The step comes while a listing of the first fill waits to be delivered.
        const int posts = d.window.PostCount();
        d.catalogue.FolderChanged(d.Native("sub"));
        ASSERT_TRUE(d.window.WaitForPosts(posts + 1));
        c.step(d);
        const bool readsAgain = c.titles.size() > 0 && c.titles[0] == "A #2";
        if (readsAgain) {
            ASSERT_TRUE(d.Until([&] { return d.held->Arrived() == 2; }));
        }
        d.held->Let(2);
        ASSERT_TRUE(d.Until([&] { return d.Cells() == c.names && d.Cells(Column::Title) == c.titles; }));
        const std::size_t redraws = d.view.redraws;
        d.held->Let(1);
        ASSERT_TRUE(d.held->AwaitPassed(readsAgain ? 2 : 1));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // room for a wrong delivery to be posted
        d.window.RunPosted();
        EXPECT_EQ(d.Cells(Column::Title), c.titles);
        if (c.names.empty()) {
            EXPECT_EQ(d.view.redraws, redraws);
        }
    }
}

TEST(Catalogue, FiltersByTitleOrNameAsTheyReadIgnoringWidthCaseAndKanaKind) {
    CatalogueDriver d;
    d.Song("HARUNOUM.MID", "ﾊﾙﾉｳﾐ");
    d.Song("K_0012.MID", "はるのうみ (Ver.2)");
    d.Song("SONG23.MID", "春の海");
    d.Song("zz.mid", "ＳＯＮＧ　ｂｏｏｋ");
    // What is typed, one step after another: on typing on, the rows narrow.
    const struct { const char* typed; Names names; } steps[] = {
        {"は", {"HARUNOUM.MID", "K_0012.MID"}},
        {"ハルノウミ", {"HARUNOUM.MID", "K_0012.MID"}},
        {"ﾊﾙﾉｳﾐ (v", {"K_0012.MID"}},
        {"は", {"HARUNOUM.MID", "K_0012.MID"}},
        {"song", {"SONG23.MID", "zz.mid"}},
        {"song b", {"zz.mid"}},
        {"ｋ＿００", {"K_0012.MID"}},
        {"春の", {"SONG23.MID"}},
        {"xyz", {}},
        {"", {"HARUNOUM.MID", "K_0012.MID", "SONG23.MID", "zz.mid"}},
    };
    d.catalogue.Filter("ﾊﾙﾉ");  // typed before the rows arrive
    d.catalogue.Open(d.Native());
    ASSERT_TRUE(d.Settled());
    EXPECT_EQ(d.Cells(), (Names{"HARUNOUM.MID", "K_0012.MID"}));
    for (const auto& step : steps) {
        d.catalogue.Filter(step.typed);
        EXPECT_EQ(d.Cells(), step.names) << step.typed;
        EXPECT_EQ(d.view.rows, step.names.size()) << step.typed;
    }
}

TEST(Catalogue, SortsByTheColumnClickedAndBackNumbersAsNumbersTiesInTheWalksOrder) {
    CatalogueDriver d;
    // Titles by the sort key: case folded, numbers by their value, then the text.
    const struct { const char* name; std::uint8_t tracks; const char* title; } songs[] = {
        {"1.mid", 10, "Song10"}, {"2.mid", 2, "song2"}, {"3.mid", 2, "SONG1"}, {"4.mid", 1, "Song2"}};
    for (const auto& song : songs) d.folder.Write(song.name, SongWithTracks(song.tracks, song.title));
    d.catalogue.Open(d.Native());
    ASSERT_TRUE(d.Settled());
    EXPECT_EQ(d.Cells(), (Names{"1.mid", "2.mid", "3.mid", "4.mid"}));
    const struct { Column column; Names names; const char* heard; } clicks[] = {
        {Column::Title, {"3.mid", "4.mid", "2.mid", "1.mid"}, "タイトルの昇順"},
        {Column::Title, {"1.mid", "2.mid", "4.mid", "3.mid"}, "タイトルの降順"},
        {Column::Tracks, {"4.mid", "2.mid", "3.mid", "1.mid"}, "トラック数の昇順"},
        {Column::Tracks, {"1.mid", "2.mid", "3.mid", "4.mid"}, "トラック数の降順"},
    };
    for (const auto& click : clicks) {
        d.catalogue.SortBy(click.column);
        EXPECT_EQ(d.Cells(), click.names) << click.heard;
        EXPECT_EQ(d.view.spokenOrder, click.heard);
    }
    // A song arriving takes its place in the order shown.
    d.folder.Write("5.mid", SongWithTracks(5, "x"));
    d.catalogue.FolderChanged(d.Native());
    ASSERT_TRUE(d.Until([&] { return d.Cells() == Names{"1.mid", "5.mid", "2.mid", "3.mid", "4.mid"}; }));
}

TEST(Catalogue, FollowsTheDiskInTheFolderAndEveryFolderBelow) {
    CatalogueDriver d;
    d.Song("a.mid", "A");
    d.Song("sub/b.mid", "B");
    d.catalogue.IncludeSubfolders(true);
    d.catalogue.Open(d.Native());
    ASSERT_TRUE(d.Settled());
    EXPECT_EQ(d.Cells(), (Names{"a.mid", Shown("sub/b.mid")}));
    // Each step changes the disk, then says so of one folder, as a watch would.
    const struct { const char* why; std::function<void()> change; const char* folder; Names names; Names titles; } steps[] = {
        {"created", [&] { d.Song("c.mid", "C"); }, "", {"a.mid", "c.mid", Shown("sub/b.mid")}, {"A", "C", "B"}},
        {"a new title", [&] { d.Song("a.mid", "A2"); }, "", {"a.mid", "c.mid", Shown("sub/b.mid")}, {"A2", "C", "B"}},
        {"removed", [&] { fs::remove(d.At("c.mid")); }, "", {"a.mid", Shown("sub/b.mid")}, {"A2", "B"}},
        {"renamed below", [&] { fs::rename(d.At("sub/b.mid"), d.At("sub/d.mid")); }, "sub",
         {"a.mid", Shown("sub/d.mid")}, {"A2", "B"}},
        {"a new folder, told of itself", [&] { d.Song("new/e.mid", "E"); }, "new",
         {"a.mid", Shown("new/e.mid"), Shown("sub/d.mid")}, {"A2", "E", "B"}},
        {"a folder removed", [&] { fs::remove_all(d.At("sub")); }, "", {"a.mid", Shown("new/e.mid")}, {"A2", "E"}},
        {"a folder renamed", [&] { fs::rename(d.At("new"), d.At("0")); }, "", {"a.mid", Shown("0/e.mid")}, {"A2", "E"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.why);
        step.change();
        d.catalogue.FolderChanged(d.Native(step.folder));
        EXPECT_TRUE(d.Until([&] { return d.Cells() == step.names && d.Cells(Column::Title) == step.titles; }))
            << testing::PrintToString(d.Cells());
    }
    EXPECT_EQ(d.catalogue.Folders(), (Names{d.Native(), d.Native("0")}));  // what a watch follows
    // Without subfolders the walk stops at the folder.
    d.catalogue.IncludeSubfolders(false);
    ASSERT_TRUE(d.Settled());
    EXPECT_EQ(d.Cells(), (Names{"a.mid"}));
    EXPECT_EQ(d.catalogue.Folders(), (Names{d.Native()}));
}

TEST(Catalogue, SelectionAndScrollPlaceHoldWhileRowsArriveSortAndFilter) {
    CatalogueDriver d;
    for (int i = 0; i < 8; ++i) d.Song("s" + std::to_string(i) + ".mid", std::to_string(7 - i));
    d.catalogue.Open(d.Native());
    ASSERT_TRUE(d.Settled());
    // s5 selected, and shown third from the top of a four-row table.
    d.catalogue.Select(std::vector<std::size_t>{5}, 5);
    d.catalogue.Scroll(3, 4);
    const auto s5Held = [&](std::size_t at) {
        return d.catalogue.CellText(at, Column::Name) == "s5.mid" && d.view.selection == std::vector<std::size_t>{at} &&
               d.view.current == at && d.view.top == (at > 2 ? at - 2 : 0);
    };
    // A row arrives above it.
    d.Song("a.mid", "z");
    d.catalogue.FolderChanged(d.Native());
    ASSERT_TRUE(d.Until([&] { return d.catalogue.RowCount() == 9; }));
    EXPECT_TRUE(s5Held(6));
    d.catalogue.SortBy(Column::Title);  // "0", "1", "2" (s5) ... "z"
    EXPECT_TRUE(s5Held(2));
    d.catalogue.Filter("s5");
    EXPECT_TRUE(s5Held(0));
    d.catalogue.Filter("");
    EXPECT_TRUE(s5Held(2));
    // F5 reads everything anew: s5 is chosen again when it arrives.
    d.catalogue.Refresh();
    ASSERT_TRUE(d.Settled());
    EXPECT_TRUE(s5Held(2));
}
