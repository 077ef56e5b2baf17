#pragma once
// The 32 x 32 pictures of the constructor's list items, drawn in code:
// 0-4 armholes, 5-17 collars, 18-38 necklines, 39-42 sleeve lengths, 44-49
// sleeve kinds, 50-52 pockets, 53-58 kinds of garment.
#include <QPixmap>

namespace lc::ui {

inline constexpr int kConstructorIconCount = 59;

QPixmap ConstructorIcon(int index);

} // namespace lc::ui
