// The constructor dialog offscreen: narrowing the catalogue, a template, OK
// and the drafted pieces; inches; custom templates; a missing catalogue.
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "../DraftingTestUtil.h"
#include "AccessibleNames.h"
#include "QtApp.h"
#include "TestFiles.h"
#include "core/PatternRaster.h"
#include "garment/GarmentMask.h"
#include "garment/ui/GarmentConstructorDialog.h"

namespace lc {
namespace {

using ui::GarmentConstructorDialog;

class ConstructorDialog : public ::testing::Test {
protected:
    void SetUp() override {
        test::qtApp();
        paths.AppDir = test::ProgramDir().string() + "/";
    }
    std::unique_ptr<GarmentConstructorDialog> make() {
        return std::make_unique<GarmentConstructorDialog>(texts, settings, paths, dir.path);
    }
    static void choose(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    // Answers the next modal box or input dialog that comes up.
    static void answerNextModal(std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, [answer] {
            if (QWidget* w = QApplication::activeModalWidget()) answer(w);
        });
    }

    UITextTable texts = EnglishTexts();
    Settings settings;
    ProgramPaths paths;
    test::TempDir dir;
};

TEST_F(ConstructorDialog, PulloverForWoman40IsDraftedIntoPieces) {
    auto d = make();
    ASSERT_TRUE(d->CatalogueReady()) << d->CatalogueError().toStdString();
    EXPECT_EQ(d->PropertyBox(CatalogueField::Style)->count(), 6);
    EXPECT_FALSE(d->PropertyBox(CatalogueField::Armhole)->isEnabled());
    choose(d->PropertyBox(CatalogueField::Style), "Pullover");
    EXPECT_EQ(d->PropertyBox(CatalogueField::Armhole)->count(), 5);
    EXPECT_FALSE(d->OkButton()->isEnabled()); // no measurements yet

    choose(d->TemplateListBox(), "Woman 40");
    EXPECT_EQ(d->MeasurementEdit(bfHips)->text(), QLocale().toString(100.0, 'f', 1));
    ASSERT_TRUE(d->OkButton()->isEnabled());
    d->show();
    d->OkButton()->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->ModelId(), 793);
    EXPECT_EQ(d->SizeIndex(), kCustomSizeNo);
    EXPECT_EQ(d->CustomBodySize(), test::Woman40());

    const GarmentProduct& p = d->Pieces();
    ASSERT_GE(p.PieceCount(), 4);
    EXPECT_EQ(p.Piece(0).Name, "Back");
    EXPECT_EQ(p.Piece(1).Name, "Front");
    // The sleeve fits a 200-needle pattern at 4 stitches per centimetre.
    int sleeve = -1;
    for (int i = 0; i < p.PieceCount(); ++i)
        if (p.Piece(i).Name == "Sleeve") sleeve = i;
    ASSERT_GE(sleeve, 0);
    GarmentOutline g;
    p.GetGarment(sleeve, g);
    PatternRaster gd;
    gd.SetSize(200, 400);
    bool garmentMode = true;
    ASSERT_EQ(MakeMask(g, gd, settings.PixByX, settings.PixByY, garmentMode, nullptr), kMaskBuilt);
    EXPECT_GT(gd.GarmentWidth, 100);
    EXPECT_LE(gd.GarmentWidth, 200);
    int inside = 0;
    for (int c = 0; c < 200; ++c) inside += gd.Mask.line(0)[c] == kMaskInside;
    EXPECT_GT(inside, 20);
    EXPECT_LT(inside, 200);

    // Narrowing further picks a record with every chosen property.
    choose(d->PropertyBox(CatalogueField::Armhole), "Round armhole");
    auto* neck = d->PropertyBox(CatalogueField::Neckline);
    ASSERT_GE(neck->count(), 2);
    choose(neck, neck->itemText(1));
    EXPECT_TRUE(d->PropertyBox(CatalogueField::SleeveLength)->isEnabled());
    EXPECT_FALSE(d->PropertyBox(CatalogueField::Pocket)->isEnabled());
    EXPECT_GE(d->Filter()->Current(), 1030);
    EXPECT_LE(d->Filter()->Current(), 1420);
}

TEST_F(ConstructorDialog, ATypedTemplateNameShowsThatTemplate) {
    auto d = make();
    choose(d->PropertyBox(CatalogueField::Style), "Pullover");
    d->show();
    QLineEdit* typed = d->TemplateListBox()->lineEdit();
    ASSERT_NE(typed, nullptr);
    QTest::keyClicks(typed, "Woman 40");
    ASSERT_EQ(d->TemplateListBox()->currentText(), "Woman 40");
    EXPECT_EQ(d->MeasurementEdit(bfHips)->text(), QLocale().toString(100.0, 'f', 1));
    EXPECT_TRUE(d->OkButton()->isEnabled());

    // Two custom templates of one name: the last one in the file stays shown.
    // A name that no template has changes nothing.
    SizeTemplate twin;
    twin.Name = "Twin";
    twin.Values.fill(50);
    for (double hips : {90.0, 95.0}) {
        twin.Values[bfHips] = hips;
        AppendTemplate(dir.path / kCustomTemplatesName, twin);
    }
    choose(d->TemplateKindBox(), "Custom");
    QTest::keyClicks(typed, "Nobody");
    EXPECT_EQ(d->MeasurementEdit(bfHips)->text(), QLocale().toString(100.0, 'f', 1));
    typed->clear();
    QTest::keyClicks(typed, "Twin");
    ASSERT_EQ(d->TemplateListBox()->currentText(), "Twin");
    EXPECT_EQ(d->MeasurementEdit(bfHips)->text(), QLocale().toString(95.0, 'f', 1));
    EXPECT_EQ(d->MeasurementEdit(bfWrist)->text(), QLocale().toString(50.0, 'f', 1));
}

TEST_F(ConstructorDialog, InchesAndDerivedMeasurements) {
    settings.Units = 1;
    auto d = make();
    choose(d->PropertyBox(CatalogueField::Style), "Jacket");
    choose(d->TemplateListBox(), "Woman 40");
    EXPECT_EQ(d->MeasurementEdit(bfNeckSize)->text(), QLocale().toString(36 / 2.54, 'f', 1));
    // Typed inches become centimetres; the hidden fields, emptied, are derived.
    d->MeasurementEdit(bfHips)->setText(QLocale().toString(40.0, 'f', 1));
    d->MeasurementEdit(bfBackLength)->setText(QLocale().toString(25.0, 'f', 1));
    for (BodyField f : {bfLe10, bfLe11, bfLe12}) d->MeasurementEdit(f)->clear();
    d->OkButton()->click();
    ASSERT_EQ(d->result(), QDialog::Accepted);
    EXPECT_NEAR(static_cast<double>(d->CustomBodySize()[bfHips]), 101.6, 1e-9);
    EXPECT_NEAR(static_cast<double>(d->CustomBodySize()[bfLe10]), 0.14 * 101.6, 1e-9);
    EXPECT_NEAR(static_cast<double>(d->CustomBodySize()[bfLe12]), 0.1 * 63.5, 1e-9);
    EXPECT_EQ(d->ModelId(), 151);
}

TEST_F(ConstructorDialog, BadMeasurementsKeepTheDialogOpen) {
    auto d = make();
    choose(d->PropertyBox(CatalogueField::Style), "Cardigan");
    choose(d->TemplateKindBox(), "Child's");
    choose(d->TemplateListBox(), "Child 122");
    d->show();
    for (const char* bad : {"0", "-4", "abc", "1e300"}) {
        d->MeasurementEdit(bfWrist)->setText(QString::fromLatin1(bad));
        answerNextModal([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
        d->OkButton()->click();
        QApplication::processEvents();
        EXPECT_TRUE(d->isVisible()) << bad;
    }
}

TEST_F(ConstructorDialog, CustomTemplatesAreAddedRefusedWhenDuplicateAndDeleted) {
    auto d = make();
    choose(d->TemplateKindBox(), "Man's");
    choose(d->TemplateListBox(), "Man 50");
    d->show();
    auto newNamed = [&](const QString& name) {
        answerNextModal([name](QWidget* w) {
            auto* input = qobject_cast<QInputDialog*>(w);
            ASSERT_NE(input, nullptr);
            input->setTextValue(name);
            input->accept();
        });
    };
    choose(d->TemplateKindBox(), "Custom");
    auto* newButton = [&] {
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->text() == "New") return b;
        return static_cast<QPushButton*>(nullptr);
    }();
    ASSERT_NE(newButton, nullptr);
    newNamed("Mine");
    newButton->click();
    EXPECT_EQ(d->TemplateListBox()->count(), 1);
    EXPECT_EQ(d->TemplateListBox()->currentText(), "Mine");

    // The same name again is refused with a message; the file keeps one record.
    bool refused = false;
    answerNextModal([&](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(input, nullptr);
        input->setTextValue("Mine");
        input->accept();
        answerNextModal([&](QWidget* box) {
            refused = qobject_cast<QMessageBox*>(box) != nullptr &&
                      static_cast<QMessageBox*>(box)->text().toStdString() == texts[utRecordNameExists];
            static_cast<QDialog*>(box)->accept();
        });
    });
    newButton->click();
    EXPECT_TRUE(refused);
    const auto all = ReadTemplates(dir.path / kCustomTemplatesName);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].Kind, kCustomTemplateKind);
    EXPECT_DOUBLE_EQ(all[0].Values[bfHips], 104);

    // Delete asks first.
    choose(d->TemplateListBox(), "Mine");
    answerNextModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Yes)->click();
    });
    for (QPushButton* b : d->findChildren<QPushButton*>())
        if (b->text() == "Delete") b->click();
    EXPECT_TRUE(ReadTemplates(dir.path / kCustomTemplatesName).empty());
    EXPECT_EQ(d->TemplateListBox()->count(), 0);
}

TEST_F(ConstructorDialog, EveryPressableControlIsNamed) {
    auto d = make();
    d->show();
    // A style chosen: the armhole box waits with nothing chosen. The custom
    // templates listed (none yet): the box is empty, its buttons enabled.
    choose(d->PropertyBox(CatalogueField::Style), "Jacket");
    ASSERT_TRUE(d->PropertyBox(CatalogueField::Armhole)->isEnabled());
    choose(d->TemplateKindBox(), "Custom");
    auto* pages = d->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 2);
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        EXPECT_EQ(test::unnamedControls(d.get()).join(", ").toStdString(), "") << i;
    }
}

TEST_F(ConstructorDialog, AMissingCatalogueIsReportedNotFatal) {
    paths.AppDir = dir.folder();
    auto d = make();
    EXPECT_FALSE(d->CatalogueReady());
    EXPECT_FALSE(d->CatalogueError().isEmpty());
    EXPECT_EQ(d->PropertyBox(CatalogueField::Style)->count(), 0);
    EXPECT_FALSE(d->OkButton()->isEnabled());
}

} // namespace
} // namespace lc
