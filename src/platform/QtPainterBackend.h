#pragma once
// Platform-internal: the QPainter implementation shared by the image, window-backing-store and
// printer/PDF surfaces. A surface forwards its drawing calls here with its current state.
//
// On an image the painter stays open between calls and only the state that changed since the
// previous call is applied again (pen, brush, raster operation, smoothing, clip); Flush() ends
// it before anyone reads the pixels. Aliased thin lines, and aliased opaque wide lines with
// round ends, bypass the painter and go through PixelRaster, which writes the image's pixels
// directly: QPainter's stroker costs microseconds per segment and grows with the length of a
// wide polyline, and a plot hands over series of 10^6 points. Smoothed opaque solid lines with
// round ends are anti-aliased there too.
//
// Geometry convention: integer coordinates name pixels. Strokes are drawn through pixel centres
// (x + 0.5), fills are bounded by pixel edges, so a polygon from 0 to 10 fills pixels 0..9 and
// its outline lies on pixels 0 and 10, as in GDI.

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/PixelRaster.h"
#include "platform/Surface.h"

namespace vtg {

class QtPainterBackend {
public:
    // Draws into an image; the painter is opened on demand.
    explicit QtPainterBackend(QImage* image);
    // Draws with a painter that someone else keeps open on a page device of the given size.
    QtPainterBackend(QPainter* painter, QSize deviceSize);
    ~QtPainterBackend();
    QtPainterBackend(const QtPainterBackend&) = delete;
    QtPainterBackend& operator=(const QtPainterBackend&) = delete;

    void Polyline(const SurfaceState& s, std::span<const Point> pts);
    void Polygon(const SurfaceState& s, std::span<const Point> pts);
    void Rectangle(const SurfaceState& s, const Rect& r);
    void Ellipse(const SurfaceState& s, const Rect& r);
    void FillRect(const SurfaceState& s, const Rect& r, const Brush& brush);
    void SetPixel(const SurfaceState& s, Point p, Color c);
    // Text whose cell (in the text's own frame, relative to the reference point) is given.
    void DrawText(const SurfaceState& s, Point ref, const TextCell& cell, std::string_view text);
    // Pixels from another surface; only image surfaces have pixels to give (others give
    // nothing). Both are clipped to the source's bounds and the destination's clip.
    void BitBlt(const SurfaceState& s, Point dst, Size size, const Surface& src, Point srcOrigin, BlitRop rop);
    void StretchBlt(const SurfaceState& s, const Rect& dst, const Surface& src, const Rect& srcRect);

    void ClipChanged();
    // Ends the image painter so that the pixels are complete; the next call reopens it.
    void Flush();
    // Forget what was applied to the painter (a page painter may lose its state on a new page).
    void Reset();

private:
    struct Stroke;

    QPainter* Painter();
    void ApplyClip(const SurfaceState& s);
    void ApplyPen(const Pen& pen);
    void ApplyBrush(const Brush& brush, Color text, Color bk);
    void ApplyComposition(QPainter::CompositionMode mode);
    void ApplyAntialias(bool on);
    bool PrepareShape(const SurfaceState& s);
    enum class StrokeKind { Thin, Stamped, Smoothed, Segments, Path };
    StrokeKind ChooseStroke(const SurfaceState& s) const;
    void Outline(const SurfaceState& s, std::span<const Point> pts, bool closed);
    raster::Target RasterTarget(const SurfaceState& s);
    void ThinPolyline(const SurfaceState& s, std::span<const Point> pts);
    void StrokeSegments(const SurfaceState& s, std::span<const Point> pts);
    void DrawImage(const SurfaceState& s, const QRect& dst, const QImage& src, const QRect& srcRect, BlitRop rop);
    void StrokePolyline(const SurfaceState& s, std::span<const Point> pts, bool closed);
    const QBrush& BrushFor(const Brush& brush, Color text, Color bk);
    const QRegion& ClipRegionFor(const SurfaceState& s);
    const std::uint8_t* ClipMask(const SurfaceState& s);

    QImage* image_ = nullptr;
    QPainter* painter_ = nullptr;
    std::unique_ptr<QPainter> ownPainter_;
    QSize size_;

    // What the painter currently has applied; cleared whenever it is (re)opened.
    std::optional<Pen> appliedPen_;
    struct AppliedBrush {
        Brush brush;
        Color text, bk;
        friend bool operator==(const AppliedBrush&, const AppliedBrush&) = default;
    };
    std::optional<AppliedBrush> appliedBrush_;
    std::optional<QPainter::CompositionMode> appliedMode_;
    std::optional<bool> appliedAntialias_;
    bool clipApplied_ = false;

    // The clip as a pixel region and, when it is not one rectangle, as a byte mask for the
    // direct line drawing. Rebuilt after ClipChanged().
    bool clipValid_ = false;
    QRegion clipRegion_;
    std::vector<std::uint8_t> clipMask_;
    bool clipMaskValid_ = false;

    struct CachedBrush {
        AppliedBrush key;
        QBrush brush;
    };
    std::vector<CachedBrush> brushCache_;
    std::vector<QPointF> points_;
    raster::CoverageScratch coverage_;
};

}  // namespace vtg
