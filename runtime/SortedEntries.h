#pragma once

#include <vector>

#include "DirectoryListing.h"

namespace Runtime {

// The entries by their readable names ignoring case, as every platform's
// listing gives them; names that differ in case alone keep one order by
// their native bytes.
std::vector<DirectoryEntry> SortedIgnoringCase(std::vector<DirectoryEntry> entries);

}  // namespace Runtime
