// The title list's filter and sort on names and titles: folding and sort
// keys, the same on Linux and under Wine.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "SortKey.h"
#include "TextFolding.h"

using TitleList::FoldForFilter;
using TitleList::SortKey;

TEST(FoldForFilter, GivesOneSpellingToWhatReadsTheSame) {
    const struct { const char* why; std::string text; std::string folded; } cases[] = {
        {"hiragana are katakana", "はるのうみ", "ハルノウミ"},
        {"half width kana are full width", "ﾊﾙﾉｳﾐ", "ハルノウミ"},
        {"full and half width Latin, any case", "ＡＢＣ abc ＡＢc", "abc abc abc"},
        {"full width digits, punctuation, space", "ＳＯＮＧ０１！　（Ｖｅｒ．２）", "song01! (ver.2)"},
        {"half width marks join their kana", "ｶﾞｯｺｳ ﾊﾟﾝ ｳﾞｨｰﾅｽ ﾄﾞﾎﾞﾎﾟ", "ガッコウ パン ヴィーナス ドボポ"},
        {"half width punctuation", "｢ﾊﾙ｣､ﾊﾙ･ﾊﾙ｡", "「ハル」、ハル・ハル。"},
        {"ヷ from katakana, half width and hiragana", "ヷ ﾜﾞ わ゛ ヺ ｦﾞ", "ヷ ヷ ヷ ヺ ヺ"},
        {"combining marks, as in a Mac's names", "か\u3099は\u309Aう\u3099", "ガパヴ"},
        {"spacing marks after kana", "か゛ほ゜", "ガポ"},
        {"a mark no kana takes stays", "ｱﾞ ﾞ ｶﾟ a\u3099", "ア゛ ゛ カ゜ a゛"},
        {"small kana stay small", "ぁゕゖっゃ ヶ", "ァヵヶッャ ヶ"},
        {"iteration marks change kind only", "いすゞ こゝ", "イスヾ コヽ"},
        {"prolonged sound mark", "ｽｰﾊﾟｰ すーぱー", "スーパー スーパー"},
        {"Latin-1, Greek (final sigma), Cyrillic", "CAFÉ × ΟΔΟΣ οδος Ά ЁЛКА", "café × οδοσ οδοσ ά ёлка"},
        {"Roman numerals", "Ⅻ", "ⅻ"},
        {"code page 932's two tables", "〜～－−‖∥—―￥", "~~--∥∥――¥"},
        {"kanji as they are", "春の海", "春ノ海"},
        {"empty", "", ""},
        {"a byte no character starts", "\xFF" "a\x80", "\uFFFD" "a\uFFFD"},
        {"cut short", "a\xE3\x81", "a\uFFFD\uFFFD"},
        {"overlong, surrogate, past U+10FFFF", "\xC0\x80\xE0\x80\xAF\xED\xA0\x80\xF0\x8F\xBF\xBF\xF4\x90\x80\x80",
         "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"a broken byte parts a mark from its kana", "ｶ\xFFﾞ", "カ\uFFFD゛"},
        {"four bytes and U+FFFD as they are", "\U0001F3B5\uFFFD", "\U0001F3B5\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(FoldForFilter(c.text), c.folded);
    }
    EXPECT_EQ(FoldForFilter(std::string_view("\xE3\x81\x82", 2)), "\uFFFD\uFFFD");  // nothing read past the end
}

TEST(Matches, FindsTypedTextAnywhereInTheFoldedTitle) {
    const struct { const char* title; const char* typed; bool found; } cases[] = {
        {"ハルノウミ", "はるのうみ", true},  {"はるのうみ", "ﾊﾙﾉｳﾐ", true},
        {"春の海 (ﾊﾙﾉｳﾐ) Ver.2", "うみ) ver.２", true},
        {"ABC", "ａｂｃ", true},             {"がっこう", "が", true},
        {"がっこう", "か", false},           {"かっこう", "が", false},
        {"パン", "ばん", false},             {"一ヶ月", "一ケ月", false},
        {"ハート", "はあと", false},         {"SONG1", "song2", false},
        {"anything", "", true},              {"", "", true},
        {"", "a", false},                    {"\xFF\xFEうみ", "ウミ", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.title) + " / " + c.typed);
        EXPECT_EQ(TitleList::Matches(FoldForFilter(c.title), FoldForFilter(c.typed)), c.found);
    }
}

// Each row lists texts in the order the title list shows them.
TEST(SortKey, OrdersNamesAndTitlesTheSameOnEveryPlatform) {
    const struct { const char* why; std::vector<std::string> ordered; } cases[] = {
        {"plain, voiced, semi-voiced; kind and width by the text",
         {"は", "ハ", "ﾊ", "ば", "バ", "ﾊﾞ", "ぱ", "パ", "ﾊﾟ", "はな"}},
        {"the letters before the marks", {"ヴォ", "ウカ", "ばか", "はな", "ゞあ", "ゝい"}},
        {"the leftmost mark decides", {"はは", "はば", "ばは", "ばば", "ぱは"}},
        {"marks no composed form holds", {"ア", "ｱ", "ア゛", "アア", "ワ", "わ゛", "ヷ", "ワア"}},
        {"letter case and width", {"ABC", "abc", "ＡＢＣ", "abd", "ABE"}},
        {"numbers by their value", {"SONG", "SONG-2", "SONG2", "SONG9", "SONG010", "SONG10", "song10",
                                    "ＳＯＮＧ１０", "SONG10a", "SONG11", "SONGA"}},
        {"long numbers", {"K99999999", "K100000000", "K123456789", "K1234567890", "K12345678901"}},
        {"zeros", {"K_0", "K_00", "K_1", "K_01a"}},
        {"ー takes each vowel", {"カア", "カー", "カイ", "キイ", "キー", "キウ", "クウ", "クー", "クエ",
                                "ケエ", "ケー", "ケオ", "コオ", "コー", "コカ", "ッウ", "ッー", "ッエ"}},
        {"ー as the vowel before it", {"はあと", "ハアト", "ハート", "ハイ", "ハン", "ンア", "ンン", "ンー"}},
        {"ー with no kana before", {"ー", "ーア", "亜"}},
        {"Latin, kana, kanji", {"zz", "あ", "ン", "亜", "春の海"}},
        {"the empty text first", {"", "\x01", " ", "0"}},
        {"zero bytes, as titles padded in C have", {"a", std::string("a\0", 2), std::string("a\0b", 3), "ab"}},
        {"broken bytes still ordered", {"\xFE", "\xFF", "\xFF" "a"}},
    };
    for (const auto& c : cases) {
        for (std::size_t i = 0; i + 1 < c.ordered.size(); ++i) {
            SCOPED_TRACE(std::string(c.why) + ": " + c.ordered[i] + " < " + c.ordered[i + 1]);
            EXPECT_LT(SortKey(c.ordered[i]), SortKey(c.ordered[i + 1]));
        }
    }
}
