#pragma once
// Pictures the user chooses (gallery previews, the converter's photos), read
// by their content, not their name: JPEG through libjpeg-turbo (turned upright
// when its EXIF orientation says so), BMP, PNG, ICO and the rest through Qt's
// readers. A picture that cannot be read throws lc::Error saying which format
// it is, and whether that format is unsupported or the file is damaged.
#include <QImage>
#include <QString>

#include "core/Jpeg.h"

namespace lc::ui {

QImage LoadPicture(const QString& file);
// The picture as 8-bit RGB, top line first (transparent parts on white).
RgbImage ToRgb(const QImage& image);
QImage FromRgb(const RgbImage& rgb);

} // namespace lc::ui
