#include "Run.h"

#include <new>

#include "FolderWalk.h"
#include "LineEnd.h"
#include "Options.h"
#include "OrderedOutput.h"
#include "PrintableName.h"
#include "Progress.h"
#include "ReadingPool.h"
#include "ResultWriter.h"

namespace Cli {

namespace {

// How many files the walk lists ahead of the output: enough to keep every
// reader busy across the end of a folder, few enough that memory holds a
// few folders' files, never the collection.
constexpr std::size_t kMostAhead = 4096;

// The end of a run whose output failed: quiet when the reader of a pipe has
// gone (| head), told on err for anything else. The rows written before
// may be cut short, so the status says so.
int EndOnFailedOutput(std::ostream& err, const std::optional<Runtime::WriteFailure>& failure, int status) {
    if (failure && failure->IsClosedPipe) return status;
    err << "midtitle-cli: 標準出力に書けません: ";
    if (failure) {
        err << failure->Error.Message() << "（システムのエラー " << failure->SystemNumber << ": " << failure->SystemText
            << "）";
    } else {
        err << Runtime::MakeError(Runtime::kUnknownFailure).Message();
    }
    err << kLineEnd << std::flush;
    return 1;
}

int EndOnFailure(std::ostream& out, std::ostream& err, Progress& progress, const Runtime::RuntimeError& error) {
    out << std::flush;
    progress.Clear();
    err << "midtitle-cli: " << error.Message() << kLineEnd << std::flush;
    return 1;
}

}  // namespace

int Run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err, const RunContext& context) {
    const ParsedArguments parsed = ParseArguments(arguments, context.cores);
    if (!parsed.options) {
        out << parsed.output << std::flush;
        err << parsed.error << std::flush;
        return parsed.exitStatus;
    }
    const Options& options = *parsed.options;

    ResultWriter writer(out, options.format, options.byteOrderMark);
    Progress progress(err, context.isErrorTerminal && !context.isOutputTerminal, context.progressQuietStart);
    int status = 0;
    try {
        OrderedOutput output(writer, progress, err);
        Services::ReadingPool pool(options.jobs, {[&output](std::uint64_t id, MIDTitle::MidReading reading) {
                                       return output.Deliver(id, std::move(reading));
                                   }, {}});
        const auto listed = [&](Services::ListedFiles files) {
            pool.Add(output.Add(std::move(files)));
            output.WaitUntilWritten(kMostAhead);
            return !output.HasStopped();
        };
        const auto failed = [&output](std::string_view path, const Runtime::RuntimeError& error) {
            output.TellFailure(path, error);
        };
        Services::FolderWalk walk({Runtime::NamePattern(options.pattern), options.recursive, options.followLinks},
                                  {listed, failed}, context.readFolder);
        writer.WriteHeader();
        for (const std::string& path : options.paths) {
            if (output.HasStopped() || !writer.IsWritable()) break;
            // Any path printed is taken back.
            walk.Walk(Runtime::NativePathOfPrinted(path));
        }
        output.WaitUntilWritten(0);
        output.RethrowOnCaller();
        out << std::flush;
        status = output.HasFailed() ? 1 : 0;
    } catch (const std::bad_alloc&) {
        // A folder too large for memory ends the walk; what was written stays.
        status = EndOnFailure(out, err, progress, Runtime::MakeError(Runtime::kOutOfMemory));
    } catch (const Runtime::RuntimeError& error) {
        // The system lacks what printing a name needs (code page 932).
        status = EndOnFailure(out, err, progress, error);
    }
    progress.Clear();
    return out ? status : EndOnFailedOutput(err, context.outputFailure(), status);
}

}  // namespace Cli
