#include "SortKey.h"

#include "Kana.h"
#include "TextFolding.h"
#include "Utf8Text.h"

namespace TitleList {

namespace {

// Ends levels 1 and 2. Neither level holds a zero byte, so a shorter level
// sorts first and each level is read unambiguously.
constexpr char kLevelEnd = '\0';

// A number's significant digits after a length in one byte, so that more
// digits sort later: '1'..'8' for one to eight digits, keeping a number
// between '/' and ':' as a digit is; '9' and the count for longer ones. A
// run of more digits than a byte counts is read as several numbers.
constexpr std::size_t kShortNumber = 8;
constexpr std::size_t kLongestNumber = 255;

void AppendNumber(std::string& primary, std::u32string_view digits) {
    while (digits.size() > 1 && digits.front() == U'0') digits.remove_prefix(1);
    if (digits.size() <= kShortNumber) {
        primary += static_cast<char>('0' + digits.size());
    } else {
        primary += '9';
        primary += static_cast<char>(static_cast<unsigned char>(digits.size()));
    }
    for (const char32_t digit : digits) primary += static_cast<char>(digit);
}

bool IsDigit(char32_t c) noexcept { return c >= U'0' && c <= U'9'; }

char VoicingByte(Voicing voicing) noexcept { return static_cast<char>(1 + static_cast<int>(voicing)); }

}  // namespace

std::string SortKey(std::string_view utf8) {
    const std::u32string folded = FoldedCharacters(utf8);
    std::string primary;
    std::string marks;  // one byte for each character of level 1 but numbers
    primary.reserve(folded.size() * 3);
    char32_t lastKana = 0;  // the kana just before, which ー and lone marks refer to
    for (std::size_t at = 0; at < folded.size();) {
        const char32_t c = folded[at];
        if (IsDigit(c)) {
            std::size_t end = at;
            while (end < folded.size() && IsDigit(folded[end]) && end - at < kLongestNumber) ++end;
            AppendNumber(primary, std::u32string_view(folded).substr(at, end - at));
            lastKana = 0;
            at = end;
            continue;
        }
        ++at;
        if (c == U'\0') continue;
        if (c == kVoicedMark || c == kSemiVoicedMark) {
            // A mark its kana has no composed form for, as in ア゛; one with
            // no kana before it stays a character of its own.
            if (lastKana != 0) {
                marks.back() = VoicingByte(c == kVoicedMark ? Voicing::Voiced : Voicing::SemiVoiced);
                continue;
            }
        }
        const SplitKana split = SplitVoicing(c);
        char32_t base = split.base;
        if (base == U'ー' && VowelOf(lastKana) != 0) base = VowelOf(lastKana);
        Runtime::AppendUtf8(primary, base);
        marks += VoicingByte(split.voicing);
        lastKana = base >= U'ァ' && base <= U'ヺ' ? base : 0;
    }
    // Level 2 is compared only where levels 1 are equal, and so are the
    // counts of their marks; plain is the least byte, so plain marks at the
    // end decide nothing and can go: most keys keep no mark at all.
    while (!marks.empty() && marks.back() == VoicingByte(Voicing::Plain)) marks.pop_back();

    std::string key;
    key.reserve(primary.size() + marks.size() + utf8.size() + 2);
    key += primary;
    key += kLevelEnd;
    key += marks;
    key += kLevelEnd;
    key += utf8;
    return key;
}

}  // namespace TitleList
