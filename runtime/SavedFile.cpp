#include "SavedFile.h"

#include "PathSeparator.h"

namespace Runtime {

std::string TemporaryNameBeside(std::string_view nativePath, unsigned number) {
    const std::size_t separator = nativePath.rfind(kPathSeparator);
    const std::size_t nameAt = separator == std::string_view::npos ? 0 : separator + 1;
    std::string temporary(nativePath.substr(0, nameAt));
    temporary += '.';
    temporary += nativePath.substr(nameAt);
    temporary += '.' + std::to_string(number) + ".tmp";
    return temporary;
}

}  // namespace Runtime
