// A FUSE file system for the tests: it shows a source folder read-only, and
// makes reads of files and listings of folders whose paths hold "slow" take
// a chosen number of milliseconds each, and those whose names hold "hung" wait
// until the process gets SIGUSR1, its parent goes, the source entry goes or a
// minute passes, so a test can end a hang: a read the kernel has handed over
// ends only when answered, and a process with a thread in one never ends.
// Paths holding "untyped" list entries without their type (DT_UNKNOWN), as
// some network and old file systems do, those holding "failing" fail to
// list (EIO), and reads of those holding "short" answer 100 bytes at most.
//   midtitle_slowfs SOURCE MOUNTPOINT DELAY_MS
#define FUSE_USE_VERSION 31
#include <fuse3/fuse.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

// Set from a signal handler, read by the threads that wait: nothing else is
// safe to share with a handler.
std::atomic<bool> isReleased{false};
pid_t parentAtStart = 0;

struct Settings {
    std::string source;
    std::chrono::milliseconds delay{0};
};

const Settings& SettingsOf() { return *static_cast<const Settings*>(fuse_get_context()->private_data); }

std::string SourcePath(const char* path) { return SettingsOf().source + path; }

void Stall(const char* path) {
    const std::string name(path);
    if (name.find("hung") != std::string::npos) {
        const std::string source = SourcePath(path);
        const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        struct stat attributes {};
        while (!isReleased && getppid() == parentAtStart && lstat(source.c_str(), &attributes) == 0 &&
               std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } else if (name.find("slow") != std::string::npos) {
        std::this_thread::sleep_for(SettingsOf().delay);
    }
}

int GetAttributes(const char* path, struct stat* attributes, fuse_file_info*) {
    return lstat(SourcePath(path).c_str(), attributes) == 0 ? 0 : -errno;
}

int ReadFolder(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*, fuse_readdir_flags) {
    Stall(path);
    if (std::strstr(path, "failing") != nullptr) return -EIO;
    DIR* folder = opendir(SourcePath(path).c_str());
    // A folder removed while its listing stalled fails as a lost network
    // disk does: ENOENT would read as an empty folder (the C library takes
    // it for the end of a folder removed while listed).
    if (folder == nullptr) return -EIO;
    while (const dirent* entry = readdir(folder)) {
        struct stat attributes {};
        attributes.st_ino = entry->d_ino;
        if (std::strstr(path, "untyped") == nullptr) attributes.st_mode = static_cast<mode_t>(DTTOIF(entry->d_type));
        if (fill(buffer, entry->d_name, &attributes, 0, fuse_fill_dir_flags{}) != 0) break;
    }
    closedir(folder);
    return 0;
}

int Open(const char* path, fuse_file_info* file) {
    if ((file->flags & O_ACCMODE) != O_RDONLY) return -EROFS;
    const int descriptor = open(SourcePath(path).c_str(), file->flags);
    if (descriptor < 0) return -errno;
    file->fh = static_cast<std::uint64_t>(descriptor);
    file->direct_io = 1;  // every read comes here, none from the page cache
    return 0;
}

int Read(const char* path, char* buffer, size_t size, off_t offset, fuse_file_info* file) {
    Stall(path);
    if (std::strstr(path, "short") != nullptr) size = std::min<size_t>(size, 100);
    const ssize_t got = pread(static_cast<int>(file->fh), buffer, size, offset);
    return got < 0 ? -errno : static_cast<int>(got);
}

int Release(const char*, fuse_file_info* file) {
    close(static_cast<int>(file->fh));
    return 0;
}

void* Start(fuse_conn_info*, fuse_config* config) {
    // Nothing cached: each lookup asks again, as a network disk that changes would.
    config->entry_timeout = 0;
    config->attr_timeout = 0;
    config->negative_timeout = 0;
    return fuse_get_context()->private_data;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) return 2;
    parentAtStart = getppid();
    // The test that started us may die without unmounting: end with it.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    std::signal(SIGUSR1, [](int) { isReleased = true; });
    Settings settings{argv[1], std::chrono::milliseconds(std::atol(argv[3]))};
    fuse_operations operations{};
    operations.getattr = GetAttributes;
    operations.readdir = ReadFolder;
    operations.open = Open;
    operations.read = Read;
    operations.release = Release;
    operations.init = Start;
    std::string program = argv[0];
    std::string foreground = "-f";
    std::string options = "-oro,fsname=midtitle-slowfs";
    char* fuseArguments[] = {program.data(), foreground.data(), options.data(), argv[2], nullptr};
    return fuse_main(4, fuseArguments, &operations, &settings);
}
