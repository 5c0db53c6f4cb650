#include "regions/CurveMapper.h"

#include <algorithm>
#include <cmath>

#include "axes/CPlotAxis.h"
#include "plot/CPlotVar.h"
#include "plot/PlotValues.h"

namespace vtg {

namespace {

// As CViewCoeff::ToPixel: points stay within this many pixels beyond the extent.
constexpr double kMaxPixelsBeyond = 1 << 26;

}  // namespace

AxisMapping::AxisMapping(const CPlotAxis& axis, const CViewCoeff& view, int deviceOffset)
    : transform_(&axis.Transformer()), linear_(axis.Type() == ScaleType::Linear), view_(view),
      deviceOffset_(deviceOffset) {}

double AxisMapping::Transform(double v) const {
    if (IsMissing(v)) return kMissingValue;
    return linear_ ? v : transform_->Forward(v);
}

int AxisMapping::ToPixel(double t) const {
    double d = t * view_.Scale - view_.Offset;
    d = std::clamp(d, -kMaxPixelsBeyond, view_.Extent + kMaxPixelsBeyond);
    // Half away from zero; the bounds above keep the cast in range.
    const int r = d < 0 ? -static_cast<int>(-d + 0.5) : static_cast<int>(d + 0.5);
    return view_.Start + r + deviceOffset_;
}

bool AxisMapping::Map(double v, int& pixel) const {
    const double t = Transform(v);
    if (IsMissing(t)) return false;
    pixel = ToPixel(t);
    return true;
}

std::optional<ViewBounds> AxisViewBounds(const CPlotAxis& axis) {
    const double low = axis.Transform(axis.RangeMin);
    const double high = axis.Transform(axis.RangeMax);
    if (IsMissing(low) || IsMissing(high)) return std::nullopt;
    return axis.Reverse ? ViewBounds{high, low} : ViewBounds{low, high};
}

double ValueAt(const CPlotVar& v, std::uint32_t slot) {
    if (!v.IsCircular() && v.ImplicitX) return static_cast<double>(slot) + v.ImplicitXOffset;
    return slot < v.Values.size() ? v.Values[slot] : kMissingValue;
}

SlotWalk IndexedWalk(const CPlotVar& x, const CPlotVar& y) {
    const std::uint32_t n = std::min(x.ValidCount(), y.ValidCount());
    return SlotWalk{0, n, n, false};
}

SlotWalk OldestFirstWalk(const CPlotVar& x, const CPlotVar& y) {
    const std::uint32_t capacity = x.Capacity();
    const std::uint32_t n = std::min(x.ValidCount(), y.ValidCount());
    const std::uint32_t first = x.IsCircular() && x.Wrapped && x.WritePos < capacity ? x.WritePos : 0;
    return SlotWalk{first, n, std::max(capacity, n), false};
}

SlotWalk TimeWindowWalk(const CPlotVar& x, double windowStart) {
    const std::uint32_t capacity = x.Capacity();
    const std::uint32_t n = x.ValidCount();
    const std::uint32_t oldest = x.IsCircular() && x.Wrapped && x.WritePos < capacity ? x.WritePos : 0;
    const SlotWalk all{oldest, n, std::max(capacity, n), true};
    for (std::uint32_t k = 0; k < n; ++k) {
        const double t = ValueAt(x, all.Slot(k));
        if (!IsMissing(t) && t >= windowStart) return SlotWalk{all.Slot(k), n - k, all.capacity, true};
    }
    return SlotWalk{0, 0, all.capacity, true};
}

MappedCurve MapCurve(const CPlotVar& x, const CPlotVar& y, const AxisMapping& xMap, const AxisMapping& yMap,
                     const SlotWalk& walk, bool independentVertical, std::vector<Point>& out, std::uint32_t extra) {
    MappedCurve curve;
    const std::size_t needed = static_cast<std::size_t>(walk.count) + extra;
    if (out.size() < needed) out.resize(needed);
    Point* dst = out.data();
    std::uint32_t n = 0;
    bool startPiece = true;
    double lastX = 0;
    bool haveX = false;
    for (std::uint32_t k = 0; k < walk.count; ++k) {
        const std::uint32_t slot = walk.Slot(k);
        const double xv = ValueAt(x, slot);
        const double yv = ValueAt(y, slot);
        if (IsMissing(xv) || IsMissing(yv)) {
            if (BreaksLine(xv) || BreaksLine(yv)) startPiece = true;
            continue;
        }
        if (walk.stopWhenXDecreases) {
            if (haveX && xv < lastX) break;
            lastX = xv;
            haveX = true;
        }
        const double tx = xMap.Transform(xv);
        const double ty = yMap.Transform(yv);
        if (IsMissing(tx) || IsMissing(ty)) continue;
        const int px = xMap.ToPixel(tx);
        const int py = yMap.ToPixel(ty);
        if (startPiece) {
            curve.pieceStarts.push_back(n);
            startPiece = false;
        }
        dst[n++] = independentVertical ? Point{py, px} : Point{px, py};
    }
    curve.count = n;
    return curve;
}

}  // namespace vtg
