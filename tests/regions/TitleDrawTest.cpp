// Drawing the title and corner labels: lines centred on the region, stacked by the first line's
// height so that the last line sits on the bottom edge, in the foreground colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RecordingSurface.h"
#include "regions/CPlotEnv.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"

namespace vtg {
namespace {

struct TitleDrawTest : test::PlotFixture, testing::Test {
    RecordingSurface dc;

    std::vector<DrawCall> DrawLaidOut(CPlotLabelRgn& region, int left, int top) {
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

TEST_F(TitleDrawTest, TextRegionsLayOutNoMoreThanAWindowCanShow) {
    CPlotLook& p = Plot();
    std::string manyLines;
    for (int i = 0; i < 150; ++i) manyLines += "Line\r";
    std::string accents;
    for (int i = 0; i < 1500; ++i) accents += "\xC3\xA9";
    p.SetSymbol("WIDE", std::string(3000, 'w'));
    std::string shownAccents;
    for (std::size_t i = 0; i < kMaxShownLineChars; ++i) shownAccents += "\xC3\xA9";
    struct Row {
        const char* what;
        CPlotLabel* label;
        CPlotLabelRgn* region;
        std::string text;
        std::size_t lines;
        std::string first;
    };
    const Row rows[] = {
        {"many lines", &p.TitleRgn->Label, p.TitleRgn.get(), manyLines, kMaxShownLines, "Line"},
        {"a long line of two-byte characters", &p.TitleRgn->Label, p.TitleRgn.get(), accents, 1, shownAccents},
        {"a symbol that makes a line long", &p.TitleRgn->Label, p.TitleRgn.get(), "&[WIDE]", 1,
         std::string(kMaxShownLineChars, 'w')},
        {"a long caption", &p.XAxisRgn->Label, p.XLabelRgn.get(), std::string(2000, 'c'), 1,
         std::string(kMaxShownLineChars, 'c')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.label->Text = row.text;
        const auto texts = DrawLaidOut(*row.region, 0, 0);
        ASSERT_EQ(texts.size(), row.lines);
        EXPECT_EQ(texts.front().text, row.first);
        const Size line = env.MeasureText(dc, p.Fonts[CPlotLook::kTitleFont].Horizontal(), "Line");
        if (row.lines > 1) {
            EXPECT_EQ(row.region->Rect.Height(), static_cast<int>(row.lines) * line.cy);
        }
        // What is stored stays whole.
        EXPECT_EQ(row.label->Text, row.text);
    }
}

}  // namespace
}  // namespace vtg
