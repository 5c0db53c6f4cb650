// The device-context state every surface shares: selections, save/restore levels, the clip as
// a value, and the current position that lines and UpdateCP text move.
#include <gtest/gtest.h>

#include <array>

#include "SurfaceTestSupport.h"

namespace vtg {
namespace {

using namespace surface_test;

TEST(SurfaceState, SettersReturnThePreviousValueSoGuardsRestoreIt) {
    ImageSurface s(20, 20);
    const Pen red = MakePen(kRed, 3);
    {
        PenGuard pen(s, red);
        BrushGuard brush(s, NullBrush());
        Font big;
        big.height = 40;
        FontGuard font(s, big);
        EXPECT_EQ(s.State().pen, red);
        EXPECT_EQ(s.State().brush.kind, BrushKind::Null);
        EXPECT_EQ(s.State().font.height, 40);
        EXPECT_EQ(s.SetRop2(Rop2::XorPen), Rop2::CopyPen);
        EXPECT_EQ(s.SetRop2(Rop2::CopyPen), Rop2::XorPen);
        EXPECT_EQ(s.SetTextAlign(TextAlign::Right), TextAlign::Left | TextAlign::Top);
        EXPECT_EQ(s.SetBkMode(BkMode::Transparent), BkMode::Opaque);
        EXPECT_EQ(s.SetSmoothing(true), false);
        EXPECT_EQ(s.MoveTo({5, 6}), (Point{0, 0}));
    }
    EXPECT_EQ(s.State().pen, Pen{});
    EXPECT_EQ(s.State().brush.kind, BrushKind::Solid);
    EXPECT_EQ(s.State().font, Font{});
}

TEST(SurfaceState, RestoreStatePopsToTheLevelAndRejectsUnknownLevels) {
    ImageSurface s(20, 20);
    s.SetTextColor(kRed);
    const int first = s.SaveState();
    s.SetTextColor(kBlue);
    const int second = s.SaveState();
    s.SetTextColor(kBlack);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);

    EXPECT_FALSE(s.RestoreState(0));
    EXPECT_FALSE(s.RestoreState(3));
    EXPECT_FALSE(s.RestoreState(-3));
    EXPECT_EQ(s.State().textColor, kBlack);

    // Restoring the first level drops the second as well (RestoreDC semantics).
    EXPECT_TRUE(s.RestoreState(first));
    EXPECT_EQ(s.State().textColor, kRed);
    EXPECT_FALSE(s.RestoreState(second));

    s.SaveState();
    s.SetTextColor(kBlue);
    EXPECT_TRUE(s.RestoreState(-1));
    EXPECT_EQ(s.State().textColor, kRed);
}

TEST(SurfaceState, RestoredClipIsWhatTheNextDrawingObeys) {
    ImageSurface s(20, 20);
    {
        StateGuard guard(s);
        s.SelectClipRect({0, 0, 5, 5});
        s.FillRect({0, 0, 20, 20}, SolidBrush(kRed));
    }
    // The backend must drop the clip it had applied when the state comes back.
    s.FillRect({10, 10, 12, 12}, SolidBrush(kBlue));
    EXPECT_EQ(s.GetPixel(4, 4), kRed);
    EXPECT_EQ(s.GetPixel(6, 6), kWhite);
    EXPECT_EQ(s.GetPixel(11, 11), kBlue);
}

TEST(SurfaceState, ClipValuesReplaceIntersectAndRoundTrip) {
    ImageSurface s(50, 50);
    EXPECT_TRUE(s.GetClip().IsNone());

    s.SelectClipRect({10, 10, 40, 40});
    s.IntersectClipRect({30, 0, 50, 35});
    const ClipRegion narrowed = s.GetClip();
    ASSERT_EQ(narrowed.shapes.size(), 1u) << "two rectangles merge into one";
    EXPECT_EQ(narrowed.shapes[0].rect, (Rect{30, 10, 40, 35}));

    s.SelectClipRect({0, 0, 5, 5});  // replaces, not intersects
    EXPECT_EQ(s.GetClip().shapes[0].rect, (Rect{0, 0, 5, 5}));

    {
        ClipGuard guard(s);
        s.SetClip(narrowed);
        EXPECT_EQ(s.GetClip(), narrowed);
    }
    EXPECT_EQ(s.GetClip().shapes[0].rect, (Rect{0, 0, 5, 5}));

    const std::array<Point, 3> triangle{Point{0, 0}, Point{40, 0}, Point{0, 40}};
    s.IntersectClipPolygon(triangle);
    EXPECT_EQ(s.GetClip().shapes.size(), 2u);
    s.RemoveClip();
    EXPECT_TRUE(s.GetClip().IsNone());
}

TEST(SurfaceState, DegenerateClipPolygonClipsEverythingAway) {
    ImageSurface s(20, 20);
    const std::array<Point, 2> line{Point{0, 0}, Point{19, 19}};
    s.SelectClipPolygon(line);
    s.FillRect({0, 0, 20, 20}, SolidBrush(kRed));
    EXPECT_EQ(CountInk(s, {0, 0, 20, 20}), 0);
}

TEST(SurfaceState, LineToMovesTheCurrentPosition) {
    ImageSurface s(20, 20);
    s.MoveTo({2, 2});
    s.LineTo({10, 2});
    s.LineTo({10, 8});
    EXPECT_EQ(s.State().position, (Point{10, 8}));
    // The second line starts on the shared vertex, the first leaves it out.
    EXPECT_EQ(Row(s, 2, 0, 12), "..#########.");
    EXPECT_EQ(Column(s, 10, 0, 10), "..######..");
}

struct CpCase {
    const char* name;
    unsigned align;
    int angle;
    int expectDx;  // in units of the extent
    int expectDy;
};

class TextCurrentPosition : public ::testing::TestWithParam<CpCase> {};

TEST_P(TextCurrentPosition, AdvancesAlongTheTextByTheExtent) {
    const CpCase& c = GetParam();
    ImageSurface s(400, 400);
    Font f;
    f.angle = c.angle;
    s.SelectFont(f);
    s.SetTextAlign(c.align | TextAlign::UpdateCP);
    s.MoveTo({200, 200});
    s.TextOut({0, 0}, "Pressure");
    const int w = s.GetTextExtent("Pressure").cx;
    ASSERT_GT(w, 20);
    EXPECT_EQ(s.State().position, (Point{200 + c.expectDx * w, 200 + c.expectDy * w}));
    // The reference point was the current position, not the argument.
    EXPECT_EQ(CountInk(s, {0, 0, 50, 50}), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Surface, TextCurrentPosition,
    ::testing::Values(CpCase{"LeftForward", TextAlign::Left, 0, 1, 0}, CpCase{"RightBack", TextAlign::Right, 0, -1, 0},
                      CpCase{"CenterStays", TextAlign::Center, 0, 0, 0},
                      CpCase{"RotatedRunsUp", TextAlign::Left | TextAlign::Baseline, 900, 0, -1},
                      CpCase{"UpsideDown", TextAlign::Left, 1800, -1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceState, TextBoundsFollowAlignmentAndRotation) {
    ImageSurface s(100, 100);
    const Size ext = s.GetTextExtent("Flow");
    s.SetTextAlign(TextAlign::Right | TextAlign::Bottom);
    EXPECT_EQ(s.TextBounds({50, 50}, "Flow"), (Rect{50 - ext.cx, 50 - ext.cy, 50, 50}));
    Font up;
    up.angle = 900;
    s.SelectFont(up);
    s.SetTextAlign(TextAlign::Left | TextAlign::Bottom);
    // Rotated a quarter turn counter-clockwise the text runs upward from the anchor, its cell
    // lying to the left of the baseline direction.
    EXPECT_EQ(s.TextBounds({50, 50}, "Flow"), (Rect{50 - ext.cy, 50 - ext.cx, 50, 50}));
}

}  // namespace
}  // namespace vtg
