#pragma once
// The current printer's resolution for MmToPixelsX/Y (core/Environment.h).
class QPrinter;

namespace lc::ui {

// Hands the printer's logical pixels per inch to the engine. Without an
// argument the default printer at high resolution is asked; with no printer
// installed Qt still answers with the PDF printer's resolution.
void UpdatePrinterDpi();
void UpdatePrinterDpi(const QPrinter& printer);

} // namespace lc::ui
