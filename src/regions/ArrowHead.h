#pragma once
// Where a curve's direction arrow goes and what it looks like, as plain geometry on the
// curve's pixel points.

#include <array>
#include <optional>
#include <span>

#include "platform/Geometry.h"

namespace vtg {

// The variable's arrow setting: the third and fourth values of its "Attrib2" group.
enum class ArrowDirection { None = 0, Forward = 1, Backward = 2 };
enum class ArrowPosition { End, Middle };

ArrowDirection ArrowDirectionOf(int code);
// 0 puts the arrow at the end of the curve, anything else in the middle.
ArrowPosition ArrowPositionOf(int code);

// The tip and the unit direction the arrow points in.
struct ArrowPlacement {
    double tipX = 0;
    double tipY = 0;
    double dirX = 1;
    double dirY = 0;
};

// Where the middle of a polyline lies: the segment holding it and the fraction along it from
// the segment's start. Callers cache it while the points stay the same.
struct PolylineMiddle {
    std::size_t segment = 0;
    double fraction = 0;
};

// Half the total pixel length along the polyline; nullopt when it has no length.
std::optional<PolylineMiddle> MiddleOf(std::span<const Point> points);

// The arrow on a polyline: at the last point (Forward) or the first (Backward), pointing away
// from the nearest point that differs from the tip; nullopt when all points coincide.
std::optional<ArrowPlacement> ArrowAtEnd(std::span<const Point> points, ArrowDirection direction);
// The arrow at a precomputed middle, pointing along its segment (against it for Backward).
std::optional<ArrowPlacement> ArrowAtMiddle(std::span<const Point> points, const PolylineMiddle& middle,
                                            ArrowDirection direction);

// The filled arrowhead: the tip, a barb at the full length back along the line and a third of
// the length to one side, the notch at half the length back on the line, the other barb.
std::array<Point, 4> ArrowHeadPolygon(const ArrowPlacement& arrow, int length);

}  // namespace vtg
