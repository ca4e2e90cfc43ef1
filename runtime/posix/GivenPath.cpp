#include "../GivenPath.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "../FolderContents.h"

namespace Runtime {

namespace {

struct Freer {
    void operator()(char* text) const noexcept { std::free(text); }
};

// The folder above folder as the system finds it ("" is the root). Where
// the system cannot say (a folder gone, or closed to us), ".." stays in the
// path for the system to meet when it opens it.
std::string ParentOf(const std::string& folder) {
    const std::string up = folder + "/..";
    const std::unique_ptr<char, Freer> resolved(::realpath(up.c_str(), nullptr));
    if (!resolved) return up;
    const std::string parent(resolved.get());
    return parent == "/" ? std::string() : parent;
}

}  // namespace

std::string AbsolutePathAsOpened(std::string_view path) {
    std::string absolute;  // without a separator at the end: "" is the root
    if (!path.starts_with('/')) {
        absolute = CurrentFolder();
        if (absolute == "/") absolute.clear();
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view name = path.substr(start, end - start);
        if (name == "..") {
            absolute = ParentOf(absolute);
        } else if (!name.empty() && name != ".") {
            absolute += '/';
            absolute += name;
        }
        start = end + 1;
    }
    return absolute.empty() ? "/" : absolute;
}

}  // namespace Runtime
