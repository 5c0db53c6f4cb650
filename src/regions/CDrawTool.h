#pragma once
// The process-wide drawing tools: the colour palette (growable), the cached pen and brush, the
// font cache and the ten 8x8 fill patterns. Pens, brushes and fonts are handed out as values
// that the surface copies when they are selected, so replacing a cached object can never
// invalidate something a surface still uses.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace vtg {

// A pen as the plot asks for it (palette colour, width, style 0..4) and the surface pen it
// realises.
class CDrawPen {
public:
    CDrawPen(int width, int style, Color colour, bool scaled, double scale);
    int Width = 1;
    int Style = 0;
    Color Colour = 0;
    bool Scaled = false;
    Pen SurfacePen;
};

// A brush: solid (pattern 0) or one of the ten fill patterns, possibly stretched.
class CDrawBrush {
public:
    CDrawBrush(int pattern, Color colour, bool scaled, double scale, bool printDevice);
    int Pattern = 0;
    Color Colour = 0;
    bool Scaled = false;
    Brush SurfaceBrush;
};

// A font of the cache. Style bits: 1 italic, 2 bold, 4 underline.
class CVTGFont {
public:
    std::string Face = "Tahoma";
    int Size = 10;          // points
    int Angle = 0;          // degrees, 0..359
    int Style = 0;
    int Created = 0;        // realised successfully
    // The surface font for a device of the given vertical resolution.
    Font Realize(int dpiY) const;
};

// A region's font set: entry 0 horizontal, entry 1 the same font rotated for vertical text,
// further entries for slanted text. The pointers refer into the tool's cache (not owned).
class CPlotFont {
public:
    int UseCount = 1;
    int Kind = 0;
    int SubKind = 0;
    std::array<CVTGFont*, 5> Fonts{};
    CVTGFont* Horizontal() const { return Fonts[0]; }
    CVTGFont* Vertical() const { return Fonts[1] ? Fonts[1] : Fonts[0]; }
};

class CDrawTool {
public:
    CDrawTool();
    ~CDrawTool();
    CDrawTool(const CDrawTool&) = delete;
    CDrawTool& operator=(const CDrawTool&) = delete;

    // The one instance the plots share.
    static CDrawTool& Instance();

    const CDrawPen& GetPen(int index, int width, int style);
    const CDrawPen& GetPenForColor(Color rgb, int width, int style);
    const CDrawBrush& GetBrush(int index, int pattern, bool printDevice = false);
    const CDrawBrush& GetBrushForColor(Color rgb, int pattern, bool printDevice = false);
    CVTGFont* GetFont(const std::string& name, int size, int angle, int style);
    CVTGFont* GetFontAdjusted(const CVTGFont* font, int dSize, int dAngle);
    CVTGFont* GetFontScaled(CVTGFont* font, double factor);
    Color PaletteColor(int index) const;
    // Index of the first palette entry with this RGB, appending it when there is none.
    int PaletteIndexOf(Color rgb);

    int PaletteSize = 18;
    std::vector<Color> Palette;
    std::vector<std::unique_ptr<CVTGFont>> FontList;
    std::unique_ptr<CDrawPen> CachedPen;
    std::unique_ptr<CDrawBrush> CachedBrush;
    int Scaled = 0;
    float Scale = 1.0f;
};

// The fill pattern k (1..10) as 8 rows, bit 7 leftmost, 1 = background.
const std::array<std::uint8_t, 8>& FillPattern(int k);

}  // namespace vtg
