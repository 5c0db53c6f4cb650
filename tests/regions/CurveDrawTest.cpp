// Drawing a curve, recorded: gaps and breaks, values a scale cannot show, the clip around a
// thick line, the point buffer, pages, flipped plots and hostile values.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>

#include "CurveTestSupport.h"

namespace vtg {
namespace {

using test::kArea;

struct CurveDrawTest : test::CurveFixture, testing::Test {};

const Point kP0{100, 230};  // (0, 1)
const Point kP1{120, 210};  // (1, 2)
const Point kP3{160, 170};  // (3, 4)
const Point kP4{180, 150};  // (4, 5)

struct GapCase {
    const char* name;
    double x2;
    double y2;
    std::vector<std::vector<Point>> lines;
};

class CurveGaps : public CurveDrawTest, public testing::WithParamInterface<GapCase> {};

TEST_P(CurveGaps, MissingValuesAreSkippedAndOnlyBreakValuesEndThePiece) {
    Data({0, 1, GetParam().x2, 3, 4}, {1, 2, GetParam().y2, 4, 5});
    DrawCurve();
    EXPECT_EQ(Lines(), GetParam().lines);
    // The point buffer never holds a skipped point.
    EXPECT_EQ(Buffer(), (std::vector<Point>{kP0, kP1, kP3, kP4}));
}

INSTANTIATE_TEST_SUITE_P(
    Values, CurveGaps,
    testing::Values(GapCase{"MissingContinues", 2, 1e28, {{kP0, kP1, kP3, kP4}}},
                    GapCase{"JustAboveTheLimitContinues", 2, 9.1e27, {{kP0, kP1, kP3, kP4}}},
                    GapCase{"NotANumberContinues", 2, NAN, {{kP0, kP1, kP3, kP4}}},
                    GapCase{"BreakValueEndsThePiece", 2, 1.9e28, {{kP0, kP1}, {kP3, kP4}}},
                    GapCase{"BreakInTheAbscissa", 2.5e28, 3, {{kP0, kP1}, {kP3, kP4}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CurveDrawTest, AZeroOnALogAxisIsSkippedWithoutBreakingTheLine) {
    YAxis().Scale = 1;
    SetRange(YAxis(), 1, 100);
    View();
    Data({0, 1, 2, 3}, {1, 0, 10, 100});
    DrawCurve();
    // log10 maps 1..100 onto 0..2: 10 is half-way up.
    EXPECT_EQ(Lines(), (std::vector<std::vector<Point>>{{{100, 250}, {140, 150}, {160, 50}}}));
}

TEST_F(CurveDrawTest, AThickCurveSpillsOverTheEdgeOnlyWhereItStaysInside) {
    Y().PenWidth = 3;
    // Along the top edge and back inside, then out through the right edge.
    Data({0, 5, 10, 12}, {10, 5, 10, 5});
    DrawCurve();
    const auto calls = dc.CallsOf(DrawOp::Polyline);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].points, (std::vector<Point>{{100, 50}, {200, 150}, {300, 50}}));
    EXPECT_EQ(calls[1].points, (std::vector<Point>{{300, 50}, {340, 150}}));
    // (3 + 1) / 2 = 2 pixels of spill for the segments inside, none for the one crossing.
    ASSERT_EQ(calls[0].state.clip.shapes.size(), 1u);
    EXPECT_EQ(calls[0].state.clip.shapes[0].rect, kArea.Inflate(2, 2));
    EXPECT_EQ(calls[1].state.clip.shapes[0].rect, kArea);
    EXPECT_TRUE(calls[0].state.smoothing);
    EXPECT_EQ(calls[0].state.pen.width, 3);
    // The surface gets its own state back.
    EXPECT_TRUE(dc.GetClip().IsNone());
    EXPECT_FALSE(dc.State().smoothing);
}

TEST_F(CurveDrawTest, APageGetsOnePolylinePerPieceOrClippedSegmentsForParametricPlots) {
    RecordingSurface page(SurfaceKind::Printer, {400, 300});
    Data({0, 5, 15, 20}, {5, 5, 5, 15});
    Area().DrawCurve(page, X(), Y(), XAxis(), YAxis(), Plot());
    const auto plain = page.CallsOf(DrawOp::Polyline);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].points, (std::vector<Point>{{100, 150}, {200, 150}, {400, 150}, {500, -50}}));
    EXPECT_EQ(plain[0].state.clip.shapes[0].rect, kArea);
    EXPECT_FALSE(plain[0].state.smoothing);

    page.Clear();
    Plot().Parametric = 1;
    Area().DrawCurve(page, X(), Y(), XAxis(), YAxis(), Plot());
    // The segment leaving through the right edge ends at right - 1; the one beyond is gone.
    std::vector<std::vector<Point>> lines;
    for (const DrawCall& c : page.CallsOf(DrawOp::Polyline)) lines.push_back(c.points);
    EXPECT_EQ(lines, (std::vector<std::vector<Point>>{{{100, 150}, {200, 150}}, {{200, 150}, {299, 150}}}));
}

TEST_F(CurveDrawTest, FlippedPlotsRunTheIndependentValuesDownThePage) {
    Plot().Flipped = 1;
    View();
    Data({0, 5}, {2, 4});
    DrawCurve();
    EXPECT_EQ(Lines(), (std::vector<std::vector<Point>>{{{140, 250}, {180, 150}}}));
}

TEST_F(CurveDrawTest, AClosedVariableEndsWhereItStartedAndAFilledOneIsAPolygon) {
    Y().Filled = 1;
    Y().FillStyle = -1;
    Data({0, 5, 10}, {0, 10, 0});
    DrawCurve();
    // The buffer had exactly as many slots as values; closing it must not write past them.
    EXPECT_EQ(Buffer(), (std::vector<Point>{{100, 250}, {200, 50}, {300, 250}, {100, 250}}));
    EXPECT_EQ(Lines().back().back(), (Point{100, 250}));

    dc.Clear();
    Y().FillStyle = 3;
    Y().Color = 2;
    DrawCurve();
    const auto polygons = dc.CallsOf(DrawOp::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points.size(), 4u);
    EXPECT_EQ(polygons[0].state.brush.kind, BrushKind::Pattern);
    EXPECT_EQ(polygons[0].state.textColor, RgbOnly(tool.PaletteColor(2)));
    EXPECT_EQ(dc.CountOf(DrawOp::Polyline), 0u);
}

TEST_F(CurveDrawTest, NothingIsDrawnOrStoredWithoutARectangleToMapInto) {
    Data({0, 5, 10}, {0, 10, 0});
    Y().Marker = 2;
    Plot().DrawingRgn->Rect = {100, 50, 100, 250};
    View();
    DrawCurve();
    DrawMarkers();
    EXPECT_TRUE(dc.Calls().empty());
    EXPECT_EQ(Y().MarkCount, 0);
}

TEST_F(CurveDrawTest, FarValuesStayWithinReachOfTheRectangle) {
    Data({0, 5, 10}, {5, 1e20, -1e20});
    DrawCurve();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    for (Point p : lines[0]) EXPECT_LE(std::abs(p.y), 250 + (1 << 26));
    EXPECT_EQ(lines[0][1].y, 50 - (1 << 26));
}

TEST_F(CurveDrawTest, ARunPlotDrawsFromTheWindowStartInTimeOrder) {
    Plot().RunPlot = 1;
    X().MakeCircular(5);
    Y().MakeCircular(5);
    // Time stamps 1..7 in five slots: 6, 7, 3, 4, 5 with slot 2 the oldest.
    X().Values = {6, 7, 3, 4, 5};
    Y().Values = {6, 7, 3, 4, 5};
    X().WritePos = Y().WritePos = 2;
    X().Wrapped = Y().Wrapped = 1;
    SetRange(XAxis(), 4, 9);
    View();
    DrawCurve();
    // x 4..7 over 4..9 is 40 px a unit; y v at 250 - 20 v.
    EXPECT_EQ(Lines(), (std::vector<std::vector<Point>>{{{100, 170}, {140, 150}, {180, 130}, {220, 110}}}));

    // The walk ends where the time stamps go back.
    dc.Clear();
    X().Values = {6, 2, 3, 4, 5};
    DrawCurve();
    EXPECT_EQ(Lines(), (std::vector<std::vector<Point>>{{{100, 170}, {140, 150}, {180, 130}}}));
}

}  // namespace
}  // namespace vtg
