// What reads the selected file again, and what leaves Text1 alone.
#include <gtest/gtest.h>

#include "Files.h"
#include "SmfBytes.h"
#include "TempFolder.h"
#include "WindowDriver.h"

// Form1 on three songs titled First, Second and Third, files the list leaves out, and a folder of three more.
class File1Triggers : public testing::Test {
protected:
    static const std::filesystem::path& WithSongs(const TempFolder& folder) {
        for (const auto& [name, title] : {std::pair{"a.mid", "First"}, {"B.MID", "Second"}, {"c.smf", "Third"},
                                          {"notes.txt", "Not listed"}, {"d.midi", "Not listed"}, {"曲/x.mid", "X"},
                                          {"曲/y.mid", "Y"}, {"曲/z.mid", "Z"}})
            Put(folder.path(), name, TitledSong(title));
        return folder.path();
    }
    const TempFolder folder;
    WindowDriver window{WithSongs(folder)};
    const HWND file1 = window.File1();
};

TEST_F(File1Triggers, SelectionChangesShowTheNewFile) {
    ASSERT_EQ(::SendMessageW(file1, LB_GETCOUNT, 0, 0), 3);
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { window.Click(file1, 1); }, "Second"},
        {[&] { window.Key(file1, VK_DOWN); }, "Third"},
        {[&] { window.Key(file1, VK_HOME); }, "First"},
        // Letters typed close together make one name, its case ignored.
        {[&] { window.Type(file1, L"b"); }, "Second"},
        {[&] {  // a drag
             window.Mouse(file1, WM_LBUTTONDOWN, MK_LBUTTON, 0);
             window.Mouse(file1, WM_MOUSEMOVE, MK_LBUTTON, 2);
             window.Mouse(file1, WM_LBUTTONUP, 0, 2);
         }, "Third"},
    };
    for (const auto& [act, title] : cases) {
        SCOPED_TRACE(title);
        act();
        EXPECT_TRUE(window.Shows(title)) << window.Text1();
    }
    EXPECT_EQ(window.Shown(WindowDriver::kFile), Runtime::Utf8FromPath(folder.path() / "c.smf"));
}

TEST_F(File1Triggers, KeysMousePressesAndMovesReadTheFileAgain) {
    window.Click(file1, 1);
    // None of these moves the selection: only reading B.MID again shows its new title.
    const std::function<void()> cases[] = {
        [&] { window.Key(file1, VK_SHIFT); },
        [&] { window.Mouse(file1, WM_RBUTTONDOWN, MK_RBUTTON, 2); },
        [&] { window.Mouse(file1, WM_MOUSEMOVE, 0, 0); },
    };
    for (int round = 0; round < 3; ++round) {
        const std::string title = "Take " + std::to_string(round);
        SCOPED_TRACE(title);
        folder.Write("B.MID", TitledSong(title));
        cases[round]();
        EXPECT_TRUE(window.Shows(title)) << window.Text1();
        ::SendMessageW(file1, WM_RBUTTONUP, 0, 0);
    }
}

TEST_F(File1Triggers, NoSelectionOrAnUnchangedReportLeavesText1Alone) {
    const HWND text1 = window.form().Text1();
    // Nothing selected: at the start, and in a folder just opened after the third file was chosen.
    for (const bool isOpened : {false, true}) {
        SCOPED_TRACE(isOpened ? "a folder just opened" : "at the start");
        if (isOpened) window.Click(file1, 2), window.Shows("Third"), window.Click(window.form().Dir1(), "曲", 2);
        const std::string shown = window.Text1();
        EXPECT_EQ(window.form().File1().Current(), -1);
        for (const auto& [message, keys] : {std::pair<UINT, WPARAM>{WM_MOUSEMOVE, 0}, {WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}})
            window.Mouse(file1, message, keys, 2);
        window.Key(file1, VK_SHIFT);
        EXPECT_EQ(window.Text1(), shown);
        EXPECT_EQ(shown.empty(), !isOpened);
    }
    window.Click(file1, 0);
    // A selection in Text1 survives only if its text is never set again.
    ::SendMessageW(text1, EM_SETSEL, 3, 8);
    for (int move = 0; move < 3; ++move) ::SendMessageW(file1, WM_MOUSEMOVE, 0, MAKELPARAM(move, move));
    window.Key(file1, VK_SHIFT);
    EXPECT_EQ(::SendMessageW(text1, EM_GETSEL, 0, 0), MAKELRESULT(3, 8));
    Put(folder.path(), "曲/x.mid", TitledSong("Changed"));
    ::SendMessageW(file1, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_TRUE(window.Shows("Changed")) << window.Text1();
    EXPECT_NE(::SendMessageW(text1, EM_GETSEL, 0, 0), MAKELRESULT(3, 8));
}

TEST(File1, TenThousandFilesListAndAnswerKeys) {
    const TempFolder folder;
    for (int i = 0; i < 10000; ++i)  // song00000.mid to song09999.mid
        folder.Write("song" + std::to_string(100000 + i).substr(1) + ".mid", TitledSong("Song " + std::to_string(i)));
    WindowDriver window(folder.path());
    ASSERT_EQ(::SendMessageW(window.File1(), LB_GETCOUNT, 0, 0), 10000);
    window.Click(window.File1(), 0);  // with none selected, a key only selects the row at the caret
    window.Key(window.File1(), VK_END);
    EXPECT_TRUE(window.Shows("Song 9999")) << window.Text1();
    window.Type(window.File1(), L"song05000");
    EXPECT_TRUE(window.Shows("Song 5000")) << window.Text1();
}
