#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <iostream>
#include <string_view>

#include "CliRun.h"
#include "LineEnd.h"
#include "SmfBytes.h"
#include "TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The path column of a tsv run, each path made relative to root with '/'.
std::vector<std::string> ListedPaths(const std::string& tsv, const fs::path& root) {
    std::vector<std::string> paths;
    std::istringstream lines(tsv);
    std::string line;
    std::getline(lines, line);  // the header row
    while (std::getline(lines, line)) {
        const fs::path path = Runtime::PathFromUtf8(line.substr(0, line.find('\t')));
        paths.push_back(Runtime::Utf8FromPath(path.lexically_relative(root).generic_u8string()));
    }
    return paths;
}

class Walk : public testing::Test {
protected:
    Walk() {
        for (const char* folder : {"b", "b/c", "曲集", ".hidden"}) fs::create_directory(At(folder));
        for (const char* file : {"a.mid", "b/c/d.mid", "b/e.smf", "曲集/春の海.mid", ".hidden/g.mid", ".h.mid"})
            folder_.Write(file, NamedTwoTrackSong());
    }
    // A path in the folder from UTF-8, which Windows would read in its ANSI code page.
    fs::path At(const char* relative) const { return folder_.path() / Runtime::PathFromUtf8(relative); }
    // Links to folders, where the system lets a test make them (Wine may not).
    bool LinkFolders() {
        std::error_code error;
        fs::create_directory_symlink(folder_.path(), folder_.path() / "b" / "loop", error);
        if (!error) fs::create_directory_symlink(folder_.path() / "b" / "c", folder_.path() / "a-link", error);
        return !error;
    }
    const fs::path& root() const { return folder_.path(); }

    const TempFolder folder_;
};

TEST_F(Walk, GoesDepthFirstInListOrderFollowingLinksOnlyWhenTold) {
    const bool hasLinks = LinkFolders();  // a loop back to the top, and a link to b/c
    const struct { const char* why; std::vector<std::string> options; std::vector<std::string> expected; } cases[] = {
        {"one folder", {}, {"a.mid"}},
        {"recursive, hidden left out, links not followed", {"-r"},
         {"a.mid", "b/e.smf", "b/c/d.mid", "曲集/春の海.mid"}},
        {"own pattern", {"-r", "--pattern", "*.SMF"}, {"b/e.smf"}},
        {"links followed, never round the loop", {"-r", "-L"},
         {"a.mid", "a-link/d.mid", "b/e.smf", "b/c/d.mid", "曲集/春の海.mid"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        if (!hasLinks && std::ranges::count(c.options, "-L") > 0) {
            std::cout << "folder links cannot be made here: not tried\n";
            continue;
        }
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--format", "tsv", Utf8(root())});
        const CliResult result = RunCli(arguments);
        EXPECT_EQ(ListedPaths(result.out, root()), c.expected);
        EXPECT_EQ(result.status, 0);
    }
}

TEST_F(Walk, TellsWhatCannotBeReadAndGoesOn) {
    // The folder goes in the moment it is listed: a failure of the system
    // itself, which no permission bit (ignored by root) could stage.
    Cli::RunContext context;
    context.readFolder = [](std::string_view folder, const Runtime::NamePattern& pattern) {
        if (folder.ends_with("b")) fs::remove_all(Runtime::PathFromUtf8(folder));
        return Runtime::ReadFolder(folder, pattern);
    };
    const std::string tooLong(300, 'a');  // no system takes a name that long
    const CliResult result =
        RunCli({"-r", "--format", "tsv", Utf8(root()), Utf8(root() / "missing.mid"), Utf8(root() / tooLong)}, context);
    EXPECT_EQ(ListedPaths(result.out, root()), (std::vector<std::string>{"a.mid", "曲集/春の海.mid"}));
    std::vector<std::string> told = {Utf8(root() / "b") + ": 76 パスが見つかりません。",
                                     "missing.mid: 53 ファイルが見つかりません。"};
#ifndef _WIN32
    told.push_back(tooLong + ": 64 パス名が長すぎます。");  // Wine tells such a name as missing
#endif
    for (const std::string& message : told) EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    EXPECT_EQ(result.status, 1);
}

#ifndef _WIN32
TEST_F(Walk, TurnsAwayANameSwappedForAFifoAfterItWasListed) {
    // Opening a FIFO for reading would wait for a writer that never comes.
    const fs::path fifo = root() / "a.mid";
    Cli::RunContext context;
    context.readFolder = [&](std::string_view folder, const Runtime::NamePattern& pattern) {
        Runtime::FolderContents contents = Runtime::ReadFolder(folder, pattern);
        if (fs::remove(fifo)) ::mkfifo(fifo.c_str(), 0600);
        return contents;
    };
    auto run = std::async(std::launch::async, [&] { return RunCli({"--format", "tsv", Utf8(root())}, context); });
    if (run.wait_for(std::chrono::seconds(20)) == std::future_status::timeout) {
        ADD_FAILURE() << "the walk waits on the FIFO";
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // a writer comes and goes: the open returns
    }
    const CliResult result = run.get();
    EXPECT_NE(result.out.find("a.mid\t0\t0\t0\t\t53 ファイルが見つかりません。"), std::string::npos) << result.out;
}

TEST_F(Walk, ReadsWhatTheSystemReadsThroughALinkAndDotDot) {
    fs::create_directories(root() / "real" / "sub");
    fs::create_directory_symlink(root() / "real" / "sub", root() / "L");
    folder_.Write("real/a.mid", TitledSong("real"));
    const CliResult result = RunCli({"--format", "tsv", Utf8(root() / "L" / ".." / "." / "a.mid")});
    EXPECT_NE(result.out.find(Utf8(fs::canonical(root() / "real") / "a.mid") + "\t1\t2\t480\treal\tok"), std::string::npos)
        << result.out;
}
#endif

TEST_F(Walk, StopsAtTheFirstWriteThatFailsAndTellsWhyUnlessThePipeClosed) {
    // An output that takes nothing: every write fails.
    struct Refusing : std::streambuf {
        int_type overflow(int_type) override { return traits_type::eof(); }
    } refusing;
    const struct { const char* why; bool isClosedPipe; int status; std::string err; } cases[] = {
        {"closed pipe", true, 0, ""},
        {"disk full", false, 1, "midtitle-cli: 標準出力に書けません: 61 ディスクがいっぱいです。（システムのエラー 28: disk full）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        int listed = 0;
        Cli::RunContext context;
        context.readFolder = [&](std::string_view folder, const Runtime::NamePattern& pattern) {
            ++listed;
            return Runtime::ReadFolder(folder, pattern);
        };
        context.outputFailure = [&] {
            return Runtime::WriteFailure{c.isClosedPipe, Runtime::MakeError(Runtime::kDiskFull), 28, "disk full"};
        };
        std::ostream out(&refusing);
        std::ostringstream err;
        EXPECT_EQ(Cli::Run(std::vector<std::string>{"-r", Utf8(root())}, out, err, context), c.status);
        EXPECT_EQ(err.str(), c.err.empty() ? "" : c.err + std::string(Cli::kLineEnd));
        EXPECT_EQ(listed, 1);
    }
}

TEST_F(Walk, DrawsProgressOnlyWhenTheRowsGoElsewhere) {
    for (const bool isOutputTerminal : {false, true}) {
        Cli::RunContext context;
        context.isErrorTerminal = true;
        context.isOutputTerminal = isOutputTerminal;
        context.progressQuietStart = {};
        const bool isDrawn = RunCli({"-r", Utf8(root())}, context).err.find("ファイルを読みました") != std::string::npos;
        EXPECT_EQ(isDrawn, !isOutputTerminal);
    }
}

TEST_F(Walk, GivesTheSameOutputOnAnyNumberOfThreads) {
    for (int i = 0; i < 300; ++i) {
        const std::string name = "b/" + std::to_string(i % 7) + "-" + std::to_string(i) + ".mid";
        folder_.Write(name, i % 5 == 0 ? Ascii("broken") : TitledSong("Song " + std::to_string(i)));
    }
    const std::string one = RunCli({"-r", "-j", "1", "--format", "json", Utf8(root())}).out;
    EXPECT_EQ(RunCli({"-r", "-j", "4", "--format", "json", Utf8(root())}).out, one);
    EXPECT_EQ(RunCli({"-r", "--jobs", "4", Utf8(root())}).out, RunCli({"-r", "--jobs=1", Utf8(root())}).out);
}

TEST(Arguments, AnswerUsageErrorsWithStatusTwo) {
    const struct { const char* why; std::vector<std::string> arguments; std::string_view message; } cases[] = {
        {"no path", {}, "読むファイルかフォルダーを指定してください。"},
        {"empty path, as an unset variable gives", {""}, "空のパスは指定できません。"},
        {"byte-order mark for no csv", {"--bom", "x"}, "--bom は --format csv と一緒に指定してください。"},
        {"unknown option", {"--colour", "x"}, "知らないオプションです: --colour"},
        {"unknown format", {"--format", "xml", "x"}, "形式 xml はありません。"},
        {"format without value", {"x", "--format"}, "オプション --format には値が要ります。"},
        {"no jobs", {"-j", "0", "x"}, "--jobs には 1 から 256 までの数を指定してください。"},
        {"jobs not a number", {"-j", "2x", "x"}, "--jobs には 1 から 256 までの数を指定してください。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const CliResult result = RunCli(c.arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    const CliResult help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("使い方: midtitle-cli [オプション] PATH..."), std::string::npos);
    EXPECT_NE(help.out.find("（既定 8、"), std::string::npos);  // even on one core: the disk is the limit
    EXPECT_EQ(RunCli({"--version"}).out, "midtitle-cli 1.0.0\n");
}

}  // namespace
