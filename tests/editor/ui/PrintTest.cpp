// The print dialog and the pattern's printed page, printed to PDF files.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "AccessibleNames.h"
#include "DrawingPageTest.h"
#include "garment/GarmentMask.h"
#include "editor/ui/PatternPagePrinter.h"
#include "editor/ui/PrintDialog.h"

namespace lc::test {

class PrintTest : public DrawingPageTest {
protected:
    QTemporaryDir dir;
    QString pdf() const { return dir.filePath(QStringLiteral("page.pdf")); }
};

TEST_F(PrintTest, RangeAndScaleControls) {
    ui::PrintDialog none({0, 0, 0, 0}, {});
    EXPECT_FALSE(none.selection()->isEnabled());
    ui::PrintDialog block({10, 50, 4, 20}, {});
    EXPECT_TRUE(block.selection()->isEnabled());
    const int fields[4] = {4, 20, 6, 30};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(block.rangeField(i)->value(), fields[i]);

    EXPECT_FALSE(block.scaleFactor()->isEnabled());
    block.specifyScale()->setChecked(true);
    EXPECT_TRUE(block.scaleFactor()->isEnabled());
    block.scaleFactor()->setValue(150);
    EXPECT_EQ(block.scaleFactor()->value(), 100);
    block.scaleFactor()->setValue(0);
    EXPECT_EQ(block.scaleFactor()->value(), 1);
    EXPECT_DOUBLE_EQ(block.request().scale, 0.01);
    block.fitToPage()->setChecked(true);
    EXPECT_EQ(block.scaleFactor()->value(), 100);
    EXPECT_DOUBLE_EQ(block.request().scale, 1.0);
    // Printing to a file is always offered.
    EXPECT_EQ(block.printers()->itemText(block.pdfEntry()), "Print to PDF file");
}

TEST_F(PrintTest, APatternPrintsToOnePdfPageWithItsCellsInTheirColoursAlone) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    gd.Colors[3] = RGB(255, 220, 0);
    gd.UpdatePalette(0);
    fillPicture(3);
    ui::PatternPagePrinter page(gd, {}, false);
    ui::PrintDialog d({}, [&](QPainter& p, const ui::PageRequest& q) { page.render(p, q); });
    d.printers()->setCurrentIndex(d.pdfEntry());
    d.setPdfFileChooser([this] { return pdf(); });
    ASSERT_TRUE(d.print());
    ASSERT_TRUE(QFile::exists(pdf()));

    QProcess run;
    // A strip across the middle of the A4 page, at 600 dpi.
    run.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-y"), QStringLiteral("3500"),
                         QStringLiteral("-H"), QStringLiteral("16"), QStringLiteral("-W"), QStringLiteral("4960"),
                         QStringLiteral("-png"), pdf(), dir.filePath(QStringLiteral("out"))});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0);
    const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("out*.png")});
    ASSERT_EQ(pages.size(), 1);
    const QImage img(dir.filePath(pages[0]));
    ASSERT_FALSE(img.isNull());

    // Across the middle of the page: one unbroken yellow band of cells, with no
    // grid line between them (the pattern page prints the colours alone).
    auto brightness = [&](int x, int y) {
        const QColor c = img.pixelColor(x, y);
        return c.red() + c.green() + c.blue();
    };
    int row = 0;
    long best = -1;
    for (int y = 0; y < img.height(); ++y) {
        long sum = 0;
        for (int x = 0; x < img.width(); ++x) sum += brightness(x, y);
        if (sum > best) best = sum, row = y;
    }
    int yellow = 0, gridLines = 0;
    bool inLine = false;
    for (int x = 3; x < img.width() - 3; ++x) {
        const QColor c = img.pixelColor(x, row);
        const bool isYellow = c.red() > c.blue() + 60 && c.green() > c.blue() + 60;
        yellow += isYellow;
        int around = 0;
        for (int d = -3; d <= 3; ++d) around = std::max(around, brightness(x + d, row));
        const bool dip = isYellow && brightness(x, row) < around * 85 / 100;
        if (dip && !inLine) ++gridLines;
        inLine = dip;
    }
    EXPECT_GT(yellow, 1100); // 200 cells of about 5.8 pixels
    EXPECT_LE(gridLines, 2); // the band's two ends against the white margin, nothing between
    // The top left corner is the white margin.
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::white));
}

TEST_F(PrintTest, GarmentModePrintsTheGarmentAlone) {
    // A 100-mm square at gauge 0.25 on 200 stitches: mask columns 80..120, lines 0..40.
    const GarmentOutline square = square100mm();
    ASSERT_EQ(RasterizeMask(square, gd, 0.25, 0.25), kMaskBuilt);
    gd.Colors[3] = RGB(200, 0, 0);
    gd.UpdatePalette(0);
    fillPicture(3);
    ui::PatternPagePrinter page(gd, {}, true);
    QImage sheet(2400, 3300, QImage::Format_RGB32);
    ui::PageRequest q;
    q.page = sheet.size();
    q.resolution.Set(300, 300);
    q.legend = false;
    QPainter p(&sheet);
    page.render(p, q);
    p.end();
    // 41 x 41 cells fill 2360 x 2360 pixels from (20, 465).
    EXPECT_EQ(sheet.pixelColor(30, 475), QColor(200, 0, 0));
    EXPECT_EQ(sheet.pixelColor(20 + 2350, 465 + 2350), QColor(200, 0, 0));
    EXPECT_EQ(sheet.pixelColor(30, 465 + 2370), QColor(Qt::white));

    // No garment cell, or a copied block beyond a pattern made narrower since:
    // nothing to print, and "Print" says so and writes no file.
    ui::PatternPagePrinter stale(gd, {150, 10, 180, 20}, true);
    gd.SetSize(100, 1024);
    gd.Mask.fill(kMaskOutside);
    ui::PrintDialog d({150, 10, 180, 20}, [&](QPainter& p, const ui::PageRequest& q) { stale.render(p, q); });
    d.setContentCheck([&](int range) { return !stale.source(range).lines.isEmpty(); });
    QStringList messages;
    d.setMessenger([&](const QString& m) { messages << m; });
    d.setPdfFileChooser([this] { return pdf(); });
    d.printers()->setCurrentIndex(d.pdfEntry());
    for (QRadioButton* range : {d.wholeImage(), d.selection()}) {
        range->setChecked(true);
        EXPECT_FALSE(d.print());
    }
    EXPECT_EQ(messages.size(), 2);
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(PrintTest, CancelPrintsNothing) {
    bool rendered = false;
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget()) static_cast<QDialog*>(w)->reject();
    });
    EXPECT_FALSE(
        ui::PrintDialog::ShowPrintSetup(nullptr, {}, [&](QPainter&, const ui::PageRequest&) { rendered = true; }));
    EXPECT_TRUE(rendered); // the preview was drawn
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PrintTest, EveryControlAPersonCanPressHasANameThatSaysWhatItIs) {
    ui::PrintDialog d({2, 3, 8, 9}, {});
    d.specifyScale()->setChecked(true); // the scale factor becomes pressable
    EXPECT_EQ(unnamedControls(&d).join(", ").toStdString(), "");
    EXPECT_EQ(accessibleName(d.scaleFactor()), "Scale factor, %");
    // The printer box speaks the printer chosen; its label says what it is.
    QStringList labels;
    for (const auto& [label, relation] :
         QAccessible::queryAccessibleInterface(d.printers())->relations(QAccessible::Label))
        labels << label->text(QAccessible::Name);
    EXPECT_TRUE(labels.contains(QStringLiteral("Name:"))) << labels.join(", ").toStdString();
}

} // namespace lc::test
