#pragma once
// Platform-internal: GDI-style 1-pixel lines drawn straight into a 32-bit pixel buffer.
// QPainter's stroker cannot give what the plot relies on here: each segment leaves out its last
// pixel (so a polyline draws its shared vertices once and XOR drawing is exactly reversible),
// the Windows cosmetic dash runs continue from segment to segment, and every binary raster
// operation applies per pixel.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace vtg::raster {

struct Target {
    std::uint32_t* pixels = nullptr;    // 0xffRRGGBB
    int stride = 0;                     // pixels per row
    int width = 0;
    int height = 0;
    Rect clip;                          // inside the buffer; nothing outside it is touched
    const std::uint8_t* mask = nullptr; // optional, width * height, 0 = clipped away
};

struct ThinPen {
    std::uint32_t argb = 0xff000000u;
    Rop2 rop = Rop2::CopyPen;
    std::span<const std::uint8_t> pattern;  // one period, 1 = pixel drawn; empty = solid
};

// One period of a dash pattern (on, off, on, ...) in pixels, one entry per pixel. An odd
// count repeats with on and off swapped, as a user style does. Empty, or any entry <= 0, gives
// an empty (solid) pattern; entries and the period are capped so that hostile lengths cannot
// exhaust memory.
std::vector<std::uint8_t> ExpandDashes(std::span<const int> dashes);

// The raster operation's result for a pen pixel over a destination pixel (alpha kept opaque).
std::uint32_t ApplyRop(Rop2 rop, std::uint32_t pen, std::uint32_t dst);

// Connected segments through pts; each leaves out its last pixel and the pattern runs on.
void Polyline(const Target& target, const ThinPen& pen, std::span<const Point> pts);

// Widest pen WidePolyline draws; wider ones are left to the painter.
constexpr int kMaxStampWidth = 24;

// A solid line of the given width with round ends and joins, drawn opaquely: a digital disk of
// that diameter swept along the segments (which is what a round pen's stroke is). Pixels the
// sweep covers more than once are written more than once, so it is for copy mode only.
void WidePolyline(const Target& target, std::uint32_t argb, int width, std::span<const Point> pts);

// Coverage kept between calls of SmoothPolyline: one byte per pixel of the target and the
// spans of rows that hold any, so that a stroke touches only the pixels it covers.
class CoverageScratch {
public:
    // Sized for a target; cleared rows stay clear.
    void Prepare(int width, int height);
    std::uint8_t* Row(int y) { return cover_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
    void Touch(int y, int x0, int x1) { spans_.push_back({y, x0, x1}); }
    // Blends every covered pixel into the target with argb and clears the coverage.
    void Resolve(const Target& target, std::uint32_t argb);

private:
    struct Span {
        int y, x0, x1;
    };
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> cover_;
    std::vector<Span> spans_;
};

// An anti-aliased solid line of the given width with round ends and joins, drawn opaquely
// through pixel centres: each pixel takes the colour by the share of it the stroke covers
// (from its distance to the line and the direction of the rim there), the strongest share of
// all segments where segments overlap, so joins are not darkened.
void SmoothPolyline(const Target& target, std::uint32_t argb, int width, std::span<const Point> pts,
                    CoverageScratch& scratch);

std::uint32_t ToArgb(Color c);
Color FromArgb(std::uint32_t argb);

}  // namespace vtg::raster
