#include "platform/RecordingSurface.h"

#include <algorithm>
#include <climits>
#include <iterator>

#include "platform/FontEngine.h"

namespace vtg {

namespace {

// Hostile sizes must not overflow while the call is written down.
int Add(int a, int b) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(a) + b, INT_MIN, INT_MAX));
}

Rect At(Point p, Size size) { return Rect{p.x, p.y, Add(p.x, size.cx), Add(p.y, size.cy)}; }

}  // namespace

RecordingSurface::RecordingSurface(SurfaceKind kind, Size size, int dpi)
    : kind_(kind), size_{std::max(size.cx, 0), std::max(size.cy, 0)}, dpi_(dpi > 0 ? dpi : 96) {}

DrawCall& RecordingSurface::Record(DrawOp op) {
    DrawCall& call = calls_.emplace_back();
    call.op = op;
    call.state = State();
    return call;
}

std::vector<DrawCall> RecordingSurface::CallsOf(DrawOp op) const {
    std::vector<DrawCall> out;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(out), [op](const DrawCall& c) { return c.op == op; });
    return out;
}

std::size_t RecordingSurface::CountOf(DrawOp op) const {
    return static_cast<std::size_t>(
        std::count_if(calls_.begin(), calls_.end(), [op](const DrawCall& c) { return c.op == op; }));
}

std::vector<std::string> RecordingSurface::Texts() const {
    std::vector<std::string> out;
    for (const DrawCall& c : calls_) {
        if (c.op == DrawOp::Text) out.push_back(c.text);
    }
    return out;
}

void RecordingSurface::Polyline(std::span<const Point> pts) {
    Record(DrawOp::Polyline).points.assign(pts.begin(), pts.end());
}

void RecordingSurface::Polygon(std::span<const Point> pts) {
    Record(DrawOp::Polygon).points.assign(pts.begin(), pts.end());
}

void RecordingSurface::Rectangle(const Rect& r) { Record(DrawOp::Rectangle).rect = r; }

void RecordingSurface::Ellipse(const Rect& r) { Record(DrawOp::Ellipse).rect = r; }

void RecordingSurface::FillRect(const Rect& r, const Brush& brush) {
    DrawCall& call = Record(DrawOp::FillRect);
    call.rect = r;
    call.brush = brush;
}

void RecordingSurface::SetPixel(Point p, Color c) {
    DrawCall& call = Record(DrawOp::SetPixel);
    call.points.push_back(p);
    call.color = c;
}

Size RecordingSurface::MeasureText(const Font& font, std::string_view text) const {
    return FontEngine::TextExtent(font, dpi_, text);
}

TextMetrics RecordingSurface::FontMetrics(const Font& font) const { return FontEngine::Metrics(font, dpi_); }

std::unique_ptr<Surface> RecordingSurface::CreateCompatible(int width, int height) const {
    return std::make_unique<RecordingSurface>(kind_, Size{std::max(width, 1), std::max(height, 1)}, dpi_);
}

void RecordingSurface::BitBlt(Point dst, Size size, const Surface& src, Point srcOrigin, BlitRop rop) {
    DrawCall& call = Record(DrawOp::BitBlt);
    call.rect = At(dst, size);
    call.source = &src;
    call.sourceRect = At(srcOrigin, size);
    call.blitRop = rop;
}

void RecordingSurface::StretchBlt(const Rect& dst, const Surface& src, const Rect& srcRect) {
    DrawCall& call = Record(DrawOp::StretchBlt);
    call.rect = dst;
    call.source = &src;
    call.sourceRect = srcRect;
}

void RecordingSurface::DrawText(Point p, std::string_view text) {
    DrawCall& call = Record(DrawOp::Text);
    call.points.push_back(p);
    call.text = std::string(text);
    call.rect = TextBounds(p, text);
}

}  // namespace vtg
