#pragma once
// The application's default printer setup: one per process. Printing offers it in the print
// dialog and keeps the printer chosen there; page setup and the preview read its printer and
// orientation.

#include "platform/PdfDocument.h"

namespace vtg {

// The printer name and orientation; the document name and output of a setup are per job and
// are not kept.
PrinterSetup DefaultPrinterSetup();
void SetDefaultPrinterSetup(const PrinterSetup& setup);
// Back to the desktop's default printer in portrait (tests).
void ResetDefaultPrinterSetup();

// What the print preview needs to lay out its pages.
struct PrintInfo {
    int minPage = 1;
    int maxPage = 0;            // 0: not known
    PrinterSetup setup;
};

}  // namespace vtg
