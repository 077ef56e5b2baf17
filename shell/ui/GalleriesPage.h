#pragma once
// The Stitch Galleries page: the pattern libraries of the galleries folder,
// the open one's patterns as a thumbnail grid (filtered by technique), the
// selected pattern's preview picture, and, in an editable library, adding the
// drawing's block as a pattern, replacing, deleting, setting techniques and
// the preview picture. "Copy pattern" hands the selected pattern to the
// Drawing page's paste-pattern tool. Every change to a library is saved at
// once (atomically), so switching libraries never loses an edit.
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>

#include "core/PageLinks.h"
#include "core/Workspace.h"
#include "shell/ui/ToolButtons.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QScrollArea;
class QToolButton;
class QWidget;

namespace lc::ui {

class ThumbnailGrid;

class GalleriesPage : public QWidget {
    Q_OBJECT
public:
    enum Tag {
        tagViewBlock = 1,
        tagAdd = 2,
        tagReplace = 3,
        tagSetTechniques = 4,
        tagDelete = 5,
        tagCall = 6,
        tagCopyPattern = 10,
        tagShowFabric = 11,
        tagEditLibrary = 12,
        tagFilter = 13,
    };

    GalleriesPage(Workspace& ws, QWidget* parent = nullptr, PageLinks* links = nullptr);

    void OnShowForm();
    void ScanForLibraries();
    // Asks a name and creates an empty library under it (never over an
    // existing one without asking).
    void NewGallery();
    void SaveGallery();
    // The new library's name given directly (tests, and the dialog's answer).
    bool CreateGallery(const QString& name);
    // The preview picture of the selected pattern from `file` (any picture
    // format, by content), saved as a JPEG in the library's preview folder.
    bool SetPreviewFrom(const QString& file);

    // The selected pattern's index in the library, 65535 for none.
    uint16_t selectedPattern() const { return selected_; }
    void selectPattern(int index);
    QToolButton* button(int tag) const;
    // Open/Menu, Save and Help: the main window binds and enables them.
    QToolButton* openButton() const { return frame_.Open; }
    QToolButton* saveButton() const { return frame_.Save; }
    QToolButton* helpButton() const { return frame_.Help; }
    QListWidget* libraryList() const { return libraries_; }
    QListWidget* techniqueList() const { return techniques_; }
    ThumbnailGrid* grid() const { return grid_; }
    QLabel* previewLabel() const { return preview_; }
    // The preview is stretched into its box (zoom out) or at its own size (zoom in).
    bool previewStretched() const;
    QToolButton* zoomInButton() const { return zoomIn_; }
    QToolButton* zoomOutButton() const { return zoomOut_; }
    QLineEdit* previewName() const { return previewFile_; }
    QString cellCaption(int n) const;
    bool editable() const;

    // How questions and refusals are shown; replaced by tests.
    std::function<bool(const QString& text, const QString& caption)> ask;
    std::function<void(const QString& text)> tell;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void showPreview();
    void clickTool(int tag);
    void openLibrary(int row);
    void enableEditing();
    void addToGallery();
    void replaceInGallery();
    void callFromGallery();
    void deletePattern();
    void setTechniques();
    void findPreview();
    void applyFilter();
    void showPanels();
    void setUpScrollBar();
    void gridClick();
    void frameResize();
    void reDrawSelected();
    void showTech();
    void showBlock();
    void libraryChanged();
    bool saveLibrary();
    uint32_t checkedMask() const;
    QImage thumbnail(int index);
    QImage noPreviewPicture() const;
    QString text(const char* key, const char* fallback) const;

    Workspace& ws_;
    PageLinks* links_;
    uint16_t selected_ = 65535;
    int lastOpened_ = 0;
    bool firstShow_ = true;
    QListWidget* libraries_ = nullptr;
    QListWidget* techniques_ = nullptr;
    ThumbnailGrid* grid_ = nullptr;
    QWidget* panel5_ = nullptr;
    QWidget* previewPanel_ = nullptr;
    QWidget* editPanel_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* block_ = nullptr;
    QLabel* blockWidth_ = nullptr;
    QLabel* blockHeight_ = nullptr;
    QLineEdit* previewFile_ = nullptr;
    QToolButton* zoomIn_ = nullptr;
    QToolButton* zoomOut_ = nullptr;
    QScrollArea* previewArea_ = nullptr;
    FrameButtons frame_;
    std::map<int, QToolButton*> buttons_;
    QImage previewImage_;
    // One picture per pattern, dropped when the library or the colours change.
    std::map<int, QImage> thumbs_;
    ColorTable17 thumbColors_{};
};

} // namespace lc::ui
