#pragma once
// Paged output: a multi-page PDF file, or a document on a printer. Page() is the drawing
// surface of the current page, in device pixels at the document's resolution; it stays the
// same object from page to page and keeps its selections. After Finish() (or a failed start)
// drawing on it does nothing.

#include <memory>
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace vtg {

class PdfDocument {
public:
    // Pages of pagePx pixels at dpi (a page of 4960 x 7016 at 600 dpi is A4). kind is Printer,
    // or Preview for pages that imitate a printer's. A size or dpi <= 0, or a path that cannot
    // be written, leaves the document closed.
    PdfDocument(const std::string& path, Size pagePx, int dpi, SurfaceKind kind = SurfaceKind::Printer);
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    bool IsOpen() const;
    Surface& Page();
    bool NewPage();
    // Completes and closes the file; true when it was written. Later calls return false.
    bool Finish();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

struct PrinterSetup {
    std::string printerName;                // empty: the default printer
    std::string outputFile;                 // non-empty: print into this file (PDF) instead
    std::string documentName = "VortigaPlot";
    bool landscape = false;
};

// A print job (StartDoc ... EndDoc). Its page surface is of kind Printer and as large as the
// printable area (HORZRES x VERTRES) at the printer's resolution.
class PrinterDocument {
public:
    explicit PrinterDocument(const PrinterSetup& setup);
    ~PrinterDocument();
    PrinterDocument(const PrinterDocument&) = delete;
    PrinterDocument& operator=(const PrinterDocument&) = delete;

    bool IsOpen() const;                    // false when the job could not be started
    Surface& Page();
    bool NewPage();
    bool Finish();                          // ends the job; true when it was handed over
    void Abort();                           // drops the job

    static std::vector<std::string> PrinterNames();
    static std::string DefaultPrinterName();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vtg
