// The region base: state bits, hit testing in list order, the plot's region lookups,
// invalidation through the host and the clip region on a shifted device.
#include <gtest/gtest.h>

#include <climits>

#include "platform/RecordingSurface.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {
namespace {

TEST(RegionState, MaskSelectsWhichFlagTheBitsSet) {
    struct Row {
        int bits;
        int mask;
        int hidden;
        int selectable;
        int result;
    };
    const Row rows[] = {
        {0, 1, 1, 1, 3},    // bit 0 clear hides
        {1, 1, 0, 1, 3},
        {0, 2, 0, 0, 1},    // bit 1 clear makes it unselectable
        {2, 2, 0, 1, 3},
        {0, 3, 1, 0, 1},
        {3, 3, 0, 1, 3},
        {0, 0, 0, 1, 3},    // no mask bit: nothing changes
        {-1, 0, 0, 1, 3},
        {0, ~3, 0, 1, 3},   // mask bits beyond the two mean nothing
        {~0, -1, 0, 1, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.bits << "/" << row.mask);
        CPlotRegion region;
        EXPECT_EQ(region.SetState(row.bits, row.mask), row.result);
        EXPECT_EQ(region.Hidden, row.hidden);
        EXPECT_EQ(region.Selectable, row.selectable);
    }
}

TEST(RegionState, HiddenOrUnselectableRegionsAreNeverHit) {
    CPlotRegion region;
    region.SetRect(10, 20, 30, 40);
    const Point inside{10, 20};
    EXPECT_TRUE(region.HitTest(inside));
    EXPECT_FALSE(region.HitTest({30, 25}));     // right and bottom edges are outside
    EXPECT_FALSE(region.HitTest({15, 40}));
    region.SetState(0, 1);
    EXPECT_FALSE(region.HitTest(inside));
    region.SetState(1, 1);
    region.SetState(0, 2);
    EXPECT_FALSE(region.HitTest(inside));

    CPlotLegendRgn legend;
    legend.SetRect(10, 20, 30, 40);
    EXPECT_FALSE(legend.HitTest(inside));
    legend.Shown = 1;
    EXPECT_TRUE(legend.HitTest(inside));
}

struct RegionTree : test::PlotFixture, testing::Test {
    RecordingSurface dc;
    RegionTree() {
        host.props.Title = "Plant";
        host.props.xlabel = "Time";
        Rebuild();
        plot->SetSize(400, 310);
        plot->Layout(dc);
    }
    static Point Centre(const CPlotRegion& r) { return {(r.Rect.left + r.Rect.right) / 2, (r.Rect.top + r.Rect.bottom) / 2}; }
};

TEST_F(RegionTree, TheRegionUnderThePointIsTheFirstInListOrder) {
    CPlotLook& p = Plot();
    EXPECT_EQ(p.RegionAt(Centre(*p.DrawingRgn)), p.DrawingRgn.get());
    EXPECT_EQ(p.RegionAt(Centre(*p.TitleRgn)), p.TitleRgn.get());
    EXPECT_EQ(p.RegionAt(Centre(*p.XLabelRgn)), p.XLabelRgn.get());
    EXPECT_EQ(p.RegionAt({-5, -5}), nullptr);

    // The title now covers the drawing area: the drawing region comes first in the list.
    const Point centre = Centre(*p.DrawingRgn);
    p.TitleRgn->Rect = p.DrawingRgn->Rect;
    EXPECT_EQ(p.RegionAt(centre), p.DrawingRgn.get());
    p.DrawingRgn->SetState(0, 1);
    EXPECT_EQ(p.RegionAt(centre), p.TitleRgn.get());
    p.TitleRgn->SetState(0, 1);
    EXPECT_EQ(p.RegionAt(centre), nullptr);
}

TEST_F(RegionTree, RegionsAreFoundByKindAndNumber) {
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetAxisMap(1, 2);
    p.SetLabel(-2, "corner");
    struct Row {
        int kind;
        int number;
        const CPlotRegion* expected;
    };
    const Row rows[] = {
        {RegionKind::Drawing, 1, p.DrawingRgn.get()},
        {RegionKind::XAxis, 1, p.XAxisRgn.get()},
        {RegionKind::YAxis, 2, p.YAxisRgns[1].get()},
        {RegionKind::YAxis, 3, nullptr},
        {RegionKind::XCaption, 1, p.XLabelRgn.get()},
        {RegionKind::YCaption, 2, p.CaptionOfAxis(2)},
        {RegionKind::YCaption, 0, nullptr},
        {RegionKind::Legend, 1, p.LegendRgn.get()},
        {RegionKind::Corner, 2, p.CornerRgns[1].get()},
        {RegionKind::Corner, 1, nullptr},
        {RegionKind::Corner, INT_MIN, nullptr},
        {INT_MAX, 1, nullptr},
    };
    ASSERT_NE(p.CaptionOfAxis(2), nullptr);
    EXPECT_EQ(p.CaptionOfAxis(2)->AxisNumber, 2);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.kind << "/" << row.number);
        EXPECT_EQ(p.FindRegion(row.kind, row.number), row.expected);
    }
}

}  // namespace
}  // namespace vtg
