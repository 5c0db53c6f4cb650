// The nice-range chooser and the arithmetic helpers beneath it.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "axes/ScaleMath.h"

namespace vtg {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct NiceRow {
    const char* why;
    int mode;
    double lo, hi, target, interval;
    double wantLo, wantHi, wantInterval;
    int wantExponent;
};

// Expected values worked out by hand from the candidate scores, not read back from the code.
const NiceRow kNiceRows[] = {
    {"0-35: the 5 candidate scores highest", 0, 0, 35, 5, 0, 0, 35, 5, 0},
    {"0-35000: exponent 3 is kept", 0, 0, 35000, 5, 0, 0, 35000, 5000, 3},
    {"0-3500: exponent 2 is absorbed", 0, 0, 3500, 5, 0, 0, 3500, 500, 0},
    {"reversed bounds are swapped", 0, 35, 0, 5, 0, 0, 35, 5, 0},
    {"equal bounds 7 widen to 7-8", 0, 7, 7, 5, 0, 7, 8, 0.25, 0},
    {"equal bounds 0 widen to 0-1", 0, 0, 0, 5, 0, 0, 1, 0.25, 0},
    {"crossing zero: ties go to the middle", 0, -3, 7, 5, 0, -5, 7.5, 2.5, 0},
    {"tiny span keeps its own decade", 0, 1e-50, 3e-50, 5, 0, 1e-50, 3e-50, 5e-51, -51},
    {"relative width below 1e-7 is widened", 0, 1e15, 1e15 + 3, 5, 0, 1e15, 1e15 + 1e8, 2.5e7,
     7},
    {"integer 1-9 target 4: 5 and 10 pass the decade", 1, 1, 9, 4, 0, 1, 9, 2, 0},
    {"integer 1-7 starts at 1, interval 1", 1, 1, 7, 5, 0, 1, 7, 1, 0},
    {"integer 1-7 target 3: 2, never 2.5", 1, 1, 7, 3, 0, 1, 7, 2, 0},
    {"integer axis never takes a fraction", 1, 0, 3, 10, 0, 0, 3, 1, 0},
    {"fixed interval snaps outward", 2, 0.3, 9.7, 5, 2, 0, 10, 2, 0},
    {"fixed integer from 1 drops the extra top", 3, 1, 9, 5, 2, 1, 9, 2, 0},
    {"fixed integer from 1 keeps a needed top", 3, 1, 10, 5, 2, 1, 11, 2, 0},
    // Before rounding moved to double these overflowed a 32-bit conversion.
    {"fine fixed interval on a wide range", 2, 0, 1e7, 5, 0.001, 0, 1e7, 0.001, 0},
    {"epoch seconds with a sub-second grid", 2, 1.7e9, 1.7e9 + 1000, 5, 0.1, 1.7e9,
     1.7e9 + 1000, 0.1, 0},
    {"bounds beyond 2^31 intervals of 1", 2, 3e9, 3e9 + 1000, 5, 1, 3e9, 3e9 + 1000, 1, 0},
    {"one second at epoch time is widened to 1e-7 of it", 0, 1.7e9, 1.7e9 + 1, 5, 0, 1.7e9,
     1.7e9 + 200, 50, 0},
    // An unusable fixed interval falls back to choosing one.
    {"fixed interval 0", 2, 0, 35, 5, 0, 0, 35, 5, 0},
    {"fixed interval negative", 2, 0, 35, 5, -5, 0, 35, 5, 0},
    {"fixed interval NaN", 2, 0, 35, 5, kNaN, 0, 35, 5, 0},
    {"fixed interval infinite", 2, 0, 35, 5, kInf, 0, 35, 5, 0},
    {"fixed interval too fine for the bounds", 2, 0, 10, 5, 1e-320, 0, 10, 2.5, 0},
};

// Powers of ten beyond 1e22 are built by rounded multiplications: compare relatively.
void ExpectClose(double got, double want) {
    EXPECT_NEAR(got, want, std::fabs(want) * 1e-12) << "want " << want;
}

TEST(PLsetstmTest, ChoosesTheRangeOfEveryRow) {
    for (const NiceRow& row : kNiceRows) {
        SCOPED_TRACE(row.why);
        const NiceScale r = PLsetstm(row.mode, row.lo, row.hi, row.target, row.interval);
        ASSERT_EQ(r.status, 0);
        ExpectClose(r.lo, row.wantLo);
        ExpectClose(r.hi, row.wantHi);
        ExpectClose(r.interval, row.wantInterval);
        EXPECT_EQ(r.exponent, row.wantExponent);
    }
}

TEST(PLsetstmTest, CountsTheIntervalsOfTheChosenRange) {
    EXPECT_EQ(PLsetstm(0, 0, 35, 5, 0).count, 7);
    EXPECT_EQ(PLsetstm(1, 1, 9, 4, 0).count, 4);
    EXPECT_EQ(PLsetstm(2, 0.3, 9.7, 5, 2).count, 5);
    EXPECT_EQ(PLsetstm(2, 0, 1e7, 5, 0.001).count, INT_MAX);
}

TEST(PLsetstmTest, RangesCoverTheirInputOnMultiplesOfTheInterval) {
    const double spans[][2] = {{-7.3, 12.9}, {0.0013, 0.0091}, {-1e12, -3e11}, {42, 43},
                               {-0.5, 0.5},  {1e-3, 1e6},      {123456, 123457}};
    for (int mode : {0, 1}) {
        for (const auto& s : spans) {
            for (double target : {1.0, 3.0, 7.5, 20.0}) {
                SCOPED_TRACE(std::to_string(s[0]) + ".." + std::to_string(s[1]) + " mode " +
                             std::to_string(mode) + " target " + std::to_string(target));
                const NiceScale r = PLsetstm(mode, s[0], s[1], target, 0);
                ASSERT_EQ(r.status, 0);
                const double slack = (s[1] - s[0]) * 1e-7;
                EXPECT_LE(r.lo, s[0] + slack);
                EXPECT_GE(r.hi, s[1] - slack);
                EXPECT_GT(r.interval, 0);
                const double steps = (r.hi - r.lo) / r.interval;
                EXPECT_NEAR(steps, std::round(steps), 1e-6);
                if (mode == 1) {
                    EXPECT_EQ(r.interval, std::floor(r.interval));
                }
            }
        }
    }
}

struct FailRow {
    const char* why;
    int mode;
    double lo, hi, target;
};

const FailRow kFailRows[] = {
    {"target 0", 0, 0, 10, 0},
    {"negative target", 0, 0, 10, -3},
    {"NaN target", 0, 0, 10, kNaN},
    // An infinite target used to spin the normalising loop forever.
    {"infinite target", 0, 0, 10, kInf},
    {"infinite target, integer axis", 1, 0, 10, kInf},
    {"NaN lower bound", 0, kNaN, 10, 5},
    {"NaN upper bound", 0, 0, kNaN, 5},
    {"both bounds +infinite", 0, kInf, kInf, 5},
    {"span below the smallest double", 0, 0, 1e-320, 5},
    {"mode out of range", 4, 0, 10, 5},
    {"negative mode", -1, 0, 10, 5},
};

TEST(PLsetstmTest, ReportsStatusOneWhenNoRangeCanBeChosen) {
    for (const FailRow& row : kFailRows) {
        SCOPED_TRACE(row.why);
        testing::internal::CaptureStdout();
        const NiceScale r = PLsetstm(row.mode, row.lo, row.hi, row.target, 2.5);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.interval, 2.5);
    }
}

struct InfinityRow {
    const char* why;
    double lo, hi;
    const char* message;
    double wantLo, wantHi, wantInterval;
};

const InfinityRow kInfinityRows[] = {
    {"both infinite", -kInf, kInf,
     "Error at PLsetstm: lower range is minus Infinity\n"
     "Error at PLsetstm: upper range is Infinity\n",
     -4e28, 4e28, 2e28},
    {"lower only", -kInf, 0, "Error at PLsetstm: lower range is minus Infinity\n", -3.5e28, 0,
     5e27},
    {"upper beyond the float limit", 0, 1e300, "Error at PLsetstm: upper range is Infinity\n", 0,
     3.5e28, 5e27},
    {"float limit itself is not infinite", 0, kFloatMax, "", 0, 3.5e38, 5e37},
};

TEST(PLsetstmTest, ClampsInfiniteBoundsAndSaysSo) {
    for (const InfinityRow& row : kInfinityRows) {
        SCOPED_TRACE(row.why);
        // Diagnostics go to standard error; standard output carries only a host's results.
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const NiceScale r = PLsetstm(0, row.lo, row.hi, 5, 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), row.message);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        ASSERT_EQ(r.status, 0);
        ExpectClose(r.lo, row.wantLo);
        ExpectClose(r.hi, row.wantHi);
        ExpectClose(r.interval, row.wantInterval);
    }
}

TEST(ScaleMathTest, RoundsHalfAwayFromZeroAtAnyMagnitude) {
    const double rows[][2] = {{2.5, 3},          {-2.5, -3},         {2.4999, 2},
                              {0, 0},            {-0.4, 0},          {3e9 + 0.5, 3e9 + 1},
                              {-3e9 - 0.5, -3e9 - 1}, {1e300, 1e300}};
    for (const auto& r : rows) {
        EXPECT_EQ(RoundHalfAway(r[0]), r[1]) << r[0];
    }
    EXPECT_EQ(SnapToMultiple(7.4, 2.5), 7.5);
    EXPECT_EQ(SnapToMultiple(-6.2, 2.5), -5);
}

TEST(ScaleMathTest, PowersOfTenAreExactAndBounded) {
    EXPECT_EQ(PowerOfTen(0), 1);
    EXPECT_EQ(PowerOfTen(1), 10);
    EXPECT_EQ(PowerOfTen(9), 1e9);
    EXPECT_EQ(PowerOfTen(22), 1e22);
    EXPECT_EQ(PowerOfTen(-3), 1 / 1e3);
    EXPECT_EQ(PowerOfTen(-6), 1e-6);
    EXPECT_EQ(PowerOfTen(400), kInf);
    EXPECT_EQ(PowerOfTen(-400), 0);
    EXPECT_EQ(PowerOfTen(INT_MIN), 0);
    EXPECT_EQ(PowerOfTen(INT_MAX), kInf);
}

TEST(ScaleMathTest, DecadeIsTheFloorOfTheLogarithm) {
    const std::pair<double, int> rows[] = {{1, 0},     {9.999, 0},  {10, 1},   {999.999, 2},
                                           {1000, 3},  {0.5, -1},   {1e-6, -6}, {2e-9, -9},
                                           {3e38, 38}, {2e300, 300}};
    for (const auto& [x, c] : rows) {
        EXPECT_EQ(DecadeOf(x), c) << x;
    }
    for (double bad : {0.0, -1.0, kNaN, kInf, -kInf}) {
        EXPECT_FALSE(DecadeOf(bad).has_value()) << bad;
    }
}

TEST(ScaleMathTest, ErrorFunctionPairIsCloseToTheTrueOneAndInvertsItself) {
    for (double x = -4; x <= 4; x += 0.125) {
        EXPECT_NEAR(ApproxErf(x), std::erf(x), 2e-4) << x;
    }
    for (double x = -0.99; x < 0.995; x += 0.03) {
        EXPECT_NEAR(ApproxErf(ApproxErfInv(x)), x, 1e-9) << x;
    }
    EXPECT_EQ(ApproxErf(6), 1);
    EXPECT_EQ(ApproxErf(-7), -1);
    EXPECT_EQ(ApproxErfInv(1), 6);
    EXPECT_EQ(ApproxErfInv(-1.5), -6);
    EXPECT_EQ(Probit(0.5), 0);
    EXPECT_NEAR(Probit(0.975), 1.959964, 2e-3);
    EXPECT_NEAR(NormalCdf(1.959964), 0.975, 2e-4);
}

TEST(ScaleMathTest, TimeExtentGrowsInWholeStepsBeyondTheEnd) {
    EXPECT_DOUBLE_EQ(*NextWholeStepBeyond(1.0, 0.2), 1.2);
    EXPECT_DOUBLE_EQ(*NextWholeStepBeyond(1.15, 0.2), 1.4);
    // Negative ends round down like positive ones (a truncating helper gives -0.6 here).
    EXPECT_DOUBLE_EQ(*NextWholeStepBeyond(-1.0, 0.2), -0.8);
    EXPECT_EQ(ExtentEndPast(5, 1, 3), 5);
    EXPECT_EQ(ExtentEndPast(1.0, 0.25, 1.1), 1.25);
    EXPECT_EQ(ExtentEndPast(1.0, 0.25, 1.25), 1.5);
    // Epoch seconds on a fresh 0..1 window: billions of steps, one computation.
    const double far = *ExtentEndPast(1.0, 0.2, 1.7e9 + 0.05);
    EXPECT_GT(far, 1.7e9 + 0.05);
    EXPECT_LE(far, 1.7e9 + 0.25);
    EXPECT_GT(*ExtentEndPast(1e18, 0.001, 1e18), 1e18);
    for (double bad : {0.0, -1.0, kNaN, kInf}) {
        EXPECT_FALSE(NextWholeStepBeyond(1, bad).has_value()) << bad;
        EXPECT_FALSE(ExtentEndPast(1, bad, 5).has_value()) << bad;
    }
    EXPECT_FALSE(ExtentEndPast(1, 0.2, kInf).has_value());
    EXPECT_FALSE(NextWholeStepBeyond(kNaN, 0.2).has_value());
}

}  // namespace
}  // namespace vtg
