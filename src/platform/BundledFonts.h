#pragma once
// Platform-internal: registering the free Tahoma-metric faces (Debian's fonts-wine) with the
// toolkit.
//
// That package's bold file has bold advances and bold bitmap strikes, but its outlines are the
// regular file's, glyph for glyph. Anti-aliased, rotated and printed text is drawn from
// outlines, so a bold request that the toolkit correctly matched to the bold file still came
// out as light as the regular face (and, both faces being Vera-derived, looked like DejaVu Sans
// Book). Such a bold file is registered under the same family with a weight just below bold:
// the toolkit still picks it for bold requests, and because it no longer claims to be bold its
// font engine emboldens the outlines. Advances, vertical metrics, tables and names all stay
// the bold file's own, so measurement does not change; only the ink does.

#include <QByteArray>
#include <QString>

#include <optional>

namespace vtg::bundled_fonts {

// The weight class a light-outlined bold face is registered with: the nearest face to a bold
// (700) request when the regular one is 400, and below the 700 at which the font engine
// stops emboldening.
constexpr int kLightBoldWeightClass = 600;

// Registers a regular face and its bold companion from their files; either may be missing.
// A bold file whose outlines are the regular file's is registered as described above.
// Returns true when the bold face was registered that way.
bool RegisterFacePair(const QString& regularPath, const QString& boldPath);

// The font data with the marks that declare it bold replaced: the OS/2 weight class set to
// weightClass, the OS/2 fsSelection BOLD bit and the head macStyle bold bit cleared. Nothing
// when the data is not a single sfnt whose table directory, OS/2 and head tables lie inside
// it (a collection, a truncated file or offsets past its end).
std::optional<QByteArray> WithoutBoldMarks(QByteArray sfnt, int weightClass);

// True when both fonts load and draw a sample of Latin letters and digits with identical
// outlines.
bool SameOutlines(const QByteArray& a, const QByteArray& b);

}  // namespace vtg::bundled_fonts
