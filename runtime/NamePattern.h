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

// Orders UTF-8 names with ASCII letters compared ignoring case; the bytes
// decide the rest, which keeps Japanese names in code point order.
bool LessIgnoringCase(std::string_view left, std::string_view right) noexcept;

}  // namespace Runtime
