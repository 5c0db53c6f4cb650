#pragma once
// Reading an open file descriptor (standard input) as a stream buffer that reports failure.
// std::cin, tied to C stdio, takes a failed read (standard input that is a directory, an I/O
// error) for the end of the input, so a script that was never read would pass for an empty one.

#include <array>
#include <streambuf>

namespace vtg::shell {

class FileDescriptorBuf : public std::streambuf {
public:
    // The descriptor stays open: it belongs to the caller.
    explicit FileDescriptorBuf(int fd) : fd_(fd) {}

protected:
    // Throws std::system_error with the read's error code when the read fails.
    int_type underflow() override;

private:
    static constexpr std::size_t kBufferBytes = 64 * 1024;

    int fd_;
    std::array<char, kBufferBytes> buffer_{};
};

}  // namespace vtg::shell
