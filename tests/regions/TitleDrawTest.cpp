// Drawing the title and corner labels: lines centred on the region, stacked by the first line's
// height so that the last line sits on the bottom edge, in the foreground colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RecordingSurface.h"
#include "plot/CPlotEnv.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotLabelRgn.h"

namespace vtg {
namespace {

struct TitleDrawTest : test::PlotFixture, testing::Test {
    RecordingSurface dc;

    std::vector<DrawCall> DrawLaidOut(CPlotTitleRgn& region, int left, int top) {
        const Size size = region.Measure(dc, Plot());
        region.SetRect(left, top, left + size.cx, top + size.cy);
        dc.Clear();
        region.Draw(dc, Plot(), 1);
        return dc.CallsOf(DrawOp::Text);
    }
};

TEST_F(TitleDrawTest, LinesAreCentredAndTheLastSitsOnTheBottomEdge) {
    CPlotLook& p = Plot();
    p.SetSymbol("UNIT", "2");
    p.TitleRgn->Label.Text = "Plant\r\nUnit &[UNIT]\rTrain B";
    host.props.ForeColor = 0xFF0000;
    const auto texts = DrawLaidOut(*p.TitleRgn, 100, 10);
    ASSERT_EQ(dc.Texts(), (std::vector<std::string>{"Plant", "Unit 2", "Train B"}));
    const Rect r = p.TitleRgn->Rect;
    const int h = p.TitleRgn->FirstLineHeight;
    ASSERT_GT(h, 0);
    EXPECT_EQ(r.Height(), 3 * h);
    const int x = (r.left + r.right) / 2;
    EXPECT_EQ(texts[0].points[0], (Point{x, r.bottom - 2 * h}));
    EXPECT_EQ(texts[1].points[0], (Point{x, r.bottom - h}));
    EXPECT_EQ(texts[2].points[0], (Point{x, r.bottom}));
    for (const DrawCall& call : texts) {
        EXPECT_EQ(call.state.textAlign, TextAlign::Bottom | TextAlign::Center);
        EXPECT_EQ(call.state.textColor, Rgb(0, 0, 255));
        EXPECT_EQ(call.state.bkMode, BkMode::Transparent);
        EXPECT_EQ(call.state.font.angle, 0);
    }
    // Restored afterwards.
    EXPECT_EQ(dc.State().textAlign, TextAlign::Left | TextAlign::Top);
}

TEST_F(TitleDrawTest, CornerLabelsDrawTheirTextAsItIsNow) {
    CPlotLook& p = Plot();
    p.SetLabel(-3, "Water\rPhase");
    ASSERT_TRUE(p.CornerRgns[2]);
    DrawLaidOut(*p.CornerRgns[2], 400, 300);
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"Water", "Phase"}));
    // Changed after the layout: one line, on the bottom edge.
    p.SetLabel(-3, "Oil");
    dc.Clear();
    p.CornerRgns[2]->Draw(dc, p, 1);
    ASSERT_EQ(dc.Texts(), std::vector<std::string>{"Oil"});
    EXPECT_EQ(dc.CallsOf(DrawOp::Text)[0].points[0].y, p.CornerRgns[2]->Rect.bottom);
}

}  // namespace
}  // namespace vtg
