#include "core/ui/PrinterDpi.h"

#include <QPrinter>

#include "core/Environment.h"

namespace lc::ui {

void UpdatePrinterDpi(const QPrinter& printer) { SetPrinterDpi(printer.logicalDpiX(), printer.logicalDpiY()); }

void UpdatePrinterDpi() {
    QPrinter printer(QPrinter::HighResolution);
    UpdatePrinterDpi(printer);
}

} // namespace lc::ui
