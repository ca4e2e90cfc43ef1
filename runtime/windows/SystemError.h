#pragma once

#include "../RuntimeError.h"

namespace Runtime {

// Maps a GetLastError code from a failed file operation to a RuntimeError
// with the same number and Japanese description Linux gives for the cause.
RuntimeError ErrorFromWin32(unsigned long error);

}  // namespace Runtime
