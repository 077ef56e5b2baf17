#include "core/PatternRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lc {

namespace {

int luminanceQuarter(Color c) {
    // Extended precision, summed in this order, half to even; low 8 bits kept.
    long double l = 0.3L * RedOf(c) + 0.59L * GreenOf(c) + 0.11L * BlueOf(c);
    int li = static_cast<int>(std::nearbyintl(l)) & 0xFF;
    return li / 4;
}

constexpr uint8_t kStartColours[16][3] = {{96, 124, 108}, {80, 80, 220},   {80, 172, 80},   {84, 164, 164},
                                          {204, 88, 88},  {208, 88, 164},  {255, 204, 80},  {144, 144, 144},
                                          {104, 36, 56},  {255, 20, 0},    {255, 160, 0},   {0, 255, 255},
                                          {200, 72, 160}, {224, 140, 224}, {255, 188, 188}, {255, 255, 255}};

constexpr Palette256 makeP256() {
    const auto& start = kStartColours;
    Palette256 p{};
    for (int i = 0; i < 16; ++i) p[i] = RGB(start[i][0], start[i][1], start[i][2]);
    for (int i = 16; i < 255; ++i) p[i] = RGB(i, i, i);
    p[255] = 0;
    return p;
}

} // namespace

Color GreyOf(Color c) {
    int q = luminanceQuarter(c);
    return RGB(q + 150, q + 150, q + 150);
}

Color TintOf(Color c) {
    int q = luminanceQuarter(c);
    return RGB(std::min(q + 182, 255), q + 150, q + 150);
}

Color ClampColor(Color c) {
    auto up = [](int v) { return v < 2 ? 2 : v; };
    return RGB(up(RedOf(c)), up(GreenOf(c)), up(BlueOf(c)));
}

Color ContrastColor(Color c) {
    auto flip = [](int v) { return v <= 128 ? 255 : 1; };
    return RGB(flip(RedOf(c)), flip(GreenOf(c)), flip(BlueOf(c)));
}

constexpr Palette256 kP256 = makeP256();

const Palette256& P256() { return kP256; }

PatternRaster::PatternRaster() {
    Picture.palette() = P256();
    Backup.palette() = P256();
    Mask.palette() = P256();
}

void PatternRaster::SetSize(int width, int height) {
    // The fields always describe the bitmaps, also for a size below 1.
    Width = width > 0 ? width : 0;
    Height = height > 0 ? height : 0;
    Picture.resize(width, height, 0);
    Backup.resize(width, height, 0);
    Mask.resize(width, height, kMaskInside);
    Picture.touch();
    Mask.touch();
}

bool PatternRaster::IsMaskCellSet(int column, int line) const {
    const int mh = Mask.height(), mw = Mask.width();
    if (line < 0 || line >= mh || mw <= 0) return true;
    if (column < 0 || column >= mw) return true; // outside the raster is outside the garment
    return Mask.line(mh - 1 - line)[column] != kMaskInside;
}

int PatternRaster::MaskRowRightEdge(int row) const {
    const int mh = Mask.height(), mw = Mask.width();
    if (row < 0) return 0;
    if (row >= mh) return -1; // a row past the raster has no inside cells
    const uint8_t* l = Mask.line(row);
    for (int i = 0; i < mw; ++i)
        if (l[i] == kMaskInside) return mw - 1 - i;
    return -1;
}

int PatternRaster::MaskRowLeftEdge(int row) const {
    const int mh = Mask.height(), mw = Mask.width();
    if (row < 0) return Width - 1;
    if (row >= mh) return mw;
    const uint8_t* l = Mask.line(row);
    for (int i = mw - 1; i >= 0; --i)
        if (l[i] == kMaskInside) return mw - 1 - i;
    return mw;
}

// The mask marks inside and outside by index, not by colour: a yarn colour
// equal to the background must not turn the whole garment "outside".
void PatternRaster::FillMask() {
    Mask.fill(kMaskInside);
    Mask.touch();
}

void PatternRaster::ClearMask() {
    Mask.fill(kMaskOutside);
    Mask.touch();
}

void PatternRaster::MirrorMask() {
    const int mw = Mask.width();
    for (int y = 0; y < Mask.height(); ++y) std::reverse(Mask.line(y), Mask.line(y) + mw);
    Mask.touch();
}

void PatternRaster::CopyToBackup() {
    const int n = std::min(Picture.height(), Backup.height());
    const int w = std::min(Picture.width(), Backup.width());
    for (int y = 0; y < n; ++y) std::memcpy(Backup.line(y), Picture.line(y), w);
    Backup.touch();
}

void PatternRaster::SavePixels() { CopyToBackup(); }

void PatternRaster::RestorePixels() {
    const int n = std::min(Picture.height(), Backup.height());
    const int w = std::min(Picture.width(), Backup.width());
    for (int y = 0; y < n; ++y) std::memcpy(Picture.line(y), Backup.line(y), w);
    Picture.touch();
}

void PatternRaster::ApplyPalette(int mode) {
    if (mode < 0 || mode > 2) return;
    for (auto& c : Colors) c = ClampColor(c);
    for (int i = 0; i <= 16; ++i) Picture.palette()[i] = Colors[i] & 0xFFFFFF;
    Picture.touch();
}

void PatternRaster::ApplyPaletteTo(IndexedBitmap& bitmap, int mode) {
    if (mode < 0 || mode > 2) return;
    for (int i = 0; i <= 16; ++i) bitmap.palette()[i] = Colors[i] & 0xFFFFFF;
    bitmap.touch();
}

// Indices never change when the colour table does, so the picture needs no
// save and restore around it; that would also overwrite the backup, which
// holds the block last copied or cut.
void PatternRaster::UpdatePalette(int mode) {
    ApplyPaletteTo(Picture, mode);
    ApplyPaletteTo(Backup, mode);
    ApplyPaletteTo(Mask, mode);
    for (int i = 0; i <= 16; ++i) {
        GreyColors[i] = GreyOf(Colors[i]);
        ZoneColors[i] = TintOf(Colors[i]);
    }
}

} // namespace lc
