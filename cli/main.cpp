// midtitle-cli: the reports of whole collections of MIDI files, on the
// command line.
#include <ostream>
#include <span>
#include <thread>

#include "CommandLine.h"
#include "Run.h"
#include "StandardStream.h"
#include "StandardStreamBuffer.h"

int main(int argc, char** argv) {
    Runtime::ReportClosedPipesAsErrors();
    const std::vector<std::string> arguments = Runtime::CommandLineArguments(argc, argv);
    Cli::StandardStreamBuffer outBuffer(Runtime::StandardStreamKind::Output);
    Cli::StandardStreamBuffer errBuffer(Runtime::StandardStreamKind::Error);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    Cli::RunContext context;
    context.isOutputTerminal = outBuffer.IsTerminal();
    context.isErrorTerminal = errBuffer.IsTerminal();
    context.outputFailure = [&outBuffer] { return outBuffer.Failure(); };
    context.cores = std::max(1u, std::thread::hardware_concurrency());
    return Cli::Run(std::span(arguments).subspan(arguments.empty() ? 0 : 1), out, err, context);
}
