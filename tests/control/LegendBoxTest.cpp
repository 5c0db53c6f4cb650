// The legend box as a host drives it: switched on first, then variables, legend texts and
// hidden or shown line objects change through the automation interface, and every paint
// draws a frame that holds all the items it lists; a paint elsewhere repaints a moved box.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "objects/CPlotObj.h"
#include "platform/ImageSurface.h"
#include "platform/RecordingSurface.h"
#include "plot/LegendTestSupport.h"
#include "regions/CPlotDrawingRgn.h"
#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;

struct LegendBoxTest : test::MethodsFixture, testing::Test {
    test::DrawnLegend Paint() {
        RecordingSurface dc(SurfaceKind::Memory, {400, 300});
        Ctrl().OnDraw(dc, {0, 0, 400, 300}, {0, 0, 400, 300});
        return test::LegendOf(dc, *Plot().LegendRgn);
    }
    // Paints until nothing is left invalid (a paint that moves the drawing area invalidates
    // the window once more).
    void PaintAll() {
        for (int k = 0; k < 4 && site.Paint(); ++k) {
        }
    }
    Variant LineObject(int variable) { return I2(Plot().Objects[static_cast<std::size_t>(variable)]->Id); }
    void Text(const char* method, int index, const std::string& text) {
        Call(method, {I2(index), Variant(text)});
    }
};

TEST_F(LegendBoxTest, EveryPaintFramesTheItemsTheHostLeftIt) {
    // On before the host has set any legend text: the first draw gives the first variable the
    // Y caption as its legend, after the box was measured for none.
    test::Put(Ctrl(), "ylabel", Variant(std::string("Level")));
    test::Put(Ctrl(), "ShowLegend", Variant(true));
    struct Step {
        const char* name;
        std::function<void()> change;
        std::vector<std::string> texts;
    };
    const Step steps[] = {
        {"the default item", [] {}, {"Level"}},
        {"three variables", [&] { test::Put(Ctrl(), "nvariables", I2(3)); }, {"Level"}},
        {"legend texts",
         [&] {
             Text("SetLegend", 1, "Feed");
             Text("SetLegend", 2, "Product stream");
             Text("SetLegend", 3, "Bottoms");
         },
         {"Feed", "Product stream", "Bottoms"}},
        {"a line object hidden", [&] { Call("SetObject", {LineObject(1), I2(0), I2(ObjectFlag::Visible)}); },
         {"Feed", "Bottoms"}},
        {"shown again", [&] { Call("SetObject", {LineObject(1), I2(ObjectFlag::Visible), I2(ObjectFlag::Visible)}); },
         {"Feed", "Product stream", "Bottoms"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        const test::DrawnLegend legend = Paint();
        ASSERT_FALSE(legend.frame.IsEmpty());
        EXPECT_EQ(legend.texts, step.texts);
        test::ExpectItemsInside(legend);
        ASSERT_FALSE(legend.textBoxes.empty());
        EXPECT_EQ(legend.frame.bottom - legend.textBoxes.back().bottom, Plot().LegendRgn->Margin);
    }
}

TEST_F(LegendBoxTest, APaintElsewhereRepaintsTheBoxWhereItWasAndWhereItIs) {
    test::Put(Ctrl(), "nvariables", I2(3));
    for (int i = 1; i <= 3; ++i) Text("SetLegend", i, "Stream " + std::to_string(i));
    test::Put(Ctrl(), "ShowLegend", Variant(true));
    PaintAll();
    const Rect before = Plot().LegendRgn->Rect;
    // Hidden without a redraw; then a small part of the drawing area far from the legend is
    // painted, and whatever that paint leaves invalid is painted too.
    Call("SetObject", {LineObject(1), I2(0), I2(ObjectFlag::Visible)});
    const Rect area = Plot().DrawingRgn->Rect;
    const Rect spot{area.left + 5, area.bottom - 20, area.left + 25, area.bottom - 5};
    site.Invalidate(&spot);
    PaintAll();
    const Rect after = Plot().LegendRgn->Rect;
    ASSERT_LT(after.Height(), before.Height());
    ImageSurface& screen = site.BackingImage();
    const Color background = screen.GetPixel(site.ClientSize().cx - 1, site.ClientSize().cy - 1);
    // The old box's bottom edge is gone, the new one is drawn.
    int left = 0;
    for (int x = before.left; x < before.right; ++x) left += screen.GetPixel(x, before.bottom - 1) != background;
    EXPECT_EQ(left, 0);
    EXPECT_NE(screen.GetPixel((after.left + after.right) / 2, after.bottom - 1), background);
}

}  // namespace
}  // namespace vtg
