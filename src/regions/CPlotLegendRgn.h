#pragma once
// The legend box: one entry per visible variable with a legend text, a sample of its line,
// marker or bar beside it. The user can move and resize it; the host places it with
// SetLegendBox.
//
// Tracking: BeginTrack (move) or BeginResize (a handle) draws the drag frame in XOR, each Track
// erases and redraws it, EndTrack erases it and applies the new rectangle. The frame is on the
// screen exactly while Tracking is set.

#include <vector>

#include "regions/CPlotRegion.h"

namespace vtg {

class CPlotBullet;

namespace LegendHandle {
constexpr int Move = 0;
constexpr int TopLeft = 1;
constexpr int TopRight = 2;
constexpr int BottomRight = 3;
constexpr int BottomLeft = 4;
constexpr int Left = 5;
constexpr int Right = 6;
constexpr int Top = 7;
constexpr int Bottom = 8;
}  // namespace LegendHandle

// Neither side of the box shrinks below this many pixels, whichever handle is dragged.
inline constexpr int kMinLegendSide = 20;

// The drag rectangle for the pointer at p: a move (code 0) offsets start by p - origin; a handle
// brings its edges to p, each stopping where the box would become smaller than minimum (at
// least kMinLegendSide) -- the middle handles use minimum, the corners kMinLegendSide alone.
Rect TrackedLegendRect(const Rect& start, Point origin, Point p, int hitCode, Size minimum);

// The sizing handles of a legend box: 5 x 5 squares 2 pixels inside its left and top edges and
// 3 inside its right and bottom ones (the last pixel row and column), with their handle
// numbers and sizing cursors. The top and bottom middle handles need two items or more.
std::vector<CPlotBullet> LegendHandles(const Rect& box, int itemCount);

class CPlotLegendRgn : public CPlotRegion {
public:
    CPlotLegendRgn() : CPlotRegion(RegionKind::Legend) {}

    RegionClass Class() const override { return RegionClass::Legend; }
    // Measures the items as they are now, at every call (the layout calls it each time): one
    // item per visible variable with a legend text (followed by its axis's multiplier suffix).
    // Sets Width, Height, MinWidth, MinHeight (none below kMinLegendSide), ItemCount, Measured
    // and Shown, and returns (Width, Height).
    Size Measure(Surface& dc, CPlotLook& plot) override;
    // The frame, then per item its sample and its text in the variable's colour. Nothing
    // unless the plot shows the legend box.
    void Draw(Surface& dc, CPlotLook& plot, int force) override;
    // A legend that is not shown is never hit.
    bool HitTest(Point p) const override;
    // The sizing handles, registered with the environment as bullets (Code = handle number,
    // Owner = RegionKind::Legend) and drawn. The middle handles of the top and bottom edges
    // only exist with two items or more.
    void DrawHandles(Surface& dc, CPlotLook& plot) override;
    // The frame's pen and the handles reach a little beyond the rectangle.
    void Invalidate(CPlotLook& plot) override;
    // The same for a box at r (where the legend was before a layout moved it); nothing for an
    // empty one.
    void InvalidateBox(CPlotLook& plot, const vtg::Rect& r) const;
    int BeginTrack(Surface& dc, CPlotLook& plot, Point p) override;
    void BeginResize(Surface& dc, int hitCode) override;
    void Track(Surface& dc, CPlotLook& plot, Point p) override;
    bool AcceptsClick(Surface& dc, CPlotLook& plot, Point p) override;
    // True when the box was moved or resized: the new place is stored in the plot's LegendX
    // and LegendY, a resize also changes SampleLength and ItemSpacing, and the plot is laid
    // out again.
    bool EndTrack(Surface& dc, CPlotLook& plot) override;
    // The host's legend dialog edits every variable's legend text. Hosts of another client
    // type edit legends themselves: that counts as a change.
    bool EditProperties(Surface& dc, CPlotLook& plot) override;

    // Stores the values within their ranges (10 < sampleLength <= 200, 0.8 <= itemSpacing
    // < 3, 3 <= margin < 40) and leaves the others; the legend is measured again.
    void SetProportions(int sampleLength, double itemSpacing, int margin);
    // Notes that the measured sizes no longer fit the items; the next layout measures them.
    void MarkForLayout() { Measured = 0; }
    // Empties the legend: nothing is shown until it is measured again.
    void Empty();

    int Measured = 0;
    int Shown = 0;
    int Height = 0;
    int Width = 0;
    int ItemCount = 0;
    vtg::Rect DragRect;
    Point DragOrigin;
    int SampleLength = 20;      // units
    float ItemSpacing = 1.25f;  // times the text height
    int Margin = 6;             // units
    int HitCode = 0;
    int MinWidth = 0;
    int MinHeight = 0;
    // From the last Measure: the first item's text height and the widest text, in pixels.
    int ItemHeight = 0;
    int WidestText = 0;
    int Tracking = 0;

private:
    // Interactive tracking happens on the window only, where there is no device offset.
    void DrawDragFrame(Surface& dc) const;
    void FitProportions(const CPlotLook& plot);
};

}  // namespace vtg
