#include "platform/TextCase.h"

#include <QString>
#include <algorithm>

namespace vtg {

namespace {

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Invalid sequences would all decode to U+FFFD and then match each other.
bool IsValidUtf8(std::string_view s) {
    const QString decoded = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    return decoded.toUtf8() == QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b)) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
    }
    if (!IsValidUtf8(a) || !IsValidUtf8(b)) return a == b;
    const QString qa = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
    const QString qb = QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size()));
    return qa.compare(qb, Qt::CaseInsensitive) == 0;
}

std::string FoldCase(std::string_view text) {
    if (IsAscii(text)) {
        std::string out(text);
        for (char& c : out) c = AsciiLower(c);
        return out;
    }
    // Folded valid text is valid UTF-8 again, so it never meets an invalid text kept as is.
    if (!IsValidUtf8(text)) return std::string(text);
    const QString folded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded();
    return folded.toStdString();
}

}  // namespace vtg
