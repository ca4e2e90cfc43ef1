#include "FolderWatch.h"

#include <sys/inotify.h>

#include <array>
#include <cerrno>
#include <string>

#include "FileDescriptor.h"

namespace Runtime {

namespace {

// Entries made, removed, renamed or their rights changed (hiding a file
// renames it); the folder itself removed, renamed or its rights changed.
constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF |
                                   IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

struct FolderWatch::Watched {
    FileDescriptor events{::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)};
    std::string folder;
    int watch = -1;  // -1: not watching
};

FolderWatch::FolderWatch() : watched_(std::make_unique<Watched>()) {}
FolderWatch::FolderWatch(FolderWatch&&) noexcept = default;
FolderWatch& FolderWatch::operator=(FolderWatch&&) noexcept = default;
FolderWatch::~FolderWatch() = default;

void FolderWatch::Watch(std::string_view folder) {
    Watched& w = *watched_;
    if (folder == w.folder && w.watch != -1) return;
    if (w.watch != -1) ::inotify_rm_watch(w.events.Get(), w.watch);
    w.folder = folder;
    // Names are bytes here: a folder whose name is not UTF-8 is watched too.
    w.watch = w.events.IsOpen() ? ::inotify_add_watch(w.events.Get(), w.folder.c_str(), kChanges) : -1;
}

bool FolderWatch::HasChanged() {
    Watched& w = *watched_;
    if (!w.events.IsOpen()) return false;
    bool hasChanged = false;
    alignas(inotify_event) std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t got = ::read(w.events.Get(), buffer.data(), buffer.size());
        if (got <= 0) {
            if (got == -1 && errno == EINTR) continue;
            break;  // EAGAIN: every event read
        }
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            if (event->wd == w.watch) {
                hasChanged = true;
                // The folder went, and its watch with it.
                if ((event->mask & IN_IGNORED) != 0) w.watch = -1;
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return hasChanged;
}

}  // namespace Runtime
