// Fill patterns drawn pixel-exact through the environment's brushes on an image surface: the
// text colour is the foreground, bit 7 the leftmost pixel, and scaled output off the printer
// stretches every bit.
#include <gtest/gtest.h>

#include "platform/ImageSurface.h"
#include "regions/CPlotEnv.h"
#include "regions/CDrawTool.h"

namespace vtg {
namespace {

constexpr Color kFore = Rgb(200, 0, 0);
constexpr Color kBack = Rgb(255, 255, 255);

// The colour the pattern puts at (x, y) when each bit covers stretch x stretch pixels.
Color Expected(int pattern, int x, int y, int stretch) {
    const std::uint8_t row = FillPattern(pattern)[static_cast<std::size_t>((y / stretch) % 8)];
    const bool background = (row >> (7 - (x / stretch) % 8)) & 1;
    return background ? kBack : kFore;
}

// Fills (0, 0)-(size, size) with the environment's brush for the pattern and compares every
// pixel; returns the number of wrong pixels.
int WrongPixels(const CPlotEnv& env, ImageSurface& dc, int pattern, int size, int stretch) {
    dc.SetTextColor(kFore);
    dc.SetBkColor(kBack);
    env.PatternBrush(dc, 11, pattern);      // palette 11 is red: what a solid brush would show
    dc.FillRect({0, 0, size, size}, dc.State().brush);
    int wrong = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) wrong += dc.GetPixel(x, y) != Expected(pattern, x, y, stretch);
    }
    return wrong;
}

TEST(DrawToolPatternPixels, EveryPatternOnScreen) {
    CDrawTool tool;
    CPlotEnv env;
    env.Tools = &tool;
    for (int pattern = 1; pattern <= 10; ++pattern) {
        SCOPED_TRACE(pattern);
        ImageSurface dc(24, 24);
        EXPECT_EQ(WrongPixels(env, dc, pattern, 24, 1), 0);
    }
}

TEST(DrawToolPatternPixels, ScaledCopiesStretchButPrintersDoNot) {
    CDrawTool tool;
    CPlotEnv env;
    env.Tools = &tool;
    env.OutputScale = 3;
    for (int pattern : {1, 3, 7}) {
        SCOPED_TRACE(pattern);
        ImageSurface copy(48, 48);
        EXPECT_EQ(WrongPixels(env, copy, pattern, 48, 3), 0);
        ImageSurface page(48, 48, SurfaceKind::Printer, 300);
        EXPECT_EQ(WrongPixels(env, page, pattern, 48, 1), 0);
    }
}

}  // namespace
}  // namespace vtg
