#include "knitting/ui/NeedleBedView.h"

#include <QAccessibleActionInterface>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "core/PatternRaster.h"
#include "knitting/NeedleBedModel.h"
#include "knitting/ui/SheetCanvasQt.h"

namespace lc::ui {

namespace {
QRect toQRect(const lc::NeedleBedModel::Rect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
QRgb rgbOf(Color c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }
} // namespace

NeedleBedView::NeedleBedView(lc::NeedleBedModel& bed, QWidget* parent) : QWidget(parent), bed_(bed) {
    // Before anything asks for this widget's accessibility (a name change does).
    EnablePaintedPartsAccessibility();
    setObjectName("NeedleBed");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(10);
    setFont(f);
    bed_.OnInvalidate = [this] { update(); };
}

QString NeedleBedView::partName(int part) const { return part == 0 ? tr("Left point cam") : tr("Right point cam"); }

QRect NeedleBedView::partRect(int part) const { return toQRect(bed_.CamButtonRect(part == 1)); }

bool NeedleBedView::partVisible(int part) const { return bed_.CamVisible(part == 1); }

QStringList NeedleBedView::partActions(int) const {
    return {QAccessibleActionInterface::increaseAction(), QAccessibleActionInterface::decreaseAction()};
}

void NeedleBedView::doPartAction(int part, const QString& action) {
    // As a grab, a one-needle step and a drop with the mouse: the page hears
    // each, and while knitting the drop sends the point cams.
    const bool right = part == 1;
    const int step = action == QAccessibleActionInterface::increaseAction() ? 1 : -1;
    bed_.CamMouseDown(right, 0);
    if (right) bed_.StepRightCam(step);
    else bed_.StepLeftCam(step);
    bed_.CamMouseUp(right);
    update();
}

NeedleBedView::~NeedleBedView() { bed_.OnInvalidate = nullptr; }

void NeedleBedView::resizeEvent(QResizeEvent*) { bed_.Resize(width(), height()); }

const QImage& NeedleBedView::base() {
    const int w = width(), h = height();
    const std::array<int, 8> key = {
        w, h, bed_.FirstVisible(), bed_.EndVisible(), bed_.Pitch(), bed_.Margin(), bed_.LSPos, bed_.RSPos};
    if (key == baseKey_ && !base_.isNull()) return base_;
    baseKey_ = key;
    base_ = QImage(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    const int lsX = std::clamp(bed_.NeedleX(bed_.LSPos), 0, w);
    const int rsX = std::clamp(bed_.NeedleX(bed_.RSPos), lsX, w);
    const QRgb grey = rgbOf(kBedGrey160), silver = rgbOf(kBedSilver), ruler = rgbOf(kRulerGrey);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(base_.scanLine(y));
        // Outside the cams the bed is grey over its whole height; between them
        // silver, with the ruler strip at the bottom.
        std::fill(line, line + lsX, grey);
        std::fill(line + lsX, line + rsX, y >= h - kRulerHeight ? ruler : silver);
        std::fill(line + rsX, line + w, grey);
    }
    QPainter p(&base_);
    const int pitch = bed_.Pitch();
    QFont f = font();
    p.setFont(f);
    const QFontMetrics fm(f);
    for (int n = bed_.FirstVisible(); n < bed_.EndVisible(); ++n) {
        const int cx = bed_.NeedleX(n) + pitch / 2;
        p.setPen(Qt::black);
        p.drawLine(cx, h - 20, cx, h - 16);
        if (!bed_.RulerLine(n)) continue;
        p.setPen(QColor(120, 120, 120));
        p.drawLine(cx, h - 15, cx, 0);
        const QString label = QString::fromStdString(bed_.RulerLabel(n));
        p.setPen(Qt::black);
        if (!label.isEmpty()) p.drawText(cx - fm.horizontalAdvance(label) / 2, h - 3, label);
    }
    return base_;
}

void NeedleBedView::paintBands(QPainter& p) {
    // The bands are written pixel by pixel over a copy of the bed: a few
    // thousand cells a paint, far cheaper than as many fill calls.
    const int w = width(), h = height();
    if (w <= 0 || h <= 0) return;
    bands_ = base(); // shares the pixels until the first write
    const int first = bed_.FirstVisible();
    const int pitch = bed_.Pitch();
    const auto bands = bed_.Bands();
    for (const auto& band : bands) {
        const int top = std::max(0, band.top);
        const int bottom = std::min(h - kRulerHeight, band.top + band.height);
        if (bottom <= top) continue;
        bed_.BandColors(band.row, band.current, colors_, cells_);
        const int lsX = std::clamp(bed_.NeedleX(bed_.LSPos), 0, w);
        const int rsX = std::clamp(bed_.NeedleX(bed_.RSPos), lsX, w);
        for (int y = top; y < bottom; ++y) {
            auto* line = reinterpret_cast<QRgb*>(bands_.scanLine(y));
            std::fill(line + lsX, line + rsX, rgbOf(kBedSilver)); // the band between the cams
            for (size_t i = 0; i < cells_.size(); ++i) {
                if (!cells_[i]) continue;
                const int x0 = bed_.NeedleX(first + static_cast<int>(i));
                // A stitch leaves one pixel between needles; a garment cell outside the cams does not.
                const int cw = cells_[i] == 2 ? std::max(1, pitch - 1) : pitch;
                std::fill(line + std::clamp(x0, 0, w), line + std::clamp(x0 + cw, 0, w), rgbOf(colors_[i]));
            }
        }
    }
    p.drawImage(0, 0, bands_);
    // Each band carries its row number in the margin at the left.
    if (bed_.Margin() < 14 || bands.empty() || bands.front().height < 6) return;
    QFont small = font();
    small.setBold(false);
    small.setPixelSize(std::clamp(bands.front().height + 2, 7, 10));
    p.setFont(small);
    p.setPen(Qt::black);
    const QFontMetrics fm(small);
    QFont bold = small;
    bold.setBold(true);
    for (const auto& band : bands) {
        if (band.row < 0 || band.row >= bed_.Raster().Height || band.top + band.height > h - kRulerHeight) continue;
        if (band.current) {
            // The current row's number stands out.
            p.setFont(bold);
            const QString t = QString::number(band.row);
            p.drawText(QRect(0, band.top - 3, bed_.Margin() - 2, band.height + 6), Qt::AlignRight | Qt::AlignVCenter,
                       t);
            p.setFont(small);
            continue;
        }
        auto it = rowTexts_.find(band.row);
        if (it == rowTexts_.end()) {
            if (rowTexts_.size() > 4096) rowTexts_.clear();
            it = rowTexts_.insert(band.row, QStaticText(QString::number(band.row)));
            it->prepare(QTransform(), small);
        }
        const int tw = static_cast<int>(it->size().width());
        p.drawStaticText(bed_.Margin() - 2 - tw, band.top + (band.height - fm.height()) / 2, *it);
    }
}

void NeedleBedView::paintCam(QPainter& p, bool right) {
    if (!bed_.CamVisible(right)) return;
    const QRect r = toQRect(bed_.CamButtonRect(right));
    // The point cam: a raised button with the cam's wedge pointing up at its needle.
    p.setPen(QColor(90, 90, 90));
    p.setBrush(held_ == (right ? 1 : 0) ? QColor(255, 230, 150) : QColor(235, 235, 235));
    p.drawRoundedRect(r.adjusted(0, 0, -1, -1), 3, 3);
    QPainterPath wedge;
    const int cx = r.center().x() + 1;
    wedge.moveTo(cx, r.top() + 2);
    wedge.lineTo(cx - 7, r.bottom() - 3);
    wedge.lineTo(cx + 7, r.bottom() - 3);
    wedge.closeSubpath();
    p.setBrush(QColor(200, 30, 30));
    p.setPen(Qt::NoPen);
    p.drawPath(wedge);
}

void NeedleBedView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBands(p);
    paintCam(p, false);
    paintCam(p, true);
}

void NeedleBedView::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    for (int c = 0; c < 2; ++c) {
        const bool right = c == 1;
        const auto r = bed_.CamButtonRect(right);
        if (bed_.CamVisible(right) && r.contains(pos.x(), pos.y())) {
            held_ = c;
            bed_.CamMouseDown(right, pos.x() - r.left);
            update();
            return;
        }
    }
}

void NeedleBedView::mouseMoveEvent(QMouseEvent* e) {
    if (held_ < 0) return;
    const bool right = held_ == 1;
    // In the button's own coordinates: the button moves with its cam.
    bed_.CamMouseMove(right, e->position().toPoint().x() - bed_.CamButtonRect(right).left);
}

void NeedleBedView::mouseReleaseEvent(QMouseEvent*) {
    if (held_ < 0) return;
    const bool right = held_ == 1;
    held_ = -1;
    bed_.CamMouseUp(right);
    update();
}

} // namespace lc::ui
