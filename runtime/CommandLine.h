#pragma once

#include <string>
#include <vector>

namespace Runtime {

// The program's arguments in UTF-8, the program's own name first. Here they
// are argv's bytes; on Windows argv holds the ANSI code page, which loses
// every character outside it, so the UTF-16 command line is read instead.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace Runtime
