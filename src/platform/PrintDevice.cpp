#include "platform/PrintDevice.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/Dialogs.h"
#include "platform/QtDialogs.h"
#include "platform/QtPageSurface.h"

namespace vtg {

namespace {

class QtPrinterDevice final : public IPrinterDevice {
public:
    explicit QtPrinterDevice(const PrinterSetup& setup) : printer_(QPrinter::HighResolution) {
        const std::string name = setup.printerName.empty() ? PrinterDocument::DefaultPrinterName() : setup.printerName;
        printer_.setPrinterName(QString::fromStdString(name));
        printer_.setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        page_ = MakePage(Size{});
    }
    ~QtPrinterDevice() override { AbortDoc(); }

    QPrinter& Printer() { return printer_; }

    Size PageSize() const override {
        const QSize area = printer_.pageLayout().paintRectPixels(printer_.resolution()).size();
        return {area.width(), area.height()};
    }

    bool StartDoc(const DocInfo& info) override {
        if (state_ != State::Idle) return false;
        if (!Direct(info.output)) return false;
        printer_.setDocName(QString::fromStdString(info.name));
        if (!painter_.begin(&printer_)) return false;
        output_ = QString::fromStdString(info.output);
        page_ = MakePage(PageSize());
        pages_ = 0;
        state_ = State::InDoc;
        return true;
    }

    bool StartPage() override {
        if (state_ != State::InDoc) return false;
        // The toolkit opens the first page with the document.
        if (pages_ > 0) {
            if (!printer_.newPage()) return false;
            page_->NewPage();
        }
        ++pages_;
        state_ = State::InPage;
        return true;
    }

    Surface& Page() override { return *page_; }

    bool EndPage() override {
        if (state_ != State::InPage) return false;
        state_ = State::InDoc;
        return true;
    }

    bool EndDoc() override {
        if (state_ == State::Idle) return false;
        state_ = State::Idle;
        const bool ended = painter_.end() && printer_.printerState() != QPrinter::Error;
        if (output_.isEmpty()) return ended;
        const QFileInfo file(output_);
        return ended && file.exists() && file.size() > 0;
    }

    void AbortDoc() override {
        if (state_ == State::Idle) return;
        state_ = State::Idle;
        printer_.abort();
        painter_.end();
        if (!output_.isEmpty()) QFile::remove(output_);
    }

    bool InDocument() const override { return state_ != State::Idle; }

private:
    enum class State { Idle, InDoc, InPage };

    std::unique_ptr<QtPageSurface> MakePage(Size size) {
        const int dpi = printer_.resolution();
        return std::make_unique<QtPageSurface>(&painter_, size, dpi > 0 ? dpi : 96, SurfaceKind::Printer);
    }

    // Points the printer at the file, or back at its device. A file in a missing folder, or no
    // printer to print on, is found here rather than by the toolkit, which only complains on
    // the console.
    bool Direct(const std::string& output) {
        if (!output.empty()) {
            const QString path = QString::fromStdString(output);
            if (!QFileInfo(path).absoluteDir().exists()) return false;
            printer_.setOutputFormat(QPrinter::PdfFormat);
            printer_.setOutputFileName(path);
            return true;
        }
        printer_.setOutputFileName(QString());
        printer_.setOutputFormat(QPrinter::NativeFormat);
        return printer_.outputFormat() == QPrinter::NativeFormat && printer_.isValid() &&
               !printer_.printerName().isEmpty();
    }

    QPrinter printer_;
    QPainter painter_;
    std::unique_ptr<QtPageSurface> page_;
    QString output_;
    State state_ = State::Idle;
    int pages_ = 0;
};

}  // namespace

std::unique_ptr<IPrinterDevice> CreatePrinterDevice(const PrinterSetup& setup) {
    return std::make_unique<QtPrinterDevice>(setup);
}

std::optional<PrintDialogResult> ShowPrintDialog(const PrinterSetup& setup) { return qtdialogs::Print(nullptr, setup); }

namespace qtdialogs {

std::optional<PrintDialogResult> Print(QWidget* parent, const PrinterSetup& setup) {
    if (IsHeadless() || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return std::nullopt;
    auto device = std::make_unique<QtPrinterDevice>(setup);
    QPrinter& printer = device->Printer();
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PrintDialogResult result;
    result.setup.printerName = printer.printerName().toStdString();
    result.setup.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    result.setup.outputFile = printer.outputFileName().toStdString();
    result.printToFile = printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
    result.device = std::move(device);
    return result;
}

}  // namespace qtdialogs

}  // namespace vtg
