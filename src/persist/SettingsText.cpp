// The settings text: keys, number forms and the reader's first step (tokenizing and checking).
#include "persist/SettingsText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <unordered_map>

namespace vtg {

namespace {

// How the value after the colon is read.
enum class Layout : std::uint8_t {
    Text,       // the rest of the line
    Int,        // a leading integer, the rest ignored; 0 when there is none
    ScanInt,    // "%d": a field that does not parse leaves the target alone
    Real,       // a leading double; 0 when there is none
    Bound,      // a double, or "+++" / "---"
    Fields,     // a scan of the key's field list
    FontFields, // three integers, then a face name after a second colon
};

struct KeyInfo {
    std::string_view name;
    Layout layout;
    std::string_view fields;    // Fields: 'i' an integer, 'd' a double, one letter per field
};

// In SettingsKey order.
constexpr std::array<KeyInfo, 61> kKeys{{
    {"Title", Layout::Text, ""},
    {"ShowTitle", Layout::ScanInt, ""},
    {"Xlab", Layout::Text, ""},
    {"Ylab", Layout::Text, ""},
    {"Nvars", Layout::Int, ""},
    {"Type", Layout::Int, ""},
    {"MultiY", Layout::Int, ""},
    {"NYaxes", Layout::Int, ""},
    {"RunPlot", Layout::Int, ""},
    {"PhasePlot", Layout::Int, ""},
    {"PhaseX", Layout::Text, ""},
    {"UseVar", Layout::Int, ""},
    {"IgnoreLegend", Layout::Int, ""},
    {"SizeToData", Layout::Int, ""},
    {"CommunicationIntervals", Layout::Int, ""},
    {"TimeWin", Layout::Real, ""},
    {"TimeScroll", Layout::Real, ""},
    {"AlwaysShow", Layout::Int, ""},
    {"Subst", Layout::Text, ""},
    {"Var", Layout::Int, ""},
    {"AxisMap", Layout::Int, ""},
    {"Label", Layout::Text, ""},
    {"XLabel", Layout::Text, ""},
    {"XLabelColor", Layout::Int, ""},
    {"XAxisColor", Layout::Int, ""},
    {"LabelColor", Layout::Int, ""},
    {"AxisColor", Layout::Int, ""},
    {"Legend", Layout::Text, ""},
    {"SubstValue", Layout::Text, ""},
    {"Axis", Layout::Int, ""},
    {"Range", Layout::Fields, "dd"},
    {"AxisRange", Layout::Fields, "dd"},
    {"AxisInterval", Layout::Fields, "di"},
    {"AxisFlag", Layout::Int, ""},
    {"ARange", Layout::Fields, "dddddd"},
    {"ARange2", Layout::Fields, "dddddd"},
    {"ARange3", Layout::Fields, "ddddddi"},
    {"AxisResetRange", Layout::Int, ""},
    {"AxisScale", Layout::Fields, "ii"},
    {"Multiplier", Layout::Int, ""},
    {"MultiplierType", Layout::Int, ""},
    {"Attrib", Layout::Fields, "iiiii"},
    {"Attrib2", Layout::Fields, "iiiii"},
    {"Font", Layout::FontFields, "iii"},
    {"Grid", Layout::Int, ""},
    {"Line", Layout::Int, ""},
    {"Square", Layout::Fields, "iiii"},
    {"Marker", Layout::Fields, "ii"},
    {"LegendBox", Layout::Fields, "idd"},
    {"LegendBox2", Layout::Fields, "idi"},
    {"Annotation", Layout::Text, ""},
    {"AnnoPosition", Layout::Fields, "ddddi"},
    {"AnnoPos2", Layout::Fields, "ddi"},
    {"AnnoPosX", Layout::Bound, ""},
    {"AnnoPosY", Layout::Bound, ""},
    {"AnnoAttrib", Layout::Fields, "iiiii"},
    {"AnnoAttrib2", Layout::Fields, "iiiiii"},
    {"AnnoFont", Layout::FontFields, "iii"},
    {"SymbolName", Layout::Text, ""},
    {"SymbolValue", Layout::Text, ""},
    {"Hidden", Layout::Int, ""},
}};

const KeyInfo& Info(SettingsKey key) { return kKeys[static_cast<std::size_t>(key)]; }

// ---- numbers ----

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

void SkipSpace(std::string_view s, std::size_t& at) {
    while (at < s.size() && IsSpace(s[at])) ++at;
}

// A decimal integer as strtol reads it, saturating instead of overflowing.
std::optional<std::int64_t> ScanInt(std::string_view s, std::size_t& at) {
    std::size_t i = at;
    SkipSpace(s, i);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t digits = i;
    std::uint64_t magnitude = 0;
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        const auto d = static_cast<std::uint64_t>(s[i] - '0');
        magnitude = magnitude > (kLimit - d) / 10 ? kLimit : magnitude * 10 + d;
    }
    if (i == digits) return std::nullopt;
    at = i;
    if (negative) return magnitude >= kLimit ? std::numeric_limits<std::int64_t>::min()
                                             : -static_cast<std::int64_t>(magnitude);
    return static_cast<std::int64_t>(std::min(magnitude, kLimit - 1));
}

// Whether a number too far out of the double range is too small rather than too large: a
// negative exponent, or no digit but zeros before the point.
bool Underflows(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-') return true;
    const std::string_view whole = number.substr(0, std::min(e, number.find('.')));
    return whole.find_first_not_of('0') == std::string_view::npos;
}

// A double as strtod reads it in the C locale (inf and nan included); a value beyond the
// double range reads as an infinity of its sign.
std::optional<double> ScanReal(std::string_view s, std::size_t& at) {
    std::size_t i = at;
    SkipSpace(s, i);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    // A second sign is no number.
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) return std::nullopt;
    double v = 0;
    const char* first = s.data() + i;
    const auto [end, ec] = std::from_chars(first, s.data() + s.size(), v, std::chars_format::general);
    if (end == first) return std::nullopt;
    if (ec == std::errc::result_out_of_range) v = Underflows(std::string_view(first, end)) ? 0.0 : HUGE_VAL;
    at = static_cast<std::size_t>(end - s.data());
    return negative ? -v : v;
}

void ScanFields(std::string_view value, std::string_view fields, SettingsLine& line) {
    std::size_t at = 0;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (fields[f] == 'i') {
            const auto v = ScanInt(value, at);
            if (!v) return;
            line.ints[f] = *v;
        } else {
            const auto v = ScanReal(value, at);
            if (!v) return;
            line.reals[f] = *v;
        }
        line.count = static_cast<int>(f) + 1;
    }
}

// ---- the text as a whole ----

// Length of the UTF-8 sequence at s[i], or 0 when it is not a valid (shortest, non-surrogate)
// encoding.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) return 1;
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) { n = 2; cp = b & 0x1Fu; }
    else if (b >= 0xE0 && b <= 0xEF) { n = 3; cp = b & 0x0Fu; }
    else if (b >= 0xF0 && b <= 0xF4) { n = 4; cp = b & 0x07u; }
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0u) != 0x80u) return 0;
        cp = (cp << 6) | (c & 0x3Fu);
    }
    const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
    const bool invalid = (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF;
    return overlong || invalid ? 0 : n;
}

// The first byte of line that makes the text unusable, as a message; nullopt when none does.
std::optional<std::string> CheckBytes(std::string_view line) {
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '\0') return "holds a NUL byte at column " + std::to_string(i + 1);
        const std::size_t n = Utf8Length(line, i);
        if (n == 0) return "is not UTF-8 at column " + std::to_string(i + 1);
        i += n;
    }
    return std::nullopt;
}

std::string KeyOf(std::string_view line) {
    const std::size_t colon = line.find(':');
    std::string_view key = line.substr(0, colon == std::string_view::npos ? 0 : colon);
    if (key.size() > 40) key = key.substr(0, 40);
    std::string out;
    for (char c : key) out += static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F ? c : '?';
    return out;
}

SettingsLine ParseLine(SettingsKey key, std::string_view value, int lineNumber) {
    SettingsLine line;
    line.key = key;
    line.lineNumber = lineNumber;
    const KeyInfo& info = Info(key);
    std::size_t at = 0;
    switch (info.layout) {
        case Layout::Text: line.text.assign(value); break;
        case Layout::Int:
            line.ints[0] = ScanInt(value, at).value_or(0);
            line.count = 1;
            break;
        case Layout::ScanInt:
            if (const auto v = ScanInt(value, at)) {
                line.ints[0] = *v;
                line.count = 1;
            }
            break;
        case Layout::Real:
            line.reals[0] = ScanReal(value, at).value_or(0.0);
            line.count = 1;
            break;
        case Layout::Bound:
            if (value.starts_with("+++")) {
                line.bound = SettingsLine::Bound::Plus;
            } else if (value.starts_with("---")) {
                line.bound = SettingsLine::Bound::Minus;
            } else {
                line.reals[0] = ScanReal(value, at).value_or(0.0);
            }
            line.count = 1;
            break;
        case Layout::Fields: ScanFields(value, info.fields, line); break;
        case Layout::FontFields: {
            const std::size_t colon = value.find(':');
            ScanFields(value.substr(0, colon), info.fields, line);
            if (colon != std::string_view::npos) {
                line.hasFace = true;
                line.text.assign(value.substr(colon + 1));
            }
            break;
        }
    }
    return line;
}

}  // namespace

std::string_view SettingsKeyName(SettingsKey key) { return Info(key).name; }

std::optional<SettingsKey> FindSettingsKey(std::string_view name) {
    static const std::unordered_map<std::string_view, SettingsKey> index = [] {
        std::unordered_map<std::string_view, SettingsKey> m;
        for (std::size_t k = 0; k < kKeys.size(); ++k) m.emplace(kKeys[k].name, static_cast<SettingsKey>(k));
        return m;
    }();
    const auto it = index.find(name);
    if (it == index.end()) return std::nullopt;
    return it->second;
}

bool SettingsLine::Finite() const {
    const std::string_view fields = Info(key).fields;
    const bool real = Info(key).layout == Layout::Real || Info(key).layout == Layout::Bound;
    for (int f = 0; f < count; ++f) {
        const bool isReal = real || (static_cast<std::size_t>(f) < fields.size() && fields[static_cast<std::size_t>(f)] == 'd');
        if (isReal && !std::isfinite(reals[static_cast<std::size_t>(f)])) return false;
    }
    return true;
}

std::string SettingsError::What() const {
    if (lineNumber == 0) return message;
    std::string where = "line " + std::to_string(lineNumber);
    if (!key.empty()) where += " (" + key + ")";
    return where + ": " + message;
}

namespace {

// Calls visit(raw line, line number) for each line that ends in a line feed: a last line
// without one is dropped. Stops when visit returns false.
template <class Visit>
void ForEachRawLine(std::string_view text, Visit&& visit) {
    std::size_t start = 0;
    int lineNumber = 0;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
        const std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        if (!visit(raw, ++lineNumber)) return;
    }
}

// The key of a raw line, when the reader knows it.
std::optional<SettingsKey> KeyOfLine(std::string_view raw) {
    const std::size_t colon = raw.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    return FindSettingsKey(raw.substr(0, colon));
}

}  // namespace

std::optional<SettingsError> CheckSettings(std::string_view text) {
    if (text.size() > SettingsLimits::kMaxTextBytes) {
        return SettingsError{0, {}, "the settings text is longer than " +
                                        std::to_string(SettingsLimits::kMaxTextBytes >> 20) + " MiB"};
    }
    std::optional<SettingsError> error;
    std::size_t annotations = 0;
    std::size_t symbols = 0;
    ForEachRawLine(text, [&](std::string_view raw, int lineNumber) {
        if (raw.size() > SettingsLimits::kMaxLineBytes) {
            error = SettingsError{lineNumber, KeyOf(raw),
                                  "the line is longer than " +
                                      std::to_string(SettingsLimits::kMaxLineBytes >> 10) + " KiB"};
        } else if (auto bad = CheckBytes(raw)) {
            error = SettingsError{lineNumber, KeyOf(raw), "the line " + *bad};
        } else if (const auto key = KeyOfLine(raw)) {
            if (*key == SettingsKey::Annotation && ++annotations > SettingsLimits::kMaxAnnotations) {
                error = SettingsError{lineNumber, "Annotation",
                                      "more than " + std::to_string(SettingsLimits::kMaxAnnotations) + " annotations"};
            }
            if (*key == SettingsKey::SymbolValue && ++symbols > SettingsLimits::kMaxSymbols) {
                error = SettingsError{lineNumber, "SymbolValue",
                                      "more than " + std::to_string(SettingsLimits::kMaxSymbols) + " symbols"};
            }
        }
        return !error;
    });
    return error;
}

void ReadSettingsLines(std::string_view text, const std::function<void(const SettingsLine&)>& apply) {
    ForEachRawLine(text, [&](std::string_view raw, int lineNumber) {
        if (const auto key = KeyOfLine(raw)) apply(ParseLine(*key, raw.substr(raw.find(':') + 1), lineNumber));
        return true;
    });
}

SettingsParse ParseSettings(std::string_view text) {
    SettingsParse result;
    result.error = CheckSettings(text);
    if (!result.error) ReadSettingsLines(text, [&](const SettingsLine& line) { result.lines.push_back(line); });
    return result;
}

// ---- numbers as written ----

namespace {

template <class T>
std::string ToChars(T v, std::optional<std::chars_format> format = std::nullopt, int precision = 0) {
    std::array<char, 128> buffer{};
    const auto r = format ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, *format, precision)
                          : std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return std::string(buffer.data(), r.ptr);
}

double ReadBack(const std::string& text) {
    std::size_t at = 0;
    return ScanReal(text, at).value_or(std::numeric_limits<double>::quiet_NaN());
}

}  // namespace

std::string SettingsInt(std::int64_t v) { return std::to_string(v); }

std::string SettingsDouble(double v) {
    std::string g = ToChars(v, std::chars_format::general, 6);
    if (!std::isfinite(v) || ReadBack(g) == v) return g;
    return ToChars(v);
}

std::string SettingsFloatG(float v) {
    std::string g = ToChars(static_cast<double>(v), std::chars_format::general, 6);
    if (!std::isfinite(v) || static_cast<float>(ReadBack(g)) == v) return g;
    return ToChars(v);
}

std::string SettingsFloatF(float v) {
    std::string f = ToChars(static_cast<double>(v), std::chars_format::fixed, 6);
    if (!std::isfinite(v) || static_cast<float>(ReadBack(f)) == v) return f;
    return ToChars(v);
}

}  // namespace vtg
