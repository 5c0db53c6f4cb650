#include "platform/Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/ImageSurface.h"
#include "platform/MimeData.h"

namespace vtg {

namespace {

struct FormatMime {
    std::string_view format;
    std::string_view mime;
};

constexpr std::array<FormatMime, 6> kFormatMimes{{
    {kFormatVortigaControl, "application/x-vortiga-control"},
    {kFormatKsx, "application/x-vortiga-ksx"},
    {kFormatVariablePath, "application/x-vortiga-variable-path"},
    {kFormatObjectDescriptor, "application/x-vortiga-object-descriptor"},
    {"CF_TEXT", kMimeText},
    {"CF_HDROP", kMimeUriList},
}};

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) { return Lower(a) == Lower(b); }

Bytes ToBytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

QByteArray ToQt(const Bytes& b) {
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

Bytes FromQt(const QByteArray& a) { return Bytes(a.begin(), a.end()); }

QClipboard* DesktopClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

// The MIME types read back from the desktop clipboard, most specific first.
std::vector<std::string> KnownMimeTypes() {
    std::vector<std::string> out;
    for (const auto& fm : kFormatMimes) {
        if (std::find(out.begin(), out.end(), fm.mime) == out.end()) out.emplace_back(fm.mime);
    }
    out.emplace_back(kMimePng);
    return out;
}

}  // namespace

std::string MimeTypeForFormat(std::string_view format) {
    for (const auto& fm : kFormatMimes) {
        if (EqualNoCase(format, fm.format)) return std::string(fm.mime);
    }
    return Lower(format);
}

std::string FormatForMimeType(std::string_view mime) {
    for (const auto& fm : kFormatMimes) {
        // Only the application's own names: the standard types are their own names.
        if (fm.format.starts_with("CF_")) continue;
        if (EqualNoCase(mime, fm.mime)) return std::string(fm.format);
    }
    return std::string(mime);
}

void DataObject::SetData(std::string_view format, Bytes data) {
    const auto mime = MimeTypeForFormat(format);
    for (auto& [key, value] : entries_) {
        if (key == mime) {
            value = std::move(data);
            return;
        }
    }
    entries_.emplace_back(mime, std::move(data));
}

void DataObject::SetData(std::string_view format, std::string_view data) { SetData(format, ToBytes(data)); }

std::optional<Bytes> DataObject::GetData(std::string_view format) const {
    const auto mime = MimeTypeForFormat(format);
    for (const auto& [key, value] : entries_) {
        if (key == mime) return value;
    }
    return std::nullopt;
}

bool DataObject::HasFormat(std::string_view format) const {
    const auto mime = MimeTypeForFormat(format);
    return std::any_of(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == mime; });
}

std::vector<std::string> DataObject::Formats() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_) out.push_back(e.first);
    return out;
}

void DataObject::SetText(std::string_view utf8) { SetData(kMimeText, utf8); }

std::optional<std::string> DataObject::GetText() const {
    const auto data = GetData(kMimeText);
    if (!data) return std::nullopt;
    return std::string(data->begin(), data->end());
}

void DataObject::SetFiles(const std::vector<std::string>& paths) {
    // text/uri-list separates its entries with CR LF.
    std::string list;
    for (const auto& p : paths) {
        list += QUrl::fromLocalFile(QString::fromStdString(p)).toEncoded().toStdString();
        list += "\r\n";
    }
    SetData(kMimeUriList, list);
}

std::vector<std::string> DataObject::GetFiles() const {
    std::vector<std::string> out;
    const auto data = GetData(kMimeUriList);
    if (!data) return out;
    for (const auto& line : ToQt(*data).split('\n')) {
        const QByteArray entry = line.trimmed();
        if (entry.isEmpty() || entry.startsWith('#')) continue;
        const QUrl url = QUrl::fromEncoded(entry);
        if (url.isValid() && url.isLocalFile()) out.push_back(url.toLocalFile().toStdString());
    }
    return out;
}

bool DataObject::SetPicture(const ImageSurface& image) {
    const auto* img = static_cast<const QImage*>(image.NativeImage());
    if (img == nullptr || img->isNull()) return false;
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !img->save(&buffer, "PNG")) return false;
    SetData(kMimePng, FromQt(png));
    return true;
}

DataObject ToDataObject(const QMimeData& mime) {
    DataObject out;
    for (const auto& type : KnownMimeTypes()) {
        const QString qtType = QString::fromStdString(type);
        if (mime.hasFormat(qtType)) out.SetData(type, FromQt(mime.data(qtType)));
    }
    // Other applications may offer text only under a charset-qualified type.
    if (!out.HasFormat(kMimeText) && mime.hasText()) out.SetText(mime.text().toStdString());
    return out;
}

std::unique_ptr<QMimeData> ToMimeData(const DataObject& data) {
    auto mime = std::make_unique<QMimeData>();
    for (const auto& format : data.Formats()) {
        mime->setData(QString::fromStdString(format), ToQt(*data.GetData(format)));
    }
    return mime;
}

void QtClipboard::SetDataObject(const DataObject& data) {
    if (QClipboard* clipboard = DesktopClipboard()) clipboard->setMimeData(ToMimeData(data).release());
}

DataObject QtClipboard::GetDataObject() const {
    QClipboard* clipboard = DesktopClipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    return mime ? ToDataObject(*mime) : DataObject{};
}

bool QtClipboard::HasFormat(std::string_view format) const {
    QClipboard* clipboard = DesktopClipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    if (mime == nullptr) return false;
    const auto type = MimeTypeForFormat(format);
    if (type == kMimeText && mime->hasText()) return true;
    return mime->hasFormat(QString::fromStdString(type));
}

void QtClipboard::Clear() {
    if (QClipboard* clipboard = DesktopClipboard()) clipboard->clear();
}

}  // namespace vtg
