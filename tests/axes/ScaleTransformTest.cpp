// The five scales: mapping, domain and the fixed tick lists.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "axes/ScaleTransform.h"
#include "axes/PlotValues.h"

namespace vtg {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kEdge = 6 * std::numbers::sqrt2;   // the probit clamp at 0 % and 100 %

const ScaleTransform& Scale(ScaleType t) { return ScaleTransformFor(static_cast<int>(t)); }

struct MapRow {
    ScaleType scale;
    double x;
    double want;   // kMissingValue where x has no transformed value
};

const MapRow kMapRows[] = {
    {ScaleType::Linear, -2.5, -2.5},
    {ScaleType::Linear, kNaN, kMissingValue},
    {ScaleType::Log, 1000, 3},
    {ScaleType::Log, 0.01, -2},
    {ScaleType::Log, 0, kMissingValue},
    {ScaleType::Log, -1, kMissingValue},
    {ScaleType::Log, kNaN, kMissingValue},
    {ScaleType::Inverse, 4, 0.25},
    {ScaleType::Inverse, -0.5, -2},
    {ScaleType::Inverse, 0, kMissingValue},
    {ScaleType::Inverse, kNaN, kMissingValue},
    {ScaleType::Probability, 50, 0},
    {ScaleType::Probability, 0, -kEdge},
    {ScaleType::Probability, 100, kEdge},
    {ScaleType::Probability, 150, kEdge},
    {ScaleType::Probability, kNaN, kMissingValue},
    {ScaleType::Weibull, 0.9, 0},
    {ScaleType::Weibull, 0.99, std::log10(2.0)},
    {ScaleType::Weibull, 1e-4, kMissingValue},
    {ScaleType::Weibull, 0.9999, kMissingValue},
    {ScaleType::Weibull, 0, kMissingValue},
    {ScaleType::Weibull, 1, kMissingValue},
    {ScaleType::Weibull, kNaN, kMissingValue},
};

TEST(ScaleTransformTest, MapsKnownPointsAndRefusesValuesOutsideTheDomain) {
    for (const MapRow& row : kMapRows) {
        SCOPED_TRACE(static_cast<int>(row.scale));
        EXPECT_NEAR(Scale(row.scale).Forward(row.x), row.want, 1e-12) << "x = " << row.x;
    }
}

TEST(ScaleTransformTest, InverseMappingHasNoValueWhereThereIsNone) {
    EXPECT_EQ(Scale(ScaleType::Inverse).Inverse(0), kMissingValue);
    EXPECT_EQ(Scale(ScaleType::Log).Inverse(1e5), kMissingValue);
    for (int s = 0; s <= 4; ++s) {
        EXPECT_EQ(ScaleTransformFor(s).Inverse(kNaN), kMissingValue) << s;
    }
    EXPECT_NEAR(Scale(ScaleType::Probability).Inverse(-40), 0, 1e-12);
    EXPECT_NEAR(Scale(ScaleType::Weibull).Inverse(5), 1, 1e-12);
}

TEST(ScaleTransformTest, EveryScaleRoundTripsInsideItsDomain) {
    const std::vector<std::pair<ScaleType, std::vector<double>>> rows = {
        {ScaleType::Linear, {-1e12, -3.5, 0, 7.25, 4e27}},
        {ScaleType::Log, {1e-200, 0.003, 1, 42, 7e300}},
        {ScaleType::Inverse, {-1e-200, -8, 0.001, 3, 5e200}},
        {ScaleType::Probability, {0.01, 0.5, 10, 50, 73.2, 99.9, 99.99}},
        {ScaleType::Weibull, {0.0002, 0.001, 0.3, 0.9, 0.999, 0.9998}},
    };
    for (const auto& [type, values] : rows) {
        const ScaleTransform& t = Scale(type);
        for (double x : values) {
            EXPECT_NEAR(t.Inverse(t.Forward(x)), x, std::fabs(x) * 1e-9) << int(type) << " " << x;
        }
    }
}

TEST(ScaleTransformTest, CorruptScaleNumbersMapAsLinear) {
    // A scale number from a stored file or a direct field write must not index past the table.
    for (int bad : {-1, 5, 7, 1 << 30}) {
        EXPECT_FALSE(IsValidScale(bad));
        EXPECT_EQ(ScaleTransformFor(bad).Type(), ScaleType::Linear) << bad;
    }
}

std::vector<double> Ticks(const TickListResult& r) {
    std::vector<double> v;
    for (double t : r.ticks) {
        if (t == 0) {
            break;
        }
        v.push_back(t);
    }
    return v;
}

void ExpectTicks(const TickListResult& r, const std::vector<double>& want) {
    const std::vector<double> got = Ticks(r);
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(got[i], want[i], want[i] * 1e-12) << "tick " << i;
    }
}

struct ListRow {
    const char* why;
    double lo, hi;
    std::vector<double> ticks;   // the range runs from the first to the last of them
};

const std::vector<ListRow> kLogRows = {
    {"one decade", 1, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    {"two decades fill the whole array",
     1,
     100,
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
    {"3-700 trims the 1-2-5 list to 2..1000", 3, 700, {2, 5, 10, 20, 50, 100, 200, 500, 1000}},
    {"four decades", 1, 1e4, {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 1e4}},
    {"five decades below one",
     0.1,
     1e4,
     {0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 1e4}},
    {"six decades: every second one", 1, 1e6, {1, 100, 1e4, 1e6}},
    {"twelve decades: every third one", 2, 9e11, {1, 1e3, 1e6, 1e9, 1e12}},
    {"fifteen decades: six values", 1, 1e15, {1, 1e3, 1e6, 1e9, 1e12, 1e15}},
    {"range inside one decade snaps outward", 25, 35, {20, 30, 40}},
    {"an end a few ppm past a tick closes there", 3, 20.00005, {3, 4, 5, 6, 7, 8, 9, 10, 20}},
    {"a range narrower than one step keeps two ticks", 2.0000001, 2.0000002, {2, 3}},
};

TEST(LogTickListTest, BuildsTheListForEachSpanAndSnapsTheRange) {
    const ScaleTransform& log = Scale(ScaleType::Log);
    for (const ListRow& row : kLogRows) {
        SCOPED_TRACE(row.why);
        const TickListResult r = log.BuildTickList(row.lo, row.hi);
        ASSERT_TRUE(r.valid);
        ExpectTicks(r, row.ticks);
        EXPECT_NEAR(r.rangeMin, row.ticks.front(), row.ticks.front() * 1e-12);
        EXPECT_NEAR(r.rangeMax, row.ticks.back(), row.ticks.back() * 1e-12);
    }
}

TEST(LogTickListTest, ScrollStepIsAtwentiethOfTheDecades) {
    const TickListResult r = Scale(ScaleType::Log).BuildTickList(3, 700);
    EXPECT_NEAR(r.interval, 0.05 * (3 - std::log10(2.0)), 1e-12);
    EXPECT_NEAR(Scale(ScaleType::Log).BuildTickList(1, 1e15).interval, 0.75, 1e-12);
}

TEST(LogTickListTest, RefusesRangesWithoutALogarithm) {
    const double rows[][2] = {{0, 10}, {-5, 10}, {10, 10}, {10, 5}, {kNaN, 10}, {1, kNaN},
                              {1, kInf}, {-kInf, 1}};
    for (const auto& row : rows) {
        const TickListResult r = Scale(ScaleType::Log).BuildTickList(row[0], row[1]);
        EXPECT_FALSE(r.valid) << row[0] << ".." << row[1];
        EXPECT_TRUE(Ticks(r).empty());
    }
}

TEST(LogTickListTest, ExtremeDecadesStayFiniteAndAscending) {
    const double rows[][2] = {{1e-300, 1e300}, {1e-320, 1}, {1e-5, 1.7e308}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        const TickListResult r = Scale(ScaleType::Log).BuildTickList(row[0], row[1]);
        ASSERT_TRUE(r.valid);
        const std::vector<double> t = Ticks(r);
        ASSERT_GE(t.size(), 2u);
        for (size_t i = 0; i < t.size(); ++i) {
            EXPECT_TRUE(std::isfinite(t[i]) && t[i] > 0);
            if (i > 0) {
                EXPECT_GT(t[i], t[i - 1]);
            }
        }
        EXPECT_EQ(r.rangeMin, t.front());
        EXPECT_EQ(r.rangeMax, t.back());
    }
}

struct FixedListRow {
    const char* why;
    ScaleType scale;
    double lo, hi;
    double wantMin, wantMax;
    std::vector<double> ticks;
};

const std::vector<double> kAllProbability{0.01, 0.1, 1,  5,  10, 20, 30,   40,   50,
                                          60,   70,  80, 90, 95, 99, 99.9, 99.99};
const std::vector<double> kAllWeibull{0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1,
                                      0.2,   0.3,   0.4,   0.5,  0.6,  0.7,  0.8,
                                      0.9,   0.95,  0.98,  0.995, 0.999};

const std::vector<FixedListRow> kFixedRows = {
    {"probability 0-100 clamps to the list", ScaleType::Probability, 0, 100, 0.01, 99.99,
     kAllProbability},
    {"probability inner range is not snapped", ScaleType::Probability, 5, 50, 5, 50,
     {5, 10, 20, 30, 40, 50}},
    {"probability ticks within 1e-4 of the ends", ScaleType::Probability, 10.00005, 19.99995,
     10.00005, 19.99995, {10, 20}},
    {"probability range emptied by the clamp", ScaleType::Probability, 99.995, 99.999, 0.01,
     99.99, kAllProbability},
    {"probability NaN range", ScaleType::Probability, kNaN, kNaN, 0.01, 99.99, kAllProbability},
    {"Weibull 0-1 clamps to the list", ScaleType::Weibull, 0, 1, 0.001, 0.999, kAllWeibull},
    {"Weibull inner range", ScaleType::Weibull, 0.1, 0.5, 0.1, 0.5, {0.1, 0.2, 0.3, 0.4, 0.5}},
    {"Weibull reversed range", ScaleType::Weibull, 0.95, 0.9, 0.001, 0.999, kAllWeibull},
    {"Weibull top clamp", ScaleType::Weibull, 0.8, 0.99999, 0.8, 0.999,
     {0.8, 0.9, 0.95, 0.98, 0.995, 0.999}},
};

TEST(FixedTickListTest, ShowsTheListEntriesInsideTheClampedRange) {
    for (const FixedListRow& row : kFixedRows) {
        SCOPED_TRACE(row.why);
        const TickListResult r = Scale(row.scale).BuildTickList(row.lo, row.hi);
        ASSERT_TRUE(r.valid);
        ExpectTicks(r, row.ticks);
        EXPECT_DOUBLE_EQ(r.rangeMin, row.wantMin);
        EXPECT_DOUBLE_EQ(r.rangeMax, row.wantMax);
    }
}

TEST(FixedTickListTest, ScrollStepFollowsTheTransformedSpan) {
    // 0.01 % .. 99.99 % is about +-3.72 standard deviations.
    EXPECT_NEAR(Scale(ScaleType::Probability).BuildTickList(0, 100).interval, 0.3719, 2e-3);
    const double w = Scale(ScaleType::Weibull).BuildTickList(0.1, 0.9).interval;
    EXPECT_NEAR(w, -0.05 * std::log10(std::log10(1 / 0.9)), 1e-12);
}

}  // namespace
}  // namespace vtg
