#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "PathText.h"
#include "Run.h"

// One in-process run of midtitle-cli and what it wrote.
struct CliResult {
    int status = 0;
    std::string out;
    std::string err;
};

inline CliResult RunCli(const std::vector<std::string>& arguments, const Cli::RunContext& context = {}) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Cli::Run(arguments, out, err, context);
    return {status, out.str(), err.str()};
}

inline std::string Utf8(const std::filesystem::path& path) { return Runtime::Utf8FromPath(path); }
