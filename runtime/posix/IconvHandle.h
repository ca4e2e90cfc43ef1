#pragma once

#include <iconv.h>

#include "../RuntimeError.h"

namespace Runtime {

// Owns one iconv conversion descriptor.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(::iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) throw MakeError(kUnknownFailure);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    ~IconvHandle() { ::iconv_close(handle_); }

    iconv_t get() const noexcept { return handle_; }

private:
    iconv_t handle_;
};

}  // namespace Runtime
