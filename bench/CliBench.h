#pragma once

#include <filesystem>
#include <optional>

// midtitle-cli on a collection of 100 000 files in 100 folders: as tsv on
// 1, 2, 4, 8 and 16 threads, with the files in the cache and with every
// cache dropped first (as root), beside a plain C loop over the same files
// (readdir, stat, open, one read, close), and the program's peak memory.
// Also GetMidInfo beside the five system calls it makes (stat, open, fstat,
// pread, close) written in plain C. The collection is made the first time a
// benchmark asks for it, inside folder, which must outlive the run.
class CliBenchmarks {
public:
    explicit CliBenchmarks(const std::filesystem::path& folder);
    CliBenchmarks(const CliBenchmarks&) = delete;
    CliBenchmarks& operator=(const CliBenchmarks&) = delete;

private:
    const std::filesystem::path& collection();

    std::filesystem::path folder_;
    std::optional<std::filesystem::path> collection_;
};
