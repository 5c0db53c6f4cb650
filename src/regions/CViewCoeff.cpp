#include "regions/CViewCoeff.h"

#include <cmath>

namespace vtg {

namespace {

// Bounds closer than this are one value: the mapping widens them so it never divides by 0.
constexpr double kEmptyInterval = 1e-30;
// The widening: this much at each end for bounds below 1 in magnitude, else this share of
// each bound's magnitude.
constexpr double kWidening = 1e-5;
// Points are kept within this many pixels beyond the rectangle before they become ints: far
// enough out that a clipped line still leaves the plot at the right angle, near enough that
// no device coordinate overflows.
constexpr double kMaxPixelsBeyond = 1 << 26;

double WideningOf(double bound) { return std::fabs(bound) < 1 ? kWidening : std::fabs(bound) * kWidening; }

double RoundHalfAwayFromZero(double v) { return v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5); }

}  // namespace

CViewCoeff CViewCoeff::Make(int start, int extent, double low, double high) {
    if (std::fabs(high - low) < kEmptyInterval) {
        // Keep the direction of the mapping; equal bounds count as ascending.
        const double sign = high < low ? -1 : 1;
        low -= sign * WideningOf(low);
        high += sign * WideningOf(high);
    }
    CViewCoeff v;
    v.Start = start;
    v.Extent = extent;
    v.Low = low;
    v.High = high;
    v.Scale = extent / (high - low);
    v.Offset = low * v.Scale;
    return v;
}

bool CViewCoeff::IsValid() const {
    return Extent > 0 && std::isfinite(Scale) && Scale != 0 && std::isfinite(Offset);
}

int CViewCoeff::ToPixel(double v, int deviceOffset) const {
    double d = v * Scale - Offset;
    if (!IsValid() || std::isnan(d)) d = 0;
    if (d < -kMaxPixelsBeyond) d = -kMaxPixelsBeyond;
    if (d > Extent + kMaxPixelsBeyond) d = Extent + kMaxPixelsBeyond;
    return Start + static_cast<int>(RoundHalfAwayFromZero(d)) + deviceOffset;
}

double CViewCoeff::FromPixel(int px, int deviceOffset) const {
    if (!IsValid()) return Low;
    return (static_cast<double>(px) - Start - deviceOffset + Offset) / Scale;
}

}  // namespace vtg
