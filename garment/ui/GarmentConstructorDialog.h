#pragma once
// The garment constructor: pick a model from the catalogue by seven
// properties, give the body measurements (from a size template or typed), and
// on OK the model's pieces are drafted with those measurements. The caller
// keeps one dialog for the program's run, so its choices persist between
// showings, and reads Pieces() after exec() returns Accepted.
#include <QDialog>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/ProgramPaths.h"
#include "core/Settings.h"
#include "core/UIText.h"
#include "garment/BodySize.h"
#include "garment/CatalogueFilter.h"
#include "garment/GarmentCatalogue.h"
#include "garment/GarmentFile.h"
#include "garment/SizeTemplates.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace lc::ui {

class GarmentConstructorDialog : public QDialog {
    Q_OBJECT
public:
    // The catalogue is read from the program folder when the dialog is made;
    // custom templates live in `userDataDir` (the user's writable folder).
    GarmentConstructorDialog(const UITextTable& texts, const Settings& settings, const ProgramPaths& paths,
                             std::filesystem::path userDataDir, QWidget* parent = nullptr);
    ~GarmentConstructorDialog() override;

    // False when the catalogue is missing or damaged; the Constructor button
    // is then disabled with CatalogueError() as its tip.
    bool CatalogueReady() const { return catalogue_.Loaded(); }
    QString CatalogueError() const { return catalogueError_; }

    // After OK.
    uint16_t ModelId() const { return modelId_; }
    uint8_t SizeIndex() const { return sizeIndex_; }
    const BodySize& CustomBodySize() const { return custom_; }
    const GarmentProduct& Pieces() const { return pieces_; }
    // The catalogue as read when the dialog was made.
    const GarmentCatalogue& Catalogue() const { return catalogue_; }

    // For callers and tests: the boxes in order (kind, armhole, neckline,
    // sleeve length, sleeve kind, collar, pocket), the template kind and list,
    // and the edit of each body field.
    QComboBox* PropertyBox(CatalogueField field) const { return boxes_[static_cast<int>(field)]; }
    QComboBox* TemplateKindBox() const { return sizeKind_; }
    QComboBox* TemplateListBox() const { return sizeList_; }
    QLineEdit* MeasurementEdit(BodyField field) const { return edits_[field]; }
    QPushButton* OkButton() const { return ok_; }
    const CatalogueFilter* Filter() const { return filter_.get(); }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void buildModelTab(QWidget* tab);
    void buildSizeTab(QWidget* tab);
    void addItem(QComboBox* box, int value, int slot, int picture);
    void fillProperty(CatalogueField field);
    void propertyChosen(CatalogueField field);
    void fillSizeList(int kind, bool report = true);
    void sizeListChanged();
    void fillEditFields(const SizeTemplate& t);
    std::optional<SizeTemplate> getEditFields() const;
    void newTemplate();
    void updateTemplate();
    void deleteTemplate();
    void accept() override;
    void updateOk();
    void error(int slot);
    std::filesystem::path templatesFile(int kind) const;
    QString decode(const std::string& bytes) const;
    std::string encode(const QString& text) const;

    const UITextTable& texts_;
    const Settings& settings_;
    std::filesystem::path programDir_;
    std::filesystem::path userDataDir_;

    GarmentCatalogue catalogue_;
    QString catalogueError_;
    std::unique_ptr<CatalogueFilter> filter_;
    bool templateShown_ = false;
    // The listed kind's whole file as read for the list (every kind's records:
    // a typed name is looked up among them all). Every change to the file
    // lists it again.
    std::vector<SizeTemplate> fileTemplates_;

    QTabWidget* tabs_ = nullptr;
    std::array<QComboBox*, kCatalogueFieldCount> boxes_{};
    QComboBox* sizeKind_ = nullptr;
    QComboBox* sizeList_ = nullptr;
    QPushButton* newSize_ = nullptr;
    QPushButton* deleteSize_ = nullptr;
    QPushButton* updateSize_ = nullptr;
    QGroupBox* sizes_ = nullptr;
    std::array<QLineEdit*, kBodyFieldCount> edits_{};
    QPushButton* ok_ = nullptr;

    uint16_t modelId_ = 0;
    uint8_t sizeIndex_ = 0;
    BodySize custom_;
    GarmentProduct pieces_;
};

} // namespace lc::ui
