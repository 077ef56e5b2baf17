#pragma once
// The Fashion page: models (".lcm") in category folders of the models folder,
// a thumbnail grid of a category's models, and the open model as a tree of
// sets, drawings, garments and notes. Items are added from the drawing, the
// garment page and the note editor, previewed, and loaded back; a model has a
// name, an author, a preview picture and may be protected.
#include <QDateTime>
#include <QImage>
#include <QWidget>

#include <functional>
#include <map>

#include "core/ModelFile.h"
#include "core/PageLinks.h"
#include "core/Workspace.h"
#include "shell/ui/ToolButtons.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lc::ui {

class ThumbnailGrid;

class FashionPage : public QWidget {
    Q_OBJECT
public:
    enum Tag {
        tagAddSet = 1,
        tagAddDrawing = 2,
        tagAddGarment = 3,
        tagAddNote = 4,
        tagRename = 6,
        tagDelete = 7,
        tagNew = 10,
        tagLoadPreview = 11,
        tagClearPreview = 12,
        tagCropPreview = 13,
    };

    FashionPage(Workspace& ws, QWidget* parent = nullptr, PageLinks* links = nullptr);

    void OnShowForm();
    // Lists the model files of `category` ("" the models folder itself).
    void ScanCollection(const QString& category);
    void ScanCategories();
    // False (header reset, and said so) when the file does not exist.
    bool LoadModel(const QString& file);
    void SaveModel(const QString& file);
    void NewModel();
    void OpenDialog();
    void SaveDialog();
    void clickItemTool(int tag);
    // Loads the selected item: a drawing into the pattern, a garment into the
    // garment page, a note into the note editor.
    void LoadSelectedItem();
    bool SetPreviewFrom(const QString& file);

    ModelFile& model() { return model_; }
    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* authorEdit() const { return author_; }
    QLineEdit* itemNameEdit() const { return itemName_; }
    QCheckBox* protectBox() const { return protect_; }
    QTextEdit* noteEdit() const { return note_; }
    QTreeWidget* tree() const { return tree_; }
    QListWidget* categories() const { return categories_; }
    ThumbnailGrid* grid() const { return grid_; }
    QLabel* itemPreview() const { return itemPreview_; }
    QToolButton* button(int tag) const;
    // Open/Menu, Save and Help: the main window binds and enables them.
    QToolButton* openButton() const { return frame_.Open; }
    QToolButton* saveButton() const { return frame_.Save; }
    QToolButton* helpButton() const { return frame_.Help; }
    QWidget* itemPanel() const { return itemPanel_; }
    QWidget* formatPanel() const { return formatPanel_; }
    int fileCount() const { return static_cast<int>(files_.size()); }
    const QString& category() const { return category_; }

    std::function<bool(const QString& text, const QString& caption)> ask;
    std::function<void(const QString& text)> tell;

private:
    struct Thumb {
        QDateTime Modified;
        qint64 Size = -1;
        QImage Picture;
        QString ModelName;
    };
    void buildUi();
    void setReadOnly(bool readOnly);
    void rebuildTree();
    void treeChanged();
    void drawItemPreview();
    QString folder() const;
    uint16_t activeSetId() const;
    QTreeWidgetItem* addNode(int item, int image, QTreeWidgetItem* parent);
    const Thumb& thumb(const QString& path);
    void setUpScrollBar();

    Workspace& ws_;
    PageLinks* links_;
    ModelFile model_;
    QString category_;
    QStringList files_;
    std::map<QString, Thumb> thumbs_;
    int previewMode_ = 0;
    bool loading_ = false;
    QListWidget* categories_ = nullptr;
    ThumbnailGrid* grid_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* author_ = nullptr;
    QLineEdit* itemName_ = nullptr;
    QCheckBox* protect_ = nullptr;
    QLabel* modelPreview_ = nullptr;
    QLabel* itemPreview_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QTextEdit* note_ = nullptr;
    QWidget* itemPanel_ = nullptr;
    QWidget* formatPanel_ = nullptr;
    QComboBox* fonts_ = nullptr;
    QSpinBox* size_ = nullptr;
    QComboBox* colors_ = nullptr;
    QToolButton* loadItem_ = nullptr;
    FrameButtons frame_;
    std::map<int, QToolButton*> buttons_;
};

} // namespace lc::ui
