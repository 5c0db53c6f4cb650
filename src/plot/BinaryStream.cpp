#include "plot/BinaryStream.h"

#include <array>
#include <bit>
#include <cstring>

namespace vtg {

namespace {

// The 16-bit length 0xFFFE marks a wide-character string in the archive form; this stream
// never writes one.
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kLongMarker = 0xFFFF;

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t b : data) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void BinaryWriter::U8(std::uint8_t v) { data_.push_back(v); }

void BinaryWriter::U16(std::uint16_t v) {
    data_.push_back(static_cast<std::uint8_t>(v));
    data_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void BinaryWriter::U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) data_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void BinaryWriter::U64(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) data_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void BinaryWriter::F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }

void BinaryWriter::F64(double v) { U64(std::bit_cast<std::uint64_t>(v)); }

void BinaryWriter::String(std::string_view s) {
    if (s.size() < 0xFF) {
        U8(static_cast<std::uint8_t>(s.size()));
    } else if (s.size() < kWideMarker) {
        U8(0xFF);
        U16(static_cast<std::uint16_t>(s.size()));
    } else {
        U8(0xFF);
        U16(kLongMarker);
        U32(static_cast<std::uint32_t>(s.size()));
    }
    data_.insert(data_.end(), s.begin(), s.end());
}

const std::uint8_t* BinaryReader::Take(std::size_t n, const char* what) {
    if (n > Remaining()) {
        throw StreamError(std::string("the stream ends inside ") + what + " at byte " + std::to_string(pos_));
    }
    const std::uint8_t* p = data_.data() + pos_;
    pos_ += n;
    return p;
}

std::uint8_t BinaryReader::U8() { return *Take(1, "a byte"); }

std::uint16_t BinaryReader::U16() {
    const std::uint8_t* p = Take(2, "a 16-bit value");
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t BinaryReader::U32() {
    const std::uint8_t* p = Take(4, "a 32-bit value");
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

std::uint64_t BinaryReader::U64() {
    const std::uint8_t* p = Take(8, "a 64-bit value");
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

float BinaryReader::F32() { return std::bit_cast<float>(U32()); }

double BinaryReader::F64() { return std::bit_cast<double>(U64()); }

std::string BinaryReader::String() {
    const std::size_t start = pos_;
    std::size_t length = U8();
    if (length == 0xFF) {
        length = U16();
        if (length == kWideMarker) {
            throw StreamError("wide-character string at byte " + std::to_string(start) + " is not supported");
        }
        if (length == kLongMarker) length = U32();
    }
    if (length > kMaxStringLength) {
        throw StreamError("string of " + std::to_string(length) + " bytes at byte " + std::to_string(start) +
                          " is longer than any text the control writes");
    }
    const std::uint8_t* p = Take(length, "a string");
    return std::string(reinterpret_cast<const char*>(p), length);
}

std::size_t BinaryReader::Count(std::int64_t raw, std::size_t minItemBytes, std::size_t limit, const char* what) const {
    if (raw < 0) throw StreamError(std::string(what) + " is negative (" + std::to_string(raw) + ")");
    const auto n = static_cast<std::uint64_t>(raw);
    if (n > limit) {
        throw StreamError(std::string(what) + " " + std::to_string(n) + " exceeds the limit of " + std::to_string(limit));
    }
    if (minItemBytes > 0 && n > Remaining() / minItemBytes) {
        throw StreamError(std::string(what) + " " + std::to_string(n) + " needs more bytes than the stream has left");
    }
    return static_cast<std::size_t>(n);
}

}  // namespace vtg
