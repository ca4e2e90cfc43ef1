#include "Run.h"

#include <new>

#include "LineEnd.h"
#include "Options.h"
#include "Progress.h"
#include "ReadingPool.h"
#include "ResultWriter.h"

namespace Cli {

int Run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err, const RunContext& context) {
    const ParsedArguments parsed = ParseArguments(arguments, context.cores);
    if (!parsed.options) {
        out << parsed.output << std::flush;
        err << parsed.error << std::flush;
        return parsed.exitStatus;
    }
    const Options& options = *parsed.options;

    ResultWriter writer(out, options.format);
    Progress progress(err, context.isErrorTerminal);
    try {
        ReadingPool pool(options.jobs);
        CollectionWalk walk(options, writer, pool, progress, err, context.readFolder);
        writer.WriteHeader();
        for (const std::string& path : options.paths) {
            if (walk.HasStopped() || !writer.IsWritable()) break;
            walk.WalkNamedPath(path);
        }
        out << std::flush;
        progress.Clear();
        return walk.HasFailed() ? 1 : 0;
    } catch (const std::bad_alloc&) {
        // A folder too large for memory ends the walk; what was written stays.
        out << std::flush;
        progress.Clear();
        err << "midtitle-cli: " << Runtime::MakeError(Runtime::kOutOfMemory).Message() << kLineEnd << std::flush;
        return 1;
    }
}

}  // namespace Cli
