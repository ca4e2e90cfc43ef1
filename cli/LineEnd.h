#pragma once

#include <string_view>

namespace Cli {

// Text lines end as the platform's own text files do.
#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

}  // namespace Cli
