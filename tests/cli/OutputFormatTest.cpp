#include <gtest/gtest.h>

#include "CliRun.h"
#include "FieldText.h"
#include "LineEnd.h"
#include "PathSeparator.h"
#include "ReadableName.h"
#include "SmfBytes.h"
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

class OutputFormat : public testing::Test {
protected:
    OutputFormat() {
        // A title with every character that could break a row, one in
        // Shift_JIS, and a file that is no MIDI file at all.
        folder.Write("a.mid", TitledSong("T\t\"q\",\r\nb\\s"));
        folder.Write("b.mid", StandardHeader() + Track(NamedTrackData({0x8F, 0x74, 0x82, 0xCC, 0x8A, 0x43})));
        folder.Write("c.smf", Ascii("not a MIDI file at all"));
        folder.Write("d.txt", NamedTwoTrackSong());  // not in the pattern
    }
    const TempFolder folder;
};

TEST_F(OutputFormat, EscapesEveryTitleAndKeepsOneRowAFile) {
    const std::string dir = Utf8(folder.path());
    const struct { const char* format; std::string expected; } cases[] = {
        {"report",
         "ファイル名－ {dir}a.mid||フォーマット－ 1|トラック数－ 2|分解能－ 480||タイトル－ T\t\"q\",|b\\s|"
         "|ファイル名－ {dir}b.mid||フォーマット－ 1|トラック数－ 2|分解能－ 480||タイトル－ 春の海|"
         "|ファイル名－ {dir}c.smf||フォーマット－ 0|トラック数－ 0|分解能－ 0||タイトル－ MIDファイルではありません|"},
        {"tsv",
         "path\tformat\ttracks\tdivision\ttitle\tstatus|"
         "{dir}a.mid\t1\t2\t480\tT\\t\"q\",\\r\\nb\\\\s\tok|"
         "{dir}b.mid\t1\t2\t480\t春の海\tok|"
         "{dir}c.smf\t0\t0\t0\t\tMIDファイルではありません|"},
        {"csv",
         "path,format,tracks,division,title,status\r\n"
         "{dir}a.mid,1,2,480,\"T\t\"\"q\"\",\r\nb\\s\",ok\r\n"
         "{dir}b.mid,1,2,480,春の海,ok\r\n"
         "{dir}c.smf,0,0,0,,MIDファイルではありません\r\n"},
        {"json",
         "{\"path\":\"{dir}a.mid\",\"format\":1,\"tracks\":2,\"division\":480,"
         "\"title\":\"T\\t\\\"q\\\",\\r\\nb\\\\s\",\"status\":\"ok\"}|"
         "{\"path\":\"{dir}b.mid\",\"format\":1,\"tracks\":2,\"division\":480,\"title\":\"春の海\",\"status\":\"ok\"}|"
         "{\"path\":\"{dir}c.smf\",\"format\":0,\"tracks\":0,\"division\":0,\"title\":\"\","
         "\"status\":\"MIDファイルではありません\"}|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        // Windows paths hold backslashes, which tsv and json escape too.
        std::string prefix;
        for (const char ch : dir + Runtime::kPathSeparator) {
            const bool isEscaped = ch == '\\' && (std::string(c.format) == "tsv" || std::string(c.format) == "json");
            prefix += isEscaped ? "\\\\" : std::string(1, ch);
        }
        const CliResult result = RunCli({"--format", c.format, dir});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, Expected(c.expected, prefix));
        EXPECT_EQ(result.err, "");
    }
}

TEST(CsvField, QuotesWhatWouldOtherwiseBreakTheRow) {
    const struct { std::string_view text; std::string field; } cases[] = {
        {"plain", "plain"}, {"a\nb", "\"a\nb\""}, {"a\rb", "\"a\rb\""}, {"a,b", "\"a,b\""}, {"\"", "\"\"\"\""},
    };
    for (const auto& c : cases) {
        std::string row;
        Cli::AppendCsvField(row, c.text);
        EXPECT_EQ(row, c.field) << c.text;
    }
}

#ifndef _WIN32
TEST_F(OutputFormat, ShowsNamesThatAreNotUtf8AsTheListsDo) {
    folder.Write("\x8F\x74.mid", NamedTwoTrackSong());  // 春 in Shift_JIS
    for (const char* format : {"report", "tsv", "csv", "json"}) {
        SCOPED_TRACE(format);
        const CliResult result = RunCli({"--format", format, Utf8(folder.path())});
        EXPECT_TRUE(Runtime::IsValidUtf8(result.out));
        EXPECT_NE(result.out.find("春.mid"), std::string::npos);
    }
}
#endif

}  // namespace
