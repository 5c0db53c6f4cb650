// The shared number formatter: plain and exponent forms, rounding with carries, trimming, the
// locale's separator, the C form, and values that are not numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "axes/FormatNumber.h"
#include "platform/Locale.h"

namespace vtg {
namespace {

const LocaleSettings kPoint{".", "dd.MM.yyyy", "HH:mm:ss"};
const LocaleSettings kComma{",", "dd.MM.yyyy", "HH:mm:ss"};

struct Row {
    double x;
    int digits;
    bool trim;
    std::string expected;
};

TEST(FormatNumberTest, LocalisedFormsAcrossMagnitudes) {
    LocaleOverride point(kPoint);
    const std::vector<Row> rows{
        // The exponent form starts below 0.001 and at 1e6, with its exponent digits stripped.
        {1234567, 6, true, "1.23457e+6"},
        {0.0001, 6, true, "1e-4"},
        {0.001, 6, true, "0.001"},
        {0.00099999999, 6, true, "1e-3"},
        {1e-12, 6, true, "1e-12"},
        {1e15, 6, true, "1e+15"},
        {1.5e6, 6, false, "1.5e+6"},
        {123456789012345.0, 16, true, "1.23456789012345e+14"},
        // Plain form: leading zeros after the separator, zeros up to the units place.
        {0.00123456789, 3, true, "0.00123"},
        {123456.7, 3, true, "123000"},
        {123456.7, 3, false, "123000.0"},
        {1.0 / 3, 6, true, "0.333333"},
        // Carries through nines, out of the first digit and across the units place.
        {9.9999996, 6, true, "10"},
        {9.9999996, 6, false, "10.0"},
        {0.99999996, 6, true, "1"},
        {999999.6, 6, true, "1000000"},
        {-9.9999996, 3, true, "-10"},
        // Only more than half of the last place rounds up: exact halves stay down.
        {42.125, 4, true, "42.12"},
        {0.125, 2, true, "0.12"},
        {42.1251, 4, true, "42.13"},
        {999.9995, 6, true, "1000"},        // stored just above the half
        // Sixteen digits: the exact decimal digits decide, so no binary residue shows.
        {0.1, 16, true, "0.1"},
        {0.3, 16, true, "0.3"},
        // Zero, whole numbers and the trailing separator.
        {0, 6, true, "0"},
        {0, 6, false, "0.0"},
        {-0.0, 6, false, "0.0"},
        {2, 6, true, "2"},
        {2, 6, false, "2.0"},
        // Digit counts outside 1..16 are clamped.
        {1.75, 0, true, "2"},
        {0.1234567890123456789, 40, true, "0.1234567890123457"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FormatNumber(r.x, r.digits, true, r.trim), r.expected) << r.x << " digits " << r.digits;
    }
}

TEST(FormatNumberTest, TheLocaleSeparatorReplacesThePoint) {
    struct SepRow {
        double x;
        bool trim;
        std::string comma;
    };
    const std::vector<SepRow> rows{
        {1.5, true, "1,5"}, {2, false, "2,0"}, {0, false, "0,0"}, {1.5e6, true, "1,5e+6"}, {-0.000125, true, "-1,25e-4"},
    };
    {
        LocaleOverride comma(kComma);
        for (const SepRow& r : rows) EXPECT_EQ(FormatNumber(r.x, 6, true, r.trim), r.comma) << r.x;
        EXPECT_EQ(GetDecimalSeparator(), ",");
        EXPECT_EQ(FormatNumber(1.5, 6, false, true), "1.5");    // the C form keeps '.'
    }
    LocaleOverride arabic({"\xD9\xAB", "", ""});                // two bytes
    EXPECT_EQ(FormatNumber(1.25, 6, true, true), "1\xD9\xAB" "25");
    LocaleOverride empty({"", "", ""});
    EXPECT_EQ(GetDecimalSeparator(), ".");
    EXPECT_EQ(FormatNumber(1.25, 6, true, true), "1.25");
}

TEST(FormatNumberTest, CFormAddsPointZeroToBareIntegers) {
    LocaleOverride comma(kComma);
    const std::vector<Row> rows{
        {1.5e6, 6, true, "1.5e+06"}, {2, 6, true, "2.0"},  {100000, 6, false, "100000.0"},
        {0.0001, 6, true, "0.0001"}, {1e15, 6, true, "1e+15"}, {0.1, 16, true, "0.1"},
    };
    for (const Row& r : rows) EXPECT_EQ(FormatNumber(r.x, r.digits, false, r.trim), r.expected) << r.x;
}

TEST(FormatNumberTest, ValuesThatAreNotFiniteReadAsNoValue) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (bool localised : {true, false}) {
        EXPECT_EQ(FormatNumber(std::nan(""), 6, localised, true), "1/0");
        EXPECT_EQ(FormatNumber(kInf, 6, localised, false), "1/0");
        EXPECT_EQ(FormatNumber(-kInf, 16, localised, true), "-1/0");
    }
}

}  // namespace
}  // namespace vtg
