#include "regions/CPlotEnv.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "regions/CDrawTool.h"
#include "regions/MarkerShape.h"

namespace vtg {

namespace {

// Markers larger than this are not markers any more; the bound keeps x +/- d from overflowing.
constexpr int kMaxMarkerHalfSize = 1 << 16;
// Points this far out cannot be on any device.
constexpr int kMaxMarkerCoordinate = 1 << 29;

const Color kWhite = Rgb(255, 255, 255);
const Color kGridColour = Rgb(203, 203, 203);

int ClampToInt(double v) {
    if (!(v > INT_MIN)) return std::isnan(v) ? 0 : INT_MIN;
    if (v >= INT_MAX) return INT_MAX;
    return static_cast<int>(v);
}

// Pixel rounding is half away from zero.
int RoundToInt(double v) { return ClampToInt(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)); }

Pen NullPen() {
    Pen pen;
    pen.style = PenStyle::Null;
    return pen;
}

Brush SolidOf(Color c) { return Brush{BrushKind::Solid, RgbOnly(c)}; }

void DrawShape(Surface& dc, const MarkerShape& shape) {
    switch (shape.form) {
        case MarkerForm::Circle:
            dc.Ellipse(shape.box);
            break;
        case MarkerForm::Square:
            dc.Rectangle(shape.box);
            break;
        case MarkerForm::Polygon:
            dc.Polygon(shape.points);
            break;
        case MarkerForm::Plus:
            for (const auto& s : shape.strokes) {
                dc.MoveTo(s[0]);
                dc.LineTo(s[1]);
            }
            break;
        case MarkerForm::None:
            break;
    }
}

// A fill without outline covering the same pixels as the shape's box. The surface leaves the
// outline's right and bottom pixels out of a rectangle drawn without a pen, so the box grows
// by one there.
void FillShape(Surface& dc, const MarkerShape& shape) {
    if (shape.form != MarkerForm::Square) {
        DrawShape(dc, shape);
        return;
    }
    dc.Rectangle({shape.box.left, shape.box.top, shape.box.right + 1, shape.box.bottom + 1});
}

// The anti-aliased forms: filled kinds without outline, open kinds white inside an outline of
// width h = d / 2 (at least 1) that grows outwards by half its width, so d shrinks by that.
void DrawSmoothedMarker(Surface& dc, int kind, int x, int y, int d, Color colour, bool highlight) {
    const int h = std::max(1, d / 2);
    const bool open = kind >= 6;
    if (open) d -= h / 2;
    const MarkerShape shape = MarkerGeometry(kind, x, y, d);
    // Circles are anti-aliased; straight-edged shapes stay crisp on the pixel grid.
    dc.SetSmoothing(shape.form == MarkerForm::Circle);
    const Brush fill = highlight ? MarkerHighlightBrush(colour) : SolidOf(colour);
    if (!open) {
        dc.SelectPen(NullPen());
        dc.SelectBrush(fill);
        FillShape(dc, shape);
    } else if (!highlight) {
        dc.SelectPen(Pen{colour, h, PenStyle::Solid, true, false, {}});
        dc.SelectBrush(SolidOf(kWhite));
        DrawShape(dc, shape);
    } else {
        // A pen cannot carry the hatch, so the outline is drawn as the band of width h around
        // the shape filled with the hatch, then the inside filled white.
        dc.SelectPen(NullPen());
        dc.SelectBrush(fill);
        FillShape(dc, OffsetMarker(shape, (h + 1) / 2));
        dc.SelectBrush(SolidOf(kWhite));
        FillShape(dc, OffsetMarker(shape, -(h / 2)));
    }
}

}  // namespace

CDrawTool& CPlotEnv::Tool() const { return Tools ? *Tools : CDrawTool::Instance(); }

int CPlotEnv::Units(double k) const { return ClampToInt(k * OutputScale); }

Size CPlotEnv::MeasureText(Surface& dc, const CVTGFont* font, std::string_view text) const {
    if (!font) font = Tool().DefaultFont();
    const Size extent = dc.MeasureText(font->Realize(FontDpi), text);
    return {RoundToInt(extent.cx * OutputScale), RoundToInt(extent.cy * OutputScale)};
}

Font CPlotEnv::SelectFont(Surface& dc, const CVTGFont* font) const {
    const CVTGFont* scaled = Tool().GetFontScaled(font, OutputScale);
    return dc.SelectFont(scaled->Realize(FontDpi));
}

Pen CPlotEnv::AxisPen(Surface& dc, Color colour, int width, int style) const {
    return dc.SelectPen(Tool().GetPenForColor(colour, width, style, IsScaled(), OutputScale).SurfacePen);
}

Pen CPlotEnv::PalettePen(Surface& dc, int index, int width, int style) const {
    return dc.SelectPen(Tool().GetPen(index, width, style, IsScaled(), OutputScale).SurfacePen);
}

Brush CPlotEnv::SolidBrush(Surface& dc, int index) const { return PatternBrush(dc, index, 0); }

Brush CPlotEnv::PatternBrush(Surface& dc, int index, int pattern) const {
    const CDrawBrush& brush = Tool().GetBrush(index, pattern, dc.IsPrintingDevice(), IsScaled(), OutputScale);
    return dc.SelectBrush(brush.SurfaceBrush);
}

Pen CPlotEnv::GridPen() const { return Pen{kGridColour, 1, PenStyle::Solid, false, false, {}}; }

void CPlotEnv::DrawMarker(Surface& dc, int kind, int x, int y, int colourIndex, int halfSize, bool highlight) const {
    if (kind < kFirstMarkerKind || kind > kLastMarkerKind) return;
    if (x < -kMaxMarkerCoordinate || x > kMaxMarkerCoordinate || y < -kMaxMarkerCoordinate ||
        y > kMaxMarkerCoordinate) {
        return;
    }
    const int d = std::clamp(halfSize, -1, kMaxMarkerHalfSize);
    // The marker's square, its right and bottom edge pixels included.
    const Rect square{x - d, y - d, x + d + 1, y + d + 1};
    if (!square.Intersects(PaintArea)) return;

    CDrawTool& tool = Tool();
    const Color colour = RgbOnly(tool.PaletteColor(colourIndex));
    StateGuard restore(dc);
    dc.SetSmoothing(false);
    const bool plus = kind == kLastMarkerKind;
    if (plus || dc.IsPrintingDevice() || PlainDrawing) {
        // Device shapes: outline of width 1 (scaled with the output), filled kinds filled
        // with their colour and open kinds with white, as the smoothed forms are.
        const MarkerShape shape = MarkerGeometry(kind, x, y, d);
        dc.SelectPen(tool.GetPen(colourIndex, 1, 0, IsScaled(), OutputScale).SurfacePen);
        dc.SelectBrush(SolidOf(shape.filled ? colour : kWhite));
        DrawShape(dc, shape);
    } else {
        DrawSmoothedMarker(dc, kind, x, y, d, colour, highlight);
    }
}

void CPlotEnv::SetView(const Rect& rect, double xLeft, double yTop, double xRight, double yBottom) {
    ViewX = CViewCoeff::Make(rect.left, rect.Width(), xLeft, xRight);
    ViewY = CViewCoeff::Make(rect.top, rect.Height(), yTop, yBottom);
}

void CPlotEnv::SetYRange(double low, double high) { ViewY = CViewCoeff::Make(ViewY.Start, ViewY.Extent, high, low); }

}  // namespace vtg
