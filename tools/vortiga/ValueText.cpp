#include "ValueText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace vtg::shell {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }

// Where a value token ends: names, numbers and TRUE/FALSE run up to one of these.
bool IsDelimiter(char c) { return IsSpace(c) || c == ',' || c == ')' || c == '('; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The C number grammar without hexadecimal: digits with an optional fraction and exponent.
// Returns the token's length, 0 when the text does not start with a number.
std::size_t NumberLength(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) ++j;
            i = j;
        }
    }
    return i;
}

// A number token already delimited. Integers become I4 when they fit, else R8.
Variant NumberValue(std::string_view token) {
    const bool negative = token.front() == '-';
    std::string_view body = token;
    if (token.front() == '+' || token.front() == '-') body.remove_prefix(1);
    const bool integral = body.find_first_of(".eE") == std::string_view::npos;
    if (integral) {
        std::int64_t magnitude = 0;
        const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), magnitude);
        if (ec == std::errc() && end == body.data() + body.size()) {
            const std::int64_t v = negative ? -magnitude : magnitude;
            if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max()) {
                return Variant(static_cast<std::int32_t>(v));
            }
        }
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec == std::errc::result_out_of_range) {
        throw SyntaxError("number " + std::string(token) + " is out of range for a double");
    }
    if (ec != std::errc() || end != body.data() + body.size()) {
        throw SyntaxError("bad number " + std::string(token));
    }
    return Variant(negative ? -value : value);
}

std::string ArrayText(const SafeArray2D& a) {
    std::string text = "{";
    const auto rows = static_cast<std::int64_t>(a.Count(1));
    const auto cols = static_cast<std::int64_t>(a.Dims() == 2 ? a.Count(2) : 1);
    for (std::int64_t i = 0; i < rows; ++i) {
        if (i > 0) text += a.Dims() == 2 ? "; " : ", ";
        for (std::int64_t j = 0; j < cols; ++j) {
            if (j > 0) text += ", ";
            const double v = a.Dims() == 2 ? a.At(a.LowerBound(1) + i, a.LowerBound(2) + j) : a.At(a.LowerBound(1) + i);
            text += a.ElementType() == VarType::R4 ? ShortestText(static_cast<float>(v)) : ShortestText(v);
        }
    }
    return text + "}";
}

// The length of the UTF-8 sequence that starts s and its code point; 0 when s does not start
// with a well-formed one (a stray continuation byte, a cut sequence, an overlong form, a
// surrogate or a value beyond U+10FFFF).
std::size_t Utf8Sequence(std::string_view s, char32_t& code) {
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const auto lead = static_cast<unsigned char>(s.front());
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead < 0xC2 || lead > 0xF4) return 0;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (s.size() < length) return 0;
    code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// Characters a terminal acts on rather than shows: the C0 and C1 controls and DEL, the line
// and paragraph separators, and the marks, embeddings, overrides and isolates that reorder
// bidirectional text (they can make a line read differently from what it holds).
bool ActsOnTheTerminal(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x061C || code == 0x200E || code == 0x200F ||
           (code >= 0x2028 && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

void AppendHex(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

// The one escaping of text for printing: \n \r \t for those, \xHH for every byte of anything
// else that is not printable UTF-8, so that the escapes read back (as a string) to the same
// bytes. Inside quotes, quotes and backslashes are escaped as well.
std::string EscapeText(std::string_view text, bool quoted) {
    std::string out;
    out.reserve(text.size() + 2);
    while (!text.empty()) {
        char32_t code = 0;
        const std::size_t length = Utf8Sequence(text, code);
        if (length == 0) {
            AppendHex(out, static_cast<unsigned char>(text.front()));
            text.remove_prefix(1);
            continue;
        }
        if (code == '\n') {
            out += "\\n";
        } else if (code == '\r') {
            out += "\\r";
        } else if (code == '\t') {
            out += "\\t";
        } else if (ActsOnTheTerminal(code)) {
            for (std::size_t i = 0; i < length; ++i) AppendHex(out, static_cast<unsigned char>(text[i]));
        } else {
            if (quoted && (code == '"' || code == '\\')) out += '\\';
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace

void TextCursor::SkipSpace() {
    while (!AtEnd() && IsSpace(text_[pos_])) ++pos_;
}

bool TextCursor::Accept(char c) {
    SkipSpace();
    if (Peek() != c) return false;
    ++pos_;
    return true;
}

void TextCursor::Expect(char c) {
    if (!Accept(c)) Fail(std::string("expected '") + c + "'");
}

std::string TextCursor::ReadIdentifier() {
    SkipSpace();
    if (!IsNameStart(Peek())) Fail("expected a name");
    const std::size_t start = pos_;
    while (!AtEnd() && IsNameChar(text_[pos_])) ++pos_;
    return std::string(text_.substr(start, pos_ - start));
}

Variant TextCursor::ReadValue() {
    SkipSpace();
    if (Peek() == '"') return Variant(ReadQuoted());
    const std::string_view token = Token();
    if (token.empty()) Fail("expected a value");
    if (EqualsNoCase(token, "TRUE") || EqualsNoCase(token, "FALSE")) {
        pos_ += token.size();
        return Variant(EqualsNoCase(token, "TRUE"));
    }
    return NumberToken(token, "a number, TRUE, FALSE or a quoted string");
}

Variant TextCursor::ReadNumber() {
    SkipSpace();
    const std::string_view token = Token();
    if (token.empty()) Fail("expected a number");
    return NumberToken(token, "a number");
}

std::string_view TextCursor::Token() const {
    std::size_t end = pos_;
    while (end < text_.size() && !IsDelimiter(text_[end])) ++end;
    return text_.substr(pos_, end - pos_);
}

Variant TextCursor::NumberToken(std::string_view token, const char* expected) {
    const std::size_t sign = token.front() == '-' || token.front() == '+' ? 1 : 0;
    const std::string_view word = token.substr(sign);
    if (EqualsNoCase(word, "inf") || EqualsNoCase(word, "nan")) {
        pos_ += token.size();
        const double v = EqualsNoCase(word, "inf") ? std::numeric_limits<double>::infinity()
                                                   : std::numeric_limits<double>::quiet_NaN();
        return Variant(token.front() == '-' ? -v : v);
    }
    if (NumberLength(token) != token.size()) Fail(std::string("expected ") + expected + ", not '" + std::string(token) + "'");
    try {
        Variant v = NumberValue(token);
        pos_ += token.size();
        return v;
    } catch (const SyntaxError& e) {
        Fail(e.what());
    }
}

std::string TextCursor::ReadWord() {
    SkipSpace();
    if (AtEnd()) Fail("expected a file name");
    if (Peek() == '"') return ReadQuoted();
    const std::size_t start = pos_;
    while (!AtEnd() && !IsSpace(text_[pos_])) ++pos_;
    return std::string(text_.substr(start, pos_ - start));
}

std::string TextCursor::ReadQuoted() {
    const std::size_t open = pos_++;
    std::string out;
    while (!AtEnd()) {
        const char c = text_[pos_++];
        if (c == '"') return out;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (AtEnd()) break;
        const char e = text_[pos_++];
        switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'x': {
                const int hi = pos_ < text_.size() ? HexDigit(text_[pos_]) : -1;
                const int lo = pos_ + 1 < text_.size() ? HexDigit(text_[pos_ + 1]) : -1;
                if (hi < 0 || lo < 0) {
                    pos_ -= 2;
                    Fail("\\x needs two hexadecimal digits");
                }
                out += static_cast<char>(hi * 16 + lo);
                pos_ += 2;
                break;
            }
            default:
                pos_ -= 2;
                Fail(std::string("unknown escape \\") + e + " in a string");
        }
    }
    pos_ = open;
    Fail("the string has no closing quote");
}

void TextCursor::ExpectEnd() {
    SkipSpace();
    if (!AtEnd()) Fail("unexpected '" + std::string(Rest()) + "'");
}

void TextCursor::Fail(const std::string& what) const {
    throw SyntaxError("column " + std::to_string(pos_ + 1) + ": " + what);
}

Variant ParseValue(std::string_view text) {
    TextCursor cursor(text);
    Variant v = cursor.ReadValue();
    cursor.ExpectEnd();
    return v;
}

std::string QuoteString(std::string_view text) { return "\"" + EscapeText(text, true) + "\""; }

std::string PrintableText(std::string_view text) { return EscapeText(text, false); }

std::string FormatValue(const Variant& value) {
    const Variant& v = value.Deref();
    const VarType type = v.Type();
    if (HasFlag(type, VarType::Array)) return ArrayText(v.ToArray());
    switch (type) {
        case VarType::Empty: return "EMPTY";
        case VarType::I2: return std::to_string(v.ToI2());
        case VarType::I4: return std::to_string(v.ToI4());
        case VarType::R4: return ShortestText(v.ToR4());
        case VarType::R8: return ShortestText(v.ToR8());
        case VarType::Bool: return v.ToBool() ? "TRUE" : "FALSE";
        case VarType::Bstr: return QuoteString(v.ToString());
        case VarType::Dispatch: return v.ToDispatch() ? "OBJECT" : "NOTHING";
        case VarType::Error: {
            char buf[16];
            const auto code = static_cast<std::uint32_t>(v.ToError().scode);
            const auto res = std::to_chars(buf, buf + sizeof buf, code, 16);
            return "ERROR 0x" + std::string(buf, res.ptr);
        }
        default: return VarTypeName(type);
    }
}

}  // namespace vtg::shell
