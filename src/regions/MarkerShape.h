#pragma once
// Marker outlines as plain geometry, kept apart from drawing so that every point can be checked
// on its own. Kinds 1-5 are filled shapes, 6-10 the same shapes open, 11 a plus sign.

#include <array>
#include <span>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace vtg {

enum class MarkerForm { None, Circle, Square, Polygon, Plus };

struct MarkerShape {
    MarkerForm form = MarkerForm::None;
    bool filled = false;                        // kinds 1-5
    Rect box;                                   // circle and square: the bounding square
    std::vector<Point> points;                  // diamond and triangles
    std::vector<std::array<Point, 2>> strokes;  // plus: line segments, end point exclusive
};

inline constexpr int kFirstMarkerKind = 1;
inline constexpr int kLastMarkerKind = 11;

// The shape of marker kind at (x, y) with half-size d; form None for kinds outside 1..11.
MarkerShape MarkerGeometry(int kind, int x, int y, int d);

// The same shape grown outwards by distance pixels (shrunk for a negative distance). Polygons
// get mitred corners, as a stroke of width 2 * |distance| along the outline has.
MarkerShape OffsetMarker(const MarkerShape& shape, int distance);

// A convex polygon moved outwards along each edge's normal by distance, corners mitred.
std::vector<Point> OffsetConvexPolygon(std::span<const Point> points, double distance);

// A colour brought half-way to white, channel by channel.
Color LightenHalfway(Color c);

// The highlight fill of a marker: a small grid (lines every 4 pixels) in the colour lightened
// half-way to white over the colour itself.
Brush MarkerHighlightBrush(Color c);

}  // namespace vtg
