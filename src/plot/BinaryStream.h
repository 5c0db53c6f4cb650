#pragma once
// Little-endian binary values for the control's stream image: a writer that appends to a
// byte vector and a reader that never reads past its input. Every read checks the bytes left;
// counts and string lengths are checked against what the remaining bytes could hold and
// against a sane limit, so a truncated or hostile stream ends in StreamError instead of a huge
// allocation or an over-read.
//
// Strings use the archive form: a length byte, or 0xFF and a 16-bit length, or 0xFF, 0xFFFF
// and a 32-bit length; then the bytes (UTF-8).

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vtg {

// The CRC-32 (IEEE 802.3, as zip and PNG use it) of data: the stream image ends with it, so
// that damaged bytes are found before anything is read.
std::uint32_t Crc32(std::span<const std::uint8_t> data);

class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class BinaryWriter {
public:
    void U8(std::uint8_t v);
    void U16(std::uint16_t v);
    void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void U64(std::uint64_t v);
    void I64(std::int64_t v) { U64(static_cast<std::uint64_t>(v)); }
    void F32(float v);
    void F64(double v);
    void String(std::string_view s);

    const std::vector<std::uint8_t>& Data() const { return data_; }
    std::vector<std::uint8_t> Take() { return std::move(data_); }

private:
    std::vector<std::uint8_t> data_;
};

class BinaryReader {
public:
    // Strings longer than this are taken for corruption.
    static constexpr std::size_t kMaxStringLength = 1u << 20;

    explicit BinaryReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::uint8_t U8();
    std::uint16_t U16();
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::uint32_t U32();
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint64_t U64();
    std::int64_t I64() { return static_cast<std::int64_t>(U64()); }
    float F32();
    double F64();
    std::string String();

    // A count read from the stream, of items that take at least minItemBytes each: fails
    // when it is negative, above limit, or more than the remaining bytes could hold. what
    // names the count in the message.
    std::size_t Count(std::int64_t raw, std::size_t minItemBytes, std::size_t limit, const char* what) const;

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }

private:
    const std::uint8_t* Take(std::size_t n, const char* what);

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

}  // namespace vtg
