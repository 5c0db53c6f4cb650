#pragma once
// Value conventions shared by data, axes and drawing.

#include <cmath>

namespace vtg {

// Stored for a point that has no value.
inline constexpr double kMissingValue = 1e28;
// Anything not at or below this counts as missing (NaN included: it fails every comparison).
inline constexpr double kMissingThreshold = 9e27;
// Values at or above this also break a drawn line instead of just being skipped.
inline constexpr double kBreakThreshold = 1.9e28;
// Extents that have not seen data yet hold +/- the largest single-precision value.
inline constexpr double kUnsetExtent = 3.4028234663852886e38;

inline bool IsMissing(double v) { return !(v <= kMissingThreshold); }
inline bool BreaksLine(double v) { return v >= kBreakThreshold; }

// Values entering the plot from outside: anything not finite is stored as missing, so that no
// NaN or infinity ever reaches range fitting or pixel conversion.
inline double SanitizeValue(double v) { return std::isfinite(v) ? v : kMissingValue; }

}  // namespace vtg
