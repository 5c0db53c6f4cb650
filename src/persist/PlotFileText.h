#pragma once
// What the plot script and the plot data file readers share: reading the file, the whole-text
// check, logical lines and the number and text conversions of both formats.
//
// Both formats are plain text that users keep on disk and edit by hand, so every reader is
// bounded: the file, each line and (for the data file) the value table have limits, a file
// that is not text (NUL bytes, bytes that are not UTF-8) is refused before anything is
// applied, and no conversion can fail silently into undefined behaviour.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace vtg {

// Why a plot file cannot be used (or, for a reader's notes, why a line was skipped).
struct PlotFileProblem {
    int lineNumber = 0;          // 1-based; 0: the file as a whole
    std::string reason;
    // "line N: reason", or the reason alone for the whole file.
    std::string What() const;
};

struct PlotFileLimits {
    static constexpr std::size_t kDefaultMaxFileBytes = std::size_t{256} << 20;
    static constexpr std::size_t kDefaultMaxLineBytes = std::size_t{16} << 20;
    std::size_t maxFileBytes = kDefaultMaxFileBytes;
    std::size_t maxLineBytes = kDefaultMaxLineBytes;
};

// The file's bytes, or why they cannot be had. Only regular files are read: a device or a pipe
// could block the caller's thread without end.
std::variant<std::string, PlotFileProblem> ReadPlotFile(const std::string& path, const PlotFileLimits& limits);

// nullopt when text can be read line by line: within the limits, no NUL byte, UTF-8 throughout.
std::optional<PlotFileProblem> CheckPlotText(std::string_view text, const PlotFileLimits& limits);

// The logical lines of a text: a line break is LF or CR LF; one CR before the LF (or before the
// end of the text) is not part of the line.
class PlotFileLines {
public:
    explicit PlotFileLines(std::string_view text) : text_(text) {}
    // The next line and its 1-based number; false at the end of the text.
    bool Next(std::string_view& line);
    int LineNumber() const { return lineNumber_; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    int lineNumber_ = 0;
};

bool IsBlank(char c);
std::string_view SkipBlanks(std::string_view s);

// The standard string-to-double reading of the token that starts s after blanks: the longest
// prefix that is a number (in the C locale), 0 when none; used advances past the whole token,
// so a token that does not convert still makes progress. Overflow reads as infinity.
double ScanNumber(std::string_view s, std::size_t& used);
// The standard string-to-integer reading (blanks, a sign, digits up to the first non-digit):
// 0 when there are no digits, nullopt when the digits do not fit 64 bits.
std::optional<std::int64_t> ScanInteger(std::string_view s);

// The longest prefix of s of at most maxBytes that ends on a UTF-8 character boundary.
std::string CutToCharacters(std::string_view s, std::size_t maxBytes);

// A script name: ".ply" occurs in it after its first character (case-sensitive).
bool IsPlotScriptName(std::string_view name);

}  // namespace vtg
