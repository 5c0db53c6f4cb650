#pragma once
// A surface that keeps every drawing call as plain data, for tests that assert on geometry,
// pens and texts instead of pixels. Each call carries a snapshot of the whole surface state
// (pen, brush, font, colours, alignment, raster operation, smoothing, clip, position) at the
// time it was made; selections themselves are not calls. Text is measured with FontEngine, so
// the numbers equal an image surface's at the same dpi.

#include <memory>
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace vtg {

enum class DrawOp { Polyline, Polygon, Rectangle, Ellipse, FillRect, SetPixel, Text, BitBlt, StretchBlt };

struct DrawCall {
    DrawOp op = DrawOp::Polyline;
    std::vector<Point> points;      // Polyline/Polygon: the points; Text: the reference point
                                    // (after UpdateCP); SetPixel: the pixel
    Rect rect;                      // Rectangle/Ellipse/FillRect: as given; Text: the box the
                                    // text cell covers (Surface::TextBounds); blits: destination
    std::string text;               // Text
    SurfaceState state;             // the state when the call was made
    Brush brush;                    // FillRect: its brush
    Color color = 0;                // SetPixel: its colour
    const Surface* source = nullptr;// blits: where the pixels came from
    Rect sourceRect;                // blits: the source rectangle
    BlitRop blitRop = BlitRop::SrcCopy;
};

class RecordingSurface : public Surface {
public:
    explicit RecordingSurface(SurfaceKind kind = SurfaceKind::Memory, Size size = {800, 600}, int dpi = 96);

    SurfaceKind Kind() const override { return kind_; }
    Size PixelSize() const override { return size_; }
    int DpiX() const override { return dpi_; }
    int DpiY() const override { return dpi_; }

    const std::vector<DrawCall>& Calls() const { return calls_; }
    std::vector<DrawCall> CallsOf(DrawOp op) const;
    std::size_t CountOf(DrawOp op) const;
    std::vector<std::string> Texts() const;     // texts drawn, in order
    void Clear() { calls_.clear(); }

    void Polyline(std::span<const Point> pts) override;
    void Polygon(std::span<const Point> pts) override;
    void Rectangle(const Rect& r) override;
    void Ellipse(const Rect& r) override;
    void FillRect(const Rect& r, const Brush& brush) override;
    void SetPixel(Point p, Color c) override;
    Size MeasureText(const Font& font, std::string_view text) const override;
    TextMetrics FontMetrics(const Font& font) const override;
    // A recording surface of the same kind, dpi and the given size.
    std::unique_ptr<Surface> CreateCompatible(int width, int height) const override;
    void BitBlt(Point dst, Size size, const Surface& src, Point srcOrigin,
                BlitRop rop = BlitRop::SrcCopy) override;
    void StretchBlt(const Rect& dst, const Surface& src, const Rect& srcRect) override;

protected:
    void DrawText(Point p, std::string_view text) override;

private:
    DrawCall& Record(DrawOp op);

    SurfaceKind kind_;
    Size size_;
    int dpi_;
    std::vector<DrawCall> calls_;
};

}  // namespace vtg
