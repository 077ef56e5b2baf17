#pragma once
#include <QMainWindow>
#include <memory>

#include "core/AppMessages.h"
#include "core/StartUp.h"
#include "core/Workspace.h"

class QTabWidget;

namespace lc::ui {

class DrawingPage;
class LinkPage;

// The main window: seven pages and the router of the application messages.
// It starts the workspace up (and shuts it down when it closes) and gives each
// page the parts of it the page works on.
class MainWindow : public QMainWindow, public IAppMessageSink {
    Q_OBJECT
public:
    enum Page { pgDrawing, pgGarment, pgLink, pgGalleries, pgFashion, pgConverter, pgManual, pgCount };

    explicit MainWindow(Workspace& ws, QWidget* parent = nullptr);
    ~MainWindow() override;

    intptr_t appMessage(AppMsg msg, intptr_t wParam, intptr_t lParam) override;

    QTabWidget* pages() const { return pages_; }
    QWidget* page(Page p) const;
    LinkPage* linkPage() const { return frame41_; }
    DrawingPage* Frame21() const { return frame21_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate();
    void FormClose();
    void pageChanged(int index);
    void addPageFrame(Page p, QWidget* frame);

    Workspace& ws_;
    StartUpHooks hooks_;
    QTabWidget* pages_ = nullptr;
    QWidget* pageWidgets_[pgCount] = {};
    DrawingPage* frame21_ = nullptr; // the Drawing page
    LinkPage* frame41_ = nullptr; // the Link page
    bool closed_ = false;
};

} // namespace lc::ui
