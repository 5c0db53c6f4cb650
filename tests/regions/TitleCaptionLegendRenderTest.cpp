// Title, captions and the legend rendered through the control onto its window and written as
// a picture: each text region shows ink where the layout put it, and the legend box carries a
// sample in each variable's colour.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "control/ControlTestSupport.h"
#include "platform/HeadlessSite.h"
#include "platform/ImageSurface.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {
namespace {

// Pixels of exactly colour c, or with c unset the dark ones (text is anti-aliased).
int CountInk(ImageSurface& image, const Rect& r, std::optional<Color> c = std::nullopt) {
    int n = 0;
    for (int y = std::max(r.top, 0); y < r.bottom; ++y) {
        for (int x = std::max(r.left, 0); x < r.right; ++x) {
            const Color p = image.GetPixel(x, y);
            n += (c ? p == *c : RedOf(p) + GreenOf(p) + BlueOf(p) < 200) ? 1 : 0;
        }
    }
    return n;
}

struct TextRenderTest : test::ControlFixture, testing::Test {
    HeadlessSite site{800, 600};
    ~TextRenderTest() override { ctrl.reset(); }
};

TEST_F(TextRenderTest, TitleCaptionsAndLegendShowWhereTheLayoutPutThem) {
    Ctrl().ResetState();
    Ctrl().SetSite(&site);
    test::Put(Ctrl(), "nvariables", Variant(std::int16_t{2}));
    test::Put(Ctrl(), "npoints", Variant(std::int16_t{50}));
    CPlotLook& p = Plot();
    for (int i = 0; i < 50; ++i) {
        p.SetData(0, i, i);
        p.SetData(1, i, std::sin(i * 0.1));
        p.SetData(2, i, std::cos(i * 0.1));
    }
    p.SetSymbol("UNIT", "kg");
    p.TitleRgn->Label.Text = "Column profile\rTrain &[UNIT]";
    p.SetLabel(0, "Stage");
    p.SetLabel(1, "Flow [&[UNIT]/h]");
    p.YAxisRgns[0]->Axis->Multiplier = 3;
    p.SetLegend(1, "Feed");
    p.SetLegend(2, "Product");
    test::Put(Ctrl(), "ShowLegend", Variant(true));
    p.Recalculate();
    site.Paint();
    ImageSurface& image = site.BackingImage();
    const char* dir = std::getenv("VORTIGA_BINARY_DIR");
    EXPECT_TRUE(image.SavePng((dir ? std::filesystem::path(dir) : std::filesystem::temp_directory_path()) /
                              "render_texts.png"));

    EXPECT_GT(CountInk(image, p.TitleRgn->Rect), 100);
    EXPECT_GT(CountInk(image, p.XLabelRgn->Rect), 30);
    EXPECT_GT(CountInk(image, p.YLabelRgns[0]->Rect.Inflate(3, 0)), 100);
    EXPECT_EQ(p.TitleRgn->LineCount, 2);

    const Rect legend = p.LegendRgn->Rect;
    ASSERT_EQ(p.LegendRgn->ItemCount, 2);
    ASSERT_FALSE(legend.IsEmpty());
    // The frame, then a sample and a text per item in the variable's colour.
    const int half = legend.top + legend.Height() / 2;
    for (int colour : {1, 2}) {
        SCOPED_TRACE(colour);
        const Color c = RgbOnly(CDrawTool::Instance().PaletteColor(colour));
        const Rect item = colour == 1 ? Rect{legend.left + 1, legend.top + 1, legend.right - 1, half}
                                      : Rect{legend.left + 1, half, legend.right - 1, legend.bottom - 1};
        EXPECT_GT(CountInk(image, item, c), 20);
    }
    EXPECT_GT(CountInk(image, {legend.left, legend.top, legend.right, legend.top + 1}), legend.Width() / 2);
}

}  // namespace
}  // namespace vtg
