#include "shell/ui/MainWindow.h"

#include <QCloseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/ui/CoreStartUp.h"
#include "core/ui/Cursors.h"
#include "core/ui/PrinterDpi.h"
#include "core/ui/ProgramDirs.h"
#include "editor/ui/DrawingPage.h"
#include "knitting/SerialLink.h"
#include "knitting/ui/LinkPage.h"
#include "shell/PictureFiles.h"

namespace lc::ui {

MainWindow::MainWindow(Workspace& ws, QWidget* parent) : QMainWindow(parent), ws_(ws) {
    setObjectName("Form1");
    setWindowTitle("Loopcrafter");
    FormCreate();
}

MainWindow::~MainWindow() {
    FormClose();
}

void MainWindow::FormCreate() {
    // Program location, then the shared objects; start-up survives a missing
    // font, stitch picture or language file, so the pages are always created.
    SetProgramLocation(ws_.Paths);
    AddCoreStartUpHooks(hooks_);
    // Shut-down closes every serial port before anything is released.
    hooks_.closePorts = [this] {
        if (frame41_) frame41_->serialLink().CloseAll();
    };
    StartUp(ws_, hooks_);
    UpdatePrinterDpi(ws_.Printer);
    // A missing or damaged start palette leaves the built-in colours.
    try {
        LoadStartPalette(ws_);
    } catch (const std::exception& e) {
        qWarning("Loopcrafter: start palette: %s", e.what());
    }
    RegisterMainCursors();

    pages_ = new QTabWidget(this);
    static const char* const names[pgCount] = {"Drawing", "Garment Shape", "Link", "Stitch Galleries",
                                               "Fashion", "Converter", "Manual"};
    for (int i = 0; i < pgCount; ++i) {
        auto* w = new QWidget(pages_);
        w->setObjectName(QString("page%1").arg(i));
        new QVBoxLayout(w);
        pageWidgets_[i] = w;
        pages_->addTab(w, names[i]);
    }
    setCentralWidget(pages_);
    resize(1024, 720);
    SetAppMessageSink(this);

    // The page frames, in their creation order: Link page, then the Drawing page.
    frame41_ = new LinkPage(ws_, pageWidgets_[pgLink]);
    addPageFrame(pgLink, frame41_);
    frame21_ = new DrawingPage(ws_, pageWidgets_[pgDrawing]);
    addPageFrame(pgDrawing, frame21_);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) { pageChanged(index); });
}

void MainWindow::addPageFrame(Page p, QWidget* frame) {
    pageWidgets_[p]->layout()->setContentsMargins(0, 0, 0, 0);
    pageWidgets_[p]->layout()->addWidget(frame);
}

void MainWindow::FormClose() {
    if (closed_) return;
    closed_ = true;
    // The Link page's port goes first, so no byte from the adapter reaches
    // an object that is being released; the autosave runs here too, before
    // the shared objects go.
    if (frame41_) frame41_->CloseOpenedComPort();
    ShutDown(ws_, hooks_);
    if (AppMessageSink() == this) SetAppMessageSink(nullptr);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    FormClose();
    e->accept();
}

QWidget* MainWindow::page(Page p) const { return (p >= 0 && p < pgCount) ? pageWidgets_[p] : nullptr; }

// Each page is told when it is shown (the Link page rebuilds its row table).
void MainWindow::pageChanged(int index) {
    switch (index) {
    case pgDrawing:
        if (frame21_) frame21_->OnShowForm();
        break;
    case pgLink:
        if (frame41_) frame41_->OnShowForm();
        break;
    default:
        break;
    }
}

intptr_t MainWindow::appMessage(AppMsg msg, intptr_t wParam, intptr_t lParam) {
    (void)lParam;
    // Packed parameters carry two signed 16-bit words.
    const auto lowWord = [wParam] { return static_cast<int>(static_cast<int16_t>(wParam & 0xFFFF)); };
    const auto highWord = [wParam] { return static_cast<int>(static_cast<int16_t>((wParam >> 16) & 0xFFFF)); };
    switch (msg) {
    // --- the Drawing page ---------------------------------------------------
    case AppMsg::MakeBobbins:
        if (frame21_) frame21_->MakeBobbins();
        break;
    case AppMsg::CancelTool:
        if (frame21_) frame21_->CancelTool();
        break;
    case AppMsg::EnablePatternInsert:
        if (frame21_) frame21_->EnablePatternInsert();
        break;
    case AppMsg::InsertConverted:
        if (frame21_) frame21_->InsertConverted();
        break;
    case AppMsg::DrawingUndoDisable:
        if (frame21_) frame21_->UndoDisable();
        break;
    case AppMsg::DrawingUndoEnable:
        if (frame21_) frame21_->UndoEnable();
        break;
    case AppMsg::GarmentMaskChanged:
        // The garment page rebuilds the mask first (when it exists).
        if (frame21_) frame21_->RepaintPicture();
        break;
    case AppMsg::ShowPosition:
        if (frame21_) frame21_->ShowPosition(lowWord(), highWord());
        break;
    case AppMsg::ShowColorInPalette:
        if (frame21_) frame21_->ShowColorInPalette(static_cast<int>(wParam));
        break;
    case AppMsg::ShowBlockSize:
        if (frame21_) frame21_->ShowBlockSize(lowWord(), highWord());
        break;
    case AppMsg::ReleaseMaskButton:
        if (frame21_) frame21_->ReleaseMaskButton();
        break;
    default:
        break;
    }
    return 0;
}

} // namespace lc::ui
