// What the reader may open on Windows.
#include <gtest/gtest.h>

#include <windows.h>

#include "MIDTitle.h"
#include "Messages.h"
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
