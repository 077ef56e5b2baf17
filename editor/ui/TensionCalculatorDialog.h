#pragma once
// "Tensions & yarn consumption": the gauge from a knitted sample, named sample
// templates and yarn samples, and the yarn a garment needs. Created once by
// the Drawing page and shown modally; the edits keep their values between
// showings. The maths and the preset store are editor/TensionCalculator.
//
// A new gauge (OK, or Apply on either page) is set, saved and announced at
// once through the gauge callback, which brings the cell heights, stitch
// pictures, rulers and garment mask to it; Cancel after Apply therefore keeps
// the applied gauge everywhere. Presets and the selected indices are stored on
// OK only.
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "core/Workspace.h"
#include "editor/TensionCalculator.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace lc::ui {

class TensionCalculatorDialog : public QDialog {
    Q_OBJECT
public:
    TensionCalculatorDialog(Workspace& ws, QWidget* parent = nullptr);

    // Called after every gauge change; the Drawing page rebuilds what depends on it.
    void setGaugeChanged(std::function<void()> f) { gaugeChanged_ = std::move(f); }
    // Message boxes and the name query; replaceable so that tests answer them.
    using Messenger = std::function<void(const QString& text)>;
    using NameAsker = std::function<std::optional<QString>(const QString& prompt)>;
    void setMessenger(Messenger m) { messenger_ = std::move(m); }
    void setNameAsker(NameAsker a) { nameAsker_ = std::move(a); }

    // --- pieces, by meaning ----------------------------------------------------
    QTabWidget* pages() const { return pages_; }
    QLineEdit* sampleStitches() const { return stitches_; } // stitch count of the sample
    QLineEdit* sampleRows() const { return rows_; }
    QLineEdit* sampleWidth() const { return width_; } // in the width unit
    QLineEdit* sampleHeight() const { return height_; }
    QComboBox* widthUnit() const { return widthUnit_; }
    QComboBox* heightUnit() const { return heightUnit_; }
    QComboBox* templates() const { return templateBox_; }
    QComboBox* samples() const { return sampleBox_; }
    QLineEdit* yarnStitches() const { return yarnStitches_; }
    QLineEdit* yarnRows() const { return yarnRows_; }
    QLineEdit* yarnAmount() const { return yarnAmount_; }
    QLineEdit* yarnUnit() const { return yarnUnit_; }
    QLabel* estimation() const { return estimation_; }

    // The buttons' actions.
    void ok();
    void apply();
    void newTemplate();
    void deleteTemplate();
    void updateTemplate();
    void newSample();
    void deleteSample();
    void updateSample();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QString text(int slot) const;
    QString number(double v) const;
    // Says that `edit` holds no valid value and puts the focus on it, on its page.
    void refuse(QLineEdit* edit);
    // The positive number in `edit`; refused otherwise.
    std::optional<double> checkNumber(QLineEdit* edit);
    bool applyTension();
    // Shows the gauge as a 40 x 60 sample; `typed` is the sample it came from.
    void normaliseSample(const Preset& typed);
    void loadPresets();
    void savePresets();
    void templateChosen();
    void sampleChosen();
    void unitChanged(QLineEdit* edit, int unit);
    Preset templateFromEdits(const std::string& name) const;
    Preset sampleFromEdits(const std::string& name) const;
    bool addPreset(std::vector<Preset>& list, QComboBox* box, int promptSlot);
    void removePreset(std::vector<Preset>& list, QComboBox* box);
    void tell(const QString& message);

    Workspace& ws_;
    char separator_ = '.';
    std::vector<Preset> templates_, samples_;
    std::function<void()> gaugeChanged_;
    Messenger messenger_;
    NameAsker nameAsker_;

    QTabWidget* pages_ = nullptr;
    QWidget* tensionPage_ = nullptr;
    QWidget* yarnPage_ = nullptr;
    QComboBox* templateBox_ = nullptr;
    QComboBox* sampleBox_ = nullptr;
    QLineEdit* stitches_ = nullptr;
    QLineEdit* rows_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QComboBox* widthUnit_ = nullptr;
    QComboBox* heightUnit_ = nullptr;
    QLineEdit* yarnStitches_ = nullptr;
    QLineEdit* yarnRows_ = nullptr;
    QLineEdit* yarnAmount_ = nullptr;
    QLineEdit* yarnUnit_ = nullptr;
    QLabel* estimation_ = nullptr;
    int widthUnitShown_ = 0, heightUnitShown_ = 0;
    // While the tension edits show the 40 x 60 form of the gauge, untouched
    // since: the sample as typed before, in centimetres, which OK compares
    // with the selected template.
    std::optional<Preset> normalisedFrom_;
    // The sample edits' texts as last filled from or stored into the selected
    // yarn sample.
    std::vector<std::string> sampleShown_;
};

} // namespace lc::ui
