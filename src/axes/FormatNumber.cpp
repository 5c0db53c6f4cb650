#include "axes/FormatNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "platform/Locale.h"

namespace vtg {

namespace {

constexpr int kMaxDigits = 16;
// Plain decimal form covers 0.001 <= |x| < 1e6; outside it the exponent form is shorter.
constexpr double kSmallestPlain = 0.001;
constexpr double kLargestPlain = 1e6;
// Decimal digits of the exact expansion looked at when rounding. A double carries about 17,
// so 41 decide "more than half of the last place" far below anything a double can tell
// apart, and the digits never drift the way repeated subtraction in binary would.
constexpr int kExpansionPrecision = 40;
// Enough for "-d." + 40 digits + "e-324" and for every shorter form.
constexpr std::size_t kBufferSize = 64;

// A positive value as d0 d1 d2 ... times 10^(exponent - index), d0 being non-zero.
struct Digits {
    std::string digits;
    int exponent = 0;
};

// The exponent of a to_chars scientific text ("e+06", "e-310").
int ExponentOf(std::string_view s) {
    const std::size_t e = s.find('e');
    std::size_t start = e + 1;
    const bool negative = s[start] == '-';
    if (s[start] == '+' || s[start] == '-') ++start;
    int value = 0;
    std::from_chars(s.data() + start, s.data() + s.size(), value);
    return negative ? -value : value;
}

Digits ExactDigits(double positive) {
    char buf[kBufferSize];
    const auto r = std::to_chars(buf, buf + sizeof buf, positive, std::chars_format::scientific, kExpansionPrecision);
    const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    Digits d;
    d.digits.push_back(s[0]);
    d.digits.append(s.substr(2, s.find('e') - 2));
    d.exponent = ExponentOf(s);
    return d;
}

// Keeps `count` significant digits. The kept digits round up only when what follows is more
// than half of the last kept place; a carry out of the first digit adds a leading 1.
Digits RoundTo(const Digits& exact, int count) {
    Digits d{exact.digits.substr(0, static_cast<std::size_t>(count)), exact.exponent};
    const std::string_view rest = std::string_view(exact.digits).substr(static_cast<std::size_t>(count));
    const bool up = !rest.empty() && (rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string_view::npos));
    if (!up) return d;
    for (auto it = d.digits.rbegin(); it != d.digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return d;
        }
        *it = '0';
    }
    d.digits.insert(d.digits.begin(), '1');
    ++d.exponent;
    return d;
}

std::string PlainForm(double x, int digits, bool trim, const std::string& sep) {
    const Digits d = RoundTo(ExactDigits(std::fabs(x)), digits);
    std::string whole;
    std::string fraction;
    if (d.exponent >= 0) {
        const auto units = static_cast<std::size_t>(d.exponent) + 1;
        whole = d.digits.substr(0, units);
        whole.append(units - whole.size(), '0');
        if (d.digits.size() > units) fraction = d.digits.substr(units);
    } else {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    }
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string out = x < 0 ? "-" : "";
    out += whole;
    if (!fraction.empty()) {
        out += sep + fraction;
    } else if (!trim) {
        out += sep + "0";
    }
    return out;
}

// Mantissa without trailing zeros, exponent with its sign and without leading zeros.
std::string ExponentForm(double x, int digits, const std::string& sep) {
    char buf[kBufferSize];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, digits - 1);
    const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = s.find('e');
    std::string mantissa(s.substr(0, e));
    const std::size_t point = mantissa.find('.');
    if (point != std::string::npos) {
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        if (mantissa.back() == '.') {
            mantissa.pop_back();
        } else {
            mantissa.replace(point, 1, sep);
        }
    }
    const int exponent = ExponentOf(s);
    return mantissa + (exponent < 0 ? "e-" : "e+") + std::to_string(std::abs(exponent));
}

std::string GeneralForm(double x, int digits) {
    char buf[kBufferSize];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, digits);
    std::string out(buf, r.ptr);
    if (out.find_first_of(".eE") == std::string::npos) out += ".0";
    return out;
}

}  // namespace

std::string GetDecimalSeparator() { return Locale::DecimalSeparator(); }

std::string FormatNumber(double x, int digits, bool localised, bool trim) {
    if (!std::isfinite(x)) return x < 0 ? "-1/0" : "1/0";
    digits = std::clamp(digits, 1, kMaxDigits);
    if (!localised) return GeneralForm(x, digits);
    const std::string sep = GetDecimalSeparator();
    if (x == 0) return trim ? "0" : "0" + sep + "0";
    const double a = std::fabs(x);
    if (a >= kLargestPlain || a < kSmallestPlain) return ExponentForm(x, digits, sep);
    return PlainForm(x, digits, trim, sep);
}

}  // namespace vtg
