#pragma once

namespace TitleList {

// The marks a kana can carry: ば is は voiced, ぱ is は semi-voiced. The
// order is the sort order of the marks: は < ば < ぱ.
enum class Voicing : unsigned char { Plain, Voiced, SemiVoiced };

// The spacing marks ゛ and ゜ stand for every spelling of a mark that did
// not join a kana: half width ﾞﾟ, combining U+3099 U+309A.
inline constexpr char32_t kVoicedMark = U'\u309B';
inline constexpr char32_t kSemiVoicedMark = U'\u309C';

struct SplitKana {
    char32_t base;
    Voicing voicing;
    bool operator==(const SplitKana&) const = default;
};

// A katakana with its mark taken off (ガ is カ voiced, ヷ is ワ voiced, ヾ is
// ヽ voiced); any other character is its own base, plain.
SplitKana SplitVoicing(char32_t katakana) noexcept;

// The katakana base carrying voicing, as one character, or 0 when there is
// none (ア has no voiced form, カ no semi-voiced one).
char32_t ComposeVoicing(char32_t base, Voicing voicing) noexcept;

// The vowel katakana (アイウエオ) that ends a plain katakana's sound (カ ends
// in ア, ッ in ウ), or 0 for ン and anything that is no kana.
char32_t VowelOf(char32_t katakana) noexcept;

}  // namespace TitleList
