#include "regions/SeriesReducer.h"

#include <algorithm>
#include <array>

namespace vtg {

namespace {

int Major(Point p, ReduceAxis axis) { return axis == ReduceAxis::Columns ? p.x : p.y; }
int Minor(Point p, ReduceAxis axis) { return axis == ReduceAxis::Columns ? p.y : p.x; }

void Append(std::vector<Point>& out, Point p) {
    if (out.empty() || out.back() != p) out.push_back(p);
}

// Appends the run [first, last] reduced to its first, extreme and last points in order.
void AppendRun(std::span<const Point> points, std::size_t first, std::size_t last, ReduceAxis axis,
               std::vector<Point>& out) {
    std::size_t lo = first;
    std::size_t hi = first;
    for (std::size_t k = first + 1; k <= last; ++k) {
        const int m = Minor(points[k], axis);
        if (m < Minor(points[lo], axis)) lo = k;
        if (m > Minor(points[hi], axis)) hi = k;
    }
    std::array<std::size_t, 4> keep{first, lo, hi, last};
    std::sort(keep.begin(), keep.end());
    for (std::size_t k : keep) Append(out, points[k]);
}

}  // namespace

std::vector<Point> ReducePolyline(std::span<const Point> points, ReduceAxis axis) {
    std::vector<Point> out;
    if (points.empty()) return out;
    std::size_t start = 0;
    for (std::size_t k = 1; k <= points.size(); ++k) {
        if (k < points.size() && Major(points[k], axis) == Major(points[start], axis)) continue;
        AppendRun(points, start, k - 1, axis, out);
        start = k;
    }
    if (out.size() == 1 && points.size() >= 2) out.push_back(out.front());
    return out;
}

}  // namespace vtg
