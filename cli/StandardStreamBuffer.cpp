#include "StandardStreamBuffer.h"

namespace Cli {

StandardStreamBuffer::StandardStreamBuffer(Runtime::StandardStreamKind kind) : stream_(kind) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

StandardStreamBuffer::~StandardStreamBuffer() { Drain(); }

bool StandardStreamBuffer::Drain() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    // Once a write has failed nothing more goes out, and all later writes
    // fail too, so the program sees the end as soon as it writes again.
    if (!failure_ && pending > 0) failure_ = stream_.Write({pbase(), pending});
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return !failure_;
}

StandardStreamBuffer::int_type StandardStreamBuffer::overflow(int_type c) {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int StandardStreamBuffer::sync() { return Drain() ? 0 : -1; }

}  // namespace Cli
