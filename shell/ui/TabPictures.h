#pragma once
// The small pictures on the main window's page tabs, 50 x 20, drawn here.
#include <QPixmap>

namespace lc::ui {

constexpr int kTabPictureWidth = 50;
constexpr int kTabPictureHeight = 20;

// The picture of page `page` in the main window's page order (Drawing,
// Garment Shape, Link, Stitch Galleries, Fashion, Converter, Manual); an
// empty transparent picture for any other number.
QPixmap TabPicture(int page);

} // namespace lc::ui
