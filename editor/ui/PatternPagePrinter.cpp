#include "editor/ui/PatternPagePrinter.h"

#include <QDateTime>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/Environment.h"

namespace lc::ui {

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

    // Each cell becomes a block of k x k pixels here, nearest neighbour, so
    // that no viewer smooths across cells; k is kept to the device's pitch and
    // to a few million pixels in all.
    const QTransform& t = p.worldTransform();
    const double devicePitch = std::min(double(target.width()) / w * t.m11(), double(target.height()) / h * t.m22());
    const double budget = std::sqrt(4.0e6 / (double(w) * h));
    const int k = std::max(1, static_cast<int>(std::min({std::floor(devicePitch), budget, 16.0})));
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(target, k < 2 ? image : image.scaled(w * k, h * k, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    p.restore();
}

} // namespace lc::ui
