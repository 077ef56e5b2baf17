#pragma once
// Draws a line of text as the text tool lays it out: straight with its top
// left corner at the text position, turned counter-clockwise by an angle, on a
// box of colour B; or character by character along a circle around the text
// position (editor/TextLayout), on a transparent background. Glyphs are drawn
// without antialiasing, so that every pixel is either text or not: one pattern
// cell per pixel. Also turns the drawing into cells for the text tool.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include "editor/TextTool.h"

class QPainter;

namespace lc::ui {

struct TextPlacement {
    QString text;
    QFont font;
    bool arc = false;
    int angleTenths = 0; // line: the turn; arc: the start angle
    int radius = 50;
    bool rightToLeft = false;
    int x = 0, y = 0; // the text position, y growing downward
};

class TextPainter {
public:
    // Draws `t` with glyphs in `glyph` and, for a straight line, the box in `box`.
    static void paint(QPainter& p, const TextPlacement& t, const QColor& glyph, const QColor& box);
    // The cells the text covers on a picture of `width` x `height` cells, the
    // text position being a picture column and line.
    static TextStamp stamp(const TextPlacement& t, int width, int height);
};

} // namespace lc::ui
