// The reader never locks another program out, and failures carry Windows'
// own causes under the numbers Linux shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <memory>

#include "BinaryFile.h"
#include "Listed.h"
#include "MIDTitle.h"
#include "RuntimeError.h"
#include "SmfBytes.h"
#include "TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The file as another program holds it open; empty when the open failed.
using OtherProgramHandle = std::unique_ptr<void, decltype(&::CloseHandle)>;
OtherProgramHandle HoldOpen(const fs::path& path, DWORD access, DWORD sharing) {
    const HANDLE handle = ::CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
    return {handle == INVALID_HANDLE_VALUE ? nullptr : handle, &::CloseHandle};
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

TEST(GetMidInfoOnWindows, ReadsFilesOtherProgramsHoldOpen) {
    const struct { const char* why; DWORD access; DWORD sharing; std::string title; } cases[] = {
        {"a reader that shares reading only", GENERIC_READ, FILE_SHARE_READ, "Song"},
        {"a writer that shares reading", GENERIC_WRITE, FILE_SHARE_READ, "Song"},
        {"a writer that shares everything", GENERIC_READ | GENERIC_WRITE, kShareAll, "Song"},
        {"an open that shares nothing", GENERIC_READ, 0, "70 アクセスが拒否されました。"},
    };
    const TempFolder folder;
    const auto path = folder.Write("held.mid", NamedTwoTrackSong());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto other = HoldOpen(path, c.access, c.sharing);
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(MIDTitle::GetMidInfo(path).Title, c.title);
    }
}

TEST(BinaryFileOnWindows, LocksNoOtherProgramOut) {
    const TempFolder folder;
    const auto path = folder.Write("open.mid", NamedTwoTrackSong());
    const Runtime::BinaryFile file(path);
    {
        const auto writer = HoldOpen(path, GENERIC_WRITE, kShareAll);
        EXPECT_NE(writer, nullptr) << "another program can write";
    }
    const auto moved = folder.path() / "moved.mid";
    EXPECT_TRUE(::MoveFileW(path.c_str(), moved.c_str())) << "renaming is allowed";
    EXPECT_TRUE(::DeleteFileW(moved.c_str())) << "deleting is allowed";
    std::array<std::uint8_t, 4> id{};
    EXPECT_EQ(file.ReadAt(0, id), id.size()) << "the open file still reads";
    EXPECT_EQ(id, (std::array<std::uint8_t, 4>{'M', 'T', 'h', 'd'}));
}

TEST(BinaryFileOnWindows, FailsWithTheLinuxNumbers) {
    const TempFolder folder;
    const struct { const char* why; fs::path path; Runtime::ErrorNumber number; } cases[] = {
        {"missing file", folder.path() / "missing.mid", Runtime::kFileNotFound},
        {"missing folder", folder.path() / "missing" / "a.mid", Runtime::kPathNotFound},
        {"folder opened as a file", folder.path(), Runtime::kAccessDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ErrorNumberOf([&] { Runtime::BinaryFile file(c.path); }), c.number);
    }
}
