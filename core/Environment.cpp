#include "core/Environment.h"

#include <cmath>

#include "core/Globals.h"
#include "core/Numbers.h"
#include "lc/Version.h"

namespace lc {

namespace {
double g_dpiX = 600;
double g_dpiY = 600;

long double usableGauge(double v) { return (std::isfinite(v) && v > 0) ? v : 0.25; }

int mmToPixels(double dpi, double mm) {
    return roundToIntClamped<int>(static_cast<long double>(dpi) / 25.4L * static_cast<long double>(mm), 0);
}
} // namespace

void ComputeCellHeights() {
    const long double gx = usableGauge(PixByX), gy = usableGauge(PixByY);
    for (int i = 0; i < kZoomLevels; ++i) {
        const long double h = roundHalfEven(CellWidths[i] * gy / gx);
        // A row is never drawn thinner than 2 pixels; more than a byte holds never occurs in practice.
        CellHeights[i] = static_cast<uint8_t>(h < 2 ? 2 : (h > 255 ? 255 : static_cast<int>(h)));
    }
}

void SetPrinterDpi(double dpiX, double dpiY) {
    if (std::isfinite(dpiX) && dpiX > 0) g_dpiX = dpiX;
    if (std::isfinite(dpiY) && dpiY > 0) g_dpiY = dpiY;
}

double PrinterDpiX() { return g_dpiX; }
double PrinterDpiY() { return g_dpiY; }

int MmToPixelsX(double mm) { return mmToPixels(g_dpiX, mm); }
int MmToPixelsY(double mm) { return mmToPixels(g_dpiY, mm); }

std::string GetVersionText() {
    return "Loopcrafter Pro V." + std::to_string(version::Major) + "." + std::to_string(version::Minor) +
           " Release " + std::to_string(version::Release) + "." + std::to_string(version::Build);
}

} // namespace lc
