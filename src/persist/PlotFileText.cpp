// Reading plot script and plot data files: the file, the text check, lines and conversions.
#include "persist/PlotFileText.h"

#include <locale.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

namespace vtg {

namespace {

// Length of the UTF-8 sequence that starts at s[i], 0 when it is not a valid one.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    unsigned min = 0;
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    unsigned code = b & (0xFFu >> (n + 1));
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        code = (code << 6) | (c & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < min || code > 0x10FFFF || surrogate ? 0 : n;
}

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

}  // namespace

std::string PlotFileProblem::What() const {
    return lineNumber > 0 ? "line " + std::to_string(lineNumber) + ": " + reason : reason;
}

std::variant<std::string, PlotFileProblem> ReadPlotFile(const std::string& path, const PlotFileLimits& limits) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return PlotFileProblem{0, "the file does not exist or cannot be reached"};
    if (!fs::is_regular_file(status)) return PlotFileProblem{0, "not a regular file"};
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return PlotFileProblem{0, "the file size cannot be read"};
    if (size > limits.maxFileBytes) {
        return PlotFileProblem{0, "the file is larger than " + std::to_string(limits.maxFileBytes) + " bytes"};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return PlotFileProblem{0, "the file cannot be opened for reading"};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    // A file that shrank while it was read keeps what was there.
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return PlotFileProblem{0, "the file cannot be read"};
    return bytes;
}

std::optional<PlotFileProblem> CheckPlotText(std::string_view text, const PlotFileLimits& limits) {
    if (text.size() > limits.maxFileBytes) {
        return PlotFileProblem{0, "the file is larger than " + std::to_string(limits.maxFileBytes) + " bytes"};
    }
    int line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\0') return PlotFileProblem{line, "a NUL byte: not a text file"};
        const std::size_t n = Utf8Length(text, i);
        if (n == 0) return PlotFileProblem{line, "bytes that are not UTF-8 text"};
        if (c == '\n') {
            ++line;
            lineStart = i + 1;
        } else if (i + n - lineStart > limits.maxLineBytes) {
            return PlotFileProblem{line, "the line is longer than " + std::to_string(limits.maxLineBytes) + " bytes"};
        }
        i += n;
    }
    return std::nullopt;
}

bool PlotFileLines::Next(std::string_view& line) {
    if (at_ >= text_.size()) return false;
    const std::size_t end = text_.find('\n', at_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(at_, stop - at_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++lineNumber_;
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view SkipBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

double ScanNumber(std::string_view s, std::size_t& used) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    std::size_t end = i;
    while (end < s.size() && !IsBlank(s[end])) ++end;
    used = end;
    // The conversion needs a terminated copy; it runs in the C locale so that a host's locale
    // cannot turn "1.5" into 1.
    const std::string token(s.substr(i, end - i));
    return strtod_l(token.c_str(), nullptr, CLocale());
}

std::optional<std::int64_t> ScanInteger(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (IsBlank(s[i]) || s[i] == '\n')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::uint64_t magnitude = 0;
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        const auto d = static_cast<std::uint64_t>(s[i] - '0');
        if (magnitude > (kLimit - d) / 10) return std::nullopt;
        magnitude = magnitude * 10 + d;
    }
    if (magnitude == kLimit) {
        if (!negative) return std::nullopt;
        return std::numeric_limits<std::int64_t>::min();
    }
    const auto v = static_cast<std::int64_t>(magnitude);
    return negative ? -v : v;
}

std::string CutToCharacters(std::string_view s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) return std::string(s);
    std::size_t cut = maxBytes;
    // Back off over continuation bytes to the start of the character that would be split.
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
    return std::string(s.substr(0, cut));
}

bool IsPlotScriptName(std::string_view name) { return name.size() > 1 && name.find(".ply", 1) != std::string_view::npos; }

}  // namespace vtg
