#include "core/Environment.h"

#include <cmath>

#include "core/Numbers.h"
#include "lc/Version.h"

namespace lc {

namespace {
int mmToPixels(double dpi, double mm) {
    return roundToIntClamped<int>(static_cast<long double>(dpi) / 25.4L * static_cast<long double>(mm), 0);
}
} // namespace

void PrinterResolution::Set(double dpiX, double dpiY) {
    if (std::isfinite(dpiX) && dpiX > 0) DpiX = dpiX;
    if (std::isfinite(dpiY) && dpiY > 0) DpiY = dpiY;
}

int PrinterResolution::MmToPixelsX(double mm) const { return mmToPixels(DpiX, mm); }
int PrinterResolution::MmToPixelsY(double mm) const { return mmToPixels(DpiY, mm); }

std::string GetVersionText() {
    return "Loopcrafter Pro V." + std::to_string(version::Major) + "." + std::to_string(version::Minor) + " Release " +
           std::to_string(version::Release) + "." + std::to_string(version::Build);
}

} // namespace lc
