// Hit testing of line and polygon objects: on the device points their variable was drawn at
// last, cut to the drawing area.
#include <cstdlib>
#include <span>

#include "objects/CPlotObj.h"
#include "objects/ObjectHitRegion.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotDrawingRgn.h"

namespace vtg {

namespace {

// Points closer than this (|dx| + |dy|) to the last one taken add nothing to the region.
constexpr int kMinStep = 3;
// Segments up to this long count only when one of their ends is in the drawing area.
constexpr int kShortSegment = 30;
constexpr int kBandHalfWidth = 2;

int Distance(Point a, Point b) { return std::abs(b.x - a.x) + std::abs(b.y - a.y); }

std::span<const Point> DrawnPoints(const CPlotVar& y) {
    const auto count = static_cast<std::size_t>(std::max(0, y.MarkCount));
    return std::span<const Point>(y.Marks).first(std::min(count, y.Marks.size()));
}

ObjectHitRegion LineRegion(const CPlotLook& plot, const CPlotVar& y, std::span<const Point> points) {
    const CPlotDrawingRgn& area = *plot.DrawingRgn;
    const int square = y.VarMarkerSize > 0 ? y.VarMarkerSize : plot.MarkerSize;
    ObjectHitRegion region;
    Point a = points.front();
    for (Point b : points.subspan(1)) {
        const int length = Distance(a, b);
        if (length < kMinStep) continue;
        const bool inArea = length > kShortSegment || area.ContainsPixel(a) || area.ContainsPixel(b);
        if (area.SegmentVisible(a, b) && inArea && y.PenWidth > 0) region.AddBand(a, b, kBandHalfWidth);
        if (y.Marker > 0) region.AddSquare(a, square);
        a = b;
    }
    return region;
}

// Tests p against region cut to the drawing area; the object's bounds become the region's.
int HitRegion(CPlotLook& plot, ObjectHitRegion region, Point p, vtg::Rect& bounds) {
    region.ClipTo(plot.DrawingRgn->GetClipRegion(*plot.Env));
    bounds = region.Bounds();
    return region.Contains(p) ? 1 : 0;
}

}  // namespace

int CPlotLineObj::HitTestPoint(CPlotLook& plot, Point p) {
    const CPlotVar* y = PickableVariable(plot);
    if (!y || !plot.DrawingRgn) return 0;
    const std::span<const Point> points = DrawnPoints(*y);
    if (points.empty()) return 0;
    return HitRegion(plot, LineRegion(plot, *y, points), p, Bounds);
}

int CPlotPolygonObj::HitTestPoint(CPlotLook& plot, Point p) {
    const CPlotVar* y = PickableVariable(plot);
    if (!y || !plot.DrawingRgn) return 0;
    const std::span<const Point> points = DrawnPoints(*y);
    if (points.size() < 3) return 0;
    ObjectHitRegion region;
    region.AddPolygon({points.begin(), points.end()});
    return HitRegion(plot, std::move(region), p, Bounds);
}

}  // namespace vtg
