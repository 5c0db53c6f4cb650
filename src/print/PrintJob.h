#pragma once
// Scoped steps of a print job, so that every way out of printing (a failed step, a cancel, an
// exception while drawing) ends what was started: the page is ended, a document that was not
// ended on purpose is aborted, and the printing-page flags are cleared.

#include "platform/PrintDevice.h"

namespace vtg {

class CPlotLook;
struct ControlProperties;

// StartDoc on construction; AbortDoc on destruction unless End() was called.
class PrintDocument {
public:
    PrintDocument(IPrinterDevice& device, const DocInfo& info);
    ~PrintDocument();
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;

    bool Started() const { return open_; }
    // EndDoc: true when the document was handed over.
    bool End();
    void Abort();

private:
    IPrinterDevice& device_;
    bool open_ = false;
};

// StartPage on construction; EndPage on destruction unless End() was called.
class PrintPage {
public:
    explicit PrintPage(IPrinterDevice& device);
    ~PrintPage();
    PrintPage(const PrintPage&) = delete;
    PrintPage& operator=(const PrintPage&) = delete;

    bool Started() const { return open_; }
    bool End();

private:
    IPrinterDevice& device_;
    bool open_ = false;
};

// Marks a page being drawn for print (printingPage) and the plot as drawn for paper (Printing)
// for its lifetime; both are restored after.
class PrintingPageScope {
public:
    PrintingPageScope(ControlProperties& props, CPlotLook& plot, bool page);
    ~PrintingPageScope();
    PrintingPageScope(const PrintingPageScope&) = delete;
    PrintingPageScope& operator=(const PrintingPageScope&) = delete;

private:
    ControlProperties& props_;
    CPlotLook& plot_;
    bool oldPage_;
    int oldPrinting_;
};

// The page's corners (0, 0) and (HORZRES, VERTRES) converted to the pixels of a preview surface
// that shows the page whole: scaled by one factor (the page's proportions kept), from (0, 0).
// Empty when either size is.
Rect PreviewPageRect(Size printerPage, Size previewPixels);

}  // namespace vtg
