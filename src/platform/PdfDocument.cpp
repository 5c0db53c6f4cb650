#include "platform/PdfDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/QtPageSurface.h"

namespace vtg {

namespace {

bool FileWritten(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.size() > 0;
}

}  // namespace

struct PdfDocument::Impl {
    Impl(const std::string& path, Size pagePx, int dpi, SurfaceKind kind)
        : fileName(QString::fromStdString(path)), writer(fileName) {
        // A missing folder is found here rather than by the writer, which would only complain
        // on the console.
        const bool usable = pagePx.cx > 0 && pagePx.cy > 0 && dpi > 0 && !path.empty() &&
                            QFileInfo(fileName).absoluteDir().exists();
        if (usable) {
            writer.setResolution(dpi);
            // Inches keep the exact size; whole points would round it.
            writer.setPageSize(QPageSize(QSizeF(double(pagePx.cx) / dpi, double(pagePx.cy) / dpi), QPageSize::Inch,
                                         QString(), QPageSize::ExactMatch));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            open = painter.begin(&writer);
        }
        page = std::make_unique<QtPageSurface>(&painter, usable ? pagePx : Size{}, dpi > 0 ? dpi : 96, kind);
    }
    QString fileName;
    QPdfWriter writer;
    QPainter painter;
    std::unique_ptr<QtPageSurface> page;
    bool open = false;
};

PdfDocument::PdfDocument(const std::string& path, Size pagePx, int dpi, SurfaceKind kind)
    : impl_(std::make_unique<Impl>(path, pagePx, dpi, kind)) {}

PdfDocument::~PdfDocument() { Finish(); }

bool PdfDocument::IsOpen() const { return impl_->open; }

Surface& PdfDocument::Page() { return *impl_->page; }

bool PdfDocument::NewPage() {
    if (!impl_->open || !impl_->writer.newPage()) return false;
    impl_->page->NewPage();
    return true;
}

bool PdfDocument::Finish() {
    if (!impl_->open) return false;
    impl_->open = false;
    const bool ended = impl_->painter.end();
    return ended && FileWritten(impl_->fileName);
}

struct PrinterDocument::Impl {
    explicit Impl(const PrinterSetup& setup) : printer(QPrinter::HighResolution) {
        if (!setup.outputFile.empty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(setup.outputFile));
        } else {
            const std::string name = setup.printerName.empty() ? DefaultPrinterName() : setup.printerName;
            printer.setPrinterName(QString::fromStdString(name));
        }
        printer.setDocName(QString::fromStdString(setup.documentName));
        printer.setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        const bool hasDevice = !setup.outputFile.empty() || printer.isValid();
        open = hasDevice && painter.begin(&printer);
        const int dpi = printer.resolution();
        const QSize area = printer.pageLayout().paintRectPixels(dpi).size();
        page = std::make_unique<QtPageSurface>(&painter, open ? Size{area.width(), area.height()} : Size{},
                                             dpi > 0 ? dpi : 96, SurfaceKind::Printer);
    }
    QPrinter printer;
    QPainter painter;
    std::unique_ptr<QtPageSurface> page;
    bool open = false;
};

PrinterDocument::PrinterDocument(const PrinterSetup& setup) : impl_(std::make_unique<Impl>(setup)) {}

PrinterDocument::~PrinterDocument() { Finish(); }

bool PrinterDocument::IsOpen() const { return impl_->open; }

Surface& PrinterDocument::Page() { return *impl_->page; }

bool PrinterDocument::NewPage() {
    if (!impl_->open || !impl_->printer.newPage()) return false;
    impl_->page->NewPage();
    return true;
}

bool PrinterDocument::Finish() {
    if (!impl_->open) return false;
    impl_->open = false;
    return impl_->painter.end() && impl_->printer.printerState() != QPrinter::Error;
}

void PrinterDocument::Abort() {
    if (!impl_->open) return;
    impl_->open = false;
    impl_->printer.abort();
    impl_->painter.end();
}

std::vector<std::string> PrinterDocument::PrinterNames() {
    std::vector<std::string> names;
    for (const QString& n : QPrinterInfo::availablePrinterNames()) names.push_back(n.toStdString());
    return names;
}

std::string PrinterDocument::DefaultPrinterName() { return QPrinterInfo::defaultPrinterName().toStdString(); }

}  // namespace vtg
