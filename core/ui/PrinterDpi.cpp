#include "core/ui/PrinterDpi.h"

#include <QPrinter>

#include "core/Environment.h"

namespace lc::ui {

void UpdatePrinterDpi(PrinterResolution& resolution, const QPrinter& printer) {
    resolution.Set(printer.logicalDpiX(), printer.logicalDpiY());
}

void UpdatePrinterDpi(PrinterResolution& resolution) {
    QPrinter printer(QPrinter::HighResolution);
    UpdatePrinterDpi(resolution, printer);
}

} // namespace lc::ui
