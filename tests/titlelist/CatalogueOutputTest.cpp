// Out of the title list: its rows copied and saved as midtitle-cli writes
// them, a save that fails, a row taken back to Form1, a folder unread.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

#include <fstream>
#include <sstream>

#include "../cli/CliRun.h"
#include "CatalogueDriver.h"
#include "ReadableName.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const fs::path& file) {
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(Runtime::Utf8FromPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

// A collection whose titles and names try the escaping.
void WriteCollection(const CatalogueDriver& d) {
    d.folder.Write("a.mid", TitledSong("A, \"quoted\"\tand\ttabs"));
    d.folder.Write("b.mid", StandardHeader() + Track(NamedTrackData({0x8F, 0x74, 0x82, 0xCC, 0x8A, 0x43})));
    d.folder.Write("broken.smf", Ascii("no MIDI file"));
    fs::create_directory(d.At("曲集"));
    d.folder.Write("曲集/c.mid", TitledSong("C"));
}

}  // namespace

TEST(CatalogueOutput, CopiesAndSavesTheRowsAsMidtitleCliWritesThem) {
    for (const bool withSubfolders : {false, true}) {
        SCOPED_TRACE(withSubfolders ? "with subfolders" : "the folder alone");
        CatalogueDriver d;
        WriteCollection(d);
        d.catalogue.IncludeSubfolders(withSubfolders);
        d.catalogue.Open(d.Native());
        ASSERT_TRUE(d.Settled());
        std::vector<std::string> arguments = {"--format", "csv", "--bom", d.Native()};
        if (withSubfolders) arguments.insert(arguments.begin(), "-r");
        const std::string csv = RunCli(arguments).out;
        EXPECT_EQ(d.catalogue.ShownRowsAsCsv(), csv);

        const TempFolder saved;
        const fs::path file = saved.path() / Runtime::PathFromUtf8("一覧.csv");
        std::ofstream(file) << "an older list, longer than the new one would be if it were only partly replaced";
        EXPECT_EQ(d.catalogue.SaveShownRows(Runtime::Utf8FromPath(file)), std::nullopt);
        EXPECT_EQ(Contents(file), csv);
        EXPECT_EQ(NamesIn(saved.path()), std::vector<std::string>{"一覧.csv"});

        // Ctrl+C: the rows selected, with the header, as the tsv the command line writes.
        d.catalogue.Select(std::vector<std::size_t>{2, 0}, 0);
        std::istringstream tsv(RunCli({"--format", "tsv", d.Native()}).out);
        std::string header, a, b, broken;
        std::getline(tsv, header), std::getline(tsv, a), std::getline(tsv, b), std::getline(tsv, broken);
        EXPECT_EQ(d.catalogue.SelectedRowsAsTsv(), header + "\n" + a + "\n" + broken + "\n");
    }
}

TEST(CatalogueOutput, AFailedSaveSaysWhyAndLeavesTheFolderAsItWas) {
    CatalogueDriver d;
    WriteCollection(d);
    d.catalogue.Open(d.Native());
    ASSERT_TRUE(d.Settled());
    const std::vector<std::string> before = NamesIn(d.folder.path());
    const struct { const char* why; std::string path; std::int32_t number; } cases[] = {
        {"in a folder that is not there", d.Native("nothing/list.csv"), Runtime::kPathNotFound},
        {"over a folder", d.Native("曲集"), Runtime::kAccessDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto failure = d.catalogue.SaveShownRows(c.path);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->Number, c.number);
        EXPECT_EQ(*failure, Runtime::MakeError(c.number));
        EXPECT_EQ(NamesIn(d.folder.path()), before);
    }
#ifndef _WIN32
    // A disk that takes no more: the system's limit on a file's size stands in for it.
    const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{16, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto failure = d.catalogue.SaveShownRows(d.Native("list.csv"));
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, ignored);
    EXPECT_EQ(failure, Runtime::MakeError(Runtime::kDiskFull));
    EXPECT_EQ(NamesIn(d.folder.path()), before);
#endif
}

TEST(CatalogueOutput, TakesARowBackToForm1AndTellsAFolderThatCannotBeRead) {
    CatalogueDriver d;
    WriteCollection(d);
    d.catalogue.IncludeSubfolders(true);
    d.catalogue.Open(d.Native());
    ASSERT_TRUE(d.Settled());
    d.catalogue.Activate(3);
    ASSERT_TRUE(d.shownInForm1.has_value());
    EXPECT_EQ(d.shownInForm1->NativeFolder, d.Native("曲集"));
    EXPECT_EQ(d.shownInForm1->Entry.NativeName, "c.mid");
    d.catalogue.Open(d.Native("nothing"));
    ASSERT_TRUE(d.Settled());
    EXPECT_EQ(d.view.failures, std::vector<int>{Runtime::kPathNotFound});
    EXPECT_EQ(d.catalogue.RowCount(), 0u);
}
