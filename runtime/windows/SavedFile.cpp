#include "../SavedFile.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <random>
#include <utility>

#include "SystemError.h"
#include "../WideText.h"

namespace Runtime {

namespace {

// How many names are tried before the folder is taken to refuse new files.
constexpr int kNamesTried = 16;
// WriteFile counts in DWORDs.
constexpr std::size_t kLargestWrite = 1u << 30;

// The new file, open for writing until Close, removed unless Keep: compare
// posix/SavedFile.cpp, where FileDescriptor and unlink do the same.
class NewFile {
public:
    explicit NewFile(std::wstring path) : path_(std::move(path)) {
        handle_ = ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        isKept_ = !IsOpen();  // a name taken by another file is not ours to remove
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() {
        Close();
        if (!isKept_) ::DeleteFileW(path_.c_str());
    }

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!IsOpen()) return true;
        return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
    }
    void Keep() { isKept_ = true; }

private:
    std::wstring path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool isKept_ = false;
};

}  // namespace

void SaveFile(std::string_view nativePath, std::string_view bytes) {
    const std::wstring path = WideFromUtf8(nativePath);
    std::random_device random;
    std::unique_ptr<NewFile> file;
    std::wstring temporary;
    for (int tried = 0; tried < kNamesTried && !(file && file->IsOpen()); ++tried) {
        temporary = WideFromUtf8(TemporaryNameBeside(nativePath, random()));
        file = std::make_unique<NewFile>(temporary);
        if (!file->IsOpen() && ::GetLastError() != ERROR_FILE_EXISTS) throw ErrorFromWin32(::GetLastError());
    }
    if (!file->IsOpen()) throw ErrorFromWin32(ERROR_FILE_EXISTS);
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto wanted = static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
        if (!::WriteFile(file->Get(), bytes.data(), wanted, &written, nullptr)) throw ErrorFromWin32(::GetLastError());
        bytes.remove_prefix(written);
    }
    // On the disk before it takes the name: a crash then leaves the old
    // file or the new one, never a part of it.
    if (!::FlushFileBuffers(file->Get()) || !file->Close()) throw ErrorFromWin32(::GetLastError());
    if (!::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw ErrorFromWin32(::GetLastError());
    }
    file->Keep();
}

}  // namespace Runtime
