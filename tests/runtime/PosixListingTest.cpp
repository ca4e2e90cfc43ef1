// Folders and volumes as Linux has them: dot-files, links, error numbers,
// the mount table.
#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DirectoryListing.h"
#include "Listed.h"
#include "RuntimeError.h"
#include "TempFolder.h"
#include "Volumes.h"

namespace fs = std::filesystem;

namespace {

// The error number ReadFolder throws for path; 0 when it lists it. Root is
// checked as the unprivileged user, as it passes every permission check.
int ListingError(const fs::path& path) {
    const int previous = ::geteuid() == 0 ? ::setfsuid(65534) : -1;
    const int number = ErrorNumberOf([&] { Runtime::ReadFolder(path.native(), Runtime::NamePattern("*")); });
    if (previous != -1) ::setfsuid(static_cast<uid_t>(previous));
    return number;
}

}  // namespace

TEST(ReadFolder, HidesDotNamesFollowsLinksAndLeavesOutBrokenOnes) {
    const TempFolder folder;
    const auto in = [&](const char* name) { return folder.path() / name; };
    for (const char* name : {"target.bin", ".hidden.mid", "\x83\x5E.mid"}) folder.Write(name, {});  // タ.mid in Shift_JIS
    // Names equal but for letter case, made in both orders.
    for (const char* name : {"A.mid", "a.mid", "b.mid", "B.mid", "C.mid", "c.mid", "d.mid", "D.mid"}) folder.Write(name, {});
    fs::create_directory(in("Sub"));
    fs::create_directory(in("\x93\xFA\x96\x7B"));  // 日本
    fs::create_directory(in(".dot"));
    fs::create_symlink(in("target.bin"), in("link.mid"));
    fs::create_symlink(in("missing"), in("broken.mid"));
    fs::create_directory_symlink(in("Sub"), in("linked"));
    // '?' is one readable character: タ is one, its Shift_JIS bytes two.
    const auto listed = Runtime::ReadFolder(folder.path().native(), Runtime::NamePattern("?.mid;s*;l*"));
    // Names equal but for letter case keep one order: by their bytes.
    const std::vector<std::string> files{"A.mid", "a.mid", "B.mid", "b.mid", "C.mid", "c.mid", "D.mid", "d.mid",
                                         "link.mid", "タ.mid"};
    EXPECT_EQ(ShownNames(listed.Files), files);
    EXPECT_EQ(listed.Files.back().NativeName, "\x83\x5E.mid");  // opened by the bytes on disk
    EXPECT_EQ(ShownNames(listed.Folders), (std::vector<std::string>{"linked", "Sub", "日本"}));
    const auto only = [&](Runtime::ListedKinds kinds) {
        return Runtime::ReadFolder(folder.path().native(), Runtime::NamePattern("*"), kinds);
    };
    EXPECT_TRUE(only(Runtime::ListedKinds::Folders).Files.empty());
    EXPECT_EQ(only(Runtime::ListedKinds::Folders).Folders.size(), 3u);
    EXPECT_TRUE(only(Runtime::ListedKinds::Files).Folders.empty());
}

TEST(ReadFolder, SaysWhyAFolderCannotBeRead) {
    const TempFolder folder;
    const fs::path file = folder.Write("file.mid", {});
    fs::create_directory_symlink(folder.path() / "loop", folder.path() / "loop");
    fs::create_directory(folder.path() / "locked");
    fs::permissions(folder.path() / "locked", fs::perms::none);
    const struct { const char* why; fs::path path; int number; } cases[] = {
        {"readable", folder.path(), 0},
        {"missing", folder.path() / "gone", Runtime::kPathNotFound},
        {"a file", file, Runtime::kPathNotFound},
        {"name too long", folder.path() / std::string(300, 'x'), Runtime::kPathNotFound},
        {"link to itself", folder.path() / "loop", Runtime::kPathNotFound},
        {"no rights", folder.path() / "locked", Runtime::kAccessDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ListingError(c.path), c.number);
    }
    // Out of file descriptors: the next one to open is past the limit.
    rlimit limits{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limits), 0);
    const int next = ::dup(0);
    ::close(next);
    const rlimit reached{static_cast<rlim_t>(next), limits.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &reached), 0);
    EXPECT_EQ(ListingError(folder.path()), Runtime::kTooManyFiles);
    ::setrlimit(RLIMIT_NOFILE, &limits);
}

TEST(AbsoluteDirectory, DropsTrailingSeparatorsAndDots) {
    EXPECT_EQ(Runtime::AbsoluteDirectory("/a/b/"), "/a/b");
    EXPECT_EQ(Runtime::AbsoluteDirectory("/a/./c/../b//"), "/a/b");
    EXPECT_EQ(Runtime::AbsoluteDirectory("/"), "/");
    EXPECT_EQ(Runtime::AbsoluteDirectory("sub"), Runtime::CurrentDirectory() + "/sub");
}

TEST(ParseMountInfo, KeepsTheVolumesAPersonBrowses) {
    const std::string mountInfo =
        "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
        "26 24 0:24 / /dev/pts rw,relatime - devpts devpts rw,mode=600\n"
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "40 27 0:40 / /run/user/1000 rw,nosuid shared:5 - tmpfs tmpfs rw\n"
        "41 27 8:2 / /home rw,relatime shared:2 - ext4 /dev/sda2 rw\n"
        "42 27 8:17 / /media/me/MY\\040STICK\\134x rw shared:3 master:1 - vfat /dev/sdb1 rw\n"
        "43 27 8:33 / /run/media/me/DISC ro - iso9660 /dev/sr0 ro\n"
        "45 27 7:1 / /snap/core/1 ro - squashfs /dev/loop1 ro\n"
        "46 27 8:6 / /srv rw - ext4 /dev/sda6 rw\n"
        "47 27 8:3 / /mnt/data rw - ext4 /dev/sda3 rw\n"
        "48 47 8:4 / /mnt/data rw - xfs /dev/sda4 rw\n"
        "49 27 0:50 / /srv rw - tmpfs tmpfs rw\n"
        "not a mount line\n"
        "50 27 8:5 / /mnt/cut rw - ext4\n"
        "51 27 8:7 / /mnt/ends\\040 rw - ext4 /dev/my\\040disk rw\n";
    const auto volumes = Runtime::ParseMountInfo(mountInfo);
    std::vector<std::string> points;
    for (const auto& volume : volumes) points.push_back(volume.MountPoint);
    // /srv is hidden by the memory file system mounted over it.
    const std::vector<std::string> browsed{"/", "/home", "/media/me/MY STICK\\x", "/mnt/data", "/mnt/ends ",
                                           "/run/media/me/DISC"};
    EXPECT_EQ(points, browsed);
    ASSERT_EQ(volumes.size(), 6u);
    EXPECT_EQ(volumes[3], (Runtime::Volume{"/mnt/data", "xfs", "/dev/sda4", ""}));  // the last mount shows
    EXPECT_EQ(volumes[4].Source, "/dev/my disk");
    // The root is kept whatever its type.
    EXPECT_EQ(Runtime::ParseMountInfo("1 0 0:1 / / rw - overlay overlay rw\n").size(), 1u);
}

TEST(IsBrowsableMount, OffersVolumesAndNothingOfTheSystemsOwn) {
    const struct { const char* mountPoint; const char* fileSystem; bool browsed; } cases[] = {
        {"/", "overlay", true},          {"/home", "ext4", true},             {"/mnt/nas", "nfs4", true},
        {"/mnt/sshfs", "fuse.sshfs", true}, {"/media/me/STICK", "vfat", true}, {"/run/media/me/DISC", "iso9660", true},
        {"/run/mediaX", "ext4", false},  {"/run/user/1000", "ext4", false},   {"/devices", "ext4", true},
        {"/dev/sdb", "ext4", false},     {"/proc/fs", "ext4", false},         {"/sys/kernel", "ext4", false},
        {"/snap/core", "ext4", false},   {"/snapshots", "ext4", true},        {"/var/lib/docker", "ext4", false},
        {"/var/library", "ext4", true},
    };
    for (const auto& c : cases) EXPECT_EQ(Runtime::IsBrowsableMount(c.mountPoint, c.fileSystem), c.browsed) << c.mountPoint;
    // The kernel's pseudo file systems, memory file systems and desktop helpers, wherever they are mounted.
    for (const char* type : {"proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs", "tmpfs", "ramfs", "mqueue",
                             "hugetlbfs", "debugfs", "tracefs", "securityfs", "pstore", "bpf", "configfs", "fusectl",
                             "binfmt_misc", "autofs", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs", "squashfs",
                             "overlay", "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "nfsd"})
        EXPECT_FALSE(Runtime::IsBrowsableMount("/mnt/x", type)) << type;
}

TEST(LabelOfLinkName, UndoesTheEscapesOfUdev) {
    const struct { const char* link; const char* label; } cases[] = {
        {"MY\\x20STICK", "MY STICK"}, {"END\\x20", "END "},     {"\\x5Cx20", "\\x20"}, {"cut\\x2", "cut\\x2"},
        {"not\\xZZhex", "not\\xZZhex"}, {"音楽", "音楽"}, {"\\x83\\x5E", "タ"},
    };
    for (const auto& c : cases) EXPECT_EQ(Runtime::LabelOfLinkName(c.link), c.label) << c.link;
}

TEST(FindVolumeHolding, PicksTheDeepestMountPointOnWholeNames) {
    const std::vector<Runtime::Volume> volumes{{"/", "", "", ""}, {"/home/me/usb", "", "", ""}, {"/home", "", "", ""}};
    const struct { const char* path; std::size_t index; } cases[] = {
        {"/", 0}, {"/home/me", 2}, {"/home", 2}, {"/home2", 0}, {"/home/me/usb/x", 1}, {"relative", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Runtime::FindVolumeHolding(volumes, c.path), c.index);
    }
}
