// The axis state machine: fitting, automatic scaling, tracking, scrolling and zooming.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "axes/CPlotAxis.h"
#include "axes/ScaleMath.h"
#include "axes/PlotValues.h"

namespace vtg {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// 37.5 pixels per interval with a 10-point font, spacing 1500 and output scale 1.
ScaleContext ForIntervals(double n) {
    ScaleContext ctx;
    ctx.axisLength = 37.5 * n;
    return ctx;
}

CPlotAxis MakeAxis(ScaleType type, double extentLo, double extentHi, double lo, double hi,
                   double interval = 0) {
    CPlotAxis a;
    a.Scale = static_cast<int>(type);
    a.ExtentMin = extentLo;
    a.ExtentMax = extentHi;
    a.RangeMin = lo;
    a.RangeMax = hi;
    a.Interval = interval;
    a.NeedsRescale = 0;
    return a;
}

void ExpectRange(const CPlotAxis& a, double lo, double hi) {
    EXPECT_NEAR(a.RangeMin, lo, std::fabs(lo) * 1e-9 + 1e-12);
    EXPECT_NEAR(a.RangeMax, hi, std::fabs(hi) * 1e-9 + 1e-12);
}

struct FitRow {
    const char* why;
    ScaleType scale;
    double min, max;
    double wantLo, wantHi;
};

const FitRow kFitRows[] = {
    {"log data at or below zero and tiny", ScaleType::Log, -5, -1, 1e-9, 1e-6},
    {"log data reaching zero keep three decades", ScaleType::Log, -5, 20, 0.02, 20},
    {"inverse data crossing zero, larger above", ScaleType::Inverse, -2, 10, 0.01, 10},
    {"inverse data crossing zero, larger below", ScaleType::Inverse, -10, 2, -10, -0.01},
    {"Weibull always shows its whole list", ScaleType::Weibull, 0.2, 0.3, 0.001, 0.999},
    {"probability clamps to its list", ScaleType::Probability, 0, 100, 0.01, 99.99},
    {"linear 0-35", ScaleType::Linear, 0, 35, 0, 35},
};

TEST(FitToDataTest, FitsEachScaleAndMakesTheRangeTheExtent) {
    for (const FitRow& row : kFitRows) {
        SCOPED_TRACE(row.why);
        CPlotAxis a;
        ASSERT_TRUE(a.SetScale(static_cast<int>(row.scale)) || row.scale == ScaleType::Linear);
        a.FitToData(row.min, row.max, ForIntervals(10));
        ExpectRange(a, row.wantLo, row.wantHi);
        EXPECT_EQ(a.ExtentMin, a.RangeMin);
        EXPECT_EQ(a.ExtentMax, a.RangeMax);
        EXPECT_EQ(a.DataMin, row.min);
        EXPECT_EQ(a.DataMax, row.max);
        EXPECT_EQ(a.NeedsRescale, 0);
    }
}

TEST(FitToDataTest, WidensSingleValuesAndIgnoresUnusableInput) {
    CPlotAxis a;
    a.FitToData(7, 7, ForIntervals(5));
    EXPECT_EQ(a.DataMin, 7);
    EXPECT_LE(a.RangeMin, 6.3);
    EXPECT_GE(a.RangeMax, 7.7);

    const double before[] = {a.RangeMin, a.RangeMax, a.ExtentMin, a.ExtentMax, a.DataMin};
    for (auto [lo, hi] : {std::pair{kNaN, 5.0}, {0.0, kInf}, {-kInf, 0.0}}) {
        a.FitToData(lo, hi, ForIntervals(5));
        const double after[] = {a.RangeMin, a.RangeMax, a.ExtentMin, a.ExtentMax, a.DataMin};
        EXPECT_TRUE(std::equal(std::begin(before), std::end(before), std::begin(after)));
    }

    // All-zero data have no place on a reciprocal axis: the previous range stays.
    CPlotAxis inv = MakeAxis(ScaleType::Inverse, 1, 4, 1, 4);
    inv.FitToData(0, 0, ForIntervals(5));
    ExpectRange(inv, 1, 4);
}

struct TargetRow {
    const char* why;
    double length, font, outputScale;
    double wantInterval;   // 0: nothing may change
};

const TargetRow kTargetRows[] = {
    {"20 intervals", 750, 10, 1, 2.5},
    {"a larger font halves the count", 750, 20, 1, 5},
    {"printing at scale 2 halves it too", 750, 10, 2, 5},
    {"font size 0 counts as 10", 750, 0, 1, 2.5},
    {"negative font size counts as 10", 750, -3, 1, 2.5},
    {"NaN font size counts as 10", 750, kNaN, 1, 2.5},
    {"output scale 0 skips scaling", 750, 10, 0, 0},
    {"negative output scale skips scaling", 750, 10, -1, 0},
    {"no length: no range can be chosen", 0, 10, 1, 0},
};

TEST(AutoScaleTest, TargetCountComesFromLengthFontAndOutputScale) {
    for (const TargetRow& row : kTargetRows) {
        SCOPED_TRACE(row.why);
        CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 35, 0.3, 34.1, 7);
        a.NeedsRescale = 1;
        ScaleContext ctx;
        ctx.axisLength = row.length;
        ctx.fontPointSize = row.font;
        ctx.outputScale = row.outputScale;
        a.AutoScale(ctx);
        EXPECT_EQ(a.NeedsRescale, 0);
        if (row.wantInterval == 0) {
            ExpectRange(a, 0.3, 34.1);
            EXPECT_EQ(a.Interval, 7);
        } else {
            ExpectRange(a, 0, 35);
            EXPECT_EQ(a.Interval, row.wantInterval);
        }
    }
}

TEST(AutoScaleTest, RunsOnlyWhenARescaleIsPendingAndResetsLabelDecimals) {
    CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 35, 0.3, 34.1, 7);
    a.LabelDecimals = 3;
    a.AutoScale(ForIntervals(5));
    ExpectRange(a, 0.3, 34.1);
    EXPECT_EQ(a.LabelDecimals, 3);
    a.NeedsRescale = 1;
    a.AutoScale(ForIntervals(5));
    ExpectRange(a, 0, 35);
    EXPECT_EQ(a.LabelDecimals, 0);
}

TEST(AutoScaleTest, LockedGridUsesTheUserIntervalUntilThereIsNone) {
    CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 10, 0.3, 9.7, 1);
    a.LockGrid = 1;
    a.UserInterval = 2;
    a.NeedsRescale = 1;
    a.AutoScale(ForIntervals(20));
    ExpectRange(a, 0, 10);
    EXPECT_EQ(a.Interval, 2);
    EXPECT_EQ(a.LockGrid, 1);

    a.UserInterval = 0;
    a.NeedsRescale = 1;
    a.AutoScale(ForIntervals(5));
    EXPECT_EQ(a.LockGrid, 0);
    EXPECT_EQ(a.Interval, 2.5);
    EXPECT_EQ(a.UserInterval, 2.5);
}

TEST(AutoScaleTest, ExtentGrowsExceptOnTimeAndReciprocalAxes) {
    CPlotAxis linear = MakeAxis(ScaleType::Linear, 0, 5, 0.3, 34.1, 7);
    CPlotAxis time = linear;
    time.TimeAxis = 1;
    for (CPlotAxis* a : {&linear, &time}) {
        a->NeedsRescale = 1;
        a->AutoScale(ForIntervals(5));
        ExpectRange(*a, 0, 35);
    }
    EXPECT_EQ(linear.ExtentMax, 35);
    EXPECT_EQ(time.ExtentMax, 5);

    CPlotAxis inv = MakeAxis(ScaleType::Inverse, 0.01, 20, 0.01, 10, 7);
    inv.NeedsRescale = 1;
    inv.AutoScale(ForIntervals(10));
    EXPECT_EQ(inv.ExtentMin, 0.01);
    EXPECT_EQ(inv.ExtentMax, 20);
    EXPECT_EQ(inv.UserInterval, 0);
}

TEST(AutoScaleTest, ReciprocalBoundLandingOnZeroStaysWhereItWasAsked) {
    // 0.01..10 maps to 0.1..100, whose nice range starts at 0, the pole: that end keeps the
    // asked-for bound, whatever the extent held before (an old extent once turned a host's
    // 20..1000 into 20..40).
    struct Row {
        double extentLo, extentHi, lo, hi;
    };
    for (const Row& r : {Row{0.01, 10, 0.01, 10}, Row{0.01, 20, 0.01, 10}, Row{0, 1, 20, 1000},
                         Row{-20, -0.01, -10, -0.01}}) {
        CPlotAxis a = MakeAxis(ScaleType::Inverse, r.extentLo, r.extentHi, r.lo, r.hi);
        a.NeedsRescale = 1;
        a.AutoScale(ForIntervals(10));
        ExpectRange(a, r.lo, r.hi);
    }
}

TEST(AutoScaleTest, IntegerAxisStartsAtOneWithWholeTicks) {
    CPlotAxis a = MakeAxis(ScaleType::Linear, 1, 7, 1, 7);
    a.Integer = 1;
    a.NeedsRescale = 1;
    a.AutoScale(ForIntervals(5));
    ExpectRange(a, 1, 7);
    EXPECT_EQ(a.Interval, 1);
}

TEST(AutoScaleTest, TriangularAxesStayInsideZeroToOneAndUnderTheGridInterval) {
    struct Row {
        const char* why;
        double lo, hi, grid;
        int lock;
        double wantInterval;
    };
    const Row rows[] = {
        {"wider than the triangle", -0.2, 1.3, 0.1, 0, 0.1},
        {"wholly outside it", 2, 3, 0.1, 0, 0.1},
        {"locked to the grid interval", 0.05, 0.93, 0.2, 1, 0.2},
        {"grid interval 0 is no cap", -0.2, 1.3, 0, 0, 0.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        CPlotTriAxis a(1);
        a.RangeMin = row.lo;
        a.RangeMax = row.hi;
        a.LockGrid = row.lock;
        a.UserInterval = row.grid;
        ScaleContext ctx = ForIntervals(5);
        ctx.gridInterval = row.grid;
        a.AutoScale(ctx);
        ExpectRange(a, 0, 1);
        EXPECT_NEAR(a.Interval, row.wantInterval, 1e-12);
    }
}

TEST(AxisLengthTest, PicksTheSideAlongTheAxis) {
    struct Row {
        int w, h, plotW, plotH;
        bool x, flipped, square;
        double want;
    };
    const Row rows[] = {
        {300, 200, 0, 0, true, false, false, 300},  {300, 200, 0, 0, false, false, false, 200},
        {300, 200, 0, 0, true, true, false, 200},   {300, 200, 0, 0, false, true, false, 300},
        {300, 200, 0, 0, true, false, true, 200},   {0, 200, 501, 0, true, false, false, 400},
        {300, 0, 0, 99, false, false, false, 89},   {0, 0, 501, 99, false, false, true, 89},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(AxisLengthFor(r.w, r.h, r.plotW, r.plotH, r.x, r.flipped, r.square), r.want)
            << r.w << "x" << r.h << " x=" << r.x << " flipped=" << r.flipped;
    }
}

TEST(TrackValueTest, MissingAndNonFiniteValuesChangeNothing) {
    CPlotAxis a;
    a.DataMin = 2;
    a.DataMax = 3;
    a.DataSeen = 1;
    a.NeedsRescale = 0;
    for (double v : {1e28, kNaN, kInf, -kInf, 9.1e27}) {
        EXPECT_FALSE(a.TrackValue(v, false)) << v;
        EXPECT_FALSE(a.TrackValue(v, true)) << v;
    }
    EXPECT_EQ(a.DataMin, 2);
    EXPECT_EQ(a.DataMax, 3);
    EXPECT_EQ(a.NeedsRescale, 0);
    // 9e27 itself is still a value.
    EXPECT_TRUE(a.TrackValue(9e27, false));
    EXPECT_EQ(a.DataMax, 9e27);
}

TEST(TrackValueTest, FirstValueSetsBothEndsAndLaterOnesWiden) {
    CPlotAxis a;
    a.ResetDataExtent();
    a.NeedsRescale = 0;
    EXPECT_TRUE(a.TrackValue(5, true));
    EXPECT_EQ(a.DataMin, 5);
    EXPECT_EQ(a.DataMax, 5);
    EXPECT_EQ(a.DataSeen, 1);
    EXPECT_EQ(a.NeedsRescale, 1);

    a.NeedsRescale = 0;
    EXPECT_TRUE(a.TrackValue(4.5, true));
    EXPECT_EQ(a.DataMin, 4.5);
    EXPECT_EQ(a.NeedsRescale, 1);
    a.NeedsRescale = 0;
    EXPECT_TRUE(a.TrackValue(4.8, false));
    EXPECT_EQ(a.NeedsRescale, 0);
    a.NeedsRescale = 1;
    a.TrackValue(4.8, false);
    EXPECT_EQ(a.NeedsRescale, 1) << "a pending rescale was dropped";

    CPlotAxis fixed;
    fixed.ResetRange = 0;
    EXPECT_FALSE(fixed.TrackValue(7, true));
    EXPECT_EQ(fixed.DataMax, 7);
    EXPECT_EQ(fixed.DataSeen, 0);
    EXPECT_FALSE(fixed.TrackValue(9, false));
    EXPECT_EQ(fixed.DataMax, 9);
}

TEST(TrackValueTest, TimeAxisOnlyRaisesItsDataMaximum) {
    CPlotAxis a;
    a.TimeAxis = 1;
    a.DataMin = 10;
    a.DataMax = 20;
    a.NeedsRescale = 0;
    EXPECT_FALSE(a.TrackValue(25, true));
    EXPECT_FALSE(a.TrackValue(3, false));
    EXPECT_EQ(a.DataMin, 10);
    EXPECT_EQ(a.DataMax, 25);
    EXPECT_EQ(a.NeedsRescale, 0);
    EXPECT_EQ(a.DataSeen, 0);
}

struct ScrollRow {
    const char* why;
    int kind, position, side, reverse;
    double lo, hi;
    double wantLo, wantHi;
};

// Linear extent 0..100, interval 5.
const ScrollRow kScrollRows[] = {
    {"back at the low end does nothing", 0, 0, 0, 0, 0, 20, 0, 20},
    {"back one interval", 0, 0, 0, 0, 30, 50, 25, 45},
    {"forward one interval", 1, 0, 0, 0, 0, 20, 5, 25},
    {"forward at the high end does nothing", 1, 0, 0, 0, 80, 100, 80, 100},
    {"forward may pass the end by half an interval", 1, 0, 0, 0, 76, 96, 81, 101},
    {"forward one page", 3, 0, 0, 0, 10, 30, 30, 50},
    {"forward page stops at the end", 3, 0, 0, 0, 70, 90, 80, 100},
    {"back page stops at the start", 2, 0, 0, 0, 10, 30, 0, 20},
    {"reversed axis: back means forward", 0, 0, 0, 1, 0, 20, 5, 25},
    {"position 500 from the low end", 4, 500, 0, 0, 0, 20, 50, 70},
    {"position 1000 is held inside the extent", 4, 1000, 0, 0, 0, 20, 80, 100},
    {"vertical axis counts from the top", 4, 0, 1, 0, 0, 20, 80, 100},
    {"vertical axis at the bottom", 4, 1000, 1, 0, 50, 70, 0, 20},
    {"reversed vertical axis counts from the low end", 4, 500, 1, 1, 0, 20, 50, 70},
    {"within half an interval nothing moves", 4, 500, 0, 0, 50, 70, 50, 70},
};

TEST(ScrollRangeTest, StepsPagesAndPositionsInsideTheExtent) {
    for (const ScrollRow& row : kScrollRows) {
        SCOPED_TRACE(row.why);
        CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 100, row.lo, row.hi, 5);
        a.Reverse = row.reverse;
        a.ScrollRange(row.kind, row.position, ScrollContext{}, row.side, true);
        ExpectRange(a, row.wantLo, row.wantHi);
        EXPECT_EQ(a.NeedsRescale, row.lo != row.wantLo ? 1 : 0);
    }
}

TEST(ScrollRangeTest, ForwardNeverPassesTheExtentByMoreThanHalfAnInterval) {
    for (double g : {0.7, 3.0, 13.0}) {
        for (double lo = 0; lo < 80; lo += 1.3) {
            for (int kind : {1, 3}) {
                CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 100, lo, lo + 20, g);
                a.ScrollRange(kind, 0, ScrollContext{}, 0, false);
                EXPECT_LE(a.RangeMax, 100 + g / 2 + 1e-9) << lo << " g " << g;
                EXPECT_NEAR(a.RangeMax - a.RangeMin, 20, 1e-9);
                EXPECT_GE(a.RangeMax, lo + 20);
            }
        }
    }
}

TEST(ScrollRangeTest, UnusableStepsMoveNothingAndNeverHang) {
    // A degenerate range with no interval has no step at all.
    for (int kind = 0; kind <= 4; ++kind) {
        CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 10, 5, 5, 0);
        a.ScrollRange(kind, 500, ScrollContext{}, 0, true);
        ExpectRange(a, 5, 5);
        EXPECT_EQ(a.NeedsRescale, 0);
    }
    // At 1e17 a step of 1 is below the spacing of doubles.
    for (int kind : {0, 1}) {
        CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 2e17, 1e17, 1e17 + 1024, 1);
        a.ScrollRange(kind, 0, ScrollContext{}, 0, true);
        ExpectRange(a, 1e17, 1e17 + 1024);
    }
    ScrollContext ctx;
    ctx.timeWindow = 0;
    CPlotAxis t = MakeAxis(ScaleType::Linear, 0, 100, 30, 40);
    t.TimeAxis = 1;
    t.ScrollRange(0, 0, ctx, 0, true);
    ExpectRange(t, 30, 40);
}

TEST(ScrollRangeTest, TimeAxisPagesBackToZeroInClosedForm) {
    // A billion-unit window in steps of 0.001: stepping one by one would take 1e12 rounds.
    ScrollContext ctx;
    ctx.timeScrollUnit = 0.001;
    ctx.timeWindow = 1e9;
    CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 1e10, 1e8, 1.1e9);
    a.TimeAxis = 1;
    a.ScrollRange(2, 0, ctx, 0, true);
    EXPECT_GE(a.RangeMin, 0);
    EXPECT_LE(a.RangeMin, 0.0005);
    EXPECT_NEAR(a.RangeMax - a.RangeMin, 1e9, 1e-3);

    ctx.timeScrollUnit = 0.2;
    ctx.timeWindow = 10;
    CPlotAxis b = MakeAxis(ScaleType::Linear, 0, 100, 0.5, 10.5);
    b.TimeAxis = 1;
    b.ScrollRange(2, 0, ctx, 0, true);
    ExpectRange(b, 0, 10);
}

TEST(ScrollRangeTest, TimeAxisForwardToTheLatestData) {
    struct Row {
        int position;
        double dataMax, wantLo, wantHi;
    };
    for (const Row& r : {Row{2, 37, 27, 37}, Row{1, 37, 90, 100}, Row{2, 4, 0, 4}}) {
        ScrollContext ctx;
        ctx.timeWindow = 10;
        CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 100, 0, 10);
        a.TimeAxis = 1;
        a.DataMax = r.dataMax;
        a.ScrollRange(1, r.position, ctx, 0, true);
        ExpectRange(a, r.wantLo, r.wantHi);
    }
}

TEST(ScrollRangeTest, ReciprocalAxisReplacesAZeroEnd) {
    // Extent 0.1..10 is 0.1..10 transformed too; paging back from 2..5 lands on 0, which
    // becomes a thousandth of the far transformed end.
    CPlotAxis a = MakeAxis(ScaleType::Inverse, 0.1, 10, 0.2, 0.5, 1);
    a.ScrollRange(2, 0, ScrollContext{}, 0, true);
    ExpectRange(a, 1.0 / 3, 100);
}

struct PerMilleRow {
    const char* why;
    ScaleType scale;
    int reverse;
    double extentLo, extentHi, a, b;
    double wantLo, wantHi;
};

const PerMilleRow kPerMilleRows[] = {
    {"middle half", ScaleType::Linear, 0, 0, 100, 250, 750, 25, 75},
    {"first fifth", ScaleType::Linear, 0, 0, 100, 0, 200, 0, 20},
    {"reversed: first fifth from the top", ScaleType::Linear, 1, 0, 100, 0, 200, 80, 100},
    {"log: halfway is the geometric middle", ScaleType::Log, 0, 1, 1000, 0, 500, 1,
     31.622776601683793},
    {"inverse: whole extent", ScaleType::Inverse, 0, 0.1, 10, 0, 1000, 0.1, 10},
    {"inverse: low half of 1/x", ScaleType::Inverse, 0, 0.1, 10, 0, 500, 1 / 5.05, 10},
};

TEST(ZoomTest, PerMillePositionsMapThroughTheScale) {
    for (const PerMilleRow& row : kPerMilleRows) {
        SCOPED_TRACE(row.why);
        CPlotAxis a = MakeAxis(row.scale, row.extentLo, row.extentHi, 3, 4);
        a.Reverse = row.reverse;
        a.ZoomToPerMille(row.a, row.b, true);
        ExpectRange(a, row.wantLo, row.wantHi);
        EXPECT_EQ(a.NeedsRescale, 1);
    }
    CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 100, 3, 4);
    a.ZoomToPerMille(kNaN, 500, true);
    ExpectRange(a, 3, 4);
}

struct ZoomStepRow {
    const char* why;
    int kind;
    double factor, lo, hi;
    double wantLo, wantHi;
    bool result;
};

// Extent 0..100.
const ZoomStepRow kZoomStepRows[] = {
    {"in by 2", 0, 2, 0, 100, 25, 75, false},
    {"in: already at the target", 0, 2, 25, 75, 25, 75, false},
    {"in by 4 from half", 0, 4, 25, 75, 37.5, 62.5, false},
    {"in at most halves per step", 0, 16, 0, 100, 25, 75, false},
    {"in stops at 1/500 of the extent", 0, 2, 50, 50.1, 50, 50.1, false},
    {"out by 2", 1, 2, 37.5, 62.5, 25, 75, false},
    {"out at most doubles and stays inside", 1, 2, 0, 10, 0, 20, false},
    {"out shifted down from the top", 1, 2, 90, 100, 80, 100, false},
    {"out when already whole", 1, 2, 0, 100, 0, 100, true},
    {"out to nearly whole", 1, 1.0005, 20, 80, 50 - 50 / 1.0005, 50 + 50 / 1.0005, true},
    {"reset", 2, 2, 20, 30, 0, 100, true},
    {"factor 1 resets", 0, 1, 20, 30, 0, 100, true},
    {"factor 0 is refused", 0, 0, 20, 30, 20, 30, false},
    {"NaN factor is refused", 0, kNaN, 20, 30, 20, 30, false},
    {"unknown kind", 5, 2, 20, 30, 20, 30, false},
};

TEST(ZoomTest, StepsInOutAndBack) {
    for (const ZoomStepRow& row : kZoomStepRows) {
        SCOPED_TRACE(row.why);
        CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 100, row.lo, row.hi);
        EXPECT_EQ(a.ZoomStep(row.kind, row.factor), row.result);
        ExpectRange(a, row.wantLo, row.wantHi);
        EXPECT_EQ(a.NeedsRescale, 1);
    }
}

TEST(ZoomTest, ResettingATimeAxisShowsItsData) {
    CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 100, 20, 30);
    a.TimeAxis = 1;
    a.DataMin = 3;
    a.DataMax = 8;
    EXPECT_TRUE(a.ZoomStep(2, 2));
    ExpectRange(a, 3, 8);
    EXPECT_EQ(a.ExtentMax, 8);

    CPlotAxis one = MakeAxis(ScaleType::Linear, 0, 100, 20, 30);
    one.TimeAxis = 1;
    one.DataMin = one.DataMax = 3;
    EXPECT_TRUE(one.ZoomStep(2, 2));
    ExpectRange(one, 0, 100);
    EXPECT_EQ(one.ExtentMax, 100);
}

TEST(SetRangeTest, StoresFiniteRangesInsideTheScalesDomain) {
    struct Row {
        ScaleType scale;
        double lo, hi, wantLo, wantHi;
    };
    const Row rows[] = {{ScaleType::Linear, -3, 8, -3, 8},
                        {ScaleType::Linear, 8, -3, 8, -3},
                        {ScaleType::Inverse, 0, 10, 0.01, 10},
                        {ScaleType::Inverse, -10, 0, -10, -0.01},
                        // Across the pole: the side with the larger magnitude, as a fit takes.
                        {ScaleType::Inverse, -2, 10, 0.01, 10},
                        {ScaleType::Inverse, 10, -2, 10, 0.01},
                        // A log range never reaches zero.
                        {ScaleType::Log, 0, 100, 0.1, 100},
                        {ScaleType::Log, -5, -1, 1e-9, 1e-6},
                        {ScaleType::Log, 1e-3, 1e5, 1e-3, 1e5},
                        // Beyond the infinite-bound clamp: pulled in to it.
                        {ScaleType::Linear, 0, 1e39, 0, kInfiniteBoundClamp},
                        {ScaleType::Linear, -1e30, 5, -kInfiniteBoundClamp, 5},
                        {ScaleType::Linear, kNaN, 8, 1, 2},
                        {ScaleType::Linear, 0, kInf, 1, 2},
                        {ScaleType::Log, 1, kInf, 1, 2}};
    for (const Row& r : rows) {
        CPlotAxis a = MakeAxis(r.scale, 0, 10, 1, 2);
        testing::internal::CaptureStderr();
        a.SetRange(r.lo, r.hi);
        const std::string said = testing::internal::GetCapturedStderr();
        ExpectRange(a, r.wantLo, r.wantHi);
        const bool applied = std::isfinite(r.lo) && std::isfinite(r.hi);
        EXPECT_EQ(a.NeedsRescale, applied ? 1 : 0);
        EXPECT_EQ(a.DataSeen, applied ? 1 : 0);
        const bool clamped = applied && std::max(std::fabs(r.lo), std::fabs(r.hi)) > kInfiniteBoundClamp;
        EXPECT_EQ(said.find("Error at PLsetstm") != std::string::npos, clamped) << r.lo << ".." << r.hi;
    }
}

TEST(SetRangeTest, RangesBeyondTheDataBandAreShownWithinIt) {
    // A range reaching past the largest value data can hold is scaled inside that band, so the
    // axis has ticks and a mapping instead of going blank.
    for (const auto& [lo, hi] : {std::pair{0.0, 1e39}, std::pair{-1e39, 0.0}, std::pair{-2e28, 2e28}}) {
        CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 1, 0, 1);
        testing::internal::CaptureStderr();
        a.SetRange(lo, hi);
        a.AutoScale(ForIntervals(5));
        testing::internal::GetCapturedStderr();
        EXPECT_FALSE(IsMissing(a.RangeMax)) << hi;
        EXPECT_GE(a.RangeMin, -kMissingThreshold) << lo;
        EXPECT_LT(a.RangeMin, a.RangeMax);
        EXPECT_GT(a.Interval, 0);
    }
}

TEST(SetRangeTest, ALockedGridSurvivesOnlyAReadableTickCount) {
    for (auto [hi, kept] : {std::pair{10.0, true}, {49.0, true}, {50.0, false}, {3.0, false}}) {
        CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 100, 0, 20, 1);
        a.LockGrid = 1;
        a.SetRange(0, hi);
        EXPECT_EQ(a.LockGrid, kept ? 1 : 0) << hi;
    }
}

TEST(SetRangeTest, TimeAxisExtentShrinksOnlyToData) {
    CPlotAxis a = MakeAxis(ScaleType::Linear, 0, 100, 0, 100);
    a.TimeAxis = 1;
    a.DataMax = 40;
    a.SetRange(0, 30);
    EXPECT_EQ(a.ExtentMax, 100);
    a.SetRange(0, 50);
    EXPECT_EQ(a.ExtentMax, 50);
}

TEST(SetDataExtentTest, ReplacesOrWidensAndOpensEmptyExtents) {
    struct Row {
        ScaleType scale;
        double lo, hi, wantLo, wantHi;
    };
    const Row rows[] = {
        {ScaleType::Linear, -4, 9, -4, 9},
        {ScaleType::Linear, 5, 5, 5 - 0.50000000745, 5 + 0.50000000745},
        {ScaleType::Linear, 0, 0, -1e-5, 1e-5},
        {ScaleType::Linear, 2, 2 + 1e-7, 2 - 1e-5, 2 + 1e-7 + 1e-5},
        {ScaleType::Inverse, -2, 10, 0.01, 10},
    };
    for (const Row& r : rows) {
        CPlotAxis a = MakeAxis(r.scale, 1, 2, 1, 2);
        a.SetDataExtent(r.lo, r.hi, false);
        ExpectRange(a, r.wantLo, r.wantHi);
        EXPECT_EQ(a.ExtentMin, a.RangeMin);
        EXPECT_EQ(a.ExtentMax, a.RangeMax);
        EXPECT_EQ(a.DataMin, r.lo);
        EXPECT_EQ(a.DataMax, r.hi);
        EXPECT_EQ(a.NeedsRescale, 1);
    }

    CPlotAxis w = MakeAxis(ScaleType::Linear, 0, 10, 2, 8);
    w.DataMin = 3;
    w.DataMax = 7;
    w.SetDataExtent(-5, 9, true);
    EXPECT_EQ(w.DataMin, -5);
    EXPECT_EQ(w.DataMax, 9);
    EXPECT_EQ(w.ExtentMin, -5);
    EXPECT_EQ(w.ExtentMax, 10);
    ExpectRange(w, -5, 9);

    CPlotAxis n = MakeAxis(ScaleType::Linear, 0, 10, 2, 8);
    n.SetDataExtent(kNaN, 3, false);
    n.SetDataExtent(0, kInf, true);
    ExpectRange(n, 2, 8);
    EXPECT_EQ(n.NeedsRescale, 0);
}

TEST(AxisSettingsTest, ScaleAndIntervalChangesAreValidated) {
    CPlotAxis a;
    a.NeedsRescale = 0;
    EXPECT_TRUE(a.SetScale(1));
    EXPECT_EQ(a.NeedsRescale, 1);
    EXPECT_FALSE(a.SetScale(1));
    for (int bad : {5, 7, -1, 32767}) {
        EXPECT_FALSE(a.SetScale(bad));
        EXPECT_EQ(a.Scale, 1);
    }

    a.Interval = 0.3;
    a.SetUserInterval(2.5, 1);
    EXPECT_EQ(a.UserInterval, 2.5);
    EXPECT_EQ(a.Interval, 0.3) << "a log axis keeps its list step";
    EXPECT_EQ(a.LockGrid, 1);

    CPlotAxis lin;
    lin.SetUserInterval(2.5, 0);
    EXPECT_EQ(lin.Interval, 2.5);
    for (double bad : {-1.0, kNaN, kInf}) {
        lin.SetUserInterval(bad, 1);
        EXPECT_EQ(lin.UserInterval, 2.5) << bad;
        EXPECT_EQ(lin.LockGrid, 0);
    }
    CPlotTriAxis tri(2);
    tri.Scale = 1;
    tri.SetUserInterval(0.2, 1);
    EXPECT_EQ(tri.Interval, 0.2);
}

TEST(AxisSettingsTest, ListScalesBuildTheirTickListWhenScaled) {
    CPlotAxis a = MakeAxis(ScaleType::Log, 1, 1000, 3, 700);
    a.NeedsRescale = 1;
    a.AutoScale(ForIntervals(5));
    EXPECT_EQ(a.TickCount(), 9);
    ExpectRange(a, 2, 1000);
    EXPECT_TRUE(a.IsListScale());

    // A range asked for down to a negative bound keeps three decades under its top instead of
    // leaving the axis without ticks.
    a.SetRange(-1, 5);
    a.AutoScale(ForIntervals(5));
    EXPECT_GT(a.TickCount(), 0);
    EXPECT_GT(a.RangeMin, 0);
    EXPECT_GE(a.RangeMax, 5);

    // A scale number written straight into the field behaves as linear instead of crashing.
    a.Scale = 9;
    EXPECT_EQ(a.Type(), ScaleType::Linear);
    EXPECT_EQ(a.Transform(-3), -3);
}

}  // namespace
}  // namespace vtg
