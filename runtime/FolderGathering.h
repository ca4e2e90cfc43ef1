#pragma once

#include <chrono>

namespace Runtime {

// A watched folder's changes are gathered for a while before its list reads
// it again: twice as long as the last listing took, within these bounds,
// so changes show within a second, listing included. Both windows' folder
// watches go by them.
inline constexpr std::chrono::milliseconds kShortestFolderGathering{150};
inline constexpr std::chrono::milliseconds kLongestFolderGathering{600};

}  // namespace Runtime
