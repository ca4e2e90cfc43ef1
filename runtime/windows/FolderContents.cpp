#include "../FolderContents.h"

#include <windows.h>

#include <new>

#include "../PathChain.h"
#include "../PathText.h"
#include "../SortedEntries.h"
#include "FindHandle.h"
#include "SystemError.h"
#include "../WideText.h"

namespace Runtime {

namespace {

bool IsListed(const WIN32_FIND_DATAW& found) noexcept {
    const std::wstring_view name(found.cFileName);
    if (name == L"." || name == L"..") return false;
    return (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool IsFolder(const std::wstring& path) noexcept {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

FolderContents ReadFolder(std::string_view folder, const NamePattern& filePattern, ListedKinds kinds) {
    try {
        const std::wstring wideFolder = WideFromUtf8(folder);
        std::wstring query = wideFolder;
        if (!query.empty() && query.back() != L'\\' && query.back() != L'/') query += L'\\';
        query += L'*';
        WIN32_FIND_DATAW found{};
        // Basic info skips the 8.3 names, and large fetch asks the file
        // system for many entries a call: both count with 100 000 files.
        const FindHandle search(::FindFirstFileExW(query.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                                   nullptr, FIND_FIRST_EX_LARGE_FETCH));
        FolderContents contents;
        if (!search.IsOpen()) {
            const DWORD error = ::GetLastError();
            // A drive's root holds no "." or "..": an empty one finds nothing at all.
            if (error == ERROR_FILE_NOT_FOUND && IsFolder(wideFolder)) return contents;
            throw error == ERROR_FILE_NOT_FOUND ? MakeError(kPathNotFound) : ErrorFromWin32(error);
        }
        do {
            if (!IsListed(found)) continue;
            // A link to a folder carries the folder bit itself, so it lists as a folder.
            const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (!IsListedKind(isFolder, kinds)) continue;
            std::string name = Utf8FromWide(found.cFileName);
            if (!isFolder && !filePattern.Matches(name)) continue;
            auto& entries = isFolder ? contents.Folders : contents.Files;
            // Windows names are Unicode already: shown as they are opened.
            entries.push_back({name, name});
        } while (::FindNextFileW(search.Get(), &found));
        if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) throw ErrorFromWin32(error);
        return SortedIgnoringCase(std::move(contents));
    } catch (const std::bad_alloc&) {
        throw MakeError(kOutOfMemory);
    }
}

std::string AbsoluteFolder(std::string_view path) {
    std::filesystem::path absolute = PathFromUtf8(path);
    // "\music" and "C:music" are relative too: joining keeps the drive or the root they name.
    if (absolute.is_relative()) absolute = PathFromUtf8(CurrentFolder()) / absolute;
    std::string normal = Utf8FromPath(absolute.lexically_normal().make_preferred());
    const std::size_t rootLength = RootOf(normal).size();
    while (normal.size() > rootLength && normal.back() == '\\') normal.pop_back();
    return normal;
}

std::string CurrentFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) throw ErrorFromWin32(::GetLastError());
        if (length < buffer.size()) {
            buffer.resize(length);
            return Utf8FromWide(buffer);
        }
        buffer.resize(length);  // too small: length counts the terminator
    }
}

std::string RootFolder() {
    try {
        if (std::string root = RootOf(CurrentFolder()); !root.empty()) return root;
    } catch (const RuntimeError&) {
    }
    return "C:\\";
}

std::filesystem::path PathFromNative(std::string_view nativePath) { return PathFromUtf8(nativePath); }

}  // namespace Runtime
