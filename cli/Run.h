#pragma once

#include <ostream>
#include <span>
#include <string>

#include "CollectionWalk.h"

namespace Cli {

// What Run takes from the world beyond its arguments and streams.
struct RunContext {
    bool isErrorTerminal = false;  // progress is shown only to a person
    unsigned cores = 1;            // the default for --jobs
    FolderReader readFolder = [](std::string_view folder, const Runtime::NamePattern& pattern) {
        return Runtime::ReadFolder(folder, pattern);
    };
};

// The whole program on the given streams: arguments without the program's
// name in, exit status out (0 all read, 1 a path or folder could not be
// read, 2 a usage error).
int Run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err, const RunContext& context = {});

}  // namespace Cli
