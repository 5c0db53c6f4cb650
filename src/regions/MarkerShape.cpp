#include "regions/MarkerShape.h"

#include <cmath>

namespace vtg {

namespace {

// Small grid: a full line in rows 0 and 4 and a dot in columns 0 and 4 of the other rows
// (0 bits take the foreground colour).
constexpr std::array<std::uint8_t, 8> kSmallGridRows = {0x00, 0x77, 0x77, 0x77, 0x00, 0x77, 0x77, 0x77};

std::vector<Point> Diamond(int x, int y, int d) {
    return {{x, y - d - 1}, {x + d + 1, y}, {x, y + d + 1}, {x - d - 1, y}};
}

// With the base (d + 1) / 2 below the point, the triangle's centroid falls on the point.
std::vector<Point> TriangleUp(int x, int y, int d) {
    const int t = (d + 1) / 2;
    return {{x, y - d - 1}, {x + d + 1, y + t}, {x - d - 1, y + t}};
}

std::vector<Point> TriangleDown(int x, int y, int d) {
    const int t = (d + 1) / 2;
    return {{x, y + d + 1}, {x + d + 1, y - t}, {x - d - 1, y - t}};
}

// Two pixels thick: each bar is drawn twice, the second time one pixel further right or down.
std::vector<std::array<Point, 2>> Plus(int x, int y, int d) {
    return {
        {Point{x - d, y}, Point{x + d + 1, y}},
        {Point{x - d, y + 1}, Point{x + d + 1, y + 1}},
        {Point{x, y - d}, Point{x, y + d + 1}},
        {Point{x + 1, y - d}, Point{x + 1, y + d + 1}},
    };
}

double SignedArea(std::span<const Point> pts) {
    double a = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const Point& p = pts[i];
        const Point& q = pts[(i + 1) % pts.size()];
        a += static_cast<double>(p.x) * q.y - static_cast<double>(q.x) * p.y;
    }
    return a / 2;
}

}  // namespace

MarkerShape MarkerGeometry(int kind, int x, int y, int d) {
    MarkerShape s;
    if (kind < kFirstMarkerKind || kind > kLastMarkerKind) return s;
    s.filled = kind <= 5;
    switch (kind == 11 ? 11 : (kind - 1) % 5 + 1) {
        case 1:
            s.form = MarkerForm::Circle;
            s.box = {x - d, y - d, x + d, y + d};
            break;
        case 2:
            s.form = MarkerForm::Square;
            s.box = {x - d, y - d, x + d, y + d};
            break;
        case 3:
            s.form = MarkerForm::Polygon;
            s.points = Diamond(x, y, d);
            break;
        case 4:
            s.form = MarkerForm::Polygon;
            s.points = TriangleUp(x, y, d);
            break;
        case 5:
            s.form = MarkerForm::Polygon;
            s.points = TriangleDown(x, y, d);
            break;
        default:
            s.form = MarkerForm::Plus;
            s.strokes = Plus(x, y, d);
            break;
    }
    return s;
}

std::vector<Point> OffsetConvexPolygon(std::span<const Point> points, double distance) {
    std::vector<Point> pts;
    for (const Point& p : points) {
        if (pts.empty() || !(pts.back() == p)) pts.push_back(p);
    }
    while (pts.size() > 1 && pts.front() == pts.back()) pts.pop_back();
    const double area = SignedArea(pts);
    if (pts.size() < 3 || area == 0) return pts;
    // Outward normal of an edge (dx, dy): (dy, -dx) when the area is positive, else reversed.
    const double orient = area > 0 ? 1.0 : -1.0;
    const std::size_t n = pts.size();
    auto normal = [&](std::size_t i) {
        const Point& a = pts[i];
        const Point& b = pts[(i + 1) % n];
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const double len = std::hypot(dx, dy);
        return std::array<double, 2>{orient * dy / len, -orient * dx / len};
    };
    std::vector<Point> out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto n1 = normal((i + n - 1) % n);
        const auto n2 = normal(i);
        // The mitre point lies on both offset edges: distance * (n1 + n2) / (1 + n1.n2).
        const double denom = 1 + n1[0] * n2[0] + n1[1] * n2[1];
        const double k = denom > 1e-9 ? distance / denom : distance;
        const double mx = denom > 1e-9 ? (n1[0] + n2[0]) * k : n2[0] * k;
        const double my = denom > 1e-9 ? (n1[1] + n2[1]) * k : n2[1] * k;
        out.push_back({static_cast<int>(std::lround(pts[i].x + mx)), static_cast<int>(std::lround(pts[i].y + my))});
    }
    return out;
}

MarkerShape OffsetMarker(const MarkerShape& shape, int distance) {
    MarkerShape out = shape;
    switch (shape.form) {
        case MarkerForm::Circle:
        case MarkerForm::Square:
            out.box = shape.box.Inflate(distance, distance);
            break;
        case MarkerForm::Polygon:
            out.points = OffsetConvexPolygon(shape.points, distance);
            break;
        default:
            break;
    }
    return out;
}

Color LightenHalfway(Color c) {
    return Rgb((RedOf(c) + 255) / 2, (GreenOf(c) + 255) / 2, (BlueOf(c) + 255) / 2);
}

Brush MarkerHighlightBrush(Color c) {
    Brush b;
    b.kind = BrushKind::Pattern;
    b.color = RgbOnly(c);
    b.bits = kSmallGridRows;
    b.dcColors = false;
    b.fore = LightenHalfway(c);
    b.back = RgbOnly(c);
    return b;
}

}  // namespace vtg
