#include "regions/CDrawTool.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "platform/FontEngine.h"

namespace vtg {

namespace {

// Palette entries carry the palette-relative marker in the top byte; drawing ignores it.
constexpr Color kPaletteRelative = 0x02000000u;

constexpr std::array<Color, CDrawTool::kBasePaletteSize> kBasePalette = {
    Rgb(0, 0, 0),       Rgb(64, 64, 192),   Rgb(0, 128, 0),     Rgb(255, 64, 128),
    Rgb(192, 64, 192),  Rgb(128, 128, 128), Rgb(32, 160, 160),  Rgb(192, 192, 192),
    Rgb(192, 192, 0),   Rgb(0, 0, 255),     Rgb(0, 255, 0),     Rgb(255, 0, 0),
    Rgb(255, 0, 255),   Rgb(224, 224, 224), Rgb(0, 255, 255),   Rgb(255, 255, 0),
    Rgb(255, 255, 255), Rgb(255, 128, 0),
};

using PatternRows = std::array<std::uint8_t, 8>;

constexpr std::array<PatternRows, 10> kFillPatterns = {{
    {0xEE, 0xDD, 0xBB, 0x77, 0xEE, 0xDD, 0xBB, 0x77},
    {0xEE, 0xEE, 0xEE, 0x00, 0xEE, 0xEE, 0xEE, 0x00},
    {0x77, 0xAA, 0xDD, 0xAA, 0x77, 0xAA, 0xDD, 0xAA},
    {0x77, 0xBB, 0xDD, 0xEE, 0x77, 0xBB, 0xDD, 0xEE},
    {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF},
    {0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99},
    {0xFF, 0xEE, 0xFF, 0xFF, 0xFF, 0xEE, 0xFF, 0xFF},
    {0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE},
    {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55},
    {0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00},
}};

// All bits foreground: what a solid brush of the foreground colour shows.
constexpr PatternRows kSolidRows{};

// Dash patterns (on, off, ...) of styles 1..4 in units of the pen's dash unit.
const std::vector<int>& BaseDashes(int style) {
    static const std::array<std::vector<int>, 4> dashes = {{
        {8, 4},
        {3, 3},
        {6, 2, 2, 2},
        {6, 2, 2, 2, 2, 2},
    }};
    return dashes[static_cast<std::size_t>(style - 1)];
}

// Wider than any page at any printer resolution; keeps hostile widths from overflowing.
constexpr int kMaxPenWidth = 10000;
// Pattern bits never grow beyond this many pixels (the surface's own limit).
constexpr int kMaxPatternStretch = 64;
// Font heights stay within what the text engine can render.
constexpr int kMaxFontPixels = 32767;
// The resolution a device without a usable one is taken to have.
constexpr int kFallbackDpi = 96;

int ClampToInt(double v, int lo, int hi) {
    if (!(v >= lo)) return lo;
    if (v >= hi) return hi;
    return static_cast<int>(v);     // truncates toward zero
}

// Output scales that are not a positive finite number make no sense as a factor.
double SaneScale(double scale) { return std::isfinite(scale) && scale > 0 ? scale : 1.0; }

// Settings and automation hand over any int; only -1..4 are pen styles.
int SaneStyle(int style) { return style >= -1 && style <= 4 ? style : 0; }

Pen MakeSurfacePen(int width, int style, Color colour, bool scaled, double scale) {
    Pen pen;
    pen.color = RgbOnly(colour);
    style = SaneStyle(style);
    width = std::clamp(width, 0, kMaxPenWidth);
    if (style == -1) {
        pen.style = PenStyle::Null;
        pen.width = width;
        return pen;
    }
    pen.style = static_cast<PenStyle>(style);
    double unit = 0;
    if (scaled) {
        width = ClampToInt(width * scale, 0, kMaxPenWidth);
        unit = scale;
    } else if (width >= 2 && style >= 1) {
        unit = (width + 1) * 0.5;
    } else {
        pen.width = width;
        return pen;
    }
    pen.width = width;
    pen.geometric = true;
    if (style >= 1) {
        pen.flatCap = true;
        // A dash that truncates to nothing would turn the pattern into a solid line or into
        // nothing at all; one pixel is the shortest dash a device can show.
        for (int len : BaseDashes(style)) {
            pen.dashes.push_back(std::max(1, ClampToInt(len * unit, 0, INT_MAX)));
        }
    }
    return pen;
}

Brush MakeSurfaceBrush(int pattern, Color colour, bool scaled, double scale, bool printDevice) {
    Brush brush;
    brush.kind = BrushKind::Solid;
    brush.color = RgbOnly(colour);
    if (pattern < 1 || pattern > static_cast<int>(kFillPatterns.size())) return brush;
    brush.kind = BrushKind::Pattern;
    brush.bits = FillPattern(pattern);
    brush.dcColors = true;
    // Printers and preview pages show the 8x8 pattern at device size; other scaled output
    // (sized copies) stretches it so that it looks as it does on screen. The pattern can
    // only grow by whole pixels, so the stretch is the nearest whole factor.
    if (scaled && !printDevice && scale > 1) brush.stretch = ClampToInt(std::round(scale), 1, kMaxPatternStretch);
    return brush;
}

std::string Lowercase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int Distance(int a, int b) {
    return static_cast<int>(std::min<long long>(std::llabs(static_cast<long long>(a) - b), INT_MAX));
}

}  // namespace

// --- pens and brushes -------------------------------------------------------------------

CDrawPen::CDrawPen(int width, int style, Color colour, bool scaled, double scale)
    : Width(width), Style(style), Colour(colour), Scaled(scaled), Scale(SaneScale(scale)),
      SurfacePen(MakeSurfacePen(width, style, colour, scaled, Scale)) {}

bool CDrawPen::Matches(int width, int style, Color colour, bool scaled, double scale) const {
    return Width == width && Style == style && Colour == colour && Scaled == scaled &&
           (!scaled || Scale == SaneScale(scale));
}

CDrawBrush::CDrawBrush(int pattern, Color colour, bool scaled, double scale, bool printDevice)
    : Pattern(pattern), Colour(colour), Scaled(scaled), Scale(SaneScale(scale)), PrintDevice(printDevice),
      SurfaceBrush(MakeSurfaceBrush(pattern, colour, scaled, Scale, printDevice)) {}

bool CDrawBrush::Matches(int pattern, Color colour, bool scaled, double scale, bool printDevice) const {
    return Pattern == pattern && Colour == colour && Scaled == scaled && PrintDevice == printDevice &&
           (!scaled || Scale == SaneScale(scale));
}

// --- fonts ------------------------------------------------------------------------------

int NormalizeAngle(int degrees) { return ((degrees % 360) + 360) % 360; }

int CharSetForLocaleName(std::string_view localeName) {
    const std::string name = Lowercase(localeName);
    const std::size_t langEnd = name.find_first_of("_-.@");
    const std::string language = name.substr(0, langEnd);
    std::string region;
    if (langEnd != std::string::npos && (name[langEnd] == '_' || name[langEnd] == '-')) {
        region = name.substr(langEnd + 1, name.find_first_of(".@", langEnd + 1) - langEnd - 1);
    }
    if (language == "ja") return FontCharSet::ShiftJis;
    if (language == "ko") return FontCharSet::Hangul;
    if (language == "zh" && region == "cn") return FontCharSet::Gb2312;
    if (language == "ru") return FontCharSet::Russian;
    if (language == "en" && region == "us") return FontCharSet::Ansi;
    return FontCharSet::Default;
}

Font CVTGFont::Realize(int dpiY) const {
    Font font;
    font.face = RealizedFace.empty() ? Face : RealizedFace;
    const double dpi = dpiY > 0 ? dpiY : kFallbackDpi;
    // Tenths of a point to pixels, rounded like the device's own conversion.
    const double pixels = std::round(Size * 10.0 * dpi / 720.0);
    font.height = ClampToInt(pixels, 1, kMaxFontPixels);
    font.angle = NormalizeAngle(Angle) * 10;
    font.italic = (Style & 1) != 0;
    font.bold = (Style & 2) != 0;
    font.underline = (Style & 4) != 0;
    return font;
}

CVTGFont* CPlotFont::Slanted(int entry) const {
    if (entry >= 0 && entry < static_cast<int>(Fonts.size()) && Fonts[static_cast<std::size_t>(entry)]) {
        return Fonts[static_cast<std::size_t>(entry)];
    }
    return Fonts[0];
}

// --- the tool ---------------------------------------------------------------------------

CDrawTool::CDrawTool() {
    Palette.reserve(kMaxPaletteSize);
    for (Color c : kBasePalette) Palette.push_back(kPaletteRelative | c);
    PaletteSize = static_cast<int>(Palette.size());
    const char* locale = std::setlocale(LC_CTYPE, nullptr);
    CharSet = CharSetForLocaleName(locale ? locale : "");
    // The default font is the fallback face itself, so it is realised without asking the font
    // system; a tool can then be made before the application's font system is up.
    auto font = std::make_unique<CVTGFont>();
    font->RealizedFace = font->Face;
    font->Created = 1;
    font->CharSet = CharSet;
    fontIndex_.emplace(FontKey{font->Face, font->Size, font->Angle, font->Style}, font.get());
    FontList.push_back(std::move(font));
}

CDrawTool::~CDrawTool() = default;

CDrawTool& CDrawTool::Instance() {
    static CDrawTool tool;
    return tool;
}

Color CDrawTool::PaletteColor(int index) const {
    if (index < 0 || index >= static_cast<int>(Palette.size())) return Palette[0];
    return Palette[static_cast<std::size_t>(index)];
}

int CDrawTool::PaletteIndexOf(Color rgb) {
    rgb = RgbOnly(rgb);
    for (std::size_t i = 0; i < Palette.size(); ++i) {
        if (RgbOnly(Palette[i]) == rgb) return static_cast<int>(i);
    }
    if (static_cast<int>(Palette.size()) < kMaxPaletteSize) {
        Palette.push_back(kPaletteRelative | rgb);
        PaletteSize = static_cast<int>(Palette.size());
        return PaletteSize - 1;
    }
    const int index = nextReusedEntry_;
    Palette[static_cast<std::size_t>(index)] = kPaletteRelative | rgb;
    nextReusedEntry_ = index + 1 < kMaxPaletteSize ? index + 1 : kBasePaletteSize;
    return index;
}

const CDrawPen& CDrawTool::GetPen(int index, int width, int style) {
    return GetPen(index, width, style, Scaled != 0, Scale);
}

const CDrawPen& CDrawTool::GetPenForColor(Color rgb, int width, int style) {
    return GetPenForColor(rgb, width, style, Scaled != 0, Scale);
}

const CDrawBrush& CDrawTool::GetBrush(int index, int pattern, bool printDevice) {
    return GetBrush(index, pattern, printDevice, Scaled != 0, Scale);
}

const CDrawBrush& CDrawTool::GetBrushForColor(Color rgb, int pattern, bool printDevice) {
    return GetBrushForColor(rgb, pattern, printDevice, Scaled != 0, Scale);
}

const CDrawPen& CDrawTool::GetPen(int index, int width, int style, bool scaled, double scale) {
    const Color colour = PaletteColor(index);
    if (!CachedPen || !CachedPen->Matches(width, style, colour, scaled, scale)) {
        CachedPen.reset();
        CachedPen = std::make_unique<CDrawPen>(width, style, colour, scaled, scale);
    }
    return *CachedPen;
}

const CDrawPen& CDrawTool::GetPenForColor(Color rgb, int width, int style, bool scaled, double scale) {
    return GetPen(PaletteIndexOf(rgb), width, style, scaled, scale);
}

const CDrawBrush& CDrawTool::GetBrush(int index, int pattern, bool printDevice, bool scaled, double scale) {
    const Color colour = PaletteColor(index);
    if (!CachedBrush || !CachedBrush->Matches(pattern, colour, scaled, scale, printDevice)) {
        CachedBrush.reset();
        CachedBrush = std::make_unique<CDrawBrush>(pattern, colour, scaled, scale, printDevice);
    }
    return *CachedBrush;
}

const CDrawBrush& CDrawTool::GetBrushForColor(Color rgb, int pattern, bool printDevice, bool scaled, double scale) {
    return GetBrush(PaletteIndexOf(rgb), pattern, printDevice, scaled, scale);
}

bool CDrawTool::IsFaceAvailable(const std::string& face) const {
    return FaceAvailable ? FaceAvailable(face) : FontEngine::IsFontFamilyAvailable(face);
}

CVTGFont* CDrawTool::AddFont(const std::string& name, int size, int angle, int style) {
    auto font = std::make_unique<CVTGFont>();
    font->Face = name;
    font->Size = size;
    font->Angle = angle;
    font->Style = style;
    font->CharSet = CharSet;
    // An unknown face is realised as Tahoma; when even that is missing the font stays
    // unrealised and the surface picks whatever the system offers.
    font->RealizedFace = name;
    if (IsFaceAvailable(name)) {
        font->Created = 1;
    } else {
        font->RealizedFace = "Tahoma";
        font->Created = IsFaceAvailable(font->RealizedFace) ? 1 : 0;
    }
    CVTGFont* raw = font.get();
    FontList.push_back(std::move(font));
    fontIndex_.emplace(FontKey{name, size, angle, style}, raw);
    return raw;
}

CVTGFont* CDrawTool::ClosestFont(const std::string& name, int size, int angle, int style) const {
    // Direction matters most (rotated captions must stay rotated), then face and style, then
    // the size difference.
    auto cost = [&](const CVTGFont& f) {
        return std::make_tuple(f.Angle != angle, f.Face != name, f.Style != style, Distance(f.Size, size));
    };
    CVTGFont* best = FontList.front().get();
    for (const auto& f : FontList) {
        if (cost(*f) < cost(*best)) best = f.get();
    }
    return best;
}

CVTGFont* CDrawTool::GetFont(const std::string& name, int size, int angle, int style) {
    angle = NormalizeAngle(angle);
    if (auto it = fontIndex_.find(FontKey{name, size, angle, style}); it != fontIndex_.end()) return it->second;
    if (static_cast<int>(FontList.size()) >= kMaxFonts) return ClosestFont(name, size, angle, style);
    return AddFont(name, size, angle, style);
}

CVTGFont* CDrawTool::GetFontAdjusted(const CVTGFont* font, int dSize, int dAngle) {
    if (!font) font = DefaultFont();
    const long long size = std::clamp<long long>(static_cast<long long>(font->Size) + dSize, 1, INT_MAX);
    const long long angle = (static_cast<long long>(font->Angle) + dAngle) % 360;
    return GetFont(font->Face, static_cast<int>(size), static_cast<int>(angle), font->Style);
}

CVTGFont* CDrawTool::GetFontScaled(const CVTGFont* font, double factor) {
    if (!font) font = DefaultFont();
    int size = font->Size;
    // A factor that is not a positive number has no sensible result; the size stays.
    if (std::isfinite(factor) && factor > 0) size = ClampToInt(font->Size * factor, INT_MIN, INT_MAX);
    // Looked up rather than returned as given: a cached font finds itself, and a font made
    // outside the cache gets its cached equal.
    return GetFont(font->Face, size, font->Angle, font->Style);
}

void CDrawTool::FillPlotFont(CPlotFont& set, const std::string& face, int size, int style, int kind, int subKind) {
    set.Kind = kind;
    set.SubKind = subKind;
    set.Fonts = {};
    set.Fonts[CPlotFont::kHorizontal] = GetFont(face, size, 0, style);
    set.Fonts[CPlotFont::kVertical] = GetFont(face, size, 90, style);
    if (subKind == CPlotFont::kTriangularSubKind) {
        set.Fonts[CPlotFont::kRisingSide] = GetFont(face, size, 60, style);
        set.Fonts[CPlotFont::kFallingSide] = GetFont(face, size, 300, style);
        set.Fonts[CPlotFont::kHypotenuse] = GetFont(face, size, 315, style);
    }
}

CPlotFont CDrawTool::MakePlotFont(const std::string& face, int size, int style, int kind, int subKind) {
    CPlotFont set;
    FillPlotFont(set, face, size, style, kind, subKind);
    return set;
}

const std::array<std::uint8_t, 8>& FillPattern(int k) {
    if (k < 1 || k > static_cast<int>(kFillPatterns.size())) return kSolidRows;
    return kFillPatterns[static_cast<std::size_t>(k - 1)];
}

}  // namespace vtg
