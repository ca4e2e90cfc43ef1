#include "../SavedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <random>

#include "FileDescriptor.h"
#include "SystemError.h"

namespace Runtime {

namespace {

// How many names are tried before the folder is taken to refuse new files.
constexpr int kNamesTried = 16;

void WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            throw ErrorFromErrno(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace

void SaveFile(std::string_view nativePath, std::string_view bytes) {
    const std::string path(nativePath);
    std::random_device random;
    std::string temporary;
    FileDescriptor file;
    for (int tried = 0; tried < kNamesTried && !file.IsOpen(); ++tried) {
        temporary = TemporaryNameBeside(path, random());
        // 0666 less the umask, as any program's new file: the file a person
        // saves is theirs to share as they share others.
        int descriptor = -1;
        do {
            descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        } while (descriptor == -1 && errno == EINTR);
        // A new file is missing only when its folder is.
        if (descriptor == -1 && errno == ENOENT) throw MakeError(kPathNotFound);
        if (descriptor == -1 && errno != EEXIST) throw ErrorFromErrno(errno);
        file = FileDescriptor(descriptor);
    }
    if (!file.IsOpen()) throw ErrorFromErrno(EEXIST);
    try {
        WriteAll(file.Get(), bytes);
        // On the disk before it takes the name: a crash then leaves the old
        // file or the new one, never a part of it.
        if (::fsync(file.Get()) != 0) throw ErrorFromErrno(errno);
        if (::close(file.Release()) != 0) throw ErrorFromErrno(errno);
        if (::rename(temporary.c_str(), path.c_str()) != 0) throw ErrorFromErrno(errno);
    } catch (const RuntimeError&) {
        file = FileDescriptor();
        ::unlink(temporary.c_str());
        throw;
    }
}

}  // namespace Runtime
