// Files, folders and volumes as Linux has them: what the reader opens and
// that it closes each, dot-files, links, Shift_JIS names, error numbers, the
// mount table and udev's labels; and disks unlike a local one, played by the
// tests' FUSE file system (tests/fuse): listings without entry types, reads
// answered in pieces, listings that fail.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <numeric>
#include <thread>

#include "BinaryFile.h"
#include "FolderContents.h"
#include "Listed.h"
#include "MIDTitle.h"
#include "Messages.h"
#include "SmfBytes.h"
#include "TempFolder.h"
#include "Volumes.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using MIDTitle::GetMidInfo;

namespace {

// The bytes this process has read so far, by the kernel's count.
std::uint64_t BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string field;
    std::uint64_t value = 0;
    while (io >> field >> value && field != "rchar:") {}
    return value;
}

// The error number ReadFolder throws for path; 0 when it lists it.
int ListingError(const fs::path& path) {
    const PermissionsChecked asAnyoneElse;
    return ErrorNumberOf([&] { Runtime::ReadFolder(path.native(), Runtime::NamePattern("*")); });
}

// The FUSE disk mounted over mount, showing source, while a test runs.
class UnusualDisk : public testing::Test {
protected:
    void SetUp() override {
        for (const fs::path& made : {source, mount}) fs::create_directories(made);
        std::string program = MIDTITLE_SLOWFS, from = source, to = mount, delay = "0";
        char* argv[] = {program.data(), from.data(), to.data(), delay.data(), nullptr};
        if (::posix_spawn(&disk_, argv[0], nullptr, nullptr, argv, environ) != 0) disk_ = -1;
        for (int i = 0; i < 400 && disk_ != -1 && !IsMounted(); ++i) {
            if (::waitpid(disk_, nullptr, WNOHANG) == disk_) disk_ = -1;  // it could not mount
            std::this_thread::sleep_for(25ms);
        }
        if (!IsMounted()) GTEST_SKIP() << "FUSE cannot be mounted here";
        // A read that never ends ends the test instead: the disk hears it go and unmounts
        // itself, which it could not if ctest killed them both at its own limit.
        ::alarm(10);
    }
    void TearDown() override {  // the file system unmounts itself when told to end
        ::alarm(0);
        if (disk_ != -1 && ::kill(disk_, SIGTERM) == 0) ::waitpid(disk_, nullptr, 0);
    }
    bool IsMounted() const {
        struct stat inside {}, above {};
        return ::stat(mount.c_str(), &inside) == 0 && ::stat(source.c_str(), &above) == 0 && inside.st_dev != above.st_dev;
    }
    const TempFolder folder;
    const fs::path source = folder.path() / "source", mount = folder.path() / "mount";
    pid_t disk_ = -1;
};

}  // namespace

TEST(GetMidInfoOnLinux, OpensOnlyNormalFilesAndClosesEach) {
    const TempFolder folder;
    const auto in = [&](const char* name) { return folder.path() / name; };
    for (const char* name : {"song.mid", ".hidden.mid", "*.mid"}) folder.Write(name, NamedTwoTrackSong());
    folder.Write("short.mid", Bytes(20, 0));
    folder.Write("riff.mid", Ascii("RIFF") + Bytes(30, 0));
    fs::create_directory(in("folder.mid"));
    fs::create_symlink(in("song.mid"), in("link.mid"));
    fs::create_directory_symlink(in("folder.mid"), in("dirlink.mid"));
    fs::create_symlink(in("gone.mid"), in("dangling.mid"));
    ASSERT_EQ(::mkfifo(in("pipe.mid").c_str(), 0600), 0);
    fs::permissions(folder.Write("locked.mid", NamedTwoTrackSong()), fs::perms::none);
    const std::string kNotFound(MIDTitle::Messages::kFileNotFound);

    const struct { const char* why; fs::path path; std::string title; } cases[] = {
        {"regular file", in("song.mid"), "Song"},
        {"link to a regular file", in("link.mid"), "Song"},
        {"name with a wildcard taken literally", in("*.mid"), "Song"},
        {"too short", in("short.mid"), std::string(MIDTitle::Messages::kFileTooShort)},
        {"not MIDI", in("riff.mid"), std::string(MIDTitle::Messages::kNotMidiFile)},
        {"no right to read it", in("locked.mid"), "70 アクセスが拒否されました。"},
        {"missing file", in("missing.mid"), kNotFound},
        {"wildcard does not match other names", in("s?ng.mid"), kNotFound},
        {"hidden file", in(".hidden.mid"), kNotFound},
        {"directory", in("folder.mid"), kNotFound},
        {"link to a directory", in("dirlink.mid"), kNotFound},
        {"dangling link", in("dangling.mid"), kNotFound},
        {"FIFO is never opened, so never blocks", in("pipe.mid"), kNotFound},
        {"character device", "/dev/null", kNotFound},
        {"empty path", "", kNotFound},
    };
    const auto openDescriptors = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto before = openDescriptors();
    const PermissionsChecked asAnyoneElse;
    for (const auto& c : cases) EXPECT_EQ(GetMidInfo(c.path).Title, c.title) << c.why;
    EXPECT_EQ(openDescriptors(), before);
}

TEST(GetMidInfoOnLinux, HugeTrackIsReadOnlyAsFarAsTheTitle) {
    // A sparse file: a 1 GiB track whose name event is at its start.
    const TempFolder folder;
    const std::uint32_t trackLength = 1u << 30;
    const Bytes start = StandardHeader() + TrackWithLength(trackLength, NamedTrackData(Ascii("Big")));
    const auto path = folder.Write("huge.mid", start);
    fs::resize_file(path, 22 + std::uint64_t{trackLength});
    const std::uint64_t before = BytesReadSoFar();
    EXPECT_EQ(GetMidInfo(path), (MIDTitle::MidInfo{1, 2, 480, "Big"}));
    EXPECT_LT(BytesReadSoFar() - before, 1u << 20);
}

TEST(ReadFolder, HidesDotNamesFollowsLinksAndLeavesOutBrokenOnes) {
    const TempFolder folder;
    const auto in = [&](const char* name) { return folder.path() / name; };
    // タ.mid in Shift_JIS, and names equal but for letter case, made in both orders.
    for (const char* name : {"target.bin", ".hidden.mid", "\x83\x5E.mid", "A.mid", "a.mid", "b.mid", "B.mid", "C.mid",
                             "c.mid", "d.mid", "D.mid"}) folder.Write(name, {});
    for (const char* name : {"Sub", "\x93\xFA\x96\x7B", ".dot"}) fs::create_directory(in(name));  // 日本
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
    const Runtime::NamePattern all("*");
    const auto only = [&](Runtime::ListedKinds kinds) { return Runtime::ReadFolder(folder.path().native(), all, kinds); };
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
        {"readable", folder.path(), 0}, {"missing", folder.path() / "gone", Runtime::kPathNotFound},
        {"a file", file, Runtime::kPathNotFound}, {"link to itself", folder.path() / "loop", Runtime::kPathNotFound},
        {"name too long", folder.path() / std::string(300, 'x'), Runtime::kNameTooLong},
        {"no rights", folder.path() / "locked", Runtime::kAccessDenied},
    };
    for (const auto& c : cases) EXPECT_EQ(ListingError(c.path), c.number) << c.why;
    fs::permissions(folder.path() / "locked", fs::perms::owner_all);  // so that it can be removed
    // Out of file descriptors: the next one to open is past the limit.
    rlimit limits{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limits), 0);
    const rlimit reached{static_cast<rlim_t>(::dup(0)), limits.rlim_max};
    ::close(static_cast<int>(reached.rlim_cur));
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &reached), 0);
    EXPECT_EQ(ListingError(folder.path()), Runtime::kTooManyFiles);
    ::setrlimit(RLIMIT_NOFILE, &limits);
}

TEST_F(UnusualDisk, ListsEntriesWithoutATypeAndTellsWhyAListingFailed) {
    fs::create_directories(source / "untyped" / "Sub");
    for (const std::string name : {"song.mid", "notes.txt", ".hidden.mid"}) folder.Write("source/untyped/" + name, {});
    ASSERT_EQ(::mkfifo((source / "untyped" / "pipe.mid").c_str(), 0600), 0);
    const auto listed = Runtime::ReadFolder((mount / "untyped").native(), Runtime::NamePattern("*.mid"));
    EXPECT_EQ(ShownNames(listed.Folders), std::vector<std::string>{"Sub"});
    EXPECT_EQ(ShownNames(listed.Files), std::vector<std::string>{"song.mid"});
    fs::create_directory(source / "failing");
    const auto failing = [&] { Runtime::ReadFolder((mount / "failing").native(), Runtime::NamePattern("*")); };
    EXPECT_EQ(ErrorNumberOf(failing), Runtime::kDeviceIo);
}

TEST_F(UnusualDisk, ReadsWholeSpansFromADiskThatAnswersInPieces) {
    Bytes bytes(1000), read(450, 0xEE);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    folder.Write("source/short.bin", bytes);
    const Runtime::BinaryFile file(mount / "short.bin");
    EXPECT_EQ(file.ReadAt(7, read), 450u);
    EXPECT_EQ(read, Bytes(bytes.begin() + 7, bytes.begin() + 457));
    EXPECT_EQ(file.ReadAt(900, read), 100u);  // past the end, read is left as it was
    EXPECT_EQ(read, Bytes(bytes.begin() + 900, bytes.end()) + Bytes(bytes.begin() + 107, bytes.begin() + 457));
}

TEST(AbsoluteFolder, DropsTrailingSeparatorsAndDots) {
    EXPECT_EQ(Runtime::AbsoluteFolder("/a/b/"), "/a/b");
    EXPECT_EQ(Runtime::AbsoluteFolder("/a/./c/../b//"), "/a/b");
    EXPECT_EQ(Runtime::AbsoluteFolder("/"), "/");
    EXPECT_EQ(Runtime::AbsoluteFolder("sub"), Runtime::CurrentFolder() + "/sub");
}

TEST(ParseMountInfo, KeepsTheVolumesAPersonBrowses) {
    const std::string mountInfo =
        "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "41 27 8:2 / /home rw,relatime shared:2 - ext4 /dev/sda2 rw\n"
        "42 27 8:17 / /media/me/MY\\040STICK\\134x rw shared:3 master:1 - vfat /dev/sdb1 rw\n"
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
    EXPECT_EQ(points, (std::vector<std::string>{"/", "/home", "/media/me/MY STICK\\x", "/mnt/data", "/mnt/ends "}));
    ASSERT_EQ(volumes.size(), 5u);
    EXPECT_EQ(volumes[3], (Runtime::Volume{"/mnt/data", "xfs", "/dev/sda4", ""}));  // the last mount shows
    EXPECT_EQ(volumes[4].Source, "/dev/my disk");
}

TEST(IsBrowsableMount, OffersVolumesAndNothingOfTheSystemsOwn) {
    EXPECT_TRUE(Runtime::IsBrowsableMount("/", "overlay"));
    EXPECT_TRUE(Runtime::IsBrowsableMount("/mnt/ssh", "fuse.sshfs"));
    for (const char* point : {"/home", "/mnt/nas", "/media/me/STICK", "/run/media/me/DISC", "/devices", "/snapshots",
                              "/var/library"})
        EXPECT_TRUE(Runtime::IsBrowsableMount(point, "ext4")) << point;
    for (const char* point : {"/run/mediaX", "/run/user/1000", "/dev/sdb", "/proc/fs", "/sys/kernel", "/snap/core",
                              "/var/lib/docker"})
        EXPECT_FALSE(Runtime::IsBrowsableMount(point, "ext4")) << point;
    // The kernel's pseudo file systems, memory file systems and desktop helpers, wherever they are mounted.
    for (const char* type : {"proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs", "tmpfs", "ramfs", "mqueue",
                             "hugetlbfs", "debugfs", "tracefs", "securityfs", "pstore", "bpf", "configfs", "fusectl",
                             "binfmt_misc", "autofs", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs", "squashfs",
                             "overlay", "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "nfsd"})
        EXPECT_FALSE(Runtime::IsBrowsableMount("/mnt/x", type)) << type;
}

TEST(LabelOfLinkName, UndoesTheEscapesOfUdev) {
    const struct { const char* link; const char* label; } cases[] = {
        {"MY\\x20STICK", "MY STICK"}, {"END\\x20", "END "}, {"\\x5Cx20", "\\x20"}, {"cut\\x2", "cut\\x2"},
        {"not\\xZZhex", "not\\xZZhex"}, {"音楽", "音楽"}, {"\\x83\\x5E", "タ"},
    };
    for (const auto& c : cases) EXPECT_EQ(Runtime::LabelOfLinkName(c.link), c.label) << c.link;
}

TEST(FindVolumeHolding, PicksTheDeepestMountPointOnWholeNames) {
    const std::vector<Runtime::Volume> volumes{{"/", "", "", ""}, {"/home/me/usb", "", "", ""}, {"/home", "", "", ""}};
    const struct { const char* path; std::size_t index; } cases[] = {
        {"/", 0}, {"/home/me", 2}, {"/home", 2}, {"/home2", 0}, {"/home/me/usb/x", 1}, {"relative", 3},
    };
    for (const auto& c : cases) EXPECT_EQ(Runtime::FindVolumeHolding(volumes, c.path), c.index) << c.path;
}
