#include "FileDescriptorBuf.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vtg::shell {

FileDescriptorBuf::int_type FileDescriptorBuf::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n > 0) {
            setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
            return traits_type::to_int_type(buffer_.front());
        }
        if (n == 0) return traits_type::eof();
        // A signal that arrives before any byte interrupts the read; it is tried again.
        if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "read");
    }
}

}  // namespace vtg::shell
