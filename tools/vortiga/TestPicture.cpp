#include "TestPicture.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace vtg::tool {
namespace {

constexpr std::array<std::uint8_t, 8> kDiagonal{0xEE, 0xDD, 0xBB, 0x77, 0xEE, 0xDD, 0xBB, 0x77};

void DrawFrameAndTitle(Surface& dc, Size size) {
    dc.FillRect({0, 0, size.cx, size.cy}, Brush{BrushKind::Solid, Rgb(255, 255, 255)});
    PenGuard pen(dc, Pen{Rgb(0, 0, 0), 1});
    BrushGuard brush(dc, Brush{BrushKind::Null});
    dc.Rectangle({10, 10, size.cx - 10, size.cy - 10});
    FontGuard font(dc, Font{"Tahoma", size.cy / 24, 0, true});
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextAlign(TextAlign::Center | TextAlign::Top);
    dc.TextOut({size.cx / 2, 20}, "Vortiga surface test picture");
}

void DrawDashedLines(Surface& dc, Size size) {
    const int left = size.cx / 12;
    const int right = size.cx / 2 - 20;
    for (int style = 0; style <= 4; ++style) {
        const int y = size.cy / 5 + style * size.cy / 16;
        PenGuard pen(dc, Pen{Rgb(64, 64, 192), 1, static_cast<PenStyle>(style)});
        dc.MoveTo({left, y});
        dc.LineTo({right, y});
    }
    Pen wide{Rgb(255, 64, 128), 3, PenStyle::Dash, true, true, {16, 8}};
    PenGuard pen(dc, wide);
    const int y = size.cy / 5 + 5 * size.cy / 16;
    dc.MoveTo({left, y});
    dc.LineTo({right, y});
}

void DrawCurve(Surface& dc, Size size) {
    std::vector<Point> pts;
    const int x0 = size.cx / 12;
    const int width = size.cx / 2 - x0 - 20;
    const int mid = size.cy * 3 / 4;
    for (int i = 0; i <= 200; ++i) {
        const double t = i / 200.0;
        pts.push_back({x0 + static_cast<int>(t * width), mid - static_cast<int>(std::sin(t * 12.566) * size.cy / 10)});
    }
    dc.SetSmoothing(true);
    PenGuard pen(dc, Pen{Rgb(0, 128, 0), 3, PenStyle::Solid, true});
    dc.Polyline(pts);
    dc.SetSmoothing(false);
}

void DrawFills(Surface& dc, Size size) {
    const int left = size.cx / 2 + 20;
    const int top = size.cy / 5;
    dc.SetTextColor(Rgb(192, 64, 192));
    dc.SetBkColor(Rgb(255, 255, 255));
    Brush pattern{BrushKind::Pattern};
    pattern.bits = kDiagonal;
    BrushGuard brush(dc, pattern);
    PenGuard pen(dc, Pen{Rgb(0, 0, 0), 1});
    dc.Rectangle({left, top, size.cx - size.cx / 12, top + size.cy / 4});
    BrushGuard solid(dc, Brush{BrushKind::Solid, Rgb(32, 160, 160)});
    const int cy = top + size.cy / 4 + 20;
    dc.Ellipse({left, cy, left + size.cy / 5, cy + size.cy / 5});
}

void DrawTexts(Surface& dc, Size size) {
    dc.SetTextColor(Rgb(0, 0, 0));
    dc.SetBkMode(BkMode::Transparent);
    FontGuard vertical(dc, Font{"Tahoma", 13, 900});
    dc.SetTextAlign(TextAlign::Left | TextAlign::Bottom);
    dc.TextOut({size.cx - 30, size.cy - 30}, "rotated 90 degrees");
    FontGuard plain(dc, Font{"Tahoma", 13});
    dc.SetTextAlign(TextAlign::Right | TextAlign::Baseline);
    dc.TextOut({size.cx - 50, size.cy - 30}, "right, baseline");
}

}  // namespace

void DrawTestPicture(Surface& dc, Size size) {
    StateGuard state(dc);
    DrawFrameAndTitle(dc, size);
    DrawDashedLines(dc, size);
    DrawCurve(dc, size);
    DrawFills(dc, size);
    DrawTexts(dc, size);
}

}  // namespace vtg::tool
