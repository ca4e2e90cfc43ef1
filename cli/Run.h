#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "FolderWalk.h"
#include "StandardStream.h"

namespace Cli {

// What Run takes from the world beyond its arguments and streams.
struct RunContext {
    // Progress is drawn only for a person watching standard error while the
    // rows go elsewhere: it would land among them on a shared terminal.
    bool isOutputTerminal = false;
    bool isErrorTerminal = false;
    std::chrono::milliseconds progressQuietStart = std::chrono::seconds(1);
    unsigned cores = 1;  // the machine's, for the default of --jobs
    Services::FolderLister readFolder = Services::ReadWalkedFolder;
    // Why out stopped taking text, once it has; nothing when that is not known.
    std::function<std::optional<Runtime::WriteFailure>()> outputFailure = [] {
        return std::optional<Runtime::WriteFailure>();
    };
};

// The whole program on the given streams: arguments without the program's
// name in, exit status out (0 all read, 1 a path or folder could not be
// read or the output could not be written, 2 a usage error).
int Run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err, const RunContext& context = {});

}  // namespace Cli
