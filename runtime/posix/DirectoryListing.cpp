#include "../DirectoryListing.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cerrno>
#include <new>

#include "../ReadableName.h"
#include "SystemError.h"

namespace Runtime {

namespace {

// Owns one open directory stream.
class DirectoryStream {
public:
    explicit DirectoryStream(const std::string& path) : stream_(::opendir(path.c_str())) {
        if (stream_ == nullptr) {
            // A directory that is gone is a missing path, not a missing file.
            throw errno == ENOENT ? MakeError(kPathNotFound) : ErrorFromErrno(errno);
        }
    }
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;
    ~DirectoryStream() { ::closedir(stream_); }

    // The next entry, or nullptr at the end. Throws when reading fails.
    const dirent* Next() const {
        errno = 0;
        const dirent* entry = ::readdir(stream_);
        if (entry == nullptr && errno != 0) throw ErrorFromErrno(errno);
        return entry;
    }

    int Descriptor() const noexcept { return ::dirfd(stream_); }

private:
    DIR* stream_;
};

// Whether the entry is of the kind asked for. The type the directory
// reports is trusted for plain entries; links, and file systems that
// report no type, are asked with stat, which follows the link.
bool IsOfKind(const DirectoryStream& stream, const dirent& entry, EntryKind kind) {
    const unsigned char wanted = kind == EntryKind::Directory ? DT_DIR : DT_REG;
    if (entry.d_type == wanted) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat status {};
    if (::fstatat(stream.Descriptor(), entry.d_name, &status, 0) != 0) return false;  // broken link
    return kind == EntryKind::Directory ? S_ISDIR(status.st_mode) : S_ISREG(status.st_mode);
}

// The entries by their readable names ignoring case. The keys are made once
// and sorted beside an index, so the sort moves small records and compares
// plain bytes; names that differ in case alone keep one order by their bytes.
std::vector<DirectoryEntry> SortedIgnoringCase(std::vector<DirectoryEntry> entries) {
    struct Keyed {
        std::string key;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) keyed.push_back({SortKeyIgnoringCase(entries[i].DisplayName), i});
    std::sort(keyed.begin(), keyed.end(), [&entries](const Keyed& a, const Keyed& b) {
        if (const int order = a.key.compare(b.key); order != 0) return order < 0;
        return entries[a.index].NativeName < entries[b.index].NativeName;
    });
    std::vector<DirectoryEntry> sorted;
    sorted.reserve(entries.size());
    for (const Keyed& k : keyed) sorted.push_back(std::move(entries[k.index]));
    return sorted;
}

}  // namespace

std::vector<DirectoryEntry> ReadDirectory(std::string_view directory, EntryKind kind,
                                          const NamePattern& pattern) {
    // A folder too large for memory is a failure the lists can show, like
    // any other; it must not escape into the event loop.
    try {
        const DirectoryStream stream{std::string(directory)};
        std::vector<DirectoryEntry> entries;
        while (const dirent* entry = stream.Next()) {
            const std::string_view name(entry->d_name);
            if (name.empty() || name.front() == '.') continue;  // hidden, and "." and ".."
            if (!IsOfKind(stream, *entry, kind)) continue;
            std::string readable = ReadableName(name);
            if (!pattern.Matches(readable)) continue;
            entries.push_back({std::string(name), std::move(readable)});
        }
        return SortedIgnoringCase(std::move(entries));
    } catch (const std::bad_alloc&) {
        throw MakeError(kOutOfMemory);
    }
}

std::string AbsoluteDirectory(std::string_view path) {
    std::filesystem::path absolute(path);
    if (absolute.is_relative()) absolute = std::filesystem::path(CurrentDirectory()) / absolute;
    std::string normal = absolute.lexically_normal().native();
    while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
    return normal;
}

std::string CurrentDirectory() {
    std::string buffer(256, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) throw errno == ENOENT ? MakeError(kPathNotFound) : ErrorFromErrno(errno);
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

std::filesystem::path PathFromNative(std::string_view nativePath) { return std::filesystem::path(nativePath); }

std::string RootDirectory() { return "/"; }

}  // namespace Runtime
