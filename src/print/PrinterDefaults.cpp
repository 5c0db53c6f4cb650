#include "print/PrinterDefaults.h"

namespace vtg {

namespace {

PrinterSetup& Stored() {
    static PrinterSetup setup;
    return setup;
}

}  // namespace

PrinterSetup DefaultPrinterSetup() { return Stored(); }

void SetDefaultPrinterSetup(const PrinterSetup& setup) {
    Stored().printerName = setup.printerName;
    Stored().landscape = setup.landscape;
}

void ResetDefaultPrinterSetup() { Stored() = PrinterSetup{}; }

}  // namespace vtg
