#pragma once
// A surface that draws into a 32-bit RGB bitmap: off-screen bitmaps, the window's backing
// store, and pictures written to PNG. A size of zero, a negative size or one too large to
// allocate gives an empty surface (IsValid() false, PixelSize() 0 x 0) on which every call
// does nothing.

#include <memory>
#include <string>

#include "platform/Surface.h"

namespace vtg {

class ImageSurface : public Surface {
public:
    ImageSurface(int width, int height, SurfaceKind kind = SurfaceKind::Memory, int dpi = 96,
                 Color fill = Rgb(255, 255, 255));
    ~ImageSurface() override;

    SurfaceKind Kind() const override;
    Size PixelSize() const override;
    int DpiX() const override;
    int DpiY() const override;

    bool IsValid() const;
    Color GetPixel(int x, int y) const;     // 0x00BBGGRR; 0 outside the bitmap
    bool SavePng(const std::string& path) const;
    // Platform-internal access for the Qt sites and backends (a QImage*). The drawing so far
    // is complete in it when this returns; ask again after further drawing rather than keeping
    // the pointer across calls, and never keep a copy of the image while drawing goes on.
    void* NativeImage() const;

    void Polyline(std::span<const Point> pts) override;
    void Polygon(std::span<const Point> pts) override;
    void Rectangle(const Rect& r) override;
    void Ellipse(const Rect& r) override;
    void FillRect(const Rect& r, const Brush& brush) override;
    void SetPixel(Point p, Color c) override;
    Size MeasureText(const Font& font, std::string_view text) const override;
    TextMetrics FontMetrics(const Font& font) const override;
    std::unique_ptr<Surface> CreateCompatible(int width, int height) const override;
    void BitBlt(Point dst, Size size, const Surface& src, Point srcOrigin,
                BlitRop rop = BlitRop::SrcCopy) override;
    void StretchBlt(const Rect& dst, const Surface& src, const Rect& srcRect) override;

protected:
    void DrawText(Point p, std::string_view text) override;
    void ClipChanged() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vtg
