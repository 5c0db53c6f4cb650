#pragma once
// The area in which a plot object counts as hit: a union of polygons (alternate fill each)
// cut down to a clip. Line objects build it from bands around their segments and squares
// around their markers, polygon objects from their outline.

#include <span>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace vtg {

class ObjectHitRegion {
public:
    void AddPolygon(std::vector<Point> points);
    // A band of half-width h around a-b: offset vertically when the segment runs more
    // horizontally than vertically, else horizontally.
    void AddBand(Point a, Point b, int h);
    void AddSquare(Point centre, int halfSize);
    // Only what lies inside every shape of clip is kept (no shapes: nothing is cut).
    void ClipTo(const ClipRegion& clip) { clip_ = clip; }

    bool IsEmpty() const { return polygons_.empty(); }
    bool Contains(Point p) const;
    // The bounding box of the polygons, cut to the clip's bounding box.
    vtg::Rect Bounds() const;

private:
    std::vector<std::vector<Point>> polygons_;
    ClipRegion clip_;
};

// Even-odd rule; a point on the left or top edge is inside, as with rectangles.
bool PolygonContains(std::span<const Point> polygon, Point p);

}  // namespace vtg
