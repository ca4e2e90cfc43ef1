#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "FolderWalk.h"

namespace Cli {

enum class OutputFormat { Report, Tsv, Csv, Json };

struct Options {
    std::vector<std::string> paths;  // files and folders, as given
    bool recursive = false;
    bool followLinks = false;
    OutputFormat format = OutputFormat::Report;
    std::string pattern{Services::kFilePattern};
    unsigned jobs = 1;
    bool byteOrderMark = false;  // before csv, for Excel
};

// The outcome of reading the arguments: options to run with, or text for
// standard output (help, version) or standard error (a usage error) and the
// exit status to end with.
struct ParsedArguments {
    std::optional<Options> options;
    std::string output;
    std::string error;
    int exitStatus = 0;
};

inline constexpr int kUsageError = 2;

// arguments without the program's name; cores, the machine's, sets what -j
// means when it is not given.
ParsedArguments ParseArguments(std::span<const std::string> arguments, unsigned cores);

}  // namespace Cli
