#pragma once
// Millimetres to printer pixels at the printer's resolution, and the version
// text printed on printouts.
#include <string>

namespace lc {

// The current printer's logical pixels per inch across and down. The UI sets
// them from the printer (and again after the user picks another one); until
// then 600 dpi is assumed.
struct PrinterResolution {
    double DpiX = 600;
    double DpiY = 600;

    // Values that are not positive finite numbers are ignored.
    void Set(double dpiX, double dpiY);
    // A length in millimetres as whole printer pixels: round(dpi / 25.4 * mm),
    // half to even, kept to the int range (NaN gives 0).
    int MmToPixelsX(double mm) const;
    int MmToPixelsY(double mm) const;
};

// "Loopcrafter Pro V." major "." minor " Release " release "." build, from
// the version the program was built with.
std::string GetVersionText();

} // namespace lc
