#include "knitting/ui/LinkPage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

#include "core/Translator.h"
#include "core/ui/InLanguage.h"
#include "knitting/KnitMachine.h"
#include "knitting/ui/KnitMachinePanel.h"
#include "knitting/ui/NeedleBedView.h"
#include "knitting/ui/PreviewView.h"
#include "knitting/ui/SheetCanvasQt.h"

namespace lc::ui {

// --- the page's small custom controls

// Start and Stop: coloured shapes with a label. They are real buttons: they
// take the keyboard focus (Space presses them), show a focus frame, and carry
// their label as the name a screen reader speaks. A press with the mouse acts
// on release, over the shape.
class ShapeButton : public QAbstractButton {
public:
    ShapeButton(const QString& text, const QString& hint, QWidget* parent) : QAbstractButton(parent) {
        setText(text);
        setToolTip(hint);
        setAccessibleName(text);
        setAccessibleDescription(hint);
        setFixedSize(52, 30);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        connect(this, &QAbstractButton::clicked, this, [this] {
            if (onClick) onClick();
        });
    }
    std::function<void()> onClick;
    void setColor(Color c) {
        if (c == color_) return;
        color_ = c;
        update();
    }
    Color color() const { return color_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(isEnabled() ? Qt::black : Qt::gray, 1));
        p.setBrush(toQColor(color_));
        p.drawRoundedRect(rect().adjusted(1, 1, -2, -2), 6, 6);
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(isEnabled() ? Qt::black : Qt::gray);
        p.drawText(rect(), Qt::AlignCenter, text());
        if (hasFocus()) {
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(rect().adjusted(4, 4, -5, -5), 4, 4);
        }
    }
    // The shape is the whole widget.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

private:
    Color color_ = kBedSilver;
};

// The link lamp: a red circle while idle, green while the link is up.
class Lamp : public QWidget {
public:
    explicit Lamp(QWidget* parent) : QWidget(parent) { setFixedSize(22, 22); }
    void setColor(Color c) {
        if (c == color_) return;
        color_ = c;
        update();
    }
    Color color() const { return color_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(toQColor(color_));
        p.drawEllipse(rect().adjusted(1, 1, -2, -2));
    }

private:
    Color color_ = 0x0000FF;
};

// The row counter: a sunken number; a double-click sets it to 0.
class RowCounterLabel : public QLabel {
public:
    explicit RowCounterLabel(QWidget* parent) : QLabel("0", parent) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setAlignment(Qt::AlignCenter);
        QFont f = font();
        f.setPixelSize(18);
        f.setBold(true);
        setFont(f);
        setMinimumWidth(70);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
    }
    std::function<void()> onDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override {
        if (onDoubleClick) onDoubleClick();
    }
};

namespace {

constexpr Color kLampRed = 0x0000FF;
constexpr Color kLampGreen = 0x00FF00;
constexpr Color kShapeMarked = 0xF0CAA6; // light blue
constexpr Color kShapeSilver = 0xC0C0C0;

// The pictures of the tool buttons, 25 x 25, drawn here.
QIcon toolIcon(int tag) {
    QPixmap pm(25, 25);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen ink(QColor(30, 30, 30), 1.6);
    p.setPen(ink);
    auto magnifier = [&](const QString& sign) {
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QRectF(3, 3, 13, 13));
        p.setPen(QPen(QColor(30, 30, 30), 3));
        p.drawLine(QPointF(14, 14), QPointF(21, 21));
        p.setPen(ink);
        QFont f;
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(3, 2, 13, 13), Qt::AlignCenter, sign);
    };
    auto cam = [&](double x, QColor c) {
        QPainterPath w;
        w.moveTo(x, 13);
        w.lineTo(x - 4, 21);
        w.lineTo(x + 4, 21);
        w.closeSubpath();
        p.fillPath(w, c);
    };
    auto needles = [&](int from, int to, int y0, int y1) {
        for (int x = from; x <= to; x += 3) p.drawLine(x, y0, x, y1);
    };
    switch (tag) {
    case ltZoomIn: magnifier("+"); break;
    case ltZoomOut: magnifier(QString(QChar(0x2212))); break;
    case ltFitBed:
        magnifier("");
        p.drawRect(QRectF(6.5, 6.5, 6, 6));
        break;
    case 13: magnifier("1"); break;
    case ltCamsToGarment:
        p.setBrush(QColor(250, 220, 180));
        p.drawPolygon(QPolygonF({QPointF(7, 2), QPointF(18, 2), QPointF(21, 11), QPointF(4, 11)}));
        needles(3, 22, 12, 13);
        cam(4, QColor(200, 30, 30));
        cam(21, QColor(200, 30, 30));
        break;
    case ltCamsToRow:
        p.setPen(QPen(QColor(30, 30, 30), 3));
        p.drawLine(6, 7, 19, 7);
        p.setPen(ink);
        needles(3, 22, 12, 13);
        cam(6, QColor(200, 30, 30));
        cam(19, QColor(200, 30, 30));
        break;
    case ltCheckDrawing:
        p.setPen(QPen(QColor(0, 130, 0), 3.2));
        p.drawPolyline(QPolygonF({QPointF(4, 13), QPointF(10, 19), QPointF(21, 5)}));
        break;
    case ltDiscretCorrection:
    case ltNoDiscretCorrection: {
        // The garment's edge going up in steps: on one side only, or on both.
        p.setBrush(QColor(250, 220, 180));
        QPolygonF shape = tag == ltDiscretCorrection
                              ? QPolygonF({QPointF(4, 22), QPointF(4, 4), QPointF(21, 4), QPointF(21, 10),
                                           QPointF(17, 10), QPointF(17, 16), QPointF(13, 16), QPointF(13, 22)})
                              : QPolygonF({QPointF(4, 22), QPointF(8, 4), QPointF(17, 4), QPointF(21, 22)});
        p.drawPolygon(shape);
        break;
    }
    case ltNoTrimMask:
    case ltTrimMask:
        p.setBrush(QColor(250, 220, 180));
        p.drawRect(QRectF(5, 4, 15, 17));
        if (tag == ltTrimMask) {
            p.fillRect(QRectF(5, 4, 3, 17), QColor(200, 30, 30));
            p.fillRect(QRectF(17, 4, 3, 17), QColor(200, 30, 30));
        }
        break;
    case ltViewPreview:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 3, 19, 19));
        p.fillRect(QRectF(6, 6, 6, 6), QColor(200, 40, 40));
        p.fillRect(QRectF(12, 12, 7, 7), QColor(40, 80, 200));
        p.setPen(QPen(QColor(0, 0, 0), 1.5));
        p.drawLine(4, 15, 21, 15);
        break;
    case ltViewMachine:
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(2, 8, 21, 10), 3, 3);
        p.setBrush(QColor(90, 90, 90));
        p.drawEllipse(QRectF(10, 10, 5, 5));
        p.drawLine(6, 8, 6, 4);
        p.drawLine(19, 8, 19, 4);
        break;
    case ltViewProtocol:
        p.setBrush(QColor(255, 251, 240));
        p.drawRect(QRectF(4, 2, 17, 21));
        for (int y = 6; y <= 18; y += 4) p.drawLine(7, y, 18, y);
        break;
    case 30100: // open / menu
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(
            QPolygonF({QPointF(2, 7), QPointF(9, 7), QPointF(11, 9), QPointF(22, 9), QPointF(22, 20), QPointF(2, 20)}));
        break;
    case 30101: // save
        p.setBrush(QColor(90, 110, 170));
        p.drawRect(QRectF(3, 3, 19, 19));
        p.fillRect(QRectF(7, 4, 11, 7), Qt::white);
        break;
    case 3: { // help
        p.setBrush(QColor(60, 110, 200));
        p.drawEllipse(QRectF(2, 2, 21, 21));
        QFont f;
        f.setPixelSize(15);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(2, 2, 21, 21), Qt::AlignCenter, "?");
        break;
    }
    default: break;
    }
    return QIcon(pm);
}

QString displayText(const QString& text) {
    // The texts keep their LF CR pairs byte for byte; a box shows one line break.
    QString t = text;
    t.replace("\n\r", "\n");
    t.replace("\r\n", "\n");
    t.remove('\r');
    return t;
}

QGroupBox* group(const QString& title, QWidget* parent) {
    auto* g = new QGroupBox(title, parent);
    QFont f = g->font();
    f.setPixelSize(11);
    g->setFont(f);
    return g;
}

// A group whose read-outs sit side by side (see addValueLabel).
QGroupBox* valueGroup(const char* name, const QString& title, QWidget* parent) {
    QGroupBox* g = group(title, parent);
    g->setObjectName(name);
    auto* h = new QHBoxLayout(g);
    h->setContentsMargins(4, 2, 4, 4);
    return g;
}

// A bold, centred read-out added to the right of a value group's others.
QLabel* addValueLabel(QGroupBox* box, const char* name, const QString& hint, QColor color) {
    auto* l = new QLabel(box);
    box->layout()->addWidget(l);
    l->setObjectName(name);
    l->setToolTip(hint);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont f = l->font();
    f.setPixelSize(15);
    f.setBold(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    l->setMinimumHeight(24);
    return l;
}

} // namespace

// --- LinkPage

LinkPage::LinkPage(Workspace& ws, QWidget* parent, PageLinks* links)
    : QWidget(parent), ws_(ws), bridge_(serial_, this), host_(bridge_, this), ctl_(ws, serial_, host_, this, links) {
    setObjectName("LinkPage");
    FormCreate();
}

LinkPage::~LinkPage() {
    // Nothing may reach the run once it starts to go: no timer, no byte.
    host_.attach(nullptr);
    host_.watchdogTimer().stop();
    host_.emulatorTimer().stop();
    host_.startDelayTimer().stop();
    ctl_.SetView(nullptr);
    // The display widgets paint from the engine's models: they go first.
    delete panel1_;
    delete panel2_;
}

QToolButton* LinkPage::addTool(QWidget* bar, int tag, const QString& hint, bool checkable) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString("tool%1").arg(tag));
    b->setToolTip(hint);
    // The buttons show pictures only: the hint is also the name a screen reader speaks.
    b->setAccessibleName(hint);
    b->setIcon(toolIcon(tag));
    b->setIconSize(QSize(25, 25));
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    bar->layout()->addWidget(b);
    tools_[tag] = b;
    if (tag == 30100 || tag == 30101 || tag == 3)
        connect(b, &QToolButton::clicked, this, [this, tag] { emit toolCommand(tag); });
    else connect(b, &QToolButton::clicked, this, [this, tag] { ctl_.ToolButtonClick(tag); });
    return b;
}

QWidget* LinkPage::makeToolColumn() {
    auto* col = new QWidget(panel1_);
    col->setObjectName("Panel13");
    col->setFixedWidth(140);
    auto* v = new QVBoxLayout(col);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(3);
    auto bar = [&](const char* name) {
        auto* w = new QWidget(col);
        w->setObjectName(name);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(1);
        v->addWidget(w);
        return w;
    };
    QWidget* tb1 = bar("ToolBar1");
    addTool(tb1, 30100, tr("Open"), false);
    addTool(tb1, 30101, tr("Save"), false)->setEnabled(false);
    addTool(tb1, 3, tr("Help"), false);
    static_cast<QHBoxLayout*>(tb1->layout())->addStretch();

    QWidget* tb2 = bar("ToolBar2");
    addTool(tb2, ltZoomIn, tr("Zoom in Needle Bed"), false);
    addTool(tb2, ltZoomOut, tr("Zoom out Needle Bed"), false);
    addTool(tb2, ltFitBed, tr("Fit in Needle Bed"), false);
    addTool(tb2, 13, tr("Actual size"), false)->setEnabled(false);
    static_cast<QHBoxLayout*>(tb2->layout())->addStretch();

    QWidget* tb5 = bar("ToolBar5");
    addTool(tb5, ltCamsToGarment, tr("Set Point Cams to Width of the Garment"), false);
    addTool(tb5, ltCamsToRow, tr("Set Point Cams to Width of the Current Row"), false);
    static_cast<QHBoxLayout*>(tb5->layout())->addStretch();

    QWidget* tb4 = bar("ToolBar4");
    QToolButton* right = addTool(tb4, ltRightSide, tr("Right side"), true);
    QToolButton* wrong = addTool(tb4, ltWrongSide, tr("Wrong side"), true);
    for (QToolButton* b : {right, wrong}) {
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setText(b->toolTip());
        b->setAutoRaise(false);
        QFont f = b->font();
        f.setPixelSize(9);
        b->setFont(f);
        b->setFixedSize(52, 27);
    }
    auto* sides = new QButtonGroup(this);
    sides->addButton(right);
    sides->addButton(wrong);
    addTool(tb4, ltCheckDrawing, tr("Check drawing"), false);

    progressBar1_ = new QProgressBar(col);
    progressBar1_->setObjectName("ProgressBar1");
    progressBar1_->setTextVisible(false);
    progressBar1_->setFixedHeight(10);
    v->addWidget(progressBar1_);

    auto* p12 = new QWidget(col);
    p12->setObjectName("Panel12");
    auto* h12 = new QHBoxLayout(p12);
    h12->setContentsMargins(0, 2, 0, 2);
    h12->setSpacing(3);
    shape2_ = new ShapeButton(tr("Stop"), tr("Stop knitting"), p12);
    shape2_->setObjectName("Shape2");
    shape1_ = new Lamp(p12);
    shape1_->setObjectName("Shape1");
    shape3_ = new ShapeButton(tr("Start"), tr("Start knitting"), p12);
    shape3_->setObjectName("Shape3");
    shape2_->onClick = [this] { ctl_.Stop(); };
    shape3_->onClick = [this] { ctl_.Start(); };
    h12->addWidget(shape2_);
    h12->addWidget(shape1_);
    h12->addWidget(shape3_);
    v->addWidget(p12);

    QWidget* tb6 = bar("ToolBar6");
    QToolButton* discret =
        addTool(tb6, ltDiscretCorrection, tr("Allow increase/decrease stitches on carriage side only."), true);
    QToolButton* anywhere = addTool(tb6, ltNoDiscretCorrection, tr("Allow increase/decrease stitches anywhere."), true);
    discret->setObjectName("btnDiscretCorrection");
    anywhere->setObjectName("btnNoDiscretCorrection");
    auto* corr = new QButtonGroup(this);
    corr->addButton(discret);
    corr->addButton(anywhere);
    QToolButton* noTrim = addTool(tb6, ltNoTrimMask, QString(), true);
    QToolButton* trim = addTool(tb6, ltTrimMask, QString(), true);
    noTrim->setObjectName("btnNoTrimMask");
    trim->setObjectName("btnTrimMask");
    auto* trims = new QButtonGroup(this);
    trims->addButton(noTrim);
    trims->addButton(trim);
    static_cast<QHBoxLayout*>(tb6->layout())->addStretch();

    v->addStretch();
    QWidget* tb3 = bar("ToolBar3");
    auto* views = new QButtonGroup(this);
    views->addButton(addTool(tb3, ltViewPreview, tr("Preview and color instruction"), true));
    views->addButton(addTool(tb3, ltViewMachine, tr("Machine settings"), true));
    QToolButton* proto = addTool(tb3, ltViewProtocol, tr("Protocol"), true);
    proto->setObjectName("ToolButton14");
    views->addButton(proto);
    static_cast<QHBoxLayout*>(tb3->layout())->addStretch();
    return col;
}

QWidget* LinkPage::makeInfoPanel() {
    auto* p5 = new QWidget;
    p5->setObjectName("Panel5");
    p5->setFixedWidth(291);
    auto* v = new QVBoxLayout(p5);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);

    QGroupBox* p11 = group(tr("Main Technique"), p5);
    p11->setObjectName("Panel11");
    auto* g11 = new QVBoxLayout(p11);
    g11->setContentsMargins(4, 2, 4, 4);
    g11->setSpacing(3);
    comboBox2_ = new QComboBox(p11);
    comboBox2_->setObjectName("ComboBox2");
    comboBox2_->setAccessibleName(InLanguage(ws_.Settings, "Main Technique", "Основная техника"));
    g11->addWidget(comboBox2_);
    auto* rc = new QHBoxLayout;
    auto* label1 = new QLabel(tr("RC"), p11);
    label1->setObjectName("Label1");
    staticText1_ = new RowCounterLabel(p11);
    staticText1_->setObjectName("StaticText1");
    staticText1_->setToolTip(tr("Row Counter"));
    staticText1_->setAccessibleName(tr("Row Counter"));
    staticText1_->onDoubleClick = [this] { ctl_.ZeroRowCounter(); };
    rowUp_ = new QToolButton(p11);
    rowUp_->setObjectName("rowCounterUp");
    rowUp_->setArrowType(Qt::UpArrow);
    rowDown_ = new QToolButton(p11);
    rowDown_->setObjectName("rowCounterDown");
    rowDown_->setArrowType(Qt::DownArrow);
    rowUp_->setAccessibleName(tr("Next row"));
    rowDown_->setAccessibleName(tr("Previous row"));
    for (QToolButton* b : {rowUp_, rowDown_}) {
        b->setAutoRepeat(true);
        b->setFixedSize(22, 13);
    }
    connect(rowUp_, &QToolButton::clicked, this, [this] { ctl_.StepRowCounter(ctl_.RowCounter() + 1); });
    connect(rowDown_, &QToolButton::clicked, this, [this] { ctl_.StepRowCounter(ctl_.RowCounter() - 1); });
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(rowUp_);
    arrows->addWidget(rowDown_);
    rc->addWidget(label1);
    rc->addWidget(staticText1_, 1);
    rc->addLayout(arrows);
    g11->addLayout(rc);
    v->addWidget(p11);

    // Two rows of three read-outs: the edges' increase or decrease and the rows
    // without change, then the needles in work between the cams.
    QGroupBox* p16 = valueGroup("Panel16", tr("Increase / Decrease Stitches"), p5);
    label4_ = addValueLabel(p16, "Label4", tr("Increase/ Decrease of Stitches from the Left Side"), Qt::red);
    label6_ = addValueLabel(p16, "Label6", tr("# of rows without changes"), QColor(0, 128, 0));
    label17_ = addValueLabel(p16, "Label17", tr("Increase/ Decrease of Stitches from the Right Side"), Qt::red);
    v->addWidget(p16);

    QGroupBox* p15 = valueGroup("Panel15", tr("Needles in Work"), p5);
    lblLeftWorkStitch_ = addValueLabel(p15, "lblLeftWorkStitch", tr("Left Point Cam Position"), Qt::black);
    lblWide_ = addValueLabel(p15, "lblWide", tr("Stiches in Work"), Qt::black);
    lblRightWorkStitch_ = addValueLabel(p15, "lblRightWorkStitch", tr("Right Point Cam Position"), Qt::black);
    v->addWidget(p15);

    colors_ = new ColorInstructionView(ctl_.ColorPanel(), ws_.Raster.Colors, ctl_.KnitData().ColorOrder, p5);
    colors_->setObjectName("Panel6");
    colors_->setAccessibleName(tr("Yarn colors"));
    v->addWidget(colors_, 1);
    carrInfo_ = new CarriageAddInfoView(p5);
    carrInfo_->setObjectName("pnlMachineSettings");
    carrInfo_->setAccessibleName(tr("Carriage setting"));
    carrInfo_->setFixedHeight(32);
    v->addWidget(carrInfo_);
    return p5;
}

void LinkPage::FormCreate() {
    panel1_ = new QWidget(this);
    panel1_->setObjectName("Panel1");
    auto* h1 = new QHBoxLayout(panel1_);
    h1->setContentsMargins(0, 0, 0, 0);
    h1->setSpacing(2);
    h1->addWidget(makeToolColumn());

    panel3_ = new QStackedWidget(panel1_);
    panel3_->setObjectName("Panel3");
    auto* panel8 = new QWidget;
    panel8->setObjectName("Panel8");
    auto* h8 = new QHBoxLayout(panel8);
    h8->setContentsMargins(20, 4, 4, 4);
    h8->setSpacing(8);
    preview_ = new PreviewView(ctl_.Preview(), ws_, panel8);
    // A click on the preview picks the row to knit next.
    preview_->setAccessibleName(tr("Preview"));
    h8->addWidget(preview_, 1);
    h8->addWidget(makeInfoPanel());
    machine_ = new KnitMachinePanel(ctl_.Machine());
    machine_->setObjectName("Pan7");
    memo1_ = new QPlainTextEdit;
    memo1_->setObjectName("Memo1");
    memo1_->setAccessibleName(InLanguage(ws_.Settings, "Protocol", "Протокол"));
    memo1_->setReadOnly(true);
    memo1_->setMaximumBlockCount(20000); // a long run must not grow the log without end
    memo1_->setStyleSheet("QPlainTextEdit { background: #FFFBF0; }");
    panel3_->addWidget(panel8);
    panel3_->addWidget(machine_);
    panel3_->addWidget(memo1_);
    h1->addWidget(panel3_, 1);

    panel2_ = new QWidget(this);
    panel2_->setObjectName("Panel2");
    auto* v2 = new QVBoxLayout(panel2_);
    v2->setContentsMargins(0, 0, 0, 0);
    v2->setSpacing(0);
    bed_ = new NeedleBedView(ctl_.Bed(), panel2_);
    bed_->setAccessibleName(tr("Needle bed"));
    v2->addWidget(bed_, 1);
    scrollBar1_ = new QScrollBar(Qt::Horizontal, panel2_);
    scrollBar1_->setObjectName("ScrollBar1");
    scrollBar1_->setAccessibleName(tr("Needles shown"));
    scrollBar1_->setSingleStep(5);
    v2->addWidget(scrollBar1_);
    connect(scrollBar1_, &QScrollBar::valueChanged, this, [this](int v) { ctl_.ScrollBed(v); });

    connect(preview_, &PreviewView::rowPressed, this, [this](int y) { ctl_.PreviewPressed(y); });
    connect(preview_, &PreviewView::rowDragged, this, [this](int y) { ctl_.PreviewDragged(y); });
    connect(preview_, &PreviewView::rowReleased, this, [this] { ctl_.PreviewReleased(); });
    connect(comboBox2_, &QComboBox::activated, this,
            [this](int index) { ctl_.ChooseTechnique(comboBox2_->itemData(index).toInt()); });

    // The run's log lines and boxes reach the page after the handler returns.
    connect(&host_, &RunTimerHost::protocolLine, memo1_, &QPlainTextEdit::appendPlainText, Qt::QueuedConnection);
    connect(&host_, &RunTimerHost::protocolCleared, memo1_, &QPlainTextEdit::clear, Qt::QueuedConnection);
    connect(&host_, &RunTimerHost::messageBoxRequested, this, &LinkPage::showBox);
    host_.attach(&ctl_.Run());

    LoadLanguage();
    ctl_.FormCreate();
    for (const auto& t : ctl_.Machine().Techniques)
        if (t->Kind > 0) comboBox2_->addItem(QString::fromStdString(t->Name), t->Kind);
    applyRefresh();
}

void LinkPage::LoadLanguage() {
    auto hint = [this](const char* key, const char* fallback) {
        const std::string t = ws_.Translator.Translate(key);
        return t.empty() ? QString::fromLatin1(fallback) : QString::fromStdString(t);
    };
    for (auto [tag, key, fallback] :
         {std::tuple{ltNoTrimMask, "S02001", "Knit the whole pattern, ignoring the garment shape"},
          std::tuple{ltTrimMask, "S02000", "Knit only the stitches inside the garment shape"}}) {
        tools_[tag]->setToolTip(hint(key, fallback));
        tools_[tag]->setAccessibleName(tools_[tag]->toolTip());
    }
}

void LinkPage::OnShowForm() {
    ctl_.OnShowForm();
    preview_->invalidatePicture();
    applyRefresh();
}

void LinkPage::CloseOpenedComPort() { ctl_.Run().CloseOpenedComPort(); }

void LinkPage::resizeEvent(QResizeEvent*) {
    const int top = std::min(height(), LinkController::BedPanelHeight(height()));
    panel1_->setGeometry(0, 0, width(), top);
    panel2_->setGeometry(0, top, width(), height() - top);
}

void LinkPage::showBox(const QString& text, const QString& caption, bool error) {
    if (presenter_) {
        presenter_(text, caption, error);
        return;
    }
    QMessageBox box(error ? QMessageBox::Critical : QMessageBox::Warning, caption, displayText(text), QMessageBox::Ok,
                    this);
    box.exec();
}

void LinkPage::refresh(unsigned parts) {
    pending_ |= parts;
    if (refreshQueued_) return;
    refreshQueued_ = true;
    QMetaObject::invokeMethod(this, &LinkPage::applyRefresh, Qt::QueuedConnection);
}

void LinkPage::progressMoved() {
    if (!progressBar1_) return;
    progressBar1_->setMaximum(ctl_.ProgressMax());
    // The bar repaints itself here when the new value shows.
    progressBar1_->setValue(ctl_.Progress());
}

void LinkPage::applyRefresh() {
    const unsigned parts = pending_;
    pending_ = 0;
    refreshQueued_ = false;
    if (!panel1_) return;
    const LinkButtons& b = ctl_.Buttons();
    const KnitRun& run = ctl_.Run();

    if (parts & lpLabels) {
        const LinkLabels& l = ctl_.Labels();
        label4_->setText(QString::fromStdString(l.Label4));
        label6_->setText(QString::fromStdString(l.Label6));
        label17_->setText(QString::fromStdString(l.Label17));
        lblLeftWorkStitch_->setText(QString::fromStdString(l.LeftWorkStitch));
        lblWide_->setText(QString::fromStdString(l.Wide));
        lblRightWorkStitch_->setText(QString::fromStdString(l.RightWorkStitch));
    }
    if (parts & (lpButtons | lpRowCounter)) {
        auto set = [&](int tag, bool down, bool enabled) {
            QToolButton* t = tools_[tag];
            const QSignalBlocker block(t);
            t->setChecked(down);
            t->setEnabled(enabled);
        };
        set(ltRightSide, b.RightSideDown, true);
        set(ltWrongSide, b.WrongSideDown, b.WrongSideEnabled);
        set(ltTrimMask, b.TrimMaskDown, true);
        set(ltNoTrimMask, !b.TrimMaskDown, b.NoTrimMaskEnabled);
        set(ltDiscretCorrection, b.DiscretCorrectionDown, true);
        set(ltNoDiscretCorrection, !b.DiscretCorrectionDown, true);
        set(ltViewPreview, b.View == ltViewPreview, true);
        set(ltViewMachine, b.View == ltViewMachine, true);
        set(ltViewProtocol, b.View == ltViewProtocol, true);
        tools_[ltViewProtocol]->setVisible(b.ProtocolButtonVisible);
        panel3_->setCurrentIndex(b.View == ltViewMachine ? 1 : b.View == ltViewProtocol ? 2 : 0);
        comboBox2_->setEnabled(b.ComboEnabled && comboBox2_->count() > 0);
        const bool up = run.LinkUp();
        shape1_->setColor(up ? kLampGreen : kLampRed);
        shape3_->setColor(up ? kShapeMarked : kShapeSilver);
        shape2_->setColor(up ? kShapeSilver : kShapeMarked);
        // Start stays disabled while the run waits to send its start packet.
        shape3_->setEnabled(run.state() != KnitRun::State::Starting);
        staticText1_->setText(QString::number(ctl_.RowCounter()));
        rowUp_->setEnabled(b.RowCounterEnabled && ctl_.RowCounter() < ctl_.RowCounterMax());
        rowDown_->setEnabled(b.RowCounterEnabled && ctl_.RowCounter() > 0);
        staticText1_->setEnabled(b.RowCounterEnabled);
    }
    if (parts & lpTechnique) {
        const QSignalBlocker block(comboBox2_);
        const Technique* t = ctl_.ActiveTechnique();
        const int i = t ? comboBox2_->findData(t->Kind) : -1;
        if (i >= 0) comboBox2_->setCurrentIndex(i);
    }
    if (parts & lpNeedleBed) bed_->update();
    if (parts & lpPreview) preview_->update();
    if (parts & lpColorPanel) colors_->update();
    if (parts & lpSetting) carrInfo_->SetText(ctl_.CarriageSetting());
    if (parts & lpMachine) machine_->sync();
    if (parts & lpScrollBar) {
        const QSignalBlocker block(scrollBar1_);
        scrollBar1_->setPageStep(ctl_.ScrollPage());
        scrollBar1_->setRange(0, ctl_.ScrollMax());
        scrollBar1_->setSingleStep(5);
        scrollBar1_->setValue(ctl_.ScrollPosition());
    }
    if (parts & lpProgress) progressMoved();
}

QToolButton* LinkPage::toolButton(int tag) const {
    auto it = tools_.find(tag);
    return it == tools_.end() ? nullptr : it->second;
}

QWidget* LinkPage::startButton() const { return shape3_; }
QWidget* LinkPage::stopButton() const { return shape2_; }
QWidget* LinkPage::lamp() const { return shape1_; }
Color LinkPage::lampColor() const { return shape1_->color(); }
Color LinkPage::startColor() const { return shape3_->color(); }
Color LinkPage::stopColor() const { return shape2_->color(); }
QLabel* LinkPage::rowCounterLabel() const { return staticText1_; }
QLabel* LinkPage::label(const char* name) const { return findChild<QLabel*>(name); }

} // namespace lc::ui
