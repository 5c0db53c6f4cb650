#pragma once
// Clipboard and drag-and-drop data: a data object of named formats, and clipboards that hold
// one. Formats are kept under MIME types; the application's own format names map onto MIME
// types of our own so that data survives a trip through the desktop clipboard.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vtg {

class ImageSurface;

// The application's format names.
inline constexpr std::string_view kFormatVortigaControl = "Vortiga Control";
inline constexpr std::string_view kFormatKsx = "KSX Format";
inline constexpr std::string_view kFormatVariablePath = "Meridian Variable Path Format";
inline constexpr std::string_view kFormatObjectDescriptor = "Object Descriptor";

// Standard MIME types: UTF-8 text, file lists, pictures.
inline constexpr std::string_view kMimeText = "text/plain";
inline constexpr std::string_view kMimeUriList = "text/uri-list";
inline constexpr std::string_view kMimePng = "image/png";

// The MIME type a format name is kept under: the application's names map to their own types,
// "CF_TEXT" and "CF_HDROP" to text and file lists; anything else is taken as a MIME type.
std::string MimeTypeForFormat(std::string_view format);
// The application's name for a MIME type, or the MIME type itself.
std::string FormatForMimeType(std::string_view mime);

using Bytes = std::vector<std::uint8_t>;

class DataObject {
public:
    // Replaces the data of a format (a name or a MIME type).
    void SetData(std::string_view format, Bytes data);
    void SetData(std::string_view format, std::string_view data);
    std::optional<Bytes> GetData(std::string_view format) const;
    bool HasFormat(std::string_view format) const;
    // MIME types in the order they were first set (the order of preference).
    std::vector<std::string> Formats() const;
    bool IsEmpty() const { return entries_.empty(); }
    void Clear() { entries_.clear(); }

    void SetText(std::string_view utf8);
    std::optional<std::string> GetText() const;
    // Absolute local paths, kept as a file: URI list.
    void SetFiles(const std::vector<std::string>& paths);
    // The local paths of the list; entries that are not local files are skipped.
    std::vector<std::string> GetFiles() const;
    // The picture as PNG. Returns false when it could not be encoded.
    bool SetPicture(const ImageSurface& image);

private:
    std::vector<std::pair<std::string, Bytes>> entries_;
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual void SetDataObject(const DataObject& data) = 0;
    // A copy of what the clipboard holds (empty when nothing).
    virtual DataObject GetDataObject() const = 0;
    virtual bool HasFormat(std::string_view format) const = 0;
    virtual void Clear() = 0;
};

// A clipboard local to the process: the headless default.
class InProcessClipboard : public IClipboard {
public:
    void SetDataObject(const DataObject& data) override { data_ = data; }
    DataObject GetDataObject() const override { return data_; }
    bool HasFormat(std::string_view format) const override { return data_.HasFormat(format); }
    void Clear() override { data_.Clear(); }

private:
    DataObject data_;
};

// The desktop clipboard. Reading takes the formats this application knows (its own, text,
// file lists and PNG pictures); on the offscreen platform it works within the process.
class QtClipboard : public IClipboard {
public:
    void SetDataObject(const DataObject& data) override;
    DataObject GetDataObject() const override;
    bool HasFormat(std::string_view format) const override;
    void Clear() override;
};

}  // namespace vtg
