#pragma once
// Helpers shared by the surface tests: reading pixel runs and whole pictures back.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ImageSurface.h"

namespace vtg::surface_test {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kBlue = Rgb(0, 0, 255);

inline std::vector<Color> Snapshot(const ImageSurface& s) {
    std::vector<Color> out;
    const Size size = s.PixelSize();
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) out.push_back(s.GetPixel(x, y));
    }
    return out;
}

// "#" for pixels that are not the background, "." otherwise, from x0 to x1 (exclusive).
inline std::string Row(const ImageSurface& s, int y, int x0, int x1, Color background = kWhite) {
    std::string out;
    for (int x = x0; x < x1; ++x) out += s.GetPixel(x, y) == background ? '.' : '#';
    return out;
}

inline std::string Column(const ImageSurface& s, int x, int y0, int y1, Color background = kWhite) {
    std::string out;
    for (int y = y0; y < y1; ++y) out += s.GetPixel(x, y) == background ? '.' : '#';
    return out;
}

// Lengths of alternating runs of ink and background along a row, starting with the first ink.
inline std::vector<int> Runs(const std::string& row) {
    std::vector<int> runs;
    const auto first = row.find('#');
    if (first == std::string::npos) return runs;
    char current = '#';
    int length = 0;
    for (std::size_t i = first; i < row.size(); ++i) {
        if (row[i] == current) {
            ++length;
        } else {
            runs.push_back(length);
            current = row[i];
            length = 1;
        }
    }
    runs.push_back(length);
    return runs;
}

// The smallest rectangle holding every pixel that differs from the background (right/bottom
// exclusive); empty when there is none.
inline Rect InkBounds(const ImageSurface& s, Color background = kWhite) {
    const Size size = s.PixelSize();
    Rect r{size.cx, size.cy, 0, 0};
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            if (s.GetPixel(x, y) == background) continue;
            r.left = std::min(r.left, x);
            r.top = std::min(r.top, y);
            r.right = std::max(r.right, x + 1);
            r.bottom = std::max(r.bottom, y + 1);
        }
    }
    return r.IsEmpty() ? Rect{} : r;
}

inline int CountInk(const ImageSurface& s, const Rect& area, Color background = kWhite) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) n += s.GetPixel(x, y) != background ? 1 : 0;
    }
    return n;
}

inline Pen MakePen(Color c, int width = 1, PenStyle style = PenStyle::Solid) {
    Pen p;
    p.color = c;
    p.width = width;
    p.style = style;
    return p;
}

inline Brush SolidBrush(Color c) {
    Brush b;
    b.kind = BrushKind::Solid;
    b.color = c;
    return b;
}

inline Brush NullBrush() {
    Brush b;
    b.kind = BrushKind::Null;
    return b;
}

}  // namespace vtg::surface_test
