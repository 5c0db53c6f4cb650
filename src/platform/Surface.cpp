#include "platform/Surface.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace vtg {

namespace {

ClipShape RectShape(const Rect& r) { return ClipShape{false, r.Normalized(), {}}; }

// A polygon of fewer than three points encloses nothing: it clips everything away (GDI
// would refuse to create the region and leave the caller unclipped, which draws outside).
ClipShape PolygonShape(std::span<const Point> pts) {
    if (pts.size() < 3) return RectShape(Rect{});
    return ClipShape{true, Rect{}, std::vector<Point>(pts.begin(), pts.end())};
}

// Adds one shape to an intersection; two rectangles merge into one so that the common case
// (nested rectangle clips) stays a single rectangle for the backends' fast paths.
void Intersect(ClipRegion& clip, ClipShape shape) {
    if (!shape.polygon) {
        for (ClipShape& s : clip.shapes) {
            if (!s.polygon) {
                s.rect = Rect::Intersect(s.rect, shape.rect);
                return;
            }
        }
    }
    clip.shapes.push_back(std::move(shape));
}

double AngleRadians(int tenths) { return tenths / 10.0 * std::numbers::pi / 180.0; }

// Positions computed from far-away reference points must not overflow int.
int Saturate(double v) {
    return static_cast<int>(std::clamp(v, double{std::numeric_limits<int>::min()}, double{std::numeric_limits<int>::max()}));
}

}  // namespace

Pen Surface::SelectPen(const Pen& pen) { return std::exchange(state_.pen, pen); }
Brush Surface::SelectBrush(const Brush& brush) { return std::exchange(state_.brush, brush); }
Font Surface::SelectFont(const Font& font) { return std::exchange(state_.font, font); }
Color Surface::SetTextColor(Color c) { return std::exchange(state_.textColor, c); }
Color Surface::SetBkColor(Color c) { return std::exchange(state_.bkColor, c); }
BkMode Surface::SetBkMode(BkMode mode) { return std::exchange(state_.bkMode, mode); }
unsigned Surface::SetTextAlign(unsigned align) { return std::exchange(state_.textAlign, align); }
Rop2 Surface::SetRop2(Rop2 rop) { return std::exchange(state_.rop, rop); }
bool Surface::SetSmoothing(bool on) { return std::exchange(state_.smoothing, on); }
Point Surface::MoveTo(Point p) { return std::exchange(state_.position, p); }

void Surface::SetClip(const ClipRegion& clip) {
    state_.clip = clip;
    ClipChanged();
}

void Surface::SelectClipRect(const Rect& r) {
    state_.clip.shapes.assign(1, RectShape(r));
    ClipChanged();
}

void Surface::SelectClipPolygon(std::span<const Point> pts) {
    state_.clip.shapes.assign(1, PolygonShape(pts));
    ClipChanged();
}

void Surface::IntersectClipRect(const Rect& r) {
    Intersect(state_.clip, RectShape(r));
    ClipChanged();
}

void Surface::IntersectClipPolygon(std::span<const Point> pts) {
    Intersect(state_.clip, PolygonShape(pts));
    ClipChanged();
}

void Surface::RemoveClip() {
    state_.clip.shapes.clear();
    ClipChanged();
}

int Surface::SaveState() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

bool Surface::RestoreState(int level) {
    const int count = static_cast<int>(saved_.size());
    const int index = level < 0 ? count + level : level - 1;
    if (index < 0 || index >= count) return false;
    state_ = std::move(saved_[static_cast<std::size_t>(index)]);
    saved_.resize(static_cast<std::size_t>(index));
    ClipChanged();
    return true;
}

void Surface::LineTo(Point p) {
    const std::array<Point, 2> pts{state_.position, p};
    Polyline(pts);
    state_.position = p;
}

TextCell Surface::PlaceText(std::string_view text) const {
    const TextMetrics m = GetTextMetrics();
    TextCell cell;
    cell.width = text.empty() ? 0 : GetTextExtent(text).cx;
    cell.ascent = m.ascent;
    cell.descent = m.descent;
    switch (state_.textAlign & TextAlign::HorizontalMask) {
        case TextAlign::Right: cell.left = -cell.width; break;
        case TextAlign::Center: cell.left = -cell.width / 2; break;
        default: cell.left = 0; break;
    }
    switch (state_.textAlign & TextAlign::VerticalMask) {
        case TextAlign::Bottom: cell.top = -cell.Height(); break;
        case TextAlign::Baseline: cell.top = -cell.ascent; break;
        default: cell.top = 0; break;
    }
    return cell;
}

void Surface::TextOut(Point p, std::string_view text) {
    const bool updateCP = (state_.textAlign & TextAlign::UpdateCP) != 0;
    if (updateCP) p = state_.position;
    DrawText(p, text);
    if (!updateCP) return;
    int advance = 0;
    switch (state_.textAlign & TextAlign::HorizontalMask) {
        case TextAlign::Right: advance = -GetTextExtent(text).cx; break;
        case TextAlign::Center: advance = 0; break;
        default: advance = GetTextExtent(text).cx; break;
    }
    const double a = AngleRadians(state_.font.angle);
    state_.position = Point{Saturate(p.x + std::round(advance * std::cos(a))),
                            Saturate(p.y - std::round(advance * std::sin(a)))};
}

Rect Surface::TextBounds(Point p, std::string_view text) const {
    const TextCell cell = PlaceText(text);
    const double a = AngleRadians(state_.font.angle);
    const double c = std::cos(a);
    const double s = std::sin(a);
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool first = true;
    for (int cx : {cell.left, cell.left + cell.width}) {
        for (int cy : {cell.top, cell.top + cell.Height()}) {
            // Counter-clockwise on a screen whose y axis points down.
            const double x = cx * c + cy * s;
            const double y = -cx * s + cy * c;
            minX = first ? x : std::min(minX, x);
            maxX = first ? x : std::max(maxX, x);
            minY = first ? y : std::min(minY, y);
            maxY = first ? y : std::max(maxY, y);
            first = false;
        }
    }
    // The small tolerance keeps 90-degree multiples from growing a pixel through cos/sin noise.
    constexpr double eps = 1e-9;
    return Rect{Saturate(p.x + std::floor(minX + eps)), Saturate(p.y + std::floor(minY + eps)),
                Saturate(p.x + std::ceil(maxX - eps)), Saturate(p.y + std::ceil(maxY - eps))};
}

}  // namespace vtg
