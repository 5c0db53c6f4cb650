#include "print/PrintJob.h"

#include <algorithm>
#include <cmath>

#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"

namespace vtg {

PrintDocument::PrintDocument(IPrinterDevice& device, const DocInfo& info)
    : device_(device), open_(device.StartDoc(info)) {}

PrintDocument::~PrintDocument() { Abort(); }

bool PrintDocument::End() {
    if (!open_) return false;
    open_ = false;
    return device_.EndDoc();
}

void PrintDocument::Abort() {
    if (!open_) return;
    open_ = false;
    device_.AbortDoc();
}

PrintPage::PrintPage(IPrinterDevice& device) : device_(device), open_(device.StartPage()) {}

PrintPage::~PrintPage() { End(); }

bool PrintPage::End() {
    if (!open_) return false;
    open_ = false;
    return device_.EndPage();
}

PrintingPageScope::PrintingPageScope(ControlProperties& props, CPlotLook& plot, bool page)
    : props_(props), plot_(plot), oldPage_(props.printingPage), oldPrinting_(plot.Printing) {
    if (page) props_.printingPage = true;
    plot_.Printing = 1;
}

PrintingPageScope::~PrintingPageScope() {
    props_.printingPage = oldPage_;
    plot_.Printing = oldPrinting_;
}

Rect PreviewPageRect(Size printerPage, Size previewPixels) {
    if (printerPage.cx <= 0 || printerPage.cy <= 0 || previewPixels.cx <= 0 || previewPixels.cy <= 0) return {};
    // The preview imitates the page at one scale for both directions, so that a page keeps its
    // proportions however the preview surface is shaped.
    const double scale = std::min(static_cast<double>(previewPixels.cx) / printerPage.cx,
                                  static_cast<double>(previewPixels.cy) / printerPage.cy);
    return {0, 0, static_cast<int>(std::lround(printerPage.cx * scale)),
            static_cast<int>(std::lround(printerPage.cy * scale))};
}

}  // namespace vtg
