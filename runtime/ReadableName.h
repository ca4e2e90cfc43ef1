#pragma once

#include <string>
#include <string_view>

namespace Runtime {

// True when bytes are well-formed UTF-8: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes) noexcept;

// A file name as people read it, in UTF-8. A name that already is UTF-8
// stays as it is; any other name is read as code page 932, since names
// unpacked from old Japanese archives keep their Shift_JIS bytes.
std::string ReadableName(std::string_view nativeName);

// ReadableName applied to each part of a path between separators, so one
// Shift_JIS folder does not garble the UTF-8 folders around it.
std::string ReadablePath(std::string_view nativePath);

}  // namespace Runtime
