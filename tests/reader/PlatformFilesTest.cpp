// How the reader meets the file system: what counts as a file it may open,
// and that no call leaves a file open.
#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include "MIDTitle.h"
#include "Messages.h"
#include "RuntimeError.h"
#include "SmfBytes.h"
#include "TempFolder.h"

using MIDTitle::GetMidInfo;
namespace Messages = MIDTitle::Messages;
namespace fs = std::filesystem;

namespace {

std::size_t OpenDescriptorCount() {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator{}));
}

// Root passes every permission check; for as long as this lives, file access
// is checked as for the unprivileged user instead.
class FileAccessAsNobody {
public:
    FileAccessAsNobody() : previous_(::geteuid() == 0 ? ::setfsuid(65534) : -1) {}
    FileAccessAsNobody(const FileAccessAsNobody&) = delete;
    FileAccessAsNobody& operator=(const FileAccessAsNobody&) = delete;
    ~FileAccessAsNobody() {
        if (previous_ != -1) ::setfsuid(static_cast<uid_t>(previous_));
    }

private:
    int previous_;
};

}  // namespace

TEST(GetMidInfoOnLinux, OpensOnlyNormalFiles) {
    const TempFolder folder;
    const auto song = folder.Write("song.mid", WorkedExample());
    folder.Write(".hidden.mid", WorkedExample());
    fs::create_directory(folder.path() / "folder.mid");
    fs::create_symlink(song, folder.path() / "link.mid");
    fs::create_directory_symlink(folder.path() / "folder.mid", folder.path() / "dirlink.mid");
    fs::create_symlink(folder.path() / "gone.mid", folder.path() / "dangling.mid");
    ASSERT_EQ(::mkfifo((folder.path() / "pipe.mid").c_str(), 0600), 0);
    folder.Write("*.mid", WorkedExample());

    const struct {
        const char* why;
        fs::path path;
        std::string title;
    } cases[] = {
        {"regular file", song, "Song"},
        {"link to a regular file", folder.path() / "link.mid", "Song"},
        {"name with a wildcard taken literally", folder.path() / "*.mid", "Song"},
        {"missing file", folder.path() / "missing.mid", std::string(Messages::kFileNotFound)},
        {"wildcard does not match other names", folder.path() / "s?ng.mid", std::string(Messages::kFileNotFound)},
        {"hidden file", folder.path() / ".hidden.mid", std::string(Messages::kFileNotFound)},
        {"directory", folder.path() / "folder.mid", std::string(Messages::kFileNotFound)},
        {"link to a directory", folder.path() / "dirlink.mid", std::string(Messages::kFileNotFound)},
        {"dangling link", folder.path() / "dangling.mid", std::string(Messages::kFileNotFound)},
        {"FIFO is never opened, so never blocks", folder.path() / "pipe.mid", std::string(Messages::kFileNotFound)},
        {"character device", "/dev/null", std::string(Messages::kFileNotFound)},
        {"empty path", "", std::string(Messages::kFileNotFound)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(GetMidInfo(c.path).Title, c.title);
    }
}

TEST(GetMidInfoOnLinux, UnreadableFileEndsOnTheErrorPath) {
    const TempFolder folder;
    const auto path = folder.Write("locked.mid", WorkedExample());
    fs::permissions(path, fs::perms::none);
    const FileAccessAsNobody nobody;
    EXPECT_EQ(GetMidInfo(path), (MIDTitle::MidInfo{0, 0, 0, "70 アクセスが拒否されました。"}));
}

TEST(GetMidInfoOnLinux, HugeTrackIsReadOnlyAsFarAsTheTitle) {
    // A sparse file: a 1 GiB track whose name event is at its start.
    const TempFolder folder;
    const std::uint32_t trackLength = 1u << 30;
    const Bytes start = StandardHeader() + Ascii("MTrk") + BigEndian32(trackLength) + NamedTrackData(Ascii("Big"));
    const auto path = folder.Write("huge.mid", start);
    fs::resize_file(path, 22 + std::uint64_t{trackLength});
    EXPECT_EQ(GetMidInfo(path), (MIDTitle::MidInfo{1, 2, 480, "Big"}));
}

TEST(GetMidInfoOnLinux, LeavesNoFileOpenOnAnyOutcome) {
    const TempFolder folder;
    const Bytes song = NamedTrackData(Ascii("Song"));
    const std::vector<fs::path> paths = {
        folder.Write("good.mid", WorkedExample()),
        folder.Write("short.mid", Bytes(20, 0)),
        folder.Write("riff.mid", Ascii("RIFF") + Bytes(30, 0)),
        folder.Write("notracks.mid", Header(0, 0, 0, 0, 0, 96) + Track(song)),
        folder.Write("nomtrk.mid", StandardHeader() + Ascii("MTrx") + BigEndian32(12) + song),
        folder.Write("toolong.mid", StandardHeader() + Ascii("MTrk") + BigEndian32(99) + song),
        folder.Write("notitle.mid", StandardHeader() + Track({0, 0xFF, 0x2F, 0})),
        folder.Write("badlength.mid", StandardHeader() + Track({0, 0xFF, 0x03, 0x7F})),
        folder.Write("sjis.mid", StandardHeader() + Track(NamedTrackData({0x82, 0xA0, 0x80}))),
        folder.path() / "missing.mid",
        folder.path(),
    };
    const std::size_t before = OpenDescriptorCount();
    for (int round = 0; round < 500; ++round) {
        for (const auto& path : paths) GetMidInfo(path);
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}
