// The tracker's drawing: a cross-hair in XOR across the drawing area and a read-out box whose
// covered pixels are kept, so that both can be taken away without a redraw.
#include "axes/FormatNumber.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"

namespace vtg {

namespace {

constexpr int kTrackerDigits = 6;
// The box is the text extent plus this much in each direction, the text centred in it.
constexpr int kBoxGrowth = 4;
constexpr int kTextInset = kBoxGrowth / 2;

void DrawCross(Surface& dc, Point p, const Rect& r) {
    StateGuard restore(dc);
    dc.SelectPen(Pen{Rgb(0, 0, 0)});
    dc.SetRop2(Rop2::NotXorPen);
    dc.MoveTo({r.left, p.y});
    dc.LineTo({r.right, p.y});
    dc.MoveTo({p.x, r.top});
    dc.LineTo({p.x, r.bottom});
}

// Placed 1 pixel right of and below the pointer, or left of (above) it where it would pass
// the rectangle's right (bottom) edge.
Rect PlaceBox(Point p, Size text, const Rect& r) {
    const int w = text.cx + kBoxGrowth;
    const int h = text.cy + kBoxGrowth;
    int left = p.x + 1;
    int top = p.y + 1;
    if (left + w > r.right) left = p.x - 1 - w;
    if (top + h > r.bottom) top = p.y - 1 - h;
    return {left, top, left + w, top + h};
}

}  // namespace

void CPlotDrawingRgn::DrawTracker(Surface& dc, CPlotLook& plot) {
    if (tracker_.shown) EraseTracker(dc, plot);
    CPlotEnv& env = plot.Environment();
    const Point p{plot.TrackPixelX, plot.TrackPixelY};
    const vtg::Rect r = DeviceRect(env);
    if (!r.Contains(p) || !InShape(p, r)) return;
    DrawCross(dc, p, r);
    tracker_.cross = p;
    tracker_.shown = true;

    const std::string text =
        "X: " + FormatNumber(plot.TrackX, kTrackerDigits, true, true) + " Y: " + FormatNumber(plot.TrackY, kTrackerDigits, true, true);
    const CVTGFont* font = plot.XAxisRgn && plot.XAxisRgn->Fonts ? plot.XAxisRgn->Fonts->Horizontal() : nullptr;
    const vtg::Rect box = PlaceBox(p, env.MeasureText(dc, font, text), r);
    tracker_.box = box;
    tracker_.saved = dc.CreateCompatible(box.Width(), box.Height());
    tracker_.saved->BitBlt({0, 0}, {box.Width(), box.Height()}, dc, {box.left, box.top});

    StateGuard restore(dc);
    dc.SelectPen(Pen{RgbOnly(plot.TrackColor)});
    dc.SelectBrush(Brush{BrushKind::Solid, Rgb(255, 255, 255)});
    dc.Rectangle(box);
    env.SelectFont(dc, font);
    dc.SetTextColor(RgbOnly(plot.TrackColor));
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    dc.TextOut({box.left + kTextInset, box.top + kTextInset}, text);
}

void CPlotDrawingRgn::EraseTracker(Surface& dc, CPlotLook& plot) {
    if (!tracker_.shown) return;
    if (tracker_.saved) {
        StateGuard restore(dc);
        dc.RemoveClip();
        dc.BitBlt({tracker_.box.left, tracker_.box.top}, {tracker_.box.Width(), tracker_.box.Height()}, *tracker_.saved,
                  {0, 0});
    }
    DrawCross(dc, tracker_.cross, DeviceRect(plot.Environment()));
    ForgetTracker();
}

void CPlotDrawingRgn::ForgetTracker() {
    tracker_.shown = false;
    tracker_.saved.reset();
}

}  // namespace vtg
