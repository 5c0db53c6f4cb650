#include "platform/BundledFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QPainterPath>
#include <QRawFont>
#include <QtEndian>

#include <cstring>

namespace vtg::bundled_fonts {

namespace {

// sfnt versions of a single font: TrueType outlines (1.0 or 'true') and CFF outlines ('OTTO').
// A collection ('ttcf') has another header and is not patched.
constexpr quint32 kTrueTypeVersion = 0x00010000;
constexpr quint32 kAppleTrueTypeVersion = 0x74727565;
constexpr quint32 kCffVersion = 0x4F54544F;
constexpr qsizetype kDirectoryHeader = 12;
constexpr qsizetype kTableRecord = 16;

// Field offsets inside the tables, from the OpenType layout of OS/2 and head.
constexpr qsizetype kOs2WeightClass = 4;
constexpr qsizetype kOs2FsSelection = 62;
constexpr quint16 kFsSelectionBold = 1u << 5;
constexpr qsizetype kHeadChecksumAdjustment = 8;
constexpr qsizetype kHeadMacStyle = 44;
constexpr quint16 kMacStyleBold = 1u << 0;
constexpr quint32 kChecksumMagic = 0xB1B0AFBA;

struct TableSpan {
    qsizetype record;   // where the table's directory record starts
    qsizetype offset;
    qsizetype length;
};

quint16 Get16(const QByteArray& d, qsizetype at) { return qFromBigEndian<quint16>(d.constData() + at); }
quint32 Get32(const QByteArray& d, qsizetype at) { return qFromBigEndian<quint32>(d.constData() + at); }
void Put16(QByteArray& d, qsizetype at, quint16 v) { qToBigEndian<quint16>(v, d.data() + at); }
void Put32(QByteArray& d, qsizetype at, quint32 v) { qToBigEndian<quint32>(v, d.data() + at); }

bool IsSingleSfnt(const QByteArray& d) {
    if (d.size() < kDirectoryHeader) return false;
    const quint32 version = Get32(d, 0);
    return version == kTrueTypeVersion || version == kAppleTrueTypeVersion || version == kCffVersion;
}

std::optional<TableSpan> FindTable(const QByteArray& d, const char* tag) {
    const int count = Get16(d, 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype record = kDirectoryHeader + kTableRecord * i;
        if (record + kTableRecord > d.size()) return std::nullopt;
        if (std::memcmp(d.constData() + record, tag, 4) != 0) continue;
        const quint64 offset = Get32(d, record + 8);
        const quint64 length = Get32(d, record + 12);
        if (offset + length > static_cast<quint64>(d.size())) return std::nullopt;
        return TableSpan{record, static_cast<qsizetype>(offset), static_cast<qsizetype>(length)};
    }
    return std::nullopt;
}

// The sfnt checksum: the sum of big-endian 32-bit words, the last one padded with zeros.
quint32 Checksum(const QByteArray& d, qsizetype offset, qsizetype length) {
    quint32 sum = 0;
    for (qsizetype at = offset; at < offset + length; at += 4) {
        quint32 word = 0;
        for (qsizetype k = 0; k < 4; ++k) {
            const qsizetype i = at + k;
            word = (word << 8) | (i < offset + length ? static_cast<quint8>(d[i]) : 0u);
        }
        sum += word;
    }
    return sum;
}

// Keeps the patched data a well-formed font for any reader that checks: the two tables'
// checksums and the whole-file adjustment in head (computed with the adjustment itself zero).
void UpdateChecksums(QByteArray& d, const TableSpan& os2, const TableSpan& head) {
    Put32(d, head.offset + kHeadChecksumAdjustment, 0);
    Put32(d, os2.record + 4, Checksum(d, os2.offset, os2.length));
    Put32(d, head.record + 4, Checksum(d, head.offset, head.length));
    Put32(d, head.offset + kHeadChecksumAdjustment, kChecksumMagic - Checksum(d, 0, d.size()));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// The font engine emboldens only text below 64 pixels unless this is set; printed and
// high-resolution titles are larger than that and must be as bold as on screen. A value the
// host set itself is left alone.
void LiftEmboldeningSizeLimit() {
    constexpr const char* kName = "QT_NO_SYNTHESIZED_BOLD_LIMIT";
    if (!qEnvironmentVariableIsSet(kName)) qputenv(kName, "1");
}

}  // namespace

std::optional<QByteArray> WithoutBoldMarks(QByteArray sfnt, int weightClass) {
    if (!IsSingleSfnt(sfnt)) return std::nullopt;
    const auto os2 = FindTable(sfnt, "OS/2");
    const auto head = FindTable(sfnt, "head");
    if (!os2 || !head || os2->length < kOs2FsSelection + 2 || head->length < kHeadMacStyle + 2) return std::nullopt;
    Put16(sfnt, os2->offset + kOs2WeightClass, static_cast<quint16>(weightClass));
    Put16(sfnt, os2->offset + kOs2FsSelection, Get16(sfnt, os2->offset + kOs2FsSelection) & ~kFsSelectionBold);
    Put16(sfnt, head->offset + kHeadMacStyle, Get16(sfnt, head->offset + kHeadMacStyle) & ~kMacStyleBold);
    UpdateChecksums(sfnt, *os2, *head);
    return sfnt;
}

bool SameOutlines(const QByteArray& a, const QByteArray& b) {
    // Large enough that a heavier stem moves the path's points by whole units.
    constexpr qreal kPixelSize = 64;
    const QRawFont fa(a, kPixelSize);
    const QRawFont fb(b, kPixelSize);
    if (!fa.isValid() || !fb.isValid()) return false;
    const QString sample = QStringLiteral("HOaegl08");
    const QList<quint32> ga = fa.glyphIndexesForString(sample);
    const QList<quint32> gb = fb.glyphIndexesForString(sample);
    if (ga.size() != sample.size() || gb.size() != sample.size()) return false;
    for (qsizetype i = 0; i < ga.size(); ++i) {
        if (ga[i] == 0 || gb[i] == 0) return false;
        if (fa.pathForGlyph(ga[i]) != fb.pathForGlyph(gb[i])) return false;
    }
    return true;
}

bool RegisterFacePair(const QString& regularPath, const QString& boldPath) {
    const bool haveRegular = QFile::exists(regularPath);
    if (haveRegular) QFontDatabase::addApplicationFont(regularPath);
    if (!QFile::exists(boldPath)) return false;
    const QByteArray bold = ReadFile(boldPath);
    if (haveRegular && SameOutlines(ReadFile(regularPath), bold)) {
        const auto light = WithoutBoldMarks(bold, kLightBoldWeightClass);
        if (light && QFontDatabase::addApplicationFontFromData(*light) >= 0) {
            LiftEmboldeningSizeLimit();
            return true;
        }
    }
    QFontDatabase::addApplicationFont(boldPath);
    return false;
}

}  // namespace vtg::bundled_fonts
