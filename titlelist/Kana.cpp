#include "Kana.h"

#include <string_view>

namespace TitleList {

SplitKana SplitVoicing(char32_t katakana) noexcept {
    const char32_t c = katakana;
    // ガ..ヂ follow their plain kana, each pair from カ (U+30AB) on; ヅデド
    // follow ツテト after the small ッ breaks the pattern.
    if (c >= U'ガ' && c <= U'ヂ' && (c - U'カ') % 2 == 1) return {c - 1, Voicing::Voiced};
    if (c == U'ヅ' || c == U'デ' || c == U'ド') return {c - 1, Voicing::Voiced};
    // ハバパ, ヒビピ, ... ホボポ: threes from ハ (U+30CF).
    if (c >= U'バ' && c <= U'ポ') {
        const char32_t step = (c - U'ハ') % 3;
        if (step == 1) return {c - 1, Voicing::Voiced};
        if (step == 2) return {c - 2, Voicing::SemiVoiced};
    }
    if (c == U'ヴ') return {U'ウ', Voicing::Voiced};
    if (c >= U'ヷ' && c <= U'ヺ') return {c - (U'ヷ' - U'ワ'), Voicing::Voiced};
    if (c == U'ヾ') return {U'ヽ', Voicing::Voiced};
    return {c, Voicing::Plain};
}

char32_t ComposeVoicing(char32_t base, Voicing voicing) noexcept {
    // Every composed form lies at one of these places from its base; asking
    // SplitVoicing keeps one table of the pairs.
    const char32_t candidates[] = {base + 1, base + 2, base + (U'ヷ' - U'ワ'), U'ヴ'};
    for (const char32_t composed : candidates) {
        if (SplitVoicing(composed) == SplitKana{base, voicing} && voicing != Voicing::Plain) return composed;
    }
    return 0;
}

char32_t VowelOf(char32_t katakana) noexcept {
    // One letter for each katakana from ァ (U+30A1) to ヺ (U+30FA).
    constexpr std::u32string_view kVowels =
        U"aaiiuueeoo" U"aaiiuueeoo" U"aaiiuueeoo" U"aaiiuuueeoo" U"aiueo" U"aaaiiiuuueeeooo"
        U"aiueo" U"aauuoo" U"aiueo" U"aaieo-" U"uae" U"aieo";
    static_assert(kVowels.size() == U'ヺ' - U'ァ' + 1);
    if (katakana < U'ァ' || katakana > U'ヺ') return 0;
    switch (kVowels[katakana - U'ァ']) {
        case U'a': return U'ア';
        case U'i': return U'イ';
        case U'u': return U'ウ';
        case U'e': return U'エ';
        case U'o': return U'オ';
        default: return 0;
    }
}

}  // namespace TitleList
