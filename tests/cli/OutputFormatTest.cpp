#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include "CliRun.h"
#include "FolderContents.h"
#include "FieldText.h"
#include "LineEnd.h"
#include "PathSeparator.h"
#include "SmfBytes.h"
#include "StandardStream.h"
#include "TempFolder.h"

namespace {

// Replaces each '|' in text with the platform's line end, and "{dir}" with
// prefix.
std::string Expected(const std::string& text, const std::string& prefix) {
    std::string result;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 5, "{dir}") == 0) {
            result += prefix;
            at += 4;
        } else if (text[at] == '|') {
            result += Cli::kLineEnd;
        } else {
            result += text[at];
        }
    }
    return result;
}

TEST(OutputFormat, EscapesEveryTitleAndKeepsOneRowAFile) {
    // A title with every character that could break a row or drive a
    // terminal, one in Shift_JIS, and a file that is no MIDI file at all.
    const TempFolder folder;
    folder.Write("a.mid", TitledSong("T\t\"q\",\r\nb\\s\x1B]0;x\x07\x7F"));
    folder.Write("b.mid", StandardHeader() + Track(NamedTrackData({0x8F, 0x74, 0x82, 0xCC, 0x8A, 0x43})));
    folder.Write("c.smf", Ascii("not a MIDI file at all"));
    folder.Write("d.txt", NamedTwoTrackSong());  // not in the pattern
    const std::string dir = Utf8(folder.path());
    // The report ends its lines as the platform does ('|'); tsv and JSON
    // Lines in LF, csv in CR LF, everywhere.
    const struct { const char* format; std::string expected; } cases[] = {
        {"report",
         "ファイル名－ {dir}a.mid||フォーマット－ 1|トラック数－ 2|分解能－ 480||タイトル－ T\\t\"q\",\\r\\nb\\s\\x1B]0;x\\x07\\x7F|"
         "|ファイル名－ {dir}b.mid||フォーマット－ 1|トラック数－ 2|分解能－ 480||タイトル－ 春の海|"
         "|ファイル名－ {dir}c.smf||フォーマット－ 0|トラック数－ 0|分解能－ 0||タイトル－ MIDファイルではありません|"},
        {"tsv",
         "path\tformat\ttracks\tdivision\ttitle\tstatus\n"
         "{dir}a.mid\t1\t2\t480\tT\\t\"q\",\\r\\nb\\\\s\\x1B]0;x\\x07\\x7F\tok\n"
         "{dir}b.mid\t1\t2\t480\t春の海\tok\n"
         "{dir}c.smf\t0\t0\t0\t\tMIDファイルではありません\n"},
        {"csv",
         "path,format,tracks,division,title,status\r\n"
         "{dir}a.mid,1,2,480,\"T\\t\"\"q\"\",\\r\\nb\\s\\x1B]0;x\\x07\\x7F\",ok\r\n"
         "{dir}b.mid,1,2,480,春の海,ok\r\n"
         "{dir}c.smf,0,0,0,,MIDファイルではありません\r\n"},
        {"json",
         "{\"path\":\"{dir}a.mid\",\"format\":1,\"tracks\":2,\"division\":480,"
         "\"title\":\"T\\t\\\"q\\\",\\r\\nb\\\\s\\u001b]0;x\\u0007\\u007f\",\"status\":\"ok\"}\n"
         "{\"path\":\"{dir}b.mid\",\"format\":1,\"tracks\":2,\"division\":480,\"title\":\"春の海\",\"status\":\"ok\"}\n"
         "{\"path\":\"{dir}c.smf\",\"format\":0,\"tracks\":0,\"division\":0,\"title\":\"\","
         "\"status\":\"MIDファイルではありません\"}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        // Every format writes a Windows path as it is, but JSON, which
        // must escape its backslashes.
        std::string prefix;
        for (const char ch : dir + Runtime::kPathSeparator) {
            prefix += ch == '\\' && std::string_view(c.format) == "json" ? "\\\\" : std::string(1, ch);
        }
        const CliResult result = RunCli({"--format", c.format, dir});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, Expected(c.expected, prefix));
        EXPECT_EQ(result.err, "");
        if (std::string_view(c.format) == "csv") {
            EXPECT_EQ(RunCli({"--format", c.format, "--bom", dir}).out, "\xEF\xBB\xBF" + result.out);
        }
    }
}

TEST(Fields, KeepTheirRowAndShowNoRawControl) {
    const struct { const char* why; void (*append)(std::string&, std::string_view); std::string_view text; std::string field; } cases[] = {
        {"csv, plain", AppendCsvField, "plain", "plain"},
        {"csv, line break shown", AppendCsvField, "a\nb\r", "a\\nb\\r"},
        {"csv, comma", AppendCsvField, "a,b", "\"a,b\""},
        {"csv, quote", AppendCsvField, "\"", "\"\"\"\""},
        {"tsv, C1 control", AppendTsvField, "\xC2\x9B[2J\xC2\xA0", "\\xC2\\x9B[2J\xC2\xA0"},
        {"json, C0", AppendJsonString, std::string_view("\x00\x01\x1F", 3), "\"\\u0000\\u0001\\u001f\""},
        {"json, DEL and C1", AppendJsonString, "\x7F\xC2\x80\xC2\x9F\xC2\xA0", "\"\\u007f\\u0080\\u009f\xC2\xA0\""},
    };
    for (const auto& c : cases) {
        std::string row;
        c.append(row, c.text);
        EXPECT_EQ(row, c.field) << c.why;
    }
}

#ifdef _WIN32
TEST(StandardOutput, TellsAClosedPipeFromAWriteThatFailed) {
    const TempFolder folder;
    const std::wstring file = folder.Write("read-only.txt", Ascii("x")).wstring();
    HANDLE reader = nullptr, writer = nullptr;
    ASSERT_TRUE(::CreatePipe(&reader, &writer, nullptr, 0));
    ::CloseHandle(reader);
    const HANDLE readOnly = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const HANDLE saved = ::GetStdHandle(STD_OUTPUT_HANDLE);
    const struct { const char* why; HANDLE handle; bool isClosedPipe; std::int32_t number; } cases[] = {
        {"the reader of the pipe gone", writer, true, 0},
        {"a file open only for reading", readOnly, false, Runtime::kAccessDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        ::SetStdHandle(STD_OUTPUT_HANDLE, c.handle);
        const auto failure = Runtime::StandardStream(Runtime::StandardStreamKind::Output).Write("row\n");
        ::SetStdHandle(STD_OUTPUT_HANDLE, saved);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->IsClosedPipe, c.isClosedPipe);
        if (!c.isClosedPipe) {
            EXPECT_EQ(failure->Error.Number, c.number) << failure->SystemText;
        }
    }
    ::CloseHandle(writer);
    ::CloseHandle(readOnly);
}
#endif

TEST(PrintedNames, TellEveryNameApartAndLeadBackToItsFile) {
    // Windows names are UTF-16: only DEL and the C1 controls need showing.
    const struct { const char* why; std::string native; std::string printed; } cases[] = {
        {"C1 control", "c\xC2\x9B", "c\\xC2\\x9B"},
        {"DEL", "d\x7F", "d\\x7F"},
#ifndef _WIN32
        {"byte that is no character", "n\xFF", "n\\xFF"},
        {"another such byte", "n\xFE", "n\\xFE"},
        {"Shift_JIS", "\x8F\x74", "春"},
        {"Shift_JIS code of a character with two", "\xED\x40", "\\xED@"},
        {"backslash", "a\\b", "a\\\\b"},
        {"terminal control", "e\x1B[2J", "e\\x1B[2J"},
        {"tab", "t\tc", "t\\tc"},
        {"in a Shift_JIS folder", "\x8F\x74/x", "春/x"},
        {"UTF-8, in a folder that is no text", "\xFF/曲", "\\xFF/曲"},
#endif
    };
    const TempFolder folder;
    const std::string dir = Utf8(folder.path()) + Runtime::kPathSeparator;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::filesystem::create_directories((folder.path() / Runtime::PathFromNative(cases[i].native)).parent_path());
        folder.Write(cases[i].native + ".mid", TitledSong(std::to_string(i)));
    }
    const std::string listing = RunCli({"-r", "--format", "tsv", dir}).out;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].why);
        const std::string path = dir + cases[i].printed + ".mid";
        const std::string row = path + "\t1\t2\t480\t" + std::to_string(i) + "\tok\n";
        EXPECT_NE(listing.find(row), std::string::npos) << listing;
        EXPECT_EQ(RunCli({"--format", "tsv", path}).out, "path\tformat\ttracks\tdivision\ttitle\tstatus\n" + row);
    }
}

}  // namespace
