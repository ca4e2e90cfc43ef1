#pragma once

#include <string>
#include <string_view>

namespace TitleList {

// The bytes that sort a name or title in the title list, the same on every
// platform (no locale, no system collation): keys compared as strings
// (operator<, memcmp) give the order, in three levels:
//
// 1. The text folded as for the filter (width, letter case, kana kind),
//    with voiced and semi-voiced marks taken off: が sorts with か. A run of
//    digits counts as its number (SONG2 before SONG10, ０１２ = 12), placed
//    where a digit would be. ー counts as the vowel of the kana before it
//    (ハート beside ハアト, not after ン, as a dictionary has it). Kanji
//    keep code point order: their readings are not in the text.
// 2. Where level 1 ties, the marks from the left: は < ば < ぱ.
// 3. Where both tie, the text's own bytes, so different texts never tie
//    and the order is total (K_012 before K_12, はーと before ハート).
//
// The key holds the text whole at its end; about twice the text's size.
std::string SortKey(std::string_view utf8);

}  // namespace TitleList
