#pragma once
// An axis region: it owns the axis object (range, ticks, scale) and the axis caption, and
// draws the axis line, ticks and tick labels. Kind 2 is the X axis, kind 3 a Y axis; the
// triangular subclass is a side of the triangle.

#include <memory>

#include "axes/CPlotAxis.h"
#include "regions/CPlotLabel.h"
#include "regions/CPlotRegion.h"

namespace vtg {

class CPlotAxisRgn : public CPlotRegion {
public:
    // kind is RegionKind::XAxis or RegionKind::YAxis; triangleKind 1 or 2 makes a triangular
    // axis object. withAxis false leaves Axis null for a caller that supplies its own.
    CPlotAxisRgn(int kind, int triangleKind, bool withAxis = true);

    RegionClass Class() const override { return RegionClass::Axis; }
    // The region is an axis-like region: clicks select it.
    bool AcceptsClick(Surface& dc, CPlotLook& plot, Point p) override;

    std::unique_ptr<CPlotAxis> Axis;
    // 0 for the X axis, 1..n for the Y axes.
    int AxisIndex = 0;
    CPlotLabel Label;
    int TriangleKind = 0;
    // Palette index 0..15 of the axis colour.
    int ColorIndex = 0;
};

class CPlotTriAxisRgn : public CPlotAxisRgn {
public:
    explicit CPlotTriAxisRgn(int triangleKind);
    RegionClass Class() const override { return RegionClass::TriAxis; }

    // Pixels along the triangle's side.
    int SideLength = 0;
};

// Colour indexes outside the 16 axis and caption colours are stored as 0.
inline int ClampColorIndex(int index) { return index >= 0 && index < 16 ? index : 0; }

}  // namespace vtg
