// The Qt-free side of the lists: pattern, names, volumes and folder reading.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/TempFolder.h"
#include "DirectoryListing.h"
#include "NamePattern.h"
#include "ReadableName.h"
#include "RuntimeError.h"
#include "Volumes.h"

namespace {

std::vector<std::string> MountPoints(const std::vector<Runtime::Volume>& volumes) {
    std::vector<std::string> points;
    for (const auto& volume : volumes) points.push_back(volume.MountPoint);
    return points;
}

std::vector<std::string> Names(const std::vector<Runtime::DirectoryEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(entry.DisplayName);
    return names;
}

}  // namespace

TEST(NamePattern, MatchesWildcardsIgnoringCase) {
    const struct { const char* patterns; const char* name; bool matches; } cases[] = {
        {"*.smf;*.mid", "song.mid", true},
        {"*.smf;*.mid", "SONG.MID", true},
        {"*.smf;*.mid", "song.Smf", true},
        {"*.smf;*.mid", "song.midi", false},
        {"*.smf;*.mid", "song.mid.txt", false},
        {"*.smf;*.mid", "songmid", false},
        {"*.smf;*.mid", ".mid", true},  // hidden names are the listing's business
        {"*.smf;*.mid", "曲.mid", true},
        {"*.mid", "a.b.c.mid", true},
        {"??.mid", "曲名.mid", true},  // '?' takes a whole Japanese character
        {"??.mid", "曲.mid", false},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"*", "", true},
        {"", "anything", true},
        {";;*.mid;", "x.mid", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.patterns) + " / " + c.name);
        EXPECT_EQ(Runtime::NamePattern(c.patterns).Matches(c.name), c.matches);
    }
}

TEST(NamePattern, ManyStarsDoNotBlowUp) {
    const std::string name(5000, 'a');
    EXPECT_FALSE(Runtime::NamePattern("*a*a*a*a*a*a*a*a*b").Matches(name));
}

TEST(ReadableName, UsesUtf8AsIsAndReadsTheRestAsCodePage932) {
    const struct { const char* why; std::string native; std::string readable; } cases[] = {
        {"ASCII", "song.mid", "song.mid"},
        {"UTF-8 Japanese", "曲.mid", "曲.mid"},
        {"Shift_JIS", "\x83\x5E\x83\x43\x83\x67\x83\x8B.mid", "タイトル.mid"},
        {"half-width katakana", "\xB6\xC5.mid", "ｶﾅ.mid"},
        {"ill-formed UTF-8 read as code page 932", "\xC0\x41", "ﾀA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Runtime::ReadableName(c.native), c.readable);
    }
    EXPECT_EQ(Runtime::ReadablePath("/曲/\x93\xFA\x96\x7B/a.mid"), "/曲/日本/a.mid");
}

TEST(IsValidUtf8, RejectsEveryIllFormedSequence) {
    const struct { const char* why; std::string bytes; bool valid; } cases[] = {
        {"empty", "", true},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"overlong two bytes", "\xC1\xBF", false},
        {"overlong three bytes", "\xE0\x9F\xBF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"cut short", "\xE3\x81", false},
        {"lone continuation", "\x80", false},
        {"Shift_JIS lead and trail", "\x93\xFA", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Runtime::IsValidUtf8(c.bytes), c.valid);
    }
}

TEST(ParseMountInfo, KeepsTheVolumesAPersonBrowses) {
    const std::string mountInfo =
        "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
        "23 27 0:22 / /sys rw,relatime - sysfs sysfs rw\n"
        "24 27 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw,size=1k\n"
        "26 24 0:24 / /dev/pts rw,relatime - devpts devpts rw,mode=600\n"
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "32 31 0:29 / /sys/fs/cgroup/cpu rw,relatime - cgroup cgroup rw,cpu\n"
        "40 27 0:40 / /run/user/1000 rw,nosuid shared:5 - tmpfs tmpfs rw\n"
        "41 27 8:2 / /home rw,relatime shared:2 - ext4 /dev/sda2 rw\n"
        "42 27 8:17 / /media/me/MY\\040STICK rw shared:3 master:1 - vfat /dev/sdb1 rw\n"
        "43 27 8:33 / /run/media/me/DISC ro - iso9660 /dev/sr0 ro\n"
        "44 27 0:44 / /mnt/share rw - cifs //server/share rw\n"
        "45 27 7:1 / /snap/core/1 ro - squashfs /dev/loop1 ro\n"
        "46 27 0:46 / /tmp rw - tmpfs tmpfs rw\n"
        "47 27 8:3 / /mnt/data rw - ext4 /dev/sda3 rw\n"
        "48 47 8:4 / /mnt/data rw - xfs /dev/sda4 rw\n"
        "not a mount line\n"
        "49 27 8:5 / /mnt/cut rw - ext4\n";
    const auto volumes = Runtime::ParseMountInfo(mountInfo);
    EXPECT_EQ(MountPoints(volumes), (std::vector<std::string>{"/", "/home", "/media/me/MY STICK", "/mnt/data",
                                                              "/mnt/share", "/run/media/me/DISC"}));
    ASSERT_EQ(volumes.size(), 6u);
    EXPECT_EQ(volumes[3].FileSystem, "xfs");  // mounted over: the last mount shows
    EXPECT_EQ(volumes[2].Source, "/dev/sdb1");
}

TEST(ParseMountInfo, RootIsKeptWhateverItsType) {
    const auto volumes = Runtime::ParseMountInfo("1 0 0:1 / / rw - overlay overlay rw\n");
    EXPECT_EQ(MountPoints(volumes), std::vector<std::string>{"/"});
}

TEST(FindVolumeHolding, PicksTheDeepestMountPointOnWholeNames) {
    const std::vector<Runtime::Volume> volumes{{"/", "", "", ""}, {"/home", "", "", ""}, {"/home/me/usb", "", "", ""}};
    const struct { const char* path; std::size_t index; } cases[] = {
        {"/", 0}, {"/etc", 0}, {"/home", 1}, {"/home/me", 1}, {"/home2", 0}, {"/home/me/usb/x", 2}, {"relative", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Runtime::FindVolumeHolding(volumes, c.path), c.index);
    }
}

TEST(ReadDirectory, ListsOneKindSortedWithoutHiddenNames) {
    const TempFolder folder;
    const std::uint8_t none[] = {0};
    for (const char* name : {"b.mid", "A.MID", ".hidden.mid", "notes.txt", "target.bin"})
        folder.Write(name, none);
    for (const char* name : {"Sub", "another", ".git", "dir.mid"}) std::filesystem::create_directory(folder.path() / name);
    std::filesystem::create_symlink(folder.path() / "target.bin", folder.path() / "link.mid");
    std::filesystem::create_symlink(folder.path() / "missing", folder.path() / "broken.mid");
    std::filesystem::create_directory_symlink(folder.path() / "Sub", folder.path() / "linked");
    const std::string path = folder.path().native();

    EXPECT_EQ(Names(Runtime::ReadDirectory(path, Runtime::EntryKind::File, Runtime::NamePattern("*.smf;*.mid"))),
              (std::vector<std::string>{"A.MID", "b.mid", "link.mid"}));
    EXPECT_EQ(Names(Runtime::ReadDirectory(path, Runtime::EntryKind::Directory, Runtime::NamePattern("*"))),
              (std::vector<std::string>{"another", "dir.mid", "linked", "Sub"}));
}

TEST(ReadDirectory, FolderThatCannotBeReadIsPathNotFound) {
    const TempFolder folder;
    const std::uint8_t none[] = {0};
    folder.Write("file", none);
    for (const auto& path : {folder.path() / "missing", folder.path() / "file"}) {
        SCOPED_TRACE(path.native());
        try {
            Runtime::ReadDirectory(path.native(), Runtime::EntryKind::File, Runtime::NamePattern("*"));
            ADD_FAILURE() << "no failure raised";
        } catch (const Runtime::RuntimeError& error) {
            EXPECT_EQ(error.Number, Runtime::kPathNotFound);
        }
    }
}
