#include "regions/CurveMapper.h"

#include <algorithm>
#include <cmath>

#include "axes/CPlotAxis.h"
#include "plot/CPlotVar.h"
#include "axes/PlotValues.h"

namespace vtg {

AxisMapping::AxisMapping(const CPlotAxis& axis, const CViewCoeff& view, int deviceOffset)
    : transform_(&axis.Transformer()), linear_(axis.Type() == ScaleType::Linear), view_(view),
      deviceOffset_(deviceOffset) {}

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

namespace {

// One contiguous stretch of slots [from, to) of a walk.
struct Stretch {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
};

class CurveMapping {
public:
    CurveMapping(const CPlotVar& x, const CPlotVar& y, const AxisMapping& xMap, const AxisMapping& yMap,
                 const SlotWalk& walk, bool vertical, Point* out)
        : x_(x), xs_(x.Values.data()), ys_(y.Values.data()), xSize_(x.Values.size()), ySize_(y.Values.size()),
          implicitX_(!x.IsCircular() && x.ImplicitX), linear_(xMap.IsLinear() && yMap.IsLinear()), xMap_(xMap),
          yMap_(yMap), stop_(walk.stopWhenXDecreases), vertical_(vertical), out_(out) {}

    // False when a run plot's time stamps went back: the walk ends there.
    bool Map(Stretch s, MappedCurve& curve) {
        // Slots beyond a variable's values read as missing, which never breaks the line: the
        // walk simply ends where the values do.
        s.to = static_cast<std::uint32_t>(std::min<std::size_t>(s.to, ySize_));
        if (!implicitX_) s.to = static_cast<std::uint32_t>(std::min<std::size_t>(s.to, xSize_));
        if (s.from >= s.to) return true;
        // The common case gets a loop of its own: stored abscissas, linear axes, no time walk,
        // and (known only afterwards) no missing value.
        if (!implicitX_ && !stop_ && linear_ && CleanLoop(s, curve)) return true;
        if (!implicitX_ && !stop_ && linear_) return Loop<false, false, true>(s, curve);
        if (stop_) return implicitX_ ? Loop<true, true, false>(s, curve) : Loop<false, true, false>(s, curve);
        return implicitX_ ? Loop<true, false, false>(s, curve) : Loop<false, false, false>(s, curve);
    }

private:
    // Maps every slot without a branch on the data; false (and nothing counted) when a value
    // turned out missing, for the general loop to map the stretch again.
    bool CleanLoop(Stretch s, MappedCurve& curve) {
        Point* dst = out_ + curve.count;
        const double* xs = xs_ + s.from;
        const double* ys = ys_ + s.from;
        const std::uint32_t n = s.to - s.from;
        bool clean = true;
        if (vertical_) {
            for (std::uint32_t k = 0; k < n; ++k) {
                clean &= !IsMissing(xs[k]) & !IsMissing(ys[k]);
                dst[k] = Point{yMap_.ToPixel(ys[k]), xMap_.ToPixel(xs[k])};
            }
        } else {
            for (std::uint32_t k = 0; k < n; ++k) {
                clean &= !IsMissing(xs[k]) & !IsMissing(ys[k]);
                dst[k] = Point{xMap_.ToPixel(xs[k]), yMap_.ToPixel(ys[k])};
            }
        }
        if (!clean) return false;
        if (startPiece_) {
            curve.pieceStarts.push_back(curve.count);
            startPiece_ = false;
        }
        curve.count += n;
        return true;
    }

    template <bool Implicit, bool Stop, bool Linear>
    bool Loop(Stretch s, MappedCurve& curve) {
        std::uint32_t n = curve.count;
        for (std::uint32_t slot = s.from; slot < s.to; ++slot) {
            const double xv = Implicit ? static_cast<double>(slot) + x_.ImplicitXOffset : xs_[slot];
            const double yv = ys_[slot];
            if (IsMissing(xv) || IsMissing(yv)) {
                startPiece_ = startPiece_ || BreaksLine(xv) || BreaksLine(yv);
                continue;
            }
            if constexpr (Stop) {
                if (haveX_ && xv < lastX_) {
                    curve.count = n;
                    return false;
                }
                lastX_ = xv;
                haveX_ = true;
            }
            double tx = xv;
            double ty = yv;
            if constexpr (!Linear) {
                tx = xMap_.Transform(xv);
                ty = yMap_.Transform(yv);
                if (IsMissing(tx) || IsMissing(ty)) continue;
            }
            const int px = xMap_.ToPixel(tx);
            const int py = yMap_.ToPixel(ty);
            if (startPiece_) {
                curve.pieceStarts.push_back(n);
                startPiece_ = false;
            }
            out_[n++] = vertical_ ? Point{py, px} : Point{px, py};
        }
        curve.count = n;
        return true;
    }

    const CPlotVar& x_;
    const double* xs_;
    const double* ys_;
    std::size_t xSize_;
    std::size_t ySize_;
    bool implicitX_;
    bool linear_;
    const AxisMapping& xMap_;
    const AxisMapping& yMap_;
    bool stop_;
    bool vertical_;
    Point* out_;
    bool startPiece_ = true;
    bool haveX_ = false;
    double lastX_ = 0;
};

}  // namespace

MappedCurve MapCurve(const CPlotVar& x, const CPlotVar& y, const AxisMapping& xMap, const AxisMapping& yMap,
                     const SlotWalk& walk, bool independentVertical, std::vector<Point>& out, std::uint32_t extra) {
    MappedCurve curve;
    const std::size_t needed = static_cast<std::size_t>(walk.count) + extra;
    if (out.size() < needed) out.resize(needed);
    CurveMapping mapping(x, y, xMap, yMap, walk, independentVertical, out.data());
    // A circular walk is at most two stretches: up to the end of the buffer, then from its
    // start.
    const std::uint64_t end = static_cast<std::uint64_t>(walk.first) + walk.count;
    const std::uint32_t firstEnd = static_cast<std::uint32_t>(std::min<std::uint64_t>(end, walk.capacity));
    if (mapping.Map({walk.first, firstEnd}, curve) && end > walk.capacity) {
        mapping.Map({0, static_cast<std::uint32_t>(end - walk.capacity)}, curve);
    }
    return curve;
}

}  // namespace vtg
