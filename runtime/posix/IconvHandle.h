#pragma once

#include <iconv.h>

#include "../OwnedHandle.h"
#include "../RuntimeError.h"

namespace Runtime {

struct IconvKind {
    using Handle = iconv_t;
    static iconv_t Empty() noexcept { return reinterpret_cast<iconv_t>(-1); }
    static void Close(iconv_t handle) noexcept { ::iconv_close(handle); }
};

// Owns one iconv conversion descriptor; never empty.
class IconvHandle : public OwnedHandle<IconvKind> {
public:
    IconvHandle(const char* to, const char* from) : OwnedHandle(::iconv_open(to, from)) {
        if (!IsOpen()) throw MakeError(kUnknownFailure);
    }
};

}  // namespace Runtime
