// The environment's drawing operations: units, text measuring and font selection for screens,
// scaled copies and printers, and the cached pens and brushes it selects.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "platform/RecordingSurface.h"
#include "regions/CPlotEnv.h"
#include "regions/CDrawTool.h"

namespace vtg {
namespace {

struct EnvFixture : testing::Test {
    CDrawTool tool;
    CPlotEnv env;
    RecordingSurface screen{SurfaceKind::Memory};
    EnvFixture() { env.Tools = &tool; }
};

TEST_F(EnvFixture, UnitsTruncateTheScaledLength) {
    struct Row {
        double scale;
        double k;
        int units;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Row& r : {Row{1, 3.7, 3}, Row{1, -3.7, -3}, Row{6, 3, 18}, Row{6, 0.5, 3}, Row{6.25, 5, 31},
                         Row{0.5, 5, 2}, Row{1, nan, 0}, Row{6, 1e300, INT_MAX}, Row{6, -1e300, INT_MIN}}) {
        SCOPED_TRACE(testing::Message() << r.k << " at " << r.scale);
        env.OutputScale = r.scale;
        EXPECT_EQ(env.Units(r.k), r.units);
    }
}

TEST_F(EnvFixture, ToolIsTheSharedOneUnlessSet) {
    CPlotEnv plain;
    EXPECT_EQ(&plain.Tool(), &CDrawTool::Instance());
    EXPECT_EQ(&env.Tool(), &tool);
}

TEST_F(EnvFixture, SelectFontRealisesTheScaledFontAndReturnsThePrevious) {
    CVTGFont* font = tool.GetFont("Tahoma", 10, 90, 2);
    const Font before = screen.State().font;
    EXPECT_EQ(env.SelectFont(screen, font), before);
    EXPECT_EQ(screen.State().font.height, 13);
    EXPECT_EQ(screen.State().font.angle, 900);
    EXPECT_TRUE(screen.State().font.bold);

    env.OutputScale = 6;
    const Font previous = env.SelectFont(screen, font);
    EXPECT_EQ(previous.height, 13);
    EXPECT_EQ(screen.State().font.height, 80);      // 60 pt at the layout's 96 dpi
    EXPECT_EQ(screen.State().font.angle, 900);

    env.SelectFont(screen, nullptr);
    EXPECT_EQ(screen.State().font.height, 80);      // the default 10 pt font, scaled
    EXPECT_EQ(screen.State().font.angle, 0);
}

TEST_F(EnvFixture, MeasuredTextIsTheScreenExtentTimesTheScale) {
    CVTGFont* font = tool.GetFont("Tahoma", 10, 0, 0);
    const Size unscaled = env.MeasureText(screen, font, "Pressure [bar]");
    EXPECT_EQ(unscaled, screen.MeasureText(font->Realize(96), "Pressure [bar]"));
    EXPECT_GT(unscaled.cx, 50);
    EXPECT_EQ(env.MeasureText(screen, nullptr, "Pressure [bar]"), unscaled);

    env.OutputScale = 2.5;
    const Size scaled = env.MeasureText(screen, font, "Pressure [bar]");
    EXPECT_EQ(scaled.cx, static_cast<int>(std::floor(unscaled.cx * 2.5 + 0.5)));
    EXPECT_EQ(scaled.cy, static_cast<int>(std::floor(unscaled.cy * 2.5 + 0.5)));
    EXPECT_EQ(env.MeasureText(screen, font, ""), (Size{0, scaled.cy}));
}

TEST_F(EnvFixture, PrintedTextMatchesItsMeasuredLayout) {
    // A 600 dpi page with the plot scaled 6.25 times: the selected font must draw text as large
    // as the layout measured it, not 6.25 times larger again for the page's resolution.
    RecordingSurface page{SurfaceKind::Printer, {5000, 7000}, 600};
    env.OutputScale = 6.25;
    CVTGFont* font = tool.GetFont("Tahoma", 10, 0, 0);
    const Size measured = env.MeasureText(page, font, "Temperature");
    env.SelectFont(page, font);
    EXPECT_EQ(page.State().font.height, 83);
    const Size drawn = page.GetTextExtent("Temperature");
    EXPECT_NEAR(drawn.cx, measured.cx, measured.cx * 0.06);
    EXPECT_NEAR(drawn.cy, measured.cy, measured.cy * 0.06);
}

TEST_F(EnvFixture, PensAndBrushesAreSelectedAndThePreviousReturned) {
    const Pen oldPen = screen.State().pen;
    EXPECT_EQ(env.AxisPen(screen, Rgb(0, 0, 255), 1, 0), oldPen);
    EXPECT_EQ(screen.State().pen.color, Rgb(0, 0, 255));
    EXPECT_EQ(tool.PaletteSize, 18);                 // blue is palette 9
    env.AxisPen(screen, Rgb(12, 34, 56), 3, 1);
    EXPECT_EQ(tool.PaletteSize, 19);
    EXPECT_EQ(screen.State().pen.color, Rgb(12, 34, 56));
    EXPECT_EQ(screen.State().pen.dashes, (std::vector<int>{16, 8}));

    EXPECT_EQ(env.PalettePen(screen, 2, 1, 2).dashes, (std::vector<int>{16, 8}));
    EXPECT_EQ(screen.State().pen.color, Rgb(0, 128, 0));
    EXPECT_EQ(screen.State().pen.style, PenStyle::Dot);
    EXPECT_FALSE(screen.State().pen.geometric);

    const Brush oldBrush = screen.State().brush;
    EXPECT_EQ(env.SolidBrush(screen, 13), oldBrush);
    EXPECT_EQ(screen.State().brush.kind, BrushKind::Solid);
    EXPECT_EQ(screen.State().brush.color, Rgb(224, 224, 224));
    env.SolidBrush(screen, -4);
    EXPECT_EQ(screen.State().brush.color, Rgb(0, 0, 0));
    env.PatternBrush(screen, 3, 6);
    EXPECT_EQ(screen.State().brush.bits, FillPattern(6));

    const Pen grid = env.GridPen();
    EXPECT_EQ(grid.color, Rgb(203, 203, 203));
    EXPECT_EQ(grid.width, 1);
    EXPECT_EQ(grid.style, PenStyle::Solid);
}

TEST_F(EnvFixture, ScaledOutputWidensPensAndDashes) {
    RecordingSurface page{SurfaceKind::Printer, {5000, 7000}, 600};
    env.OutputScale = 6;
    env.AxisPen(page, Rgb(0, 0, 0), 1, 1);
    EXPECT_EQ(page.State().pen.width, 6);
    EXPECT_TRUE(page.State().pen.geometric);
    EXPECT_EQ(page.State().pen.dashes, (std::vector<int>{48, 24}));
    env.PalettePen(page, 5, 3, 0);
    EXPECT_EQ(page.State().pen.width, 18);
    EXPECT_TRUE(page.State().pen.dashes.empty());
    // Back on screen the cache hands out the unscaled pen again.
    env.OutputScale = 1;
    env.PalettePen(page, 5, 3, 0);
    EXPECT_EQ(page.State().pen.width, 3);
    EXPECT_FALSE(page.State().pen.geometric);
}

}  // namespace
}  // namespace vtg
