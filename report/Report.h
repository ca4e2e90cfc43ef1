#pragma once

#include <string>
#include <string_view>

#include "MIDTitle.h"

// The full path of fileName in folder: one separator between them, none
// added when folder already ends in one, as a root folder does.
std::string JoinFullPath(std::string_view folder, std::string_view fileName);

// The seven-line report shown for one file, each line ending in CR LF.
std::string ComposeReport(std::string_view fullPath, const MIDTitle::MidInfo& info);
