// Markers on an image surface: which pixels the plain and smoothed forms cover.
#include <gtest/gtest.h>

#include <string>

#include "platform/ImageSurface.h"
#include "regions/CPlotEnv.h"
#include "regions/CDrawTool.h"

namespace vtg {
namespace {

constexpr Color kRed = Rgb(255, 0, 0);      // palette 11
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr int kRedIndex = 11;

// A 20x20 picture of one marker at (10, 10) as rows of '#' (marker colour), '.' (white) and
// '+' (anything else), cut to the columns and rows lo..hi.
std::string Picture(const ImageSurface& dc, int lo, int hi) {
    std::string out;
    for (int y = lo; y <= hi; ++y) {
        for (int x = lo; x <= hi; ++x) {
            const Color c = dc.GetPixel(x, y);
            out += c == kRed ? '#' : c == kWhite ? '.' : '+';
        }
        out += '\n';
    }
    return out;
}

struct Fixture {
    CDrawTool tool;
    CPlotEnv env;
    Fixture() { env.Tools = &tool; }
};

TEST(MarkerPixels, PlainSquaresAndPlus) {
    Fixture f;
    struct Row {
        int kind;
        const char* picture;
    };
    const Row rows[] = {
        {2, "........\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            "........\n"},
        {7, "........\n"
            ".######.\n"
            ".#....#.\n"
            ".#....#.\n"
            ".#....#.\n"
            ".#....#.\n"
            ".######.\n"
            "........\n"},
        {11, "........\n"
             "....##..\n"
             "....##..\n"
             "....##..\n"
             ".#######\n"
             ".#######\n"
             "....##..\n"
             "....##..\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.kind);
        ImageSurface dc(20, 20, SurfaceKind::Printer, 96);
        f.env.DrawMarker(dc, r.kind, 10, 10, kRedIndex, 3, false);
        EXPECT_EQ(Picture(dc, 6, 13), r.picture);
    }
}

TEST(MarkerPixels, SmoothedFilledSquareCoversTwiceTheHalfSize) {
    Fixture f;
    ImageSurface dc(20, 20);
    f.env.DrawMarker(dc, 2, 10, 10, kRedIndex, 3, false);
    EXPECT_EQ(Picture(dc, 6, 13),
              "........\n"
              ".######.\n"
              ".######.\n"
              ".######.\n"
              ".######.\n"
              ".######.\n"
              ".######.\n"
              "........\n");
}

TEST(MarkerPixels, SmoothedOpenCircleIsWhiteInsideWithAThickRim) {
    Fixture f;
    ImageSurface dc(40, 40);
    f.env.DrawMarker(dc, 6, 20, 20, kRedIndex, 8, false);    // h = 4, drawn with d = 6
    EXPECT_EQ(dc.GetPixel(20, 20), kWhite);
    EXPECT_EQ(dc.GetPixel(17, 20), kWhite);
    EXPECT_EQ(dc.GetPixel(14, 20), kRed);                   // on the rim, 6 left of the centre
    EXPECT_EQ(dc.GetPixel(20, 14), kRed);
    EXPECT_EQ(dc.GetPixel(10, 20), kWhite);                 // outside
}

}  // namespace
}  // namespace vtg
