#include "platform/ImageSurface.h"

#include <QImage>

#include <algorithm>
#include <cmath>

#include "platform/FontEngine.h"
#include "platform/PixelRaster.h"
#include "platform/QtPainterBackend.h"

namespace vtg {

namespace {

// Larger bitmaps are refused rather than allocated: 2^28 pixels is a gigabyte, far beyond a
// printer page at 1200 dpi, and a hostile size must not take the machine's memory.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

QImage MakeImage(int width, int height, int dpi, Color fill) {
    if (width <= 0 || height <= 0 || std::int64_t{width} * height > kMaxPixels) return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(raster::ToArgb(fill));
    return image;
}

}  // namespace

struct ImageSurface::Impl {
    Impl(int width, int height, SurfaceKind k, int d, Color fill)
        : image(MakeImage(width, height, d, fill)), kind(k), dpi(d) {}
    QImage image;
    SurfaceKind kind;
    int dpi;
    QtPainterBackend backend{&image};
};

ImageSurface::ImageSurface(int width, int height, SurfaceKind kind, int dpi, Color fill)
    : impl_(std::make_unique<Impl>(width, height, kind, dpi > 0 ? dpi : 96, fill)) {}

ImageSurface::~ImageSurface() = default;

SurfaceKind ImageSurface::Kind() const { return impl_->kind; }
Size ImageSurface::PixelSize() const { return Size{impl_->image.width(), impl_->image.height()}; }
int ImageSurface::DpiX() const { return impl_->dpi; }
int ImageSurface::DpiY() const { return impl_->dpi; }
bool ImageSurface::IsValid() const { return !impl_->image.isNull(); }

Color ImageSurface::GetPixel(int x, int y) const {
    impl_->backend.Flush();
    const QImage& image = impl_->image;
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return 0;
    return raster::FromArgb(reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x]);
}

bool ImageSurface::SavePng(const std::string& path) const {
    impl_->backend.Flush();
    return !impl_->image.isNull() && impl_->image.save(QString::fromStdString(path), "PNG");
}

void* ImageSurface::NativeImage() const {
    impl_->backend.Flush();
    return &impl_->image;
}

void ImageSurface::Polyline(std::span<const Point> pts) { impl_->backend.Polyline(State(), pts); }
void ImageSurface::Polygon(std::span<const Point> pts) { impl_->backend.Polygon(State(), pts); }
void ImageSurface::Rectangle(const Rect& r) { impl_->backend.Rectangle(State(), r); }
void ImageSurface::Ellipse(const Rect& r) { impl_->backend.Ellipse(State(), r); }
void ImageSurface::FillRect(const Rect& r, const Brush& brush) { impl_->backend.FillRect(State(), r, brush); }
void ImageSurface::SetPixel(Point p, Color c) { impl_->backend.SetPixel(State(), p, c); }

Size ImageSurface::MeasureText(const Font& font, std::string_view text) const {
    return FontEngine::TextExtent(font, impl_->dpi, text);
}

TextMetrics ImageSurface::FontMetrics(const Font& font) const { return FontEngine::Metrics(font, impl_->dpi); }

std::unique_ptr<Surface> ImageSurface::CreateCompatible(int width, int height) const {
    // A zero-sized compatible bitmap is one pixel, as with CreateCompatibleBitmap.
    return std::make_unique<ImageSurface>(std::max(width, 1), std::max(height, 1), SurfaceKind::Memory, impl_->dpi);
}

void ImageSurface::BitBlt(Point dst, Size size, const Surface& src, Point srcOrigin, BlitRop rop) {
    impl_->backend.BitBlt(State(), dst, size, src, srcOrigin, rop);
}

void ImageSurface::StretchBlt(const Rect& dst, const Surface& src, const Rect& srcRect) {
    impl_->backend.StretchBlt(State(), dst, src, srcRect);
}

void ImageSurface::DrawText(Point p, std::string_view text) {
    impl_->backend.DrawText(State(), p, PlaceText(text), text);
}

void ImageSurface::ClipChanged() { impl_->backend.ClipChanged(); }

}  // namespace vtg
