#pragma once
#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/PageCommands.h"
#include "core/PageLinks.h"
#include "core/StartUp.h"
#include "core/Workspace.h"

class QAction;
class QMenu;
class QTabWidget;
class QTextBrowser;
class QToolButton;

namespace lc::ui {

class ConverterPage;
class DrawingPage;
class GarmentConstructorDialog;
class FashionPage;
class GalleriesPage;
class GarmentShapePage;
class LinkPage;
class HelpWindow;
class PreferencesDialog;
class SoundPlayer;

// The main window: seven pages, and the one place that connects them. Each
// page gets the window as its PageLinks and calls it; the window passes the
// call on to the page that answers it. It starts the workspace up (and shuts
// it down when it closes), restores the autosave when it is first shown and
// writes it when it closes, and gives each page the workspace it works on.
//
// The popup menu (dropped by each page's Open button) and its shortcuts act on
// the current page only. Pages with documents of their own (garments,
// galleries, models) answer the menu through PageCommands; the Garment Shape
// page's mask and garment items go through GarmentCommands.
class MainWindow : public QMainWindow, public PageLinks {
    Q_OBJECT
public:
    enum Page { pgDrawing, pgGarment, pgLink, pgGalleries, pgFashion, pgConverter, pgManual, pgCount };

    // Popup-menu items, by their tag.
    enum MenuTag {
        miLoadPattern = 101,
        miSavePattern = 102,
        miNewPattern = 103,
        miLoadGarment = 201,
        miSaveGarment = 202,
        miNewGarment = 203,
        miLoadModel = 301,
        miSaveModel = 302,
        miLoadPalette = 401,
        miSavePalette = 402,
        miPreferences = 503,
        miHelp = 504,
        miExit = 505,
        miNewGallery = 1001,
        miSaveGallery = 1002,
        miPrint = 1003,
    };

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
    QTextBrowser* manualBrowser() const { return manual_; }
    QMenu* popupMenu() const { return popup_; }
    QAction* menuAction(int tag) const;
    SoundPlayer* soundPlayer() const { return sounds_; }
    HelpWindow* helpWindow() const { return help_; }
    // Created when first asked for.
    PreferencesDialog* preferences();

    // --- hooks for the pages that own documents -------------------------------
    // The page's answers to the menu (null: the page has none yet).
    void setPageCommands(Page p, PageCommands* commands);
    // The Garment Shape page: its documents, mask and garment items.
    void setGarmentCommands(GarmentCommands* garment);
    // The Fashion page's open model, whose garment items the Garment Shape
    // page writes and reads (writeGarmentToModel, readGarmentFromModel).
    void setCollectionModel(std::function<ModelFile*()> model) { collectionModel_ = std::move(model); }
    // Binds a page's Open (its arrow drops the popup menu), Save and Help buttons;
    // any may be null. Help shows `helpTopic`.
    void bindFrameButtons(Page p, QToolButton* open, QToolButton* save, QToolButton* help, int helpTopic = 1);

    // --- menu, buttons and help ------------------------------------------------
    // Shows and enables the popup's items for the current page.
    void updateMenu();
    void MenuClick(int tag);
    // A frame's Open (x00) or Save (x01) button by its tag (10100 ... 50101).
    void FrameButtonClick(int tag);
    // Help topic 1 (contents) or 6 (galleries); nothing when the page is missing.
    void HHelp(int topic);
    // The file dialog; replaceable so that tests can answer it. `filter` is 2
    // for pictures, 3 for palettes; an empty answer means cancelled.
    using FileChooser = std::function<QString(bool save, const QString& folder, int filter, const QString& name)>;
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    // How file errors and the autosave's problems are shown (a message box by default).
    void setErrorPresenter(std::function<void(const QString&)> presenter) { errorPresenter_ = std::move(presenter); }
    // Called with each autosave file's path before it is written; for tests, an
    // exception thrown from it stands for that write failing.
    void setAutosaveWriteCheck(std::function<void(const std::string& path)> check) {
        autosaveWriteCheck_ = std::move(check);
    }

    // --- start-up and closing ------------------------------------------------
    // The autosave file (in the user's data folder).
    QString autosaveFile() const;
    // Writes the autosave; false (reported once) when it could not be written.
    bool AutoSave();
    // Restores the autosave when AutoRestore is on; false when nothing was restored.
    bool AutoLoad();

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
    void showEvent(QShowEvent* e) override;

private:
    void FormCreate();
    void FormClose();
    void pageChanged(int index);
    void addPage(Page p, QWidget* page);
    void buildMenu();
    void createManualPage();
    void openPictureFile(const QString& fileName);
    void savePictureFile(const QString& fileName);
    void openPictureDialog(bool keepName);
    void savePictureDialog();
    void loadPaletteDialog();
    void savePaletteDialog();
    QString chooseFile(bool save, const QString& folder, int filter, const QString& name);
    // The message of the interface's language (English or Russian).
    QString inLanguage(const char* english, const char* russian) const;
    // `now`: a modal box at once; otherwise after the current handler.
    void showError(const QString& message, bool now);
    void editPreferences();
    void machineChanged();
    Page currentPage() const;
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
    QTextBrowser* manual_ = nullptr;
    QMenu* popup_ = nullptr;
    std::map<int, QAction*> actions_;
    PageCommands* commands_[pgCount] = {};
    GarmentCommands* garment_ = nullptr;
    std::unique_ptr<GarmentCommands> garmentCommands_;
    std::unique_ptr<PageCommands> galleriesCommands_;
    std::unique_ptr<PageCommands> fashionCommands_;
    std::function<ModelFile*()> collectionModel_;
    SoundPlayer* sounds_ = nullptr;
    HelpWindow* help_ = nullptr;
    PreferencesDialog* prefs_ = nullptr;
    FileChooser fileChooser_;
    std::function<void(const QString&)> errorPresenter_;
    std::function<void(const std::string&)> autosaveWriteCheck_;
    QString lastPicture_;
    // The garment item of the restored autosave, written back while no
    // Garment Shape page holds the outline.
    std::vector<uint8_t> garmentItem_;
    // The Link page's technique, kept for a Drawing page created after it.
    QString techniqueName_;
    bool shown_ = false;
    bool autosaveFailShown_ = false;
    bool closed_ = false;
};

} // namespace lc::ui
