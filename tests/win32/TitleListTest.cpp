// The title list's window: opened from Form1, the person's input reaching
// the core, the core's rows, order and count reaching the widgets, and the
// ways out of it: to Form1, the clipboard and a file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Files.h"
#include "TempFolder.h"
#include "TitleListDriver.h"

namespace {

constexpr std::string_view kHaruNoUmi = "\x8f\x74\x82\xcc\x8a\x43";  // 春の海 in Shift_JIS, as old files carry it

class TitleListWin32 : public testing::Test, protected TitleListDriver {
protected:
    static const std::filesystem::path& WithSongs(const TempFolder& folder) {
        Put(folder.path(), "a.mid", TitledSong(kHaruNoUmi));
        Put(folder.path(), "b.mid", TitledSong("Sakura"));
        Put(folder.path(), "c.smf", TitledSong("Etude"));
        Put(folder.path(), "曲/x.mid", TitledSong("Deep"));
        return folder.path();
    }
    TitleListWindow* List() { return window.form().Titles().Window(); }
    HWND Table() { return List()->Table(); }
    // Whether the list comes to show rows, every song read.
    bool Shows(int rows) {
        return WindowDriver::PumpUntil([&] {
            return List() != nullptr && ::IsWindowVisible(List()->Handle()) && Text(List()->Count()).find('/') == std::string::npos &&
                   ::SendMessageW(Table(), LVM_GETITEMCOUNT, 0, 0) == rows;
        });
    }
    TitleListWindow& Open() {
        ControlKey(window.File1(), 'L');
        EXPECT_TRUE(Shows(3));
        return *List();
    }
    std::string Folder(std::string_view below = {}) const {
        return Runtime::Utf8FromPath(below.empty() ? folder.path() : folder.path() / Runtime::PathFromUtf8(below));
    }

    const TempFolder folder;
    WindowDriver window{WithSongs(folder)};
};

TEST_F(TitleListWin32, OpensFromForm1OnItsFolderIsReusedAndClosesWithIt) {
    const std::string report = (window.Click(window.File1(), 1), window.Shows("Sakura"), window.Text1());
    const std::vector<std::string> menu = {"タイトル一覧(&L)…\tCtrl+L"};
    const std::pair<const char*, std::function<std::vector<std::string>()>> openers[] = {
        {"Ctrl+L in File1", [&] { return ControlKey(window.File1(), 'L'), menu; }},
        {"Ctrl+L in Drive1", [&] { return ControlKey(window.Drive1(), 'L'), menu; }},
        {"File1's right button", [&] { return Answering([&] { WindowDriver::Mouse(window.File1(), WM_RBUTTONUP, 0, 2); }); }},
        {"the menu key", [&] { return Answering([&] { ::SendMessageW(window.File1(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.File1()), -1); }); }},
    };
    for (const auto& [how, open] : openers) {
        SCOPED_TRACE(how);
        if (List() != nullptr) ::SendMessageW(List()->Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(open(), menu);
        ASSERT_TRUE(Shows(3));
        EXPECT_EQ(Text(List()->Handle()), "タイトル一覧 - " + Folder());
        EXPECT_EQ(Column(Table(), 0), "a.mid b.mid c.smf");
        EXPECT_EQ(window.Text1(), report) << "Form1 as it was";
    }
    // From another folder: the same window, on that folder.
    const TitleListWindow* const opened = List();
    window.Click(window.form().Dir1(), "曲", 2);
    ControlKey(window.Dir1(), 'L');
    EXPECT_TRUE(WindowDriver::PumpUntil([&] { return Column(Table(), 0) == "x.mid"; }));
    EXPECT_EQ(List(), opened);
    EXPECT_EQ(Text(List()->Handle()), "タイトル一覧 - " + Folder("曲"));

    const HWND list = List()->Handle();
    ::DestroyWindow(window.form().Handle());
    EXPECT_FALSE(::IsWindow(list));
}

TEST_F(TitleListWin32, TakesInputToTheCoreAndShowsWhatItTells) {
    TitleListWindow& list = Open();
    wchar_t heading[64] = {};
    std::wstring headings;
    for (int column = 0; column < 6; ++column) headings += (HeaderItem(Table(), column, heading), heading) + std::wstring(L" ");
    EXPECT_EQ(headings, L"ファイル名 タイトル フォーマット トラック数 分解能 状態 ");
    EXPECT_EQ(Text(::GetWindow(list.Filter(), GW_HWNDPREV)), "絞り込み");
    EXPECT_EQ(Text(list.Subfolders()), "サブフォルダーも含める");
    EXPECT_EQ(Column(Table(), 1), "春の海 Sakura Etude");

    const struct {
        const char* what;
        std::function<void()> act;
        std::string names, count;
        int sorted;  // the column with the sort arrow, -1 for none
        int arrow;
    } steps[] = {
        {"the title's header", [&] { ClickHeader(Table(), 1); }, "c.smf b.mid a.mid", "3 曲", 1, HDF_SORTUP},
        {"the title's header again", [&] { ClickHeader(Table(), 1); }, "a.mid b.mid c.smf", "3 曲", 1, HDF_SORTDOWN},
        {"typed in the filter", [&] { ::SetFocus(list.Filter()), WindowDriver::Type(list.Filter(), L"SAK"); }, "b.mid", "3 曲のうち 1 曲を表示", 1, HDF_SORTDOWN},
        {"Esc in the filter", [&] { WindowDriver::Key(list.Filter(), VK_ESCAPE); }, "a.mid b.mid c.smf", "3 曲", 1, HDF_SORTDOWN},
        {"the subfolders ticked", [&] { ::SendMessageW(list.Subfolders(), BM_CLICK, 0, 0); },
         "a.mid b.mid c.smf 曲\\x.mid", "4 曲", 1, HDF_SORTDOWN},
        {"F5", [&] { Put(folder.path(), "曲/y.mid", TitledSong("Fresh")), WindowDriver::Key(Table(), VK_F5); },
         "a.mid b.mid 曲\\y.mid c.smf 曲\\x.mid", "5 曲", 1, HDF_SORTDOWN},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_TRUE(WindowDriver::PumpUntil([&] { return Column(Table(), 0) == step.names && Text(list.Count()) == step.count; }))
            << Column(Table(), 0) << " / " << Text(list.Count());
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(HeaderItem(Table(), column).fmt & (HDF_SORTUP | HDF_SORTDOWN), column == step.sorted ? step.arrow : 0);
    }
    // What a screen reader hears of the table: its name, order and count.
    EXPECT_EQ(Text(::GetWindow(Table(), GW_HWNDPREV)), "タイトル一覧 タイトルの降順 5 曲");
    ControlKey(Table(), 'F');
    EXPECT_EQ(::GetFocus(), list.Filter());

    // On a 144-dpi monitor the columns and the filter box grow by half.
    RECT suggested{0, 0, 1290, 780};
    ::SendMessageW(list.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT filter{};
    ::GetWindowRect(list.Filter(), &filter);
    EXPECT_EQ(std::pair(HeaderItem(Table(), 0).cxy, filter.bottom - filter.top), std::pair(255, 36L));
}

TEST_F(TitleListWin32, SendsRowsToForm1TheClipboardAndAFile) {
    TitleListWindow& list = Open();
    ::SetFocus(Table());
    WindowDriver::Key(Table(), VK_HOME);
    WindowDriver::Key(Table(), VK_DOWN);
    WindowDriver::PumpFor(std::chrono::milliseconds(50));  // the selection reaches the core
    ControlKey(Table(), 'C');
    ASSERT_TRUE(::OpenClipboard(list.Handle()));
    const auto* copied = static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT)));
    const std::string tsv = copied != nullptr ? Runtime::Utf8FromWide(copied) : std::string();
    ::CloseClipboard();
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\n'), 2) << tsv;
    EXPECT_NE(tsv.find(Runtime::Utf8FromPath(folder.path() / "b.mid") + "\t1\t2\t480\tSakura"), std::string::npos) << tsv;

    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Etude", [&] { DoubleClick(Table(), 2); }},
        {"Sakura", [&] { WindowDriver::Type(Table(), L"B"), WindowDriver::Key(Table(), VK_RETURN); }},  // a name's first letters
    };
    for (const auto& [title, act] : ways) {
        act();
        EXPECT_TRUE(window.Shows(title)) << window.Text1();
        EXPECT_EQ(window.form().File1().Row(window.form().File1().Current()).Entry.DisplayName,
                  std::string(title) == "Sakura" ? "b.mid" : "c.smf");
    }

    const std::filesystem::path saved = folder.path() / "一覧.csv";
    const auto items = Answering([&] { ::SendMessageW(Table(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Table()), -1); },
                                 saved.wstring());
    EXPECT_EQ(items, std::vector<std::string>{"CSVで保存…"});
    std::ifstream in(saved, std::ios::binary);
    const std::string csv((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF")) << csv;
    EXPECT_NE(csv.find(",春の海,"), std::string::npos) << csv;
}

TEST_F(TitleListWin32, FollowsTheDiskBelowItsFolder) {
    TitleListWindow& list = Open();
    // Wine watches a folder below only once it is made under a watched one;
    // Windows watches the whole tree.
    const struct { bool withSubfolders; std::function<void()> change; const char* names; const char* titles; } cases[] = {
        {false, [&] { Put(folder.path(), "d.mid", TitledSong("New")); }, "a.mid b.mid c.smf d.mid", "春の海 Sakura Etude New"},
        {false, [&] { std::filesystem::remove(folder.path() / "b.mid"); }, "a.mid c.smf d.mid", "春の海 Etude New"},
        {true, [&] { Put(folder.path(), "新/z.mid", TitledSong("Below")); }, "a.mid c.smf d.mid 新\\z.mid 曲\\x.mid",
         "春の海 Etude New Below Deep"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names);
        if (c.withSubfolders) ::SendMessageW(list.Subfolders(), BM_CLICK, 0, 0);
        EXPECT_TRUE(WindowDriver::PumpUntil([&] { return Text(list.Count()).find('/') == std::string::npos; }));
        c.change();
        // Written in steps, a song may be read half made first: its title comes with the last change.
        EXPECT_TRUE(WindowDriver::PumpUntil([&] { return Column(Table(), 0) == c.names && Column(Table(), 1) == c.titles; }))
            << Column(Table(), 0) << " / " << Column(Table(), 1);
    }
}

TEST(TitleListPlace, SelectionAndScrollHoldTheirSongsThroughASort) {
    const TempFolder folder;
    for (int i = 0; i < 100; ++i) {  // s00.mid titled T99 to s99.mid titled T00: sorting by title reverses them
        const std::string number = std::to_string(100 + i).substr(1), reversed = std::to_string(199 - i).substr(1);
        Put(folder.path(), "s" + number + ".mid", TitledSong("T" + reversed));
    }
    WindowDriver window(folder.path());
    TitleListDriver::ControlKey(window.File1(), 'L');
    TitleListWindow* list = window.form().Titles().Window();
    ASSERT_NE(list, nullptr);
    const HWND table = list->Table();
    const auto rowName = [&](LRESULT row) { return TitleListDriver::Cell(table, static_cast<int>(row), 0); };
    const auto top = [&] { return rowName(::SendMessageW(table, LVM_GETTOPINDEX, 0, 0)); };
    const auto selected = [&] { return rowName(::SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); };
    ASSERT_TRUE(WindowDriver::PumpUntil([&] { return TitleListDriver::Text(list->Count()) == "100 曲"; }));

    const struct { const char* what; std::function<void()> act; std::function<std::string()> shown; const char* song; } steps[] = {
        {"scrolled down to the middle", [&] { for (int i = 0; i < 40; ++i) ::SendMessageW(table, WM_VSCROLL, SB_LINEDOWN, 0); }, top, "s40.mid"},
        {"sorted by title: the top song stays on top", [&] { TitleListDriver::ClickHeader(table, 1); }, top, "s40.mid"},
        {"the first row chosen", [&] { ::SetFocus(table), WindowDriver::Key(table, VK_HOME); }, selected, "s99.mid"},
        {"its first letter typed: the next name with it", [&] { WindowDriver::Type(table, L"s"); }, selected, "s98.mid"},
        {"sorted the other way: the song stays chosen", [&] { TitleListDriver::ClickHeader(table, 1); }, selected, "s98.mid"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_TRUE(WindowDriver::PumpUntil([&] { return step.shown() == step.song; })) << step.shown();
    }
    // And that song is in view: the focus stays where the person sees it.
    const LRESULT first = ::SendMessageW(table, LVM_GETTOPINDEX, 0, 0), focused = ::SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
    EXPECT_TRUE(focused >= first && focused < first + ::SendMessageW(table, LVM_GETCOUNTPERPAGE, 0, 0)) << first << " " << focused;
}

}  // namespace
