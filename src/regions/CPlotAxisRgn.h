#pragma once
// An axis region: it owns the axis object (range, ticks, scale) and the axis caption, and
// draws the axis line, ticks and tick labels. Kind 2 is the X axis, kind 3 a Y axis; the
// triangular subclass is a side of the triangle.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "axes/CPlotAxis.h"
#include "regions/CPlotLabel.h"
#include "regions/CPlotRegion.h"

namespace vtg {

class CPlotEnv;
class CViewCoeff;
class CVTGFont;

// The per-axis modes of the automation's SetAxisMode/GetAxisMode.
namespace AxisMode {
constexpr int ResetRange = 0;   // refit the range when data leave it
constexpr int Reverse = 1;      // the axis runs from high to low
constexpr int LockGrid = 2;     // keep the tick interval at the user interval
constexpr int Integer = 3;      // ticks on whole numbers
}  // namespace AxisMode

class CPlotAxisRgn : public CPlotRegion {
public:
    // kind is RegionKind::XAxis or RegionKind::YAxis; triangleKind 1 or 2 makes a triangular
    // axis object. withAxis false leaves Axis null for a caller that supplies its own.
    CPlotAxisRgn(int kind, int triangleKind, bool withAxis = true);

    RegionClass Class() const override { return RegionClass::Axis; }
    // The region is an axis-like region: clicks select it.
    bool AcceptsClick(Surface& dc, CPlotLook& plot, Point p) override;

    // The axis line, tick marks and tick labels (CPlotAxisRgn.cpp). A vertical axis scales
    // itself first and sets the environment's vertical mapping to its range.
    void Draw(Surface& dc, CPlotLook& plot, int force) override;
    // The largest tick-label extent, for the layout: labels padded as drawn, measured both
    // in the axis font times the output scale and in the scaled font they are drawn with.
    Size Measure(Surface& dc, CPlotLook& plot) override;
    Size MeasureLabels(Surface& dc, CPlotLook& plot);
    // Rescales the axis (when it needs it) for the drawing area, the axis font and the plot.
    void AutoScale(CPlotLook& plot);
    // Drawn across the page: the X axis of an upright plot or a Y axis of a flipped one.
    bool IsHorizontal(const CPlotLook& plot) const;

    // Modes by AxisMode index; a mode is on when non-zero. Changing Reverse, LockGrid or
    // Integer marks the axis for rescaling. Unknown indexes change nothing and return false;
    // GetAxisMode gives nullopt for them.
    bool SetAxisMode(int index, int mode);
    std::optional<int> GetAxisMode(int index) const;

    std::unique_ptr<CPlotAxis> Axis;
    // 0 for the X axis, 1..n for the Y axes.
    int AxisIndex = 0;
    CPlotLabel Label;
    int TriangleKind = 0;
    // Palette index 0..15 of the axis colour.
    int ColorIndex = 0;
};

class CPlotTriAxisRgn : public CPlotAxisRgn {
public:
    explicit CPlotTriAxisRgn(int triangleKind);
    RegionClass Class() const override { return RegionClass::TriAxis; }

    // Pixels along the triangle's side.
    int SideLength = 0;
};

// What follows an axis caption when its labels carry a multiplier: " x 10" in the caption
// font and, unless the exponent is 1, the exponent's digits as a superscript.
struct MultiplierSuffix {
    std::string text;
    std::string exponent;           // empty when none is shown
    friend bool operator==(const MultiplierSuffix&, const MultiplierSuffix&) = default;
};
// Only a power-of-ten multiplier (MultiplierType 0) other than 0 shows a suffix.
std::optional<MultiplierSuffix> MultiplierSuffixOf(const CPlotAxis& axis);

// Pixel positions of the grid lines at an axis's tick positions, mapped with `view` plus the
// device offset: vertical lines (verticalLines) within low < x <= high, horizontal lines within
// low <= y < high, each more than 5 pixels from the previous line kept.
std::vector<int> GridPositions(const CPlotAxis& axis, const CViewCoeff& view, int deviceOffset, int low, int high,
                               bool verticalLines);

// Tick marks and labels of an axis along linePos (the axis line; x of a vertical axis, y of a
// horizontal one), mapped with env's view. Horizontal labels sit with their bottom 3 units
// below textOffset; the caller has selected the font, the text alignment and the pen. A Linear
// axis keeps the interval it was drawn with.
void DrawAxisTicks(Surface& dc, CPlotAxis& axis, const CPlotEnv& env, const CVTGFont* font, int textOffset,
                   int linePos, bool vertical, bool outerSide);
// The largest tick-label extent (at least that of "0"), labels padded as drawn. Settles the
// decimals that padding brings every label to.
Size MeasureAxisTickLabels(Surface& dc, CPlotAxis& axis, const CPlotEnv& env, const CVTGFont* font);

// Text as the environment draws it: in the font scaled to the output scale (as
// CPlotEnv::SelectFont selects it). Scaled fonts have whole point sizes, so these sizes are
// not always the measured ones times the scale; room that drawn text must fit in is measured
// here.
Size DrawnTextExtent(Surface& dc, const CPlotEnv& env, const CVTGFont* font, std::string_view text);
TextMetrics DrawnFontMetrics(Surface& dc, const CPlotEnv& env, const CVTGFont* font);
// At an output scale of 1 the drawn font is the font itself: nothing needs measuring twice.
bool ScaledFontDiffers(const CPlotEnv& env);
// The larger of the measured extent (CPlotEnv::MeasureText) and the drawn one.
Size RoomForText(Surface& dc, const CPlotEnv& env, const CVTGFont* font, std::string_view text);

// Colour indexes outside the 16 axis and caption colours are stored as 0.
inline int ClampColorIndex(int index) { return index >= 0 && index < 16 ? index : 0; }

}  // namespace vtg
