#pragma once

#include <string>
#include <string_view>

// The native path that a readable path (as the lists' path property reads)
// stands for. The lists show a folder whose name is not UTF-8 by its name
// read as code page 932, so that readable name is looked up among the
// folders of the one above; a part that is there under its own bytes is
// taken as it is, and one found nowhere is kept as written, for opening it
// to fail as any missing folder does. Reads each folder along the path: for
// the property's setter, not for every listing.
std::string NativePathOf(std::string_view readablePath);
