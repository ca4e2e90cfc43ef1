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
    while (io >> field >> value && field != "rchar:") {}
    return value;
}

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
    // Root passes every permission check: the calls are made as the
    // unprivileged user instead. Nothing here throws, so the reset runs.
    const int previous = ::geteuid() == 0 ? ::setfsuid(65534) : -1;
    for (const auto& c : cases) EXPECT_EQ(GetMidInfo(c.path).Title, c.title) << c.why;
    if (previous != -1) ::setfsuid(static_cast<uid_t>(previous));
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
