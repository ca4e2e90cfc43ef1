// What the reader may open on Windows, and how UTF-8 paths reach the file.
#include <gtest/gtest.h>

#include <windows.h>

#include "MIDTitle.h"
#include "Messages.h"
#include "PathText.h"
#include "Report.h"
#include "SmfBytes.h"
#include "TempFolder.h"

using MIDTitle::GetMidInfo;
namespace fs = std::filesystem;

TEST(GetMidInfoOnWindows, OpensOnlyNormalFiles) {
    const TempFolder folder;
    folder.Write("song.mid", NamedTwoTrackSong());
    fs::create_directory(folder.path() / "folder.mid");
    const std::string kNotFound(MIDTitle::Messages::kFileNotFound);
    // Rows with attributes are files made with them; the others name what is there.
    const struct { const char* why; const char* name; DWORD attributes; std::string title; } cases[] = {
        {"read-only file", "readonly.mid", FILE_ATTRIBUTE_READONLY, "Song"},
        {"archive bit set", "archive.mid", FILE_ATTRIBUTE_ARCHIVE, "Song"},
        {"hidden file", "hidden.mid", FILE_ATTRIBUTE_HIDDEN, kNotFound},
        {"system file", "system.mid", FILE_ATTRIBUTE_SYSTEM, kNotFound},
        {"hidden system file", "both.mid", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, kNotFound},
        {"directory", "folder.mid", 0, kNotFound},
        {"missing file", "missing.mid", 0, kNotFound},
        {"'?' is not expanded", "s?ng.mid", 0, kNotFound},
        {"'*' is not expanded", "*.mid", 0, kNotFound},
        {"device name", "NUL", 0, kNotFound},
    };
    for (const auto& c : cases) {
        if (c.attributes == 0) continue;
        ASSERT_TRUE(::SetFileAttributesW(folder.Write(c.name, NamedTwoTrackSong()).c_str(), c.attributes)) << c.name;
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(GetMidInfo(folder.path() / c.name).Title, c.title);
    }
    EXPECT_EQ(GetMidInfo("").Title, kNotFound);
    for (const auto& c : cases) {
        if (c.attributes != 0) ::SetFileAttributesW((folder.path() / c.name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(GetMidInfoOnWindows, ReadsFilesNamedInUtf8) {
    // Joined as UTF-8 text, as the window does, then made a path. Through the
    // ANSI code page these names would be lost or, in code page 932, hold a
    // backslash inside ソ and 表.
    const struct { const char* utf8; const wchar_t* utf16; } names[] = {
        {"歌.mid", L"\u6B4C.mid"},
        {"ソング表.mid", L"\u30BD\u30F3\u30B0\u8868.mid"},
        {"♪ – ü.mid", L"\u266A \u2013 \u00FC.mid"},
        {"ｶﾗｵｹ.smf", L"\uFF76\uFF97\uFF75\uFF79.smf"},
    };
    const TempFolder folder;
    const std::string folderText = Runtime::Utf8FromPath(folder.path());
    for (const auto& name : names) {
        SCOPED_TRACE(name.utf8);
        const fs::path path = Runtime::PathFromUtf8(JoinFullPath(folderText, name.utf8));
        fs::rename(folder.Write("plain.mid", NamedTwoTrackSong()), path);
        EXPECT_TRUE(fs::exists(folder.path() / name.utf16));
        EXPECT_EQ(GetMidInfo(path), (MIDTitle::MidInfo{1, 2, 480, "Song"}));
        EXPECT_EQ(Runtime::Utf8FromPath(path.filename()), name.utf8);
    }
}
