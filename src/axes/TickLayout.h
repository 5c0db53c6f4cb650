#pragma once
// Pure tick arithmetic: the interval ticks are drawn with, the tick values of the stepped
// scales, which tick marks lie far enough apart to draw, and which labels stay when labels
// would overlap. The axis feeds these its state; the drawing code only reads the results.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace vtg {

// No axis draws more ticks than this, and no grid more intervals, whatever step it was given.
inline constexpr int kMaxTicks = 1000;
// Ticks and labels of an axis are drawn with at most this many intervals over the range.
inline constexpr double kMaxDrawnIntervals = 50;

// How the ticks of a stepped scale advance from the low end e to the high end g (e <= g).
enum class TickStepping {
    Linear,         // e, e + c, e + 2c, ... while not past g + c/2
    Inverse,        // e, then the following multiples of c, while not past g + c/2
    Triangular,     // e + c, e + 2c, ... while not past g - c/2: no ticks on the corners
};

// The interval to step a span with: c when it is finite and > 0, else span / 10, doubled
// while the span holds more than maxIntervals of it. nullopt when neither gives a usable step
// (an empty or unusable span).
std::optional<double> UsableInterval(double c, double span, double maxIntervals);

// The transformed tick values of a stepped scale, at most kMaxTicks of them; none unless e,
// g and c are finite, e <= g and c > 0.
std::vector<double> SteppedTicks(TickStepping stepping, double e, double g, double c);

// Indexes of the pixel positions kept when each must lie more than minGap pixels from the
// previous kept one; the first position is always kept.
std::vector<std::size_t> KeepApart(std::span<const int> positions, int minGap);

// Labels of a stepped scale, given their centres along the axis and their sizes along it: the
// longest run of consecutive labels that would overlap the label before the run. Every
// (run + 1)-th label can then be drawn without overlap.
int LongestOverlapRun(std::span<const int> centres, std::span<const int> sizes);

// With every (t + 1)-th tick labelled (t > 0), the index of the first labelled tick, from the
// first tick value v0 and the interval c; triangular axes start t - 1 further on. 0 when t <= 0.
int FirstLabelIndex(double v0, double c, int t, bool triangular);

// Labels of a list scale: a label is shown only when it does not overlap the last shown one.
std::vector<bool> ListLabelsShown(std::span<const int> centres, std::span<const int> sizes);

}  // namespace vtg
