#pragma once
// The process-wide drawing tools: the colour palette (growable), the cached pen and brush, the
// font cache and the ten 8x8 fill patterns. Pens, brushes and fonts are handed out as values
// that the surface copies when they are selected, so replacing a cached object can never
// invalidate something a surface still uses.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace vtg {

// A pen as the plot asks for it (palette colour, width, style -1..4) and the surface pen it
// realises. Width and Style keep the values asked for; SurfacePen carries the device result.
// Style -1 is no line; any style outside -1..4 draws solid.
class CDrawPen {
public:
    CDrawPen(int width, int style, Color colour, bool scaled, double scale);
    bool Matches(int width, int style, Color colour, bool scaled, double scale) const;
    int Width = 1;
    int Style = 0;
    Color Colour = 0;
    bool Scaled = false;
    double Scale = 1.0;
    Pen SurfacePen;
};

// A brush: solid (pattern 0, negative or above 10) or one of the ten fill patterns, stretched
// for scaled output to a device that is not a printer or preview page. Pattern brushes take
// their foreground from the surface's text colour and their background from its background
// colour, so callers set the text colour to the fill colour.
class CDrawBrush {
public:
    CDrawBrush(int pattern, Color colour, bool scaled, double scale, bool printDevice);
    bool Matches(int pattern, Color colour, bool scaled, double scale, bool printDevice) const;
    int Pattern = 0;
    Color Colour = 0;
    bool Scaled = false;
    double Scale = 1.0;
    bool PrintDevice = false;
    Brush SurfaceBrush;
};

// Windows character-set numbers a font is realised with, chosen from the system language.
namespace FontCharSet {
constexpr int Ansi = 0;
constexpr int Default = 1;
constexpr int ShiftJis = 128;
constexpr int Hangul = 129;
constexpr int Gb2312 = 134;
constexpr int Russian = 204;
}  // namespace FontCharSet

// The character set for a POSIX locale name such as "ja_JP.UTF-8": Japanese, Korean,
// Simplified Chinese, Russian and US English have their own; anything else is Default.
int CharSetForLocaleName(std::string_view localeName);

// A font of the cache. Style bits: 1 italic, 2 bold, 4 underline.
class CVTGFont {
public:
    std::string Face = "Tahoma";    // as asked for; also what settings write back
    int Size = 10;          // points
    int Angle = 0;          // degrees, 0..359
    int Style = 0;
    int Created = 0;        // realised successfully
    std::string RealizedFace;       // the face drawn with: Face, or "Tahoma" when Face is unknown
    int CharSet = FontCharSet::Default;
    // The surface font for a device of the given vertical resolution: the point size converted
    // from tenths of a point to pixels (10 pt at 96 dpi is 13 px).
    Font Realize(int dpiY) const;
};

// A region's font set: entry 0 horizontal, entry 1 the same font rotated for vertical text,
// further entries for slanted text. The pointers refer into the tool's cache (not owned).
// Sub-kind 5 (triangular plots) also fills the slanted entries below.
class CPlotFont {
public:
    static constexpr int kHorizontal = 0;
    static constexpr int kVertical = 1;          // 90 degrees, reading upwards
    static constexpr int kRisingSide = 2;        // 60 degrees: the left side of the equilateral triangle
    static constexpr int kFallingSide = 3;       // 300 degrees: its right side
    static constexpr int kHypotenuse = 4;        // 315 degrees: the long side of the right-angled triangle
    static constexpr int kTriangularSubKind = 5;

    int UseCount = 1;
    int Kind = 0;
    int SubKind = 0;
    std::array<CVTGFont*, 5> Fonts{};
    CVTGFont* Horizontal() const { return Fonts[0]; }
    CVTGFont* Vertical() const { return Fonts[1] ? Fonts[1] : Fonts[0]; }
    // A slanted entry, or the horizontal font when the set has none.
    CVTGFont* Slanted(int entry) const;
};

class CDrawTool {
public:
    static constexpr int kBasePaletteSize = 18;
    // Colours asked for by value are appended up to this size; beyond it the oldest appended
    // entry is overwritten. Indices beyond 17 are only used between a lookup and the pen or
    // brush made from it, so reusing one never changes a colour somebody keeps.
    static constexpr int kMaxPaletteSize = 256;
    // Fonts are never deleted while the tool lives (regions, annotations and objects keep
    // plain pointers to them). Beyond this many distinct fonts a new request is answered with
    // the closest cached font instead of growing further.
    static constexpr int kMaxFonts = 1024;

    CDrawTool();
    ~CDrawTool();
    CDrawTool(const CDrawTool&) = delete;
    CDrawTool& operator=(const CDrawTool&) = delete;

    // The one instance the plots share.
    static CDrawTool& Instance();

    // Pens and brushes for this tool's own Scaled/Scale setting.
    const CDrawPen& GetPen(int index, int width, int style);
    const CDrawPen& GetPenForColor(Color rgb, int width, int style);
    const CDrawBrush& GetBrush(int index, int pattern, bool printDevice = false);
    const CDrawBrush& GetBrushForColor(Color rgb, int pattern, bool printDevice = false);
    // The same for an explicit output scale (the drawing environment passes its own). The
    // returned object stays valid until a different pen (brush) is asked for.
    const CDrawPen& GetPen(int index, int width, int style, bool scaled, double scale);
    const CDrawPen& GetPenForColor(Color rgb, int width, int style, bool scaled, double scale);
    const CDrawBrush& GetBrush(int index, int pattern, bool printDevice, bool scaled, double scale);
    const CDrawBrush& GetBrushForColor(Color rgb, int pattern, bool printDevice, bool scaled, double scale);

    CVTGFont* GetFont(const std::string& name, int size, int angle, int style);
    CVTGFont* GetFontAdjusted(const CVTGFont* font, int dSize, int dAngle);
    // The cached font of size trunc(size * factor); the same cached font when the size stays.
    CVTGFont* GetFontScaled(const CVTGFont* font, double factor);
    // The font the tool starts with: Tahoma 10 pt, angle 0, plain.
    CVTGFont* DefaultFont() const { return FontList.front().get(); }

    // Fills a region's font set through the cache (see CPlotFont for the entries); the use
    // count is left alone. MakePlotFont returns a fresh set.
    void FillPlotFont(CPlotFont& set, const std::string& face, int size, int style, int kind, int subKind);
    CPlotFont MakePlotFont(const std::string& face, int size, int style, int kind, int subKind);

    // Entry 0 for an index beyond the palette or below zero.
    Color PaletteColor(int index) const;
    // Index of the first palette entry with this RGB, appending it when there is none.
    int PaletteIndexOf(Color rgb);

    int PaletteSize = kBasePaletteSize;
    std::vector<Color> Palette;
    std::vector<std::unique_ptr<CVTGFont>> FontList;
    std::unique_ptr<CDrawPen> CachedPen;
    std::unique_ptr<CDrawBrush> CachedBrush;
    int Scaled = 0;
    float Scale = 1.0f;
    int CharSet = FontCharSet::Default;
    // Tells whether a face can be realised; unset asks the font engine. Tests may replace it.
    std::function<bool(const std::string&)> FaceAvailable;

private:
    using FontKey = std::tuple<std::string, int, int, int>;
    CVTGFont* AddFont(const std::string& name, int size, int angle, int style);
    CVTGFont* ClosestFont(const std::string& name, int size, int angle, int style) const;
    bool IsFaceAvailable(const std::string& face) const;

    std::map<FontKey, CVTGFont*> fontIndex_;
    int nextReusedEntry_ = kBasePaletteSize;
};

// The fill pattern k (1..10) as 8 rows, bit 7 leftmost, 1 = background. Any other k gives
// all-foreground rows (what a solid brush shows).
const std::array<std::uint8_t, 8>& FillPattern(int k);

// Brings an angle in degrees into 0..359 (-90 becomes 270).
int NormalizeAngle(int degrees);

}  // namespace vtg
