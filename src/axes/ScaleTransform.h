#pragma once
// One small type per axis scale: its forward and inverse mapping, the domain rules that keep a
// fitted range mappable, and, for the scales that show fixed ticks, the rule that builds the
// tick list. The axis does its range work in transformed units through this interface, so a
// new scale is one more type here rather than another branch in every mapping call.

#include <array>
#include <utility>

namespace vtg {

enum class ScaleType : int { Linear = 0, Log = 1, Inverse = 2, Probability = 3, Weibull = 4 };

// A range in transformed units.
struct ScaleSpan {
    double lo = 0;
    double hi = 1;
};

inline constexpr int kTickListSize = 20;
using TickArray = std::array<double, kTickListSize>;

// A tick list and the range it implies. ticks holds data values in ascending order, ended by
// a 0 entry (or filling the array). When valid is false the range admits no list: ticks is
// empty and the range and interval are to be left as they are.
struct TickListResult {
    bool valid = false;
    TickArray ticks{};
    double rangeMin = 0;
    double rangeMax = 1;
    double interval = 0;    // the axis's scroll step on list scales
};

class ScaleTransform {
public:
    virtual ~ScaleTransform() = default;

    virtual ScaleType Type() const = 0;
    // Transformed value of data value x; 1e28 outside the domain and for NaN.
    virtual double Forward(double x) const = 0;
    // Data value of transformed value y; 1e28 where there is none.
    virtual double Inverse(double y) const = 0;

    // Larger data values map to smaller transformed ones: range work then takes each bound
    // from the opposite end.
    virtual bool Decreasing() const { return false; }
    // The transformed value 0 has no data value: a computed bound landing there is replaced.
    virtual bool ZeroHasNoValue() const { return false; }

    // The ticks come from a list rather than from a nice interval.
    virtual bool UsesTickList() const { return false; }
    virtual TickListResult BuildTickList(double rangeMin, double rangeMax) const;

    // A data range about to be fitted, moved into the domain (the data may not be).
    virtual std::pair<double, double> FitBounds(double min, double max) const {
        return {min, max};
    }
    // A range or extent set explicitly (by the host, or refitted to data), moved into the
    // domain where it must be: lo <= hi on entry.
    virtual std::pair<double, double> ExtentBounds(double lo, double hi) const {
        return {lo, hi};
    }

protected:
    ScaleTransform() = default;
    ScaleTransform(const ScaleTransform&) = default;
    ScaleTransform& operator=(const ScaleTransform&) = default;
};

bool IsValidScale(int scale);
// The transform of scale type `scale`; Linear for a value outside 0..4, so that a corrupt
// type can never index past the table.
const ScaleTransform& ScaleTransformFor(int scale);

// Moves a range that touches or crosses zero to the side of zero that holds the larger
// magnitude, 1000:1 (a reciprocal axis cannot show 0).
std::pair<double, double> KeepOneSideOfZero(double min, double max);

}  // namespace vtg
