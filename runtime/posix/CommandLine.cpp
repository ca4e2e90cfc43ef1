#include "../CommandLine.h"

namespace Runtime {

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv, argv + argc}; }

}  // namespace Runtime
