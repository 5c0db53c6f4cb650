// The layout arithmetic with plain numbers: bands, margins, the axis and caption columns, the
// square rule, the legend's claims on the drawing area and the output scale. Expected values
// are worked out by hand from the measured sizes given.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "regions/PlotLayout.h"

namespace vtg {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A 400 x 310 screen plot: title 100 x 20, X caption 60 x 16, X tick labels at most 24 x 13,
// one Y axis with labels 24 x 13 and its caption 16 across, 50 along.
LayoutInput BasePlot() {
    LayoutInput in;
    in.width = 400;
    in.height = 310;
    in.title = {100, 20};
    in.bottomCaption = {60, 16};
    in.bottomLabels = {24, 13};
    in.sideAxes = {{true, {24, 13}}};
    in.sideCaptions = {{1, true, {16, 50}}};
    return in;
}

bool Inside(const Rect& r, int w, int h) { return r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h; }

TEST(LayoutSteps, BasePlotToThePixel) {
    const LayoutResult out = ComputeLayout(BasePlot());
    // t = 20 + 10; b' = 310 - 2*16; S = 13 + 3; c = 400 - 12 - 7; C = the margin 3, the
    // caption 16, the gap 7 (half a label's height), the labels 24 with their 2 + 3 units of
    // inset, the line 1.
    EXPECT_EQ(out.drawing, (Rect{56, 30, 381, 262}));
    EXPECT_EQ(out.title, (Rect{168, 5, 268, 25}));
    EXPECT_EQ(out.bottomAxis, (Rect{56, 263, 381, 278}));
    EXPECT_EQ(out.bottomCaption, (Rect{188, 286, 248, 302}));
    ASSERT_EQ(out.sideAxes.size(), 1u);
    EXPECT_EQ(out.sideAxes[0], (Rect{26, 30, 55, 262}));
    ASSERT_EQ(out.sideCaptions.size(), 1u);
    EXPECT_EQ(out.sideCaptions[0], (Rect{3, 121, 19, 171}));
    EXPECT_TRUE(out.legend.IsEmpty());

    // Run and parametric plots lengthen side captions by an eighth of the height.
    LayoutInput in = BasePlot();
    in.lengthenCaptions = true;
    EXPECT_EQ(ComputeLayout(in).sideCaptions[0], (Rect{3, 107, 19, 186}));
    // A caption without text (or without an axis) takes no room: the area reaches the axis
    // labels, their inset and the line. Flipped plots keep one caption's room whatever it
    // shows.
    in = BasePlot();
    in.sideCaptions[0].visible = false;
    EXPECT_EQ(ComputeLayout(in).drawing.left, 3 + 24 + 5 + 1);
    EXPECT_TRUE(ComputeLayout(in).sideCaptions[0].IsEmpty());
    in.flipped = true;
    EXPECT_EQ(ComputeLayout(in).drawing.left, 3 + 16 + 24 + 5 + 1);
}

TEST(LayoutSteps, RightMarginIsHalfTheWidestBottomLabelAndSevenUnits) {
    struct Row {
        int width;
        int widestLabel;
        double scale;
        int right;
    };
    const Row rows[] = {
        {300, 40, 1.0, 273},
        {300, 41, 1.0, 273},     // half a label rounds down
        {300, 40, 1.5, 270},     // 7 units at 1.5 are trunc(10.5)
        {300, 40, 2.0, 266},
        {300, 0, 1.0, 293},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.widestLabel + row.scale);
        LayoutInput in;
        in.width = row.width;
        in.height = 300;
        in.scale = row.scale;
        in.bottomLabels = {row.widestLabel, 10};
        EXPECT_EQ(ComputeLayout(in).drawing.right, row.right);
    }
}

TEST(LayoutSteps, AxesAndCaptionsRunFromTheLastToTheFirst) {
    struct Row {
        const char* name;
        std::vector<LayoutAxis> axes;
        std::vector<LayoutCaption> captions;
        int drawingLeft;
        std::vector<Rect> axisRects;
        std::vector<Rect> captionRects;
    };
    const int t = 30;
    const int b = 262;
    const Row rows[] = {
        // From the right: axis 2 (line 1, labels 40 + 2 + 3), gap 7, its caption 16; the
        // ticks of axis 1 (5) after a gap of 7, axis 1 (line 1, labels 30 + 2), gap 7, its
        // caption 16; the margin 3.
        {"two axes",
         {{true, {30, 13}}, {true, {40, 13}}},
         {{1, true, {16, 50}}, {2, true, {16, 60}}},
         140,
         {{26, t, 58, b}, {94, t, 139, b}},
         {{3, 121, 19, 171}, {71, 116, 87, 176}}},
        // A hidden axis takes no room; its caption stays, a gap away from its neighbours.
        {"the middle one hidden",
         {{true, {30, 13}}, {false, {40, 13}}, {true, {20, 13}}},
         {{1, true, {16, 50}}, {2, true, {16, 60}}, {3, true, {16, 40}}},
         143,
         {{26, t, 58, b}, {}, {117, t, 142, b}},
         {{3, 121, 19, 171}, {71, 116, 87, 176}, {94, 126, 110, 166}}},
        {"two captions on one axis",
         {{true, {30, 13}}},
         {{1, true, {16, 50}}, {1, true, {16, 40}}},
         85,
         {{49, t, 84, b}},
         {{26, 121, 42, 171}, {3, 126, 19, 166}}},
        // Each caption is as wide as its own text, a raised exponent included.
        {"captions of their own widths",
         {{true, {30, 13}}, {true, {30, 13}}},
         {{1, true, {16, 50}}, {2, true, {22, 60}}},
         // 35 + 1 + 7 + 22 + 7 + 5 + 1 + 32 + 7 + 16 + 3
         136,
         {{26, t, 58, b}, {100, t, 135, b}},
         {{3, 121, 19, 171}, {71, 116, 93, 176}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LayoutInput in = BasePlot();
        in.sideAxes = row.axes;
        in.sideCaptions = row.captions;
        const LayoutResult out = ComputeLayout(in);
        EXPECT_EQ(out.drawing.left, row.drawingLeft);
        EXPECT_EQ(out.sideAxes, row.axisRects);
        EXPECT_EQ(out.sideCaptions, row.captionRects);
    }
}

TEST(LayoutSteps, SquarePlotsAreExactlySquareAndCentred) {
    struct Row {
        int width;
        int height;
    };
    for (const Row& row : {Row{800, 310}, Row{801, 310}, Row{300, 700}, Row{300, 701}}) {
        SCOPED_TRACE(row.width * 10000 + row.height);
        LayoutInput in = BasePlot();
        in.width = row.width;
        in.height = row.height;
        const Rect free = ComputeLayout(in).drawing;
        in.square = true;
        const LayoutResult out = ComputeLayout(in);
        const Rect& d = out.drawing;
        EXPECT_EQ(d.Width(), d.Height());
        EXPECT_EQ(d.Width(), std::min(free.Width(), free.Height()));
        EXPECT_LE(std::abs((d.left + d.right) - (free.left + free.right)), 1);
        EXPECT_LE(std::abs((d.top + d.bottom) - (free.top + free.bottom)), 1);
        // Axes follow the area they belong to.
        EXPECT_EQ(out.bottomAxis.top, d.bottom + 1);
        EXPECT_EQ(out.bottomAxis.left, d.left);
        EXPECT_EQ(out.sideAxes[0].right, d.left - 1);
        EXPECT_EQ(out.sideAxes[0].top, d.top);
    }
}

TEST(LayoutSteps, ScaledOutputScalesEveryUnitLength) {
    // The base plot printed at E = 6: window and measured sizes six times larger.
    LayoutInput in;
    in.width = 2400;
    in.height = 1860;
    in.scale = 6;
    in.title = {600, 120};
    in.bottomCaption = {360, 96};
    in.bottomLabels = {144, 78};
    in.sideAxes = {{true, {180, 78}}};
    in.sideCaptions = {{1, true, {96, 300}}};
    in.legendShown = true;
    in.legend = {480, 300};
    in.legendX = 0;
    const LayoutResult out = ComputeLayout(in);
    // S = 78 + 18; C = 18 + 96 + 39 + (180 + 12 + 18 + 1); c = 2400 - 72 - 42; the legend's
    // left edge keeps 5 units (30) from the window: C = 30 + 480.
    EXPECT_EQ(out.bottomAxis, (Rect{510, 1573, 2286, 1668}));
    EXPECT_EQ(out.drawing, (Rect{510, 180, 2286, 1572}));
    EXPECT_EQ(out.sideAxes[0], (Rect{299, 180, 509, 1572}));
    in.legendShown = false;
    EXPECT_EQ(ComputeLayout(in).drawing.left, 364);
    EXPECT_EQ(out.legend.left, 31);
}

TEST(LayoutSteps, LegendNarrowsTheDrawingArea) {
    struct Row {
        const char* name;
        double xF;
        double yF;
        Rect drawing;
        Rect legend;
    };
    const Row rows[] = {
        // Right edge at C + (W - C - 10)/xF + 0.5 at most: no change at xF = 1 here.
        {"default place", 1.0, 0.03, {56, 30, 381, 262}, {303, 36, 383, 86}},
        {"xF 2", 2.0, 0.03, {56, 30, 223, 262}, {313, 36, 393, 86}},
        {"xF 0.5 leaves room", 0.5, 0.03, {56, 30, 381, 262}, {140, 36, 220, 86}},
        // Legend left edge would be 56 - 80: C = (5 + 80 - 0)/1.
        {"xF 0", 0.0, 0.03, {85, 30, 381, 262}, {6, 36, 86, 86}},
        {"yF 0 leaves room", 1.0, 0.0, {56, 30, 381, 262}, {303, 30, 383, 80}},
        // Legend top would be 30 - 46.4: t = (5 + 52.4)/1.2.
        {"yF -0.2", 1.0, -0.2, {56, 47, 381, 262}, {303, 3, 383, 53}},
        {"yF 0.9 leaves room", 1.0, 0.9, {56, 30, 381, 262}, {303, 239, 383, 289}},
        // Legend bottom would be 312: b = (310 - 50 - 5 - 0)/1.
        {"yF 1", 1.0, 1.0, {56, 30, 381, 255}, {303, 256, 383, 306}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LayoutInput in = BasePlot();
        in.legendShown = true;
        in.legend = {80, 50};
        in.legendX = row.xF;
        in.legendY = row.yF;
        const LayoutResult out = ComputeLayout(in);
        EXPECT_EQ(out.drawing, row.drawing);
        EXPECT_EQ(out.legend, row.legend);
        EXPECT_EQ(out.bottomAxis.top, out.drawing.bottom + 1);
    }
}

TEST(LayoutSteps, RightEdgeRequestPutsTheLegendAtTheWindowEdge) {
    LayoutInput in = BasePlot();
    in.legendShown = true;
    in.legend = {80, 50};
    in.legendAtRightEdge = true;
    const LayoutResult out = ComputeLayout(in);
    EXPECT_TRUE(out.rightEdgeRequestServed);
    // xF = (400 - 56 - 10)/(400 - 80 - 15 - 56).
    EXPECT_NEAR(out.legendX, 334.0 / 249.0, 1e-9);
    EXPECT_EQ(out.drawing.right, 305);
    EXPECT_EQ(out.legend.right - 1, 391);
    EXPECT_GE(out.legend.left, out.drawing.right);

    // No room for it: the fraction stays, the request is still used up.
    in.legend = {360, 50};
    const LayoutResult narrow = ComputeLayout(in);
    EXPECT_TRUE(narrow.rightEdgeRequestServed);
    EXPECT_EQ(narrow.legendX, 1.0);
}

TEST(LayoutSteps, HostileLegendFractionsStaySane) {
    const double values[] = {kNaN, kInf, -kInf, 1e30, -1e30, 0.0, 1e-30, -1e-30, 0.9999999, 1.0000001};
    for (double xF : values) {
        for (double yF : values) {
            for (Size legend : {Size{80, 50}, Size{120, 280}, Size{500, 500}}) {
                SCOPED_TRACE(testing::Message() << xF << " " << yF << " " << legend.cx << "x" << legend.cy);
                LayoutInput in = BasePlot();
                in.legendShown = true;
                in.legend = legend;
                in.legendX = xF;
                in.legendY = yF;
                const LayoutResult out = ComputeLayout(in);
                EXPECT_TRUE(std::isfinite(out.legendX) && std::isfinite(out.legendY));
                EXPECT_TRUE(Inside(out.drawing, in.width, in.height));
                EXPECT_GE(out.drawing.Width(), 0);
                EXPECT_GE(out.drawing.Height(), 20);
                EXPECT_LE(out.legend.right, in.width);
                EXPECT_GE(out.legend.top, 0);
                if (legend.cy <= in.height) {
                    EXPECT_LE(out.legend.bottom, in.height);
                }
            }
        }
    }
    EXPECT_EQ(SanitizeLegendFraction(kNaN, 0.03), 0.03);
    EXPECT_EQ(SanitizeLegendFraction(1e30, 1.0), kMaxLegendFraction);
    EXPECT_EQ(SanitizeLegendFraction(-kInf, 1.0), 1.0);
    EXPECT_EQ(SanitizeLegendFraction(0.25, 1.0), 0.25);

    // Windows too small for the margins give an empty drawing area, never an inverted one.
    for (Size window : {Size{0, 0}, Size{10, 10}, Size{-50, -50}}) {
        LayoutInput in = BasePlot();
        in.width = window.cx;
        in.height = window.cy;
        in.square = true;
        const Rect d = ComputeLayout(in).drawing;
        EXPECT_TRUE(d.right >= d.left && d.bottom >= d.top) << window.cx;
    }
}

}  // namespace
}  // namespace vtg
