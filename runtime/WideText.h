#pragma once

#include <string>
#include <string_view>

namespace Runtime {

// Windows only (defined in windows/WideText.cpp): Windows names and window
// texts are UTF-16; everything above the runtime is UTF-8. A lone
// surrogate, which NTFS allows in a name, becomes U+FFFD on the way.
std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);

}  // namespace Runtime
