#include "platform/FontEngine.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QRawFont>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/QtFont.h"

namespace vtg {

namespace {

// Heights beyond this are no text anyone reads (a 200 pt font at 1200 dpi is 3333 px) and only
// make the font engine build huge glyph caches.
constexpr int kMaxEmHeight = 4096;
// The caches hold one entry per face, size and style asked for. Print scales and host font
// sizes keep adding new ones, so they are emptied when they reach this size instead of growing
// without bound.
constexpr std::size_t kMaxCacheEntries = 256;

int ClampedHeight(int height) { return std::clamp(height, 1, kMaxEmHeight); }

struct FontKey {
    std::string face;
    int height;
    bool bold;
    bool italic;
    bool underline;
    int dpi;
    friend auto operator<=>(const FontKey&, const FontKey&) = default;
};

struct FontEntry {
    QFont font;
    TextMetrics metrics;
    std::unique_ptr<QImage> device;  // a 1x1 image at the dpi the font is measured for
};

int Rounded(double v) { return static_cast<int>(std::lround(v)); }

QFont MakeQFont(const Font& font) {
    QFont f(QString::fromStdString(font.face));
    f.setPixelSize(ClampedHeight(font.height));
    f.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    // GDI's TextOut places glyphs by their own advances; kerning would make Qt's text narrower
    // than the extents the layout was computed with.
    f.setKerning(false);
    return f;
}

// GDI reports a TrueType font's ascent and descent from the OS/2 table's Windows metrics, while
// Qt prefers the typographic ones; the plot's layout was designed with GDI's numbers (Tahoma
// 13 px: height 16, internal leading 3), so read the tables directly.
bool WindowsMetrics(const QFont& font, int em, TextMetrics& m) {
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray hhea = raw.fontTable("hhea");
    const double upm = raw.unitsPerEm();
    if (!raw.isValid() || os2.size() < 78 || hhea.size() < 10 || upm <= 0) return false;
    const auto u16 = [](const QByteArray& t, int at) { return qFromBigEndian<quint16>(t.constData() + at); };
    const auto s16 = [](const QByteArray& t, int at) { return qFromBigEndian<qint16>(t.constData() + at); };
    const int winAscent = u16(os2, 74);
    const int winDescent = u16(os2, 76);
    const int hheaAscent = s16(hhea, 4);
    const int hheaDescent = s16(hhea, 6);
    const int lineGap = s16(hhea, 8);
    if (winAscent + winDescent <= 0) return false;
    const double scale = em / upm;
    m.ascent = Rounded(winAscent * scale);
    m.descent = Rounded(winDescent * scale);
    // GDI's external leading: the part of the line gap the Windows metrics do not cover.
    const int gap = lineGap - ((winAscent + winDescent) - (hheaAscent - hheaDescent));
    m.externalLeading = std::max(0, Rounded(gap * scale));
    return true;
}

TextMetrics ComputeMetrics(const QFont& font, const QImage& device, int em) {
    const QFontMetricsF fm(font, &device);
    TextMetrics m;
    if (!WindowsMetrics(font, em, m)) {
        m.ascent = Rounded(fm.ascent());
        m.descent = Rounded(fm.descent());
        m.externalLeading = std::max(0, Rounded(fm.leading()));
    }
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(0, m.height - em);
    m.aveCharWidth = Rounded(fm.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyz")) / 26.0);
    m.maxCharWidth = static_cast<int>(std::ceil(fm.maxWidth()));
    return m;
}

std::map<FontKey, FontEntry>& Cache() {
    static std::map<FontKey, FontEntry> cache;
    return cache;
}

const FontEntry& Entry(const Font& font, int dpi) {
    if (dpi <= 0) dpi = 96;
    FontKey key{font.face, ClampedHeight(font.height), font.bold, font.italic, font.underline, dpi};
    auto& cache = Cache();
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    if (cache.size() >= kMaxCacheEntries) cache.clear();
    FontEntry entry;
    entry.font = MakeQFont(font);
    entry.device = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = Rounded(dpi / 0.0254);
    entry.device->setDotsPerMeterX(dotsPerMeter);
    entry.device->setDotsPerMeterY(dotsPerMeter);
    entry.metrics = ComputeMetrics(entry.font, *entry.device, key.height);
    return cache.emplace(std::move(key), std::move(entry)).first->second;
}

}  // namespace

TextMetrics FontEngine::Metrics(const Font& font, int dpi) { return Entry(font, dpi).metrics; }

Size FontEngine::TextExtent(const Font& font, int dpi, std::string_view text) {
    const FontEntry& e = Entry(font, dpi);
    if (text.empty()) return Size{0, e.metrics.height};
    const QFontMetricsF fm(e.font, e.device.get());
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return Size{Rounded(fm.horizontalAdvance(s)), e.metrics.height};
}

std::string FontEngine::ResolvedFamily(std::string_view face) {
    const QFont f(QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size())));
    return QFontInfo(f).family().toStdString();
}

bool FontEngine::IsFontFamilyAvailable(std::string_view face) {
    if (face.empty()) return false;
    static std::map<std::string, bool, std::less<>> known;
    if (auto it = known.find(face); it != known.end()) return it->second;
    if (known.size() >= kMaxCacheEntries) known.clear();
    const QString name = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
    // A name no font can have shows what fontconfig falls back to for unknown faces.
    static const std::string fallback = ResolvedFamily("vortiga-no-such-face-7f3e");
    const bool available = QFontDatabase::hasFamily(name) || ResolvedFamily(face) != fallback;
    known.emplace(std::string(face), available);
    return available;
}

QFont QtFontFor(const Font& font) { return Entry(font, 96).font; }

}  // namespace vtg
