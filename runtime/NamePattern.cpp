#include "NamePattern.h"

#include <algorithm>

#include "Utf8Text.h"

namespace Runtime {

namespace {

char FoldCase(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Bytes in the UTF-8 sequence that starts at `at`, so '?' takes a whole
// Japanese character; a stray byte counts as one.
std::size_t CharacterLength(std::string_view text, std::size_t at) noexcept {
    return std::min(SequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
}

// Wildcard match that keeps only the last '*' to return to, so it runs in
// time proportional to the product of the lengths at worst, never
// exponential.
bool MatchesOne(std::string_view pattern, std::string_view name) noexcept {
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t resumePattern = kNone;
    std::size_t resumeName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            resumePattern = ++p;
            resumeName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += CharacterLength(name, n);
        } else if (p < pattern.size() && pattern[p] == FoldCase(name[n])) {
            ++p;
            ++n;
        } else if (resumePattern != kNone) {
            p = resumePattern;
            resumeName += CharacterLength(name, resumeName);
            n = resumeName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

NamePattern::NamePattern(std::string_view patternList) {
    std::size_t start = 0;
    while (start <= patternList.size()) {
        std::size_t end = patternList.find(';', start);
        if (end == std::string_view::npos) end = patternList.size();
        std::string pattern(patternList.substr(start, end - start));
        std::transform(pattern.begin(), pattern.end(), pattern.begin(), FoldCase);
        if (!pattern.empty()) patterns_.push_back(std::move(pattern));
        start = end + 1;
    }
    if (patterns_.empty()) patterns_.emplace_back("*");  // no pattern lists everything
}

bool NamePattern::Matches(std::string_view name) const noexcept {
    return std::any_of(patterns_.begin(), patterns_.end(),
                       [name](const std::string& pattern) { return MatchesOne(pattern, name); });
}

std::string SortKeyIgnoringCase(std::string_view name) {
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), FoldCase);
    return key;
}

}  // namespace Runtime
