#include "platform/QtPainterBackend.h"

#include <QPolygon>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "platform/ImageSurface.h"
#include "platform/PixelRaster.h"
#include "platform/QtFont.h"

namespace vtg {

namespace {

// The Windows cosmetic dash patterns (on, off, ...), in pixels.
constexpr std::array<int, 2> kCosmeticDash{18, 6};
constexpr std::array<int, 2> kCosmeticDot{3, 3};
constexpr std::array<int, 4> kCosmeticDashDot{9, 6, 3, 6};
constexpr std::array<int, 6> kCosmeticDashDotDot{9, 3, 3, 3, 3, 3};
// The plot's own dash proportions, used for geometric pens given a style but no user dashes.
constexpr std::array<int, 2> kGeometricDash{8, 4};
constexpr std::array<int, 2> kGeometricDot{3, 3};
constexpr std::array<int, 4> kGeometricDashDot{6, 2, 2, 2};
constexpr std::array<int, 6> kGeometricDashDotDot{6, 2, 2, 2, 2, 2};
constexpr int kMaxDash = 4096;
constexpr int kMaxStretch = 64;

PenStyle EffectiveStyle(const Pen& pen) {
    const int v = static_cast<int>(pen.style);
    return v >= 0 && v <= static_cast<int>(PenStyle::Null) ? pen.style : PenStyle::Solid;
}

Pen NullPen() {
    Pen pen;
    pen.style = PenStyle::Null;
    return pen;
}

Pen SolidPen(Color c) {
    Pen pen;
    pen.color = c;
    return pen;
}

Brush NullBrush() {
    Brush brush;
    brush.kind = BrushKind::Null;
    return brush;
}

bool IsNullPen(const Pen& pen) { return EffectiveStyle(pen) == PenStyle::Null; }

bool IsThinCosmetic(const Pen& pen) { return !pen.geometric && pen.width <= 1; }

std::span<const int> StylePattern(PenStyle style, bool geometric) {
    switch (style) {
        case PenStyle::Dash: return geometric ? std::span<const int>(kGeometricDash) : kCosmeticDash;
        case PenStyle::Dot: return geometric ? std::span<const int>(kGeometricDot) : kCosmeticDot;
        case PenStyle::DashDot: return geometric ? std::span<const int>(kGeometricDashDot) : kCosmeticDashDot;
        case PenStyle::DashDotDot:
            return geometric ? std::span<const int>(kGeometricDashDotDot) : kCosmeticDashDotDot;
        default: return {};
    }
}

bool ValidDashes(const std::vector<int>& dashes) {
    return !dashes.empty() && std::all_of(dashes.begin(), dashes.end(), [](int d) { return d > 0; });
}

// The dash pattern in pixels that a pen draws with; empty means solid.
std::vector<int> DashPixels(const Pen& pen) {
    if (!pen.geometric && pen.width > 1) return {};  // CreatePen draws wide styled pens solid
    if (!pen.dashes.empty()) return ValidDashes(pen.dashes) ? pen.dashes : std::vector<int>{};
    const std::span<const int> base = StylePattern(EffectiveStyle(pen), pen.geometric);
    if (!pen.geometric) return {base.begin(), base.end()};
    const double unit = (std::max(pen.width, 1) + 1.0) * 0.5;
    std::vector<int> out;
    for (int d : base) out.push_back(static_cast<int>(std::clamp(d * unit, 1.0, double{kMaxDash})));
    return out;
}

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QPen MakeQPen(const Pen& pen) {
    if (IsNullPen(pen)) return QPen(Qt::NoPen);
    const bool wideCosmetic = !pen.geometric && pen.width > 1;
    const int width = pen.geometric || wideCosmetic ? std::clamp(pen.width, 1, kMaxDash) : 1;
    QPen q(ToQColor(pen.color), width);
    const bool flat = IsThinCosmetic(pen) || (pen.geometric && pen.flatCap);
    q.setCapStyle(flat ? Qt::FlatCap : Qt::RoundCap);
    q.setJoinStyle(Qt::RoundJoin);
    std::vector<int> dashes = DashPixels(pen);
    if (!dashes.empty()) {
        // Qt wants an even count in units of the pen width; an odd user pattern repeats with
        // on and off swapped, which doubling it expresses.
        if (dashes.size() % 2 == 1) dashes.insert(dashes.end(), dashes.begin(), dashes.end());
        QList<qreal> pattern;
        for (int d : dashes) pattern.push_back(std::min(d, kMaxDash) / static_cast<qreal>(width));
        q.setDashPattern(pattern);
    }
    return q;
}

QBrush MakeQBrush(const Brush& brush, Color text, Color bk) {
    switch (brush.kind) {
        case BrushKind::Solid: return QBrush(ToQColor(brush.color));
        case BrushKind::Pattern: break;
        default: return QBrush(Qt::NoBrush);
    }
    const std::uint32_t fore = raster::ToArgb(brush.dcColors ? text : brush.fore);
    const std::uint32_t back = raster::ToArgb(brush.dcColors ? bk : brush.back);
    const int s = std::clamp(brush.stretch, 1, kMaxStretch);
    QImage tile(8 * s, 8 * s, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(tile.scanLine(y));
        const unsigned bits = brush.bits[static_cast<std::size_t>(y / s)];
        for (int x = 0; x < tile.width(); ++x) row[x] = ((bits >> (7 - x / s)) & 1u) ? back : fore;
    }
    return QBrush(tile);
}

QPainter::CompositionMode ModeFor(Rop2 rop) {
    switch (rop) {
        case Rop2::Black: return QPainter::RasterOp_ClearDestination;
        case Rop2::NotMergePen: return QPainter::RasterOp_NotSourceAndNotDestination;
        case Rop2::MaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
        case Rop2::NotCopyPen: return QPainter::RasterOp_NotSource;
        case Rop2::MaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
        case Rop2::Not: return QPainter::RasterOp_NotDestination;
        case Rop2::XorPen: return QPainter::RasterOp_SourceXorDestination;
        case Rop2::NotMaskPen: return QPainter::RasterOp_NotSourceOrNotDestination;
        case Rop2::MaskPen: return QPainter::RasterOp_SourceAndDestination;
        case Rop2::NotXorPen: return QPainter::RasterOp_NotSourceXorDestination;
        case Rop2::MergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
        case Rop2::MergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
        case Rop2::MergePen: return QPainter::RasterOp_SourceOrDestination;
        case Rop2::White: return QPainter::RasterOp_SetDestination;
        default: return QPainter::CompositionMode_SourceOver;
    }
}

QPainter::CompositionMode ModeFor(BlitRop rop) {
    switch (rop) {
        case BlitRop::SrcInvert: return QPainter::RasterOp_SourceXorDestination;
        case BlitRop::SrcAnd: return QPainter::RasterOp_SourceAndDestination;
        case BlitRop::SrcPaint: return QPainter::RasterOp_SourceOrDestination;
        default: return QPainter::CompositionMode_Source;
    }
}

// Smoothing is a copy-mode feature: any other raster operation is drawn aliased so that
// drawing a figure twice with XOR restores every pixel.
bool Smooth(const SurfaceState& s) { return s.smoothing && s.rop == Rop2::CopyPen; }

// A rectangle as the painter gets it: limited to a margin around the device, since nothing
// beyond is visible and the width of a rectangle spanning the whole int range overflows.
QRect ToQRect(const Rect& r, QSize device) {
    constexpr std::int64_t margin = 64;
    const auto limit = [](std::int64_t v, std::int64_t hi) { return std::clamp<std::int64_t>(v, -margin, hi + margin); };
    const std::int64_t l = limit(r.left, device.width()), t = limit(r.top, device.height());
    const std::int64_t rr = limit(r.right, device.width()), b = limit(r.bottom, device.height());
    return QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(rr - l), static_cast<int>(b - t));
}

// The box an ellipse's outline runs through: its pixel centres, right/bottom exclusive.
QRectF OutlineBox(const Rect& r) {
    return QRectF(r.left + 0.5, r.top + 0.5, static_cast<double>(r.right) - r.left - 1.0,
                  static_cast<double>(r.bottom) - r.top - 1.0);
}

// The pixels of an image surface, complete up to the last call; null for other surfaces.
const QImage* PixelsOf(const Surface& src) {
    const auto* image = dynamic_cast<const ImageSurface*>(&src);
    if (image == nullptr) return nullptr;
    const auto* q = static_cast<const QImage*>(image->NativeImage());
    return q->isNull() ? nullptr : q;
}

// [from, from + length) within [0, limit), in 64 bits because callers' sums may overflow int.
bool ClipSpan(std::int64_t from, std::int64_t length, std::int64_t limit, std::int64_t& lo, std::int64_t& hi) {
    lo = std::max<std::int64_t>(from, 0);
    hi = std::min<std::int64_t>(from + length, limit);
    return lo < hi;
}

}  // namespace

QtPainterBackend::QtPainterBackend(QImage* image) : image_(image), size_(image->size()) {}

QtPainterBackend::QtPainterBackend(QPainter* painter, QSize deviceSize) : painter_(painter), size_(deviceSize) {}

QtPainterBackend::~QtPainterBackend() { Flush(); }

QPainter* QtPainterBackend::Painter() {
    if (painter_ != nullptr) return painter_->isActive() ? painter_ : nullptr;
    if (ownPainter_) return ownPainter_.get();
    if (image_ == nullptr || image_->isNull()) return nullptr;
    auto p = std::make_unique<QPainter>();
    if (!p->begin(image_)) return nullptr;
    Reset();
    ownPainter_ = std::move(p);
    return ownPainter_.get();
}

void QtPainterBackend::Flush() {
    if (ownPainter_) {
        ownPainter_->end();
        ownPainter_.reset();
    }
    Reset();
}

void QtPainterBackend::Reset() {
    appliedPen_.reset();
    appliedBrush_.reset();
    appliedMode_.reset();
    appliedAntialias_.reset();
    clipApplied_ = false;
}

void QtPainterBackend::ClipChanged() {
    clipValid_ = false;
    clipMaskValid_ = false;
    clipApplied_ = false;
}

const QRegion& QtPainterBackend::ClipRegionFor(const SurfaceState& s) {
    if (clipValid_) return clipRegion_;
    clipRegion_ = QRegion(0, 0, size_.width(), size_.height());
    for (const ClipShape& shape : s.clip.shapes) {
        if (shape.polygon) {
            QPolygon poly;
            poly.reserve(static_cast<qsizetype>(shape.points.size()));
            for (Point p : shape.points) poly.append(QPoint(p.x, p.y));
            clipRegion_ &= QRegion(poly, Qt::OddEvenFill);
        } else {
            clipRegion_ &= QRegion(ToQRect(shape.rect.Normalized(), size_));
        }
    }
    clipValid_ = true;
    return clipRegion_;
}

const std::uint8_t* QtPainterBackend::ClipMask(const SurfaceState& s) {
    if (!clipMaskValid_) {
        const QRegion& region = ClipRegionFor(s);
        clipMask_.clear();
        if (region.rectCount() > 1) {
            const int w = size_.width();
            clipMask_.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(size_.height()), 0);
            for (const QRect& r : region) {
                for (int y = r.top(); y <= r.bottom(); ++y) {
                    std::fill_n(clipMask_.begin() + static_cast<std::ptrdiff_t>(y) * w + r.left(), r.width(), 1);
                }
            }
        }
        clipMaskValid_ = true;
    }
    return clipMask_.empty() ? nullptr : clipMask_.data();
}

void QtPainterBackend::ApplyClip(const SurfaceState& s) {
    if (clipApplied_) return;
    if (s.clip.IsNone()) {
        Painter()->setClipping(false);
    } else {
        Painter()->setClipRegion(ClipRegionFor(s));
    }
    clipApplied_ = true;
}

void QtPainterBackend::ApplyPen(const Pen& pen) {
    if (appliedPen_ && *appliedPen_ == pen) return;
    Painter()->setPen(MakeQPen(pen));
    appliedPen_ = pen;
}

const QBrush& QtPainterBackend::BrushFor(const Brush& brush, Color text, Color bk) {
    // Only a pattern brush drawn in the surface's colours depends on them.
    const bool usesDc = brush.kind == BrushKind::Pattern && brush.dcColors;
    const AppliedBrush key{brush, usesDc ? text : 0, usesDc ? bk : 0};
    for (const CachedBrush& c : brushCache_) {
        if (c.key == key) return c.brush;
    }
    // A handful covers the patterns and colours of one drawing pass.
    constexpr std::size_t kBrushCacheSize = 16;
    if (brushCache_.size() >= kBrushCacheSize) brushCache_.erase(brushCache_.begin());
    brushCache_.push_back(CachedBrush{key, MakeQBrush(brush, text, bk)});
    return brushCache_.back().brush;
}

void QtPainterBackend::ApplyBrush(const Brush& brush, Color text, Color bk) {
    const AppliedBrush key{brush, text, bk};
    if (appliedBrush_ && *appliedBrush_ == key) return;
    Painter()->setBrush(BrushFor(brush, text, bk));
    appliedBrush_ = key;
}

void QtPainterBackend::ApplyComposition(QPainter::CompositionMode mode) {
    // Page devices (PDF, printers) have no raster operations.
    if (image_ == nullptr) mode = QPainter::CompositionMode_SourceOver;
    if (appliedMode_ == mode) return;
    Painter()->setCompositionMode(mode);
    appliedMode_ = mode;
}

void QtPainterBackend::ApplyAntialias(bool on) {
    if (appliedAntialias_ == on) return;
    Painter()->setRenderHint(QPainter::Antialiasing, on);
    appliedAntialias_ = on;
}

bool QtPainterBackend::PrepareShape(const SurfaceState& s) {
    if (s.rop == Rop2::Nop || Painter() == nullptr) return false;
    ApplyClip(s);
    ApplyComposition(ModeFor(s.rop));
    ApplyAntialias(Smooth(s));
    return true;
}

QtPainterBackend::StrokeKind QtPainterBackend::ChooseStroke(const SurfaceState& s) const {
    const Pen& pen = s.pen;
    const bool roundEnds = !pen.geometric || !pen.flatCap;
    const bool solid = DashPixels(pen).empty();
    const bool opaque = s.rop == Rop2::CopyPen;
    if (image_ != nullptr && !Smooth(s)) {
        if (IsThinCosmetic(pen)) return StrokeKind::Thin;
        if (opaque && solid && roundEnds && pen.width <= raster::kMaxStampWidth) return StrokeKind::Stamped;
    }
    if (image_ != nullptr && Smooth(s) && solid && roundEnds && pen.width <= raster::kMaxStampWidth) {
        return StrokeKind::Smoothed;
    }
    // Opaque round ends hide the seams between separately stroked segments, and one long wide
    // path makes the painter's fill cost grow with its length. Any other raster operation must
    // cover each pixel once, and dashes must run on, so those stay one path.
    if (opaque && solid && roundEnds && !IsThinCosmetic(pen)) return StrokeKind::Segments;
    return StrokeKind::Path;
}

raster::Target QtPainterBackend::RasterTarget(const SurfaceState& s) {
    raster::Target target;
    if (image_ == nullptr || image_->isNull()) return target;
    const QRect box = ClipRegionFor(s).boundingRect();
    target.pixels = reinterpret_cast<std::uint32_t*>(image_->bits());
    target.stride = static_cast<int>(image_->bytesPerLine() / 4);
    target.width = image_->width();
    target.height = image_->height();
    target.clip = box.isEmpty() ? Rect{} : Rect{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
    target.mask = ClipMask(s);
    return target;
}

void QtPainterBackend::ThinPolyline(const SurfaceState& s, std::span<const Point> pts) {
    if (s.rop == Rop2::Nop) return;
    const std::vector<std::uint8_t> pattern = raster::ExpandDashes(DashPixels(s.pen));
    const raster::ThinPen pen{raster::ToArgb(s.pen.color), s.rop, pattern};
    raster::Polyline(RasterTarget(s), pen, pts);
}

void QtPainterBackend::StrokePolyline(const SurfaceState& s, std::span<const Point> pts, bool closed) {
    if (!PrepareShape(s)) return;
    ApplyPen(s.pen);
    points_.clear();
    points_.reserve(pts.size());
    for (Point p : pts) points_.emplace_back(p.x + 0.5, p.y + 0.5);
    const int n = static_cast<int>(points_.size());
    if (closed) {
        ApplyBrush(NullBrush(), 0, 0);
        Painter()->drawPolygon(points_.data(), n);
    } else {
        Painter()->drawPolyline(points_.data(), n);
    }
}

void QtPainterBackend::StrokeSegments(const SurfaceState& s, std::span<const Point> pts) {
    if (!PrepareShape(s)) return;
    ApplyPen(s.pen);
    QPainter* p = Painter();
    for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
        p->drawLine(QPointF(pts[k].x + 0.5, pts[k].y + 0.5), QPointF(pts[k + 1].x + 0.5, pts[k + 1].y + 0.5));
    }
}

void QtPainterBackend::Outline(const SurfaceState& s, std::span<const Point> pts, bool closed) {
    if (pts.size() < 2 || IsNullPen(s.pen) || s.rop == Rop2::Nop) return;
    const StrokeKind kind = ChooseStroke(s);
    if (kind == StrokeKind::Path) {
        StrokePolyline(s, pts, closed);
        return;
    }
    std::vector<Point> ring;
    if (closed) {
        ring.assign(pts.begin(), pts.end());
        ring.push_back(pts.front());
        pts = ring;
    }
    switch (kind) {
        case StrokeKind::Thin: ThinPolyline(s, pts); break;
        case StrokeKind::Stamped: raster::WidePolyline(RasterTarget(s), raster::ToArgb(s.pen.color), s.pen.width, pts); break;
        case StrokeKind::Smoothed:
            raster::SmoothPolyline(RasterTarget(s), raster::ToArgb(s.pen.color), s.pen.width, pts, coverage_);
            break;
        default: StrokeSegments(s, pts); break;
    }
}

void QtPainterBackend::Polyline(const SurfaceState& s, std::span<const Point> pts) { Outline(s, pts, false); }

void QtPainterBackend::Polygon(const SurfaceState& s, std::span<const Point> pts) {
    if (pts.size() < 2) return;
    if (s.brush.kind != BrushKind::Null && pts.size() >= 3 && PrepareShape(s)) {
        ApplyPen(NullPen());
        ApplyBrush(s.brush, s.textColor, s.bkColor);
        QPolygon poly;
        poly.reserve(static_cast<qsizetype>(pts.size()));
        for (Point p : pts) poly.append(QPoint(p.x, p.y));
        Painter()->drawPolygon(poly, Qt::OddEvenFill);
    }
    Outline(s, pts, true);
}

void QtPainterBackend::Rectangle(const SurfaceState& s, const Rect& rect) {
    const Rect r = rect.Normalized();
    if (r.IsEmpty() || s.rop == Rop2::Nop) return;
    const bool nullPen = IsNullPen(s.pen);
    const Rect inside = nullPen ? Rect{r.left, r.top, r.right - 1, r.bottom - 1}
                                : Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (s.brush.kind != BrushKind::Null && !inside.IsEmpty() && PrepareShape(s)) {
        Painter()->fillRect(ToQRect(inside, size_), BrushFor(s.brush, s.textColor, s.bkColor));
    }
    if (nullPen) return;
    // A one-pixel-thin rectangle is a single line; walking it there and back would draw its
    // pixels twice, which XOR would cancel.
    const bool oneRow = r.top + 1 == r.bottom;
    if (ChooseStroke(s) == StrokeKind::Thin && (oneRow || r.left + 1 == r.right)) {
        const Point end = oneRow ? Point{r.right, r.top} : Point{r.left, r.bottom};
        const std::array<Point, 2> line{Point{r.left, r.top}, end};
        ThinPolyline(s, line);
        return;
    }
    const std::array<Point, 4> corners{Point{r.left, r.top}, Point{r.right - 1, r.top},
                                       Point{r.right - 1, r.bottom - 1}, Point{r.left, r.bottom - 1}};
    Outline(s, corners, true);
}

void QtPainterBackend::Ellipse(const SurfaceState& s, const Rect& rect) {
    const Rect r = rect.Normalized();
    if (r.IsEmpty() || !PrepareShape(s)) return;
    ApplyPen(s.pen);
    ApplyBrush(s.brush, s.textColor, s.bkColor);
    Painter()->drawEllipse(OutlineBox(r));
}

void QtPainterBackend::FillRect(const SurfaceState& s, const Rect& rect, const Brush& brush) {
    const Rect r = rect.Normalized();
    if (r.IsEmpty() || brush.kind == BrushKind::Null || Painter() == nullptr) return;
    ApplyClip(s);
    ApplyComposition(QPainter::CompositionMode_SourceOver);
    Painter()->fillRect(ToQRect(r, size_), BrushFor(brush, s.textColor, s.bkColor));
}

void QtPainterBackend::SetPixel(const SurfaceState& s, Point p, Color c) {
    if (!ClipRegionFor(s).contains(QPoint(p.x, p.y))) return;
    if (image_ != nullptr) {
        if (image_->isNull()) return;
        reinterpret_cast<std::uint32_t*>(image_->scanLine(p.y))[p.x] = raster::ToArgb(c);
        return;
    }
    if (Painter() == nullptr) return;
    ApplyClip(s);
    ApplyComposition(QPainter::CompositionMode_SourceOver);
    Painter()->fillRect(QRect(p.x, p.y, 1, 1), ToQColor(c));
}

void QtPainterBackend::DrawText(const SurfaceState& s, Point ref, const TextCell& cell, std::string_view text) {
    if (text.empty()) return;
    QPainter* p = Painter();
    if (p == nullptr) return;
    ApplyClip(s);
    ApplyComposition(QPainter::CompositionMode_SourceOver);
    ApplyPen(SolidPen(s.textColor));
    p->setFont(QtFontFor(s.font));
    const int angle = s.font.angle % 3600;
    p->translate(ref.x, ref.y);
    if (angle != 0) p->rotate(-angle / 10.0);
    if (s.bkMode == BkMode::Opaque) p->fillRect(QRect(cell.left, cell.top, cell.width, cell.Height()), ToQColor(s.bkColor));
    p->drawText(QPointF(cell.left, cell.Baseline()),
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    p->resetTransform();
}

void QtPainterBackend::BitBlt(const SurfaceState& s, Point dst, Size size, const Surface& src, Point srcOrigin,
                              BlitRop rop) {
    const QImage* from = PixelsOf(src);
    if (from == nullptr || size.cx <= 0 || size.cy <= 0) return;
    std::int64_t x0, x1, y0, y1;
    if (!ClipSpan(srcOrigin.x, size.cx, from->width(), x0, x1) || !ClipSpan(srcOrigin.y, size.cy, from->height(), y0, y1)) {
        return;
    }
    const QRect srcRect(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
    const std::int64_t dx = std::int64_t{dst.x} + (x0 - srcOrigin.x);
    const std::int64_t dy = std::int64_t{dst.y} + (y0 - srcOrigin.y);
    if (dx > std::numeric_limits<int>::max() || dy > std::numeric_limits<int>::max()) return;
    const QRect dstRect(static_cast<int>(dx), static_cast<int>(dy), srcRect.width(), srcRect.height());
    if (from == image_) {
        // Copying within one image: take the source pixels before the destination changes.
        const QImage copy = from->copy(srcRect);
        DrawImage(s, dstRect, copy, copy.rect(), rop);
    } else {
        DrawImage(s, dstRect, *from, srcRect, rop);
    }
}

void QtPainterBackend::StretchBlt(const SurfaceState& s, const Rect& dst, const Surface& src, const Rect& srcRect) {
    const QImage* from = PixelsOf(src);
    const Rect d = dst.Normalized();
    const Rect r = srcRect.Normalized();
    if (from == nullptr || d.IsEmpty() || r.IsEmpty()) return;
    // Opposite signs of the two widths (heights) mirror the picture, as StretchBlt does.
    const bool mirrorX = (dst.right < dst.left) != (srcRect.right < srcRect.left);
    const bool mirrorY = (dst.bottom < dst.top) != (srcRect.bottom < srcRect.top);
    const QRect source = ToQRect(r, from->size());
    if (mirrorX || mirrorY || from == image_) {
        const QImage part = from->copy(source).mirrored(mirrorX, mirrorY);
        DrawImage(s, ToQRect(d, size_), part, part.rect(), BlitRop::SrcCopy);
    } else {
        DrawImage(s, ToQRect(d, size_), *from, source, BlitRop::SrcCopy);
    }
}

void QtPainterBackend::DrawImage(const SurfaceState& s, const QRect& dst, const QImage& src, const QRect& srcRect,
                                 BlitRop rop) {
    if (dst.isEmpty() || srcRect.isEmpty() || Painter() == nullptr) return;
    ApplyClip(s);
    ApplyComposition(ModeFor(rop));
    ApplyAntialias(false);
    Painter()->drawImage(QRectF(dst), src, QRectF(srcRect));
}

}  // namespace vtg
