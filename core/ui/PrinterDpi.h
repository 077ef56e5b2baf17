#pragma once
// The current printer's resolution for printing in millimetres (core/Environment.h).
class QPrinter;

namespace lc {
struct PrinterResolution;
} // namespace lc

namespace lc::ui {

// Hands the printer's logical pixels per inch to the engine's `resolution`.
// Without a printer the default printer at high resolution is asked; with no
// printer installed Qt still answers with the PDF printer's resolution.
void UpdatePrinterDpi(PrinterResolution& resolution);
void UpdatePrinterDpi(PrinterResolution& resolution, const QPrinter& printer);

} // namespace lc::ui
