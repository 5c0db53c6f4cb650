#pragma once
// Mapping a variable pair to device pixels: which slots are walked in which order, each
// value's scale transform and the view's linear map, and where missing values break the line.
// Linear axes, by far the common case, map without a call through the transform.

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "axes/ScaleTransform.h"
#include "platform/Geometry.h"
#include "regions/CPlotEnv.h"
#include "axes/PlotValues.h"

namespace vtg {

class CPlotAxis;
class CPlotVar;

// One direction: data value -> transformed value -> pixel (device offset included).
class AxisMapping {
public:
    AxisMapping(const CPlotAxis& axis, const CViewCoeff& view, int deviceOffset);

    bool IsValid() const { return view_.IsValid(); }
    // The transformed value is the value itself.
    bool IsLinear() const { return linear_; }
    // The transformed value; above 9e27 when v is missing or outside the scale's domain.
    double Transform(double v) const {
        if (IsMissing(v)) return kMissingValue;
        return linear_ ? v : transform_->Forward(v);
    }
    // The pixel of a transformed value that is not missing (as CViewCoeff::ToPixel).
    int ToPixel(double t) const {
        double d = t * view_.Scale - view_.Offset;
        d = d < -kMaxPixelsBeyond ? -kMaxPixelsBeyond : d;
        d = d > view_.Extent + kMaxPixelsBeyond ? view_.Extent + kMaxPixelsBeyond : d;
        // Half away from zero: truncating d + 0.5 (d - 0.5 below zero) is floor(|d| + 0.5)
        // with d's sign. The bounds above keep the cast in range.
        return view_.Start + static_cast<int>(d + std::copysign(0.5, d)) + deviceOffset_;
    }
    // Transform and ToPixel; false when the value is missing or outside the domain.
    bool Map(double v, int& pixel) const;

private:
    // As CViewCoeff::ToPixel: points stay within this many pixels beyond the extent.
    static constexpr double kMaxPixelsBeyond = 1 << 26;

    const ScaleTransform* transform_;
    bool linear_;
    CViewCoeff view_;
    int deviceOffset_;
};

// The transformed bounds an axis shows at its two ends: first at the left (bottom) end, second
// at the right (top) end, exchanged for a reversed axis; nullopt when a bound has no
// transformed value.
struct ViewBounds {
    double first = 0;
    double second = 1;
};
std::optional<ViewBounds> AxisViewBounds(const CPlotAxis& axis);

// Which slots of a variable pair are drawn, in which order: count slots starting at first,
// wrapping at capacity. A run plot's walk ends where the time stamps go back.
struct SlotWalk {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    std::uint32_t capacity = 0;
    bool stopWhenXDecreases = false;

    std::uint32_t Slot(std::uint32_t k) const { return first + k < capacity ? first + k : first + k - capacity; }
};

// Slots 0 .. min(count of x, count of y) - 1.
SlotWalk IndexedWalk(const CPlotVar& x, const CPlotVar& y);
// The circular buffer of x from its oldest entry.
SlotWalk OldestFirstWalk(const CPlotVar& x, const CPlotVar& y);
// The time buffer of x from its first stamp at or after windowStart; nothing when none is.
SlotWalk TimeWindowWalk(const CPlotVar& x, double windowStart);

// The value of a slot, as the variable reads it (implicit abscissas computed); 1e28 beyond
// its slots.
double ValueAt(const CPlotVar& v, std::uint32_t slot);

// The mapped points of a walk, in drawing order. A point is left out when either value is
// missing or has no transformed value; a value at or above 1.9e28 also ends the piece, so the
// next point starts a new one. pieceStarts holds the index of each piece's first point.
struct MappedCurve {
    std::vector<std::uint32_t> pieceStarts;
    std::uint32_t count = 0;                // points written to the caller's buffer
};

// Maps into out (resized to at least walk.count + extra slots, never shrunk). With
// independentVertical the x values run down the page (flipped plots).
MappedCurve MapCurve(const CPlotVar& x, const CPlotVar& y, const AxisMapping& xMap, const AxisMapping& yMap,
                     const SlotWalk& walk, bool independentVertical, std::vector<Point>& out, std::uint32_t extra);

}  // namespace vtg
