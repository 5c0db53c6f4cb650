#include "platform/PixelRaster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace vtg::raster {

namespace {

// A dash longer than this is indistinguishable from solid on any real device, and the period
// is kept small enough to expand into one byte per pixel.
constexpr int kMaxDash = 4096;
constexpr std::size_t kMaxPeriod = 1u << 16;

constexpr std::uint32_t kOpaque = 0xff000000u;

struct CopyOp {
    std::uint32_t operator()(std::uint32_t pen, std::uint32_t) const { return pen | kOpaque; }
};
struct XorOp {
    std::uint32_t operator()(std::uint32_t pen, std::uint32_t dst) const { return ((pen ^ dst) & 0xffffffu) | kOpaque; }
};
struct AnyOp {
    Rop2 rop;
    std::uint32_t operator()(std::uint32_t pen, std::uint32_t dst) const { return ApplyRop(rop, pen, dst); }
};

// Pixel i of a segment lies at major0 + sMajor * i along the major axis and at
// minor0 + round(i * dMinor / n) (halves rounded up) across it. The rounding is kept as a
// quotient q and remainder r of (2 i dMinor + n) / 2n and stepped incrementally; only the
// start is computed in 128 bits because coordinates may lie far outside the buffer.
struct Stepper {
    std::int64_t q = 0;
    std::int64_t r = 0;
    std::int64_t twoN = 0;
    std::int64_t twoD = 0;

    Stepper(std::int64_t start, std::int64_t dMinor, std::int64_t n) : twoN(2 * n), twoD(2 * dMinor) {
        const __int128 num = static_cast<__int128>(2) * start * dMinor + n;
        __int128 quot = num / twoN;
        __int128 rem = num % twoN;
        if (rem < 0) {
            rem += twoN;
            --quot;
        }
        q = static_cast<std::int64_t>(quot);
        r = static_cast<std::int64_t>(rem);
    }
    void Next() {
        r += twoD;
        if (r >= twoN) {
            r -= twoN;
            ++q;
        } else if (r < 0) {
            r += twoN;
            --q;
        }
    }
};

struct Segment {
    std::int64_t major0, minor0, dMinor, n;
    int sMajor;
    bool xMajor;
};

Segment MakeSegment(Point a, Point b) {
    const std::int64_t dx = std::int64_t{b.x} - a.x;
    const std::int64_t dy = std::int64_t{b.y} - a.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t dMajor = xMajor ? dx : dy;
    return Segment{xMajor ? a.x : a.y, xMajor ? a.y : a.x, xMajor ? dy : dx, std::llabs(dMajor),
                   dMajor < 0 ? -1 : 1, xMajor};
}

template <class Op>
void DrawSegment(const Target& t, const ThinPen& pen, Op op, const Segment& s, std::uint64_t phase) {
    const std::int64_t lo = s.xMajor ? t.clip.left : t.clip.top;
    const std::int64_t hi = (s.xMajor ? t.clip.right : t.clip.bottom) - 1;
    const std::int64_t minorLo = s.xMajor ? t.clip.top : t.clip.left;
    const std::int64_t minorHi = (s.xMajor ? t.clip.bottom : t.clip.right) - 1;
    std::int64_t first = s.sMajor > 0 ? lo - s.major0 : s.major0 - hi;
    std::int64_t last = s.sMajor > 0 ? hi - s.major0 : s.major0 - lo;
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, s.n - 1);
    if (first > last) return;

    Stepper step(first, s.dMinor, s.n);
    const std::size_t period = pen.pattern.size();
    std::size_t dash = period ? static_cast<std::size_t>((phase + static_cast<std::uint64_t>(first)) % period) : 0;
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t minor = s.minor0 + step.q;
        const bool on = period == 0 || pen.pattern[dash] != 0;
        if (on && minor >= minorLo && minor <= minorHi) {
            const std::int64_t major = s.major0 + s.sMajor * i;
            const int x = static_cast<int>(s.xMajor ? major : minor);
            const int y = static_cast<int>(s.xMajor ? minor : major);
            if (t.mask == nullptr || t.mask[static_cast<std::size_t>(y) * t.width + x] != 0) {
                std::uint32_t& px = t.pixels[static_cast<std::size_t>(y) * t.stride + x];
                px = op(pen.argb, px);
            }
        }
        step.Next();
        if (period && ++dash == period) dash = 0;
    }
}

template <class Op>
void DrawPolyline(const Target& t, const ThinPen& pen, Op op, std::span<const Point> pts) {
    std::uint64_t phase = 0;
    for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
        const Segment s = MakeSegment(pts[k], pts[k + 1]);
        if (s.n == 0) continue;
        DrawSegment(t, pen, op, s, phase);
        phase += static_cast<std::uint64_t>(s.n);
    }
}

// The disk a round pen of a given width stamps: for each row, the span of columns it covers,
// relative to the pixel the line passes through. Odd widths centre on that pixel, even ones on
// its lower right corner (where a path stroked through pixel centres puts them), so a width-w
// horizontal line covers exactly w rows.
struct Disk {
    int top = 0;
    std::vector<std::pair<int, int>> rows;  // [first, last] column offsets
};

Disk MakeDisk(int width) {
    Disk d;
    const double r = width / 2.0;
    const double centre = width % 2 == 1 ? 0.0 : 0.5;  // pixel-centre offset of the disk centre
    const int lo = -((width - 1) / 2);
    const int hi = lo + width - 1;
    d.top = lo;
    for (int dy = lo; dy <= hi; ++dy) {
        int first = hi + 1;
        int last = lo - 1;
        for (int dx = lo; dx <= hi; ++dx) {
            const double ex = dx - centre;
            const double ey = dy - centre;
            // The small slack keeps the rim pixels that the disk touches exactly.
            if (ex * ex + ey * ey <= r * r + 0.25) {
                first = std::min(first, dx);
                last = std::max(last, dx);
            }
        }
        d.rows.emplace_back(first, last);
    }
    return d;
}

void Stamp(const Target& t, const Disk& disk, std::uint32_t argb, std::int64_t cx, std::int64_t cy) {
    for (std::size_t i = 0; i < disk.rows.size(); ++i) {
        const std::int64_t y = cy + disk.top + static_cast<int>(i);
        if (y < t.clip.top || y >= t.clip.bottom) continue;
        const std::int64_t x0 = std::max<std::int64_t>(cx + disk.rows[i].first, t.clip.left);
        const std::int64_t x1 = std::min<std::int64_t>(cx + disk.rows[i].second, t.clip.right - 1);
        std::uint32_t* row = t.pixels + static_cast<std::size_t>(y) * t.stride;
        const std::uint8_t* mask = t.mask ? t.mask + static_cast<std::size_t>(y) * t.width : nullptr;
        for (std::int64_t x = x0; x <= x1; ++x) {
            if (mask == nullptr || mask[x] != 0) row[x] = argb;
        }
    }
}

// Sweeps the disk along one segment, its last pixel included (the round end).
void SweepSegment(const Target& t, const Disk& disk, std::uint32_t argb, const Segment& s, int reach) {
    // Only the part of the segment within reach of the clip can leave ink.
    const std::int64_t lo = (s.xMajor ? t.clip.left : t.clip.top) - reach;
    const std::int64_t hi = (s.xMajor ? t.clip.right : t.clip.bottom) - 1 + reach;
    const std::int64_t minorLo = (s.xMajor ? t.clip.top : t.clip.left) - reach;
    const std::int64_t minorHi = (s.xMajor ? t.clip.bottom : t.clip.right) - 1 + reach;
    std::int64_t first = std::max<std::int64_t>(s.sMajor > 0 ? lo - s.major0 : s.major0 - hi, 0);
    const std::int64_t last = std::min<std::int64_t>(s.sMajor > 0 ? hi - s.major0 : s.major0 - lo, s.n);
    if (first > last) return;
    Stepper step(first, s.dMinor, std::max<std::int64_t>(s.n, 1));
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t minor = s.minor0 + step.q;
        if (minor >= minorLo && minor <= minorHi) {
            const std::int64_t major = s.major0 + s.sMajor * i;
            Stamp(t, disk, argb, s.xMajor ? major : minor, s.xMajor ? minor : major);
        }
        step.Next();
    }
}

}  // namespace

void WidePolyline(const Target& target, std::uint32_t argb, int width, std::span<const Point> pts) {
    if (target.pixels == nullptr || target.clip.IsEmpty() || pts.size() < 2) return;
    width = std::clamp(width, 1, kMaxStampWidth);
    const Disk disk = MakeDisk(width);
    const int reach = width / 2 + 1;
    for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
        SweepSegment(target, disk, argb | kOpaque, MakeSegment(pts[k], pts[k + 1]), reach);
    }
}

std::vector<std::uint8_t> ExpandDashes(std::span<const int> dashes) {
    if (dashes.empty()) return {};
    for (int d : dashes) {
        if (d <= 0) return {};
    }
    const std::size_t rounds = dashes.size() % 2 == 1 ? 2 : 1;
    std::vector<std::uint8_t> pattern;
    bool on = true;
    for (std::size_t round = 0; round < rounds; ++round) {
        for (int d : dashes) {
            const std::size_t len = static_cast<std::size_t>(std::min(d, kMaxDash));
            if (pattern.size() + len > kMaxPeriod) return pattern;
            pattern.insert(pattern.end(), len, on ? 1 : 0);
            on = !on;
        }
    }
    return pattern;
}

std::uint32_t ApplyRop(Rop2 rop, std::uint32_t pen, std::uint32_t dst) {
    std::uint32_t r = 0;
    switch (rop) {
        case Rop2::Black: r = 0; break;
        case Rop2::NotMergePen: r = ~(pen | dst); break;
        case Rop2::MaskNotPen: r = ~pen & dst; break;
        case Rop2::NotCopyPen: r = ~pen; break;
        case Rop2::MaskPenNot: r = pen & ~dst; break;
        case Rop2::Not: r = ~dst; break;
        case Rop2::XorPen: r = pen ^ dst; break;
        case Rop2::NotMaskPen: r = ~(pen & dst); break;
        case Rop2::MaskPen: r = pen & dst; break;
        case Rop2::NotXorPen: r = ~(pen ^ dst); break;
        case Rop2::Nop: r = dst; break;
        case Rop2::MergeNotPen: r = ~pen | dst; break;
        case Rop2::MergePenNot: r = pen | ~dst; break;
        case Rop2::MergePen: r = pen | dst; break;
        case Rop2::White: r = 0xffffffu; break;
        default: r = pen; break;
    }
    return (r & 0xffffffu) | kOpaque;
}

void Polyline(const Target& target, const ThinPen& pen, std::span<const Point> pts) {
    if (target.pixels == nullptr || target.clip.IsEmpty() || pts.size() < 2) return;
    switch (pen.rop) {
        case Rop2::CopyPen: DrawPolyline(target, pen, CopyOp{}, pts); break;
        case Rop2::XorPen: DrawPolyline(target, pen, XorOp{}, pts); break;
        case Rop2::Nop: break;
        default: DrawPolyline(target, pen, AnyOp{pen.rop}, pts); break;
    }
}

std::uint32_t ToArgb(Color c) {
    return kOpaque | (static_cast<std::uint32_t>(RedOf(c)) << 16) | (static_cast<std::uint32_t>(GreenOf(c)) << 8) |
           static_cast<std::uint32_t>(BlueOf(c));
}

Color FromArgb(std::uint32_t argb) {
    return Rgb(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF), static_cast<int>(argb & 0xFF));
}

}  // namespace vtg::raster

// ---- anti-aliased wide lines ------------------------------------------------------------

namespace vtg::raster {

namespace {

// Narrows [lo, hi] to the x where a * x + b lies in [min, max] (inv = 1 / a); false when that
// leaves nothing. With a = 0 the condition holds for the whole row or for none of it.
bool Restrict(double a, double inv, double b, double min, double max, double& lo, double& hi) {
    if (a == 0) return b >= min && b <= max;
    double x0 = (min - b) * inv;
    double x1 = (max - b) * inv;
    if (x0 > x1) std::swap(x0, x1);
    lo = std::max(lo, x0);
    hi = std::min(hi, x1);
    return lo <= hi;
}

// Half the diagonal of a pixel: no pixel reaches further than this across any edge.
constexpr double kHalfDiagonal = 0.70710678118654757;

// The share of a pixel on the inner side of a straight edge at signed distance t from the
// pixel's centre (positive: the centre is inside), for an edge whose unit normal has the
// components a >= b >= 0. The pixel meets the edge in a triangle near its corners and in a
// straight band between them.
struct EdgeShape {
    double h, k, invA, inv2ab;
};

EdgeShape ShapeOf(double a, double b) {
    return {(a + b) / 2, (a - b) / 2, 1 / a, b > 0 ? 1 / (2 * a * b) : 0};
}

double EdgeCoverage(double t, const EdgeShape& e) {
    if (t <= -e.h) return 0;
    if (t >= e.h) return 1;
    if (t < -e.k) return (t + e.h) * (t + e.h) * e.inv2ab;
    if (t > e.k) return 1 - (e.h - t) * (e.h - t) * e.inv2ab;
    return 0.5 + t * e.invA;
}

struct Capsule {
    double ax, ay, bx, by;      // pixel centres of the ends
    double ux, uy, length;      // unit direction and length (0 for a dot)
    double invUx, invUy;
    double half;                // half the pen's width
    EdgeShape band;             // the edges along the segment
    double reach;               // half the width plus half a pixel diagonal: where coverage ends
    double outer2, inner2;      // reach squared, and the squared distance within which pixels are full

    // The columns of row y within reach: the row meets the capsule (convex) in one interval,
    // the hull of its meeting with the two end disks and the band between them.
    bool Columns(double y, double& lo, double& hi) const {
        lo = 1e300;
        hi = -1e300;
        auto disk = [&](double cx, double cy) {
            const double dy = y - cy;
            const double h = outer2 - dy * dy;
            if (h < 0) return;
            const double w = std::sqrt(h);
            lo = std::min(lo, cx - w);
            hi = std::max(hi, cx + w);
        };
        disk(ax, ay);
        disk(bx, by);
        if (length > 0) {
            double bl = -1e300, bh = 1e300;
            // Along the segment: 0 <= u.(P - A) <= length; across it: |n.(P - A)| <= reach.
            const bool along = Restrict(ux, invUx, uy * (y - ay) - ux * ax, 0, length, bl, bh);
            if (along && Restrict(-uy, -invUy, ux * (y - ay) + uy * ax, -reach, reach, bl, bh)) {
                lo = std::min(lo, bl);
                hi = std::max(hi, bh);
            }
        }
        return lo <= hi;
    }
};

Capsule MakeCapsule(Point a, Point b, double half) {
    Capsule c{};
    c.ax = a.x;
    c.ay = a.y;
    c.bx = b.x;
    c.by = b.y;
    c.ux = 1;
    c.half = half;
    c.reach = half + kHalfDiagonal;
    c.outer2 = c.reach * c.reach;
    c.inner2 = half > kHalfDiagonal ? (half - kHalfDiagonal) * (half - kHalfDiagonal) : -1;
    const double dx = c.bx - c.ax;
    const double dy = c.by - c.ay;
    c.length = std::sqrt(dx * dx + dy * dy);
    if (c.length > 0) {
        c.ux = dx / c.length;
        c.uy = dy / c.length;
    }
    c.invUx = c.ux != 0 ? 1 / c.ux : 0;
    c.invUy = c.uy != 0 ? 1 / c.uy : 0;
    c.band = ShapeOf(std::max(std::fabs(c.ux), std::fabs(c.uy)), std::min(std::fabs(c.ux), std::fabs(c.uy)));
    return c;
}

// How much of a pixel at distance d from the segment the stroke covers: the pixel between the
// stroke's two edges, taken as straight lines with the given shape across the pixel.
std::uint8_t CoverAt(const Capsule& c, double d, const EdgeShape& e) {
    const double cover = EdgeCoverage(c.half - d, e) - EdgeCoverage(-c.half - d, e);
    return static_cast<std::uint8_t>(static_cast<int>(std::clamp(cover, 0.0, 1.0) * 255 + 0.5));
}

// The pixel at (px, py): beside the segment its edges run along it; beyond its ends the round
// end's edge is taken as the tangent there.
std::uint8_t Cover(const Capsule& c, double px, double py) {
    const double rx = px - c.ax;
    const double ry = py - c.ay;
    const double t = rx * c.ux + ry * c.uy;
    if (t > 0 && t < c.length) {
        const double d = std::fabs(rx * c.uy - ry * c.ux);
        if (d >= c.reach) return 0;
        return d * d <= c.inner2 ? 255 : CoverAt(c, d, c.band);
    }
    const double dx = t <= 0 ? rx : px - c.bx;
    const double dy = t <= 0 ? ry : py - c.by;
    const double d2 = dx * dx + dy * dy;
    if (d2 >= c.outer2) return 0;
    if (d2 <= c.inner2) return 255;
    const double d = std::sqrt(d2);
    // A pixel centred on the end takes the segment's own edges.
    if (d < 1e-9) return CoverAt(c, d, c.band);
    const double a = std::fabs(dx) / d;
    const double b = std::fabs(dy) / d;
    return CoverAt(c, d, ShapeOf(std::max(a, b), std::min(a, b)));
}

void CoverPixel(std::uint8_t* row, int x, std::uint8_t cover) {
    if (cover > row[x]) row[x] = cover;
}

// A segment along a column: between its ends every row has the same coverage profile across
// it, so only the rows of its round ends need distances.
bool CoverColumn(const Target& t, const Capsule& c, CoverageScratch& scratch) {
    if (c.ax != c.bx || c.length == 0) return false;
    // In 64 bits: the ends may lie anywhere in the int range.
    const auto x = static_cast<std::int64_t>(c.ax);
    const auto y0 = static_cast<std::int64_t>(std::min(c.ay, c.by));
    const auto y1 = static_cast<std::int64_t>(std::max(c.ay, c.by));
    const int r = static_cast<int>(c.reach);
    std::array<std::uint8_t, kMaxStampWidth + 2> profile{};
    for (int d = 0; d <= r && d < static_cast<int>(profile.size()); ++d) {
        profile[static_cast<std::size_t>(d)] = CoverAt(c, d, ShapeOf(1, 0));
    }
    const auto top = static_cast<int>(std::max<std::int64_t>(y0, t.clip.top));
    const auto bottom = static_cast<int>(std::min<std::int64_t>(y1, t.clip.bottom - 1));
    const auto left = static_cast<int>(std::max<std::int64_t>(x - r, t.clip.left));
    const auto right = static_cast<int>(std::min<std::int64_t>(x + r, t.clip.right - 1));
    if (left <= right) {
        for (int y = top; y <= bottom; ++y) {
            std::uint8_t* row = scratch.Row(y);
            for (int px = left; px <= right; ++px) CoverPixel(row, px, profile[static_cast<std::size_t>(std::llabs(px - x))]);
            scratch.Touch(y, left, right);
        }
    }
    // The round ends: the rows beyond each end within reach.
    const auto capTop = static_cast<int>(std::max<std::int64_t>(y0 - r, t.clip.top));
    const auto capBottom = static_cast<int>(std::min<std::int64_t>(y1 + r, t.clip.bottom - 1));
    for (int y = capTop; y <= capBottom; ++y) {
        if (y >= y0 && y <= y1) continue;
        std::uint8_t* row = scratch.Row(y);
        bool any = false;
        for (int px = left; px <= right; ++px) {
            const std::uint8_t cover = Cover(c, px, y);
            if (cover == 0) continue;
            CoverPixel(row, px, cover);
            any = true;
        }
        if (any) scratch.Touch(y, left, right);
    }
    return true;
}

void CoverSegment(const Target& t, const Capsule& c, CoverageScratch& scratch) {
    if (CoverColumn(t, c, scratch)) return;
    const double top = std::min(c.ay, c.by) - c.reach;
    const double bottom = std::max(c.ay, c.by) + c.reach;
    const int y0 = static_cast<int>(std::max<double>(std::ceil(top), t.clip.top));
    const int y1 = static_cast<int>(std::min<double>(std::floor(bottom), t.clip.bottom - 1));
    for (int y = y0; y <= y1; ++y) {
        double lo = 0, hi = 0;
        if (!c.Columns(y, lo, hi)) continue;
        const int x0 = static_cast<int>(std::max<double>(std::ceil(lo), t.clip.left));
        const int x1 = static_cast<int>(std::min<double>(std::floor(hi), t.clip.right - 1));
        if (x0 > x1) continue;
        std::uint8_t* row = scratch.Row(y);
        bool any = false;
        for (int x = x0; x <= x1; ++x) {
            const std::uint8_t cover = Cover(c, x, y);
            if (cover == 0) continue;
            CoverPixel(row, x, cover);
            any = true;
        }
        if (any) scratch.Touch(y, x0, x1);
    }
}

std::uint32_t Blend(std::uint32_t src, std::uint32_t dst, unsigned a) {
    if (a >= 255) return src;
    const unsigned b = 255 - a;
    auto channel = [&](int shift) {
        const unsigned s = (src >> shift) & 0xffu;
        const unsigned d = (dst >> shift) & 0xffu;
        return ((s * a + d * b + 127) / 255) << shift;
    };
    return kOpaque | channel(16) | channel(8) | channel(0);
}

}  // namespace

void CoverageScratch::Prepare(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    cover_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    spans_.clear();
}

void CoverageScratch::Resolve(const Target& t, std::uint32_t argb) {
    // A pixel in several spans is blended at the first and cleared: the later visits skip it.
    for (const Span& s : spans_) {
        std::uint8_t* cover = Row(s.y);
        std::uint32_t* pixels = t.pixels + static_cast<std::size_t>(s.y) * t.stride;
        const std::uint8_t* mask = t.mask ? t.mask + static_cast<std::size_t>(s.y) * t.width : nullptr;
        for (int x = s.x0; x <= s.x1; ++x) {
            if (cover[x] == 0) continue;
            if (mask == nullptr || mask[x] != 0) pixels[x] = Blend(argb, pixels[x], cover[x]);
            cover[x] = 0;
        }
    }
    spans_.clear();
}

void SmoothPolyline(const Target& target, std::uint32_t argb, int width, std::span<const Point> pts,
                    CoverageScratch& scratch) {
    if (target.pixels == nullptr || target.clip.IsEmpty() || pts.size() < 2) return;
    width = std::clamp(width, 1, kMaxStampWidth);
    scratch.Prepare(target.width, target.height);
    const double half = width / 2.0;
    for (std::size_t k = 0; k + 1 < pts.size();) {
        Point a = pts[k];
        Point b = pts[k + 1];
        ++k;
        // Consecutive segments along one column (or row) cover together what one segment over
        // their whole extent covers: a series reduced per pixel column is mostly such runs.
        if (a.x == b.x || a.y == b.y) {
            const bool column = a.x == b.x;
            int lo = column ? std::min(a.y, b.y) : std::min(a.x, b.x);
            int hi = column ? std::max(a.y, b.y) : std::max(a.x, b.x);
            while (k + 1 < pts.size() && (column ? pts[k + 1].x == a.x : pts[k + 1].y == a.y)) {
                const int v = column ? pts[k + 1].y : pts[k + 1].x;
                lo = std::min(lo, v);
                hi = std::max(hi, v);
                ++k;
            }
            a = column ? Point{a.x, lo} : Point{lo, a.y};
            b = column ? Point{a.x, hi} : Point{hi, a.y};
        }
        CoverSegment(target, MakeCapsule(a, b, half), scratch);
    }
    scratch.Resolve(target, argb | kOpaque);
}

}  // namespace vtg::raster
