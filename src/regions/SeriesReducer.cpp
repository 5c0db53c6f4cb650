#include "regions/SeriesReducer.h"

#include <algorithm>
#include <array>

namespace vtg {

namespace {

struct ByColumn {
    static constexpr bool kColumns = true;
    static int Major(Point p) { return p.x; }
    static int Minor(Point p) { return p.y; }
};
struct ByRow {
    static constexpr bool kColumns = false;
    static int Major(Point p) { return p.y; }
    static int Minor(Point p) { return p.x; }
};

void Push(std::vector<Point>& out, std::size_t pieceStart, Point p) {
    if (out.size() == pieceStart || out.back() != p) out.push_back(p);
}

// The run's four kept points by their indexes, in their original order. At the end of a
// piece a line leaves out its last pixel unless it passed there before: when the last point
// sits on an extreme the run already reached (and left), a step back inside the run and
// forward again draws that pixel as the full run did.
void AppendRun(const Point* pts, std::size_t first, std::size_t lo, std::size_t hi, std::size_t last,
               std::vector<Point>& out, std::size_t pieceStart, bool pieceEnd, bool columns) {
    std::array<std::size_t, 4> keep{first, lo, hi, last};
    std::sort(keep.begin(), keep.end());
    for (std::size_t k : keep) Push(out, pieceStart, pts[k]);
    const Point end = pts[last];
    const bool returned = (end == pts[hi] && hi != last) || (end == pts[lo] && lo != last);
    if (!pieceEnd || !returned || pts[lo] == pts[hi]) return;
    const int step = end == pts[hi] ? -1 : 1;
    out.push_back(columns ? Point{end.x, end.y + step} : Point{end.x + step, end.y});
    out.push_back(end);
}

// One pass with the run's state in locals: the common case is a long run in one column.
template <class Axis>
void Reduce(std::span<const Point> points, std::vector<Point>& out) {
    const Point* pts = points.data();
    const std::size_t n = points.size();
    const std::size_t pieceStart = out.size();
    std::size_t first = 0, lo = 0, hi = 0;
    int major = Axis::Major(pts[0]);
    int loMinor = Axis::Minor(pts[0]);
    int hiMinor = loMinor;
    for (std::size_t k = 1; k < n; ++k) {
        const Point p = pts[k];
        const int m = Axis::Minor(p);
        if (Axis::Major(p) == major) {
            if (m < loMinor) {
                loMinor = m;
                lo = k;
            }
            if (m > hiMinor) {
                hiMinor = m;
                hi = k;
            }
            continue;
        }
        AppendRun(pts, first, lo, hi, k - 1, out, pieceStart, false, Axis::kColumns);
        first = lo = hi = k;
        major = Axis::Major(p);
        loMinor = hiMinor = m;
    }
    AppendRun(pts, first, lo, hi, n - 1, out, pieceStart, true, Axis::kColumns);
    if (n >= 2 && out.size() == pieceStart + 1) out.push_back(out.back());
}

}  // namespace

void AppendReduced(std::span<const Point> points, ReduceAxis axis, std::vector<Point>& out) {
    if (points.empty()) return;
    if (axis == ReduceAxis::Columns) {
        Reduce<ByColumn>(points, out);
    } else {
        Reduce<ByRow>(points, out);
    }
}

std::vector<Point> ReducePolyline(std::span<const Point> points, ReduceAxis axis) {
    std::vector<Point> out;
    AppendReduced(points, axis, out);
    return out;
}

}  // namespace vtg
