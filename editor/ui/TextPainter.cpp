#include "editor/ui/TextPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <vector>

#include "editor/TextLayout.h"

namespace lc::ui {

namespace {
QFont aliased(QFont f) {
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    return f;
}
} // namespace

void TextPainter::paint(QPainter& p, const TextPlacement& t, const QColor& glyph, const QColor& box) {
    if (t.text.isEmpty()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    const QFont font = aliased(t.font);
    p.setFont(font);
    p.setPen(glyph);
    const QFontMetrics fm(font, p.device());
    if (!t.arc) {
        p.translate(t.x, t.y);
        p.rotate(-t.angleTenths / 10.0);
        p.fillRect(QRect(0, 0, fm.horizontalAdvance(t.text), fm.height()), box);
        p.drawText(0, fm.ascent(), t.text);
    } else {
        std::vector<int> widths;
        widths.reserve(static_cast<size_t>(t.text.size()));
        for (QChar c : t.text) widths.push_back(fm.horizontalAdvance(c));
        for (const ArcGlyph& g : LayoutArc(widths, t.x, t.y, t.radius, t.angleTenths, t.rightToLeft)) {
            p.save();
            p.translate(g.x, g.y);
            p.rotate(-g.escapement / 10.0);
            // The character's bottom centre stands on the point.
            p.drawText(-widths[static_cast<size_t>(g.index)] / 2, -fm.descent(), QString(t.text[g.index]));
            p.restore();
        }
    }
    p.restore();
}

TextStamp TextPainter::stamp(const TextPlacement& t, int width, int height) {
    TextStamp s;
    if (width <= 0 || height <= 0) return s;
    QImage scratch(width, height, QImage::Format_ARGB32);
    scratch.fill(Qt::transparent);
    {
        QPainter p(&scratch);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        paint(p, t, QColor(255, 0, 0), QColor(0, 0, 255));
    }
    s.width = width;
    s.height = height;
    s.cells.assign(static_cast<size_t>(width) * static_cast<size_t>(height), TextStamp::Keep);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        uint8_t* out = s.cells.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) < 128) continue;
            out[x] = qRed(line[x]) > qBlue(line[x]) ? TextStamp::Glyph : TextStamp::Box;
        }
    }
    return s;
}

} // namespace lc::ui
