// The font cache: lookup by the four values, angle normalisation, face fallback, realisation
// for a device, derived fonts, the cap, and the region font sets.
#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <set>

#include "regions/CDrawTool.h"

namespace vtg {
namespace {

// A tool that only knows Tahoma and Arial, so fallbacks do not depend on installed fonts.
CDrawTool& ToolWithFaces(CDrawTool& tool, std::set<std::string> faces = {"Tahoma", "Arial"}) {
    tool.FaceAvailable = [faces](const std::string& f) { return faces.count(f) != 0; };
    return tool;
}

TEST(DrawToolFonts, SameFourValuesGiveTheSameFont) {
    CDrawTool tool;
    CVTGFont* f = tool.GetFont("Arial", 12, 0, 2);
    EXPECT_EQ(tool.GetFont("Arial", 12, 0, 2), f);
    EXPECT_NE(tool.GetFont("Arial", 12, 0, 3), f);
    EXPECT_NE(tool.GetFont("Arial", 11, 0, 2), f);
    EXPECT_NE(tool.GetFont("Arial", 12, 90, 2), f);
    EXPECT_NE(tool.GetFont("arial", 12, 0, 2), f);
    EXPECT_EQ(tool.GetFont("Tahoma", 10, 0, 0), tool.DefaultFont());
}

TEST(DrawToolFonts, AnglesAreBroughtIntoOneTurn) {
    CDrawTool tool;
    struct Row {
        int in;
        int out;
    };
    for (const Row& r : {Row{-90, 270}, Row{450, 90}, Row{360, 0}, Row{-720, 0}, Row{359, 359}, Row{INT_MIN, 232}}) {
        SCOPED_TRACE(r.in);
        CVTGFont* f = tool.GetFont("Tahoma", 10, r.in, 0);
        EXPECT_EQ(f->Angle, r.out);
        EXPECT_EQ(tool.GetFont("Tahoma", 10, r.out, 0), f);
    }
}

TEST(DrawToolFonts, UnknownFaceIsRealisedAsTahoma) {
    CDrawTool tool;
    ToolWithFaces(tool);
    CVTGFont* known = tool.GetFont("Arial", 10, 0, 0);
    EXPECT_EQ(known->Created, 1);
    EXPECT_EQ(known->Realize(96).face, "Arial");

    CVTGFont* unknown = tool.GetFont("No Such Face", 10, 0, 0);
    EXPECT_EQ(unknown->Face, "No Such Face");     // kept for writing settings back
    EXPECT_EQ(unknown->Created, 1);
    EXPECT_EQ(unknown->Realize(96).face, "Tahoma");

    CDrawTool bare;
    ToolWithFaces(bare, {});
    CVTGFont* nothing = bare.GetFont("No Such Face", 10, 0, 0);
    EXPECT_EQ(nothing->Created, 0);
    EXPECT_EQ(nothing->Realize(96).face, "Tahoma");
}

TEST(DrawToolFonts, RealisedHeightIsThePointSizeAtTheDeviceResolution) {
    struct Row {
        int size;
        int dpi;
        int height;
    };
    for (const Row& r : {Row{10, 96, 13}, Row{10, 600, 83}, Row{12, 96, 16}, Row{8, 96, 11}, Row{10, 72, 10},
                         Row{60, 96, 80}, Row{10, 0, 13}, Row{10, -300, 13}, Row{0, 96, 1}, Row{-12, 96, 1},
                         Row{INT_MAX, 600, 32767}}) {
        SCOPED_TRACE(testing::Message() << r.size << " pt at " << r.dpi);
        CVTGFont f;
        f.Size = r.size;
        EXPECT_EQ(f.Realize(r.dpi).height, r.height);
    }
}

TEST(DrawToolFonts, RealisedStyleAndEscapement) {
    CDrawTool tool;
    struct Row {
        int style;
        bool italic, bold, underline;
    };
    for (const Row& r : {Row{0, false, false, false}, Row{1, true, false, false}, Row{2, false, true, false},
                         Row{4, false, false, true}, Row{7, true, true, true}}) {
        SCOPED_TRACE(r.style);
        const Font f = tool.GetFont("Tahoma", 10, -90, r.style)->Realize(96);
        EXPECT_EQ(f.italic, r.italic);
        EXPECT_EQ(f.bold, r.bold);
        EXPECT_EQ(f.underline, r.underline);
        EXPECT_EQ(f.angle, 2700);
    }
}

TEST(DrawToolFonts, ScaledAndAdjustedFonts) {
    CDrawTool tool;
    CVTGFont* base = tool.GetFont("Tahoma", 10, 90, 2);
    EXPECT_EQ(tool.GetFontScaled(base, 1.0), base);
    EXPECT_EQ(tool.GetFontScaled(base, 1.05), base);    // trunc(10.5) is still 10
    for (double nonsense : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(tool.GetFontScaled(base, nonsense), base);
    }
    CVTGFont* big = tool.GetFontScaled(base, 6.25);
    EXPECT_EQ(big->Size, 62);
    EXPECT_EQ(big->Angle, 90);
    EXPECT_EQ(big->Style, 2);
    EXPECT_EQ(tool.GetFontScaled(base, 6.25), big);
    EXPECT_EQ(tool.GetFontScaled(nullptr, 2.0)->Size, 20);

    CVTGFont* adjusted = tool.GetFontAdjusted(base, 2, 300);
    EXPECT_EQ(adjusted->Size, 12);
    EXPECT_EQ(adjusted->Angle, 30);
    EXPECT_EQ(tool.GetFontAdjusted(base, -100, -180)->Size, 1);
    EXPECT_EQ(tool.GetFontAdjusted(base, -100, -180)->Angle, 270);
    EXPECT_EQ(tool.GetFontAdjusted(base, INT_MAX, 0)->Size, INT_MAX);
    EXPECT_EQ(tool.GetFontAdjusted(base, 0, 0), base);
}

TEST(DrawToolFonts, CacheStopsGrowingAndKeepsEveryFontAlive) {
    CDrawTool tool;
    CVTGFont* vertical = tool.GetFont("Tahoma", 40, 90, 0);
    std::vector<CVTGFont*> handedOut;
    for (int size = 1; size <= CDrawTool::kMaxFonts + 200; ++size) handedOut.push_back(tool.GetFont("Tahoma", size, 0, 0));
    EXPECT_EQ(tool.FontList.size(), static_cast<std::size_t>(CDrawTool::kMaxFonts));
    // Fonts handed out before the cap was reached keep their values.
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(handedOut[static_cast<std::size_t>(i)]->Size, i + 1);

    // Past the cap the closest font answers: same direction first, then the nearest size.
    EXPECT_EQ(tool.GetFont("Tahoma", 5000, 90, 0), vertical);
    EXPECT_EQ(tool.GetFont("Tahoma", 12, 270, 0)->Angle, 0);   // no font at 270 is cached
    CVTGFont* near = tool.GetFont("Tahoma", 700, 0, 1);
    EXPECT_EQ(near->Size, 700);
    EXPECT_EQ(tool.FontList.size(), static_cast<std::size_t>(CDrawTool::kMaxFonts));
}

TEST(DrawToolPlotFonts, SetsShareCachedFontsAndKeepTheirUseCount) {
    CDrawTool tool;
    CPlotFont label;
    label.UseCount = 3;
    tool.FillPlotFont(label, "Tahoma", 10, 2, 1, 2);
    EXPECT_EQ(label.UseCount, 3);
    EXPECT_EQ(label.Kind, 1);
    EXPECT_EQ(label.SubKind, 2);
    ASSERT_NE(label.Horizontal(), nullptr);
    EXPECT_EQ(label.Horizontal()->Angle, 0);
    EXPECT_EQ(label.Horizontal()->Size, 10);
    EXPECT_EQ(label.Horizontal()->Style, 2);
    EXPECT_EQ(label.Vertical()->Angle, 90);
    EXPECT_EQ(label.Fonts[2], nullptr);
    EXPECT_EQ(label.Slanted(CPlotFont::kRisingSide), label.Horizontal());

    const CPlotFont again = tool.MakePlotFont("Tahoma", 10, 2, 1, 2);
    EXPECT_EQ(again.UseCount, 1);
    EXPECT_EQ(again.Fonts, label.Fonts);

    // Refilling a set for another plot kind drops entries the new kind does not have.
    tool.FillPlotFont(label, "Tahoma", 10, 2, 1, CPlotFont::kTriangularSubKind);
    EXPECT_EQ(label.Slanted(CPlotFont::kRisingSide)->Angle, 60);
    EXPECT_EQ(label.Slanted(CPlotFont::kFallingSide)->Angle, 300);
    EXPECT_EQ(label.Slanted(CPlotFont::kHypotenuse)->Angle, 315);
    tool.FillPlotFont(label, "Tahoma", 10, 2, 1, 2);
    EXPECT_EQ(label.Fonts[CPlotFont::kHypotenuse], nullptr);
    EXPECT_EQ(label.Slanted(7), label.Horizontal());
}

TEST(DrawToolFonts, CharacterSetFromTheSystemLanguage) {
    struct Row {
        const char* locale;
        int charSet;
    };
    for (const Row& r : {Row{"ja_JP.UTF-8", 128}, Row{"ko_KR", 129}, Row{"zh_CN.GB2312", 134}, Row{"zh_TW.UTF-8", 1},
                         Row{"ru_RU.UTF-8", 204}, Row{"en_US.UTF-8", 0}, Row{"en-US", 0}, Row{"en_GB.UTF-8", 1},
                         Row{"de_DE@euro", 1}, Row{"C", 1}, Row{"", 1}, Row{"jam", 1}}) {
        SCOPED_TRACE(r.locale);
        EXPECT_EQ(CharSetForLocaleName(r.locale), r.charSet);
    }
    CDrawTool tool;
    EXPECT_EQ(tool.GetFont("Tahoma", 9, 0, 0)->CharSet, tool.CharSet);
}

}  // namespace
}  // namespace vtg
