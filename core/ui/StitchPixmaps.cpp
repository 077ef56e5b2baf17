#include "core/ui/StitchPixmaps.h"

#include <cstring>

namespace lc::ui {

QImage StitchImage(const StitchPictures& pictures, int i) {
    if (i < 0 || i >= 16) return {};
    const StitchRgb& src = pictures.Bitmaps[i];
    if (src.width <= 0 || src.height <= 0 || src.rgb.size() < size_t(src.width) * size_t(src.height) * 3) return {};
    QImage img(src.width, src.height, QImage::Format_RGB888);
    for (int y = 0; y < src.height; ++y) std::memcpy(img.scanLine(y), src.pixel(0, y), size_t(src.width) * 3);
    return img;
}

const QPixmap& StitchPixmaps::pixmap(int i) {
    if (i < 0 || i >= 16) return none_;
    if (cachedRevision_ != pictures_.Revision) {
        for (int k = 0; k < 16; ++k) cache_[k] = QPixmap::fromImage(StitchImage(pictures_, k));
        cachedRevision_ = pictures_.Revision;
    }
    return cache_[i];
}

} // namespace lc::ui
