// Text: measurement shared by every surface, font availability, and where the ink lands for
// each alignment, rotation and background mode.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/FontEngine.h"
#include "platform/RecordingSurface.h"
#include "SurfaceTestSupport.h"

namespace vtg {
namespace {

using namespace surface_test;

Font MakeFont(const char* face, int height, bool bold = false, int angle = 0) {
    Font f;
    f.face = face;
    f.height = height;
    f.bold = bold;
    f.angle = angle;
    return f;
}

TEST(SurfaceText, WiderTextMeasuresWiderAndEmptyTextHasTheFontHeight) {
    ImageSurface s(10, 10);
    const Size one = s.GetTextExtent("i");
    const Size word = s.GetTextExtent("Temperature");
    const Size wide = s.GetTextExtent("WWWWWWWWWWW");
    EXPECT_GT(word.cx, one.cx);
    EXPECT_GT(wide.cx, word.cx);
    EXPECT_EQ(word.cy, s.GetTextMetrics().height);
    EXPECT_EQ(s.GetTextExtent(""), (Size{0, s.GetTextMetrics().height}));
    EXPECT_GT(s.GetTextExtent("Temperature 100 \xC2\xB0" "C").cx, word.cx) << "UTF-8 text is measured as text";
}

TEST(SurfaceText, TahomaHasTheWindowsMetricsTheLayoutWasDesignedWith) {
    ASSERT_TRUE(FontEngine::IsFontFamilyAvailable("Tahoma")) << "the test main registers the free Tahoma";
    const TextMetrics m = FontEngine::Metrics(MakeFont("Tahoma", 13), 96);
    EXPECT_EQ(m.ascent, 13);
    EXPECT_EQ(m.descent, 3);
    EXPECT_EQ(m.height, 16);
    EXPECT_EQ(m.internalLeading, 3);
    EXPECT_EQ(m.externalLeading, 0);
    EXPECT_GE(m.aveCharWidth, 5);
    EXPECT_LE(m.aveCharWidth, 7);
    EXPECT_GT(m.maxCharWidth, m.aveCharWidth);
}

TEST(SurfaceText, FamilyAvailability) {
    EXPECT_TRUE(FontEngine::IsFontFamilyAvailable("Tahoma"));
    EXPECT_TRUE(FontEngine::IsFontFamilyAvailable("tahoma")) << "face names are not case-sensitive";
    EXPECT_TRUE(FontEngine::IsFontFamilyAvailable("DejaVu Sans"));
    EXPECT_FALSE(FontEngine::IsFontFamilyAvailable("No Such Face 123"));
    EXPECT_FALSE(FontEngine::IsFontFamilyAvailable(""));
    // An unknown face still draws and measures, with fontconfig's fallback.
    EXPECT_GT(FontEngine::TextExtent(MakeFont("No Such Face 123", 13), 96, "abc").cx, 0);
}

TEST(SurfaceText, ImageAndRecordingSurfacesMeasureIdentically) {
    const Font fonts[] = {MakeFont("Tahoma", 13), MakeFont("Tahoma", 20, true), MakeFont("Arial", 16),
                          MakeFont("No Such Face 123", 11), MakeFont("Tahoma", 83, false, 900)};
    for (int dpi : {96, 600}) {
        ImageSurface image(10, 10, SurfaceKind::Memory, dpi);
        RecordingSurface recording(SurfaceKind::Printer, {10, 10}, dpi);
        for (const Font& f : fonts) {
            image.SelectFont(f);
            recording.SelectFont(f);
            EXPECT_EQ(image.GetTextMetrics(), recording.GetTextMetrics()) << f.face << " " << f.height;
            EXPECT_EQ(image.GetTextExtent("Flow 12.5 kg/s"), recording.GetTextExtent("Flow 12.5 kg/s")) << f.face;
        }
    }
}

TEST(SurfaceText, MetricsScaleWithThePixelHeightCallersDeriveFromDpi) {
    // 10 pt at 96 dpi and at 600 dpi.
    const int screen = static_cast<int>(std::lround(10 * 96 / 72.0));
    const int printer = static_cast<int>(std::lround(10 * 600 / 72.0));
    ASSERT_EQ(screen, 13);
    ASSERT_EQ(printer, 83);
    const TextMetrics small = FontEngine::Metrics(MakeFont("Tahoma", screen), 96);
    const TextMetrics large = FontEngine::Metrics(MakeFont("Tahoma", printer), 600);
    const double ratio = 83.0 / 13.0;
    EXPECT_NEAR(large.height, small.height * ratio, small.height * ratio * 0.1);
    const int narrow = FontEngine::TextExtent(MakeFont("Tahoma", screen), 96, "Pressure drop").cx;
    const int wide = FontEngine::TextExtent(MakeFont("Tahoma", printer), 600, "Pressure drop").cx;
    EXPECT_NEAR(wide, narrow * ratio, narrow * ratio * 0.1);
}

TEST(SurfaceText, HostileFontValuesStillMeasure) {
    for (int height : {0, -20, 1000000000}) {
        const TextMetrics m = FontEngine::Metrics(MakeFont("Tahoma", height), 96);
        EXPECT_GT(m.height, 0) << height;
        EXPECT_LT(m.height, 6000) << height;
    }
    ImageSurface s(50, 50);
    s.SelectFont(MakeFont("Tahoma", 1000000000, false, -123456789));
    s.TextOut({10, 10}, "x");
    SUCCEED() << "no crash";
}

TEST(SurfaceText, QuarterTurnWithBottomLeftAlignmentStandsAboveTheAnchor) {
    ImageSurface s(200, 200);
    s.SelectFont(MakeFont("Tahoma", 16, false, 900));
    s.SetBkMode(BkMode::Transparent);
    s.SetTextAlign(TextAlign::Left | TextAlign::Bottom);
    s.TextOut({100, 150}, "Temperature");
    const Rect ink = InkBounds(s);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), 3 * ink.Width()) << "tall and narrow";
    EXPECT_LE(ink.bottom, 151);
    EXPECT_LE(ink.right, 101);
    EXPECT_GE(ink.left, 100 - s.GetTextMetrics().height);
    EXPECT_GE(ink.top, 150 - s.GetTextExtent("Temperature").cx - 1);
}

enum class Across { StartsAtAnchor, EndsAtAnchor, CentredOnAnchor };
enum class Baseline { AscentBelowAnchor, AtAnchor, DescentAboveAnchor };

struct AlignCase {
    const char* name;
    unsigned align;
    Across across;
    Baseline baseline;
};

class TextAlignment : public ::testing::TestWithParam<AlignCase> {};

TEST_P(TextAlignment, PlacesTheInkAroundTheAnchor) {
    const AlignCase& c = GetParam();
    const Point anchor{100, 60};
    ImageSurface s(200, 120);
    s.SelectFont(MakeFont("Tahoma", 20));
    s.SetBkMode(BkMode::Transparent);
    s.SetTextAlign(c.align);
    s.TextOut(anchor, "HIH");  // no descenders: the ink ends on the baseline
    const Rect ink = InkBounds(s);
    ASSERT_FALSE(ink.IsEmpty());
    const TextMetrics m = s.GetTextMetrics();
    const int w = s.GetTextExtent("HIH").cx;
    // Side bearings keep the ink a little inside the advance width.
    switch (c.across) {
        case Across::StartsAtAnchor:
            EXPECT_GE(ink.left, anchor.x);
            EXPECT_LE(ink.right, anchor.x + w);
            break;
        case Across::EndsAtAnchor:
            EXPECT_GE(ink.left, anchor.x - w);
            EXPECT_LE(ink.right, anchor.x);
            break;
        case Across::CentredOnAnchor: EXPECT_NEAR((ink.left + ink.right) / 2.0, anchor.x, 2); break;
    }
    EXPECT_GT(ink.Width(), w / 2);
    const int baseline = c.baseline == Baseline::AscentBelowAnchor ? anchor.y + m.ascent
                         : c.baseline == Baseline::AtAnchor        ? anchor.y
                                                                   : anchor.y - m.descent;
    EXPECT_NEAR(ink.bottom, baseline, 1);
    EXPECT_GE(ink.top, baseline - m.ascent);
}

INSTANTIATE_TEST_SUITE_P(
    Surface, TextAlignment,
    ::testing::Values(
        AlignCase{"LeftTop", TextAlign::Left | TextAlign::Top, Across::StartsAtAnchor, Baseline::AscentBelowAnchor},
        AlignCase{"RightBaseline", TextAlign::Right | TextAlign::Baseline, Across::EndsAtAnchor, Baseline::AtAnchor},
        AlignCase{"CenterBottom", TextAlign::Center | TextAlign::Bottom, Across::CentredOnAnchor,
                  Baseline::DescentAboveAnchor}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceText, OpaqueModeFillsTheCellWithTheBackgroundColour) {
    ImageSurface opaque(120, 40);
    opaque.SetBkColor(kBlue);
    opaque.SetTextColor(kRed);
    opaque.SetBkMode(BkMode::Opaque);
    opaque.TextOut({10, 10}, "Level");
    const Rect cell = opaque.TextBounds({10, 10}, "Level");
    EXPECT_EQ(InkBounds(opaque), cell);
    EXPECT_EQ(opaque.GetPixel(cell.left, cell.top), kBlue);
    EXPECT_EQ(opaque.GetPixel(cell.right - 1, cell.bottom - 1), kBlue);
    int red = 0;
    for (int y = cell.top; y < cell.bottom; ++y) {
        for (int x = cell.left; x < cell.right; ++x) red += opaque.GetPixel(x, y) == kRed ? 1 : 0;
    }
    EXPECT_GT(red, 10) << "glyphs in the text colour";

    ImageSurface transparent(120, 40);
    transparent.SetBkColor(kBlue);
    transparent.SetBkMode(BkMode::Transparent);
    transparent.TextOut({10, 10}, "Level");
    EXPECT_EQ(transparent.GetPixel(cell.left, cell.top), kWhite);
    EXPECT_LT(CountInk(transparent, cell), CountInk(opaque, cell));
}

TEST(SurfaceText, StylesChangeTheInk) {
    auto inkFor = [](const Font& f, Rect* bounds) {
        ImageSurface s(200, 60);
        s.SelectFont(f);
        s.SetBkMode(BkMode::Transparent);
        s.SetTextAlign(TextAlign::Baseline);
        s.TextOut({10, 40}, "HIHIH");
        if (bounds) *bounds = InkBounds(s);
        return CountInk(s, {0, 0, 200, 60});
    };
    // A family with a bold file of its own; Tahoma's bold has its own tests (FontBoldFaceTest).
    Font plain = MakeFont("DejaVu Sans", 20);
    Font bold = plain;
    bold.bold = true;
    Font underline = plain;
    underline.underline = true;
    Rect plainBox, underlineBox;
    const int plainInk = inkFor(plain, &plainBox);
    EXPECT_GT(inkFor(bold, nullptr), plainInk * 5 / 4);
    inkFor(underline, &underlineBox);
    EXPECT_GT(underlineBox.bottom, plainBox.bottom) << "an underline runs below the baseline";
    EXPECT_GT(FontEngine::TextExtent(bold, 96, "HIHIH").cx, FontEngine::TextExtent(plain, 96, "HIHIH").cx);
}

}  // namespace
}  // namespace vtg
