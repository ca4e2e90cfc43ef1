// Folders and files on disks that answer as local ones seldom do: listings
// that give no entry types, reads that return less than was asked, listings
// that fail midway. The tests' FUSE file system (tests/fuse) plays the disk.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <numeric>
#include <thread>

#include "BinaryFile.h"
#include "DirectoryListing.h"
#include "Listed.h"
#include "RuntimeError.h"
#include "SmfBytes.h"
#include "TempFolder.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

// Runs program with args; its process id.
pid_t Start(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    return ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// The disk mounted over mount, showing source, while the fixture lives.
class UnusualDisk : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(source);
        fs::create_directory(mount);
        disk_ = Start({MIDTITLE_SLOWFS, source.native(), mount.native(), "0"});
        for (int i = 0; i < 200 && disk_ != -1 && !IsMounted(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
        if (!IsMounted()) GTEST_SKIP() << "FUSE cannot be mounted here";
    }
    void TearDown() override {
        if (IsMounted()) ::waitpid(Start({"fusermount3", "-u", "-z", mount.native()}), nullptr, 0);
        if (disk_ != -1) ::waitpid(disk_, nullptr, 0);  // the file system ends once unmounted
    }
    bool IsMounted() const {
        struct stat inside {}, above {};
        return ::stat(mount.c_str(), &inside) == 0 && ::stat(folder.path().c_str(), &above) == 0 &&
               inside.st_dev != above.st_dev;
    }

    const TempFolder folder;
    const fs::path source = folder.path() / "source";
    const fs::path mount = folder.path() / "mount";

private:
    pid_t disk_ = -1;
};

}  // namespace

TEST_F(UnusualDisk, ListsEntriesThatComeWithoutAType) {
    fs::create_directories(source / "untyped" / "Sub");
    for (const char* name : {"song.mid", "notes.txt", ".hidden.mid"}) folder.Write("source/untyped/" + std::string(name), {});
    ASSERT_EQ(::mkfifo((source / "untyped" / "pipe.mid").c_str(), 0600), 0);
    const auto listed = Runtime::ReadFolder((mount / "untyped").native(), Runtime::NamePattern("*.mid"));
    EXPECT_EQ(ShownNames(listed.Folders), std::vector<std::string>{"Sub"});
    EXPECT_EQ(ShownNames(listed.Files), std::vector<std::string>{"song.mid"});
}

TEST_F(UnusualDisk, ReadsWholeSpansFromADiskThatAnswersInPieces) {
    Bytes bytes(1000);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    folder.Write("source/short.bin", bytes);
    const Runtime::BinaryFile file(mount / "short.bin");
    const struct { std::uint64_t offset; std::size_t size; std::size_t got; } cases[] = {
        {0, 1000, 1000}, {7, 450, 450}, {900, 300, 100}, {1000, 10, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        Bytes read(c.size, 0xEE);
        EXPECT_EQ(file.ReadAt(c.offset, read), c.got);
        Bytes expected(bytes.begin() + static_cast<std::ptrdiff_t>(c.offset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(c.offset + c.got));
        expected.resize(c.size, 0xEE);  // what lies past the end is left as it was
        EXPECT_EQ(read, expected);
    }
}

TEST_F(UnusualDisk, SaysWhyAListingFailedMidway) {
    fs::create_directory(source / "failing");
    EXPECT_EQ(ErrorNumberOf([&] { Runtime::ReadFolder((mount / "failing").native(), Runtime::NamePattern("*")); }),
              Runtime::kDeviceIo);
}
