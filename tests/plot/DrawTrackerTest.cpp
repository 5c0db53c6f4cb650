// The tracker: the curve point nearest to the mouse, hostile counts and removed variables, and
// a cross-hair and read-out box that leave the picture as it was when taken away.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ImageSurface.h"
#include "platform/Locale.h"
#include "regions/CPlotEnv.h"
#include "regions/CPlotDrawingRgn.h"
#include "PlotTestSupport.h"

namespace vtg {
namespace {

struct TrackerTest : test::PlotFixture, testing::Test {
    LocaleOverride point{{".", "", ""}};
    TrackerTest() {
        CPlotLook& p = Plot();
        p.SetSize(400, 300);
        p.DrawingRgn->Rect = {100, 50, 300, 250};
        for (CPlotAxis* a : {p.AxisByNumber(0), p.AxisByNumber(1)}) {
            a->RangeMin = 0;
            a->RangeMax = 10;
            a->NeedsRescale = 0;
        }
    }
    void Points(const std::vector<double>& xs, const std::vector<double>& ys) {
        Plot().XVar(0)->Values = xs;
        Plot().YVar(0)->Values = ys;
    }
};

TEST_F(TrackerTest, FindsTheNearestPointOrFootOnTheCurve) {
    Points({0, 10}, {0, 10});
    // The mouse right of the diagonal's middle: the foot lies on the segment.
    Plot().UpdateTracker({210, 150});
    EXPECT_EQ(Plot().TrackedVar, 0);
    EXPECT_NEAR(Plot().TrackX, 5.25, 1e-9);
    EXPECT_NEAR(Plot().TrackY, 5.25, 1e-9);
    EXPECT_EQ(Plot().TrackPixelX, 205);
    EXPECT_EQ(Plot().TrackPixelY, 145);
    EXPECT_EQ(Plot().TrackColor, RgbOnly(tool.PaletteColor(Plot().YVar(0)->Color)));
}

TEST_F(TrackerTest, EmptyAndSinglePointCurvesAndRemovedVariables) {
    Points({}, {});
    Plot().UpdateTracker({150, 150});
    EXPECT_EQ(Plot().TrackedVar, -1);
    Points({2}, {3});
    Plot().UpdateTracker({150, 150});
    EXPECT_EQ(Plot().TrackedVar, 0);
    EXPECT_DOUBLE_EQ(Plot().TrackX, 2);
    EXPECT_DOUBLE_EQ(Plot().TrackY, 3);
    // A variable that is gone is not followed; the remaining ones are searched.
    Plot().TrackedVar = 7;
    Plot().UpdateTracker({150, 150});
    EXPECT_EQ(Plot().TrackedVar, 0);
}

TEST_F(TrackerTest, TakingTheTrackerAwayRestoresEveryPixel) {
    ImageSurface image(400, 300);
    image.FillRect({0, 0, 400, 300}, Brush{BrushKind::Solid, Rgb(250, 240, 200)});
    image.FillRect({150, 100, 250, 200}, Brush{BrushKind::Solid, Rgb(20, 90, 160)});
    std::vector<Color> before;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) before.push_back(image.GetPixel(x, y));
    }
    CPlotLook& p = Plot();
    p.TrackX = 1.5;
    p.TrackY = 2.25;
    p.TrackPixelX = 290;  // near the right edge: the box goes left of the point
    p.TrackPixelY = 120;
    p.DrawingRgn->DrawTracker(image, p);
    ASSERT_TRUE(p.DrawingRgn->TrackerShown());
    EXPECT_NE(image.GetPixel(200, 120), before[120 * 400 + 200]);
    EXPECT_NE(image.GetPixel(280, 130), before[130 * 400 + 280]);
    EXPECT_EQ(image.GetPixel(295, 125), before[125 * 400 + 295]);
    p.DrawingRgn->EraseTracker(image, p);
    int changed = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) changed += image.GetPixel(x, y) != before[static_cast<std::size_t>(y) * 400 + x];
    }
    EXPECT_EQ(changed, 0);
    // Outside the drawing area there is no tracker.
    p.TrackPixelX = 20;
    p.DrawingRgn->DrawTracker(image, p);
    EXPECT_FALSE(p.DrawingRgn->TrackerShown());
}

}  // namespace
}  // namespace vtg
