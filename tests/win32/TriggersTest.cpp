// What reads the selected file again, and what leaves Text1 alone (an unchanged report: Form1Layout).
#include <gtest/gtest.h>

#include "Files.h"
#include "TempFolder.h"
#include "WindowDriver.h"

// Form1 on three songs, files the list leaves out, and a folder of three more songs.
class File1Triggers : public testing::Test {
protected:
    static const std::filesystem::path& WithSongs(const TempFolder& folder) {
        for (const char* name : {"a.mid", "B.MID", "c.smf", "notes.txt", "d.midi", "曲/x.mid", "曲/y.mid", "曲/z.mid"})
            Put(folder.path(), name, TitledSong("Song"));
        return folder.path();
    }
    // Writes the file anew with a title of its own, acts, and tells whether the window reads it and shows it.
    bool ReadsAfter(std::string_view name, const std::function<void()>& act) {
        const std::string title = "Take " + std::to_string(++takes_);
        const std::filesystem::path song = Put(folder.path(), name, TitledSong(title));
        act();
        return window.Shows(title) && window.Shown(WindowDriver::kFile) == Runtime::Utf8FromPath(song);
    }
    const TempFolder folder;
    WindowDriver window{WithSongs(folder)};
    const HWND file1 = window.File1();
    int takes_ = 0;
};

TEST_F(File1Triggers, EachTriggerReadsTheSelectedFileAgain) {
    ASSERT_EQ(::SendMessageW(file1, LB_GETCOUNT, 0, 0), 3);
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"B.MID", [&] { window.Click(file1, 1); }},
        // These three leave the selection where it is: only a new read shows the new title.
        {"B.MID", [&] { window.Key(file1, VK_SHIFT); }},
        {"B.MID", [&] { window.Mouse(file1, WM_RBUTTONDOWN, MK_RBUTTON, 2); }},  // its release brings up the menu
        {"B.MID", [&] { window.Mouse(file1, WM_MOUSEMOVE, 0, 0); }},
        {"c.smf", [&] { window.Key(file1, VK_DOWN); }},
        {"a.mid", [&] { window.Key(file1, VK_HOME); }},
        {"B.MID", [&] { window.Type(file1, L"b"); }},  // letters typed close together make a name, its case ignored
        {"c.smf", [&] {  // a drag
             window.Mouse(file1, WM_LBUTTONDOWN, MK_LBUTTON, 0), window.Mouse(file1, WM_MOUSEMOVE, MK_LBUTTON, 2);
             window.Mouse(file1, WM_LBUTTONUP, 0, 2);
         }},
    };
    for (const auto& [name, act] : cases) EXPECT_TRUE(ReadsAfter(name, act)) << name << window.Text1();
}

TEST_F(File1Triggers, NoFileSelectedLeavesText1Alone) {
    // Nothing selected: at the start, and in a folder just opened after the third file was chosen.
    for (const bool isOpened : {false, true}) {
        SCOPED_TRACE(isOpened ? "a folder just opened" : "at the start");
        if (isOpened) window.Click(file1, 2), window.Shows("Song"), window.Click(window.form().Dir1(), "曲", 2);
        const std::string shown = window.Text1();
        EXPECT_EQ(window.form().File1().Current(), -1);
        for (const auto& [message, keys] : {std::pair<UINT, WPARAM>{WM_MOUSEMOVE, 0}, {WM_RBUTTONDOWN, MK_RBUTTON}})
            window.Mouse(file1, message, keys, 2);
        window.Key(file1, VK_SHIFT);
        EXPECT_EQ(window.Text1(), shown);
        EXPECT_EQ(shown.empty(), !isOpened);
    }
}
