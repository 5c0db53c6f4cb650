#include "objects/AnnotationGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstdlib>

#include "regions/ArrowHead.h"

namespace vtg {

namespace {

// Half the width of the band around a leader line that counts as a hit.
constexpr int kLeaderBandHalf = 2;
constexpr int kTagSquareHalf = 4;

int Positive(int v) { return v < 1 ? 0 : v; }

std::optional<double> Ratio(double num, int den) {
    if (den <= 0) return std::nullopt;
    return num / den;
}

// A text far off the page (a damaged position, a huge size) is computed in 64 bits and pinned
// where the drawing code still has headroom, rather than overflowing.
constexpr std::int64_t kPixelLimit = std::int64_t{1} << 28;
std::int64_t Wide(int v) { return v; }
int Pixel(std::int64_t v) { return static_cast<int>(std::clamp(v, -kPixelLimit, kPixelLimit)); }

}  // namespace

int RoundDevice(double v) {
    // Far outside any device the value is held at the int range rather than overflowing.
    if (std::isnan(v)) return 0;
    const double r = std::floor(v + 0.5);
    return static_cast<int>(std::clamp(r, -2147483647.0, 2147483647.0));
}

Point RelativeToDevice(const PlotFrame& f, double rx, double ry) {
    const vtg::Rect& a = f.area;
    double x = 0;
    if (rx < 0) {
        x = a.left + a.left * rx;
    } else if (rx <= 1) {
        x = a.left + (a.right - a.left) * rx;
    } else {
        x = a.right + (f.width - a.right) * (rx - 1);
    }
    double y = 0;
    if (ry < 0) {
        y = a.top + a.top * ry;
    } else if (ry < 1) {
        y = a.top + (a.bottom - a.top) * ry;
    } else {
        y = a.bottom + (f.height - a.bottom) * (ry - 1);
    }
    return {RoundDevice(x), RoundDevice(y)};
}

namespace {

// One axis of the relative mapping: left of (above) the area a fraction of the margin before
// it, inside a fraction of the area, beyond it 1 plus a fraction of the margin after it.
std::optional<double> DeviceToRelative(int v, int low, int high, int extent) {
    if (v < low) return Ratio(v - low, low);
    if (v > high) {
        const std::optional<double> r = Ratio(v - high, extent - high);
        return r ? std::optional<double>(*r + 1) : std::nullopt;
    }
    return Ratio(v - low, high - low);
}

}  // namespace

std::optional<double> DeviceToRelativeX(const PlotFrame& f, int x) {
    return DeviceToRelative(x, f.area.left, f.area.right, f.width);
}

std::optional<double> DeviceToRelativeY(const PlotFrame& f, int y) {
    return DeviceToRelative(y, f.area.top, f.area.bottom, f.height);
}

vtg::Rect TextBoxOf(Point ref, Point w, Point h) {
    const std::int64_t minX = std::min<std::int64_t>({0, w.x, h.x, Wide(w.x) + h.x});
    const std::int64_t maxX = std::max<std::int64_t>({0, Positive(w.x), Positive(h.x), Wide(Positive(w.x)) + Positive(h.x)});
    const std::int64_t minY = std::min<std::int64_t>({0, w.y, h.y, Wide(w.y) + h.y});
    const std::int64_t maxY = std::max<std::int64_t>({0, Positive(w.y), Positive(h.y), Wide(Positive(w.y)) + Positive(h.y)});
    const vtg::Rect box{Pixel(ref.x + minX), Pixel(ref.y - maxY), Pixel(ref.x + maxX + 1), Pixel(ref.y - minY + 1)};
    return box.Normalized();
}

std::array<Point, 4> OutlineOf(Point ref, Point w, Point h) {
    return {ref, Point{Pixel(Wide(ref.x) + w.x), Pixel(Wide(ref.y) - w.y)},
            Point{Pixel(Wide(ref.x) + w.x + h.x), Pixel(Wide(ref.y) - h.y - w.y)},
            Point{Pixel(Wide(ref.x) + h.x), Pixel(Wide(ref.y) - h.y)}};
}

Point AlignedReference(Point textPos, Point w, int alignment) {
    if (alignment == 1) return {textPos.x - w.x / 2, textPos.y + w.y / 2};
    if (alignment == 2) return {textPos.x - w.x, textPos.y + w.y};
    return textPos;
}

bool InsideOutline(const std::array<Point, 4>& outline, Point p) {
    bool inside = false;
    for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
        const Point a = outline[i];
        const Point b = outline[j];
        if ((a.y > p.y) == (b.y > p.y)) continue;
        const double x = a.x + static_cast<double>(b.x - a.x) * (p.y - a.y) / (b.y - a.y);
        if (p.x < x) inside = !inside;
    }
    return inside;
}

Point LeaderEnd(const vtg::Rect& box, Point tag, Point textPos) {
    Point end = textPos;
    if (tag.x > box.right) {
        end.x = box.right;
    } else if (tag.x > box.left) {
        end.x = tag.x;
    }
    if (tag.y < box.top) {
        end.y = box.top;
    } else if (tag.y < box.bottom) {
        end.y = tag.y;
    }
    return end;
}

std::optional<std::array<Point, 4>> LeaderArrowHead(Point tip, Point far, int length) {
    // Coincident points give no direction: nothing is drawn rather than divided by zero. A
    // short leader only sets the direction, which its extension keeps.
    if (length < 0 || tip == far) return std::nullopt;
    const double dx = static_cast<double>(far.x) - tip.x;
    const double dy = static_cast<double>(far.y) - tip.y;
    const double d = std::hypot(dx, dy);
    const ArrowPlacement arrow{static_cast<double>(tip.x), static_cast<double>(tip.y), -dx / d, -dy / d};
    return ArrowHeadPolygon(arrow, length);
}

bool OnLeaderBand(Point a, Point b, Point p) {
    const int dx = b.x - a.x;
    const int dy = b.y - a.y;
    if (std::abs(dx) >= std::abs(dy)) {
        if (p.x < std::min(a.x, b.x) || p.x > std::max(a.x, b.x)) return false;
        const double y = dx == 0 ? a.y : a.y + static_cast<double>(dy) * (p.x - a.x) / dx;
        return std::abs(p.y - y) <= kLeaderBandHalf;
    }
    if (p.y < std::min(a.y, b.y) || p.y > std::max(a.y, b.y)) return false;
    const double x = a.x + static_cast<double>(dx) * (p.y - a.y) / dy;
    return std::abs(p.x - x) <= kLeaderBandHalf;
}

vtg::Rect TagSquare(Point tag) {
    return {tag.x - kTagSquareHalf, tag.y - kTagSquareHalf, tag.x + kTagSquareHalf, tag.y + kTagSquareHalf};
}

std::vector<std::string> SplitAnnotationLines(std::string_view text, std::size_t maxLines) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (lines.size() < maxLines) {
        const std::size_t end = text.find('\r', start);
        lines.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + (end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::optional<Point> BringIntoViewPosition(const vtg::Rect& box, int width, int height, int direction) {
    const int l = box.left, t = box.top, r = box.right, b = box.bottom;
    if (l >= 0 && r < width && t >= 0 && b < height) return std::nullopt;
    const int w = r - l;
    const int h = b - t;
    const bool fitsW = w < width;
    const bool overR = r > width;
    const bool fitsH = h < height;
    const int yBottom = (fitsH && b <= height) ? (t < 0 ? b - t : b) : height;
    const int yTop = b > height ? height + t - b - 1 : (t < 0 ? 0 : t);
    const int xLeft = l < 0 ? 0 : l;
    switch (direction) {
        case 0: return Point{fitsW ? (overR ? width - w : xLeft) : 0, yBottom};
        case 90: return Point{fitsW ? ((overR && l > 0) ? width : (l < 0 ? w : r)) : 0, yBottom};
        case 180: return Point{(fitsW && !overR) ? (l < 0 ? w : r) : width, fitsH ? yTop : 0};
        case 270: return Point{fitsW ? ((overR && l > 0) ? width - w : xLeft) : 0, fitsH ? yTop : 0};
        default: return Point{0, 0};
    }
}

}  // namespace vtg
