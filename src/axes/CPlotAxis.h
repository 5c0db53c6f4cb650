#pragma once
// One axis: scale type, the data extent seen so far, the displayed range, the tick interval
// and, for the Log, Probability and Weibull scales, an explicit tick list. All range work
// happens in transformed units; the stored bounds are always data units.
//
// The arithmetic is pure: the owner (the axis region) supplies what it needs from the plot as
// a ScaleContext or ScrollContext value instead of the axis reaching back into the plot.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "axes/ScaleTransform.h"

namespace vtg {

// The ticks an axis draws. Stepped scales (Linear, Inverse and the triangular X axis) keep
// their transformed tick values in `values`; list scales keep data values there, as
// FormatTickLabel takes them. `positions` holds the transformed value of each, for the mapping.
struct AxisTicks {
    bool stepped = true;
    double interval = 0;            // the step used (stepped scales)
    std::vector<double> values;
    std::vector<double> positions;
};

// What AutoScale needs from the plot and the axis region.
struct ScaleContext {
    double axisLength = 0;          // pixels available along the axis (see AxisLengthFor)
    double fontPointSize = 10;      // point size of the tick-label font
    double labelSpacingFactor = 1500;
    double outputScale = 1.0;       // 1 on screen, larger when printing
    double gridInterval = 0.1;      // the control's GridInterval: tick step of triangular axes
};

// What ScrollRange needs beyond the axis itself.
struct ScrollContext {
    double timeScrollUnit = 0.2;    // the control's TimeScrollUnit (time axis step)
    double timeWindow = 1.0;        // the control's TimeWindow (time axis page)
    bool triangular = false;        // extents come from the complementary axes
    double triExtentLow = 0;
    double triExtentHigh = 1;
};

// Pixels available along an axis, from the drawing rectangle's width and height. A rectangle
// not laid out yet (a side under 1 pixel) falls back to 4/5 of the plot's width or 9/10 of its
// height. Square and triangular plots use the shorter side; otherwise the X axis runs along
// the width and Y axes along the height, the other way round on a flipped plot.
double AxisLengthFor(int width, int height, int plotWidth, int plotHeight, bool xAxis,
                     bool flipped, bool squareOrTriangular);

class CPlotAxis {
public:
    explicit CPlotAxis(int triangleKind = 0) : TriangleKind(triangleKind) {}
    virtual ~CPlotAxis() = default;
    CPlotAxis(const CPlotAxis&) = default;
    CPlotAxis& operator=(const CPlotAxis&) = default;

    // Scale transform of the current Scale and its inverse; 1e28 outside the domain.
    double Transform(double x) const;
    double Untransform(double y) const;

    bool SetScale(int type);                        // false (and unchanged) when equal or invalid
    // true when the axis must be refitted; missing and non-finite values are ignored.
    bool TrackValue(double x, bool first);
    // Fits range and extent to data min..max; ignored unless both are finite.
    void FitToData(double min, double max, const ScaleContext& ctx);
    // Recomputes range and interval when NeedsRescale is set. When no range can be chosen
    // (no axis length yet, an output scale <= 0) the previous range and interval stay.
    void AutoScale(const ScaleContext& ctx);
    // Ignored for an interval that is negative or not finite; 0 means "no user interval".
    void SetUserInterval(double x, int lock);
    // kind 0/1: back/forward one interval, 2/3: back/forward one page, else jump to scroll
    // position 0..1000; side 0 for the independent axis, 1 for the dependent ones. A step
    // that is not positive, or too small to move the range at its magnitude, moves nothing.
    void ScrollRange(int kind, int position, const ScrollContext& ctx, int side, bool rescale);
    void ZoomToPerMille(double a, double b, bool rescale);
    void ResetDataExtent();
    void ResetRangeExtent();
    // Both ignore bounds that are not finite. SetRange pulls a bound beyond the infinite-bound
    // clamp in to it (with the diagnostic) and keeps the range inside the scale's domain: a
    // log range never reaches zero, an inverse one never crosses its pole.
    void SetRange(double lo, double hi);
    void SetDataExtent(double lo, double hi, bool widen);
    // A range just widened over the data (the refit of live data) starts from where a full
    // fit of the same data would: one value is given some width, data at or below zero on a
    // log axis keep three decades, data on both sides of an inverse axis's pole keep the side
    // with more. The extent follows the range.
    void SettleRefittedRange();
    // kind 0 in, 1 out, 2 reset; true when the range now shows (nearly) the whole extent.
    bool ZoomStep(int kind, double factor);

    // The mapping of the current Scale (Linear if the field was set out of range directly).
    const ScaleTransform& Transformer() const { return ScaleTransformFor(Scale); }
    ScaleType Type() const { return Transformer().Type(); }
    bool IsListScale() const { return Transformer().UsesTickList(); }
    // Number of entries of TickList before its 0 terminator.
    int TickCount() const;

    // ---- ticks and tick labels (CPlotAxisTicks.cpp); drawing them is the axis region's ----
    // The label of a tick: `value` in transformed units on stepped scales (snapped to 0 within
    // 1e-4 of the interval, then mapped back), a data value on list scales. "1/0" for a value
    // with no data value; the multiplier applies; pad brings the decimals up to LabelDecimals
    // or, for exponent forms, MantissaDecimals.
    std::string FormatTickLabel(double value, double interval, bool pad) const;
    // The i-th grid position in transformed units, nullopt past the last. Stepped scales run
    // from the low end by Interval (span / 10 when Interval is unusable, doubled if the range
    // would hold more than kMaxTicks of it); list scales give their tick list.
    std::optional<double> TickPosition(int i) const;
    // The ticks the axis region draws, with the interval doubled while the range holds more
    // than 50.
    AxisTicks DrawnTicks() const;
    // The label of each of ticks' values, padded or not; empty for a tick that has no data
    // value (the pole of a reciprocal axis), which is not labelled.
    std::vector<std::string> TickLabels(const AxisTicks& ticks, bool pad) const;
    // Settles LabelDecimals and MantissaDecimals from ticks' unpadded labels: padding then
    // brings every label to the same number of decimals.
    void SettleLabelDecimals(const AxisTicks& ticks);

    double DataMin = 0;
    double DataMax = 1.0;
    double ExtentMin = 0;
    double ExtentMax = 1.0;
    double RangeMin = 0;
    double RangeMax = 1.0;
    double Interval = 0;
    TickArray TickList{};
    double UserInterval = 0;
    int Scale = 0;
    int Reverse = 0;
    int Integer = 0;
    int Multiplier = 0;
    int MultiplierType = 0;
    int LockGrid = 0;
    int ResetRange = 1;
    int TriangleKind = 0;
    int TimeAxis = 0;
    int NeedsRescale = 1;
    int DataSeen = 0;
    int LabelDecimals = 0;
    int MantissaDecimals = 0;

private:
    // The displayed range and the extent in transformed units, lo mapping from the smaller
    // transformed value (the data ends are exchanged on a decreasing scale).
    ScaleSpan TransformedOf(double min, double max) const;
    ScaleSpan TransformedRange() const;
    ScaleSpan TransformedExtent() const;
    void StoreTransformedRange(ScaleSpan s);
    // Range and extent become the data min..max as a fit starts from them; false (nothing
    // changed) when they cannot be shown on this scale at all.
    bool StartFittedRange(double min, double max);
    // lo..hi (either order) moved into the scale's domain, in the order given.
    std::pair<double, double> InDomain(double lo, double hi) const;
    void ApplyTickList();
    void ChooseNiceRange(const ScaleContext& ctx);
    // The transformed range, low end first; nullopt when a bound has no transformed value.
    std::optional<ScaleSpan> OrderedTransformedRange() const;
    // The data value a tick label shows, before the multiplier.
    double LabelValue(double value, double interval) const;
    std::string PadLabel(std::string text) const;
};

// The axis of a triangular plot: same state, a fraction range 0..1 and its own tick drawing.
class CPlotTriAxis : public CPlotAxis {
public:
    explicit CPlotTriAxis(int triangleKind) : CPlotAxis(triangleKind) {}
};

}  // namespace vtg
