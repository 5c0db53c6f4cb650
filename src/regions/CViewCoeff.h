#pragma once
// The data-to-pixel mapping: a plain value, built from a drawing rectangle and an axis's
// transformed range, that turns transformed values into device pixels and back.

namespace vtg {

// One direction of the data-to-pixel mapping. Start is the drawing rectangle's left (or top),
// Extent its width (or height) in pixels, Low/High the transformed bounds mapped to Start and
// Start + Extent.
class CViewCoeff {
public:
    int Start = 0;
    int Extent = 0;
    double Low = 0;
    double High = 1;
    double Scale = 0;
    double Offset = 0;

    // Bounds closer than 1e-30 are widened first, keeping their direction.
    static CViewCoeff Make(int start, int extent, double low, double high);
    // False for an empty extent or unusable bounds: nothing is to be drawn with it.
    bool IsValid() const;
    // Half away from zero; kept within 2^26 pixels of the extent. Start (plus the offset)
    // for NaN or an invalid mapping, which callers check first.
    int ToPixel(double v, int deviceOffset = 0) const;
    // Low for an invalid mapping.
    double FromPixel(int px, int deviceOffset = 0) const;
};

}  // namespace vtg
