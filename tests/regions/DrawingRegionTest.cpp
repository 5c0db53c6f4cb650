// The drawing region's own drawing (zero line, diagonal, grid, rubber band), its pixel and
// value queries, and the page clipper for segments.
#include <gtest/gtest.h>

#include <optional>

#include "platform/Locale.h"
#include "regions/LineClipper.h"
#include "CurveTestSupport.h"

namespace vtg {
namespace {

using test::kArea;

struct DrawingRegionTest : test::CurveFixture, testing::Test {
    LocaleOverride point{{".", "", ""}};
    std::vector<std::vector<Point>> LinesOf(PenStyle style) const {
        std::vector<std::vector<Point>> out;
        for (const DrawCall& c : dc.CallsOf(DrawOp::Polyline)) {
            if (c.state.pen.style == style) out.push_back(c.points);
        }
        return out;
    }
};

struct ZeroCase {
    const char* name;
    bool flipped;
    double lo;
    double hi;
    std::vector<std::vector<Point>> lines;
};

class ZeroLines : public DrawingRegionTest, public testing::WithParamInterface<ZeroCase> {};

TEST_P(ZeroLines, MarkValueZeroWhenTheValueRangeStraddlesIt) {
    Plot().ZeroLine = 1;
    Plot().Flipped = GetParam().flipped;
    SetRange(YAxis(), GetParam().lo, GetParam().hi);
    View();
    Area().Draw(dc, Plot(), 1);
    EXPECT_EQ(LinesOf(PenStyle::Solid), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ZeroLines,
    testing::Values(ZeroCase{"OneToTenHasNone", false, 1, 10, {}},
                    ZeroCase{"EndingAtZeroHasNone", false, 0, 10, {}},
                    ZeroCase{"AcrossZero", false, -5, 5, {{{100, 150}, {300, 150}}}},
                    ZeroCase{"FlippedRunsDownThePage", true, -5, 5, {{{200, 50}, {200, 250}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DrawingRegionTest, TheDiagonalJoinsTheEndsOfTheRangesCommonPart) {
    Plot().Diagonal = 1;
    SetRange(YAxis(), 5, 20);
    View();
    Area().Draw(dc, Plot(), 1);
    const std::optional<Point> from = Area().ToPixel(env, 5, 5);
    const std::optional<Point> to = Area().ToPixel(env, 10, 10);
    ASSERT_TRUE(from && to);
    EXPECT_EQ(LinesOf(PenStyle::Dot), (std::vector<std::vector<Point>>{{*from, *to}}));
    EXPECT_EQ(*from, (Point{200, 250}));

    // Ranges that do not meet have no diagonal.
    dc.Clear();
    SetRange(YAxis(), 15, 20);
    View();
    Area().Draw(dc, Plot(), 1);
    EXPECT_TRUE(LinesOf(PenStyle::Dot).empty());
}

TEST_F(DrawingRegionTest, GridLinesAcrossTheAreaAtEachAxisTick) {
    Plot().GridType = 3;
    XAxis().Interval = 5;
    YAxis().Interval = 2.5;
    Area().Draw(dc, Plot(), 1);
    const auto lines = dc.CallsOf(DrawOp::Polyline);
    // Vertical lines where left < x <= right, horizontal ones where top <= y < bottom.
    std::vector<std::vector<Point>> expected{{{200, 50}, {200, 250}}, {{300, 50}, {300, 250}}};
    for (int y : {200, 150, 100, 50}) expected.push_back({{100, y}, {300, y}});
    std::vector<std::vector<Point>> got;
    for (const DrawCall& c : lines) got.push_back(c.points);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(lines[0].state.pen.color, Rgb(203, 203, 203));
}

TEST_F(DrawingRegionTest, TheRubberBandFollowsTheMouseInsideTheAreaAndUndoesItself) {
    Area().BeginTrack(dc, Plot(), {150, 100});
    Area().Track(dc, Plot(), {400, 120});
    EXPECT_EQ(Area().BandRect, (Rect{150, 100, 300, 120}));
    Area().Track(dc, Plot(), {200, 0});
    EXPECT_EQ(Area().BandRect, (Rect{150, 100, 200, 50}));
    const auto rects = dc.CallsOf(DrawOp::Rectangle);
    // Drawn, erased and drawn again with the same self-inverting figure.
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0].rect, rects[1].rect);
    for (const DrawCall& c : rects) {
        EXPECT_EQ(c.state.rop, Rop2::NotXorPen);
        EXPECT_EQ(c.state.pen.style, PenStyle::Dot);
        EXPECT_EQ(c.state.brush.kind, BrushKind::Null);
    }
    EXPECT_EQ(rects[2].rect, (Rect{150, 50, 200, 100}));
    // A page never shows the band.
    dc.Clear();
    Plot().Printing = 1;
    Area().Draw(dc, Plot(), 1);
    EXPECT_EQ(dc.CountOf(DrawOp::Rectangle), 0u);
}

TEST_F(DrawingRegionTest, TheBandAsFractionsOfTheArea) {
    EXPECT_FALSE(Area().BandFractions());
    Area().BandActive = 1;
    Area().BandRect = {150, 250, 100, 50};
    const std::optional<BandFraction> f = Area().BandFractions();
    ASSERT_TRUE(f);
    EXPECT_DOUBLE_EQ(f->x0, 0.0);
    EXPECT_DOUBLE_EQ(f->x1, 51.0 / 201.0);
    EXPECT_DOUBLE_EQ(f->y0, 0.0);
    EXPECT_DOUBLE_EQ(f->y1, 1.0);
}

TEST_F(DrawingRegionTest, ValuesUnderPixelsAndPixelsUnderTheBand) {
    EXPECT_TRUE(Area().ValuesInRange(10.000005, -0.000005, XAxis(), YAxis()));
    EXPECT_FALSE(Area().ValuesInRange(10.0001, 5, XAxis(), YAxis()));
    EXPECT_EQ(Area().Readout(Plot(), {150, 200}), "x=2.5\ny=2.5");
    // A band picks the points whose pixels it holds.
    Data({1, 2, 3, 4}, {1, 2, 3, 4});
    Area().BandActive = 1;
    Area().BandRect = {130, 210, 160, 160};
    EXPECT_EQ(Area().SelectInBand(X(), Y(), XAxis(), YAxis(), Plot()), (std::vector<std::uint32_t>{1, 2}));
}

// ---- the page clipper ----

struct ClipCase {
    const char* name;
    Point a;
    Point b;
    std::optional<Segment> expected;
};

class SegmentClipper : public testing::TestWithParam<ClipCase> {};

TEST_P(SegmentClipper, CutsAtOneEdgePerRound) {
    EXPECT_EQ(ClipSegment(GetParam().a, GetParam().b, kArea), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Segments, SegmentClipper,
    testing::Values(ClipCase{"InsideUntouched", {120, 60}, {110, 70}, Segment{{110, 70}, {120, 60}}},
                    ClipCase{"LeftOfTheArea", {0, 60}, {99, 200}, std::nullopt},
                    ClipCase{"AcrossTheLeftEdge", {50, 100}, {150, 200}, Segment{{100, 150}, {150, 200}}},
                    ClipCase{"AcrossTheRightEdgeStopsAtRightMinusOne", {200, 100}, {400, 100},
                             Segment{{200, 100}, {299, 100}}},
                    ClipCase{"ThroughTopAndBottom", {200, 0}, {200, 400}, Segment{{200, 50}, {200, 249}}},
                    ClipCase{"CornerToCornerFarOutside", {-100000, -100000}, {100000, 100000},
                             Segment{{100, 100}, {249, 249}}},
                    ClipCase{"MissingTheCorner", {90, 55}, {105, 40}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vtg
