// The default face's bold: drawn from the free Tahoma's bold file, visibly heavier than the
// regular face at screen and print sizes, with that file's metrics; and the font-data patch
// behind it, on well-formed and hostile data.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QRawFont>
#include <QtEndian>

#include <functional>
#include <tuple>

#include "platform/BundledFonts.h"
#include "platform/FontEngine.h"
#include "platform/QtFont.h"
#include "SurfaceTestSupport.h"

namespace vtg {
namespace {

QByteArray Advances(const char* file) {
    QFile f(QString::fromLatin1(file));
    return f.open(QIODevice::ReadOnly) ? QRawFont(f.readAll(), 16).fontTable("hmtx") : QByteArray();
}

// The sum of every pixel's darkness, so anti-aliased edges count by how much of them is inked.
long InkMass(const Font& font) {
    const int side = font.height * 10 + 60;
    ImageSurface s(side, side);
    s.SelectFont(font);
    s.SetTextAlign(TextAlign::Baseline);
    s.TextOut({font.height * 3 / 2 + 10, side - 20}, "Reactor R-101");  // room for upright text's ascent
    long mass = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const Color c = s.GetPixel(x, y);
            mass += 765 - static_cast<long>((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF));
        }
    }
    return mass / 3;
}

TEST(FontBoldFace, TahomaBoldDrawsHeavierFromTheBoldFileWithItsMetrics) {
    const QByteArray regularAdvances = Advances("/usr/share/wine/fonts/tahoma.ttf");
    const QByteArray boldAdvances = Advances("/usr/share/wine/fonts/tahomabd.ttf");
    if (regularAdvances.isEmpty() || boldAdvances.isEmpty()) GTEST_SKIP() << "fonts-wine's Tahoma is not installed";
    struct Row {
        const char* use;
        int height, angle;
        bool italic;
        int regularAverage, boldAverage;  // the bold file's advances are wider
    };
    const Row rows[] = {
        {"axis caption", 13, 0, false, 6, 7},
        {"title", 16, 0, false, 8, 9},
        {"Y caption, upright", 16, 900, false, 8, 9},
        {"bold italic", 16, 0, true, 8, 9},
        {"title printed at 600 dpi", 100, 0, false, 49, 57},
        {"Y caption printed, bold italic", 100, 900, true, 49, 57},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.use);
        const Font regular("Tahoma", row.height, row.angle, false, row.italic);
        const Font bold("Tahoma", row.height, row.angle, true, row.italic);
        // Emboldened, bold carries about 1.5 times the regular ink; the bold file's own outlines
        // are the regular ones and drew no more ink than the regular face.
        EXPECT_GT(InkMass(bold) * 10, InkMass(regular) * 13);
        const QFontInfo info(QtFontFor(bold));
        EXPECT_EQ(info.family().toStdString() + " " + info.styleName().toStdString(), "Tahoma Bold");
        EXPECT_EQ(info.italic(), row.italic);
        EXPECT_EQ(QRawFont::fromFont(QtFontFor(bold)).fontTable("hmtx"), boldAdvances) << "not the bold file";
        EXPECT_EQ(QRawFont::fromFont(QtFontFor(regular)).fontTable("hmtx"), regularAdvances);

        const TextMetrics r = FontEngine::Metrics(regular, 96);
        const TextMetrics b = FontEngine::Metrics(bold, 96);
        EXPECT_EQ(std::tie(b.ascent, b.descent, b.internalLeading), std::tie(r.ascent, r.descent, r.internalLeading));
        EXPECT_EQ(r.aveCharWidth, row.regularAverage);
        EXPECT_EQ(b.aveCharWidth, row.boldAverage);
    }
}

// A single sfnt with an OS/2 table (at 44) saying weight 700, bold and italic, and a head table
// (at 140) whose macStyle says bold and italic.
QByteArray BoldItalicFace() {
    QByteArray d(196, '\0');
    const auto put16 = [&](qsizetype at, quint16 v) { qToBigEndian<quint16>(v, d.data() + at); };
    const auto put32 = [&](qsizetype at, quint32 v) { qToBigEndian<quint32>(v, d.data() + at); };
    put32(0, 0x00010000);
    put16(4, 2);
    d.replace(12, 4, "OS/2");
    put32(20, 44);
    put32(24, 96);
    d.replace(28, 4, "head");
    put32(36, 140);
    put32(40, 54);
    put16(44 + 4, 700);
    put16(44 + 62, 0x0021);
    put16(140 + 44, 0x0003);
    return d;
}

TEST(FontBoldFace, WithoutBoldMarksPatchesOnlyAWholeSingleFont) {
    const auto put16 = [](QByteArray& d, qsizetype at, quint16 v) { qToBigEndian<quint16>(v, d.data() + at); };
    const auto put32 = [](QByteArray& d, qsizetype at, quint32 v) { qToBigEndian<quint32>(v, d.data() + at); };
    const std::pair<const char*, std::function<void(QByteArray&)>> refused[] = {
        {"no data", [](QByteArray& d) { d.clear(); }},
        {"a cut header", [](QByteArray& d) { d.truncate(11); }},
        {"a font collection", [](QByteArray& d) { d.replace(0, 4, "ttcf"); }},
        {"more tables than records", [&](QByteArray& d) { put16(d, 4, 0xFFFF); d.replace(28, 4, "xxxx"); }},
        {"OS/2 past the end", [&](QByteArray& d) { put32(d, 20, 196); }},
        {"offset and length wrapping", [&](QByteArray& d) { put32(d, 20, 0xFFFFFFF0u); put32(d, 24, 0x20); }},
        {"OS/2 too short for fsSelection", [&](QByteArray& d) { put32(d, 24, 62); }},
        {"head too short for macStyle", [&](QByteArray& d) { put32(d, 40, 44); }},
        {"no head table", [](QByteArray& d) { d.replace(28, 4, "hhea"); }},
    };
    for (const auto& [what, spoil] : refused) {
        SCOPED_TRACE(what);
        QByteArray data = BoldItalicFace();
        spoil(data);
        EXPECT_FALSE(bundled_fonts::WithoutBoldMarks(data, 600).has_value());
    }
    const auto patched = bundled_fonts::WithoutBoldMarks(BoldItalicFace(), 600);
    ASSERT_TRUE(patched.has_value());
    const auto at16 = [&](qsizetype at) { return qFromBigEndian<quint16>(patched->constData() + at); };
    EXPECT_EQ(at16(44 + 4), 600);
    EXPECT_EQ(at16(44 + 62), 0x0001) << "italic stays";
    EXPECT_EQ(at16(140 + 44), 0x0002) << "italic stays";
    quint32 sum = 0;
    for (qsizetype at = 0; at < patched->size(); at += 4) sum += qFromBigEndian<quint32>(patched->constData() + at);
    EXPECT_EQ(sum, 0xB1B0AFBAu) << "the whole-file checksum stays right";
}

}  // namespace
}  // namespace vtg
