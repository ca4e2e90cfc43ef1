#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FakeWindow.h"
#include "FolderReader.h"
#include "ListView.h"
#include "PathSeparator.h"
#include "DriveChoice.h"
#include "Views.h"

// A path the tests write as on Linux ("/m/a.mid"), as the system names it: "C:\\m\\a.mid" on Windows.
inline std::string Native(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
    path.erase(0, 1);
    return "C:\\" + path;
#else
    return path;
#endif
}

// A path or drive as the tests write it: "C:\\m" and "C:" on Windows read "/m" and "/".
inline std::string AsWritten(std::string text) {
#ifdef _WIN32
    if (text.starts_with("C:")) text.replace(0, text.size() > 2 && text[2] == '\\' ? 3 : 2, "/");
    std::replace(text.begin(), text.end(), '\\', '/');
#endif
    return text;
}

// A disk the tests write: "/a/b/" a folder, "/a/x.mid" a file; folders listed through a gate when slow. Workers
// left waiting at a gate when a test ends share what they read with it, so nothing they touch goes before them.
class FakeDisk {
public:
    // Entries by full path, separated by spaces: "/m/ /m/a.mid /m/sub/".
    void Make(const std::string& entries) {
        const std::lock_guard lock(disk_->mutex);
        std::istringstream words(entries);
        for (std::string entry; words >> entry;) {
            const bool isFolder = entry.ends_with('/');
            if (isFolder) entry.pop_back();
            for (auto slash = entry.find('/', 1); slash != entry.npos; slash = entry.find('/', slash + 1))
                disk_->folders.insert(Native(entry.substr(0, slash)));
            (isFolder ? disk_->folders : disk_->files).insert(Native(entry));
        }
    }
    void Remove(std::string path) {
        path = Native(path);
        const std::lock_guard lock(disk_->mutex);
        for (auto* paths : {&disk_->folders, &disk_->files})
            std::erase_if(*paths, [&](const std::string& p) { return p == path || p.starts_with(path + kSeparator); });
    }
    void Lock(const std::string& folder) { const std::lock_guard lock(disk_->mutex); disk_->locked.insert(Native(folder)); }
    // Listings of folder wait at the gate named after it until the test lets them through.
    void Slow(const std::string& folder) { const std::lock_guard lock(disk_->mutex); disk_->slow.insert(Native(folder)); }
    bool Release(const std::string& folder) { return disk_->gates.Release(Native(folder)); }
    Gates& Gate() { return disk_->gates; }

    Services::ListFolderFunction Lister() const {
        return [disk = disk_](const std::string& folder, const Runtime::NamePattern& pattern, Runtime::ListedKinds kinds) {
            bool isSlow = false;
            {
                const std::lock_guard lock(disk->mutex);
                isSlow = disk->slow.contains(folder);
            }
            if (isSlow) disk->gates.Pass(folder);
            return disk->List(folder, pattern, kinds);
        };
    }

private:
    static constexpr char kSeparator = Runtime::kPathSeparator;
    struct Disk {
        Services::FolderListing List(const std::string& folder, const Runtime::NamePattern& pattern, Runtime::ListedKinds kinds) {
            const std::lock_guard lock(mutex);
            Services::FolderListing listing{folder, {}, {}};
            if (folder != Native("/") && !folders.contains(folder)) listing.Failure = Runtime::MakeError(Runtime::kPathNotFound);
            if (locked.contains(folder)) listing.Failure = Runtime::MakeError(Runtime::kAccessDenied);
            if (listing.Failure) return listing;
            const std::string prefix = folder == Native("/") ? folder : folder + kSeparator;
            const auto inside = [&](const std::string& path) {
                return path != folder && path.starts_with(prefix) && path.find(kSeparator, prefix.size()) == path.npos;
            };
            const auto entry = [&](const std::string& path) {
                return Runtime::DirectoryEntry{path.substr(prefix.size()), path.substr(prefix.size())};
            };
            if (kinds != Runtime::ListedKinds::Files)
                for (const auto& path : folders) if (inside(path)) listing.Contents.Folders.push_back(entry(path));
            if (kinds != Runtime::ListedKinds::Folders)
                for (const auto& path : files) if (inside(path) && pattern.Matches(entry(path).NativeName)) listing.Contents.Files.push_back(entry(path));
            for (auto* entries : {&listing.Contents.Folders, &listing.Contents.Files})
                std::sort(entries->begin(), entries->end(), [](const auto& a, const auto& b) {
                    return Runtime::SortKeyIgnoringCase(a.DisplayName) < Runtime::SortKeyIgnoringCase(b.DisplayName);
                });
            return listing;
        }

        std::mutex mutex;
        std::set<std::string> folders{Native("/")}, files, locked, slow;
        Gates gates;
    };
    std::shared_ptr<Disk> disk_ = std::make_shared<Disk>();
};

// Dir1 or File1 as a list control holds it: the rows, one selected, a caret, a top row, a look.
struct FakeList : Window::ListView {
    void ShowRows(std::span<const Window::Row> shown) override { rows = shown, selected = caret = -1, top = shown.empty() ? -1 : 0; }
    int Selected() const override { return selected; }
    void Select(int row) override { selected = caret = row; }
    void PlaceCaret(int row) override { caret = row; }
    int TopRow() const override { return top; }
    void ScrollToTop(int row) override { top = row; }
    void ShowReading(bool isReading) override { reading = isReading; }

    // The rows' names, separated by spaces; the selected one in brackets.
    std::string Names() const {
        std::string names;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const std::string name = AsWritten(rows[row].Entry.DisplayName);
            names += (row ? " " : "") + (int(row) == selected ? "[" + name + "]" : name);
        }
        return names;
    }

    std::span<const Window::Row> rows;
    int selected = -1, caret = -1, top = -1;
    bool reading = false;
};

// Drive1: the volumes shown, and which one.
struct FakeDrive : Window::DriveView {
    void ShowVolumes(std::span<const Runtime::Volume> volumes) override {
        texts.clear();
        for (const auto& volume : volumes) texts.push_back(Window::DriveText(volume));
    }
    void ShowDrive(int index) override { shown = index; }
    std::string Text() const { return shown >= 0 && shown < int(texts.size()) ? AsWritten(texts[std::size_t(shown)]) : ""; }
    std::vector<std::string> texts;
    int shown = -1;
};

// Text1 and the window around the controls: the reports put into the box, the failures told, the timer asked for.
struct FakeHost : Window::ReportView, Window::WindowHost {
    void ShowReport(const std::string& text) override { reports.push_back(text); }
    void ShowFailure(const Runtime::RuntimeError& error) override { failures += (failures.empty() ? "" : " ") + std::to_string(error.Number); }
    void StartTimer(Timer, std::chrono::milliseconds) override { ++timers; }
    std::vector<std::string> reports;
    std::string failures;
    int timers = 0;
};
