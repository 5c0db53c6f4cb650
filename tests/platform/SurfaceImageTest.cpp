// Pixel-exact drawing on the image surface: line ends, rectangle extents, dash runs, raster
// operations, pattern brushes, clipping, blits and PNG output.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <climits>

#include "SurfaceTestSupport.h"

namespace vtg {
namespace {

using namespace surface_test;

TEST(SurfaceImage, StartsWhiteAndReadsBackColoursAsColorRefs) {
    ImageSurface s(10, 10);
    EXPECT_EQ(s.PixelSize(), (Size{10, 10}));
    EXPECT_EQ(s.GetPixel(0, 0), kWhite);
    s.SetPixel({3, 4}, Rgb(1, 2, 3));
    EXPECT_EQ(s.GetPixel(3, 4), Rgb(1, 2, 3));
    EXPECT_EQ(s.GetPixel(-1, 0), 0u);
    EXPECT_EQ(s.GetPixel(0, 10), 0u);
    ImageSurface grey(4, 4, SurfaceKind::Window, 96, Rgb(128, 128, 128));
    EXPECT_EQ(grey.Kind(), SurfaceKind::Window);
    EXPECT_EQ(grey.GetPixel(3, 3), Rgb(128, 128, 128));
}

TEST(SurfaceImage, ThinLinesLeaveOutTheirLastPixel) {
    ImageSurface s(20, 12);
    s.MoveTo({2, 1});
    s.LineTo({10, 1});
    EXPECT_EQ(Row(s, 1, 0, 12), "..########..");
    s.MoveTo({10, 3});
    s.LineTo({2, 3});  // drawn right to left the end pixel is again left out
    EXPECT_EQ(Row(s, 3, 0, 12), "...########.");
    s.MoveTo({5, 5});
    s.LineTo({5, 5});
    EXPECT_EQ(CountInk(s, {0, 5, 20, 6}), 0) << "a zero-length line draws nothing";
}

TEST(SurfaceImage, PolylineDrawsSharedVerticesOnce) {
    ImageSurface s(20, 20);
    s.SetRop2(Rop2::XorPen);
    s.SelectPen(MakePen(kWhite));  // XOR with white inverts: black ink where drawn once
    const std::array<Point, 4> pts{Point{2, 2}, Point{12, 2}, Point{12, 12}, Point{2, 12}};
    s.Polyline(pts);
    // A vertex drawn twice would have been inverted back to white.
    EXPECT_EQ(s.GetPixel(12, 2), kBlack);
    EXPECT_EQ(s.GetPixel(12, 12), kBlack);
    EXPECT_EQ(s.GetPixel(2, 12), kWhite) << "the polyline's last point is left out";
    EXPECT_EQ(CountInk(s, {0, 0, 20, 20}), 30);
}

struct RectCase {
    const char* name;
    bool nullPen;
    bool nullBrush;
    Rect expectInk;     // everything not white
    Rect expectFill;    // brush-coloured area (empty: none)
};

class RectangleExtents : public ::testing::TestWithParam<RectCase> {};

TEST_P(RectangleExtents, MatchTheRightBottomExclusiveRule) {
    const RectCase& c = GetParam();
    ImageSurface s(30, 30);
    s.SelectPen(c.nullPen ? MakePen(kBlack, 1, PenStyle::Null) : MakePen(kBlack));
    s.SelectBrush(c.nullBrush ? NullBrush() : SolidBrush(kRed));
    s.Rectangle({5, 6, 15, 20});
    EXPECT_EQ(InkBounds(s), c.expectInk);
    const int fill = CountInk(s, {0, 0, 30, 30}, kWhite) - (c.nullPen ? 0 : 2 * (10 + 14) - 4);
    EXPECT_EQ(fill, c.expectFill.Width() * c.expectFill.Height());
    if (!c.expectFill.IsEmpty()) {
        EXPECT_EQ(s.GetPixel(c.expectFill.left, c.expectFill.top), kRed);
        EXPECT_EQ(s.GetPixel(c.expectFill.right - 1, c.expectFill.bottom - 1), kRed);
    }
    if (!c.nullPen) {
        EXPECT_EQ(s.GetPixel(5, 6), kBlack);
        EXPECT_EQ(s.GetPixel(14, 19), kBlack);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Surface, RectangleExtents,
    ::testing::Values(RectCase{"PenAndBrush", false, false, {5, 6, 15, 20}, {6, 7, 14, 19}},
                      RectCase{"OutlineOnly", false, true, {5, 6, 15, 20}, {}},
                      // As in GDI, without a pen the fill is one pixel smaller each way.
                      RectCase{"FillOnly", true, false, {5, 6, 14, 19}, {5, 6, 14, 19}},
                      RectCase{"Nothing", true, true, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceImage, PolygonFillsAlternateAndEllipseStaysInsideItsBox) {
    ImageSurface s(60, 60);
    s.SelectPen(MakePen(kBlack, 1, PenStyle::Null));
    s.SelectBrush(SolidBrush(kRed));
    // A five-pointed star drawn in one stroke: with alternate filling its centre is a hole.
    const std::array<Point, 5> star{Point{30, 2}, Point{47, 55}, Point{2, 21}, Point{58, 21}, Point{13, 55}};
    s.Polygon(star);
    EXPECT_EQ(s.GetPixel(30, 32), kWhite);
    EXPECT_EQ(s.GetPixel(30, 10), kRed);

    ImageSurface e(40, 30);
    e.SelectBrush(SolidBrush(kRed));
    e.Ellipse({5, 4, 35, 24});
    EXPECT_EQ(InkBounds(e), (Rect{5, 4, 35, 24})) << "touches all four sides, right/bottom exclusive";
    EXPECT_EQ(e.GetPixel(20, 14), kRed);
    EXPECT_EQ(e.GetPixel(5, 4), kWhite) << "the box's corners are outside the ellipse";
}

TEST(SurfaceImage, FillRectCoversLeftTopToRightBottomExclusiveAndIgnoresPenAndRop) {
    ImageSurface s(30, 30);
    s.SelectPen(MakePen(kBlack, 5));
    s.SetRop2(Rop2::XorPen);
    s.FillRect({20, 25, 3, 4}, SolidBrush(kRed));  // reversed corners are normalised
    EXPECT_EQ(InkBounds(s), (Rect{3, 4, 20, 25}));
    EXPECT_EQ(s.GetPixel(3, 4), kRed);
    EXPECT_EQ(s.GetPixel(19, 24), kRed);
}

struct DashCase {
    const char* name;
    PenStyle style;
    std::vector<int> runs;  // leading runs of ink, gap, ink, ...
};

class CosmeticDashes : public ::testing::TestWithParam<DashCase> {};

TEST_P(CosmeticDashes, ThinLinesUseTheWindowsCosmeticRuns) {
    const DashCase& c = GetParam();
    ImageSurface s(120, 5);
    s.SelectPen(MakePen(kBlack, 1, c.style));
    s.MoveTo({0, 2});
    s.LineTo({119, 2});
    const std::vector<int> runs = Runs(Row(s, 2, 0, 119));
    ASSERT_GE(runs.size(), c.runs.size());
    EXPECT_EQ(std::vector<int>(runs.begin(), runs.begin() + static_cast<long>(c.runs.size())), c.runs);
}

INSTANTIATE_TEST_SUITE_P(
    Surface, CosmeticDashes,
    ::testing::Values(DashCase{"Dash", PenStyle::Dash, {18, 6, 18, 6}}, DashCase{"Dot", PenStyle::Dot, {3, 3, 3, 3}},
                      DashCase{"DashDot", PenStyle::DashDot, {9, 6, 3, 6, 9}},
                      DashCase{"DashDotDot", PenStyle::DashDotDot, {9, 3, 3, 3, 3, 3, 9}},
                      // A style value no pen has (read from a settings file) draws solid.
                      DashCase{"UnknownStyleIsSolid", static_cast<PenStyle>(42), {119}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceImage, DashPatternContinuesAroundPolylineCorners) {
    ImageSurface s(40, 40);
    s.SelectPen(MakePen(kBlack, 1, PenStyle::Dash));
    const std::array<Point, 3> pts{Point{0, 1}, Point{10, 1}, Point{10, 30}};
    s.Polyline(pts);
    // 10 pixels on the first leg; the first dash's remaining 8 continue down the second.
    EXPECT_EQ(Column(s, 10, 1, 17), "########......##");
}

TEST(SurfaceImage, GeometricPenUsesUserDashesWithFlatCaps) {
    ImageSurface s(120, 12);
    Pen pen = MakePen(kBlack, 3);
    pen.geometric = true;
    pen.flatCap = true;
    pen.dashes = {16, 8};
    s.SelectPen(pen);
    s.MoveTo({0, 5});
    s.LineTo({119, 5});
    const std::vector<int> runs = Runs(Row(s, 5, 0, 120));
    ASSERT_GE(runs.size(), 5u);
    EXPECT_EQ(runs[0], 16);
    EXPECT_EQ(runs[1], 8);
    EXPECT_EQ(runs[2], 16);
    EXPECT_EQ(Column(s, 8, 0, 12), "....###.....") << "three pixels wide, centred on the line";
}

TEST(SurfaceImage, WideCosmeticPenIsDrawnAtItsWidthAndSolid) {
    ImageSurface s(60, 20);
    s.SelectPen(MakePen(kBlack, 4, PenStyle::Dash));
    s.MoveTo({10, 10});
    s.LineTo({50, 10});
    EXPECT_EQ(Runs(Row(s, 10, 0, 60)).size(), 2u) << "one ink run: styles need a thin pen";
    EXPECT_EQ(CountInk(s, {30, 0, 31, 20}), 4);
    // Round caps reach beyond the end points.
    EXPECT_NE(s.GetPixel(9, 10), kWhite);
    EXPECT_NE(s.GetPixel(50, 10), kWhite);
}

double DistanceToPolyline(double px, double py, const std::vector<Point>& pts) {
    double best = 1e300;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const double ax = pts[i].x, ay = pts[i].y;
        const double dx = pts[i + 1].x - ax, dy = pts[i + 1].y - ay;
        const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        best = std::min(best, std::hypot(px - ax - t * dx, py - ay - t * dy));
    }
    return best;
}

TEST(SurfaceImage, WidePolylinesAreRoundStrokesOfTheirWidth) {
    const std::vector<Point> pts{{10, 10}, {60, 14}, {30, 50}, {70, 45}, {70, 20}};
    for (int width : {2, 3, 5, 8}) {
        for (bool smooth : {false, true}) {
            ImageSurface s(80, 60);
            s.SetSmoothing(smooth);
            s.SelectPen(MakePen(kBlack, width));
            s.Polyline(pts);
            // A round pen's stroke is every point within half the width of the line. Pixels
            // within a pixel of that rim may go either way (centring, anti-aliasing).
            int wrong = 0;
            for (int y = 0; y < 60; ++y) {
                for (int x = 0; x < 80; ++x) {
                    const double d = DistanceToPolyline(x, y, pts) - width / 2.0;
                    const bool ink = s.GetPixel(x, y) != kWhite;
                    wrong += (d <= -1.0 && !ink) || (d >= 1.0 && ink) ? 1 : 0;
                }
            }
            EXPECT_EQ(wrong, 0) << "width " << width << (smooth ? " smooth" : " aliased");
        }
    }
}

TEST(SurfaceImage, StampedWideLineHasRoundEndsAndItsWidth) {
    ImageSurface s(60, 30);
    s.SelectPen(MakePen(kBlack, 5));
    s.MoveTo({10, 15});
    s.LineTo({50, 15});
    EXPECT_EQ(Column(s, 30, 10, 20), "...#####..");
    // Both ends reach half the width beyond the end points, the last one included.
    EXPECT_EQ(Row(s, 15, 6, 55), "..#############################################..");
    // Round, not square: next to the end the ink is 5 high, at the tip only 3, and the corners
    // of the end's bounding square stay empty.
    EXPECT_EQ(Column(s, 9, 10, 20), "...#####..");
    EXPECT_EQ(Column(s, 8, 10, 20), "....###...");
    EXPECT_EQ(Column(s, 52, 10, 20), "....###...");
}

TEST(SurfaceImage, NullPenAndNopDrawNothing) {
    ImageSurface s(20, 20);
    s.SelectPen(MakePen(kBlack, 1, PenStyle::Null));
    s.MoveTo({0, 0});
    s.LineTo({19, 19});
    s.SelectPen(MakePen(kBlack));
    s.SetRop2(Rop2::Nop);
    s.LineTo({0, 19});
    s.Rectangle({2, 2, 10, 10});
    EXPECT_EQ(CountInk(s, {0, 0, 20, 20}), 0);
}

}  // namespace
}  // namespace vtg
