// The legend box follows its items through whole draws: after every change of what it lists
// (a variable hidden or shown, a legend text, a symbol inside one, the number of variables,
// the legend font) the recorded frame holds every drawn item, leaves no empty slot below the
// last one, and stays where the stored fractions put it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/RecordingSurface.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "LegendTestSupport.h"
#include "PlotTestSupport.h"

namespace vtg {
namespace {

struct LegendFollowsItemsTest : test::PlotFixture, testing::Test {
    const Rect all{0, 0, 500, 360};

    LegendFollowsItemsTest() {
        CPlotLook& p = Plot();
        p.SetSize(all.right, all.bottom);
        p.SetVariableCount(3);
        p.SetPointCount(2);
        for (int i = 0; i <= 3; ++i) {
            p.SetData(i, 0, i);
            p.SetData(i, 1, 2 * i + 1);
        }
        p.Recalculate();
    }
    test::DrawnLegend Draw() {
        RecordingSurface dc(SurfaceKind::Memory, {all.right, all.bottom});
        Plot().Draw(dc, all, 0, 1);
        return test::LegendOf(dc, *Plot().LegendRgn);
    }
};

TEST_F(LegendFollowsItemsTest, FrameHoldsEveryItemAfterEachChange) {
    CPlotLook& p = Plot();
    // Switched on while no variable has a legend text: the box starts with margins only.
    RecordingSurface window;
    p.ToggleLegend(&window);
    struct Step {
        const char* name;
        std::function<void()> change;
        std::vector<std::string> texts;
    };
    const Step steps[] = {
        {"legend texts after the box was switched on",
         [&] {
             p.SetLegend(1, "Feed");
             p.SetLegend(2, "Product stream");
             p.SetLegend(3, "Bottoms");
         },
         {"Feed", "Product stream", "Bottoms"}},
        {"a variable hidden", [&] { p.SetHidden(1, 1); }, {"Feed", "Bottoms"}},
        {"a longer text while it is hidden", [&] { p.SetLegend(3, "Bottoms, heavy ends to storage"); },
         {"Feed", "Bottoms, heavy ends to storage"}},
        {"shown again", [&] { p.SetHidden(1, 0); }, {"Feed", "Product stream", "Bottoms, heavy ends to storage"}},
        {"a symbol in a text",
         [&] {
             p.SetSymbol("UNIT", "kg/h");
             p.SetLegend(1, "Feed [&[UNIT]]");
         },
         {"Feed [kg/h]", "Product stream", "Bottoms, heavy ends to storage"}},
        {"the symbol's value", [&] { p.SetSymbol("UNIT", "tonnes per operating hour"); },
         {"Feed [tonnes per operating hour]", "Product stream", "Bottoms, heavy ends to storage"}},
        {"more variables", [&] {
             p.SetVariableCount(5);
             p.SetLegend(5, "Reflux");
         },
         {"Feed [tonnes per operating hour]", "Product stream", "Bottoms, heavy ends to storage", "Reflux"}},
        {"fewer variables", [&] { p.SetVariableCount(2); }, {"Feed [tonnes per operating hour]", "Product stream"}},
        {"a larger legend font", [&] { p.SetFont(3, "Tahoma", 16, 0); },
         {"Feed [tonnes per operating hour]", "Product stream"}},
        {"all hidden", [&] {
             p.SetHidden(0, 1);
             p.SetHidden(1, 1);
         },
         {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        const test::DrawnLegend legend = Draw();
        ASSERT_FALSE(legend.frame.IsEmpty());
        EXPECT_EQ(legend.texts, step.texts);
        test::ExpectItemsInside(legend);
        const int margin = p.LegendRgn->Margin;
        if (!legend.textBoxes.empty()) {
            // No empty slot: the last item ends one margin above the frame's bottom.
            EXPECT_EQ(legend.frame.bottom - legend.textBoxes.back().bottom, margin);
        } else {
            EXPECT_EQ(legend.frame.Height(), kMinLegendSide);
        }
        // Where LegendX = 1 and LegendY = 0.03 put it: its last column one past the drawing
        // area's, its top 3 % down the area.
        const Rect area = p.DrawingRgn->Rect;
        EXPECT_EQ(legend.frame.right - 1, area.right + 1);
        EXPECT_EQ(legend.frame.top, area.top + static_cast<int>((area.Height() + 1) * static_cast<double>(p.LegendY)));
    }
}

TEST_F(LegendFollowsItemsTest, FrameHoldsItsItemsAtOutputScalesAboveOne) {
    CPlotLook& p = Plot();
    p.SetLegend(1, "Feed of the first column in tonnes per operating hour");
    p.SetLegend(2, "Product stream");
    RecordingSurface window;
    p.ToggleLegend(&window);
    // Scales at which the legend font, scaled to whole points, draws this text wider than its
    // measured extent times the scale.
    for (double scale : {1.42, 1.70, 2.33}) {
        SCOPED_TRACE(scale);
        env.OutputScale = scale;
        p.SetSize(static_cast<int>(all.right * scale), static_cast<int>(all.bottom * scale));
        RecordingSurface page(SurfaceKind::Memory, {p.Width, p.Height});
        p.Draw(page, {0, 0, p.Width, p.Height}, 0, 1);
        const test::DrawnLegend legend = test::LegendOf(page, *p.LegendRgn);
        ASSERT_EQ(legend.texts.size(), 2u);
        test::ExpectItemsInside(legend);
    }
}

}  // namespace
}  // namespace vtg
