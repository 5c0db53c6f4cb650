// Pixel-exact drawing on the image surface: line ends, rectangle extents, dash runs, raster
// operations, pattern brushes, clipping, blits and PNG output.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <array>
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
