// A whole XY plot rendered through the control onto its window and written as a picture:
// curves of each variable's colour inside the drawing area and nowhere else, axes and labels
// around it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/HeadlessSite.h"
#include "platform/ImageSurface.h"
#include "plot/CPlotLook.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotDrawingRgn.h"
#include "ControlTestSupport.h"

namespace vtg {
namespace {

using test::ControlFixture;
using test::CountColour;
using test::Put;

constexpr int kPoints = 200;

struct RenderTest : ControlFixture, testing::TestWithParam<Size> {
    HeadlessSite site{GetParam().cx, GetParam().cy};
    ~RenderTest() override { ctrl.reset(); }

    // Two waves across the plot, variable colours 1 and 2 (the defaults), lines only: markers
    // at the edge points would reach beyond the area by their size.
    void Build() {
        Ctrl().ResetState();
        Ctrl().SetSite(&site);
        Put(Ctrl(), "DisplayType", Variant(std::int16_t{0}));
        Put(Ctrl(), "Title", Variant(std::string("Reactor start-up")));
        Put(Ctrl(), "xlabel", Variant(std::string("Time")));
        Put(Ctrl(), "ylabel", Variant(std::string("Level")));
        Put(Ctrl(), "nvariables", Variant(std::int16_t{2}));
        Put(Ctrl(), "npoints", Variant(std::int16_t{kPoints}));
        CPlotLook& p = Plot();
        for (int i = 0; i < kPoints; ++i) {
            p.SetData(0, i, i * 0.05);
            p.SetData(1, i, std::sin(i * 0.05));
            p.SetData(2, i, 0.5 * std::cos(i * 0.05) + 0.2);
        }
        p.Recalculate();
    }
};

int CountDark(ImageSurface& image, const Rect& r) {
    int n = 0;
    for (int y = std::max(r.top, 0); y < r.bottom; ++y) {
        for (int x = std::max(r.left, 0); x < r.right; ++x) {
            const Color c = image.GetPixel(x, y);
            if (RedOf(c) + GreenOf(c) + BlueOf(c) < 200) ++n;
        }
    }
    return n;
}

TEST_P(RenderTest, CurvesStayInsideTheDrawingAreaWithAxesAround) {
    Build();
    site.Paint();
    ImageSurface& image = site.BackingImage();
    const std::string name = "render_" + std::to_string(GetParam().cx) + "x" + std::to_string(GetParam().cy) + ".png";
    const char* dir = std::getenv("VORTIGA_BINARY_DIR");
    EXPECT_TRUE(image.SavePng((dir ? std::filesystem::path(dir) : std::filesystem::temp_directory_path()) / name));

    const Rect area = Plot().DrawingRgn->Rect;
    ASSERT_FALSE(area.IsEmpty());
    // Wide curves may reach half their width over the edge where they run along it.
    const Rect reach = area.Inflate(2, 2);
    for (int colour : {1, 2}) {
        const Color c = RgbOnly(CDrawTool::Instance().PaletteColor(colour));
        const auto [inside, outside] = CountColour(image, c, reach);
        EXPECT_GT(inside, 200) << "colour " << colour;
        EXPECT_EQ(outside, 0) << "colour " << colour;
    }
    // The Y axis with its labels and caption on the left, the X axis with its labels and
    // caption below, the title above.
    EXPECT_GT(CountDark(image, {0, area.top, area.left, area.bottom}), 50);
    EXPECT_GT(CountDark(image, {area.left, area.bottom, area.right, GetParam().cy}), 50);
    EXPECT_GT(CountDark(image, {area.left, 0, area.right, area.top}), 50);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RenderTest, testing::Values(Size{800, 600}, Size{1600, 1000}),
                         [](const auto& info) { return std::to_string(info.param.cx) + "x" + std::to_string(info.param.cy); });

}  // namespace
}  // namespace vtg
