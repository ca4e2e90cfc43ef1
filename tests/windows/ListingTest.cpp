// Folder listing, errors and paths on Windows; changes on disk are followed in the window's suite.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <vector>

#include "FolderContents.h"
#include "Listed.h"
#include "PathChain.h"
#include "PathText.h"
#include "RuntimeError.h"
#include "SmfBytes.h"
#include "TempFolder.h"
#include "windows/SystemError.h"

namespace fs = std::filesystem;

TEST(ReadFolderOnWindows, ListsVisibleEntriesSortedIgnoringCase) {
    const TempFolder folder;
    const struct { const char* name; DWORD attributes; bool isFolder; } entries[] = {
        {"b.MID", 0, false},       {"A.smf", 0, false},      {"歌.mid", 0, false},
        {"notes.txt", 0, false},   {"hidden.mid", FILE_ATTRIBUTE_HIDDEN, false},
        {"system.mid", FILE_ATTRIBUTE_SYSTEM, false},        {"Zeta", 0, true},
        {"alpha", 0, true},        {"フォルダー", 0, true},  {"secret", FILE_ATTRIBUTE_HIDDEN, true},
        {"c.mid", 0, true},  // a folder, though its name matches the files' pattern
    };
    for (const auto& entry : entries) {
        const fs::path path = folder.path() / Runtime::PathFromUtf8(entry.name);
        if (entry.isFolder) {
            fs::create_directory(path);
        } else {
            std::ofstream(path) << "MThd";
        }
        if (entry.attributes != 0) {
            ASSERT_TRUE(::SetFileAttributesW(path.c_str(), entry.attributes));
        }
    }
    const std::string text = Runtime::Utf8FromPath(folder.path());
    const auto all = Runtime::ReadFolder(text, Runtime::NamePattern("*.smf;*.mid"));
    EXPECT_EQ(ShownNames(all.Folders), (std::vector<std::string>{"alpha", "c.mid", "Zeta", "フォルダー"}));
    EXPECT_EQ(ShownNames(all.Files), (std::vector<std::string>{"A.smf", "b.MID", "歌.mid"}));
}

TEST(ReadFolderOnWindows, FailsOnWhatIsNoFolder) {
    const TempFolder folder;
    const std::string text = Runtime::Utf8FromPath(folder.path());
    folder.Write("song.mid", NamedTwoTrackSong());
    const struct { const char* why; std::string path; int number; } cases[] = {
        {"missing folder", text + "\\missing", Runtime::kPathNotFound},
        {"missing parent", text + "\\missing\\deeper", Runtime::kPathNotFound},
        {"a file", text + "\\song.mid", Runtime::kPathNotFound},
        {"empty folder", (fs::create_directory(folder.path() / "empty"), text + "\\empty"), 0},
        {"drive root", Runtime::RootFolder(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ErrorNumberOf([&] { Runtime::ReadFolder(c.path, Runtime::NamePattern("*")); }), c.number);
    }
}

TEST(WindowsErrors, FailingDisksAndCardReadersGiveTheirOwnNumbers) {
    const struct { std::vector<DWORD> errors; const char* message; } cases[] = {
        // An empty card reader; ERROR_NOACCESS is what Wine gives for a read the disk failed.
        {{ERROR_NOT_READY, ERROR_NO_MEDIA_IN_DRIVE, ERROR_MEDIA_CHANGED, ERROR_NOT_CONNECTED}, "71 ディスクが準備されていません。"},
        {{ERROR_CRC, ERROR_IO_DEVICE, ERROR_NOT_DOS_DISK, ERROR_DISK_OPERATION_FAILED, ERROR_NOACCESS}, "57 デバイス I/O エラーです。"},
        {{ERROR_ACCESS_DENIED}, "70 アクセスが拒否されました。"},
        {{ERROR_PATH_NOT_FOUND}, "76 パスが見つかりません。"},
    };
    for (const auto& c : cases)
        for (const DWORD error : c.errors) EXPECT_EQ(Runtime::ErrorFromWin32(error).Message(), c.message) << error;
}

TEST(AbsoluteDirectoryOnWindows, GivesNormalPathsUnderADrive) {
    const std::string drive = Runtime::RootOf(Runtime::CurrentFolder());
    const struct { std::string path; std::string absolute; } cases[] = {
        {"C:\\", "C:\\"},
        {"C:\\music\\", "C:\\music"},
        {"C:/music/./old/../new", "C:\\music\\new"},
        {"C:\\a\\..\\..", "C:\\"},
        {"\\music", drive + "music"},
        {"D:\\曲\\", "D:\\曲"},
    };
    for (const auto& c : cases) EXPECT_EQ(Runtime::AbsoluteFolder(c.path), c.absolute) << c.path;
    EXPECT_EQ(Runtime::AbsoluteFolder("."), Runtime::CurrentFolder());
    EXPECT_EQ(Runtime::RootFolder(), drive);
}
