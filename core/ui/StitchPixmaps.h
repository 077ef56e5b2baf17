#pragma once
// The sixteen stitch pictures (core/StitchBitmaps.h) as images for painting.
#include <QImage>
#include <QPixmap>
#include <array>
#include <cstdint>

#include "core/StitchBitmaps.h"

namespace lc::ui {

// A copy of stitch picture i (0..15) as an RGB image; null for another index.
QImage StitchImage(const StitchPictures& pictures, int i);

// The same as pixmaps, kept until the pictures are rebuilt.
class StitchPixmaps {
public:
    explicit StitchPixmaps(const StitchPictures& pictures) : pictures_(pictures) {}
    const QPixmap& pixmap(int i);

private:
    const StitchPictures& pictures_;
    std::array<QPixmap, 16> cache_;
    uint64_t cachedRevision_ = ~uint64_t(0);
    QPixmap none_;
};

} // namespace lc::ui
