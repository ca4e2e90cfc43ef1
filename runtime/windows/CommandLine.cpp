#include "../CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "../WideText.h"

namespace Runtime {

namespace {

struct LocalFreer {
    void operator()(LPWSTR* arguments) const noexcept { ::LocalFree(arguments); }
};

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (!arguments) return {argv, argv + argc};  // out of memory: the ANSI form beats none
    std::vector<std::string> utf8;
    utf8.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) utf8.push_back(Utf8FromWide(arguments.get()[i]));
    return utf8;
}

}  // namespace Runtime
