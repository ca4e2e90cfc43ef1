#pragma once

#include <utility>

namespace Runtime {

// Owns one handle of the kind Kind describes: Kind::Handle its type,
// Kind::Empty() the value that holds nothing, Kind::Close(handle) what lets
// it go. Moving hands the handle over; there are no copies, and the close
// is never retried (a descriptor may already be someone else's).
template <typename Kind>
class OwnedHandle {
public:
    using Handle = typename Kind::Handle;

    explicit OwnedHandle(Handle handle = Kind::Empty()) noexcept : handle_(handle) {}
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Kind::Empty())) {}
    OwnedHandle& operator=(OwnedHandle other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~OwnedHandle() {
        if (IsOpen()) Kind::Close(handle_);
    }

    bool IsOpen() const noexcept { return handle_ != Kind::Empty(); }
    Handle Get() const noexcept { return handle_; }
    // Hands the handle to a caller that lets go of it itself.
    Handle Release() noexcept { return std::exchange(handle_, Kind::Empty()); }

private:
    Handle handle_;
};

}  // namespace Runtime
