#pragma once

#include <filesystem>
#include <map>
#include <optional>

// The title list through its core, with no window: filling it with 10 000
// and 100 000 songs beside `midtitle-cli -r --format tsv` on the same
// folders in the same run, its memory a row, and a keystroke of the filter
// at 100 000 rows. The collections are made the first time a benchmark
// asks for them, inside folder, which must outlive the run.
class CatalogueBenchmarks {
public:
    explicit CatalogueBenchmarks(const std::filesystem::path& folder);
    CatalogueBenchmarks(const CatalogueBenchmarks&) = delete;
    CatalogueBenchmarks& operator=(const CatalogueBenchmarks&) = delete;

private:
    const std::filesystem::path& collection(int songs);

    std::filesystem::path folder_;
    std::map<int, std::filesystem::path> collections_;
};
