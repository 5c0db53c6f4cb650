#pragma once
// The tagged value that crosses the automation interface: arguments, results, properties and
// event parameters. It follows the automation VARIANT closely enough that host code written
// against that model reads the same here: the same type numbers, the same coercion rules,
// by-reference outputs that point at caller-owned storage. Text is always UTF-8.
//
// Failed conversions throw AutomationError (declared in platform/Automation.h) with
// HResult::TypeMismatch, HResult::Overflow or HResult::InvalidArg.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace vtg {

class IDispatch;

enum class VarType : std::uint16_t {
    Empty = 0,
    I2 = 2,
    I4 = 3,
    R4 = 4,
    R8 = 5,
    Bstr = 8,
    Dispatch = 9,
    Error = 10,
    Bool = 11,
    Variant = 12,   // only as a declared parameter type: "any value"
    Array = 0x2000,
    ByRef = 0x4000,
};

constexpr VarType operator|(VarType a, VarType b) {
    return static_cast<VarType>(static_cast<std::uint16_t>(a) | static_cast<std::uint16_t>(b));
}
constexpr bool HasFlag(VarType t, VarType flag) {
    return (static_cast<std::uint16_t>(t) & static_cast<std::uint16_t>(flag)) != 0;
}
// The type without the Array and ByRef flags.
constexpr VarType BaseType(VarType t) {
    return static_cast<VarType>(static_cast<std::uint16_t>(t) & 0x0FFFu);
}
// "I2", "R8|Array", "Bstr|ByRef", ... for messages and tools.
std::string VarTypeName(VarType t);

// A one- or two-dimensional SAFEARRAY of R4 or R8. Elements are kept as doubles; an R4 array
// rounds what is stored to float precision so that it reads back exactly what a float array
// would hold. Dimension 1 is the row index, dimension 2 the column index, each with its own
// lower bound; At() takes the indices as the array's owner numbers them (lower bound upward).
class SafeArray2D {
public:
    // Arrays larger than this are refused: counts come from callers and must not be able to
    // request gigabytes.
    static constexpr std::uint64_t kMaxElements = std::uint64_t{1} << 26;

    SafeArray2D(VarType elementType, std::int32_t lowerBound, std::uint32_t count);
    SafeArray2D(VarType elementType, std::int32_t lowerBound1, std::uint32_t count1,
                std::int32_t lowerBound2, std::uint32_t count2);

    VarType ElementType() const { return elementType_; }
    int Dims() const { return dims_; }
    // dim is 1 or 2, as in SafeArrayGetLBound.
    std::int32_t LowerBound(int dim) const;
    std::int64_t UpperBound(int dim) const;
    std::uint32_t Count(int dim) const;
    std::size_t Size() const { return values_.size(); }

    double At(std::int64_t i) const;
    double At(std::int64_t i, std::int64_t j) const;
    void Set(std::int64_t i, double value);
    void Set(std::int64_t i, std::int64_t j, double value);

    // The same shape and values with another element type (R4 rounds to float).
    SafeArray2D WithElementType(VarType elementType) const;

    friend bool operator==(const SafeArray2D&, const SafeArray2D&) = default;

private:
    std::size_t Offset(std::int64_t i, std::int64_t j, int dims) const;
    double Stored(double value) const;

    VarType elementType_ = VarType::R8;
    int dims_ = 1;
    std::int32_t lower_[2] = {0, 0};
    std::uint32_t count_[2] = {0, 1};
    std::vector<double> values_;   // row-major: (i, j) at i * count2 + j
};

// The HResult a Variant of type Error carries (an SCODE), kept as the raw 32-bit code.
struct ErrorCode {
    std::int32_t scode = 0;
    friend bool operator==(const ErrorCode&, const ErrorCode&) = default;
};

class Variant {
public:
    Variant() = default;
    Variant(std::int16_t v) : value_(v) {}
    Variant(std::int32_t v) : value_(v) {}
    Variant(float v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(bool v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(const char* v) : value_(std::string(v ? v : "")) {}
    Variant(std::string_view v) : value_(std::string(v)) {}
    Variant(std::shared_ptr<IDispatch> v) : value_(std::move(v)) {}
    template <class D>
        requires(!std::is_same_v<D, IDispatch> && std::is_convertible_v<D*, IDispatch*>)
    Variant(std::shared_ptr<D> v) : value_(std::shared_ptr<IDispatch>(std::move(v))) {}
    Variant(SafeArray2D v) : value_(std::move(v)) {}
    Variant(ErrorCode v) : value_(v) {}
    // Any other pointer would otherwise silently become a bool, and other arithmetic types
    // would pick an overload by accident: callers say which automation type they mean.
    Variant(const void*) = delete;
    template <class U>
        requires(std::is_arithmetic_v<U> || std::is_enum_v<U>)
    Variant(U) = delete;

    // A by-reference output pointing at caller-owned storage, which must outlive this Variant.
    // A reference to a reference points at the final target.
    static Variant Ref(Variant& target);

    // The COM type code: flags included (ByRef | the target's type, Array | element type).
    VarType Type() const;
    bool IsEmpty() const { return Deref().value_.index() == 0; }
    bool IsByRef() const { return std::holds_alternative<Variant*>(value_); }
    // The value itself, or the target of a by-reference Variant.
    const Variant& Deref() const;
    // The caller's storage of a by-reference Variant, null otherwise.
    Variant* RefTarget() const;

    std::int16_t ToI2() const;
    std::int32_t ToI4() const;
    float ToR4() const;
    double ToR8() const;
    bool ToBool() const;
    std::string ToString() const;
    std::shared_ptr<IDispatch> ToDispatch() const;
    SafeArray2D ToArray() const;
    ErrorCode ToError() const;

    // Coerces to a plain (never by-reference) Variant of the given type. Variant means "as it
    // is" and Empty clears; Array | R4 and Array | R8 convert an array's element type.
    Variant ChangeType(VarType target) const;

    // Same type and value; by-reference Variants compare their targets' addresses.
    friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

private:
    // The value as a number for a conversion to `to`: Empty, numbers, BOOL and number texts.
    double NumberFor(VarType to) const;

    using Storage = std::variant<std::monostate, std::int16_t, std::int32_t, float, double, bool,
                                 std::string, std::shared_ptr<IDispatch>, ErrorCode, SafeArray2D,
                                 Variant*>;
    Storage value_;
};

// Stores an output: through a by-reference argument into the caller's storage, otherwise
// in place of the argument itself.
void SetOutArg(Variant& arg, Variant value);

// Shortest decimal text that reads back to the same value (C locale, as the automation
// string conversion writes numbers).
std::string ShortestText(double value);
std::string ShortestText(float value);

}  // namespace vtg
