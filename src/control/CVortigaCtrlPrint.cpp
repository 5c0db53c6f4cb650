// Printing the plot on one page, page setup through the host's dialog server, and the page
// entries the print preview draws with.
#include <cmath>
#include <memory>
#include <optional>

#include "control/CVortigaCtrl.h"
#include "control/ControlReference.h"
#include "control/HostServices.h"
#include "plot/CPlotLook.h"
#include "print/PrintJob.h"
#include "print/PrinterDefaults.h"

namespace vtg {

namespace {

constexpr const char* kPrintFileFilter = "Print file (*.prn)|*.prn";

double FiniteOrZero(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

void CVortigaCtrl::Print2(bool SetupOnly) {
    if (SetupOnly) {
        PageSetup();
    } else {
        PrintPlot();
    }
}

void CVortigaCtrl::SetPrintSettings(std::int16_t bLandscape, double LeftMargin, double TopMargin,
                                    double RightMargin, double BottomMargin) {
    printLandscape = bLandscape;
    printMargins = {FiniteOrZero(LeftMargin), FiniteOrZero(TopMargin), FiniteOrZero(RightMargin),
                    FiniteOrZero(BottomMargin)};
}

void CVortigaCtrl::PrintPlot() {
    // Landscape is offered whatever the setting: a plot is wider than high. The user can still
    // turn the page in the dialog.
    PrinterSetup offered = DefaultPrinterSetup();
    offered.landscape = true;
    std::optional<PrintDialogResult> chosen = site_ ? site_->PrintDialog(offered) : ShowPrintDialog(offered);
    if (!chosen) return;
    SetDefaultPrinterSetup(chosen->setup);

    DocInfo doc;
    if (chosen->printToFile) {
        const std::optional<std::string> path =
            site_ ? site_->GetSaveFileName({}, kPrintFileFilter, chosen->setup.outputFile)
                  : ShowSaveFileDialog({}, kPrintFileFilter, chosen->setup.outputFile);
        if (!path) return;
        doc.output = *path;
    }
    std::unique_ptr<IPrinterDevice> device =
        chosen->device ? std::move(chosen->device) : CreatePrinterDevice(chosen->setup);
    PrintOnDevice(*device, doc);
}

void CVortigaCtrl::PrintOnDevice(IPrinterDevice& device, const DocInfo& doc) {
    PrintDocument document(device, doc);
    if (!document.Started()) return;
    bool printed = false;
    {
        PrintPage page(device);
        if (!page.Started()) {
            document.Abort();
            PrintMessage("IDS_PLOTCTRL_COULDNOTSTARTPAGE");
            return;
        }
        OnPrintPage(device.Page());
        printed = page.End();
    }
    printed = document.End() && printed;
    // A page or document the printer did not take was not printed: the user hears of it rather
    // than finding nothing in the tray (or no file).
    if (!printed) PrintMessage("IDS_PLOTCTRL_COULDNOTPRINT");
}

void CVortigaCtrl::PrintMessage(std::string_view textKey) {
    HostMessageBox(ResourceString(textKey), ResourceString("IDS_PLOTCTRL_PRINT"), MB_OK, MB_ICONEXCLAMATION, site_);
}

void CVortigaCtrl::PageSetup() {
    PrinterSetup setup = DefaultPrinterSetup();
    setup.landscape = printLandscape != 0;
    SetDefaultPrinterSetup(setup);
    std::optional<DialogServer> server = DialogServer::Open();
    if (!server) return;
    std::vector<Variant> args{Variant(AutomationReference())};
    server->Call("DoPageSetup", args);
}

std::shared_ptr<IDispatch> CVortigaCtrl::AutomationReference() {
    if (!reference_) reference_ = std::make_shared<ControlReference>(*this);
    return reference_;
}

void CVortigaCtrl::OnPrintPage(Surface& printer) {
    const Size size = printer.PixelSize();
    const Rect page{0, 0, size.cx, size.cy};
    bool drawn = false;
    {
        PrintingPageScope printing(*this, Plot(), true);
        drawn = DrawPlotInto(printer, page, page);
    }
    // The paint's events go out once the printing scope has let go of the plot.
    if (drawn) FireAfterPaint();
}

void CVortigaCtrl::OnPreviewPage(Surface& preview, const Surface& printer) {
    const Rect page = PreviewPageRect(printer.PixelSize(), preview.PixelSize());
    bool drawn = false;
    {
        PrintingPageScope printing(*this, Plot(), false);
        drawn = DrawPlotInto(preview, page, page);
    }
    if (drawn) FireAfterPaint();
}

void CVortigaCtrl::OnPreparePreview(PrintInfo& info) {
    info.maxPage = 1;
    info.setup = DefaultPrinterSetup();
    info.setup.landscape = printLandscape != 0;
}

}  // namespace vtg
