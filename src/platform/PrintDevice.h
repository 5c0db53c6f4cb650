#pragma once
// The printer as a print job drives it: a device (chosen in the print dialog or made from a
// printer setup) on which a document is started, a page started and ended, and the document
// ended or aborted, each step reporting whether it worked. The desktop device prints through
// the toolkit's printer; a document sent to a file is written there as PDF.

#include <memory>
#include <optional>
#include <string>

#include "platform/Geometry.h"
#include "platform/PdfDocument.h"
#include "platform/Surface.h"

namespace vtg {

struct DocInfo {
    std::string name = "VortigaPlot";
    std::string output;         // empty: to the device's printer; else the file written
};

class IPrinterDevice {
public:
    virtual ~IPrinterDevice() = default;

    // The printable area in device pixels (HORZRES x VERTRES), known before any document.
    virtual Size PageSize() const = 0;
    // A document starts once; a page starts only inside a document and ends before the next.
    virtual bool StartDoc(const DocInfo& info) = 0;
    virtual bool StartPage() = 0;
    // The page being drawn: kind Printer, PageSize() large. Outside a page drawing does nothing.
    virtual Surface& Page() = 0;
    virtual bool EndPage() = 0;
    // True when the document was handed over (a file: written and not empty).
    virtual bool EndDoc() = 0;
    // Drops the document; a file it was writing is removed. Nothing when none is open.
    virtual void AbortDoc() = 0;
    virtual bool InDocument() const = 0;

protected:
    IPrinterDevice() = default;
    IPrinterDevice(const IPrinterDevice&) = delete;
    IPrinterDevice& operator=(const IPrinterDevice&) = delete;
};

// The desktop device for a setup: the named (or default) printer with the setup's orientation.
// A document left open when the device goes is aborted.
std::unique_ptr<IPrinterDevice> CreatePrinterDevice(const PrinterSetup& setup);

struct PrintDialogResult {
    PrinterSetup setup;         // the printer chosen and its orientation
    bool printToFile = false;   // the user asked for a print file
    std::unique_ptr<IPrinterDevice> device;   // the chosen printer; null: make one from setup
};

// The desktop print dialog on a setup: the choice, or nothing when cancelled. Headless it
// answers at once as cancelled.
std::optional<PrintDialogResult> ShowPrintDialog(const PrinterSetup& setup);

}  // namespace vtg
