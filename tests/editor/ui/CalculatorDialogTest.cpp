// The tension and yarn calculator, driven through its edits and buttons.
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>

#include "AccessibleNames.h"
#include "DrawingPageTest.h"
#include "core/Settings.h"
#include "editor/ui/TensionCalculatorDialog.h"
#include "garment/GarmentMask.h"

namespace lc::test {

class CalculatorTest : public DrawingPageTest {
protected:
    ui::TensionCalculatorDialog* calc = nullptr;
    QStringList messages;
    QStringList names; // answers to the name query, first first

    void SetUp() override {
        DrawingPageTest::SetUp();
        calc = frame->calculator();
        calc->setMessenger([this](const QString& m) { messages << m; });
        calc->setNameAsker([this](const QString&) -> std::optional<QString> {
            if (names.isEmpty()) return std::nullopt;
            return names.takeFirst();
        });
    }
    void TearDown() override {
        calc->hide();
        DrawingPageTest::TearDown();
    }
    void open() {
        calc->hide();
        calc->show();
    }
    void typeSample(const char* stitches, const char* width, const char* rows, const char* height) {
        calc->sampleStitches()->setText(QString::fromLatin1(stitches));
        calc->sampleWidth()->setText(QString::fromLatin1(width));
        calc->sampleRows()->setText(QString::fromLatin1(rows));
        calc->sampleHeight()->setText(QString::fromLatin1(height));
    }
    // The texts of the labels a screen reader reads for `w`.
    static QStringList labelsOf(QWidget* w) {
        QStringList out;
        for (const auto& [label, relation] : QAccessible::queryAccessibleInterface(w)->relations(QAccessible::Label))
            out << label->text(QAccessible::Name).trimmed();
        return out;
    }
    std::optional<std::string> stored(const char* key, const char* name) const {
        return ws.Store().readString(key, name);
    }
};

TEST_F(CalculatorTest, OkSetsSavesAndSpreadsTheGaugeAndKeepsTheTemplateAsTyped) {
    open();
    names << QStringLiteral("T1");
    calc->newTemplate();
    typeSample("30", "12", "40", "10");
    calc->ok();
    EXPECT_EQ(calc->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(ws.Settings.PixByX, 0.4);
    EXPECT_DOUBLE_EQ(ws.Settings.PixByY, 0.25);
    EXPECT_EQ(calc->sampleStitches()->text(), "40");
    EXPECT_EQ(calc->sampleRows()->text(), "60");
    EXPECT_EQ(calc->sampleWidth()->text(), "16");
    EXPECT_EQ(calc->sampleHeight()->text(), "15");
    EXPECT_EQ(ws.Editor.CellHeights, (CellHeightTable{2, 3, 4, 6, 7, 8, 9, 11, 12, 13, 14}));
    EXPECT_EQ(canvas->cellHeight(), ws.Editor.CellHeights[ws.Editor.ZoomIndex]);
    // The store holds the gauge, the template as typed and the selected index.
    double x = 0;
    ASSERT_TRUE(DecodeReal(ws.Store().readBinary(kSettingsKey, "PixByX").value_or(std::vector<uint8_t>{}), x));
    EXPECT_DOUBLE_EQ(x, 0.4);
    EXPECT_EQ(stored(kTemplatesKey, "Template0"), "T1=30|40|12|10");
    EXPECT_EQ(ws.Store().readInt(kSettingsKey, "DefaultCalcTemplate"), 0);

    // OK again on the 40 x 60 form it shows does not rewrite the template with rounded numbers.
    calc->ok();
    EXPECT_EQ(stored(kTemplatesKey, "Template0"), "T1=30|40|12|10");
    // The next showing offers the template as stored.
    open();
    EXPECT_EQ(calc->templates()->currentText(), "T1");
    EXPECT_EQ(calc->sampleWidth()->text(), "12");
}

TEST_F(CalculatorTest, UnitSwitchConvertsTheTypedLength) {
    open();
    calc->sampleWidth()->setText(QStringLiteral("10"));
    calc->widthUnit()->setCurrentIndex(1);
    EXPECT_EQ(calc->sampleWidth()->text(), "3.93700787401575");
    calc->widthUnit()->setCurrentIndex(0);
    EXPECT_EQ(calc->sampleWidth()->text(), "10");
    typeSample("40", "3.937", "60", "15");
    calc->widthUnit()->setCurrentIndex(1);
    calc->sampleWidth()->setText(QStringLiteral("3.937"));
    calc->ok();
    EXPECT_NEAR(ws.Settings.PixByX, 0.2499995, 1e-12);
}

TEST_F(CalculatorTest, NumberEditsTakeOnlyDigitsAndOneKindOfSeparator) {
    open();
    QLineEdit* e = calc->sampleStitches();
    e->clear();
    e->setFocus();
    const QString sep = QLocale().decimalPoint();
    const QString other = sep == QStringLiteral(".") ? QStringLiteral(",") : QStringLiteral(".");
    QTest::keyClicks(e, QStringLiteral("4x-2 e") + other + sep);
    EXPECT_EQ(e->text(), QStringLiteral("42") + sep);
    QTest::keyClicks(e, QStringLiteral("55"));
    EXPECT_EQ(e->text(), QStringLiteral("42") + sep + QStringLiteral("5")); // at most four characters
}

TEST_F(CalculatorTest, BadNumbersAndImpossibleGaugesAreRefusedWithTheirText) {
    const double before = ws.Settings.PixByX;
    const int heightsBefore = ws.Editor.CellHeights[4];
    for (const char* bad : {"0", "", "1.2.3"}) {
        open();
        messages.clear();
        calc->pages()->setCurrentIndex(1);
        typeSample("40", "10", "60", "15");
        calc->sampleHeight()->setText(QString::fromLatin1(bad));
        calc->ok();
        ASSERT_EQ(messages.size(), 1) << bad;
        EXPECT_EQ(messages[0],
                  QStringLiteral("\"%1\" is not a valid value.\r\nPlease use positive non-zero numbers only.")
                      .arg(QString::fromLatin1(bad)));
        EXPECT_EQ(calc->pages()->currentIndex(), 0); // the page with the bad edit
        EXPECT_TRUE(calc->isVisible());
        EXPECT_EQ(calc->focusWidget(), calc->sampleHeight());
    }
    // 1 stitch over 20 cm: 20 cm per stitch, beyond any gauge that can be laid out.
    messages.clear();
    typeSample("1", "20", "60", "15");
    calc->ok();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(ws.Settings.PixByX, before);
    EXPECT_EQ(ws.Editor.CellHeights[4], heightsBefore);
}

TEST_F(CalculatorTest, ApplyThenCancelKeepsOneGaugeEverywhere) {
    open();
    typeSample("30", "12", "40", "10");
    calc->apply(); // on the Tensions page
    calc->reject();
    EXPECT_DOUBLE_EQ(ws.Settings.PixByX, 0.4);
    double stored = 0;
    ASSERT_TRUE(DecodeReal(ws.Store().readBinary(kSettingsKey, "PixByX").value_or(std::vector<uint8_t>{}), stored));
    EXPECT_DOUBLE_EQ(stored, 0.4);
    EXPECT_EQ(ws.Editor.CellHeights, CellHeightsFor(0.4, 0.25));
}

TEST_F(CalculatorTest, PresetsDeletedOnOkLeaveNoGroupAndNamesMustDiffer) {
    open();
    names << QStringLiteral("T1") << QStringLiteral("T1") << QStringLiteral("T2");
    calc->newTemplate();
    calc->newTemplate(); // "T1" again: refused, asked again, "T2"
    EXPECT_EQ(messages, QStringList{QStringLiteral("This name is already in use. Try another.")});
    EXPECT_EQ(calc->templates()->count(), 2);
    calc->deleteTemplate();
    calc->deleteTemplate();
    typeSample("40", "10", "60", "15");
    calc->ok();
    EXPECT_FALSE(ws.Store().keyExists(kTemplatesKey));
    // The next showing: no templates, the gauge as a 40 x 60 sample, unrounded.
    ws.Settings.PixByX = 0.2345678;
    open();
    EXPECT_EQ(calc->templates()->count(), 0);
    EXPECT_EQ(calc->sampleWidth()->text(), "9.382712");
    EXPECT_EQ(calc->sampleStitches()->text(), "40");
}

TEST_F(CalculatorTest, CancelledPresetsDoNotComeBack) {
    open();
    names << QStringLiteral("Wool");
    calc->newSample();
    calc->reject();
    open();
    EXPECT_EQ(calc->samples()->count(), 0);
}

TEST_F(CalculatorTest, YarnEstimateUsesTheMaskRebuiltForTheAppliedGauge) {
    open();
    calc->pages()->setCurrentIndex(1);
    calc->apply();
    EXPECT_EQ(messages,
              QStringList{QStringLiteral("No garment added. Please add garment first to estimate yarn amount.")});
    EXPECT_EQ(calc->estimation()->text(), "0.00");

    // The garment page's rebuild: a 100-mm square at the gauge in force.
    const GarmentOutline square = square100mm();
    int rebuilds = 0;
    calc->setGaugeChanged([&] {
        ++rebuilds;
        ASSERT_EQ(RasterizeMask(square, gd, ws.Settings.PixByX, ws.Settings.PixByY), kMaskBuilt);
    });
    ws.Editor.GarmentMode = true;
    gd.Mask.fill(kMaskInside); // stale: built for another gauge
    typeSample("40", "10", "40", "10");
    calc->yarnStitches()->setText(QStringLiteral("20"));
    calc->yarnRows()->setText(QStringLiteral("25"));
    calc->yarnAmount()->setText(QStringLiteral("10"));
    calc->yarnUnit()->setText(QStringLiteral("g"));
    calc->apply();
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(calc->estimation()->text(), "33.62 g");
}

TEST_F(CalculatorTest, OkKeepsWhatWasTypedIntoTheSelectedSampleAndTemplate) {
    open();
    names << QStringLiteral("Wool") << QStringLiteral("T1");
    calc->yarnStitches()->setText(QStringLiteral("10"));
    calc->yarnRows()->setText(QStringLiteral("10"));
    calc->yarnAmount()->setText(QStringLiteral("5"));
    calc->yarnUnit()->setText(QStringLiteral("g"));
    calc->newSample();
    typeSample("30", "12", "40", "10");
    calc->newTemplate();
    calc->ok();
    EXPECT_EQ(stored(kSampleDataKey, "Sample0"), "Wool=10|10|5|g");

    // Typed into, then OK: the sample is stored as typed and shown so next time.
    open();
    calc->yarnAmount()->setText(QStringLiteral("7"));
    calc->ok();
    EXPECT_EQ(stored(kSampleDataKey, "Sample0"), "Wool=10|10|7|g");
    open();
    EXPECT_EQ(calc->yarnAmount()->text(), "7");

    // The template typed, applied (the edits then show the 40 x 60 form) and
    // OK: the template keeps what was typed, not the rounded form.
    calc->sampleWidth()->setText(QStringLiteral("13"));
    calc->apply();
    EXPECT_EQ(calc->sampleStitches()->text(), "40");
    calc->ok();
    EXPECT_EQ(stored(kTemplatesKey, "Template0"), "T1=30|40|13|10");

    // A stored sample left untouched is not rewritten, even one whose field is
    // longer than its edit takes.
    ws.Store().writeString(kSampleDataKey, "Sample0", "Wool=12345|10|7|g");
    open();
    calc->ok();
    EXPECT_EQ(stored(kSampleDataKey, "Sample0"), "Wool=12345|10|7|g");
}

TEST_F(CalculatorTest, ControlsAreNamedForWhatTheyAre) {
    open(); // no presets: the empty lists still say what they are
    for (int page = 0; page < 2; ++page) {
        calc->pages()->setCurrentIndex(page);
        EXPECT_EQ(unnamedControls(calc).join(", ").toStdString(), "") << page;
    }
    // A box speaks the item chosen as its name; its label tells the two unit
    // boxes apart. The sample's edits say which number they hold.
    const QStringList widthLabels = labelsOf(calc->widthUnit()), heightLabels = labelsOf(calc->heightUnit());
    EXPECT_TRUE(widthLabels.contains(QStringLiteral("Width")) && !widthLabels.contains(QStringLiteral("Height")));
    EXPECT_TRUE(heightLabels.contains(QStringLiteral("Height")) && !heightLabels.contains(QStringLiteral("Width")));
    EXPECT_EQ(accessibleName(calc->sampleStitches()), "Number of stitches");
}

TEST_F(CalculatorTest, TheYarnSampleIsLabelledAsTheSystemSpellsIt) {
    auto* form = qobject_cast<QFormLayout*>(calc->yarnStitches()->parentWidget()->layout());
    ASSERT_NE(form, nullptr);
    auto* label = qobject_cast<QLabel*>(form->labelForField(calc->yarnStitches()));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Stiches");
    EXPECT_EQ(calc->yarnStitches()->toolTip(), "Stiches");
}

} // namespace lc::test
