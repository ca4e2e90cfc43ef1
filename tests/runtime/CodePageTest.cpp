#include <gtest/gtest.h>

#include <numeric>

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
    Bytes ascii(0x80), katakana(0xDF - 0xA1 + 1);
    std::iota(ascii.begin(), ascii.end(), std::uint8_t{0});
    std::iota(katakana.begin(), katakana.end(), std::uint8_t{0xA1});
    const std::string asciiText(ascii.begin(), ascii.end());
    const std::string katakanaText = "｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
    const struct { const char* why; Bytes bytes; std::string text; } cases[] = {
        {"empty", {}, ""},
        {"every ASCII byte stays as it is, 0x5C and 0x7E included", ascii, asciiText},
        {"ASCII beside a double-byte character", ascii + Bytes{0x82, 0xA0}, asciiText + "あ"},
        {"every half-width katakana, alone and between ASCII", katakana + Ascii("a") + katakana,
         katakanaText + "a" + katakanaText},
        {"Japanese title", {0x93, 0xFA, 0x96, 0x7B, 0x82, 0xCC, 0x89, 0xCC}, "日本の歌"},
        {"0x5C as second byte of ソ and 表", {0x83, 0x5C, 0x95, 0x5C}, "ソ表"},
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
    // Every other byte alone is unmapped or a lead byte cut off.
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        if (byte >= 0xA1 && byte <= 0xDF) continue;
        EXPECT_EQ(Runtime::Cp932ToUtf8(Bytes{static_cast<std::uint8_t>(byte)}), "\uFFFD") << byte;
    }
}
