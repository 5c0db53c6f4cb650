#pragma once
// Platform-internal: the surface of a page on a paged device (PDF file, printer), drawn through
// a painter the document keeps open. Only platform sources include it.

#include <QPainter>

#include <algorithm>
#include <memory>

#include "platform/FontEngine.h"
#include "platform/ImageSurface.h"
#include "platform/QtPainterBackend.h"
#include "platform/Surface.h"

namespace vtg {

class QtPageSurface final : public Surface {
public:
    QtPageSurface(QPainter* painter, Size size, int dpi, SurfaceKind kind)
        : backend_(painter, QSize(size.cx, size.cy)), size_(size), dpi_(dpi), kind_(kind) {}

    SurfaceKind Kind() const override { return kind_; }
    Size PixelSize() const override { return size_; }
    int DpiX() const override { return dpi_; }
    int DpiY() const override { return dpi_; }

    void Polyline(std::span<const Point> pts) override { backend_.Polyline(State(), pts); }
    void Polygon(std::span<const Point> pts) override { backend_.Polygon(State(), pts); }
    void Rectangle(const Rect& r) override { backend_.Rectangle(State(), r); }
    void Ellipse(const Rect& r) override { backend_.Ellipse(State(), r); }
    void FillRect(const Rect& r, const Brush& brush) override { backend_.FillRect(State(), r, brush); }
    void SetPixel(Point p, Color c) override { backend_.SetPixel(State(), p, c); }
    Size MeasureText(const Font& font, std::string_view text) const override {
        return FontEngine::TextExtent(font, dpi_, text);
    }
    TextMetrics FontMetrics(const Font& font) const override { return FontEngine::Metrics(font, dpi_); }
    // A memory bitmap for a page is an image at the page's resolution.
    std::unique_ptr<Surface> CreateCompatible(int width, int height) const override {
        return std::make_unique<ImageSurface>(std::max(width, 1), std::max(height, 1), SurfaceKind::Memory, dpi_);
    }
    void BitBlt(Point dst, Size size, const Surface& src, Point srcOrigin, BlitRop rop) override {
        backend_.BitBlt(State(), dst, size, src, srcOrigin, rop);
    }
    void StretchBlt(const Rect& dst, const Surface& src, const Rect& srcRect) override {
        backend_.StretchBlt(State(), dst, src, srcRect);
    }
    void NewPage() { backend_.Reset(); }

protected:
    void DrawText(Point p, std::string_view text) override {
        backend_.DrawText(State(), p, PlaceText(text), text);
    }
    void ClipChanged() override { backend_.ClipChanged(); }

private:
    QtPainterBackend backend_;
    Size size_;
    int dpi_;
    SurfaceKind kind_;
};

}  // namespace vtg
