#pragma once

#include <string>
#include <string_view>

namespace Runtime {

// Writes bytes to the file at nativePath, whole or not at all: into a new
// file beside it, which takes the name only once every byte is on the disk,
// replacing a file of that name. The one place the program writes a file,
// and only where a person chose. Throws RuntimeError (a full disk, a folder
// gone, a name taken by a folder); the new file is removed first, so a
// failed save leaves the folder as it was.
void SaveFile(std::string_view nativePath, std::string_view bytes);

// The name of the new file beside nativePath, before it takes its place:
// the name with a number and ".tmp" after it, hidden where the system hides
// names starting with a dot.
std::string TemporaryNameBeside(std::string_view nativePath, unsigned number);

}  // namespace Runtime
