#include "editor/ui/StitchCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cstring>

#include "core/StitchBitmaps.h"

namespace lc::ui {

namespace {

bool toEngineButton(Qt::MouseButton b, MouseButton& out) {
    switch (b) {
    case Qt::LeftButton: out = MouseButton::Left; return true;
    case Qt::RightButton: out = MouseButton::Right; return true;
    case Qt::MiddleButton: out = MouseButton::Middle; return true;
    default: return false; // extra buttons take no part in drawing
    }
}

KeyMods modsOf(const QInputEvent* e) {
    const Qt::KeyboardModifiers m = e->modifiers();
    return KeyMods{m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier)};
}

QPoint pointOf(const QMouseEvent* e) { return e->position().toPoint(); }

// Copies `r` (clipped to both images, same size) from one image to the other.
void copyRect(const QImage& from, QImage& to, QRect r) {
    r &= from.rect();
    r &= to.rect();
    if (r.isEmpty()) return;
    const size_t bytes = static_cast<size_t>(r.width()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(to.scanLine(y) + r.left() * 4, from.constScanLine(y) + r.left() * 4, bytes);
}

} // namespace

StitchCanvas::StitchCanvas(Workspace& ws, IEditorEvents* events, QWidget* parent)
    : QWidget(parent), ws_(ws), gd_(ws.Raster), model_(ws.Raster, ws.Editor, events, this), engine_(model_) {
    setObjectName(QStringLiteral("PatternPanel"));
    // The canvas paints every pixel itself, from its back buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true); // positions (and the dropper's colour) also without a button
    const int z = std::clamp<int>(ws.Editor.ZoomIndex, 0, kZoomLevels - 1);
    model_.geom.Create(CellWidths[static_cast<size_t>(z)], ws.Editor.CellHeights[static_cast<size_t>(z)], width(),
                       height());
}

StitchCanvas::~StitchCanvas() { model_.setScreen(nullptr); }

void StitchCanvas::setCellSize(int width, int height) { model_.geom.setCellSize(width, height); }

PixelBuffer StitchCanvas::bufferOf(QImage& img) {
    return PixelBuffer{reinterpret_cast<uint32_t*>(img.bits()), img.width(), img.height(),
                       static_cast<int>(img.bytesPerLine() / 4)};
}

void StitchCanvas::ensureBuffers() {
    const QSize s(std::max(1, width()), std::max(1, height()));
    if (picture_.size() == s) return;
    picture_ = QImage(s, QImage::Format_RGB32);
    screen_ = QImage(s, QImage::Format_RGB32);
    overlayRect_ = QRect();
}

void StitchCanvas::refreshTiles() {
    const int cw = model_.geom.cellWidth(), ch = model_.geom.cellHeight();
    const StitchPictures& pictures = ws_.Stitches;
    if (tileRevision_ == pictures.Revision && tiles_.width == cw && tiles_.height == ch) return;
    tileRevision_ = pictures.Revision;
    tiles_ = StitchTiles{};
    // The stitch pictures are built for the zoom level's cell; another cell
    // size (or none built) leaves the view in flat colours.
    for (const StitchRgb& b : pictures.Bitmaps)
        if (b.width != cw || b.height != ch || b.rgb.size() < size_t(cw) * size_t(ch) * 3) return;
    const size_t n = size_t(cw) * size_t(ch);
    tilePixels_.resize(n * 16);
    for (size_t i = 0; i < 16; ++i) {
        const StitchRgb& b = pictures.Bitmaps[i];
        uint32_t* t = tilePixels_.data() + i * n;
        for (size_t k = 0; k < n; ++k) {
            const uint8_t* p = b.rgb.data() + k * 3;
            t[k] = 0xFF000000u | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
        }
        tiles_.tile[i] = t;
    }
    tiles_.width = cw;
    tiles_.height = ch;
}

void StitchCanvas::paintAll() {
    if (model_.geom.ClientWidth != width() || model_.geom.ClientHeight != height()) {
        // Painted before the first resize event reached the canvas (a hidden page).
        model_.geom.RecalcGrid(width(), height());
        model_.geom.UpdateForPaint(model_.W());
    }
    if (model_.W() != patternW_ || model_.H() != patternH_) {
        // Another pattern size: steps saved at the old size no longer fit.
        if (patternW_ >= 0) model_.PatternReplaced();
        patternW_ = model_.W();
        patternH_ = model_.H();
    }
    ensureBuffers();
    refreshTiles();
    renderer_.setColours(gd_);
    const RenderOptions opt = RenderOptions::From(ws_.Editor, ws_.CurrentMachine, &tiles_);
    renderer_.render(model_.geom, gd_, opt, bufferOf(picture_));
    std::memcpy(screen_.bits(), picture_.constBits(), static_cast<size_t>(picture_.sizeInBytes()));
    overlayRect_ = QRect();
    const Overlay o = engine_.overlay();
    if (!o.empty()) overlayRect_ = drawOverlay(o);
    update();
}

void StitchCanvas::drawCell(int column, int row) {
    ensureBuffers();
    const PixelRect pr = model_.geom.cellRect(column, row);
    // The cell and its own border one pixel to the right and below.
    const QRect r = QRect(pr.left, pr.top, pr.width + 1, pr.height + 1) & picture_.rect();
    if (r.isEmpty()) return;
    refreshTiles();
    renderer_.renderCell(model_.geom, gd_, RenderOptions::From(ws_.Editor, ws_.CurrentMachine, &tiles_),
                         bufferOf(picture_), column, row);
    copyRect(picture_, screen_, r);
    if (overlayRect_.intersects(r)) {
        update(redrawOverlay() | r);
        return;
    }
    update(r);
}

void StitchCanvas::overlayChanged() {
    ensureBuffers();
    update(redrawOverlay());
}

void StitchCanvas::scrolled() { emit originChanged(); }

QRect StitchCanvas::redrawOverlay() {
    const QRect old = overlayRect_;
    copyRect(picture_, screen_, old);
    overlayRect_ = QRect();
    const Overlay o = engine_.overlay();
    if (!o.empty()) overlayRect_ = drawOverlay(o);
    return old | overlayRect_;
}

// The preview in exclusive-or white: it shows on every cell colour. The clean
// picture below is kept apart, so erasing never depends on drawing twice.
QRect StitchCanvas::drawOverlay(const Overlay& o) {
    if (o.points.empty()) return QRect();
    QPolygon poly;
    for (const PixelPoint& p : o.points) poly << QPoint(p.x, p.y);
    QPainter p(&screen_);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    int penWidth = 1;
    switch (o.kind) {
    case Overlay::Kind::Frame: {
        if (poly.size() < 2) return QRect();
        penWidth = 2;
        p.setPen(QPen(white, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        const QPoint a = poly[0], b = poly[1];
        // One closed outline, so no pixel is inverted twice at the corners.
        p.drawPolygon(QPolygon({a, QPoint(a.x(), b.y()), b, QPoint(b.x(), a.y())}));
        poly = QPolygon({a, b});
        break;
    }
    case Overlay::Kind::Line:
        p.setPen(QPen(white, 1));
        if (poly.size() >= 2) p.drawLine(poly[0], poly[1]);
        break;
    case Overlay::Kind::Polyline:
        p.setPen(QPen(white, 1));
        p.setBrush(Qt::NoBrush);
        if (poly.size() > 2 && poly.first() == poly.last()) {
            poly.removeLast();
            p.drawPolygon(poly);
        } else {
            p.drawPolyline(poly);
        }
        break;
    case Overlay::Kind::FilledPolygon:
        p.setPen(Qt::NoPen);
        p.setBrush(white);
        p.drawPolygon(poly);
        break;
    case Overlay::Kind::Ellipse:
    case Overlay::Kind::FilledEllipse: {
        if (poly.size() < 2) return QRect();
        const QRect box = QRect(poly[0], poly[1]).normalized();
        if (o.kind == Overlay::Kind::Ellipse) {
            p.setPen(QPen(white, 1));
            p.setBrush(Qt::NoBrush);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(white);
        }
        p.drawEllipse(box);
        break;
    }
    case Overlay::Kind::None: return QRect();
    }
    const int m = penWidth + 2;
    return poly.boundingRect().adjusted(-m, -m, m, m) & screen_.rect();
}

void StitchCanvas::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (screen_.isNull()) {
        p.fillRect(rect(), QColor::fromRgb(renderer_.normal(0)));
        return;
    }
    for (const QRect& r : e->region()) p.drawImage(r, screen_, r);
}

void StitchCanvas::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    model_.RecalcGrid(width(), height(), false);
    ensureBuffers();
    // The back buffer is new: render it before it is shown.
    model_.Paint();
}

void StitchCanvas::mousePressEvent(QMouseEvent* e) {
    MouseButton b;
    if (!toEngineButton(e->button(), b)) return;
    const QPoint pt = pointOf(e);
    engine_.MouseDown(b, modsOf(e), pt.x(), pt.y());
}

void StitchCanvas::mouseMoveEvent(QMouseEvent* e) {
    // Qt keeps sending moves to the canvas while a button is held, also
    // outside it: the cells then lie beyond the view, as the engine expects.
    const QPoint pt = pointOf(e);
    engine_.MouseMove(modsOf(e), pt.x(), pt.y());
    emit mouseMovedTo(pt.x(), pt.y());
}

void StitchCanvas::mouseReleaseEvent(QMouseEvent* e) {
    MouseButton b;
    if (!toEngineButton(e->button(), b)) return;
    const QPoint pt = pointOf(e);
    engine_.MouseUp(b, modsOf(e), pt.x(), pt.y());
}

void StitchCanvas::hideEvent(QHideEvent* e) {
    // A page change in mid-drag: the gesture ends without being applied.
    engine_.cancelGesture();
    QWidget::hideEvent(e);
}

} // namespace lc::ui
