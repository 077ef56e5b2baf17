#pragma once
// Zoom cell heights from the gauge, millimetres to printer pixels, and the
// version text printed on printouts.
#include <string>

namespace lc {

// CellHeights[i] := round(CellWidths[i] * PixByY / PixByX), half to even, kept
// to 2..255. A gauge that is not a positive finite number counts as 0.25.
void ComputeCellHeights();

// The current printer's logical pixels per inch across and down. The UI sets
// them from the printer (and again after the user picks another one); until
// then 600 dpi is assumed. Values that are not positive finite numbers are ignored.
void SetPrinterDpi(double dpiX, double dpiY);
double PrinterDpiX();
double PrinterDpiY();

// A length in millimetres as whole printer pixels: round(dpi / 25.4 * mm),
// half to even, kept to the int range (NaN gives 0).
int MmToPixelsX(double mm);
int MmToPixelsY(double mm);

// "Loopcrafter Pro V." major "." minor " Release " release "." build, from
// the version the program was built with.
std::string GetVersionText();

} // namespace lc
