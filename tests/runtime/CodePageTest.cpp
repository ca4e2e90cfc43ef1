#include <gtest/gtest.h>

#include "CodePage.h"
#include "SmfBytes.h"

TEST(Cp932ToUtf8, DecodesAsCodePage932Defines) {
    // Far longer than one conversion step, with an unmapped byte at the end.
    Bytes longBytes;
    std::string longText;
    for (int i = 0; i < 20000; ++i) {
        longBytes.insert(longBytes.end(), {0x82, 0xA0});  // あ
        longText += "あ";
    }
    const struct { const char* why; Bytes bytes; std::string text; } cases[] = {
        {"empty", {}, ""},
        {"ASCII stays ASCII, 0x5C and 0x7E included", Ascii("a\\b~"), "a\\b~"},
        {"Japanese title", {0x93, 0xFA, 0x96, 0x7B, 0x82, 0xCC, 0x89, 0xCC}, "日本の歌"},
        {"0x5C as second byte of ソ and 表", {0x83, 0x5C, 0x95, 0x5C}, "ソ表"},
        {"halfwidth katakana", {0xB1, 0xB2, 0xDD}, "ｱｲﾝ"},
        {"NEC special characters", {0x87, 0x40, 0x87, 0x54}, "①Ⅰ"},
        {"NEC-selected IBM extension", {0xED, 0x40}, "纊"},
        {"IBM extension", {0xFA, 0x40, 0xFA, 0x55}, "ⅰ￤"},
        {"user-defined area maps to private use", {0xF0, 0x40}, "\xEE\x80\x80"},
        {"unmapped single bytes each become U+FFFD", {'A', 0x80, 'B', 0xA0, 0xFD, 'C'}, "A\uFFFDB\uFFFD\uFFFDC"},
        {"lead byte with invalid trail byte", {0x81, 0x20, 'x'}, "\uFFFD x"},
        {"lead byte cut off at the end", {'S', 0x82}, "S\uFFFD"},
        {"long title", longBytes + Bytes{0x80}, longText + "\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Runtime::Cp932ToUtf8(c.bytes), c.text);
    }
}
