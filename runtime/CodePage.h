#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace Runtime {

// Turns bytes in code page 932 (Microsoft's Shift_JIS) into UTF-8, whatever
// the machine's own locale. Each byte the code page does not map becomes
// U+FFFD and the rest is still decoded. Throws RuntimeError when the
// conversion itself cannot be set up.
std::string Cp932ToUtf8(std::span<const std::uint8_t> bytes);

}  // namespace Runtime
