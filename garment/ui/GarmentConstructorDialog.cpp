#include "garment/ui/GarmentConstructorDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <system_error>

#include "core/Cp1251.h"
#include "garment/ui/ConstructorIcons.h"
#include "garment/ui/MeasurementGuide.h"

namespace lc::ui {

namespace {

// Every list item is 32 pixels high, room for its picture.
class TallItems : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(s.height(), 36));
        return s;
    }
};

QString fromUtf8(const std::string& s) { return QString::fromStdString(s); }

// The measurement edits in the order of the "Sizes" group, with their captions.
struct EditRow {
    BodyField Field;
    const char* Caption;
};
constexpr EditRow kEditRows[] = {
    {bfNeckSize, "Neck size"},
    {bfBust, "To fit bust"},
    {bfWaist, "To fit waist"},
    {bfHips, "To fit hips"},
    {bfArmLength, "Length of arm"},
    {bfBackLength, "Back length"},
    {bfArmholeDepth, "Arm hole depth"},
    {bfUpperArm, "Upper arm"},
    {bfWrist, "Wrist"},
    {bfLe10, "le10"},
    {bfLe11, "le11"},
    {bfLe12, "le12"},
};

constexpr const char* kKindNames[5] = {"Baby's", "Child's", "Woman's", "Man's", "Custom"};
// What a screen reader calls the property boxes, in the catalogue's field order.
constexpr const char* kPropertyNames[kCatalogueFieldCount] = {"Style",       "Armhole", "Neckline", "Sleeve length",
                                                              "Sleeve kind", "Collar",  "Pocket"};
constexpr int kWomanKind = 2;
constexpr int kCustomKind = 4;

} // namespace

GarmentConstructorDialog::GarmentConstructorDialog(const UITextTable& texts, const Settings& settings,
                                                   const ProgramPaths& paths, std::filesystem::path userDataDir,
                                                   QWidget* parent)
    : QDialog(parent), texts_(texts), settings_(settings), programDir_(paths.AppDir),
      userDataDir_(std::move(userDataDir)) {
    setWindowTitle(QStringLiteral("Garment constructor"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    auto* modelTab = new QWidget;
    auto* sizeTab = new QWidget;
    tabs_->addTab(modelTab, QStringLiteral("Model Constructor"));
    tabs_->addTab(sizeTab, QStringLiteral("Body Size Editor"));
    layout->addWidget(tabs_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = new QPushButton(QStringLiteral("Ok"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &GarmentConstructorDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &GarmentConstructorDialog::reject);

    buildModelTab(modelTab);
    buildSizeTab(sizeTab);

    // A missing or damaged catalogue does not stop the program: the dialog
    // says why and the caller disables its button.
    try {
        catalogue_.Load(programDir_, settings_.LanguageCode);
        filter_ = std::make_unique<CatalogueFilter>(catalogue_.Records());
    } catch (const std::exception& e) {
        catalogueError_ =
            QStringLiteral("The garment catalogue cannot be used: %1").arg(QString::fromStdString(e.what()));
    }
    fillProperty(CatalogueField::Style);
    // Made before the program's window is up: a missing templates file is
    // reported when the user lists templates, not here.
    sizeKind_->setCurrentIndex(kWomanKind);
    fillSizeList(kWomanKind, false);
    updateOk();
}

GarmentConstructorDialog::~GarmentConstructorDialog() = default;

void GarmentConstructorDialog::buildModelTab(QWidget* tab) {
    auto* form = new QVBoxLayout(tab);
    for (int f = 0; f < kCatalogueFieldCount; ++f) {
        auto* box = new QComboBox(tab);
        box->setAccessibleName(QString::fromLatin1(kPropertyNames[f]));
        box->setIconSize(QSize(32, 32));
        box->setItemDelegate(new TallItems(box));
        box->setMinimumWidth(320);
        box->setEnabled(f == 0);
        boxes_[f] = box;
        form->addWidget(box);
        const auto field = static_cast<CatalogueField>(f);
        connect(box, &QComboBox::activated, this, [this, field] { propertyChosen(field); });
    }
    form->addStretch();
}

void GarmentConstructorDialog::buildSizeTab(QWidget* tab) {
    auto* row = new QHBoxLayout(tab);
    // The reference drawings, one page per kind; the page follows the kind
    // of template chosen.
    auto* pictures = new QTabWidget(tab);
    for (int k = 0; k < 4; ++k) pictures->addTab(new MeasurementGuide(k), QString::fromLatin1(kKindNames[k]));
    pictures->setCurrentIndex(kWomanKind);
    row->addWidget(pictures, 1);
    auto* templates = new QGroupBox(QStringLiteral("Templates"), tab);
    auto* tl = new QVBoxLayout(templates);
    sizeKind_ = new QComboBox(templates);
    for (const char* k : kKindNames) sizeKind_->addItem(QString::fromLatin1(k));
    sizeKind_->setAccessibleName(QStringLiteral("Template kind"));
    sizeList_ = new QComboBox(templates);
    sizeList_->setAccessibleName(QStringLiteral("Template"));
    sizeList_->setEditable(true);
    sizeList_->setInsertPolicy(QComboBox::NoInsert);
    newSize_ = new QPushButton(QStringLiteral("New"), templates);
    deleteSize_ = new QPushButton(QStringLiteral("Delete"), templates);
    updateSize_ = new QPushButton(QStringLiteral("Update"), templates);
    tl->addWidget(sizeKind_);
    tl->addWidget(sizeList_);
    auto* tb = new QHBoxLayout;
    tb->addWidget(newSize_);
    tb->addWidget(deleteSize_);
    tb->addWidget(updateSize_);
    tl->addLayout(tb);
    tl->addStretch();
    row->addWidget(templates);

    sizes_ = new QGroupBox(tab);
    auto* form = new QFormLayout(sizes_);
    for (const EditRow& r : kEditRows) {
        auto* e = new QLineEdit(sizes_);
        edits_[r.Field] = e;
        const bool hidden = r.Field == bfLe10 || r.Field == bfLe11 || r.Field == bfLe12;
        if (hidden) {
            e->setVisible(false); // filled from the template, or derived when empty
            continue;
        }
        form->addRow(QString::fromLatin1(r.Caption), e);
    }
    row->addWidget(sizes_);

    connect(sizeKind_, &QComboBox::activated, this, [this, pictures](int k) {
        if (k < 4) pictures->setCurrentIndex(k);
        fillSizeList(k);
    });
    // A name chosen from the list or typed into the box shows its template;
    // choosing it again shows it afresh after the edits were changed.
    connect(sizeList_, &QComboBox::editTextChanged, this, [this] { sizeListChanged(); });
    connect(sizeList_, &QComboBox::activated, this, [this] { sizeListChanged(); });
    connect(newSize_, &QPushButton::clicked, this, &GarmentConstructorDialog::newTemplate);
    connect(updateSize_, &QPushButton::clicked, this, &GarmentConstructorDialog::updateTemplate);
    connect(deleteSize_, &QPushButton::clicked, this, &GarmentConstructorDialog::deleteTemplate);
}

void GarmentConstructorDialog::showEvent(QShowEvent* e) {
    sizes_->setTitle(fromUtf8(UnitNames(texts_)[settings_.Units == 1 ? 1 : 0]));
    QDialog::showEvent(e);
}

void GarmentConstructorDialog::addItem(QComboBox* box, int value, int slot, int picture) {
    box->addItem(QIcon(ConstructorIcon(picture)), fromUtf8(texts_[static_cast<size_t>(slot)]), value);
}

void GarmentConstructorDialog::fillProperty(CatalogueField field) {
    // This box and every later one are emptied.
    for (int f = static_cast<int>(field); f < kCatalogueFieldCount; ++f) {
        boxes_[f]->clear();
        boxes_[f]->setEnabled(false);
    }
    if (!filter_) return;
    QComboBox* box = boxes_[static_cast<int>(field)];
    const QSignalBlocker block(box);
    for (int v : filter_->Offered(field)) {
        switch (field) {
        case CatalogueField::Style: addItem(box, v, utGarmentKindFirst + v - 1, 52 + v); break;
        case CatalogueField::Armhole: {
            static constexpr int pictures[5] = {4, 0, 1, 2, 3};
            addItem(box, v, 111 + v, pictures[v - 1]);
            break;
        }
        case CatalogueField::Neckline: addItem(box, v, 74 + v, 17 + v); break;
        case CatalogueField::SleeveLength: addItem(box, v, 63 + v, 38 + v); break;
        case CatalogueField::SleeveKind:
            if (v == 7) addItem(box, v, 74, 40);
            else addItem(box, v, 67 + v, 43 + v);
            break;
        case CatalogueField::Collar: addItem(box, v, 95 + v, 4 + v); break;
        case CatalogueField::Pocket: addItem(box, v, 108 + v, 49 + v); break;
        }
    }
    box->setCurrentIndex(-1);
    box->setEnabled(box->count() > 0);
}

void GarmentConstructorDialog::propertyChosen(CatalogueField field) {
    QComboBox* box = boxes_[static_cast<int>(field)];
    if (!filter_ || box->currentIndex() < 0) return;
    const int v = box->currentData().toInt();
    switch (field) {
    case CatalogueField::Style:
        filter_->ChooseStyle(v);
        fillProperty(CatalogueField::Armhole);
        break;
    case CatalogueField::Armhole:
        filter_->ChooseArmhole(v);
        fillProperty(CatalogueField::Neckline);
        break;
    case CatalogueField::Pocket: filter_->Choose(field, v); break;
    default:
        filter_->Choose(field, v);
        fillProperty(static_cast<CatalogueField>(static_cast<int>(field) + 1));
        break;
    }
    updateOk();
}

std::filesystem::path GarmentConstructorDialog::templatesFile(int kind) const {
    if (kind == kCustomKind) return userDataDir_ / kCustomTemplatesName;
    return programDir_ / ShippedTemplatesName(settings_.LanguageCode);
}

QString GarmentConstructorDialog::decode(const std::string& bytes) const {
    return fromUtf8(CatalogueTextToUtf8(bytes, settings_.LanguageCode));
}

std::string GarmentConstructorDialog::encode(const QString& text) const {
    if (settings_.LanguageCode == "RUS") return Utf8ToCp1251(text.toStdString());
    // Windows-1252 for the other languages: Latin-1 letters as they are.
    std::string out;
    for (QChar c : text)
        out += c.unicode() < 0x100 && (c.unicode() < 0x80 || c.unicode() >= 0xA0) ? char(c.unicode()) : '?';
    return out;
}

void GarmentConstructorDialog::fillSizeList(int kind, bool report) {
    // Listing is no choice of the user's: the edits keep what they show.
    const QSignalBlocker quiet(sizeList_);
    sizeList_->clear();
    fileTemplates_.clear();
    const std::filesystem::path file = templatesFile(kind);
    std::error_code ec;
    if (kind != kCustomKind || std::filesystem::exists(file, ec)) {
        try {
            fileTemplates_ = ReadTemplates(file);
        } catch (const std::exception& e) {
            if (report) QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(e.what()));
        }
    }
    for (const SizeTemplate& t : fileTemplates_)
        if (t.Kind == kind + 1) sizeList_->addItem(decode(t.Name));
    sizeList_->setCurrentIndex(-1);
    sizeList_->setEditText(QString());
    const bool custom = kind == kCustomKind;
    newSize_->setEnabled(custom);
    deleteSize_->setEnabled(custom);
    updateSize_->setEnabled(custom);
}

void GarmentConstructorDialog::sizeListChanged() {
    // Every record of the listed kind's file that has the box's name is
    // shown in turn, so the last of them stays shown.
    const std::string name = encode(sizeList_->currentText());
    for (auto it = fileTemplates_.rbegin(); it != fileTemplates_.rend(); ++it) {
        if (it->Name == name) {
            fillEditFields(*it);
            return;
        }
    }
}

void GarmentConstructorDialog::fillEditFields(const SizeTemplate& t) {
    const double factor = settings_.Units == 1 ? 1.0 / 2.54 : 1.0;
    const QLocale locale;
    for (int f = 0; f < kBodyFieldCount; ++f) edits_[f]->setText(locale.toString(t.Values[f] * factor, 'f', 1));
    templateShown_ = true;
    updateOk();
}

std::optional<SizeTemplate> GarmentConstructorDialog::getEditFields() const {
    const double factor = settings_.Units == 1 ? 2.54 : 1.0;
    const QLocale locale;
    std::array<std::optional<double>, kBodyFieldCount> typed{};
    for (int f = 0; f < kBodyFieldCount; ++f) {
        const QString text = edits_[f]->text().trimmed();
        if (text.isEmpty()) continue; // MakeTemplate refuses missing visible fields
        bool ok = false;
        double v = locale.toDouble(text, &ok);
        if (!ok) v = text.toDouble(&ok); // a point where the locale has a comma
        if (!ok || !std::isfinite(v)) return std::nullopt;
        typed[f] = v * factor;
    }
    return MakeTemplate(encode(sizeList_->currentText()), typed);
}

void GarmentConstructorDialog::error(int slot) {
    QMessageBox::critical(this, QStringLiteral("Error"), fromUtf8(texts_[static_cast<size_t>(slot)]));
}

void GarmentConstructorDialog::newTemplate() {
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, QApplication::applicationDisplayName(), fromUtf8(texts_[utEnterTemplateName]),
                              QLineEdit::Normal, QString(), &ok);
    if (!ok) return;
    std::optional<SizeTemplate> t = getEditFields();
    if (!t) return error(117);
    if (name.trimmed().isEmpty()) return error(118);
    t->Name = encode(name).substr(0, kTemplateNameMax);
    sizeKind_->setCurrentIndex(kCustomKind);
    fillSizeList(kCustomKind);
    for (const SizeTemplate& l : fileTemplates_)
        if (l.Kind == kCustomKind + 1 && l.Name == t->Name) return error(utRecordNameExists);
    try {
        std::filesystem::create_directories(userDataDir_);
        AppendTemplate(templatesFile(kCustomKind), *t);
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(e.what()));
        return;
    }
    fillSizeList(kCustomKind);
    // The edits keep the values as typed, not as the list would show them.
    const QSignalBlocker quiet(sizeList_);
    sizeList_->setCurrentIndex(sizeList_->count() - 1);
}

void GarmentConstructorDialog::updateTemplate() {
    std::optional<SizeTemplate> t = getEditFields();
    if (!t) return error(117);
    if (t->Name.empty()) return error(118);
    sizeKind_->setCurrentIndex(kCustomKind);
    const QString shown = sizeList_->currentText();
    fillSizeList(kCustomKind);
    try {
        // The name must be that of a custom template; say so instead of
        // doing nothing.
        if (!UpdateTemplate(templatesFile(kCustomKind), *t)) return error(118);
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(e.what()));
        return;
    }
    fillSizeList(kCustomKind);
    const QSignalBlocker quiet(sizeList_);
    sizeList_->setCurrentIndex(sizeList_->findText(shown));
}

void GarmentConstructorDialog::deleteTemplate() {
    const QString name = sizeList_->currentText();
    const std::filesystem::path file = templatesFile(kCustomKind);
    std::error_code ec;
    if (name.isEmpty() || !std::filesystem::exists(file, ec)) return;
    if (QMessageBox::question(this, fromUtf8(texts_[utConfirmation]), name + QStringLiteral("?")) != QMessageBox::Yes)
        return;
    try {
        DeleteTemplates(file, encode(name));
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(e.what()));
    }
    fillSizeList(sizeKind_->currentIndex());
}

void GarmentConstructorDialog::updateOk() { ok_->setEnabled(templateShown_ && filter_ && filter_->HasMatch()); }

void GarmentConstructorDialog::accept() {
    if (!filter_ || !filter_->HasMatch()) return;
    const std::optional<SizeTemplate> t = getEditFields();
    if (!t) return error(117);
    // The pieces are drafted here, so that a model the measurements cannot
    // draw is reported while the dialog is still open and nothing is lost.
    try {
        const BodySize size = BodySize::FromCentimetres(t->Values);
        const uint16_t model = filter_->ModelId();
        GarmentProduct pieces = catalogue_.DraftModel(model, size);
        custom_ = size;
        modelId_ = model;
        sizeIndex_ = kCustomSizeNo;
        pieces_ = std::move(pieces);
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(e.what()));
        return;
    }
    QDialog::accept();
}

} // namespace lc::ui
