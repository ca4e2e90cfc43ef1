#pragma once

#include <string>
#include <string_view>

namespace Runtime {

// The absolute native path of what the system opens for path, a path as a
// person gave it: a relative path is taken from the current folder, and
// "." and repeated separators are dropped. ".." leads where the system
// takes it: to the parent of the folder reached so far, through any link
// on the way (here the system resolves that part; Windows itself reads
// ".." in the text). No separator at the end but on a root.
std::string AbsolutePathAsOpened(std::string_view path);

}  // namespace Runtime
