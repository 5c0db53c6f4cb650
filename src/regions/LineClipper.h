#pragma once
// The drawing region's own segment clipper for printer and preview pages, where each segment
// of a run or parametric curve is cut to the drawing rectangle before it reaches the device.

#include <optional>
#include <utility>

#include "platform/Geometry.h"

namespace vtg {

using Segment = std::pair<Point, Point>;

// The part of a-b inside r (its right and bottom edges at right - 1 and bottom - 1), ends
// ordered by x; nullopt when nothing of it is inside. Each round cuts at one edge -- left,
// right, top, bottom, the first that applies -- and at most four rounds are made.
std::optional<Segment> ClipSegment(Point a, Point b, const Rect& r);

}  // namespace vtg
