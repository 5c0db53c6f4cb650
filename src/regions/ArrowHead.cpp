#include "regions/ArrowHead.h"

#include <cmath>

namespace vtg {

namespace {

int RoundHalfAway(double v) { return static_cast<int>(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)); }

double Length(Point a, Point b) {
    return std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
}

// The unit vector from `from` to `to`, which differ.
ArrowPlacement Pointing(double tipX, double tipY, Point from, Point to) {
    const double dx = static_cast<double>(to.x) - from.x;
    const double dy = static_cast<double>(to.y) - from.y;
    const double len = std::hypot(dx, dy);
    return {tipX, tipY, dx / len, dy / len};
}

}  // namespace

ArrowDirection ArrowDirectionOf(int code) {
    switch (code) {
        case 1: return ArrowDirection::Forward;
        case 2: return ArrowDirection::Backward;
        default: return ArrowDirection::None;
    }
}

ArrowPosition ArrowPositionOf(int code) { return code == 0 ? ArrowPosition::End : ArrowPosition::Middle; }

std::optional<PolylineMiddle> MiddleOf(std::span<const Point> points) {
    double total = 0;
    for (std::size_t k = 0; k + 1 < points.size(); ++k) total += Length(points[k], points[k + 1]);
    if (!(total > 0)) return std::nullopt;
    double remainder = total / 2;
    std::size_t last = 0;
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const double len = Length(points[k], points[k + 1]);
        if (len <= 0) continue;
        last = k;
        if (len > remainder) return PolylineMiddle{k, remainder / len};
        remainder -= len;
    }
    // Rounding left the remainder at the very end of the last segment with length.
    return PolylineMiddle{last, 1.0};
}

std::optional<ArrowPlacement> ArrowAtEnd(std::span<const Point> points, ArrowDirection direction) {
    if (points.size() < 2 || direction == ArrowDirection::None) return std::nullopt;
    const bool forward = direction == ArrowDirection::Forward;
    const std::size_t n = points.size();
    const Point tip = forward ? points[n - 1] : points[0];
    // The reference is the nearest point that differs from the tip: a repeated end point
    // has no direction.
    for (std::size_t k = 1; k < n; ++k) {
        const Point ref = forward ? points[n - 1 - k] : points[k];
        if (ref != tip) return Pointing(tip.x, tip.y, ref, tip);
    }
    return std::nullopt;
}

std::optional<ArrowPlacement> ArrowAtMiddle(std::span<const Point> points, const PolylineMiddle& middle,
                                            ArrowDirection direction) {
    if (direction == ArrowDirection::None || middle.segment + 1 >= points.size()) return std::nullopt;
    const Point a = points[middle.segment];
    const Point b = points[middle.segment + 1];
    if (a == b) return std::nullopt;
    const bool forward = direction == ArrowDirection::Forward;
    const Point from = forward ? a : b;
    const Point to = forward ? b : a;
    const double x = from.x + middle.fraction * (static_cast<double>(to.x) - from.x);
    const double y = from.y + middle.fraction * (static_cast<double>(to.y) - from.y);
    return Pointing(x, y, from, to);
}

std::array<Point, 4> ArrowHeadPolygon(const ArrowPlacement& arrow, int length) {
    const double l = length;
    const double side = l / 3;
    // Back along the line is against the direction; the side is its normal.
    const double bx = -arrow.dirX, by = -arrow.dirY;
    const double nx = -arrow.dirY, ny = arrow.dirX;
    auto at = [&](double back, double across) {
        return Point{RoundHalfAway(arrow.tipX + back * bx + across * nx), RoundHalfAway(arrow.tipY + back * by + across * ny)};
    };
    return {at(0, 0), at(l, side), at(l / 2, 0), at(l, -side)};
}

}  // namespace vtg
