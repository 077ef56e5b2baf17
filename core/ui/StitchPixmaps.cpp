#include "core/ui/StitchPixmaps.h"

#include <array>
#include <cstring>

#include "core/StitchBitmaps.h"

namespace lc::ui {

QImage StitchImage(int i) {
    if (i < 0 || i >= 16) return {};
    const RgbImage& src = StitchBitmaps[i];
    if (src.width <= 0 || src.height <= 0 || src.rgb.size() < size_t(src.width) * size_t(src.height) * 3) return {};
    QImage img(src.width, src.height, QImage::Format_RGB888);
    for (int y = 0; y < src.height; ++y)
        std::memcpy(img.scanLine(y), src.pixel(0, y), size_t(src.width) * 3);
    return img;
}

const QPixmap& StitchPixmap(int i) {
    static std::array<QPixmap, 16> cache;
    static uint64_t cachedRevision = ~uint64_t(0);
    static const QPixmap none;
    if (i < 0 || i >= 16) return none;
    if (cachedRevision != StitchRevision) {
        for (int k = 0; k < 16; ++k) cache[k] = QPixmap::fromImage(StitchImage(k));
        cachedRevision = StitchRevision;
    }
    return cache[i];
}

} // namespace lc::ui
