#pragma once
#include <QMainWindow>
#include <memory>

#include "core/AppMessages.h"

class QTabWidget;

namespace lc::ui {

class SettingsStoreQt;
class DrawingPage;
class LinkPage;

// The main window: seven pages and the router of the application messages.
class MainWindow : public QMainWindow, public IAppMessageSink {
    Q_OBJECT
public:
    enum Page { pgDrawing, pgGarment, pgLink, pgGalleries, pgFashion, pgConverter, pgManual, pgCount };

    explicit MainWindow(QWidget* parent = nullptr);
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

    std::unique_ptr<SettingsStoreQt> settings_;
    QTabWidget* pages_ = nullptr;
    QWidget* pageWidgets_[pgCount] = {};
    DrawingPage* frame21_ = nullptr; // the Drawing page
    LinkPage* frame41_ = nullptr; // the Link page
    bool closed_ = false;
};

} // namespace lc::ui
