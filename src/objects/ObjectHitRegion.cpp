#include "objects/ObjectHitRegion.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace vtg {

namespace {

// p moved by (dx, dy), held within int: marks of far-off data sit at the ends of the range.
Point Moved(Point p, int dx, int dy) {
    const auto clamp = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    return {clamp(std::int64_t{p.x} + dx), clamp(std::int64_t{p.y} + dy)};
}

vtg::Rect BoxOf(std::span<const Point> points) {
    if (points.empty()) return {};
    vtg::Rect r{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
                std::numeric_limits<int>::min()};
    for (Point p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        const Point end = Moved(p, 1, 1);
        r.right = std::max(r.right, end.x);
        r.bottom = std::max(r.bottom, end.y);
    }
    return r;
}

bool ShapeContains(const ClipShape& s, Point p) {
    return s.polygon ? PolygonContains(s.points, p) : s.rect.Contains(p);
}

}  // namespace

bool PolygonContains(std::span<const Point> polygon, Point p) {
    // Sample at the pixel's centre so that edges split pixels the way rectangles do.
    const double px = p.x + 0.5;
    const double py = p.y + 0.5;
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point a = polygon[i];
        const Point b = polygon[j];
        if ((a.y > py) == (b.y > py)) continue;
        const double x = a.x + (py - a.y) * static_cast<double>(b.x - a.x) / static_cast<double>(b.y - a.y);
        if (px < x) inside = !inside;
    }
    return inside;
}

void ObjectHitRegion::AddPolygon(std::vector<Point> points) {
    if (points.size() >= 3) polygons_.push_back(std::move(points));
}

void ObjectHitRegion::AddBand(Point a, Point b, int h) {
    const bool flat = std::llabs(std::int64_t{b.x} - a.x) > std::llabs(std::int64_t{b.y} - a.y);
    const Point d = flat ? Point{0, h} : Point{h, 0};
    AddPolygon({Moved(a, -d.x, -d.y), Moved(b, -d.x, -d.y), Moved(b, d.x, d.y), Moved(a, d.x, d.y)});
}

void ObjectHitRegion::AddSquare(Point c, int s) {
    AddPolygon({Moved(c, -s, -s), Moved(c, s, -s), Moved(c, s, s), Moved(c, -s, s)});
}

bool ObjectHitRegion::Contains(Point p) const {
    for (const ClipShape& s : clip_.shapes) {
        if (!ShapeContains(s, p)) return false;
    }
    return std::any_of(polygons_.begin(), polygons_.end(),
                       [p](const std::vector<Point>& polygon) { return PolygonContains(polygon, p); });
}

vtg::Rect ObjectHitRegion::Bounds() const {
    vtg::Rect box;
    for (const auto& polygon : polygons_) box = vtg::Rect::Union(box, BoxOf(polygon));
    for (const ClipShape& s : clip_.shapes) {
        box = vtg::Rect::Intersect(box, s.polygon ? BoxOf(s.points) : s.rect);
    }
    return box.IsEmpty() ? vtg::Rect{} : box;
}

}  // namespace vtg
