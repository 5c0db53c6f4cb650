// The drawing tools: palette growth and its cap, the pen and brush caches, the device pens and
// brushes they realise, and the pattern wiring.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "regions/CDrawTool.h"

namespace vtg {
namespace {

TEST(DrawToolPalette, OutOfRangeIndexesGiveEntryZero) {
    CDrawTool tool;
    ASSERT_EQ(tool.PaletteSize, 18);
    EXPECT_EQ(RgbOnly(tool.PaletteColor(17)), Rgb(255, 128, 0));
    EXPECT_EQ(RgbOnly(tool.PaletteColor(9)), Rgb(0, 0, 255));
    for (int index : {-1, 18, 1000, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(tool.PaletteColor(index), tool.PaletteColor(0));
    }
}

TEST(DrawToolPalette, ColourByValueFindsOrAppends) {
    CDrawTool tool;
    // The lookup compares the low 24 bits only, whatever marker the caller's value carries.
    EXPECT_EQ(tool.PaletteIndexOf(Rgb(255, 0, 0)), 11);
    EXPECT_EQ(tool.PaletteIndexOf(0x02000000u | Rgb(255, 0, 0)), 11);
    EXPECT_EQ(tool.PaletteSize, 18);

    EXPECT_EQ(tool.PaletteIndexOf(Rgb(1, 2, 3)), 18);
    EXPECT_EQ(tool.PaletteSize, 19);
    EXPECT_EQ(tool.Palette.size(), 19u);
    EXPECT_EQ(RgbOnly(tool.PaletteColor(18)), Rgb(1, 2, 3));
    EXPECT_EQ(tool.PaletteIndexOf(Rgb(1, 2, 3)), 18);
    EXPECT_EQ(tool.PaletteSize, 19);
}

TEST(DrawToolPalette, GrowthIsCappedAndEveryLookupStillGivesItsColour) {
    CDrawTool tool;
    const auto base = tool.Palette;
    for (int i = 0; i < 1000; ++i) {
        const Color c = Rgb(i & 0xFF, (i >> 8) + 1, 77);
        const int index = tool.PaletteIndexOf(c);
        ASSERT_GE(index, CDrawTool::kBasePaletteSize);
        ASSERT_LT(index, CDrawTool::kMaxPaletteSize);
        ASSERT_EQ(RgbOnly(tool.PaletteColor(index)), c) << i;
    }
    EXPECT_EQ(tool.PaletteSize, CDrawTool::kMaxPaletteSize);
    EXPECT_EQ(tool.Palette.size(), static_cast<std::size_t>(CDrawTool::kMaxPaletteSize));
    // The fixed colours that automation indexes refer to are never reused.
    EXPECT_TRUE(std::equal(base.begin(), base.end(), tool.Palette.begin()));
}

TEST(DrawToolPenCache, SamePenIsReusedAndAnythingElseReplacesIt) {
    CDrawTool tool;
    const CDrawPen* first = &tool.GetPen(3, 2, 0);
    EXPECT_EQ(&tool.GetPen(3, 2, 0), first);
    EXPECT_EQ(&tool.GetPenForColor(RgbOnly(tool.PaletteColor(3)), 2, 0), first);

    EXPECT_EQ(tool.GetPen(4, 2, 0).SurfacePen.color, Rgb(192, 64, 192));
    EXPECT_EQ(tool.GetPen(4, 3, 0).SurfacePen.width, 3);
    EXPECT_EQ(tool.GetPen(4, 3, 2).Style, 2);
    EXPECT_TRUE(tool.GetPen(4, 3, 2, true, 2.0).Scaled);
    EXPECT_EQ(tool.GetPen(4, 3, 2, true, 3.0).SurfacePen.width, 9);
    EXPECT_FALSE(tool.GetPen(4, 3, 2).Scaled);
}

TEST(DrawToolPenCache, PenForNewColourUsesTheAppendedEntry) {
    CDrawTool tool;
    const CDrawPen& pen = tool.GetPenForColor(Rgb(10, 20, 30), 1, 0);
    EXPECT_EQ(tool.PaletteSize, 19);
    EXPECT_EQ(pen.Colour, tool.Palette[18]);
    EXPECT_EQ(pen.SurfacePen.color, Rgb(10, 20, 30));
}

TEST(DrawToolPenCache, ToolScaleAppliesToThePlainOverloads) {
    CDrawTool tool;
    tool.Scaled = 1;
    tool.Scale = 6.0f;
    const Pen& pen = tool.GetPen(0, 1, 1).SurfacePen;
    EXPECT_TRUE(pen.geometric);
    EXPECT_EQ(pen.width, 6);
    EXPECT_EQ(pen.dashes, (std::vector<int>{48, 24}));
}

struct PenRow {
    const char* name;
    int width;
    int style;
    bool scaled;
    double scale;
    PenStyle expectStyle;
    int expectWidth;
    bool geometric;
    bool flatCap;
    std::vector<int> dashes;
};

TEST(DrawToolPens, DevicePenFollowsWidthStyleAndScale) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<PenRow> rows = {
        {"thin dash stays a plain dashed pen", 1, 1, false, 1, PenStyle::Dash, 1, false, false, {}},
        {"thin dot", 1, 2, false, 1, PenStyle::Dot, 1, false, false, {}},
        {"wide solid stays plain", 3, 0, false, 1, PenStyle::Solid, 3, false, false, {}},
        {"wide dash: unit 2", 3, 1, false, 1, PenStyle::Dash, 3, true, true, {16, 8}},
        {"wide dot: unit 2", 3, 2, false, 1, PenStyle::Dot, 3, true, true, {6, 6}},
        {"wide dash-dot: unit 2", 3, 3, false, 1, PenStyle::DashDot, 3, true, true, {12, 4, 4, 4}},
        {"width 2 dash-dot-dot: unit 1.5 truncated", 2, 4, false, 1, PenStyle::DashDotDot, 2, true, true, {9, 3, 3, 3, 3, 3}},
        {"scaled solid is geometric without dashes", 1, 0, true, 6, PenStyle::Solid, 6, true, false, {}},
        {"scaled dash uses the scale as unit", 1, 1, true, 6, PenStyle::Dash, 6, true, true, {48, 24}},
        {"scaled wide dash-dot", 3, 3, true, 6, PenStyle::DashDot, 18, true, true, {36, 12, 12, 12}},
        {"scaled below one: width truncates, dashes stay visible", 2, 2, true, 0.2, PenStyle::Dot, 0, true, true, {1, 1}},
        {"style above 4 draws solid", 1, 9, false, 1, PenStyle::Solid, 1, false, false, {}},
        {"wide style above 4 draws solid and plain", 3, 9, false, 1, PenStyle::Solid, 3, false, false, {}},
        {"style below -1 draws solid", 1, -7, false, 1, PenStyle::Solid, 1, false, false, {}},
        {"style -1 is no line", 3, -1, false, 1, PenStyle::Null, 3, false, false, {}},
        {"negative width is the thinnest line", -5, 0, false, 1, PenStyle::Solid, 0, false, false, {}},
        {"huge scaled width is bounded", INT_MAX, 1, true, 6, PenStyle::Dash, 10000, true, true, {48, 24}},
        {"nonsense scale counts as 1", 1, 1, true, nan, PenStyle::Dash, 1, true, true, {8, 4}},
    };
    for (const PenRow& r : rows) {
        SCOPED_TRACE(r.name);
        const CDrawPen pen(r.width, r.style, 0x02000000u | Rgb(1, 2, 3), r.scaled, r.scale);
        EXPECT_EQ(pen.SurfacePen.style, r.expectStyle);
        EXPECT_EQ(pen.SurfacePen.width, r.expectWidth);
        EXPECT_EQ(pen.SurfacePen.geometric, r.geometric);
        EXPECT_EQ(pen.SurfacePen.flatCap, r.flatCap);
        EXPECT_EQ(pen.SurfacePen.dashes, r.dashes);
        EXPECT_EQ(pen.SurfacePen.color, Rgb(1, 2, 3));
    }
}

TEST(DrawToolBrushes, PatternNumbersOutsideTheTableGiveSolidBrushes) {
    for (int pattern : {0, -1, 11, 255, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(pattern);
        const CDrawBrush brush(pattern, 0x02000000u | Rgb(0, 128, 0), false, 1, false);
        EXPECT_EQ(brush.SurfaceBrush.kind, BrushKind::Solid);
        EXPECT_EQ(brush.SurfaceBrush.color, Rgb(0, 128, 0));
    }
    for (int pattern = 1; pattern <= 10; ++pattern) {
        SCOPED_TRACE(pattern);
        const CDrawBrush brush(pattern, Rgb(0, 128, 0), false, 1, false);
        EXPECT_EQ(brush.SurfaceBrush.kind, BrushKind::Pattern);
        EXPECT_EQ(brush.SurfaceBrush.bits, FillPattern(pattern));
        EXPECT_TRUE(brush.SurfaceBrush.dcColors);
        EXPECT_EQ(brush.SurfaceBrush.stretch, 1);
    }
    EXPECT_EQ(FillPattern(11), FillPattern(0));
    EXPECT_EQ(FillPattern(0), (std::array<std::uint8_t, 8>{}));
}

TEST(DrawToolBrushes, ScaledPatternsStretchOnlyOffThePrinter) {
    struct Row {
        bool scaled;
        double scale;
        bool print;
        int stretch;
    };
    for (const Row& r : {Row{true, 6, false, 6}, Row{true, 6, true, 1}, Row{false, 6, false, 1},
                         Row{true, 0.5, false, 1}, Row{true, 2.6, false, 3}, Row{true, 1e300, false, 64}}) {
        SCOPED_TRACE(r.scale);
        EXPECT_EQ(CDrawBrush(3, 0, r.scaled, r.scale, r.print).SurfaceBrush.stretch, r.stretch);
    }
}

TEST(DrawToolBrushCache, SameBrushIsReusedAndAnythingElseReplacesIt) {
    CDrawTool tool;
    const CDrawBrush* first = &tool.GetBrush(2, 4);
    EXPECT_EQ(&tool.GetBrush(2, 4), first);
    EXPECT_EQ(tool.GetBrush(2, 5).Pattern, 5);
    EXPECT_EQ(tool.GetBrush(3, 5).SurfaceBrush.color, Rgb(255, 64, 128));
    EXPECT_TRUE(tool.GetBrush(3, 5, true).PrintDevice);
    EXPECT_EQ(tool.GetBrush(3, 5, false, true, 4.0).SurfaceBrush.stretch, 4);
    EXPECT_EQ(tool.GetBrushForColor(Rgb(9, 9, 9), 0).SurfaceBrush.color, Rgb(9, 9, 9));
    EXPECT_EQ(tool.PaletteSize, 19);
}

}  // namespace
}  // namespace vtg
