#include "PathChain.h"

#include "PathSeparator.h"

namespace Runtime {

namespace {

// How many leading characters of path make its root: 1 for "/", 3 for
// "C:\", 0 for a relative path.
std::size_t RootLength(std::string_view path) noexcept {
#ifdef _WIN32
    if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) return 3;
    if (path.starts_with("\\\\")) {
        // \\server\share\ is the root of a network path.
        const std::size_t server = path.find('\\', 2);
        if (server == std::string_view::npos) return path.size();
        const std::size_t share = path.find('\\', server + 1);
        return share == std::string_view::npos ? path.size() : share + 1;
    }
    return 0;
#else
    return path.starts_with('/') ? 1 : 0;
#endif
}

bool EndsInSeparator(std::string_view path) noexcept { return !path.empty() && path.back() == kPathSeparator; }

}  // namespace

bool IsSameOrUnder(std::string_view path, std::string_view folder) noexcept {
    if (path == folder) return true;
    if (!path.starts_with(folder)) return false;
    return EndsInSeparator(folder) || (path.size() > folder.size() && path[folder.size()] == kPathSeparator);
}

std::vector<std::string> ChainOf(std::string_view path, std::string_view driveRoot) {
    const std::string_view root =
        !driveRoot.empty() && IsSameOrUnder(path, driveRoot) ? driveRoot : path.substr(0, RootLength(path));
    std::vector<std::string> chain{std::string(root)};
    std::size_t start = root.size();
    while (start < path.size()) {
        std::size_t end = path.find(kPathSeparator, start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) chain.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return chain;
}

std::string PathOfChain(const std::vector<std::string>& chain, std::size_t depth) {
    std::string path = chain.empty() ? std::string() : chain.front();
    for (std::size_t i = 1; i <= depth && i < chain.size(); ++i) path = ChildPath(path, chain[i]);
    return path;
}

std::string ChildPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!EndsInSeparator(path)) path += kPathSeparator;
    path += name;
    return path;
}

std::optional<std::string> ParentFolder(std::string_view path) {
    const std::size_t rootLength = RootLength(path);
    if (path.size() <= rootLength) return std::nullopt;
    const std::size_t separator = path.rfind(kPathSeparator);
    if (separator == std::string_view::npos) return std::nullopt;
    if (separator < rootLength) return std::string(path.substr(0, rootLength));
    return std::string(path.substr(0, separator));
}

std::string RootOf(std::string_view path) { return std::string(path.substr(0, RootLength(path))); }

}  // namespace Runtime
