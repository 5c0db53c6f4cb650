#pragma once
// Comma-separated tables with a header row, as spreadsheets and process historians export
// them: fields may be quoted ("" inside quotes is one quote, and quoted fields may span
// lines), lines end in LF or CRLF, and a UTF-8 byte-order mark is skipped. Cells that are
// empty or not numbers become the missing value, so a gap in a logged series stays a gap.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vtg::shell {

inline constexpr double kMissingValue = 1e28;

class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CsvTable {
    std::vector<std::string> header;
    // One entry per data row, each as wide as the header; short rows are padded as missing.
    std::vector<std::vector<double>> rows;
};

// Throws CsvError naming the line for: no header, a header of fewer than two columns, a row
// wider than the header, a quote left open, or text after a closing quote.
CsvTable ParseCsv(std::string_view text);

// A cell's number: a C-style decimal (blanks around it allowed); kMissingValue for anything
// else, including infinities and NaN, which the plot could not place.
double CsvNumber(std::string_view cell);

}  // namespace vtg::shell
