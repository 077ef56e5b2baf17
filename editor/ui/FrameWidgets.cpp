#include "editor/ui/FrameWidgets.h"

#include <QAccessibleActionInterface>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/Numbers.h"
#include "core/ui/IndexedImage.h"

namespace lc::ui {

namespace {
QColor qColorOf(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
int roundInt(double v) { return static_cast<int>(roundHalfEven(v)); }
} // namespace

// ---------------------------------------------------------------------------
// Palette grid

PaletteGrid::PaletteGrid(const ColorTable17& colors, const EditorState& editor, QWidget* parent)
    : QWidget(parent), colors_(colors), editor_(editor) {
    // Before anything asks for this widget's accessibility (a name change does).
    EnablePaintedPartsAccessibility();
    setObjectName(QStringLiteral("DrawGrid1"));
    setToolTip(QStringLiteral("Palette"));
    setAccessibleName(QStringLiteral("Palette"));
    setFixedSize(kCells * kPitch + 1, kPitch + 1);
}

QString PaletteGrid::partName(int part) const { return QStringLiteral("Color %1").arg(part); }

QStringList PaletteGrid::partActions(int) const { return {QAccessibleActionInterface::pressAction(), colorBAction()}; }

void PaletteGrid::doPartAction(int part, const QString& action) {
    // As a click with the left or the right button on the cell.
    if (action == colorBAction()) {
        emit releasedRight(part);
        return;
    }
    current_ = part;
    update();
    emit releasedLeft(part);
}

QRect PaletteGrid::cellRect(int column) const { return QRect(column * kPitch + 1, 1, kCellSize, kCellSize); }

void PaletteGrid::setMarkedColor(int index) {
    marked_ = index;
    update();
}

void PaletteGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black); // the grid lines
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    for (int c = 0; c < kCells; ++c) {
        const QRect r = cellRect(c);
        const Color colour = colors_[static_cast<size_t>(c)];
        p.setPen(Qt::black);
        p.setBrush(qColorOf(colour));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        const QColor contrast = qColorOf(ContrastColor(colour));
        p.setPen(contrast);
        const QRect text(r.left() + 6, r.top() + 2, r.width() - 6, r.height() - 2);
        // Both letters overprint when A and B are the same colour.
        if (c == editor_.ColorA) p.drawText(text, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("A"));
        if (c == editor_.ColorB) p.drawText(text, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("B"));
        if (c == marked_) {
            p.setPen(contrast);
            p.setBrush(contrast);
            p.drawEllipse(r.adjusted(2, 2, -3, -3));
        }
    }
}

void PaletteGrid::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int x = e->position().toPoint().x();
    if (x >= 0) current_ = std::min(x / kPitch, kCells - 1);
    update();
}

void PaletteGrid::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        // A release dragged off the grid names no palette cell.
        const int column = e->position().toPoint().x() / kPitch;
        if (column >= 0 && column < kCells) emit releasedRight(column);
        return;
    }
    emit releasedLeft(current_);
}

void PaletteGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        mousePressEvent(e);
        emit doubleClicked();
    }
}

// ---------------------------------------------------------------------------
// Bobbins

void BobbinLabel::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

const QImage& BobbinTemplate() {
    static const QImage img = [] {
        constexpr int W = 42, H = 49;
        const QRgb key = qRgb(0, 255, 0); // never a grey, so never part of the bobbin
        QImage t(W, H, QImage::Format_RGB32);
        t.fill(key);
        auto grey = [](double v) {
            const int g = std::clamp(roundInt(v), 40, 255);
            return qRgb(g, g, g);
        };
        // The wound yarn: a cylinder lit from the left, with the turns of the thread.
        for (int y = 8; y <= 40; ++y)
            for (int x = 5; x <= 36; ++x) {
                const double u = (x - 5) / 31.0;
                double v = 255 * (0.35 + 0.65 * std::sin(std::numbers::pi * (0.15 + 0.85 * u)));
                if ((y + (x / 6)) % 3 == 0) v *= 0.82;
                t.setPixel(x, y, grey(v));
            }
        // Top and bottom flanges: flat discs seen from the side.
        auto flange = [&](int cy) {
            for (int y = cy - 4; y <= cy + 4; ++y)
                for (int x = 1; x <= 40; ++x) {
                    const double dx = (x - 20.5) / 20.0, dy = (y - cy) / 4.5;
                    if (dx * dx + dy * dy > 1.0) continue;
                    t.setPixel(x, y, grey(dy < 0 ? 235 - 40 * dx : 150 - 50 * dx));
                }
        };
        flange(5);
        flange(43);
        return t;
    }();
    return img;
}

QImage MakeBobbinImage(const QImage& tmpl, Color colour) {
    QImage out(tmpl.size(), QImage::Format_ARGB32);
    const QRgb key = tmpl.pixel(0, 0);
    const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
    for (int y = 0; y < tmpl.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(tmpl.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < tmpl.width(); ++x) {
            // Transparency comes from the template, not from the tinted picture:
            // a black colour would otherwise make the whole bobbin vanish.
            if (src[x] == key) {
                dst[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            const double k = qRed(src[x]) / 255.0;
            dst[x] = qRgb(roundInt(r * k), roundInt(g * k), roundInt(b * k));
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Star preview

StarPreview::StarPreview(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("PolyPBox")); }

void StarPreview::setStar(int vertices, int depth) {
    n_ = std::clamp(vertices, 3, 12);
    d_ = std::clamp(depth, 1, 9);
    update();
}

QPolygon StarPreview::StarPolygon(int width, int height, int vertices, int depth) {
    const int cx = width / 2, cy = height / 2;
    const double R = std::min(cx, cy) - 10;
    const double pi = std::numbers::pi;
    const int n = std::max(vertices, 1);
    QPolygon poly;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * pi * i / n, b = pi * (2 * i + 1) / n;
        const double inner = R * std::cos(pi / n) * depth / 5;
        poly << QPoint(cx + roundInt(std::sin(a) * R), cy + roundInt(std::cos(a) * R));
        poly << QPoint(cx + roundInt(std::sin(b) * inner), cy + roundInt(std::cos(b) * inner));
    }
    return poly;
}

void StarPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor face = palette().color(QPalette::Button);
    p.fillRect(rect(), face);
    p.setPen(Qt::black);
    p.setBrush(Qt::red);
    p.drawPolygon(StarPolygon(width(), height(), n_, d_));
}

// ---------------------------------------------------------------------------
// Technique panel

void TechniquePanel::setName(const QString& name) {
    name_ = name;
    update();
}

QString TechniquePanel::text() const {
    QString s = QString::fromStdString(texts_[utTechnique]);
    return s + name_;
}

void TechniquePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawText(QRect(5, 2, width() - 5, height() - 2), Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace lc::ui
