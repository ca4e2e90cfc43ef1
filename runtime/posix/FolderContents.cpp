#include "../FolderContents.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <optional>

#include "../ReadableName.h"
#include "../SortedEntries.h"
#include "FolderStream.h"
#include "SystemError.h"

namespace Runtime {

namespace {

// What an entry is: a folder, a regular file, or something not listed. The
// type the folder reports is trusted for plain entries; links, and file
// systems that report no type, are asked with stat, which follows the link.
enum class EntryKind { Folder, File };

std::optional<EntryKind> KindOf(const FolderStream& stream, const dirent& entry) {
    if (entry.d_type == DT_DIR) return EntryKind::Folder;
    if (entry.d_type == DT_REG) return EntryKind::File;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return std::nullopt;
    struct stat status {};
    if (::fstatat(stream.Descriptor(), entry.d_name, &status, 0) != 0) return std::nullopt;  // broken link
    if (S_ISDIR(status.st_mode)) return EntryKind::Folder;
    if (S_ISREG(status.st_mode)) return EntryKind::File;
    return std::nullopt;
}

}  // namespace

FolderContents ReadFolder(std::string_view folder, const NamePattern& filePattern, ListedKinds kinds) {
    // A folder too large for memory is a failure the lists can show, like
    // any other; it must not escape into the event loop.
    try {
        const FolderStream stream{std::string(folder).c_str()};
        // A folder that is gone is a missing path, not a missing file.
        if (!stream.IsOpen()) throw errno == ENOENT ? MakeError(kPathNotFound) : ErrorFromErrno(errno);
        FolderContents contents;
        while (const dirent* entry = stream.Next()) {
            const std::string_view name(entry->d_name);
            if (name.empty() || name.front() == '.') continue;  // hidden, and "." and ".."
            const auto kind = KindOf(stream, *entry);
            if (!kind || !IsListedKind(*kind == EntryKind::Folder, kinds)) continue;
            std::string readable = ReadableName(name);
            if (*kind == EntryKind::File && !filePattern.Matches(readable)) continue;
            auto& entries = *kind == EntryKind::Folder ? contents.Folders : contents.Files;
            entries.push_back({std::string(name), std::move(readable)});
        }
        if (errno != 0) throw ErrorFromErrno(errno);
        return SortedIgnoringCase(std::move(contents));
    } catch (const std::bad_alloc&) {
        throw MakeError(kOutOfMemory);
    }
}

std::string AbsoluteFolder(std::string_view path) {
    std::filesystem::path absolute(path);
    if (absolute.is_relative()) absolute = std::filesystem::path(CurrentFolder()) / absolute;
    std::string normal = absolute.lexically_normal().native();
    while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
    return normal;
}

std::string CurrentFolder() {
    std::string buffer(256, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) throw errno == ENOENT ? MakeError(kPathNotFound) : ErrorFromErrno(errno);
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

std::filesystem::path PathFromNative(std::string_view nativePath) { return std::filesystem::path(nativePath); }

std::string RootFolder() { return "/"; }

}  // namespace Runtime
