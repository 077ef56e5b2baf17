#include "editor/ui/DrawingPage.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/ui/ButtonDown.h"
#include "core/CursorIds.h"
#include "core/PatternRaster.h"
#include "core/Numbers.h"
#include "core/PageLinks.h"
#include "core/StitchBitmaps.h"
#include "core/UIText.h"
#include "core/ui/Cursors.h"
#include "editor/ToolCodes.h"
#include "editor/ui/FrameWidgets.h"
#include "editor/ui/PatternPagePrinter.h"
#include "editor/ui/PrintDialog.h"
#include "editor/ui/ScrollRulers.h"
#include "editor/ui/StitchCanvas.h"
#include "editor/ui/TensionCalculatorDialog.h"
#include "editor/ui/TextToolDialog.h"

namespace lc::ui {

namespace {

// The drawing-tool buttons: tag, hint, tool code, canvas cursor (-1: the
// default arrow; the brush and the eraser take the cursor of the brush size).
struct ToolEntry {
    int tag;
    const char* hint;
    ToolCode code;
    int cursor;
};
constexpr ToolEntry kTools[] = {
    {0, "Set Zone Position", toolZonePosition, -1},
    {1, "Add/Remove Rows", toolRows, crAddRemove_Rows},
    {2, "Add/Remove Columns", toolColumns, crAddRemove_Columns},
    {3, "Move", toolMove, crMove},
    {4, "Horizontal Reflection", toolHReflection, crTransformHReflection},
    {5, "Vertical Reflection", toolVReflection, crTransformVReflection},
    {6, "Horizontal Symmetry", toolHSymmetry, crTransformHSymmetry},
    {7, "Vertical Symmetry", toolVSymmetry, crTransformVSymmetry},
    {8, "Horizontal Scale", toolHScale, crTransformHScale},
    {9, "Vertical Scale", toolVScale, crTransformVScale},
    {10, "Cloning", toolCloning, crTransformClone},
    {11, "Rotate", toolRotate, crTransformRotate},
    {12, "Copy Block", toolCopyBlock, crBlockCopy},
    {13, "Cut Block", toolCutBlock, crBlockCut},
    {14, "Paste/Scale Block", toolPasteBlock, crBlockPaste},
    {15, "Paste Pattern", toolPastePattern, crPasteFromGallery},
    {16, "Rectangle", toolRectangle, crRectangle},
    {17, "Filled Rectangle", toolFilledRectangle, crRectangleFilled},
    {18, "Circle", toolCircle, crCircle},
    {19, "Filled Circle", toolFilledCircle, crCircleFilled},
    {20, "Line", toolLine, crLine},
    {21, "Add Text", toolAddText, -1},
    {22, "Star/Polygon", toolStar, crStar},
    {23, "Filled Star/Poligon", toolFilledStar, crStarFilled},
    {24, "Brush", toolBrush, crDraw1x1},
    {25, "Magic Eraser", toolMagicEraser, crEraser1x1},
    {26, "Fill", toolFill, crFill},
    {27, "Dropper", toolDropper, crDropper},
};
constexpr int kTagZone = 0, kTagPasteBlock = 14, kTagPastePattern = 15, kTagAddText = 21, kTagBrush = 24,
              kTagEraser = 25;
// The buttons the chess brush disables: the shapes and "Add Text".
constexpr int kShapeTags[] = {16, 17, 18, 19, 20, 21, 22, 23};
constexpr int kSizeTagBase = 1000;

const ToolEntry* toolOfTag(int tag) {
    for (const ToolEntry& t : kTools)
        if (t.tag == tag) return &t;
    return nullptr;
}

// The tool pictures are the canvas cursors' pictures.
QIcon cursorIcon(int id) {
    const QPixmap pm(QStringLiteral(":/cursors/%1.png").arg(id));
    return pm.isNull() ? QIcon() : QIcon(pm);
}

// The brush-size pictures: 1x1, 2x2, 3x3 and the 3x3 chessboard.
QIcon sizeIcon(int size) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const int n = size == 0 ? 1 : (size == 1 ? 2 : 3);
    const int cell = 4, off = (16 - n * cell) / 2;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const bool on = size != 3 || ((x + y) & 1) == 0;
            p.fillRect(off + x * cell, off + y * cell, cell - 1, cell - 1, on ? Qt::black : Qt::lightGray);
        }
    return QIcon(pm);
}

int rulerScale(int cell, double gauge) {
    if (!std::isfinite(gauge) || gauge <= 0) return 0;
    return roundToIntClamped<int>(static_cast<long double>(cell) * 10 / gauge);
}

} // namespace

// The engine's announcements are the page's own read-outs: straight to the page.
class DrawingPage::Events : public IEditorEvents {
public:
    explicit Events(DrawingPage& page) : page_(page) {}
    void makeBobbins() override { page_.MakeBobbins(); }
    void undoDisable() override { page_.UndoDisable(); }
    void undoEnable() override { page_.UndoEnable(); }
    void showPosition(int column, int row) override { page_.ShowPosition(column, row); }
    void showColorInPalette(int index) override { page_.ShowColorInPalette(index); }
    void showBlockSize(int width, int height) override { page_.ShowBlockSize(width, height); }

private:
    DrawingPage& page_;
};

DrawingPage::DrawingPage(Workspace& ws, QWidget* parent, PageLinks* links)
    : QWidget(parent), ws_(ws), links_(links), events_(std::make_unique<Events>(*this)), librarySource_(ws.Library) {
    setObjectName(QStringLiteral("DrawingPage"));
    colorPicker_ = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(initial, this);
        if (!c.isValid()) return std::nullopt;
        return c;
    };
    FormCreate();
}

DrawingPage::~DrawingPage() = default;

// ---------------------------------------------------------------------------
// Creation and layout

void DrawingPage::FormCreate() {
    markedColor_ = -1;
    // Grab shows the garment page's hand; it is registered here too, so the
    // Drawing page does not depend on which page was made first.
    if (!CursorTable().count(crHandGrab)) RegisterCursor(crHandGrab);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(2);
    auto* top = new QWidget(this);
    outer->addWidget(top);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(2);
    outer->addLayout(middle, 1);
    auto* left = new QWidget(this);
    middle->addWidget(left, 0, Qt::AlignTop);

    panel3_ = new QWidget(this);
    panel3_->setObjectName(QStringLiteral("Panel3"));
    panel3_->setAutoFillBackground(true);
    QPalette pal = panel3_->palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    panel3_->setPalette(pal);
    panel3_->setMinimumSize(200, 150);
    panel3_->installEventFilter(this);
    middle->addWidget(panel3_, 1);

    hRuler_ = new HorizontalScrollRuler(panel3_);
    hRuler_->move(0, hRuler_->y());
    connect(hRuler_, &ScrollRulerBase::changed, this, [this] { horizontalScrollChanged(); });
    vRuler_ = new VerticalScrollRuler(panel3_);
    vRuler_->move(vRuler_->x(), 0);
    hRuler_->setAccessibleName(QStringLiteral("Columns"));
    hRuler_->ruler()->setAccessibleName(QStringLiteral("Column ruler"));
    vRuler_->setAccessibleName(QStringLiteral("Rows"));
    vRuler_->ruler()->setAccessibleName(QStringLiteral("Row ruler"));
    connect(vRuler_, &ScrollRulerBase::changed, this, [this] { horizontalScrollChanged(); });
    canvas_ = new StitchCanvas(ws_, events_.get(), panel3_);
    canvas_->move(0, 0);
    canvas_->setAccessibleName(QStringLiteral("Pattern"));
    canvas_->setPatternSource(&librarySource_);
    connect(canvas_, &StitchCanvas::mouseMovedTo, this, [this](int x, int y) { canvasMouseMoved(x, y); });
    connect(canvas_, &StitchCanvas::originChanged, this, [this] { ChangeRulesStartPos(); });
    unitsBtn_ = new QToolButton(panel3_);
    unitsBtn_->setObjectName(QStringLiteral("UnitsBtn"));
    unitsBtn_->setAutoRaise(true);
    unitsBtn_->resize(25, 25);
    QFont bold = unitsBtn_->font();
    bold.setBold(true);
    unitsBtn_->setFont(bold);
    unitsBtn_->setStyleSheet(QStringLiteral("color: blue"));
    connect(unitsBtn_, &QToolButton::clicked, this, [this] { UnitsBtnClick(); });

    buildToolBars(top, left);
    buildStatusBar();
    // The calculator and the text dialog live as long as the page and keep
    // their values between showings.
    calculator_ = new TensionCalculatorDialog(ws_, this);
    calculator_->setGaugeChanged([this] { GaugeChanged(); });
    textTool_ = new TextToolDialog(ws_, canvas_->engine(), this);
    outer->addWidget(status_);

    canvas_->engine().setTool(toolBrush);
    setCanvasCursor(crDraw1x1);
    FormResize();
    SetRulerUnits();
    MakeBobbins();
    AdjustSize();
    ClearPicture(false);
}

void DrawingPage::buildToolBars(QWidget* top, QWidget* left) {
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(2, 2, 2, 0);
    row->setSpacing(6);
    auto makeButton = [](QWidget* parent, const QString& name, const QString& hint, const QString& text,
                         const QIcon& icon, bool checkable) {
        auto* b = new QToolButton(parent);
        b->setObjectName(name);
        b->setToolTip(hint);
        // Most show a picture only: the hint is also the name a screen reader speaks.
        b->setAccessibleName(hint);
        b->setAutoRaise(true);
        b->setCheckable(checkable);
        if (!icon.isNull()) {
            b->setIcon(icon);
            b->setIconSize(QSize(24, 24));
        } else {
            b->setText(text);
        }
        b->setMinimumSize(28, 28);
        return b;
    };
    auto bar = [&](const char* name) {
        auto* w = new QWidget(top);
        w->setObjectName(QString::fromLatin1(name));
        auto* l = new QHBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(1);
        row->addWidget(w);
        return l;
    };

    // ToolBar4: Open/Menu, Save and Help; the main window binds and enables them.
    QHBoxLayout* tb4 = bar("ToolBar4");
    openBtn_ = makeButton(top, "ToolButton39", "Open/Menu", "Open", {}, false);
    openBtn_->setProperty("tag", 10100);
    saveBtn_ = makeButton(top, "ToolButton40", "Save", "Save", {}, false);
    saveBtn_->setProperty("tag", 10101);
    helpBtn_ = makeButton(top, "ToolButton42", "Help", "?", {}, false);
    for (QToolButton* b : {openBtn_, saveBtn_, helpBtn_}) {
        b->setEnabled(false);
        tb4->addWidget(b);
    }
    printBtn_ = makeButton(top, "ToolButton41", "Print", "Print", {}, false);
    tb4->insertWidget(2, printBtn_);
    connect(printBtn_, &QToolButton::clicked, this, [this] { PrintPattern(); });

    // ToolBar1: brush sizes.
    QHBoxLayout* tb1 = bar("ToolBar1");
    sizes_ = new QButtonGroup(this);
    sizes_->setExclusive(true);
    static const char* const sizeNames[] = {"ToolButton3", "ToolButton6", "ToolButton7", "ToolButton9"};
    static const char* const sizeHints[] = {"1-pixel brush size", "2x2 pixels brush size", "3x3 pixels brush size",
                                            "3x3 pixels chess brush"};
    for (int s = 0; s < 4; ++s) {
        QToolButton* b = makeButton(top, sizeNames[s], sizeHints[s], {}, sizeIcon(s), true);
        b->setProperty("tag", s);
        b->setIconSize(QSize(16, 16));
        sizes_->addButton(b, s);
        tagButtons_[kSizeTagBase + s] = b;
        tb1->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, s] { brushSizeChosen(s); });
    }
    sizes_->button(0)->setChecked(true);

    // ToolBar6: zoom, fit, grab.  ToolBar7: zone, view mode, undo, clear.
    struct TagButton {
        int tag;
        const char* name;
        const char* hint;
        const char* text;
        int icon;
        bool checkable;
    };
    static const TagButton tb6[] = {
        {100, "ToolButton45", "Zoom In", "+", crZoomIn, false},
        {101, "ToolButton46", "Zoom out", "-", crZoomOut, false},
        {102, "ToolButton47", "Fit to Screen", "Fit", -1, false},
        {103, "ToolButton48", "Grab", "Grab", crHandGrab, true},
    };
    static const TagButton tb7[] = {
        {201, "ToolButton53", "Show/Hide Zone", "Zone", -1, true},
        {202, "ToolButton51", "View Mode", "View", -1, true},
        {203, "ToolButton55", "Undo", "Undo", -1, false},
        {204, "ToolButton37", "Clear All", "Clear", -1, false},
    };
    static const TagButton tb2[] = {
        {301, "ToolButton36", "Add Garment", "Garment", -1, true},
        {302, "ToolButton32", "Reflect Garment", "Reflect", -1, false},
        {303, "ToolButton33", "Calculator - Tensions / Yarn Consumption", "Calc", -1, false},
    };
    auto addTagButtons = [&](QWidget* parent, QHBoxLayout* l, const TagButton* list, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            const TagButton& t = list[i];
            QToolButton* b =
                makeButton(parent, QString::fromLatin1(t.name), QString::fromLatin1(t.hint),
                           QString::fromLatin1(t.text), t.icon >= 0 ? cursorIcon(t.icon) : QIcon(), t.checkable);
            b->setProperty("tag", t.tag);
            tagButtons_[t.tag] = b;
            l->addWidget(b);
            const int tag = t.tag;
            if (tag == 301) connect(b, &QToolButton::clicked, this, [this] { addGarmentReleased(); });
            else connect(b, &QToolButton::clicked, this, [this, tag](bool down) { viewButtonClicked(tag, down); });
        }
    };
    addTagButtons(top, bar("ToolBar6"), tb6, std::size(tb6));
    addTagButtons(top, bar("ToolBar7"), tb7, std::size(tb7));
    tagButtons_[203]->setEnabled(false);

    // Panel6 (garment buttons) and Panel8 (star preview): one of them shows.
    panel6_ = new QWidget(top);
    panel6_->setObjectName(QStringLiteral("Panel6"));
    auto* p6 = new QHBoxLayout(panel6_);
    p6->setContentsMargins(0, 0, 0, 0);
    p6->setSpacing(1);
    addTagButtons(panel6_, p6, tb2, std::size(tb2));
    tagButtons_[302]->setEnabled(false);
    row->addWidget(panel6_);

    panel8_ = new QWidget(top);
    panel8_->setObjectName(QStringLiteral("Panel8"));
    auto* p8 = new QHBoxLayout(panel8_);
    p8->setContentsMargins(0, 0, 0, 0);
    p8->setSpacing(2);
    polyVertex_ = new QSlider(Qt::Vertical, panel8_);
    polyVertex_->setObjectName(QStringLiteral("PolyVertexTB"));
    polyVertex_->setToolTip(QStringLiteral("# Vertex"));
    polyVertex_->setAccessibleName(polyVertex_->toolTip());
    polyVertex_->setRange(3, 12);
    polyVertex_->setValue(3);
    polyVertex_->setFixedHeight(48);
    polyBox_ = new StarPreview(panel8_);
    polyBox_->setFixedSize(48, 48);
    polyFactor_ = new QSlider(Qt::Vertical, panel8_);
    polyFactor_->setObjectName(QStringLiteral("PolyFactorTB"));
    polyFactor_->setToolTip(QStringLiteral("Deep"));
    polyFactor_->setAccessibleName(polyFactor_->toolTip());
    polyFactor_->setRange(1, 9);
    polyFactor_->setValue(5);
    polyFactor_->setFixedHeight(48);
    p8->addWidget(polyVertex_);
    p8->addWidget(polyBox_);
    p8->addWidget(polyFactor_);
    polyBox_->setStar(polyVertex_->value(), polyFactor_->value());
    connect(polyVertex_, &QSlider::valueChanged, this, [this] { PolyVertexTBChange(); });
    connect(polyFactor_, &QSlider::valueChanged, this, [this] { PolyVertexTBChange(); });
    row->addWidget(panel8_);
    panel8_->hide();

    // The bobbins of colours A and B.
    bobbinA_ = new BobbinLabel(top);
    bobbinA_->setObjectName(QStringLiteral("Bobin"));
    bobbinA_->setToolTip(QStringLiteral("Color A"));
    bobbinA_->setAccessibleName(bobbinA_->toolTip());
    bobbinA_->setFixedSize(42, 49);
    connect(bobbinA_, &BobbinLabel::clicked, this, [this] { bobbinClicked(); });
    bobbinB_ = new BobbinLabel(top);
    bobbinB_->setObjectName(QStringLiteral("BgBobin"));
    bobbinB_->setToolTip(QStringLiteral("Color B"));
    bobbinB_->setAccessibleName(bobbinB_->toolTip());
    bobbinB_->setFixedSize(42, 49);
    row->addWidget(bobbinA_);
    row->addWidget(bobbinB_);
    row->addStretch(1);

    // ToolBar3: the drawing tools, two columns down the left side.
    auto* grid = new QGridLayout(left);
    grid->setObjectName(QStringLiteral("ToolBar3"));
    grid->setContentsMargins(2, 0, 0, 0);
    grid->setSpacing(1);
    tools_ = new QButtonGroup(this);
    tools_->setExclusive(true);
    // Shown in a sensible order: drawing, shapes, blocks, transforms, rows and zone.
    static const int order[] = {24, 25, 26, 27, 20, 16, 17, 18, 19, 22, 23, 21, 12, 13,
                                14, 15, 3,  7,  6,  5,  4,  8,  9,  10, 11, 1,  2,  0};
    int slot = 0;
    for (int tag : order) {
        const ToolEntry* t = toolOfTag(tag);
        QString name = QStringLiteral("toolButton%1").arg(tag);
        if (tag == kTagZone) name = QStringLiteral("ToolButton44");
        if (tag == kTagPastePattern) name = QStringLiteral("ToolButton19");
        if (tag == kTagBrush) name = QStringLiteral("ToolButton28");
        if (tag == kTagAddText) name = QStringLiteral("ToolButton34");
        const QIcon icon = t->cursor >= 0 ? cursorIcon(t->cursor) : QIcon();
        const QString text = tag == kTagZone ? QStringLiteral("Z") : QStringLiteral("T");
        QToolButton* b = makeButton(left, name, QString::fromLatin1(t->hint), text, icon, tag != kTagAddText);
        b->setProperty("tag", tag);
        tagButtons_[tag] = b;
        grid->addWidget(b, slot / 2, slot % 2);
        ++slot;
        if (tag == kTagAddText) {
            // Not a tool of the group: the click shows the text dialog.
            connect(b, &QToolButton::clicked, this, [this] { ShowTextTool(); });
            continue;
        }
        tools_->addButton(b, tag);
        connect(b, &QToolButton::clicked, this, [this, tag] { toolButtonClicked(tag); });
    }
    tagButtons_[kTagPastePattern]->setEnabled(false);
    tagButtons_[kTagZone]->setEnabled(false);
    tagButtons_[kTagBrush]->setChecked(true);
}

void DrawingPage::buildStatusBar() {
    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    status_->setSizeGripEnabled(false);
    // Panel 0 holds the palette grid.
    auto* panel0 = new QWidget(status_);
    panel0->setFixedWidth(345);
    grid_ = new PaletteGrid(ws_.Raster.Colors, ws_.Editor, panel0);
    grid_->move(2, 1);
    panel0->setFixedHeight(grid_->height() + 2);
    connect(grid_, &PaletteGrid::releasedLeft, this, [this](int c) { paletteReleased(false, c); });
    connect(grid_, &PaletteGrid::releasedRight, this, [this](int c) { paletteReleased(true, c); });
    connect(grid_, &PaletteGrid::doubleClicked, this, [this] { paletteDoubleClicked(); });
    status_->addWidget(panel0);
    static const int widths[] = {40, 40, 80};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(status_);
        l->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        l->setFixedWidth(widths[i]);
        l->setAlignment(Qt::AlignCenter);
        status_->addWidget(l);
        statusPanels_[i] = l;
    }
    technic_ = new TechniquePanel(ws_.UIText, status_);
    technic_->setAccessibleName(QStringLiteral("Technique"));
    technic_->setFixedSize(300, grid_->height());
    status_->addWidget(technic_);
    auto* last = new QLabel(status_);
    last->setFixedWidth(50);
    status_->addWidget(last);
}

void DrawingPage::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FormResize();
}

bool DrawingPage::eventFilter(QObject* watched, QEvent* e) {
    if (watched == panel3_ && e->type() == QEvent::Resize) AdjustSize();
    return QWidget::eventFilter(watched, e);
}

void DrawingPage::FormResize() { AdjustSize(); }

// The rulers run along the bottom and the right edge of the drawing area, the
// units button sits in the corner between them, and the canvas fills the
// rest, ending exactly where the rulers begin so that the ticks meet the cells.
void DrawingPage::AdjustSize() {
    if (!panel3_ || !canvas_) return;
    const int W = panel3_->width(), H = panel3_->height();
    const int hh = hRuler_->height(), vw = vRuler_->width();
    hRuler_->setGeometry(0, H - hh - 2, std::max(0, W - vw - 2), hh);
    vRuler_->setGeometry(W - vw - 2, 0, vw, std::max(0, H - hh - 2));
    unitsBtn_->move(W - 26, H - 26);
    canvas_->setGeometry(0, 0, std::max(1, W - vw - 2), std::max(1, H - hh - 2));
    unitsBtn_->raise();
}

// ---------------------------------------------------------------------------
// Tools

int DrawingPage::brushCursor() const {
    static const int ids[] = {crDraw1x1, crDraw2x2, crDraw3x3, crDrawChess};
    return ids[std::min<int>(ws_.Editor.BrushSize, 3)];
}

int DrawingPage::eraserCursor() const {
    static const int ids[] = {crEraser1x1, crEraser2x2, crEraser3x3, crEraserChess};
    return ids[std::min<int>(ws_.Editor.BrushSize, 3)];
}

void DrawingPage::setCanvasCursor(int id) {
    cursorId_ = id;
    if (id < 0) canvas_->setCursor(Qt::ArrowCursor);
    else canvas_->setCursor(CursorById(id));
}

void DrawingPage::selectBrushTool() {
    // Grab is let go without restoring what it kept: the brush is the tool now.
    SetButtonDown(tagButtons_[103], false);
    tagButtons_[kTagBrush]->setChecked(true);
    canvas_->engine().setTool(toolBrush);
    setCanvasCursor(brushCursor());
    showStarPanel(false);
}

void DrawingPage::showStarPanel(bool star) {
    if (star && panel8_->isHidden()) {
        panel6_->hide();
        panel8_->show();
        polyBox_->update();
    } else if (!star && panel6_->isHidden()) {
        panel8_->hide();
        panel6_->show();
    }
}

void DrawingPage::setShapeButtonsEnabled(bool on) {
    for (int tag : kShapeTags) tagButtons_[tag]->setEnabled(on);
}

void DrawingPage::toolButtonClicked(int tag) {
    const ToolEntry* t = toolOfTag(tag);
    if (!t) return;
    // A new tool starts without the copied block's frame on screen.
    canvas_->engine().clearOverlay();
    if (canvas_->engine().tool() == toolDropper) {
        markedColor_ = -1;
        grid_->setMarkedColor(-1);
    }
    const QAbstractButton* grab = tagButtons_[103];
    int cursor = t->cursor;
    if (tag == kTagBrush) cursor = brushCursor();
    if (tag == kTagEraser) cursor = eraserCursor();
    showStarPanel(t->code == toolStar || t->code == toolFilledStar);
    if (grab->isChecked()) {
        // Grab stays down: the chosen tool waits for its release.
        savedTool_ = t->code;
        savedCursor_ = cursor;
        return;
    }
    canvas_->engine().setTool(t->code);
    setCanvasCursor(cursor);
}

void DrawingPage::brushSizeChosen(int size) {
    ws_.Editor.BrushSize = static_cast<uint8_t>(size);
    if (size <= 2) {
        setShapeButtonsEnabled(true);
    } else {
        setShapeButtonsEnabled(false);
        selectBrushTool();
    }
    int cursor;
    if (tagButtons_[kTagBrush]->isChecked()) cursor = brushCursor();
    else if (tagButtons_[kTagEraser]->isChecked()) cursor = eraserCursor();
    else return;
    if (tagButtons_[103]->isChecked()) savedCursor_ = cursor; // shown again when Grab is released
    else setCanvasCursor(cursor);
}

void DrawingPage::zoomRefresh() {
    BuildStitchBitmaps(ws_);
    canvas_->setCellSize(CellWidths[ws_.Editor.ZoomIndex], ws_.Editor.CellHeights[ws_.Editor.ZoomIndex]);
    SetRulerUnits();
    canvas_->Paint();
}

void DrawingPage::viewButtonClicked(int tag, bool down) {
    switch (tag) {
    case 100:
        if (ws_.Editor.ZoomIndex < kZoomLevels - 1) ++ws_.Editor.ZoomIndex;
        zoomRefresh();
        break;
    case 101:
        if (ws_.Editor.ZoomIndex > 0) --ws_.Editor.ZoomIndex;
        zoomRefresh();
        break;
    case 102:
        ws_.Editor.ZoomIndex = 0;
        BuildStitchBitmaps(ws_);
        canvas_->setCellSize(CellWidths[0], ws_.Editor.CellHeights[0]);
        canvas_->SetOrigin(0, ws_.Editor.ZoneOn ? ws_.Editor.ZoneRow : 0);
        ChangeRulesStartPos();
        SetRulerUnits();
        canvas_->Paint();
        break;
    case 103:
        if (down) {
            savedTool_ = canvas_->engine().tool();
            savedCursor_ = cursorId_;
            canvas_->engine().setTool(toolGrab);
            setCanvasCursor(crHandGrab);
        } else {
            canvas_->engine().setTool(savedTool_);
            setCanvasCursor(savedCursor_);
        }
        break;
    case 201:
        ws_.Editor.ZoneOn = down;
        tagButtons_[kTagZone]->setEnabled(ws_.Editor.ZoneOn);
        if (!ws_.Editor.ZoneOn) selectBrushTool();
        canvas_->Paint();
        break;
    case 202:
        ws_.Editor.ViewMode = down ? 1 : 0;
        canvas_->Paint();
        break;
    case 203: canvas_->model().UndoLast(); break;
    case 204: ClearPicture(true); break;
    case 303: ShowCalculator(); break;
    case 302:
        if (!ws_.Editor.GarmentMode) break;
        ws_.Raster.MirrorMask();
        RepaintPicture();
        break;
    default: break;
    }
}

void DrawingPage::addGarmentReleased() {
    QAbstractButton* garment = tagButtons_[301];
    QAbstractButton* zone = tagButtons_[201];
    QAbstractButton* setZone = tagButtons_[kTagZone];
    ws_.Editor.GarmentMode = garment->isChecked();
    zone->setEnabled(!ws_.Editor.GarmentMode);
    if (ws_.Editor.GarmentMode) {
        ws_.Editor.ZoneOn = false;
        if (setZone->isChecked()) selectBrushTool();
        setZone->setEnabled(false);
        SetButtonDown(setZone, false);
        SetButtonDown(zone, false);
    }
    tagButtons_[302]->setEnabled(ws_.Editor.GarmentMode);
    if (!ws_.Editor.GarmentMode) {
        canvas_->Paint();
    } else if (links_) {
        // The Garment Shape page rebuilds the mask, then this page repaints.
        links_->garmentMaskChanged();
    } else {
        RepaintPicture();
    }
    // Building the mask may have switched garment mode off again.
    SetButtonDown(garment, ws_.Editor.GarmentMode);
    tagButtons_[302]->setEnabled(ws_.Editor.GarmentMode);
    zone->setEnabled(!ws_.Editor.GarmentMode);
}

// ---------------------------------------------------------------------------
// Rulers

void DrawingPage::horizontalScrollChanged() { canvas_->SetOrigin(hRuler_->Position(), vRuler_->Position()); }

void DrawingPage::ChangeRulesStartPos() {
    const ViewGeometry& g = canvas_->geom();
    hRuler_->SetStartPosition(g.FirstVisibleCol);
    vRuler_->SetStartPosition(g.FirstRow);
    // The arrows step on from where the view now stands.
    hRuler_->setPosition(g.FirstVisibleCol);
    vRuler_->setPosition(g.FirstRow);
}

void DrawingPage::SetRulerUnits() {
    const int mode = ws_.Editor.RulerUnitMode % 3;
    const int cw = canvas_->cellWidth(), ch = canvas_->cellHeight();
    QString caption;
    if (mode == 0) {
        const MeasureUnit u = ws_.Settings.Units == 0 ? MeasureUnit::muSm : MeasureUnit::muInch;
        hRuler_->SetScale(rulerScale(cw, ws_.Settings.PixByX));
        hRuler_->SetStitchSize(ws_.Settings.PixByX);
        hRuler_->SetUnits(u);
        vRuler_->SetScale(rulerScale(ch, ws_.Settings.PixByY));
        vRuler_->SetStitchSize(ws_.Settings.PixByY);
        vRuler_->SetUnits(u);
        caption = QString::fromStdString(ws_.UIText[ws_.Settings.Units == 0 ? utUnitCm : utInchMark]);
    } else {
        hRuler_->SetStitchMode(mode == 1 ? StitchNumbering::smNormal : StitchNumbering::smCenter);
        hRuler_->SetMaxStitch(ws_.Raster.Picture.width());
        hRuler_->SetScale(cw);
        hRuler_->SetUnits(MeasureUnit::muStitch);
        vRuler_->SetScale(ch);
        vRuler_->SetUnits(MeasureUnit::muStitch);
        caption = QString::fromStdString(ws_.UIText[utUnitStitches]);
        if (mode == 2) caption += QLatin1Char('*');
    }
    // The arrows reach every column and row of the pattern, and no further.
    hRuler_->setMax(ws_.Raster.Picture.width());
    vRuler_->setMax(ws_.Raster.Picture.height());
    unitsBtn_->setText(caption);
    hRuler_->ruler()->update();
    vRuler_->ruler()->update();
}

void DrawingPage::UnitsBtnClick() {
    ++ws_.Editor.RulerUnitMode;
    SetRulerUnits();
}

void DrawingPage::canvasMouseMoved(int x, int y) {
    hRuler_->DrawCursor(x);
    vRuler_->DrawCursor(y);
}

// ---------------------------------------------------------------------------
// Palette, bobbins, star

void DrawingPage::paletteReleased(bool right, int column) {
    if (column < 0 || column >= PaletteGrid::kCells) return;
    if (right) ws_.Editor.ColorB = static_cast<uint8_t>(column);
    else ws_.Editor.ColorA = static_cast<uint8_t>(column);
    MakeBobbins();
}

void DrawingPage::paletteDoubleClicked() {
    const std::optional<QColor> c = colorPicker_ ? colorPicker_(lastDialogColour_) : std::nullopt;
    if (!c || !c->isValid()) return;
    lastDialogColour_ = *c;
    ws_.Raster.Colors[std::min<size_t>(ws_.Editor.ColorA, 16)] = RGB(c->red(), c->green(), c->blue());
    ws_.Raster.UpdatePalette(0);
    MakeBobbins();
    BuildStitchBitmaps(ws_);
    RepaintPicture();
}

void DrawingPage::bobbinClicked() {
    std::swap(ws_.Editor.ColorA, ws_.Editor.ColorB);
    MakeBobbins();
}

void DrawingPage::PolyVertexTBChange() {
    ws_.Editor.StarDepth = static_cast<uint8_t>(polyFactor_->value());
    ws_.Editor.StarVertices = static_cast<uint8_t>(polyVertex_->value());
    polyBox_->setStar(ws_.Editor.StarVertices, ws_.Editor.StarDepth);
}

QLabel* DrawingPage::bobbinA() const { return bobbinA_; }
QLabel* DrawingPage::bobbinB() const { return bobbinB_; }

QAbstractButton* DrawingPage::button(int tag) const {
    auto it = tagButtons_.find(tag);
    return it == tagButtons_.end() ? nullptr : it->second;
}

QString DrawingPage::statusText(int panel) const {
    return (panel >= 1 && panel <= 3) ? statusPanels_[panel - 1]->text() : QString();
}

QString DrawingPage::technicText() const { return technic_->text(); }

void DrawingPage::ShowTechniqueName(const QString& name) { technic_->setName(name); }

void DrawingPage::setPatternSource(IPatternSource* source) {
    canvas_->setPatternSource(source ? source : &librarySource_);
}

// ---------------------------------------------------------------------------
// Handlers for the main window

void DrawingPage::OnShowForm() {
    // Nothing to prepare: the canvas always shows the raster as it stands.
}

void DrawingPage::ResetView() {
    UndoDisable();
    ws_.Editor.GarmentMode = false;
    ws_.Editor.ZoneOn = false;
    ws_.Editor.ZoneRow = -1;
    showModeButtons();
    // A new pattern: the old steps and the copied block belong to the old one.
    canvas_->model().PatternReplaced();
    ClearPicture(false);
}

void DrawingPage::MakeBobbins() {
    const QImage& tmpl = BobbinTemplate();
    const ColorTable17& colors = ws_.Raster.Colors;
    bobbinA_->setPixmap(QPixmap::fromImage(MakeBobbinImage(tmpl, colors[std::min<size_t>(ws_.Editor.ColorA, 16)])));
    bobbinB_->setPixmap(QPixmap::fromImage(MakeBobbinImage(tmpl, colors[std::min<size_t>(ws_.Editor.ColorB, 16)])));
    grid_->update();
}

void DrawingPage::ShowPosition(int column, int row) {
    statusPanels_[0]->setText(QString::number(column));
    statusPanels_[1]->setText(QString::number(row));
}

void DrawingPage::ShowBlockSize(int width, int height) {
    statusPanels_[2]->setText(QStringLiteral("%1 x %2").arg(width).arg(height));
}

void DrawingPage::ShowColorInPalette(int index) {
    markedColor_ = index;
    grid_->setMarkedColor(index);
}

void DrawingPage::EnablePatternInsert() {
    QAbstractButton* b = tagButtons_[kTagPastePattern];
    b->setEnabled(true);
    SetButtonDown(tagButtons_[103], false);
    b->setChecked(true);
    showStarPanel(false);
    canvas_->engine().setTool(toolPastePattern);
    setCanvasCursor(-1);
}

void DrawingPage::InsertConverted() {
    MakeBobbins();
    BuildStitchBitmaps(ws_);
    SetButtonDown(tagButtons_[103], false);
    tagButtons_[kTagPasteBlock]->setChecked(true);
    showStarPanel(false);
    canvas_->engine().setTool(toolPasteBlock);
    setCanvasCursor(-1);
}

void DrawingPage::CancelTool() { selectBrushTool(); }

void DrawingPage::UndoEnable() { tagButtons_[203]->setEnabled(true); }

void DrawingPage::UndoDisable() { tagButtons_[203]->setEnabled(false); }

void DrawingPage::RepaintPicture() {
    canvas_->Paint();
    SetButtonDown(tagButtons_[301], ws_.Editor.GarmentMode);
    tagButtons_[302]->setEnabled(ws_.Editor.GarmentMode);
}

void DrawingPage::ClearPicture(bool saveUndo) {
    canvas_->model().ClearPattern(saveUndo);
    canvas_->Paint();
}

void DrawingPage::ShowRestoredModes() {
    showModeButtons();
    canvas_->Paint();
}

void DrawingPage::showModeButtons() {
    const bool garment = ws_.Editor.GarmentMode;
    QAbstractButton* zone = tagButtons_[201];
    QAbstractButton* setZone = tagButtons_[kTagZone];
    SetButtonDown(tagButtons_[301], garment);
    tagButtons_[302]->setEnabled(garment);
    zone->setEnabled(!garment);
    SetButtonDown(zone, !garment && ws_.Editor.ZoneOn);
    if (setZone->isChecked()) selectBrushTool();
    SetButtonDown(setZone, false);
    setZone->setEnabled(!garment && ws_.Editor.ZoneOn);
}

void DrawingPage::ReplacePicture(const std::function<void(PatternRaster&)>& apply) {
    canvas_->model().SaveWholePattern();
    apply(ws_.Raster);
    ws_.Raster.Picture.touch();
    canvas_->Paint();
}

void DrawingPage::ReleaseMaskButton() {
    SetButtonDown(tagButtons_[301], false);
    tagButtons_[302]->setEnabled(false);
    tagButtons_[201]->setEnabled(true);
}

// ---------------------------------------------------------------------------
// Text, calculator, printing

void DrawingPage::ShowTextTool() {
    if (textTool_->exec() == QDialog::Accepted) RepaintPicture();
}

void DrawingPage::ShowCalculator() { calculator_->exec(); }

void DrawingPage::GaugeChanged() {
    ws_.Editor.CellHeights = CellHeightsFor(ws_.Settings.PixByX, ws_.Settings.PixByY);
    zoomRefresh();
    if (!ws_.Editor.GarmentMode) return;
    if (links_) links_->garmentMaskChanged(); // rebuilt for the new gauge, then repainted
    else RepaintPicture();
}

void DrawingPage::PrintPattern() {
    PatternPagePrinter page(ws_.Raster, ws_.Editor.BlockRect, ws_.Editor.GarmentMode);
    PrintDialog::ShowPrintSetup(
        this, ws_.Editor.BlockRect, [&page](QPainter& p, const PageRequest& q) { page.render(p, q); },
        QString::fromStdString(ws_.UIText[utReady]),
        [&page](int range) { return !page.source(range).lines.isEmpty(); });
}

} // namespace lc::ui
