#pragma once
// Font measurement shared by every surface, so that the image, page and recording surfaces give
// the same numbers for the same font: GDI-style metrics and text extents of a Font at a given
// resolution. Font::height is already in device pixels, so the resolution only selects the
// device the font is realised for; callers scale point sizes themselves (height = pt * dpi / 72).

#include <string_view>

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace vtg {

class FontEngine {
public:
    // Ascent and descent come from the font's Windows ascent/descent (what GDI reports), so
    // internalLeading = height - em height as GDI's; aveCharWidth is the average advance of the
    // letters a..z.
    static TextMetrics Metrics(const Font& font, int dpi);
    // (advance width, ascent + descent); an empty text is (0, height).
    static Size TextExtent(const Font& font, int dpi, std::string_view text);
    // True when the face is installed, or when fontconfig resolves it to a font of its own
    // (a metric-compatible substitute such as Liberation Sans for Arial) rather than to the
    // generic fallback that any unknown name gets.
    static bool IsFontFamilyAvailable(std::string_view face);
    // The family the face actually resolves to.
    static std::string ResolvedFamily(std::string_view face);
};

}  // namespace vtg
