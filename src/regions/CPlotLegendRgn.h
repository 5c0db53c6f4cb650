#pragma once
// The legend box: one entry per visible variable with a legend text, a sample of its line,
// marker or bar beside it. The user can move and resize it; the host places it with
// SetLegendBox.

#include <array>

#include "regions/CPlotRegion.h"

namespace vtg {

class CPlotLegendRgn : public CPlotRegion {
public:
    CPlotLegendRgn() : CPlotRegion(RegionKind::Legend) {}

    RegionClass Class() const override { return RegionClass::Legend; }
    // Measures once, until MarkForLayout: one item per visible variable with a legend text
    // (followed by its axis's multiplier suffix). Sets Width, Height, MinWidth, MinHeight,
    // ItemCount, Measured and Shown, and returns (Width, Height).
    Size Measure(Surface& dc, CPlotLook& plot) override;
    // A legend that is not shown is never hit.
    bool HitTest(Point p) const override;

    // Forgets the measured sizes so that the next layout measures the legend again.
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
    // The output scale the sizes were measured for; another scale measures again.
    double MeasuredScale = 1.0;
};

}  // namespace vtg
