#pragma once

#include <filesystem>

// Writes the reader's benchmark files into folder and registers the
// benchmarks that read them, each beside a baseline of plain OS calls on the
// same bytes. The folder must outlive the run.
void RegisterReaderBenchmarks(const std::filesystem::path& folder);
