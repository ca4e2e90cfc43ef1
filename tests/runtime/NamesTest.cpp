// Names on every platform: patterns, readable names and their order. Each
// platform's listing is checked on its own (PosixListingTest, windows/ListingTest).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "NamePattern.h"
#include "ReadableName.h"
#include "SortedEntries.h"

TEST(NamePattern, MatchesWildcardsIgnoringCase) {
    const struct { const char* patterns; const char* name; bool matches; } cases[] = {
        {"*.smf;*.mid", "SONG.Smf", true},     {"*.smf;*.mid", "song.midi", false},
        {"*.smf;*.mid", "song.mid.txt", false}, {"*.smf;*.mid", "songmid", false},
        {"*.MID", "song.mid", true},           {"SONG?.*", "song1.mid", true},
        {"??.mid", "曲名.mid", true},          {"??.mid", "曲.mid", false},  // '?' is a whole character
        {"*??.mid", "曲.mid", false},
        {"a*b*c", "aXbYbZc", true},            {"a*b*c", "aXbYbZ", false},
        {"", "anything", true},                {";;*.mid;", "x.mid", true},
        {"song*", "song", true},               {"song**", "song.mid", true},
        {"so*g*", "sog", true},                {"song*", "son", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.patterns) + " / " + c.name);
        EXPECT_EQ(Runtime::NamePattern(c.patterns).Matches(c.name), c.matches);
    }
    EXPECT_FALSE(Runtime::NamePattern("*a*a*a*a*a*a*a*a*b").Matches(std::string(5000, 'a')));  // no blow-up
}

TEST(IsValidUtf8, TakesEachFormUpToItsBounds) {
    const struct { const char* why; std::string bytes; bool valid; } cases[] = {
        {"ASCII", "song.mid", true},           {"U+0080, the first of two bytes", "\xC2\x80", true},
        {"overlong two bytes", "\xC1\xBF", false}, {"U+0800", "\xE0\xA0\x80", true},
        {"overlong three bytes", "\xE0\x9F\xBF", false}, {"U+D7FF", "\xED\x9F\xBF", true},
        {"surrogate", "\xED\xA0\x80", false},  {"U+FFFF", "\xEF\xBF\xBF", true},
        {"U+10000", "\xF0\x90\x80\x80", true}, {"overlong four bytes", "\xF0\x8F\xBF\xBF", false},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", true}, {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"F5 lead", "\xF5\x80\x80\x80", false}, {"stray continuation", "a\x80", false},
        {"cut short", "a\xE6\x9B", false},     {"third byte not a continuation", "\xE6\x9B\x41", false},
        {"fourth byte not a continuation", "\xF0\x90\x80\x41", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Runtime::IsValidUtf8(c.bytes), c.valid);
    }
}

TEST(ReadableName, UsesUtf8AsIsAndReadsTheRestAsCodePage932) {
    const struct { const char* why; std::string native; std::string readable; } cases[] = {
        {"UTF-8 Japanese", "曲.mid", "曲.mid"},
        {"Shift_JIS", "\x83\x5E\x83\x43\x83\x67\x83\x8B.mid", "タイトル.mid"},
        {"overlong UTF-8 read as code page 932", "\xC0\x41", "ﾀA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Runtime::ReadableName(c.native), c.readable);
    }
    // Each part on its own: one Shift_JIS folder leaves its UTF-8 neighbours alone.
    const std::string sep(1, std::filesystem::path::preferred_separator);
    EXPECT_EQ(Runtime::ReadablePath(sep + "曲" + sep + "\x93\xFA\x96\x7B" + sep + "a.mid"),
              sep + "曲" + sep + "日本" + sep + "a.mid");
}

TEST(SortedIgnoringCase, OrdersByReadableNamesThenByTheirBytes) {
    // Shift_JIS names (い, タ) go by what they read as; names read alike by their native bytes.
    const std::vector<Runtime::DirectoryEntry> entries{{"\x82\xA2", "い"}, {"b", "b"}, {"タ", "タ"}, {"\x83\x5E", "タ"},
                                                       {"あ", "あ"}, {"A", "A"}, {"B", "B"}};
    std::vector<std::string> natives;
    for (const auto& entry : Runtime::SortedIgnoringCase(entries)) natives.push_back(entry.NativeName);
    EXPECT_EQ(natives, (std::vector<std::string>{"A", "B", "b", "あ", "\x82\xA2", "\x83\x5E", "タ"}));
}
