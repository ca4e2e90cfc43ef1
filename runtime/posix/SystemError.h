#pragma once

#include "../RuntimeError.h"

namespace Runtime {

// Maps an errno value from a failed file operation to a RuntimeError.
RuntimeError ErrorFromErrno(int error);

}  // namespace Runtime
