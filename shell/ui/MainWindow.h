#pragma once
#include <QMainWindow>
#include <QString>
#include <memory>
#include <string>

#include "core/PageLinks.h"
#include "core/StartUp.h"
#include "core/Workspace.h"

class QTabWidget;

namespace lc::ui {

class ConverterPage;
class DrawingPage;
class GarmentConstructorDialog;
class FashionPage;
class GalleriesPage;
class GarmentShapePage;
class LinkPage;

// The main window: seven pages, and the one place that connects them. Each
// page gets the window as its PageLinks and calls it; the window passes the
// call on to the page that answers it. It starts the workspace up (and shuts
// it down when it closes) and gives each page the workspace it works on.
class MainWindow : public QMainWindow, public PageLinks {
    Q_OBJECT
public:
    enum Page { pgDrawing, pgGarment, pgLink, pgGalleries, pgFashion, pgConverter, pgManual, pgCount };

    explicit MainWindow(Workspace& ws, QWidget* parent = nullptr);
    ~MainWindow() override;

    QTabWidget* pages() const { return pages_; }
    QWidget* page(Page p) const;
    LinkPage* linkPage() const { return linkPage_; }
    DrawingPage* drawingPage() const { return drawingPage_; }
    GarmentShapePage* garmentPage() const { return garmentPage_; }
    GarmentConstructorDialog* constructorDialog() const { return constructor_; }
    GalleriesPage* galleriesPage() const { return galleriesPage_; }
    ConverterPage* converterPage() const { return converterPage_; }
    FashionPage* fashionPage() const { return fashionPage_; }

    // --- PageLinks
    void cancelTool() override;
    void insertPattern() override;
    void insertConverted() override;
    void garmentModeReleased() override;
    void techniqueChanged(const std::string& name) override;
    void garmentMaskChanged() override;
    void writeGarmentToModel(int item) override;
    void readGarmentFromModel(int item) override;
    void showModelDrawing(const ModelFile& model, int item) override;
    // The one place event sounds go.
    void playEventSound(EventSound sound) override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate();
    void FormClose();
    void pageChanged(int index);
    void addPage(Page p, QWidget* page);
    void attachConstructor();

    Workspace& ws_;
    StartUpHooks hooks_;
    QTabWidget* pages_ = nullptr;
    QWidget* pageWidgets_[pgCount] = {};
    DrawingPage* drawingPage_ = nullptr;
    GarmentShapePage* garmentPage_ = nullptr;
    LinkPage* linkPage_ = nullptr;
    // Made once, after the pages; its choices persist between showings.
    GarmentConstructorDialog* constructor_ = nullptr;
    GalleriesPage* galleriesPage_ = nullptr;
    ConverterPage* converterPage_ = nullptr;
    FashionPage* fashionPage_ = nullptr;
    // The Link page's technique, kept for a Drawing page created after it.
    QString techniqueName_;
    bool closed_ = false;
};

} // namespace lc::ui
