#include "knitting/ui/PreviewView.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "core/Workspace.h"
#include "knitting/PreviewModel.h"
#include "knitting/ui/SheetCanvasQt.h"

namespace lc::ui {

// --- PreviewView

PreviewView::PreviewView(lc::PreviewModel& model, const lc::Workspace& ws, QWidget* parent)
    : QWidget(parent), model_(model), ws_(ws) {
    setObjectName("PreView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f = font();
    f.setPixelSize(10);
    setFont(f);
    setMinimumSize(60, 80);
}

const QImage& PreviewView::scaledPicture(const QRect& dest) {
    const lc::PreviewLayout& l = model_.CurrentLayout();
    const PatternRaster& g = ws_.Raster;
    const bool garmentMode = ws_.Editor.GarmentMode;
    QString key = QString("%1,%2,%3,%4,%5,%6,%7,%8,%9")
                      .arg(dest.width())
                      .arg(dest.height())
                      .arg(l.srcLeft)
                      .arg(l.srcWidth)
                      .arg(l.srcRows)
                      .arg(model_.Mirror)
                      .arg(garmentMode)
                      .arg(g.Picture.revision())
                      .arg(g.Mask.revision());
    for (Color c : g.Colors) key += QString::number(c, 16) + ',';
    if (key == cacheKey_) return cached_;
    cacheKey_ = key;

    // The design's rows 0..srcRows-1 are the bottom lines of the picture.
    const int firstLine = g.Height - l.srcRows;
    QImage src(l.srcWidth, l.srcRows, QImage::Format_RGB32);
    for (int y = 0; y < l.srcRows; ++y) {
        const int line = firstLine + y;
        auto* out = reinterpret_cast<QRgb*>(src.scanLine(y));
        const bool inside = line >= 0 && line < g.Picture.height();
        for (int x = 0; x < l.srcWidth; ++x) {
            const int col = l.srcLeft + x;
            const uint8_t v = inside ? g.Picture.at(col, line, kBackgroundIndex) : kBackgroundIndex;
            Color c = g.Colors[std::min<size_t>(v, g.Colors.size() - 1)];
            // With a garment, what lies outside its shape is lightened out
            // (the mask painted over the copy).
            if (garmentMode && g.IsMaskCellSet(col, line)) c = 0xFFFFFF;
            out[x] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
        }
    }
    if (model_.Mirror) src = src.mirrored(true, false);
    cached_ = src.scaled(dest.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return cached_;
}

void PreviewView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    model_.ClientWidth = w;
    model_.ClientHeight = h;
    const lc::PreviewLayout& l = model_.Layout();
    p.fillRect(rect(), Qt::white);
    if (l.valid) {
        const QRect dest(l.left, l.top, l.right - l.left, l.bottom - l.top);
        p.drawImage(dest.topLeft(), scaledPicture(dest));
    }
    // The border: a 2-pixel shadow at the right and the bottom.
    p.setPen(QPen(palette().button().color(), 2));
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.drawLine(w - 1, h - 1, 0, h - 1);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(w - 1, 2, w - 1, h - 1);
    p.drawLine(w - 1, h - 1, 2, h - 1);
    // The header and the marker at the current row (an inverted line, so it
    // shows on every colour).
    p.fillRect(0, 0, w - 2, kPreviewHeader, QColor(192, 192, 192));
    p.setPen(Qt::black);
    p.drawText(QRect(10, 0, w - 12, kPreviewHeader), Qt::AlignVCenter | Qt::AlignLeft,
               QString::fromStdString(l.header));
    const int y = model_.MarkerY();
    if (y >= 0) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(2, y, w - 4, y);
    }
}

void PreviewView::mousePressEvent(QMouseEvent* e) { emit rowPressed(e->position().toPoint().y()); }
void PreviewView::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons()) emit rowDragged(e->position().toPoint().y());
}
void PreviewView::mouseReleaseEvent(QMouseEvent*) { emit rowReleased(); }

// --- ColorInstructionView

ColorInstructionView::ColorInstructionView(const lc::ColorInstruction& state, const lc::ColorTable17& colors,
                                           const lc::YarnColorOrder& colorOrder, QWidget* parent)
    : QWidget(parent), state_(state), colors_(colors), colorOrder_(colorOrder) {
    setObjectName("ColorInstruction");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(96);
}

void ColorInstructionView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const int w = width(), h = height();
    p.fillRect(rect(), QColor(192, 192, 192));
    const QFont glyphs = SymbolFont(16);
    const QFontMetrics fm(glyphs);
    const QString carriage{QChar(char16_t(state_.Carriage))};
    const ColorPanelLayout l = LayoutColorPanel(state_, colors_, colorOrder_, w, h, fm.horizontalAdvance(carriage));
    const QColor ink = toQColor(kYarnPanelInk);

    // Feed lines first, so the bobbins stand over their ends.
    for (const auto& b : l.bobbins) {
        if (!b.fed) continue;
        p.setPen(QPen(toQColor(b.value), b.lineWidth));
        p.drawLine(l.lineStartX, ColorPanelLayout::kLineStartY, b.x, ColorPanelLayout::kBobbinY);
    }
    p.setFont(glyphs);
    p.setPen(ink);
    p.drawText(l.carriageX, 2 + fm.ascent(), carriage);
    const QString bobbin{QChar(char16_t(kBobbinGlyph))};
    const int bw = fm.horizontalAdvance(bobbin);
    QFont numbers = font();
    numbers.setPixelSize(10);
    const QFontMetrics nm(numbers);
    for (const auto& b : l.bobbins) {
        p.setFont(glyphs);
        p.setPen(toQColor(b.value));
        p.drawText(b.x - bw / 2, ColorPanelLayout::kBobbinY + fm.ascent(), bobbin);
        p.setFont(numbers);
        p.setPen(ink);
        p.drawText(b.x, ColorPanelLayout::kNumberY + nm.ascent(), QString::number(b.number));
    }
    // The strip of all the design's colours, newly needed ones circled.
    for (const auto& c : l.palette) {
        const QRect cell(c.left, c.top, c.right - c.left, c.bottom - c.top);
        p.setPen(Qt::NoPen);
        p.fillRect(cell, toQColor(c.value));
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        if (c.changed) {
            p.setPen(QPen(Qt::black, 2));
            p.setBrush(Qt::white);
            p.drawEllipse(QRect(cell.center().x() - 8, cell.top() + 2, 16, cell.height() - 4));
        }
    }
}

// --- CarriageAddInfoView

CarriageAddInfoView::CarriageAddInfoView(QWidget* parent) : QWidget(parent) {
    setObjectName("CarrAddInfo");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(30);
}

void CarriageAddInfoView::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    update();
}

void CarriageAddInfoView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(192, 192, 192));
    const QFont f = SymbolFont(20);
    p.setFont(f);
    p.setPen(toQColor(kYarnPanelInk));
    p.drawText(2, 2 + QFontMetrics(f).ascent(), SymbolText(text_));
}

} // namespace lc::ui
