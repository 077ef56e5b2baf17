#include "knitting/ui/SheetCanvasQt.h"

#include <QPainter>

#include <algorithm>

namespace lc::ui {

QFont SymbolFont(int pixelSize) {
    QFont f(QString::fromLatin1(kSymbolFontFamily));
    f.setPixelSize(std::max(1, pixelSize));
    f.setStyleStrategy(QFont::NoFontMerging); // a glyph missing from the font must not turn into a letter
    return f;
}

QtSheetCanvas::QtSheetCanvas(QPainter& painter, int fontSize)
    : painter_(painter), font_(SymbolFont(fontSize)), metrics_(font_), size_(fontSize) {
    painter_.setFont(font_);
    painter_.setPen(toQColor(color_));
}

void QtSheetCanvas::fillRect(int left, int top, int right, int bottom, Color color) {
    if (right <= left || bottom <= top) return;
    painter_.fillRect(QRect(left, top, right - left, bottom - top), toQColor(color));
}

void QtSheetCanvas::drawText(int x, int y, std::string_view text) {
    painter_.setPen(toQColor(color_));
    painter_.drawText(x, y + metrics_.ascent(), SymbolText(text));
}

TextExtent QtSheetCanvas::textSize(std::string_view text) {
    return {metrics_.horizontalAdvance(SymbolText(text)), metrics_.height()};
}

void QtSheetCanvas::setFontSize(int size) {
    size_ = std::clamp(size, 1, 500);
    font_.setPixelSize(size_);
    metrics_ = QFontMetrics(font_);
    painter_.setFont(font_);
}

void QtSheetCanvas::setFontColor(Color color) {
    color_ = color;
    painter_.setPen(toQColor(color_));
}

} // namespace lc::ui
