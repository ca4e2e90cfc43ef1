#pragma once

#include <string>
#include <string_view>

#include "MIDTitle.h"

// The seven-line report shown for one file, each line ending in CR LF.
std::string ComposeReport(std::string_view fullPath, const MIDTitle::MidInfo& info);
