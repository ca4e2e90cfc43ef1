// What reads the selected file again, and what leaves Text1 alone.
#include <gtest/gtest.h>

#include "Files.h"
#include "TempFolder.h"
#include "WindowDriver.h"

namespace {

// Three songs titled First, Second and Third, and files the list leaves out.
void PutSongs(const std::filesystem::path& folder) {
    for (const auto& [name, title] : {std::pair{"a.mid", "First"}, {"B.MID", "Second"}, {"c.smf", "Third"},
                                      {"notes.txt", "Not listed"}, {"d.midi", "Not listed"}})
        Put(folder, name, TitledSong(title));
}

}  // namespace

TEST(File1Triggers, SelectionChangesShowTheNewFile) {
    const TempFolder folder;
    PutSongs(folder.path());
    WindowDriver window(folder.path());
    const HWND file1 = window.File1();
    ASSERT_EQ(::SendMessageW(file1, LB_GETCOUNT, 0, 0), 3);
    const struct { const char* why; std::function<void()> act; const char* title; } cases[] = {
        {"click", [&] { WindowDriver::Click(file1, 1); }, "Second"},
        {"down arrow", [&] { WindowDriver::Key(file1, VK_DOWN); }, "Third"},
        {"home", [&] { WindowDriver::Key(file1, VK_HOME); }, "First"},
        // Letters typed close together make one name: one word per window.
        {"typing, case ignored", [&] { WindowDriver::Type(file1, L"b"); }, "Second"},
        {"drag", [&] {
             ::SendMessageW(file1, WM_LBUTTONDOWN, MK_LBUTTON, WindowDriver::RowPoint(file1, 0));
             ::SendMessageW(file1, WM_MOUSEMOVE, MK_LBUTTON, WindowDriver::RowPoint(file1, 2));
             ::SendMessageW(file1, WM_LBUTTONUP, 0, WindowDriver::RowPoint(file1, 2));
         }, "Third"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        c.act();
        EXPECT_EQ(window.ShownTitle(), c.title);
    }
    EXPECT_EQ(window.ShownFile(), Runtime::Utf8FromPath(folder.path() / "c.smf"));
}

TEST(File1Triggers, KeysMousePressesAndMovesReadTheFileAgain) {
    const TempFolder folder;
    PutSongs(folder.path());
    WindowDriver window(folder.path());
    const HWND file1 = window.File1();
    WindowDriver::Click(file1, 1);
    // None of these moves the selection: only reading b.mid again shows its new title.
    const struct { const char* why; std::function<void()> act; } cases[] = {
        {"shift key", [&] { WindowDriver::Key(file1, VK_SHIFT); }},
        {"right button", [&] { ::SendMessageW(file1, WM_RBUTTONDOWN, MK_RBUTTON, WindowDriver::RowPoint(file1, 2)); }},
        {"move without button", [&] { ::SendMessageW(file1, WM_MOUSEMOVE, 0, WindowDriver::RowPoint(file1, 0)); }},
    };
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string title = "Take " + std::to_string(++round);
        Put(folder.path(), "B.MID", TitledSong(title));
        c.act();
        EXPECT_EQ(window.ShownTitle(), title);
        ::SendMessageW(file1, WM_RBUTTONUP, 0, 0);
    }
}

TEST(File1Triggers, NoSelectionOrAnUnchangedReportLeavesText1Alone) {
    const TempFolder folder;
    PutSongs(folder.path());
    WindowDriver window(folder.path());
    const HWND file1 = window.File1();
    const HWND text1 = window.form().Text1();
    ::SendMessageW(file1, WM_MOUSEMOVE, 0, WindowDriver::RowPoint(file1, 0));
    ::SendMessageW(file1, WM_RBUTTONDOWN, MK_RBUTTON, WindowDriver::RowPoint(file1, 0));
    ::SendMessageW(file1, WM_RBUTTONUP, 0, WindowDriver::RowPoint(file1, 0));
    WindowDriver::Key(file1, VK_SHIFT);
    EXPECT_EQ(window.Text1(), "") << "nothing selected";
    WindowDriver::Click(file1, 0);
    // A selection in Text1 survives only if its text is never set again.
    ::SendMessageW(text1, EM_SETSEL, 3, 8);
    const auto selection = [text1] {
        DWORD start = 0, end = 0;
        ::SendMessageW(text1, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::pair{start, end};
    };
    for (int move = 0; move < 3; ++move) ::SendMessageW(file1, WM_MOUSEMOVE, 0, MAKELPARAM(move, move));
    WindowDriver::Key(file1, VK_SHIFT);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>{3, 8}));
    Put(folder.path(), "a.mid", TitledSong("Changed"));
    ::SendMessageW(file1, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(window.ShownTitle(), "Changed");
    EXPECT_NE(selection(), (std::pair<DWORD, DWORD>{3, 8}));
}

TEST(File1Triggers, TenThousandFilesListAndAnswerKeys) {
    const TempFolder folder;
    for (int i = 0; i < 10000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "song%05d.mid", i);
        Put(folder.path(), name, TitledSong("Song " + std::to_string(i)));
    }
    WindowDriver window(folder.path());
    const HWND file1 = window.File1();
    ASSERT_EQ(::SendMessageW(file1, LB_GETCOUNT, 0, 0), 10000);
    WindowDriver::Key(file1, VK_END);
    EXPECT_EQ(window.ShownTitle(), "Song 9999");
    WindowDriver::Type(file1, L"song05000");
    EXPECT_EQ(window.ShownTitle(), "Song 5000");
}
