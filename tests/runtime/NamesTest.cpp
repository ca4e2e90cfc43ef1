// Names and paths on every platform: code page 932, names as people read
// them, patterns, the order of a listing, folder chains. Each platform's
// listing is checked on its own (PosixFilesTest, windows/ListingTest).
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "CodePage.h"
#include "NamePattern.h"
#include "OwnedHandle.h"
#include "PathChain.h"
#include "ReadableName.h"
#include "SmfBytes.h"
#include "SortedEntries.h"

TEST(Cp932ToUtf8, DecodesAsCodePage932Defines) {
    std::string longText;  // far longer than one conversion step
    for (int i = 0; i < 20000; ++i) longText += "ｱ";
    Bytes ascii(0x80), katakana(0xDF - 0xA1 + 1);
    std::iota(ascii.begin(), ascii.end(), std::uint8_t{0});
    std::iota(katakana.begin(), katakana.end(), std::uint8_t{0xA1});
    const std::string asciiText(ascii.begin(), ascii.end());
    const std::string katakanaText = "｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
    const struct { const char* why; Bytes bytes; std::string text; } cases[] = {
        {"empty", {}, ""},
        {"every ASCII byte stays as it is, 0x5C and 0x7E included", ascii, asciiText},
        {"ASCII beside a double-byte character", ascii + Bytes{0x82, 0xA0}, asciiText + "あ"},
        {"every half-width katakana, beside ASCII", katakana + Ascii("a") + katakana, katakanaText + "a" + katakanaText},
        {"Japanese title", {0x93, 0xFA, 0x96, 0x7B, 0x82, 0xCC, 0x89, 0xCC}, "日本の歌"},
        {"0x5C as second byte of ソ and 表", {0x83, 0x5C, 0x95, 0x5C}, "ソ表"},
        {"NEC special characters", {0x87, 0x40, 0x87, 0x54}, "①Ⅰ"},
        {"NEC-selected IBM extension", {0xED, 0x40}, "纊"},
        {"IBM extension", {0xFA, 0x40, 0xFA, 0x55}, "ⅰ￤"},
        {"user-defined area maps to private use", {0xF0, 0x40}, "\xEE\x80\x80"},
        {"unmapped single bytes each become U+FFFD", {'A', 0x80, 'B', 0xA0, 0xFD, 'C'}, "A\uFFFDB\uFFFD\uFFFDC"},
        {"lead byte with invalid trail byte", {0x81, 0x20, 'x'}, "\uFFFD x"},
        {"lead byte cut off at the end", {'S', 0x82}, "S\uFFFD"},
        {"long title, an unmapped byte at its end", Bytes(20000, 0xB1) + Bytes{0x80}, longText + "\uFFFD"},
    };
    for (const auto& c : cases) EXPECT_EQ(Runtime::Cp932ToUtf8(c.bytes), c.text) << c.why;
    // Every other byte alone is unmapped or a lead byte cut off.
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        if (byte >= 0xA1 && byte <= 0xDF) continue;
        EXPECT_EQ(Runtime::Cp932ToUtf8(Bytes{static_cast<std::uint8_t>(byte)}), "\uFFFD") << byte;
    }
}

TEST(NamePattern, MatchesWildcardsIgnoringCase) {
    const struct { const char* patterns; const char* name; bool matches; } cases[] = {
        {"*.smf;*.mid", "SONG.Smf", true}, {"*.smf;*.mid", "song.midi", false}, {"*.smf;*.mid", "song.mid.txt", false},
        {"*.smf;*.mid", "songmid", false}, {"*.MID", "song.mid", true},        {"SONG?.*", "song1.mid", true},
        // '?' is a whole character.
        {"??.mid", "曲名.mid", true},      {"??.mid", "曲.mid", false},        {"*??.mid", "曲.mid", false},
        {"a*b*c", "aXbYbZc", true},        {"a*b*c", "aXbYbZ", false},         {"", "anything", true},
        {";;*.mid;", "x.mid", true},       {"song*", "song", true},            {"song**", "song.mid", true},
        {"so*g*", "sog", true},            {"song*", "son", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Runtime::NamePattern(c.patterns).Matches(c.name), c.matches) << c.patterns << " / " << c.name;
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
    for (const auto& c : cases) EXPECT_EQ(Runtime::IsValidUtf8(c.bytes), c.valid) << c.why;
}

TEST(ReadableName, UsesUtf8AsIsAndReadsTheRestAsCodePage932) {
    const struct { const char* why; std::string native; std::string readable; } cases[] = {
        {"UTF-8 Japanese", "曲.mid", "曲.mid"}, {"Shift_JIS", "\x83\x5E\x83\x43\x83\x67\x83\x8B.mid", "タイトル.mid"},
        {"overlong UTF-8 read as code page 932", "\xC0\x41", "ﾀA"},
    };
    for (const auto& c : cases) EXPECT_EQ(Runtime::ReadableName(c.native), c.readable) << c.why;
    // Each part on its own: one Shift_JIS folder leaves its UTF-8 neighbours alone.
    const std::string sep(1, std::filesystem::path::preferred_separator);
    EXPECT_EQ(Runtime::ReadablePath(sep + "曲" + sep + "\x93\xFA\x96\x7B" + sep + "a.mid"),
              sep + "曲" + sep + "日本" + sep + "a.mid");
}

TEST(SortedIgnoringCase, OrdersByReadableNamesThenByTheirBytes) {
    // Shift_JIS names (い, タ) go by what they read as; names read alike by their native bytes.
    const std::vector<Runtime::FolderEntry> entries{{"\x82\xA2", "い"}, {"b", "b"}, {"タ", "タ"}, {"\x83\x5E", "タ"},
                                                       {"あ", "あ"}, {"A", "A"}, {"B", "B"}};
    std::vector<std::string> natives;
    for (const auto& entry : Runtime::SortedIgnoringCase(entries)) natives.push_back(entry.NativeName);
    EXPECT_EQ(natives, (std::vector<std::string>{"A", "B", "b", "あ", "\x82\xA2", "\x83\x5E", "タ"}));
}

TEST(PathChain, SplitsAndJoinsFolderPaths) {
    using Chain = std::vector<std::string>;
    const struct { const char* path; const char* driveRoot; Chain chain; const char* parent; const char* root; } cases[] = {
#ifdef _WIN32
        {"C:\\", "", {"C:\\"}, nullptr, "C:\\"},
        {"C:\\music\\old", "", {"C:\\", "music", "old"}, "C:\\music", "C:\\"},
        {"C:\\music", "C:\\", {"C:\\", "music"}, "C:\\", "C:\\"},
        {"\\\\server\\share\\midi", "", {"\\\\server\\share\\", "midi"}, "\\\\server\\share\\", "\\\\server\\share\\"},
#else
        {"/", "", {"/"}, nullptr, "/"},
        {"/home/a/b", "", {"/", "home", "a", "b"}, "/home/a", "/"},
        {"/home/a/b", "/home", {"/home", "a", "b"}, "/home/a", "/"},
        {"/home", "/home", {"/home"}, "/", "/"},
        {"/a", "", {"/", "a"}, "/", "/"},
        // Not under the drive root, whole names compared: chained from "/".
        {"/home2/x", "/home", {"/", "home2", "x"}, "/home2", "/"},
        {"/media/my stick/曲", "/media/my stick", {"/media/my stick", "曲"}, "/media/my stick", "/"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Runtime::ChainOf(c.path, c.driveRoot), c.chain);
        // Each row of the chain opens the folder it names, the one above the last its parent.
        EXPECT_EQ(Runtime::PathOfChain(c.chain, c.chain.size() - 1), c.path);
        if (c.chain.size() > 1) { EXPECT_EQ(Runtime::PathOfChain(c.chain, c.chain.size() - 2), c.parent); }
        EXPECT_EQ(Runtime::ParentFolder(c.path), c.parent ? std::optional<std::string>(c.parent) : std::nullopt);
        EXPECT_EQ(Runtime::RootOf(c.path), c.root);
    }
}

TEST(PathChain, JoinsWithOneSeparatorAndTellsWhatLiesUnder) {
    const struct { const char* folder; const char* name; const char* path; const char* notUnder; } cases[] = {
#ifdef _WIN32
        {"C:\\", "a.mid", "C:\\a.mid", "D:\\a.mid"},
        {"C:\\music", "a.mid", "C:\\music\\a.mid", "C:\\music2\\a.mid"},
        {"C:\\music\\", "a.mid", "C:\\music\\a.mid", "C:\\musi"},
        {"\\\\server\\share", "a.mid", "\\\\server\\share\\a.mid", "\\\\server\\shared"},
#else
        {"/", "song.mid", "/song.mid", "relative"},
        {"/home/ongaku", "song.mid", "/home/ongaku/song.mid", "/home/ongaku2/song.mid"},
        {"/home/ongaku/", "song.mid", "/home/ongaku/song.mid", "/home/ongak"},
        {"/音楽", "歌.mid", "/音楽/歌.mid", "/音楽歌"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Runtime::ChildPath(c.folder, c.name), c.path);
        EXPECT_TRUE(Runtime::IsSameOrUnder(c.path, c.folder));
        EXPECT_TRUE(Runtime::IsSameOrUnder(c.folder, c.folder));
        EXPECT_FALSE(Runtime::IsSameOrUnder(c.notUnder, c.folder));
    }
}

namespace {

// A handle here is the count of its closes.
struct CountedKind {
    using Handle = int*;
    static constexpr int* Empty() noexcept { return nullptr; }
    static void Close(int* closes) noexcept { ++*closes; }
};
using Counted = Runtime::OwnedHandle<CountedKind>;

}  // namespace

TEST(OwnedHandle, ClosesEachHandleOnceAndNeverAnEmptyOne) {
    using Closes = std::array<int, 2>;
    const struct { const char* why; void (*steps)(Closes&); Closes closes; } cases[] = {
        {"the owner's end closes it", [](Closes& c) { Counted one(&c[0]); }, {1, 0}},
        {"an empty owner closes nothing", [](Closes&) { Counted none; }, {0, 0}},
        {"a move hands it over: closed once", [](Closes& c) { Counted one(&c[0]); Counted taker(std::move(one)); }, {1, 0}},
        {"assigning closes the one held before", [](Closes& c) { Counted one(&c[0]); one = Counted(&c[1]); }, {1, 1}},
        {"a released handle is the caller's", [](Closes& c) { Counted one(&c[0]); EXPECT_EQ(one.Release(), &c[0]); }, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Closes closes{};
        c.steps(closes);
        EXPECT_EQ(closes, c.closes);
    }
}
