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

namespace {

const std::string kNotFound(MIDTitle::Messages::kFileNotFound);

}  // namespace

TEST(GetMidInfoOnWindows, OpensOnlyNormalFiles) {
    const TempFolder folder;
    const struct {
        const char* name;
        DWORD attributes;
    } made[] = {
        {"readonly.mid", FILE_ATTRIBUTE_READONLY},
        {"archive.mid", FILE_ATTRIBUTE_ARCHIVE},
        {"hidden.mid", FILE_ATTRIBUTE_HIDDEN},
        {"system.mid", FILE_ATTRIBUTE_SYSTEM},
        {"both.mid", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
    };
    for (const auto& file : made) {
        const auto path = folder.Write(file.name, WorkedExample());
        ASSERT_TRUE(::SetFileAttributesW(path.c_str(), file.attributes)) << file.name;
    }
    folder.Write("song.mid", WorkedExample());
    fs::create_directory(folder.path() / "folder.mid");

    const struct {
        const char* why;
        fs::path path;
        std::string title;
    } cases[] = {
        {"read-only file", folder.path() / "readonly.mid", "Song"},
        {"archive bit set", folder.path() / "archive.mid", "Song"},
        {"hidden file", folder.path() / "hidden.mid", kNotFound},
        {"system file", folder.path() / "system.mid", kNotFound},
        {"hidden system file", folder.path() / "both.mid", kNotFound},
        {"directory", folder.path() / "folder.mid", kNotFound},
        {"missing file", folder.path() / "missing.mid", kNotFound},
        {"'?' is not expanded", folder.path() / "s?ng.mid", kNotFound},
        {"'*' is not expanded", folder.path() / "*.mid", kNotFound},
        {"device name", folder.path() / "NUL", kNotFound},
        {"empty path", "", kNotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(GetMidInfo(c.path).Title, c.title);
    }
    for (const auto& file : made) ::SetFileAttributesW((folder.path() / file.name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(GetMidInfoOnWindows, ReadsFilesNamedInUtf8) {
    // Joined as UTF-8 text, as the window does, then made a path. Through the
    // ANSI code page these names would be lost or, in code page 932, hold a
    // backslash inside ソ and 表.
    const struct {
        const char* utf8;
        const wchar_t* utf16;
    } names[] = {
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
        fs::rename(folder.Write("plain.mid", WorkedExample()), path);
        EXPECT_TRUE(fs::exists(folder.path() / name.utf16));
        EXPECT_EQ(GetMidInfo(path), (MIDTitle::MidInfo{1, 2, 480, "Song"}));
        EXPECT_EQ(Runtime::Utf8FromPath(path.filename()), name.utf8);
    }
}

TEST(JoinFullPathOnWindows, PutsOneBackslashBetween) {
    const struct {
        const char* why;
        std::string_view directory;
        std::string path;
    } cases[] = {
        {"drive root already ends in one", "C:\\", "C:\\a.mid"},
        {"folder gets one", "C:\\music", "C:\\music\\a.mid"},
        {"trailing backslash is not doubled", "C:\\music\\", "C:\\music\\a.mid"},
        {"network share", "\\\\server\\share", "\\\\server\\share\\a.mid"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(JoinFullPath(c.directory, "a.mid"), c.path);
    }
}
