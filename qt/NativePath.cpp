#include "NativePath.h"

#include <algorithm>
#include <vector>

#include "FolderContents.h"
#include "PathChain.h"
#include "RuntimeError.h"

namespace {

std::string NativeNameIn(const std::string& folder, const std::string& readableName) {
    try {
        const auto folders =
            Runtime::ReadFolder(folder, Runtime::NamePattern("*"), Runtime::ListedKinds::Folders).Folders;
        const auto named = [&](auto field) {
            return std::find_if(folders.begin(), folders.end(),
                                [&](const Runtime::FolderEntry& entry) { return entry.*field == readableName; });
        };
        if (named(&Runtime::FolderEntry::NativeName) != folders.end()) return readableName;
        if (const auto found = named(&Runtime::FolderEntry::DisplayName); found != folders.end())
            return found->NativeName;
    } catch (const Runtime::RuntimeError&) {
        // A folder that cannot be listed may still be passed through: the
        // name is tried as written.
    }
    return readableName;
}

}  // namespace

std::string NativePathOf(std::string_view readablePath) {
    const std::vector<std::string> parts = Runtime::ChainOf(Runtime::AbsoluteFolder(readablePath), {});
    std::string native = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) native = Runtime::ChildPath(native, NativeNameIn(native, parts[i]));
    return native;
}
