#pragma once
// The sixteen stitch pictures (core/StitchBitmaps.h) as images for painting.
#include <QImage>
#include <QPixmap>

namespace lc::ui {

// A copy of engine stitch picture i (0..15) as an RGB image; null for another index.
QImage StitchImage(int i);
// The same as a pixmap, cached until the engine rebuilds its pictures.
const QPixmap& StitchPixmap(int i);

} // namespace lc::ui
