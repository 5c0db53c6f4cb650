#pragma once
// Plain geometry and colour values shared by every layer. Pixel rectangles follow the
// Windows convention the plot logic was written against: right and bottom are exclusive.

#include <algorithm>
#include <cstdint>

namespace vtg {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // PtInRect: left/top inclusive, right/bottom exclusive.
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool Intersects(const Rect& r) const { return !Intersect(*this, r).IsEmpty(); }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Inflate(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    Rect Normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    static Rect Intersect(const Rect& a, const Rect& b) {
        Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    static Rect Union(const Rect& a, const Rect& b) {
        if (a.IsEmpty()) return b;
        if (b.IsEmpty()) return a;
        return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Colours are COLORREF-style 0x00BBGGRR values. The top byte may carry a palette-relative
// marker (0x02) that drawing ignores.
using Color = std::uint32_t;

constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr Color RgbOnly(Color c) { return c & 0x00FFFFFFu; }

}  // namespace vtg
