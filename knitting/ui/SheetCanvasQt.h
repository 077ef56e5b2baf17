#pragma once
// The drawing surfaces of the knitting displays on the Qt side: the
// instruction sheet's canvas over a QPainter, the symbol font, and colour
// values (0x00BBGGRR) as QColor.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <string_view>

#include "knitting/SheetCanvas.h"

class QPainter;

namespace lc::ui {

// The program's private symbol font (its glyphs stand for carriage parts,
// yarns and settings letters), registered at start-up.
inline constexpr const char* kSymbolFontFamily = "Loopcraft";

inline QColor toQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// The symbol font at a pixel size, so that the sheet's fixed line heights hold.
QFont SymbolFont(int pixelSize);

// Symbol-font texts are byte strings of character codes 0..255 (the carriage
// glyph is 157): each byte is the Latin-1 character of the same code.
inline QString SymbolText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Draws the instruction sheet with a painter; lives for one paint.
class QtSheetCanvas : public ISheetCanvas {
public:
    QtSheetCanvas(QPainter& painter, int fontSize);

    void fillRect(int left, int top, int right, int bottom, Color color) override;
    void drawText(int x, int y, std::string_view text) override;
    TextExtent textSize(std::string_view text) override;
    void setFontSize(int size) override;
    int fontSize() const override { return size_; }
    void setFontColor(Color color) override;
    Color fontColor() const override { return color_; }

private:
    QPainter& painter_;
    QFont font_;
    QFontMetrics metrics_;
    int size_;
    Color color_ = 0;
};

} // namespace lc::ui
