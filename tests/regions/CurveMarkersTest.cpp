// Markers, point tool tips, the point buffer of curves without a line, and direction arrows.
#include <gtest/gtest.h>

#include <optional>

#include "platform/HeadlessSite.h"
#include "platform/Locale.h"
#include "plot/IPlotHost.h"
#include "regions/ArrowHead.h"
#include "CurveTestSupport.h"

namespace vtg {
namespace {

// A host with a window, whose site collects the point tips.
struct SitedHost : test::FakePlotHost {
    HeadlessSite site{400, 300};
    IWindowSite* Site() override { return &site; }
};

struct MarkerTest : test::CurveFixture, testing::Test {
    MarkerTest() {
        Y().Marker = 2;  // a filled square: one Rectangle call per marker
        Y().Color = 3;
    }
    // Marker centres, from the squares drawn.
    std::vector<Point> Markers() const {
        std::vector<Point> out;
        for (const DrawCall& c : dc.CallsOf(DrawOp::Rectangle)) {
            out.push_back({(c.rect.left + c.rect.right - 1) / 2, (c.rect.top + c.rect.bottom - 1) / 2});
        }
        return out;
    }
};

struct IntervalCase {
    const char* name;
    int variableInterval;
    int plotInterval;
    std::vector<int> marked;  // x values (0..9) that get a marker
};

class MarkerIntervals : public MarkerTest, public testing::WithParamInterface<IntervalCase> {};

TEST_P(MarkerIntervals, EveryNthPointWithAtLeastOne) {
    Y().VarMarkerInterval = GetParam().variableInterval;
    Plot().MarkerInterval = GetParam().plotInterval;
    Data({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
    DrawMarkers();
    std::vector<Point> expected;
    for (int x : GetParam().marked) expected.push_back({100 + 20 * x, 150});
    EXPECT_EQ(Markers(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, MarkerIntervals,
    testing::Values(IntervalCase{"PlotInterval", 0, 3, {0, 3, 6, 9}},
                    IntervalCase{"VariableIntervalWins", 4, 3, {0, 4, 8}},
                    IntervalCase{"ZeroPlotIntervalMarksEveryPoint", 0, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                    IntervalCase{"NegativePlotInterval", 0, -5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                    IntervalCase{"NegativeVariableInterval", -2, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MarkerTest, MarkersSkipMissingPointsAndThoseOutsideTheArea) {
    Data({0, 1, 2, 3, 11}, {1e28, 5, 10.05, 12, 5});
    DrawMarkers();
    // 10.05 lands one pixel above the area, still within its one-pixel margin.
    EXPECT_EQ(Markers(), (std::vector<Point>{{120, 150}, {140, 49}}));
}

TEST_F(MarkerTest, DenseSeriesGetAMarkerOnEveryPointWhileTheLineIsReduced) {
    std::vector<double> xs, ys;
    for (int i = 0; i < 2000; ++i) {
        xs.push_back(i * 0.005);
        ys.push_back(5 + (i % 7) * 0.5);
    }
    Data(xs, ys);
    DrawCurve();
    DrawMarkers();
    EXPECT_EQ(Y().MarkCount, 2000);
    EXPECT_EQ(Markers().size(), 2000u);
    // Ten points a pixel column: at most four of each column reach the line.
    std::size_t linePoints = 0;
    for (const auto& line : Lines()) linePoints += line.size();
    EXPECT_LE(linePoints, 4u * 201u);
}

TEST_F(MarkerTest, ACurveWithoutALineKeepsEachMarkedPointOnce) {
    Y().PenWidth = 0;
    Data({0, 1, 2, 3}, {1, 2, 3, 4});
    // Lines and markers: the curve stored every point; the markers add none.
    DrawCurve();
    DrawMarkers();
    EXPECT_EQ(Y().MarkCount, 4);
    EXPECT_TRUE(dc.CallsOf(DrawOp::Polyline).empty());
    // Markers alone: the marked points.
    Y().MarkCount = 0;
    Plot().MarkerInterval = 2;
    DrawMarkers();
    EXPECT_EQ(Buffer(), (std::vector<Point>{{100, 230}, {140, 190}}));
}

// The site's host comes first so that it outlives the plot that refers to it.
struct SitedBase {
    SitedHost sited;
};

struct TipTest : SitedBase, test::CurveFixture, testing::Test {
    LocaleOverride point{{".", "", ""}};
    TipTest() {
        plot = std::make_unique<CPlotLook>(env, sited);
        Plot().DrawingRgn->Rect = test::kArea;
        SetRange(XAxis(), 0, 10);
        SetRange(YAxis(), 0, 10);
        View();
        Y().Marker = 1;
    }
};

TEST_F(TipTest, SmallSeriesRegisterPointTipsWithTheWindow) {
    Data({1, 2.5}, {2, 3});
    DrawMarkers(2);
    const auto& tools = sited.site.Tools().Tools();
    ASSERT_EQ(tools.size(), 2u);
    EXPECT_EQ(tools[0].id, 201);
    EXPECT_EQ(tools[1].id, 202);
    EXPECT_EQ(tools[1].text, "x=2.5,y=3");
    EXPECT_EQ(tools[0].rect, (Rect{116, 206, 124, 214}));
    // A hundred points are too many for tips, and pages get none.
    sited.site.ClearTools();
    Data(std::vector<double>(100, 1), std::vector<double>(100, 2));
    DrawMarkers(2);
    EXPECT_TRUE(sited.site.Tools().Tools().empty());
    Data({1}, {2});
    RecordingSurface page(SurfaceKind::Printer);
    Area().DrawMarkers(page, X(), Y(), XAxis(), YAxis(), Plot(), 0);
    EXPECT_TRUE(sited.site.Tools().Tools().empty());
}

// ---- direction arrows ----

struct ArrowCase {
    const char* name;
    std::vector<Point> points;
    ArrowDirection direction;
    std::optional<ArrowPlacement> expected;
};

class ArrowEnds : public testing::TestWithParam<ArrowCase> {};

TEST_P(ArrowEnds, PointsAwayFromTheNearestDifferentPoint) {
    const std::optional<ArrowPlacement> a = ArrowAtEnd(GetParam().points, GetParam().direction);
    ASSERT_EQ(a.has_value(), GetParam().expected.has_value());
    if (!a) return;
    EXPECT_DOUBLE_EQ(a->tipX, GetParam().expected->tipX);
    EXPECT_DOUBLE_EQ(a->tipY, GetParam().expected->tipY);
    EXPECT_DOUBLE_EQ(a->dirX, GetParam().expected->dirX);
    EXPECT_DOUBLE_EQ(a->dirY, GetParam().expected->dirY);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, ArrowEnds,
    testing::Values(
        ArrowCase{"ForwardAtTheLastPoint", {{0, 0}, {10, 0}, {10, 20}}, ArrowDirection::Forward, ArrowPlacement{10, 20, 0, 1}},
        ArrowCase{"BackwardAtTheFirstPoint", {{0, 0}, {10, 0}, {10, 20}}, ArrowDirection::Backward, ArrowPlacement{0, 0, -1, 0}},
        ArrowCase{"RepeatedLastPointLooksFurtherBack", {{0, 0}, {0, 8}, {0, 8}, {0, 8}}, ArrowDirection::Forward,
                  ArrowPlacement{0, 8, 0, 1}},
        ArrowCase{"AllPointsInOnePixel", {{5, 5}, {5, 5}, {5, 5}}, ArrowDirection::Forward, std::nullopt},
        ArrowCase{"OnePoint", {{5, 5}}, ArrowDirection::Backward, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArrowMiddle, HalfTheLengthAlongThePolyline) {
    const std::vector<Point> pts{{0, 0}, {0, 0}, {30, 0}, {30, 10}};
    const std::optional<PolylineMiddle> m = MiddleOf(pts);
    ASSERT_TRUE(m);
    // 40 pixels long: the middle is 20 along the second segment, which is 30 long.
    EXPECT_EQ(m->segment, 1u);
    EXPECT_DOUBLE_EQ(m->fraction, 20.0 / 30.0);
    const auto forward = ArrowAtMiddle(pts, *m, ArrowDirection::Forward);
    ASSERT_TRUE(forward);
    EXPECT_DOUBLE_EQ(forward->tipX, 20);
    EXPECT_DOUBLE_EQ(forward->dirX, 1);
    // Against the data order the fraction counts from the segment's end.
    const auto backward = ArrowAtMiddle(pts, *m, ArrowDirection::Backward);
    ASSERT_TRUE(backward);
    EXPECT_DOUBLE_EQ(backward->tipX, 10);
    EXPECT_DOUBLE_EQ(backward->dirX, -1);
    EXPECT_FALSE(MiddleOf(std::vector<Point>{{3, 3}, {3, 3}}));
    EXPECT_FALSE(MiddleOf(std::vector<Point>{}));
}

TEST(ArrowHead, TipBarbsAndNotchInProportion) {
    const auto head = ArrowHeadPolygon(ArrowPlacement{100, 50, 1, 0}, 14);
    EXPECT_EQ(head, (std::array<Point, 4>{Point{100, 50}, Point{86, 55}, Point{93, 50}, Point{86, 45}}));
}

TEST_F(MarkerTest, TheArrowFollowsTheVariablesSettingAndStaysOffRunPlots) {
    Data({0, 5, 10}, {0, 5, 5});
    Y().Attrib2Extra = {1, 0};
    DrawCurve();
    Area().DrawArrow(dc, Y(), Plot());
    const auto polygons = dc.CallsOf(DrawOp::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points[0], (Point{300, 150}));
    EXPECT_EQ(polygons[0].state.brush.color, RgbOnly(tool.PaletteColor(3)));

    dc.Clear();
    Plot().RunPlot = 1;
    Area().DrawArrow(dc, Y(), Plot());
    EXPECT_TRUE(dc.Calls().empty());
}

}  // namespace
}  // namespace vtg
