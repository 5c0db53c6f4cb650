#include "platform/Variant.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/Automation.h"

namespace vtg {

namespace {

constexpr std::size_t kMaxQuotedBytes = 40;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// Cuts long texts for error messages, never inside a UTF-8 sequence.
std::string Quoted(const std::string& s) {
    if (s.size() <= kMaxQuotedBytes) return "\"" + s + "\"";
    std::size_t cut = kMaxQuotedBytes;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
    return "\"" + s.substr(0, cut) + "...\"";
}

// Half-to-even, as the automation coercions round; written out so that it does not depend on
// the floating-point environment's rounding mode.
double RoundHalfEven(double x) {
    const double f = std::floor(x);
    const double d = x - f;   // exact: floor(x) is within a factor of two of x (or zero)
    if (d > 0.5) return f + 1.0;
    if (d < 0.5) return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

// Decimal exponent of the leading significant digit of a number text that from_chars found
// out of range: positive means too large, otherwise the value underflows towards zero.
long LeadingDigitExponent(std::string_view text) {
    long beforePoint = 0;
    long leadingZerosAfterPoint = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (c == '.') {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            if (c != '0') seenDigit = true;
            if (!seenPoint && seenDigit) ++beforePoint;
            if (seenPoint && !seenDigit) ++leadingZerosAfterPoint;
        }
    }
    long exponent = 0;
    if (i < text.size()) {
        std::string_view e = text.substr(i + 1);
        const bool negative = !e.empty() && e.front() == '-';
        if (!e.empty() && (e.front() == '-' || e.front() == '+')) e.remove_prefix(1);
        for (char c : e) exponent = std::min(exponent * 10 + (c - '0'), 100000L);
        if (negative) exponent = -exponent;
    }
    return (beforePoint > 0 ? beforePoint : -leadingZerosAfterPoint) + exponent;
}

[[noreturn]] void ThrowBadNumberText(const std::string& text, VarType to) {
    throw AutomationError::TypeMismatch("cannot convert text " + Quoted(text) + " to " + VarTypeName(to));
}

// A decimal number in the C locale, optionally signed, with blanks around it. Infinity and
// NaN spellings and hexadecimal are not numbers here. Parsed straight into the target's
// precision: going through double first could round a float twice.
template <class F>
F ParseNumber(const std::string& text, VarType to) {
    std::string_view s = Trim(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.')) {
        ThrowBadNumberText(text, to);
    }
    F value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (end != s.data() + s.size()) ThrowBadNumberText(text, to);
    if (ec == std::errc::result_out_of_range) {
        if (LeadingDigitExponent(s) > 0) {
            throw AutomationError::Overflow("text " + Quoted(text) + " is out of range for " + VarTypeName(to));
        }
        value = 0;
    } else if (ec != std::errc()) {
        ThrowBadNumberText(text, to);
    }
    return negative ? -value : value;
}

std::string Describe(const Variant& v) {
    const VarType t = v.Deref().Type();
    if (HasFlag(t, VarType::Array)) return VarTypeName(t);
    switch (t) {
        case VarType::Bstr: return "text " + Quoted(v.ToString());
        case VarType::I2:
        case VarType::I4:
        case VarType::R4:
        case VarType::R8:
        case VarType::Bool: return VarTypeName(t) + " " + v.ToString();
        default: return VarTypeName(t);
    }
}

[[noreturn]] void ThrowMismatch(const Variant& from, VarType to) {
    throw AutomationError::TypeMismatch("cannot convert " + Describe(from) + " to " + VarTypeName(to));
}

[[noreturn]] void ThrowOverflow(double value, VarType to) {
    throw AutomationError::Overflow("value " + ShortestText(value) + " is out of range for " + VarTypeName(to));
}

template <class I>
I ToIntegral(double x, VarType to) {
    const double r = std::isfinite(x) ? RoundHalfEven(x) : x;
    if (!(r >= static_cast<double>(std::numeric_limits<I>::min()) &&
          r <= static_cast<double>(std::numeric_limits<I>::max()))) {
        ThrowOverflow(x, to);
    }
    return static_cast<I>(r);
}

// Narrows as IEEE round-to-nearest does: a double up to half a float ulp beyond the largest
// float still rounds to it (the shortest text of FLT_MAX reads back as such a double); only
// what would round to infinity overflows.
float ToFloat(double x) {
    constexpr double kMax = std::numeric_limits<float>::max();
    constexpr double kRoundsToInfinity = kMax + 0x1p103;   // FLT_MAX + half its ulp
    if (std::isfinite(x) && std::fabs(x) > kMax) {
        if (std::fabs(x) >= kRoundsToInfinity) ThrowOverflow(x, VarType::R4);
        return static_cast<float>(std::copysign(kMax, x));
    }
    return static_cast<float>(x);
}

template <class T>
std::string IntegerText(T v) {
    std::array<char, 24> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), res.ptr);
}

}  // namespace

std::string VarTypeName(VarType t) {
    std::string name;
    switch (BaseType(t)) {
        case VarType::Empty: name = "Empty"; break;
        case VarType::I2: name = "I2"; break;
        case VarType::I4: name = "I4"; break;
        case VarType::R4: name = "R4"; break;
        case VarType::R8: name = "R8"; break;
        case VarType::Bstr: name = "Bstr"; break;
        case VarType::Dispatch: name = "Dispatch"; break;
        case VarType::Error: name = "Error"; break;
        case VarType::Bool: name = "Bool"; break;
        case VarType::Variant: name = "Variant"; break;
        default: name = "VarType(" + IntegerText(static_cast<unsigned>(BaseType(t))) + ")"; break;
    }
    if (HasFlag(t, VarType::Array)) name += "|Array";
    if (HasFlag(t, VarType::ByRef)) name += "|ByRef";
    return name;
}

std::string ShortestText(double value) {
    std::array<char, 32> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return std::string(buf.data(), res.ptr);
}

std::string ShortestText(float value) {
    std::array<char, 32> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return std::string(buf.data(), res.ptr);
}

// ---- SafeArray2D ----

SafeArray2D::SafeArray2D(VarType elementType, std::int32_t lowerBound, std::uint32_t count)
    : SafeArray2D(elementType, lowerBound, count, 0, 1) {
    dims_ = 1;
}

SafeArray2D::SafeArray2D(VarType elementType, std::int32_t lowerBound1, std::uint32_t count1,
                         std::int32_t lowerBound2, std::uint32_t count2)
    : elementType_(elementType), dims_(2), lower_{lowerBound1, lowerBound2}, count_{count1, count2} {
    if (elementType != VarType::R4 && elementType != VarType::R8) {
        throw AutomationError::InvalidArg("a numeric array holds R4 or R8, not " + VarTypeName(elementType));
    }
    const std::uint64_t total = std::uint64_t{count1} * std::uint64_t{count2};
    if (total > kMaxElements) {
        throw AutomationError::OutOfMemory("an array of " + IntegerText(count1) + " x " + IntegerText(count2) +
                                           " elements is too large");
    }
    values_.assign(static_cast<std::size_t>(total), 0.0);
}

std::int32_t SafeArray2D::LowerBound(int dim) const {
    if (dim < 1 || dim > dims_) throw AutomationError::BadIndex("the array has no dimension " + IntegerText(dim));
    return lower_[dim - 1];
}

std::int64_t SafeArray2D::UpperBound(int dim) const {
    return std::int64_t{LowerBound(dim)} + std::int64_t{count_[dim - 1]} - 1;
}

std::uint32_t SafeArray2D::Count(int dim) const {
    LowerBound(dim);
    return count_[dim - 1];
}

std::size_t SafeArray2D::Offset(std::int64_t i, std::int64_t j, int dims) const {
    if (dims != dims_) {
        throw AutomationError::BadIndex("the array has " + IntegerText(dims_) + " dimension(s), not " + IntegerText(dims));
    }
    const std::int64_t r = i - lower_[0];
    const std::int64_t c = j - lower_[1];
    if (r < 0 || r >= std::int64_t{count_[0]} || c < 0 || c >= std::int64_t{count_[1]}) {
        throw AutomationError::BadIndex("array index (" + IntegerText(i) + (dims == 2 ? ", " + IntegerText(j) : "") +
                                        ") is out of bounds");
    }
    return static_cast<std::size_t>(r) * count_[1] + static_cast<std::size_t>(c);
}

double SafeArray2D::Stored(double value) const {
    return elementType_ == VarType::R4 ? static_cast<double>(ToFloat(value)) : value;
}

double SafeArray2D::At(std::int64_t i) const { return values_[Offset(i, lower_[1], 1)]; }
double SafeArray2D::At(std::int64_t i, std::int64_t j) const { return values_[Offset(i, j, 2)]; }
void SafeArray2D::Set(std::int64_t i, double value) { values_[Offset(i, lower_[1], 1)] = Stored(value); }
void SafeArray2D::Set(std::int64_t i, std::int64_t j, double value) { values_[Offset(i, j, 2)] = Stored(value); }

SafeArray2D SafeArray2D::WithElementType(VarType elementType) const {
    SafeArray2D copy = *this;
    if (elementType != VarType::R4 && elementType != VarType::R8) {
        throw AutomationError::TypeMismatch("cannot convert " + VarTypeName(VarType::Array | elementType_) + " to " +
                                            VarTypeName(VarType::Array | elementType));
    }
    copy.elementType_ = elementType;
    for (double& v : copy.values_) v = copy.Stored(v);
    return copy;
}

// ---- Variant ----

Variant Variant::Ref(Variant& target) {
    Variant v;
    v.value_ = target.IsByRef() ? target.RefTarget() : &target;
    return v;
}

const Variant& Variant::Deref() const {
    if (const auto* p = std::get_if<Variant*>(&value_)) return **p;
    return *this;
}

Variant* Variant::RefTarget() const {
    if (const auto* p = std::get_if<Variant*>(&value_)) return *p;
    return nullptr;
}

VarType Variant::Type() const {
    return std::visit(
        [](const auto& v) -> VarType {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) return VarType::Empty;
            else if constexpr (std::is_same_v<T, std::int16_t>) return VarType::I2;
            else if constexpr (std::is_same_v<T, std::int32_t>) return VarType::I4;
            else if constexpr (std::is_same_v<T, float>) return VarType::R4;
            else if constexpr (std::is_same_v<T, double>) return VarType::R8;
            else if constexpr (std::is_same_v<T, bool>) return VarType::Bool;
            else if constexpr (std::is_same_v<T, std::string>) return VarType::Bstr;
            else if constexpr (std::is_same_v<T, std::shared_ptr<IDispatch>>) return VarType::Dispatch;
            else if constexpr (std::is_same_v<T, ErrorCode>) return VarType::Error;
            else if constexpr (std::is_same_v<T, SafeArray2D>) return VarType::Array | v.ElementType();
            else return VarType::ByRef | v->Type();
        },
        value_);
}

namespace {

// The numeric value of an Empty, number or BOOL Variant (BOOL true is -1); nullopt otherwise.
template <class Storage>
std::optional<double> NumericValue(const Storage& s) {
    return std::visit(
        [](const auto& v) -> std::optional<double> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) return 0.0;
            else if constexpr (std::is_same_v<T, bool>) return v ? -1.0 : 0.0;
            else if constexpr (std::is_arithmetic_v<T>) return static_cast<double>(v);
            else return std::nullopt;
        },
        s);
}

}  // namespace

double Variant::NumberFor(VarType to) const {
    const Variant& v = Deref();
    if (auto n = NumericValue(v.value_)) return *n;
    if (const auto* s = std::get_if<std::string>(&v.value_)) return ParseNumber<double>(*s, to);
    ThrowMismatch(v, to);
}

double Variant::ToR8() const { return NumberFor(VarType::R8); }

float Variant::ToR4() const {
    const Variant& v = Deref();
    if (const auto* f = std::get_if<float>(&v.value_)) return *f;
    if (const auto* s = std::get_if<std::string>(&v.value_)) return ParseNumber<float>(*s, VarType::R4);
    return ToFloat(NumberFor(VarType::R4));
}

std::int16_t Variant::ToI2() const { return ToIntegral<std::int16_t>(NumberFor(VarType::I2), VarType::I2); }

std::int32_t Variant::ToI4() const {
    const Variant& v = Deref();
    if (const auto* i = std::get_if<std::int32_t>(&v.value_)) return *i;
    return ToIntegral<std::int32_t>(NumberFor(VarType::I4), VarType::I4);
}

bool Variant::ToBool() const {
    const Variant& v = Deref();
    if (const auto* b = std::get_if<bool>(&v.value_)) return *b;
    if (const auto* s = std::get_if<std::string>(&v.value_)) {
        const std::string_view t = Trim(*s);
        if (EqualsNoCase(t, "true")) return true;
        if (EqualsNoCase(t, "false")) return false;
        return ParseNumber<double>(*s, VarType::Bool) != 0.0;
    }
    if (auto n = NumericValue(v.value_)) return *n != 0.0;
    ThrowMismatch(v, VarType::Bool);
}

std::string Variant::ToString() const {
    const Variant& v = Deref();
    return std::visit(
        [&v](const auto& x) -> std::string {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) return {};
            else if constexpr (std::is_same_v<T, std::string>) return x;
            else if constexpr (std::is_same_v<T, bool>) return x ? "True" : "False";
            else if constexpr (std::is_integral_v<T>) return IntegerText(x);
            else if constexpr (std::is_floating_point_v<T>) return ShortestText(x);
            else ThrowMismatch(v, VarType::Bstr);
        },
        v.value_);
}

std::shared_ptr<IDispatch> Variant::ToDispatch() const {
    const Variant& v = Deref();
    if (const auto* d = std::get_if<std::shared_ptr<IDispatch>>(&v.value_)) return *d;
    // An Empty argument stands for "no object", as Nothing does for a caller.
    if (v.value_.index() == 0) return nullptr;
    ThrowMismatch(v, VarType::Dispatch);
}

SafeArray2D Variant::ToArray() const {
    const Variant& v = Deref();
    if (const auto* a = std::get_if<SafeArray2D>(&v.value_)) return *a;
    ThrowMismatch(v, VarType::Array | VarType::R8);
}

ErrorCode Variant::ToError() const {
    const Variant& v = Deref();
    if (const auto* e = std::get_if<ErrorCode>(&v.value_)) return *e;
    ThrowMismatch(v, VarType::Error);
}

Variant Variant::ChangeType(VarType target) const {
    if (HasFlag(target, VarType::ByRef)) {
        throw AutomationError::InvalidArg("cannot convert to the by-reference type " + VarTypeName(target));
    }
    if (HasFlag(target, VarType::Array)) return ToArray().WithElementType(BaseType(target));
    switch (target) {
        case VarType::Empty: return Variant();
        case VarType::I2: return ToI2();
        case VarType::I4: return ToI4();
        case VarType::R4: return ToR4();
        case VarType::R8: return ToR8();
        case VarType::Bool: return ToBool();
        case VarType::Bstr: return ToString();
        case VarType::Dispatch: return ToDispatch();
        case VarType::Error: return ToError();
        case VarType::Variant: {
            Variant copy = Deref();
            return copy;
        }
        default: break;
    }
    throw AutomationError::InvalidArg("unknown target type " + VarTypeName(target));
}

void SetOutArg(Variant& arg, Variant value) {
    if (Variant* target = arg.RefTarget()) {
        *target = std::move(value);
    } else {
        arg = std::move(value);
    }
}

}  // namespace vtg
