#pragma once
// The drawing area: the rectangle inside the axes where curves, markers, bars, the grid and
// the rubber band are drawn. Bar graphs and triangular plots use their own subclasses. The
// drawing operations themselves belong to the drawing code; here the regions keep their state.

#include <array>

#include "regions/CPlotRegion.h"

namespace vtg {

class CPlotDrawingRgn : public CPlotRegion {
public:
    explicit CPlotDrawingRgn(int triangleKind = 0) : CPlotRegion(RegionKind::Drawing), TriangleKind(triangleKind) {}

    RegionClass Class() const override { return RegionClass::Drawing; }

    // 0 for XY plots; 1 (equilateral) or 2 (right-angled) on triangular plots.
    int TriangleKind = 0;
    vtg::Rect BandRect;
    int BandActive = 0;
    // Working values of the triangular subclass, zero at creation.
    std::array<int, 6> TriState{};
};

class CPlotBarDrawingRgn : public CPlotDrawingRgn {
public:
    CPlotBarDrawingRgn() = default;
    RegionClass Class() const override { return RegionClass::BarDrawing; }
};

class CPlotTriDrawingRgn : public CPlotDrawingRgn {
public:
    explicit CPlotTriDrawingRgn(int triangleKind) : CPlotDrawingRgn(triangleKind) {}
    RegionClass Class() const override { return RegionClass::TriDrawing; }

    // Where the current rubber band was started.
    Point BandPress;
};

}  // namespace vtg
