// Variant coercions as the automation boundary applies them to every argument and property.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>

#include "platform/Automation.h"

namespace vtg {
namespace {

// A Variant can't be built from an arbitrary pointer (it would become a BOOL) or from an
// integer type the interface does not have.
static_assert(!std::is_constructible_v<Variant, Variant*>);
static_assert(!std::is_constructible_v<Variant, long>);
static_assert(!std::is_constructible_v<Variant, unsigned>);

struct Coercion {
    const char* label;
    Variant from;
    VarType to;
    std::optional<Variant> expected;   // nullopt: fails with `error`
    HResult error = HResult::Ok;
};

class CoercionTable : public ::testing::TestWithParam<Coercion> {};

TEST_P(CoercionTable, ConvertsOrFailsWithTheRightCode) {
    const Coercion& c = GetParam();
    if (c.expected) {
        const Variant got = c.from.ChangeType(c.to);
        EXPECT_EQ(got.Type(), c.expected->Type());
        EXPECT_EQ(got, *c.expected) << "got " << got.ToString();
    } else {
        try {
            c.from.ChangeType(c.to);
            ADD_FAILURE() << "no error";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Code(), c.error) << e.what();
        }
    }
}

using I16 = std::int16_t;
using I32 = std::int32_t;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr HResult kMismatch = HResult::TypeMismatch;
constexpr HResult kOverflow = HResult::Overflow;

INSTANTIATE_TEST_SUITE_P(
    Numbers, CoercionTable,
    ::testing::Values(
        // double -> integer rounds half to even, and the range is checked after rounding
        Coercion{"2.5", 2.5, VarType::I2, Variant(I16{2})}, Coercion{"3.5", 3.5, VarType::I2, Variant(I16{4})},
        Coercion{"-2.5", -2.5, VarType::I2, Variant(I16{-2})}, Coercion{"-3.5", -3.5, VarType::I4, Variant(I32{-4})},
        Coercion{"2.4999", 2.4999, VarType::I4, Variant(I32{2})},
        Coercion{"32767.4", 32767.4, VarType::I2, Variant(I16{32767})},
        Coercion{"32767.5", 32767.5, VarType::I2, std::nullopt, kOverflow},
        Coercion{"-32768.5", -32768.5, VarType::I2, Variant(I16{-32768})},
        Coercion{"-32769", -32769.0, VarType::I2, std::nullopt, kOverflow},
        Coercion{"I4 40000", I32{40000}, VarType::I2, std::nullopt, kOverflow},
        Coercion{"2147483647.5", 2147483647.5, VarType::I4, std::nullopt, kOverflow},
        Coercion{"-2147483648.5", -2147483648.5, VarType::I4, Variant(I32{-2147483647 - 1})},
        Coercion{"NaN", kNaN, VarType::I4, std::nullopt, kOverflow},
        Coercion{"+Inf", kInf, VarType::I2, std::nullopt, kOverflow},
        Coercion{"R4 2.5f", 2.5f, VarType::I4, Variant(I32{2})},
        Coercion{"1e300 to R4", 1e300, VarType::R4, std::nullopt, kOverflow},
        Coercion{"missing value fits R4", 1e28, VarType::R4, Variant(1e28f)},
        Coercion{"R4 widens exactly", 0.2f, VarType::R8, Variant(static_cast<double>(0.2f))},
        // BOOL is -1/0 as a number; any non-zero number is true
        Coercion{"true", true, VarType::I2, Variant(I16{-1})}, Coercion{"true R8", true, VarType::R8, Variant(-1.0)},
        Coercion{"false", false, VarType::I4, Variant(I32{0})}, Coercion{"0.0", 0.0, VarType::Bool, Variant(false)},
        Coercion{"0.1", 0.1, VarType::Bool, Variant(true)}, Coercion{"-5", I16{-5}, VarType::Bool, Variant(true)},
        // Empty reads as zero, empty text and false
        Coercion{"Empty I2", Variant(), VarType::I2, Variant(I16{0})},
        Coercion{"Empty R8", Variant(), VarType::R8, Variant(0.0)},
        Coercion{"Empty Bool", Variant(), VarType::Bool, Variant(false)},
        Coercion{"Empty Bstr", Variant(), VarType::Bstr, Variant("")}));

INSTANTIATE_TEST_SUITE_P(
    Texts, CoercionTable,
    ::testing::Values(
        Coercion{"blanks", " 12\t", VarType::I2, Variant(I16{12})},
        Coercion{"rounds", "12.5", VarType::I2, Variant(I16{12})},
        Coercion{"plus", "+7", VarType::I4, Variant(I32{7})},
        Coercion{"exponent", "1e3", VarType::I2, Variant(I16{1000})},
        Coercion{"leading point", "-.5", VarType::R8, Variant(-0.5)},
        Coercion{"R4 text", "0.1", VarType::R4, Variant(0.1f)},
        Coercion{"underflow is zero", "1e-400", VarType::R8, Variant(0.0)},
        Coercion{"too large", "1e400", VarType::R8, std::nullopt, kOverflow},
        Coercion{"too many digits", std::string(400, '9'), VarType::R8, std::nullopt, kOverflow},
        Coercion{"tiny without exponent", "0." + std::string(400, '0') + "1", VarType::R8, Variant(0.0)},
        Coercion{"short overflow", "40000", VarType::I2, std::nullopt, kOverflow},
        Coercion{"letters", "abc", VarType::I2, std::nullopt, kMismatch},
        Coercion{"empty", "", VarType::R8, std::nullopt, kMismatch},
        Coercion{"blank", "   ", VarType::I4, std::nullopt, kMismatch},
        Coercion{"trailing junk", "12abc", VarType::I2, std::nullopt, kMismatch},
        Coercion{"comma decimal", "1,5", VarType::R8, std::nullopt, kMismatch},
        Coercion{"inside blank", "1 5", VarType::R8, std::nullopt, kMismatch},
        Coercion{"inf", "inf", VarType::R8, std::nullopt, kMismatch},
        Coercion{"nan", "nan", VarType::R8, std::nullopt, kMismatch},
        Coercion{"hex", "0x10", VarType::I4, std::nullopt, kMismatch},
        Coercion{"two signs", "--1", VarType::I4, std::nullopt, kMismatch},
        Coercion{"TRUE", "TRUE", VarType::Bool, Variant(true)},
        Coercion{" false ", " false ", VarType::Bool, Variant(false)},
        Coercion{"number as bool", "0", VarType::Bool, Variant(false)},
        Coercion{"2 as bool", "2", VarType::Bool, Variant(true)},
        Coercion{"yes", "yes", VarType::Bool, std::nullopt, kMismatch},
        Coercion{"True as a number", "True", VarType::I2, std::nullopt, kMismatch}));

INSTANTIATE_TEST_SUITE_P(
    ToText, CoercionTable,
    ::testing::Values(Coercion{"R8 0.1", 0.1, VarType::Bstr, Variant("0.1")},
                      Coercion{"R8 missing", 1e28, VarType::Bstr, Variant("1e+28")},
                      Coercion{"R8 third", 1.0 / 3.0, VarType::Bstr, Variant("0.3333333333333333")},
                      Coercion{"R4 0.2f", 0.2f, VarType::Bstr, Variant("0.2")},
                      Coercion{"R4 third", 1.0f / 3.0f, VarType::Bstr, Variant("0.33333334")},
                      Coercion{"I4", I32{-42}, VarType::Bstr, Variant("-42")},
                      Coercion{"I2", I16{-32768}, VarType::Bstr, Variant("-32768")},
                      Coercion{"Bool", true, VarType::Bstr, Variant("True")},
                      Coercion{"Bool false", false, VarType::Bstr, Variant("False")}));

INSTANTIATE_TEST_SUITE_P(
    ObjectsAndArrays, CoercionTable,
    ::testing::Values(
        Coercion{"object to number", std::make_shared<DispatchObject>(), VarType::I4, std::nullopt, kMismatch},
        Coercion{"object to text", std::make_shared<DispatchObject>(), VarType::Bstr, std::nullopt, kMismatch},
        Coercion{"array to number", SafeArray2D(VarType::R8, 0, 2), VarType::R8, std::nullopt, kMismatch},
        Coercion{"text to object", "x", VarType::Dispatch, std::nullopt, kMismatch},
        Coercion{"text to array", "1", VarType::Array | VarType::R8, std::nullopt, kMismatch},
        Coercion{"empty to object", Variant(), VarType::Dispatch, Variant(std::shared_ptr<IDispatch>())},
        Coercion{"error code to number", ErrorCode{-2147352572}, VarType::I4, std::nullopt, kMismatch},
        Coercion{"by-ref target type", Variant(), VarType::I2 | VarType::ByRef, std::nullopt, HResult::InvalidArg}));

TEST(VariantText, EveryDoubleReadsBackFromItsShortestText) {
    std::mt19937_64 rng(12345);
    std::vector<double> values{0.1, 1e-300, 5e-324, std::numeric_limits<double>::max(), -0.0, 123456789.125, 1e28};
    for (int i = 0; i < 2000; ++i) {
        const std::uint64_t bits = rng();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d)) values.push_back(d);
    }
    for (double d : values) {
        const std::string text = Variant(d).ToString();
        EXPECT_EQ(Variant(text).ToR8(), d) << text;
        EXPECT_LE(text.size(), 24u) << text;
    }
}

TEST(VariantText, EveryFloatReadsBackFromItsShortestText) {
    std::mt19937 rng(6789);
    std::vector<float> values{0.2f, 1e-45f, std::numeric_limits<float>::max(), 16777217.0f, 3.4e-38f};
    for (int i = 0; i < 2000; ++i) {
        const std::uint32_t bits = rng();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (std::isfinite(f)) values.push_back(f);
    }
    for (float f : values) {
        const std::string text = Variant(f).ToString();
        EXPECT_EQ(Variant(text).ToR4(), f) << text;
        EXPECT_LE(text.size(), 15u) << text;
    }
}

TEST(VariantByRef, ReadsAndWritesTheCallersStorage) {
    Variant target(std::int16_t{5});
    Variant ref = Variant::Ref(target);
    EXPECT_TRUE(ref.IsByRef());
    EXPECT_EQ(ref.Type(), VarType::ByRef | VarType::I2);
    EXPECT_EQ(ref.ToR8(), 5.0);
    EXPECT_FALSE(ref.ChangeType(VarType::I4).IsByRef());

    Variant refToRef = Variant::Ref(ref);   // collapses onto the final target
    EXPECT_EQ(refToRef.RefTarget(), &target);

    SetOutArg(refToRef, Variant("out"));
    EXPECT_EQ(target, Variant("out"));
    EXPECT_EQ(ref.Type(), VarType::ByRef | VarType::Bstr);

    Variant plain(1.0);
    SetOutArg(plain, Variant(std::int32_t{7}));
    EXPECT_EQ(plain, Variant(std::int32_t{7}));
}

TEST(VariantArray, IndexesFromTheLowerBoundsAndChecksThem) {
    SafeArray2D a(VarType::R4, 1, 3, -1, 2);   // rows 1..3, columns -1..0
    EXPECT_EQ(a.Dims(), 2);
    EXPECT_EQ(a.UpperBound(1), 3);
    EXPECT_EQ(a.UpperBound(2), 0);
    a.Set(3, -1, 0.1);
    EXPECT_EQ(a.At(3, -1), static_cast<double>(0.1f));   // an R4 array holds float values
    EXPECT_EQ(a.At(1, 0), 0.0);

    for (auto [i, j] : {std::pair{0, 0}, {4, 0}, {1, -2}, {1, 1}}) {
        EXPECT_THROW(a.At(i, j), AutomationError) << i << "," << j;
    }
    EXPECT_THROW(a.At(1), AutomationError);   // wrong number of dimensions
    EXPECT_THROW(a.LowerBound(3), AutomationError);
    EXPECT_THROW(a.Set(1, 0, 1e300), AutomationError);   // beyond float range

    const SafeArray2D one(VarType::R8, 0, 4);
    EXPECT_EQ(one.Dims(), 1);
    EXPECT_THROW(one.At(0, 0), AutomationError);
    EXPECT_THROW(one.Count(2), AutomationError);
}

TEST(VariantArray, RefusesHostileShapesWithoutAllocating) {
    try {
        SafeArray2D huge(VarType::R8, 0, 0xFFFFFFFFu, 0, 0xFFFFFFFFu);
        FAIL() << "allocated " << huge.Size();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Code(), HResult::OutOfMemory);
    }
    EXPECT_THROW(SafeArray2D(VarType::I4, 0, 2), AutomationError);
    const SafeArray2D empty(VarType::R8, 0, 0, 0, 5);
    EXPECT_EQ(empty.Size(), 0u);
    EXPECT_THROW(empty.At(0, 0), AutomationError);
}

TEST(VariantArray, ConvertsElementTypeAndKeepsShape) {
    SafeArray2D a(VarType::R8, 0, 2, 0, 2);
    a.Set(1, 1, 0.1);
    const Variant v(a);
    EXPECT_EQ(v.Type(), VarType::Array | VarType::R8);
    const Variant f = v.ChangeType(VarType::Array | VarType::R4);
    EXPECT_EQ(f.Type(), VarType::Array | VarType::R4);
    EXPECT_EQ(f.ToArray().At(1, 1), static_cast<double>(0.1f));
    EXPECT_EQ(f.ToArray().Count(2), 2u);
    EXPECT_THROW(v.ChangeType(VarType::Array | VarType::I2), AutomationError);
}

}  // namespace
}  // namespace vtg
