#pragma once
// Reduction of a long polyline in device pixels to what can be seen: within each run of
// consecutive points that share a pixel column (or, for a vertical independent axis, a pixel
// row) only the first, the lowest, the highest and the last point can change a pixel. Keeping
// those four, in their original order, draws exactly the pixels of the full polyline with a
// 1-pixel pen and the same band with a wider one.
//
// Only lines are drawn from the reduced points; markers, point buffers, hit tests and tool
// tips always use every point.

#include <span>
#include <vector>

#include "platform/Geometry.h"

namespace vtg {

enum class ReduceAxis {
    Columns,    // runs share x; first, min y, max y, last
    Rows,       // runs share y; first, min x, max x, last
};

// Appends the reduced polyline to out. Consecutive duplicates are dropped, except that a
// polyline of two or more points never shrinks below two (a wide pen still draws its round
// dot).
void AppendReduced(std::span<const Point> points, ReduceAxis axis, std::vector<Point>& out);

std::vector<Point> ReducePolyline(std::span<const Point> points, ReduceAxis axis);

}  // namespace vtg
