#pragma once
// An IndexedBitmap seen as an 8-bit indexed QImage, without copying the cells.
#include <QImage>

#include "core/PatternRaster.h"
#include "core/IndexedBitmap.h"

namespace lc::ui {

// A view on the bitmap's cells with its own 256-entry colour table; the image
// is valid while the bitmap keeps its size. `colors`, when given, replaces
// entries 0..16 (the palette, or the grey or zone colours).
QImage IndexedView(const IndexedBitmap& bitmap, const ColorTable17* colors = nullptr);

// 0x00BBGGRR to QRgb (opaque).
inline QRgb ToQRgb(Color c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

} // namespace lc::ui
