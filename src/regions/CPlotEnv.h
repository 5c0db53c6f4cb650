#pragma once
// The drawing environment shared by the control, the plot object and its regions: the two
// data-to-pixel mappings, the device origin offset and output scale used when printing, the
// selection handles and the highlight pen, and the drawing helpers every region uses.

#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Surface.h"
#include "regions/CViewCoeff.h"

namespace vtg {

class CDrawTool;
class CVTGFont;

// A selection handle.
class CPlotBullet {
public:
    Rect Box;
    int Code = 0;
    int Owner = 0;
    int Visible = 1;
    int Cursor = 0;     // the cursor shown over the handle (an IDC_ id), 0 for the default
};

class CPlotEnv {
public:
    CPlotEnv() = default;
    // The tool set drawing uses: Tools when set (tests), else the shared instance.
    CDrawTool& Tool() const;

    // Mapping (set before variables are drawn).
    void SetView(const Rect& rect, double xLeft, double yTop, double xRight, double yBottom);
    // The vertical mapping alone, keeping its rectangle: low at the bottom edge, high at the top.
    void SetYRange(double low, double high);
    Point ToDevice(Point p) const { return {p.x + OffsetX, p.y + OffsetY}; }
    Rect ToDevice(const Rect& r) const { return r.Offset(OffsetX, OffsetY); }

    // Sizes: a length of k units is trunc(k * OutputScale) pixels.
    int Units(double k) const;
    // Fonts are realised for FontDpi and scaled by OutputScale, so text keeps its size
    // relative to the rest of the plot on any device. A null font means the tool's default.
    // MeasureText gives the extent of the unscaled font times OutputScale, rounded.
    Size MeasureText(Surface& dc, const CVTGFont* font, std::string_view text) const;
    Font SelectFont(Surface& dc, const CVTGFont* font) const;    // returns the previous font
    // Pens and brushes through the tool's cache, scaled when OutputScale is not 1. Each
    // selects its object into dc and returns the previous one for restoring, like SelectFont.
    Pen AxisPen(Surface& dc, Color colour, int width, int style) const;        // colour by value
    Pen PalettePen(Surface& dc, int index, int width, int style) const;        // palette colour
    Brush SolidBrush(Surface& dc, int index) const;
    // Pattern 1..10 takes dc's text colour as foreground: set it to the fill colour first.
    Brush PatternBrush(Surface& dc, int index, int pattern) const;
    Pen GridPen() const;                // the pen itself (nothing is selected)
    // Marker kinds 1..11 centred on (x, y), half-size in pixels (already scaled); anything else
    // draws nothing. dc's selections are restored afterwards.
    void DrawMarker(Surface& dc, int kind, int x, int y, int colourIndex, int halfSize, bool highlight) const;
    bool IsScaled() const { return OutputScale != 1.0; }

    CDrawTool* Tools = nullptr;         // null: the process-wide CDrawTool::Instance()
    CViewCoeff ViewX;
    CViewCoeff ViewY;
    int OffsetX = 0;
    int OffsetY = 0;
    double OutputScale = 1.0;
    // The resolution the layout is measured for. Scaled drawing (printing, sized copies)
    // already carries the ratio from that layout to the target in OutputScale, so fonts are
    // never realised for the target's own resolution: that would scale them twice.
    int FontDpi = 96;
    bool PlainDrawing = false;          // markers and curves without smoothing
    Rect PaintArea{-1000000, -1000000, 1000000, 1000000};  // what is being repainted
    std::vector<CPlotBullet> Bullets;
    Pen HighlightPen{Rgb(0xCB, 0xCB, 0xCB), 1, PenStyle::Solid, false, false, {}};
};

}  // namespace vtg
