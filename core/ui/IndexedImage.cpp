#include "core/ui/IndexedImage.h"

#include <QList>

namespace lc::ui {

QImage IndexedView(const IndexedBitmap& bitmap, const ColorTable17* colors) {
    if (bitmap.empty()) return {};
    QImage img(bitmap.data(), bitmap.width(), bitmap.height(), bitmap.stride(), QImage::Format_Indexed8);
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i) table[i] = ToQRgb(bitmap.palette()[i]);
    if (colors)
        for (int i = 0; i < 17; ++i) table[i] = ToQRgb((*colors)[i]);
    img.setColorTable(table);
    return img;
}

} // namespace lc::ui
