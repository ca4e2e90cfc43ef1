#include "TextFolding.h"

#include "Kana.h"
#include "Utf8Text.h"

namespace TitleList {

namespace {

// Half width U+FF61..U+FF9D as full width, in code order.
constexpr std::u32string_view kHalfWidthKana =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
static_assert(kHalfWidthKana.size() == U'\uFF9D' - U'\uFF61' + 1);

char32_t FoldWidth(char32_t c) noexcept {
    if (c >= U'\uFF01' && c <= U'\uFF5E') return c - (U'\uFF01' - U'!');  // ！..～
    if (c == U'\u3000') return U' ';
    if (c >= U'\uFF61' && c <= U'\uFF9D') return kHalfWidthKana[c - U'\uFF61'];
    switch (c) {
        case U'\uFF9E': case U'\u3099': return kVoicedMark;
        case U'\uFF9F': case U'\u309A': return kSemiVoicedMark;
        case U'\uFFE0': return U'\u00A2';  // ￠ ¢
        case U'\uFFE1': return U'\u00A3';  // ￡ £
        case U'\uFFE2': return U'\u00AC';  // ￢ ¬
        case U'\uFFE3': return U'\u00AF';  // ￣ ¯
        case U'\uFFE4': return U'\u00A6';  // ￤ ¦
        case U'\uFFE5': return U'\u00A5';  // ￥ ¥
        case U'\uFFE6': return U'\u20A9';  // ￦ ₩
        // Code page 932's round trips: Windows and iconv disagree on these.
        case U'\u301C': return U'~';       // 〜, the wave dash
        case U'\u2212': return U'-';       // −, the minus sign
        case U'\u2016': return U'\u2225';  // ‖ ∥
        case U'\u2014': return U'\u2015';  // — ―
        default: return c;
    }
}

char32_t FoldLetterCase(char32_t c) noexcept {
    constexpr char32_t kLowerStep = U'a' - U'A';  // the same step in Latin-1, Greek and Cyrillic
    if (c >= U'A' && c <= U'Z') return c + kLowerStep;
    if (c >= U'\u00C0' && c <= U'\u00DE' && c != U'\u00D7') return c + kLowerStep;  // À..Þ but ×
    if (c >= U'\u0391' && c <= U'\u03A9' && c != U'\u03A2') return c + kLowerStep;  // Α..Ω
    if (c >= U'\u0410' && c <= U'\u042F') return c + kLowerStep;                     // А..Я
    if (c >= U'\u0400' && c <= U'\u040F') return c + (U'\u0450' - U'\u0400');        // Ѐ..Џ
    if (c >= U'\u2160' && c <= U'\u216F') return c + (U'\u2170' - U'\u2160');        // Ⅰ..Ⅿ
    switch (c) {
        case U'\u03C2': return U'\u03C3';  // final ς as σ
        case U'\u0386': return U'\u03AC';  // Ά
        case U'\u0388': return U'\u03AD';  // Έ
        case U'\u0389': return U'\u03AE';  // Ή
        case U'\u038A': return U'\u03AF';  // Ί
        case U'\u038C': return U'\u03CC';  // Ό
        case U'\u038E': return U'\u03CD';  // Ύ
        case U'\u038F': return U'\u03CE';  // Ώ
        default: return c;
    }
}

char32_t FoldKanaKind(char32_t c) noexcept {
    constexpr char32_t kKatakanaStep = U'ア' - U'あ';
    if ((c >= U'ぁ' && c <= U'ゖ') || c == U'ゝ' || c == U'ゞ') return c + kKatakanaStep;
    return c;
}

}  // namespace

std::u32string FoldedCharacters(std::string_view utf8) {
    std::u32string folded;
    folded.reserve(utf8.size());
    while (!utf8.empty()) {
        const Runtime::DecodedCharacter decoded = Runtime::DecodeFirstCharacter(utf8);
        utf8.remove_prefix(decoded.Length);
        const char32_t c = FoldKanaKind(FoldLetterCase(FoldWidth(decoded.CodePoint)));
        if ((c == kVoicedMark || c == kSemiVoicedMark) && !folded.empty()) {
            const Voicing voicing = c == kVoicedMark ? Voicing::Voiced : Voicing::SemiVoiced;
            if (const char32_t composed = ComposeVoicing(folded.back(), voicing)) {
                folded.back() = composed;
                continue;
            }
        }
        folded += c;
    }
    return folded;
}

std::string FoldForFilter(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    for (const char32_t c : FoldedCharacters(utf8)) Runtime::AppendUtf8(folded, c);
    return folded;
}

bool Matches(std::string_view foldedText, std::string_view foldedTyped) noexcept {
    return foldedText.find(foldedTyped) != std::string_view::npos;
}

}  // namespace TitleList
