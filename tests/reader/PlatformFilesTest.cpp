// How the reader meets the file system: what counts as a file it may open,
// and that no call leaves a file open.
#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "MIDTitle.h"
#include "Messages.h"
#include "SmfBytes.h"
#include "TempFolder.h"

using MIDTitle::GetMidInfo;
namespace fs = std::filesystem;

namespace {

// The bytes this process has read so far, by the kernel's count.
std::uint64_t BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string field;
    std::uint64_t value = 0;
    while (io >> field >> value) {
        if (field == "rchar:") return value;
    }
    ADD_FAILURE() << "no rchar in /proc/self/io";
    return 0;
}

}  // namespace

// What counts as a file to open, and that no outcome leaves one open.
TEST(GetMidInfoOnLinux, OpensOnlyNormalFilesAndClosesEach) {
    const TempFolder folder;
    const auto in = [&](const char* name) { return folder.path() / name; };
    folder.Write("song.mid", NamedTwoTrackSong());
    folder.Write(".hidden.mid", NamedTwoTrackSong());
    folder.Write("*.mid", NamedTwoTrackSong());
    folder.Write("short.mid", Bytes(20, 0));
    folder.Write("riff.mid", Ascii("RIFF") + Bytes(30, 0));
    fs::create_directory(in("folder.mid"));
    fs::create_symlink(in("song.mid"), in("link.mid"));
    fs::create_directory_symlink(in("folder.mid"), in("dirlink.mid"));
    fs::create_symlink(in("gone.mid"), in("dangling.mid"));
    ASSERT_EQ(::mkfifo(in("pipe.mid").c_str(), 0600), 0);
    const std::string kNotFound(MIDTitle::Messages::kFileNotFound);

    const struct { const char* why; fs::path path; std::string title; } cases[] = {
        {"regular file", in("song.mid"), "Song"},
        {"link to a regular file", in("link.mid"), "Song"},
        {"name with a wildcard taken literally", in("*.mid"), "Song"},
        {"too short", in("short.mid"), std::string(MIDTitle::Messages::kFileTooShort)},
        {"not MIDI", in("riff.mid"), std::string(MIDTitle::Messages::kNotMidiFile)},
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(GetMidInfo(c.path).Title, c.title);
    }
    EXPECT_EQ(openDescriptors(), before);
}

TEST(GetMidInfoOnLinux, UnreadableFileEndsOnTheErrorPath) {
    const TempFolder folder;
    const auto path = folder.Write("locked.mid", NamedTwoTrackSong());
    fs::permissions(path, fs::perms::none);
    // Root passes every permission check: the call is checked as for the
    // unprivileged user instead. GetMidInfo cannot throw, so the reset runs.
    const int previous = ::geteuid() == 0 ? ::setfsuid(65534) : -1;
    const MIDTitle::MidInfo info = GetMidInfo(path);
    if (previous != -1) ::setfsuid(static_cast<uid_t>(previous));
    EXPECT_EQ(info, (MIDTitle::MidInfo{0, 0, 0, "70 アクセスが拒否されました。"}));
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
