#pragma once
#include <QMainWindow>
#include <memory>

#include "core/AppMessages.h"

class QTabWidget;

namespace lc::ui {

class SettingsStoreQt;
class TFrame2;
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
    TFrame2* Frame21() const { return frame21_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate();
    void FormClose();
    void PageControl1Change(int index);
    void addPageFrame(Page p, QWidget* frame);

    std::unique_ptr<SettingsStoreQt> settings_;
    QTabWidget* pages_ = nullptr;
    QWidget* pageWidgets_[pgCount] = {};
    TFrame2* frame21_ = nullptr; // the Drawing page
    TFrame4* frame41_ = nullptr; // the Link page
    bool closed_ = false;
};

} // namespace lc::ui
