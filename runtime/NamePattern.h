#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Runtime {

// A list of wildcard patterns such as "*.smf;*.mid". A name matches when it
// matches any one of them; '*' stands for any run of characters and '?' for
// one character. Letter case is ignored, as the file systems the patterns
// come from ignore it.
class NamePattern {
public:
    explicit NamePattern(std::string_view patternList);

    // name is UTF-8.
    bool Matches(std::string_view name) const noexcept;

private:
    std::vector<std::string> patterns_;
};

// name with its ASCII letters made small: comparing two such keys byte by
// byte orders names ignoring case, and keeps Japanese names in code point
// order. A key made once per name makes a sort of 100 000 names cheap.
std::string SortKeyIgnoringCase(std::string_view name);

}  // namespace Runtime
