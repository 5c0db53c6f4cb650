#include "regions/LineClipper.h"

#include <cmath>
#include <utility>

namespace vtg {

namespace {

// Four cuts bring any segment inside: one per edge.
constexpr int kMaxRounds = 4;

int RoundHalfAway(double v) { return static_cast<int>(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)); }

// The point of p-q (as doubles, p != q along the varying coordinate) where x (or y) is at.
Point AtX(Point p, Point q, int x) {
    const double t = (static_cast<double>(x) - p.x) / (static_cast<double>(q.x) - p.x);
    return {x, RoundHalfAway(p.y + t * (static_cast<double>(q.y) - p.y))};
}

Point AtY(Point p, Point q, int y) {
    const double t = (static_cast<double>(y) - p.y) / (static_cast<double>(q.y) - p.y);
    return {RoundHalfAway(p.x + t * (static_cast<double>(q.x) - p.x)), y};
}

}  // namespace

std::optional<Segment> ClipSegment(Point a, Point b, const Rect& r) {
    if (r.IsEmpty()) return std::nullopt;
    if (b.x < a.x) std::swap(a, b);
    const int right = r.right - 1;
    const int bottom = r.bottom - 1;
    for (int round = 0;; ++round) {
        const bool outside = b.x < r.left || a.x > right || std::max(a.y, b.y) < r.top || std::min(a.y, b.y) > bottom;
        if (outside) return std::nullopt;
        const bool inside = a.x >= r.left && b.x <= right && std::min(a.y, b.y) >= r.top && std::max(a.y, b.y) <= bottom;
        if (inside) return Segment{a, b};
        if (round == kMaxRounds) return std::nullopt;
        Point& top = a.y < b.y ? a : b;
        Point& low = a.y < b.y ? b : a;
        if (a.x < r.left) {
            a = AtX(a, b, r.left);
        } else if (b.x > right) {
            b = AtX(a, b, right);
        } else if (top.y < r.top) {
            top = AtY(top, low, r.top);
        } else {
            low = AtY(low, top, bottom);
        }
    }
}

}  // namespace vtg
