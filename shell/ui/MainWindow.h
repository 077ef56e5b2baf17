#pragma once
#include <QMainWindow>
#include <memory>

#include "core/AppMessages.h"

class QTabWidget;

namespace lc::ui {

class SettingsStoreQt;
class TFrame4;

// The main window: seven pages and the router of the application messages.
class TForm1 : public QMainWindow, public IAppMessageSink {
    Q_OBJECT
public:
    enum Page { pgDrawing, pgGarment, pgLink, pgGalleries, pgFashion, pgConverter, pgManual, pgCount };

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    intptr_t appMessage(AppMsg msg, intptr_t wParam, intptr_t lParam) override;

    QTabWidget* pages() const { return pages_; }
    QWidget* page(Page p) const;
    TFrame4* linkPage() const { return frame41_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate();
    void FormClose();

    std::unique_ptr<SettingsStoreQt> settings_;
    QTabWidget* pages_ = nullptr;
    QWidget* pageWidgets_[pgCount] = {};
    bool closed_ = false;

    // --- the Link page (page 2)
    void createLinkPage();
    TFrame4* frame41_ = nullptr;
};

} // namespace lc::ui
