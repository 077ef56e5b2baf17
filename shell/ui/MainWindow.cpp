#include "shell/ui/MainWindow.h"

#include <QCloseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/Globals.h"
#include "core/SettingsStore.h"
#include "core/StartUp.h"
#include "core/ui/CoreStartUp.h"
#include "core/ui/Cursors.h"
#include "core/ui/PrinterDpi.h"
#include "core/ui/ProgramDirs.h"
#include "core/ui/SettingsStoreQt.h"
#include "shell/PictureFiles.h"
#include "knitting/ui/LinkPage.h"

namespace lc::ui {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form1");
    setWindowTitle("Loopcrafter");
    FormCreate();
}

TForm1::~TForm1() {
    FormClose();
}

void TForm1::FormCreate() {
    // Program location, then the shared objects; start-up survives a missing
    // font, stitch picture or language file, so the pages are always created.
    SetProgramLocation();
    settings_ = std::make_unique<SettingsStoreQt>();
    setSettingsStore(settings_.get());
    InstallCoreStartUpHooks();
    StartUp();
    UpdatePrinterDpi();
    // A missing or damaged start palette leaves the built-in colours.
    try {
        LoadStartPalette(lc::AppDir);
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
    createLinkPage();
}

// --- the Link page: created once, told each time it is shown, closed with the window.
void TForm1::createLinkPage() {
    frame41_ = new TFrame4(pageWidgets_[pgLink]);
    pageWidgets_[pgLink]->layout()->setContentsMargins(0, 0, 0, 0);
    pageWidgets_[pgLink]->layout()->addWidget(frame41_);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == pgLink && frame41_) frame41_->OnShowForm();
    });
}

void TForm1::FormClose() {
    if (closed_) return;
    closed_ = true;
    // The Link page's port goes first, so no byte from the adapter reaches
    // an object that is being released; the autosave runs here too, before
    // the shared objects go.
    if (frame41_) frame41_->CloseOpenedComPort();
    ShutDown();
    if (AppMessageSink() == this) SetAppMessageSink(nullptr);
    if (&settingsStore() == settings_.get()) setSettingsStore(nullptr);
}

void TForm1::closeEvent(QCloseEvent* e) {
    FormClose();
    e->accept();
}

QWidget* TForm1::page(Page p) const { return (p >= 0 && p < pgCount) ? pageWidgets_[p] : nullptr; }

intptr_t TForm1::appMessage(AppMsg msg, intptr_t wParam, intptr_t lParam) {
    (void)wParam;
    (void)lParam;
    switch (msg) {
    default:
        break;
    }
    return 0;
}

} // namespace lc::ui
