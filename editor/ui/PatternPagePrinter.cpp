#include "editor/ui/PatternPagePrinter.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/Environment.h"

namespace lc::ui {

namespace {
// Cells of at least this many pixels each way get grid lines.
constexpr int kGridFromPitch = 4;
} // namespace

PrintSource PatternPagePrinter::source(int range) const {
    return PatternPrintSource(gd_, block_, range == 1 ? PrintRange::Selection : PrintRange::WholeImage, garment_);
}

void PatternPagePrinter::render(QPainter& p, const PageRequest& q) const {
    const PrintSource src = source(q.range);
    const PatternPageLayout l = LayoutPatternPage(q.page.width(), q.page.height(), q.resolution, src.lines.width(),
                                                  src.lines.height(), q.scale);
    p.save();
    p.fillRect(QRect(QPoint(0, 0), q.page), Qt::white);
    QFont font = p.font();
    font.setPixelSize(std::max(1, l.textHeight));
    p.setFont(font);
    p.setPen(Qt::black);
    const int textWidth = std::max(1, q.page.width() - 40);
    p.drawText(QRect(20, l.versionY, textWidth, l.textHeight * 2), Qt::AlignLeft | Qt::AlignTop,
               QString::fromStdString(GetVersionText()));
    p.drawText(QRect(20, l.printedOnY, textWidth, l.textHeight * 2), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Printed on:  ") +
                   QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
    if (!l.hasImage) {
        p.restore();
        return; // nothing to print but the header
    }

    const std::vector<uint32_t> cells = ComposePrintImage(gd_, src);
    const int w = src.lines.width(), h = src.lines.height();
    const QImage image(reinterpret_cast<const uchar*>(cells.data()), w, h, w * 4, QImage::Format_ARGB32);
    const QRect target(l.image.x, l.image.y, l.image.width, l.image.height);

    if (q.legend) {
        // The yarn colours the printout uses, numbered as on the palette, in
        // the band between the header and the image.
        std::array<bool, 256> used{};
        for (int line = src.lines.Top; line < src.lines.Bottom; ++line) {
            const uint8_t* row = gd_.Picture.line(line);
            for (int x = src.lines.Left; x < src.lines.Right; ++x) used[row[x]] = true;
        }
        const int box = std::max(2, q.resolution.MmToPixelsY(5));
        const int gap = std::max(1, q.resolution.MmToPixelsX(2));
        int x = 20;
        const int y = l.printedOnY + l.textHeight * 2 + box / 2;
        for (int i = 0; i < 256 && y + box < target.top(); ++i) {
            if (!used[size_t(i)]) continue;
            const Color c = gd_.Picture.palette()[size_t(i)];
            const QString label = QString::number(i + 1);
            const int labelWidth = p.fontMetrics().horizontalAdvance(label);
            if (x + box + gap + labelWidth > q.page.width() - 20) break;
            p.fillRect(QRect(x, y, box, box), QColor(RedOf(c), GreenOf(c), BlueOf(c)));
            p.drawRect(QRect(x, y, box, box));
            p.drawText(QRect(x + box + gap / 2, y, labelWidth + gap, box), Qt::AlignLeft | Qt::AlignVCenter, label);
            x += box + gap + labelWidth + gap * 2;
        }
    }

    // Each cell becomes a block of k x k pixels here, nearest neighbour, so
    // that no viewer smooths across cells; k is kept to the device's pitch and
    // to a few million pixels in all.
    const QTransform& t = p.worldTransform();
    const double devicePitch = std::min(double(target.width()) / w * t.m11(), double(target.height()) / h * t.m22());
    const double budget = std::sqrt(4.0e6 / (double(w) * h));
    const int k = std::max(1, static_cast<int>(std::min({std::floor(devicePitch), budget, 16.0})));
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (k < 2) {
        p.drawImage(target, image);
        p.restore();
        return;
    }
    QImage cellsImage = image.scaled(w * k, h * k, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (k >= kGridFromPitch) {
        // The grid goes into the picture as its first pixel line of every cell,
        // so that a page seen zoomed out blends it with the cells, as a line of
        // its own would not be.
        const QRgb line = qRgb(0x40, 0x40, 0x40);
        for (int y = 0; y < cellsImage.height(); ++y) {
            auto* px = reinterpret_cast<QRgb*>(cellsImage.scanLine(y));
            if (y % k == 0) std::fill(px, px + cellsImage.width(), line);
            else
                for (int x = 0; x < cellsImage.width(); x += k) px[x] = line;
        }
    }
    p.drawImage(target, cellsImage);
    p.restore();
}

} // namespace lc::ui
