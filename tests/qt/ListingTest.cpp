// The Qt-free side of the lists: pattern, names, volumes and folder reading.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/TempFolder.h"
#include "DirectoryListing.h"
#include "NamePattern.h"
#include "ReadableName.h"
#include "Volumes.h"

TEST(NamePattern, MatchesWildcardsIgnoringCase) {
    const struct { const char* patterns; const char* name; bool matches; } cases[] = {
        {"*.smf;*.mid", "SONG.Smf", true},     {"*.smf;*.mid", "song.midi", false},
        {"*.smf;*.mid", "song.mid.txt", false}, {"*.smf;*.mid", "songmid", false},
        {"??.mid", "曲名.mid", true},          {"??.mid", "曲.mid", false},  // '?' is a whole character
        {"a*b*c", "aXbYbZc", true},            {"a*b*c", "aXbYbZ", false},
        {"", "anything", true},                {";;*.mid;", "x.mid", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.patterns) + " / " + c.name);
        EXPECT_EQ(Runtime::NamePattern(c.patterns).Matches(c.name), c.matches);
    }
    EXPECT_FALSE(Runtime::NamePattern("*a*a*a*a*a*a*a*a*b").Matches(std::string(5000, 'a')));  // no blow-up
}

TEST(ReadableName, UsesUtf8AsIsAndReadsTheRestAsCodePage932) {
    const struct { const char* why; std::string native; std::string readable; } cases[] = {
        {"UTF-8 Japanese", "曲.mid", "曲.mid"},
        {"Shift_JIS", "\x83\x5E\x83\x43\x83\x67\x83\x8B.mid", "タイトル.mid"},
        {"overlong UTF-8 read as code page 932", "\xC0\x41", "ﾀA"},
        {"U+10FFFF is UTF-8", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Runtime::ReadableName(c.native), c.readable);
    }
    EXPECT_EQ(Runtime::ReadablePath("/曲/\x93\xFA\x96\x7B/a.mid"), "/曲/日本/a.mid");
}

TEST(ParseMountInfo, KeepsTheVolumesAPersonBrowses) {
    const std::string mountInfo =
        "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
        "26 24 0:24 / /dev/pts rw,relatime - devpts devpts rw,mode=600\n"
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "40 27 0:40 / /run/user/1000 rw,nosuid shared:5 - tmpfs tmpfs rw\n"
        "41 27 8:2 / /home rw,relatime shared:2 - ext4 /dev/sda2 rw\n"
        "42 27 8:17 / /media/me/MY\\040STICK rw shared:3 master:1 - vfat /dev/sdb1 rw\n"
        "43 27 8:33 / /run/media/me/DISC ro - iso9660 /dev/sr0 ro\n"
        "45 27 7:1 / /snap/core/1 ro - squashfs /dev/loop1 ro\n"
        "47 27 8:3 / /mnt/data rw - ext4 /dev/sda3 rw\n"
        "48 47 8:4 / /mnt/data rw - xfs /dev/sda4 rw\n"
        "not a mount line\n"
        "49 27 8:5 / /mnt/cut rw - ext4\n";
    const auto volumes = Runtime::ParseMountInfo(mountInfo);
    std::vector<std::string> points;
    for (const auto& volume : volumes) points.push_back(volume.MountPoint);
    const std::vector<std::string> browsed{"/", "/home", "/media/me/MY STICK", "/mnt/data", "/run/media/me/DISC"};
    EXPECT_EQ(points, browsed);
    ASSERT_EQ(volumes.size(), 5u);
    EXPECT_EQ(volumes[3].FileSystem, "xfs");  // mounted over: the last mount shows
    // The root is kept whatever its type.
    EXPECT_EQ(Runtime::ParseMountInfo("1 0 0:1 / / rw - overlay overlay rw\n").size(), 1u);
}

TEST(FindVolumeHolding, PicksTheDeepestMountPointOnWholeNames) {
    const std::vector<Runtime::Volume> volumes{{"/", "", "", ""}, {"/home", "", "", ""}, {"/home/me/usb", "", "", ""}};
    const struct { const char* path; std::size_t index; } cases[] = {
        {"/", 0}, {"/home/me", 1}, {"/home2", 0}, {"/home/me/usb/x", 2}, {"relative", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Runtime::FindVolumeHolding(volumes, c.path), c.index);
    }
}

TEST(ReadFolder, FollowsLinksAndLeavesOutBrokenOnes) {
    const TempFolder folder;
    const std::uint8_t none[] = {0};
    folder.Write("target.bin", none);
    folder.Write(".hidden.mid", none);
    std::filesystem::create_directory(folder.path() / "Sub");
    std::filesystem::create_symlink(folder.path() / "target.bin", folder.path() / "link.mid");
    std::filesystem::create_symlink(folder.path() / "missing", folder.path() / "broken.mid");
    std::filesystem::create_directory_symlink(folder.path() / "Sub", folder.path() / "linked");
    const auto contents = Runtime::ReadFolder(folder.path().native(), Runtime::NamePattern("*.mid;s*;l*"));
    const auto names = [](const std::vector<Runtime::DirectoryEntry>& entries) {
        std::vector<std::string> shown;
        for (const auto& entry : entries) shown.push_back(entry.DisplayName);
        return shown;
    };
    EXPECT_EQ(names(contents.Files), std::vector<std::string>{"link.mid"});
    EXPECT_EQ(names(contents.Folders), (std::vector<std::string>{"linked", "Sub"}));
}
