#include "Csv.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace vtg::shell {

namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when s is exactly digits with an optional fraction and exponent (no sign, no hex).
bool IsDecimal(std::string_view s) {
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (i == s.size() || !IsDigit(s[i])) return false;
        while (i < s.size() && IsDigit(s[i])) ++i;
    }
    return i == s.size();
}

// Splits records field by field, keeping the line each record starts on for messages.
class RecordReader {
public:
    explicit RecordReader(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    int StartLine() const { return startLine_; }

    // The fields of the next record; blanks around unquoted fields are dropped.
    std::vector<std::string> Next() {
        startLine_ = line_;
        std::vector<std::string> fields(1);
        std::vector<bool> quoted(1, false);
        while (!AtEnd()) {
            const char c = text_[pos_];
            if (c == '\n' || c == '\r') {
                EndOfLine();
                break;
            }
            ++pos_;
            if (c == ',') {
                fields.emplace_back();
                quoted.push_back(false);
            } else if (c == '"' && !quoted.back() && TrimBlanks(fields.back()).empty()) {
                fields.back() = Quoted();
                quoted.back() = true;
            } else {
                fields.back() += c;
            }
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (!quoted[i]) fields[i] = std::string(TrimBlanks(fields[i]));
        }
        return fields;
    }

private:
    void EndOfLine() {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }

    // The rest of a quoted field after its opening quote, up to the separator or line end.
    std::string Quoted() {
        std::string out;
        while (!AtEnd()) {
            const char c = text_[pos_++];
            if (c == '\n') ++line_;
            if (c != '"') {
                out += c;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == '"') {
                out += '"';
                ++pos_;
                continue;
            }
            while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
            if (!AtEnd() && text_[pos_] != ',' && text_[pos_] != '\n' && text_[pos_] != '\r') {
                throw CsvError("line " + std::to_string(line_) + ": text after a closing quote");
            }
            return out;
        }
        throw CsvError("line " + std::to_string(startLine_) + ": a quoted field is not closed");
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int startLine_ = 1;
};

bool IsBlankRecord(const std::vector<std::string>& fields) {
    return fields.size() == 1 && fields[0].empty();
}

}  // namespace

double CsvNumber(std::string_view cell) {
    std::string_view s = TrimBlanks(cell);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (!IsDecimal(s)) return kMissingValue;
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return kMissingValue;
    return negative ? -value : value;
}

CsvTable ParseCsv(std::string_view text) {
    RecordReader reader(text);
    CsvTable table;
    while (!reader.AtEnd() && table.header.empty()) {
        std::vector<std::string> fields = reader.Next();
        if (IsBlankRecord(fields)) continue;
        if (fields.size() < 2) {
            throw CsvError("line " + std::to_string(reader.StartLine()) +
                           ": the header needs at least two columns (the independent variable and one more)");
        }
        table.header = std::move(fields);
    }
    if (table.header.empty()) throw CsvError("the file has no header row");
    while (!reader.AtEnd()) {
        const std::vector<std::string> fields = reader.Next();
        if (IsBlankRecord(fields)) continue;
        if (fields.size() > table.header.size()) {
            throw CsvError("line " + std::to_string(reader.StartLine()) + ": " + std::to_string(fields.size()) +
                           " fields, but the header has " + std::to_string(table.header.size()));
        }
        std::vector<double> row(table.header.size(), kMissingValue);
        for (std::size_t i = 0; i < fields.size(); ++i) row[i] = CsvNumber(fields[i]);
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace vtg::shell
