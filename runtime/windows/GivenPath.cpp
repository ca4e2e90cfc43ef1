#include "../GivenPath.h"

#include "../FolderContents.h"

namespace Runtime {

// Windows takes ".." off the text before any file system sees the path, so
// the lexical form is the one it opens.
std::string AbsolutePathAsOpened(std::string_view path) { return AbsoluteFolder(path); }

}  // namespace Runtime
