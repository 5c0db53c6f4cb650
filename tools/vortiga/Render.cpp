#include "Render.h"

#include <stdexcept>

#include "ValueText.h"
#include "control/CVortigaCtrl.h"
#include "platform/HeadlessSite.h"
#include "platform/ImageSurface.h"
#include "platform/PdfDocument.h"

namespace vtg::shell {

namespace {

// PDF pages are laid out at screen resolution, so the plot's fonts and pens measure as they
// do in the window and the page is the picture's size in points scaled by 72/96.
constexpr int kPdfDpi = 96;

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
    if (s.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = s[s.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

constexpr int kMaxPaintPasses = 3;

void Fail(const std::string& path, const std::string& why) {
    throw std::runtime_error("cannot write " + path + ": " + why);
}

void RenderPng(CVortigaCtrl& ctrl, HeadlessSite& site, const std::string& path, std::optional<Size> size) {
    if (!size) {
        site.Invalidate();
        // The first paint hides scroll bars a scrolled live plot showed before it was ever
        // painted; the window's new size is then painted again.
        for (int pass = 0; pass < kMaxPaintPasses && site.Paint(); ++pass) {
        }
        if (!site.BackingImage().SavePng(path)) Fail(path, "the file could not be saved");
        return;
    }
    ImageSurface image(size->cx, size->cy);
    if (!image.IsValid()) Fail(path, "no bitmap of that size");
    const Rect bounds{0, 0, size->cx, size->cy};
    ctrl.OnDraw(image, bounds, bounds);
    site.Paint();
    if (!image.SavePng(path)) Fail(path, "the file could not be saved");
}

void RenderPdf(CVortigaCtrl& ctrl, HeadlessSite& site, const std::string& path, std::optional<Size> size) {
    const Size page = size.value_or(site.ClientSize());
    if (page.cx <= 0 || page.cy <= 0) Fail(path, "the control has no size");
    PdfDocument doc(path, page, kPdfDpi);
    if (!doc.IsOpen()) Fail(path, "the document could not be created");
    const Rect bounds{0, 0, page.cx, page.cy};
    ctrl.OnDraw(doc.Page(), bounds, bounds);
    const bool written = doc.Finish();
    site.Paint();
    if (!written) Fail(path, "the document could not be completed");
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(std::string_view path) {
    if (EndsWithNoCase(path, ".png")) return PictureFormat::Png;
    if (EndsWithNoCase(path, ".pdf")) return PictureFormat::Pdf;
    return std::nullopt;
}

void RenderControl(CVortigaCtrl& ctrl, HeadlessSite& site, const std::string& path, std::optional<Size> size) {
    // The system would write to the name cut at the NUL.
    if (path.find('\0') != std::string::npos) Fail(QuoteString(path), "a file name cannot hold a NUL byte");
    const std::optional<PictureFormat> format = PictureFormatOf(path);
    if (!format) throw std::runtime_error("cannot tell the picture format of " + path + ": name it .png or .pdf");
    if (*format == PictureFormat::Png) {
        RenderPng(ctrl, site, path, size);
    } else {
        RenderPdf(ctrl, site, path, size);
    }
}

}  // namespace vtg::shell
