#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>

#include "CliRun.h"
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
    const CliResult result = RunCli({"-r", "--format", "tsv", Utf8(root()), Utf8(root() / "missing.mid")}, context);
    EXPECT_EQ(ListedPaths(result.out, root()), (std::vector<std::string>{"a.mid", "曲集/春の海.mid"}));
    EXPECT_NE(result.err.find(Utf8(root() / "b") + ": 76 パスが見つかりません。"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("missing.mid: 53 ファイルが見つかりません。"), std::string::npos) << result.err;
    EXPECT_EQ(result.status, 1);
}

#ifndef _WIN32
TEST_F(Walk, TurnsAwayANameSwappedForAFifoAfterItWasListed) {
    // Opening a FIFO for reading would wait for a writer that never comes.
    Cli::RunContext context;
    context.readFolder = [](std::string_view folder, const Runtime::NamePattern& pattern) {
        Runtime::FolderContents contents = Runtime::ReadFolder(folder, pattern);
        const fs::path swapped = Runtime::PathFromUtf8(folder) / "a.mid";
        if (fs::remove(swapped)) ::mkfifo(swapped.c_str(), 0600);
        return contents;
    };
    const CliResult result = RunCli({"--format", "tsv", Utf8(root())}, context);
    EXPECT_NE(result.out.find("a.mid\t0\t0\t0\t\t53 ファイルが見つかりません。"), std::string::npos) << result.out;
}
#endif

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
    EXPECT_NE(help.out.find("使い方: midtitle-cli"), std::string::npos);
    EXPECT_EQ(RunCli({"--version"}).out, "midtitle-cli 1.0.0\n");
}

}  // namespace
