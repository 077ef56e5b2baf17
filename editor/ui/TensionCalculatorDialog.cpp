#include "editor/ui/TensionCalculatorDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>

#include "core/UIText.h"

namespace lc::ui {

namespace {
constexpr int kTemplateFields = 4;
} // namespace

TensionCalculatorDialog::TensionCalculatorDialog(Workspace& ws, QWidget* parent) : QDialog(parent), ws_(ws) {
    setObjectName(QStringLiteral("TensionCalculatorDialog"));
    setWindowTitle(QStringLiteral("Tensions & yarn consumption"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    const QString dp = QLocale().decimalPoint();
    separator_ = dp.size() == 1 && dp[0].unicode() < 128 ? static_cast<char>(dp[0].unicode()) : '.';

    auto edit = [this](QWidget* parent, const QString& hint, int maxLength, bool numeric) {
        auto* e = new QLineEdit(parent);
        e->setToolTip(hint);
        e->setAccessibleName(hint);
        e->setMaxLength(maxLength);
        e->setMaximumWidth(90);
        if (numeric) e->installEventFilter(this);
        return e;
    };
    // A preset list with its New, Delete and Update buttons.
    auto presetGroup = [](QWidget* parent, const QString& title, QComboBox*& box,
                          const std::array<std::function<void()>, 3>& actions) {
        auto* g = new QGroupBox(title, parent);
        auto* l = new QHBoxLayout(g);
        box = new QComboBox(g);
        box->setAccessibleName(title.trimmed());
        box->setMinimumWidth(140);
        l->addWidget(box, 1);
        const char* captions[] = {"New", "Delete", "Update"};
        const char* hints[] = {"Create new preset", "Delete preset", "Update current preset"};
        for (size_t i = 0; i < 3; ++i) {
            auto* b = new QPushButton(QString::fromLatin1(captions[i]), g);
            b->setToolTip(QString::fromLatin1(hints[i]));
            b->setAutoDefault(false);
            QObject::connect(b, &QPushButton::clicked, g, actions[i]);
            l->addWidget(b);
        }
        return g;
    };

    auto* outer = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    outer->addWidget(pages_);
    const QStringList units = {QStringLiteral("Cm"), QStringLiteral("Inches")};

    // Tensions.
    tensionPage_ = new QWidget(pages_);
    auto* tl = new QVBoxLayout(tensionPage_);
    tl->addWidget(presetGroup(tensionPage_, QStringLiteral(" Templates "), templateBox_,
                              {[this] { newTemplate(); }, [this] { deleteTemplate(); }, [this] { updateTemplate(); }}));
    auto* machine = new QGroupBox(QStringLiteral(" Machine tension  "), tensionPage_);
    auto* ml = new QGridLayout(machine);
    stitches_ = edit(machine, QStringLiteral("Number of stitches"), 4, true);
    rows_ = edit(machine, QStringLiteral("Number of rows"), 4, true);
    width_ = edit(machine, QStringLiteral("Width"), 16, true);
    height_ = edit(machine, QStringLiteral("Height"), 16, true);
    widthUnit_ = new QComboBox(machine);
    heightUnit_ = new QComboBox(machine);
    widthUnit_->addItems(units);
    heightUnit_->addItems(units);
    // "40 Stitches = 10 Cm" and "60 Rows = 15 Cm": a sample's counts and its size.
    ml->addWidget(stitches_, 0, 0);
    ml->addWidget(new QLabel(QStringLiteral("Stitches ="), machine), 0, 1);
    ml->addWidget(width_, 0, 2);
    ml->addWidget(widthUnit_, 0, 3);
    // A box speaks the item chosen; the label beside it says what it chooses.
    auto* widthLabel = new QLabel(QStringLiteral("Width"), machine);
    auto* heightLabel = new QLabel(QStringLiteral("Height"), machine);
    widthLabel->setBuddy(widthUnit_);
    heightLabel->setBuddy(heightUnit_);
    ml->addWidget(widthLabel, 0, 4);
    ml->addWidget(rows_, 1, 0);
    ml->addWidget(new QLabel(QStringLiteral("Rows      ="), machine), 1, 1);
    ml->addWidget(height_, 1, 2);
    ml->addWidget(heightUnit_, 1, 3);
    ml->addWidget(heightLabel, 1, 4);
    tl->addWidget(machine);
    auto* tb = new QHBoxLayout;
    auto* okBtn = new QPushButton(QStringLiteral(" OK "), tensionPage_);
    okBtn->setDefault(true);
    auto* cancel1 = new QPushButton(QStringLiteral(" Cancel "), tensionPage_);
    cancel1->setAutoDefault(false);
    tb->addStretch(1);
    tb->addWidget(okBtn);
    tb->addWidget(cancel1);
    tl->addLayout(tb);
    pages_->addTab(tensionPage_, QStringLiteral("Tensions"));

    // Yarn consumption.
    yarnPage_ = new QWidget(pages_);
    auto* yl = new QVBoxLayout(yarnPage_);
    yl->addWidget(presetGroup(yarnPage_, QStringLiteral(" Samples "), sampleBox_,
                              {[this] { newSample(); }, [this] { deleteSample(); }, [this] { updateSample(); }}));
    auto* data = new QGroupBox(QStringLiteral(" Sample's data / calculation "), yarnPage_);
    auto* dl = new QFormLayout(data);
    yarnStitches_ = edit(data, QStringLiteral("Stiches"), 4, true);
    yarnRows_ = edit(data, QStringLiteral("Rows"), 4, true);
    yarnAmount_ = edit(data, QStringLiteral("Amount of yarn in the sample"), 4, true);
    yarnUnit_ = edit(data, QStringLiteral("Unit of measurement"), 3, false);
    dl->addRow(QStringLiteral("Stiches"), yarnStitches_);
    dl->addRow(QStringLiteral("Rows"), yarnRows_);
    dl->addRow(QStringLiteral("Amount"), yarnAmount_);
    dl->addRow(QStringLiteral("Unit"), yarnUnit_);
    auto* predicted = new QGroupBox(QStringLiteral(" Predicted value "), data);
    auto* pl = new QHBoxLayout(predicted);
    estimation_ = new QLabel(QStringLiteral("0.00"), predicted);
    estimation_->setObjectName(QStringLiteral("Estimation"));
    estimation_->setFrameShape(QFrame::Panel);
    estimation_->setFrameShadow(QFrame::Sunken);
    estimation_->setAlignment(Qt::AlignCenter);
    pl->addWidget(estimation_);
    dl->addRow(predicted);
    yl->addWidget(data);
    auto* yb = new QHBoxLayout;
    auto* applyBtn = new QPushButton(QStringLiteral(" Apply "), yarnPage_);
    auto* cancel2 = new QPushButton(QStringLiteral(" Cancel "), yarnPage_);
    cancel2->setAutoDefault(false);
    yb->addStretch(1);
    yb->addWidget(applyBtn);
    yb->addWidget(cancel2);
    yl->addLayout(yb);
    pages_->addTab(yarnPage_, QStringLiteral("Yarn consumption"));

    for (QLineEdit* e : {stitches_, rows_, width_, height_, yarnStitches_, yarnRows_, yarnAmount_})
        e->setText(QStringLiteral("0"));
    const int unit = ws_.Settings.Units == 1 ? 1 : 0;
    widthUnit_->setCurrentIndex(unit);
    heightUnit_->setCurrentIndex(unit);
    widthUnitShown_ = heightUnitShown_ = unit;
    pages_->setCurrentWidget(tensionPage_);

    for (QLineEdit* e : {stitches_, rows_, width_, height_})
        connect(e, &QLineEdit::textEdited, this, [this] { normalisedFrom_.reset(); });
    connect(okBtn, &QPushButton::clicked, this, [this] { ok(); });
    connect(applyBtn, &QPushButton::clicked, this, [this] { apply(); });
    connect(cancel1, &QPushButton::clicked, this, &QDialog::reject);
    connect(cancel2, &QPushButton::clicked, this, &QDialog::reject);
    connect(templateBox_, &QComboBox::activated, this, [this] { templateChosen(); });
    connect(sampleBox_, &QComboBox::activated, this, [this] { sampleChosen(); });
    // The conversion depends on the new unit only, so it runs on a real change.
    connect(widthUnit_, &QComboBox::currentIndexChanged, this, [this](int u) {
        if (u != widthUnitShown_) unitChanged(width_, u);
        widthUnitShown_ = u;
    });
    connect(heightUnit_, &QComboBox::currentIndexChanged, this, [this](int u) {
        if (u != heightUnitShown_) unitChanged(height_, u);
        heightUnitShown_ = u;
    });
}

QString TensionCalculatorDialog::text(int slot) const { return QString::fromStdString(ws_.UIText[slot]); }

QString TensionCalculatorDialog::number(double v) const {
    return QString::fromStdString(FormatCalculatorNumber(v, separator_));
}

void TensionCalculatorDialog::tell(const QString& message) {
    if (messenger_) messenger_(message);
    else QMessageBox::information(this, QApplication::applicationName(), message);
}

bool TensionCalculatorDialog::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        // Digits, the decimal separator and editing keys pass; other characters beep.
        const QString t = static_cast<QKeyEvent*>(e)->text();
        if (!t.isEmpty() && t[0].isPrint()) {
            const QChar c = t[0];
            if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char(separator_)) {
                QApplication::beep();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TensionCalculatorDialog::refuse(QLineEdit* edit) {
    tell(QString::fromStdString(FormatUIText(ws_.UIText[utNotValidValue], edit->text().toStdString())));
    pages_->setCurrentWidget(yarnPage_->isAncestorOf(edit) ? yarnPage_ : tensionPage_);
    edit->setFocus();
}

std::optional<double> TensionCalculatorDialog::checkNumber(QLineEdit* edit) {
    const std::optional<double> v = ParseCalculatorNumber(edit->text().toStdString(), separator_);
    if (v && *v > 0) return v;
    refuse(edit);
    return std::nullopt;
}

bool TensionCalculatorDialog::applyTension() {
    std::optional<double> w = checkNumber(width_);
    if (!w) return false;
    std::optional<double> h = checkNumber(height_);
    if (!h) return false;
    std::optional<double> s = checkNumber(stitches_);
    if (!s) return false;
    std::optional<double> r = checkNumber(rows_);
    if (!r) return false;
    const double gx = GaugeOf(*w, widthUnit_->currentIndex(), *s);
    const double gy = GaugeOf(*h, heightUnit_->currentIndex(), *r);
    // A gauge no garment or ruler can be laid out with is refused like a bad number.
    for (auto [g, edit] : {std::pair{gx, width_}, std::pair{gy, height_}}) {
        if (!GaugeInBounds(g)) {
            refuse(edit);
            return false;
        }
    }
    ws_.Settings.PixByX = gx;
    ws_.Settings.PixByY = gy;
    SaveSettings(ws_.Settings, ws_.Paths, ws_.Raster.Width, ws_.Store());
    if (gaugeChanged_) gaugeChanged_();
    return true;
}

void TensionCalculatorDialog::normaliseSample(const Preset& typed) {
    stitches_->setText(QStringLiteral("40"));
    rows_->setText(QStringLiteral("60"));
    width_->setText(number(RoundHalfUp2(40 * ws_.Settings.PixByX / UnitFactor(widthUnit_->currentIndex()))));
    height_->setText(number(RoundHalfUp2(60 * ws_.Settings.PixByY / UnitFactor(heightUnit_->currentIndex()))));
    normalisedFrom_ = typed;
}

void TensionCalculatorDialog::unitChanged(QLineEdit* edit, int unit) {
    const std::optional<double> v = ParseCalculatorNumber(edit->text().toStdString(), separator_);
    if (v) edit->setText(number(unit == 1 ? *v / 2.54 : *v * 2.54));
}

void TensionCalculatorDialog::showEvent(QShowEvent* e) {
    loadPresets();
    templateChosen();
    sampleChosen();
    QDialog::showEvent(e);
}

void TensionCalculatorDialog::loadPresets() {
    // The lists are what the store holds: a missing group is an empty list, so
    // presets made and then cancelled never come back.
    templates_ = PresetStore(ws_.Store(), kTemplatesKey, "Template").load().value_or(std::vector<Preset>{});
    samples_ = PresetStore(ws_.Store(), kSampleDataKey, "Sample").load().value_or(std::vector<Preset>{});
    templateBox_->clear();
    for (const Preset& p : templates_) templateBox_->addItem(QString::fromStdString(p.name));
    sampleBox_->clear();
    for (const Preset& p : samples_) sampleBox_->addItem(QString::fromStdString(p.name));
    templateBox_->setCurrentIndex(CheckedPresetIndex(ws_.Settings.DefaultCalcTemplate, templateBox_->count()));
    sampleBox_->setCurrentIndex(CheckedPresetIndex(ws_.Settings.DefaultCalcSample, sampleBox_->count()));
    if (templateBox_->currentIndex() < 0) {
        width_->setText(number(40 * ws_.Settings.PixByX / UnitFactor(widthUnit_->currentIndex())));
        height_->setText(number(60 * ws_.Settings.PixByY / UnitFactor(heightUnit_->currentIndex())));
        stitches_->setText(QStringLiteral("40"));
        rows_->setText(QStringLiteral("60"));
    }
}

void TensionCalculatorDialog::savePresets() {
    PresetStore(ws_.Store(), kTemplatesKey, "Template").save(templates_);
    PresetStore(ws_.Store(), kSampleDataKey, "Sample").save(samples_);
    ws_.Settings.DefaultCalcTemplate = templateBox_->currentIndex();
    ws_.Settings.DefaultCalcSample = sampleBox_->currentIndex();
}

void TensionCalculatorDialog::templateChosen() {
    const int i = templateBox_->currentIndex();
    if (i < 0 || i >= static_cast<int>(templates_.size())) return;
    const Preset& p = templates_[static_cast<size_t>(i)];
    normalisedFrom_.reset();
    stitches_->setText(QString::fromStdString(p.fields[0]));
    rows_->setText(QString::fromStdString(p.fields[1]));
    auto length = [&](const std::string& field, QComboBox* unit) {
        const std::optional<double> cm = ParseCalculatorNumber(field, '.', true);
        return cm ? number(*cm / UnitFactor(unit->currentIndex())) : QString();
    };
    width_->setText(length(p.fields[2], widthUnit_));
    height_->setText(length(p.fields[3], heightUnit_));
}

void TensionCalculatorDialog::sampleChosen() {
    const int i = sampleBox_->currentIndex();
    if (i < 0 || i >= static_cast<int>(samples_.size())) {
        for (QLineEdit* e : {yarnStitches_, yarnRows_, yarnAmount_}) e->setText(QStringLiteral("0"));
        yarnUnit_->clear();
        return;
    }
    const Preset& p = samples_[static_cast<size_t>(i)];
    QLineEdit* edits[] = {yarnStitches_, yarnRows_, yarnAmount_, yarnUnit_};
    for (int f = 0; f < kTemplateFields; ++f) edits[f]->setText(QString::fromStdString(p.fields[size_t(f)]));
    sampleShown_ = sampleFromEdits({}).fields;
}

Preset TensionCalculatorDialog::templateFromEdits(const std::string& name) const {
    auto cm = [&](QLineEdit* e, QComboBox* unit) -> std::optional<double> {
        const std::optional<double> v = ParseCalculatorNumber(e->text().toStdString(), separator_);
        if (!v) return std::nullopt;
        return *v * UnitFactor(unit->currentIndex());
    };
    return MakeTemplate(name, stitches_->text().toStdString(), rows_->text().toStdString(), cm(width_, widthUnit_),
                        cm(height_, heightUnit_));
}

Preset TensionCalculatorDialog::sampleFromEdits(const std::string& name) const {
    return Preset{name,
                  {yarnStitches_->text().toStdString(), yarnRows_->text().toStdString(),
                   yarnAmount_->text().toStdString(), yarnUnit_->text().toStdString()}};
}

bool TensionCalculatorDialog::addPreset(std::vector<Preset>& list, QComboBox* box, int promptSlot) {
    QString initial;
    for (;;) {
        std::optional<QString> name;
        if (nameAsker_) {
            name = nameAsker_(text(promptSlot));
        } else {
            bool ok = false;
            const QString n = QInputDialog::getText(this, QApplication::applicationName(), text(promptSlot),
                                                    QLineEdit::Normal, initial, &ok);
            if (ok) name = n;
        }
        if (!name) return false;
        // "=" and "|" separate the stored fields, so a name cannot hold them.
        const std::string n = name->remove(QLatin1Char('=')).remove(QLatin1Char('|')).toStdString();
        if (n.empty()) return false;
        const bool taken = std::any_of(list.begin(), list.end(), [&](const Preset& p) { return p.name == n; });
        if (taken) {
            tell(text(utNameInUse));
            continue;
        }
        list.push_back(Preset{n, std::vector<std::string>(kTemplateFields)});
        box->addItem(QString::fromStdString(n));
        box->setCurrentIndex(box->count() - 1);
        return true;
    }
}

void TensionCalculatorDialog::removePreset(std::vector<Preset>& list, QComboBox* box) {
    const int i = box->currentIndex();
    if (i < 0 || i >= static_cast<int>(list.size())) return;
    list.erase(list.begin() + i);
    box->removeItem(i);
    box->setCurrentIndex(box->count() - 1);
}

void TensionCalculatorDialog::newTemplate() {
    if (addPreset(templates_, templateBox_, utEnterTemplateName)) updateTemplate();
}

void TensionCalculatorDialog::deleteTemplate() {
    removePreset(templates_, templateBox_);
    templateChosen();
}

void TensionCalculatorDialog::updateTemplate() {
    const int i = templateBox_->currentIndex();
    if (i < 0 || i >= static_cast<int>(templates_.size())) return;
    templates_[size_t(i)] = templateFromEdits(templates_[size_t(i)].name);
}

void TensionCalculatorDialog::newSample() {
    if (addPreset(samples_, sampleBox_, utEnterSampleName)) updateSample();
}

void TensionCalculatorDialog::deleteSample() {
    removePreset(samples_, sampleBox_);
    sampleChosen();
}

void TensionCalculatorDialog::updateSample() {
    const int i = sampleBox_->currentIndex();
    if (i < 0 || i >= static_cast<int>(samples_.size())) return;
    samples_[size_t(i)] = sampleFromEdits(samples_[size_t(i)].name);
    sampleShown_ = samples_[size_t(i)].fields;
}

void TensionCalculatorDialog::ok() {
    // The selected template and yarn sample keep what the user typed into
    // them, and one left untouched is not rewritten. The template is compared
    // by value with the sample typed before the edits showed its 40 x 60 form
    // (after Apply or an earlier OK), so that OK never stores rounded numbers.
    const Preset typed = normalisedFrom_ ? *normalisedFrom_ : templateFromEdits({});
    if (!applyTension()) return;
    const int i = templateBox_->currentIndex();
    if (i >= 0 && i < static_cast<int>(templates_.size())) {
        Preset& stored = templates_[size_t(i)];
        const bool same = [&] {
            for (int f = 0; f < kTemplateFields; ++f) {
                const auto a = ParseCalculatorNumber(stored.fields[size_t(f)], '.', true);
                const auto b = ParseCalculatorNumber(typed.fields[size_t(f)], '.', true);
                if (a.has_value() != b.has_value() || (a && std::abs(*a - *b) > 1e-9 * std::max(1.0, *a))) return false;
            }
            return true;
        }();
        if (!same) stored.fields = typed.fields;
    }
    // The sample edits hold a stored sample's texts as shown until typed into.
    if (sampleFromEdits({}).fields != sampleShown_) updateSample();
    normaliseSample(typed);
    savePresets();
    // The selected indices go to the store with the gauge.
    SaveSettings(ws_.Settings, ws_.Paths, ws_.Raster.Width, ws_.Store());
    accept();
}

void TensionCalculatorDialog::apply() {
    if (pages_->currentWidget() == tensionPage_) {
        const Preset typed = normalisedFrom_ ? *normalisedFrom_ : templateFromEdits({});
        if (applyTension()) normaliseSample(typed);
        return;
    }
    if (!ws_.Editor.GarmentMode) {
        tell(text(utNoGarmentAdded));
        return;
    }
    // The gauge callback has rebuilt the garment mask for the gauge just applied.
    if (!applyTension()) return;
    const std::optional<double> s = checkNumber(yarnStitches_);
    if (!s) return;
    const std::optional<double> r = checkNumber(yarnRows_);
    if (!r) return;
    const std::optional<double> a = checkNumber(yarnAmount_);
    if (!a) return;
    if (!ws_.Editor.GarmentMode) return; // the mask could not be built for this gauge
    const double estimate = YarnEstimate(CountGarmentCells(ws_.Raster.Mask), *a, *r, *s);
    estimation_->setText(number(estimate) + QLatin1Char(' ') + yarnUnit_->text());
}

} // namespace lc::ui
