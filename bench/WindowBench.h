#pragma once

#include <QApplication>

#include <filesystem>
#include <memory>
#include <optional>

// The window on the tests' slow FUSE disk, mounted inside folder: see SlowDiskBench.cpp.
void RegisterSlowDiskBenchmarks(const std::filesystem::path& folder);

// The window's benchmarks, on Form1 drawn offscreen: listing a folder of
// 100 000 files and 1 000 folders beside plain OS calls reading the same
// folder, one mouse move over File1 (read, compose, compare) with 10 and
// with 100 000 names listed, and the window on a slow disk. Owns the
// QApplication they need, so it must outlive the run; the big folder is
// made the first time a benchmark asks for it, inside folder.
class WindowBenchmarks {
public:
    WindowBenchmarks(int& argc, char** argv, const std::filesystem::path& folder);
    WindowBenchmarks(const WindowBenchmarks&) = delete;
    WindowBenchmarks& operator=(const WindowBenchmarks&) = delete;
    ~WindowBenchmarks();

private:
    const std::filesystem::path& bigFolder();

    std::unique_ptr<QApplication> application_;
    std::filesystem::path folder_;
    std::optional<std::filesystem::path> bigFolder_;
};
