#pragma once

#include <string>
#include <string_view>

namespace TitleList {

// The title list's filter finds a row when its folded title or name holds
// the folded text typed: a plain substring search, so each row's texts are
// folded once, when the row arrives, and each keystroke folds only what was
// typed. Folding makes one spelling of what people read as the same text:
//
// - Width: full width ＡＢＣ１２３！ and the ideographic space are ASCII;
//   half width ｶﾀｶﾅ｡｢｣､･ are full width, ﾞ and ﾟ joining the kana before
//   them (ｶﾞ = ガ, ﾊﾟ = パ, ｳﾞ = ヴ, ﾜﾞ = ヷ); ｰ is ー.
// - Letter case: ASCII, Latin-1, Greek (ς as σ), Cyrillic, Roman numerals.
// - Kana kind: hiragana are katakana (はるのうみ = ハルノウミ). Katakana is
//   the richer set: ヷヸヹヺ have no hiragana of their own, so わ゛ (or
//   ﾜﾞ) becomes ヷ and every spelling of it meets. ゕゖ are ヵヶ, ゝゞ are
//   ヽヾ; small kana stay small and ヶ stays a kana, as 一ヶ月 is read
//   several ways and only the reading could say which large kana it is.
// - Marks: a combining or spacing ゛゜ after a kana that has a composed
//   form joins it (か + U+3099 from a Mac's name = ガ); voiced and plain
//   kana stay apart (か does not find が).
// - ー and the iteration marks stay as they are: what they stand for
//   depends on the character before, which a typed text may not hold.
// - Code page 932's characters that other platforms' tables map elsewhere
//   meet: 〜 and ～ (both ~), − and －, ‖ and ∥, — and ―; an input method
//   on Linux types the one, a title decoded on Windows holds the other.
//
// Invalid UTF-8 folds to U+FFFD a byte; the result is always valid UTF-8.
std::string FoldForFilter(std::string_view utf8);

// The folded characters one by one, as the sort key reads them.
std::u32string FoldedCharacters(std::string_view utf8);

// Whether foldedText holds foldedTyped; an empty foldedTyped is in every text.
bool Matches(std::string_view foldedText, std::string_view foldedTyped) noexcept;

}  // namespace TitleList
