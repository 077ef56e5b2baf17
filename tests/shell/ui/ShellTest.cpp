// The application shell: the popup menu and its shortcuts, the frames'
// buttons, the Garment Shape page's keys, help, sounds and the page calls,
// the autosave across a restart and the preferences dialog with its scan.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "../../knitting/PtyAdapter.h"
#include "ProgramWorkspace.h"
#include "QtApp.h"
#include "core/ModelFile.h"
#include "core/PageCommands.h"
#include "editor/ui/DrawingPage.h"
#include "garment/ui/GarmentShapePage.h"
#include "knitting/KnitRun.h"
#include "knitting/LinkController.h"
#include "knitting/ui/LinkPage.h"
#include "shell/ui/ConverterPage.h"
#include "shell/ui/FashionPage.h"
#include "shell/ui/GalleriesPage.h"
#include "shell/ui/HelpWindow.h"
#include "shell/Autosave.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/PreferencesDialog.h"
#include "shell/ui/SoundPlayer.h"

using lc::ui::MainWindow;

namespace {

void setCell(lc::PatternRaster& r, int col, int row, uint8_t v) { r.Picture.set(col, r.LineOfRow(row), v); }

// A stand-in for the pages that own documents: records what it is asked.
struct FakeGarmentPage : lc::GarmentCommands {
    std::vector<std::string> calls;
    void OnShowForm() override { calls.push_back("show"); }
    void newDocument() override { calls.push_back("new"); }
    void openDocument() override { calls.push_back("open"); }
    void saveDocument() override { calls.push_back("save"); }
    void printDocument() override { calls.push_back("print"); }
    void unitsChanged() override { calls.push_back("units"); }
    void makeMask() override { calls.push_back("mask"); }
    std::vector<uint8_t> garmentItem() const override { return {}; }
    void setGarmentItem(std::span<const uint8_t>) override { calls.push_back("item"); }
    bool writeToModel(lc::ModelFile&, int item) override {
        calls.push_back("write " + std::to_string(item));
        return true;
    }
    bool readFromModel(const lc::ModelFile&, int item) override {
        calls.push_back("read " + std::to_string(item));
        return true;
    }
};

struct FakeDocumentPage : lc::PageCommands {
    std::vector<std::string> calls;
    void newDocument() override { calls.push_back("new"); }
    void openDocument() override { calls.push_back("open"); }
    void saveDocument() override { calls.push_back("save"); }
};

std::vector<int> visiblePageItems(MainWindow& w) {
    std::vector<int> tags;
    for (int tag : {101, 102, 103, 201, 202, 203, 301, 302, 401, 402, 1001, 1002})
        if (w.menuAction(tag)->isVisible()) tags.push_back(tag);
    return tags;
}

struct Shell : lc::test::ProgramWindow {};

} // namespace

TEST_F(Shell, PopupItemsAndShortcutsFollowTheCurrentPage) {
    EXPECT_EQ(w.minimumSize(), QSize(760, 560));
    // Each tab carries its own picture.
    std::vector<QImage> pictures;
    for (int i = 0; i < MainWindow::pgCount; ++i) {
        const QImage picture = w.pages()->tabIcon(i).pixmap(w.pages()->iconSize()).toImage();
        ASSERT_EQ(picture.size(), QSize(50, 20));
        EXPECT_TRUE(std::find(pictures.begin(), pictures.end(), picture) == pictures.end()) << i;
        pictures.push_back(picture);
    }
    EXPECT_EQ(visiblePageItems(w), (std::vector<int>{101, 102, 103, 401, 402}));
    EXPECT_EQ(w.menuAction(103)->shortcut(), QKeySequence(QKeySequence::New));
    // The drawing's items are spelt as the program always spelt them.
    EXPECT_EQ(w.menuAction(MainWindow::miNewPattern)->text(), "New Stich Pattern");
    EXPECT_EQ(w.menuAction(MainWindow::miLoadPattern)->text(), "Load Stich Pattern");
    EXPECT_EQ(w.menuAction(MainWindow::miSavePattern)->text(), "Save Stich Pattern");
    EXPECT_TRUE(w.menuAction(MainWindow::miPrint)->isEnabled());

    w.pages()->setCurrentIndex(MainWindow::pgGalleries);
    EXPECT_EQ(visiblePageItems(w), (std::vector<int>{1001, 1002}));
    EXPECT_TRUE(w.menuAction(MainWindow::miPrint)->isVisible());
    EXPECT_FALSE(w.menuAction(MainWindow::miPrint)->isEnabled());
    for (int tag : {503, 504, 505}) EXPECT_TRUE(w.menuAction(tag)->isVisible());
    // Ctrl+N belongs to the Drawing page: elsewhere it cannot wipe the drawing.
    EXPECT_FALSE(w.menuAction(103)->isEnabled());
    setCell(ws.Raster, 4, 4, 3);
    w.menuAction(103)->trigger();
    w.MenuClick(103);
    EXPECT_EQ(ws.Raster.CellAt(4, 4), 3);

    w.pages()->setCurrentIndex(MainWindow::pgGarment);
    EXPECT_EQ(visiblePageItems(w), (std::vector<int>{201, 202, 203}));
    EXPECT_TRUE(w.menuAction(MainWindow::miPrint)->isEnabled());
    w.pages()->setCurrentIndex(MainWindow::pgFashion);
    EXPECT_EQ(visiblePageItems(w), (std::vector<int>{301, 302}));
    EXPECT_TRUE(w.menuAction(301)->isEnabled());
    EXPECT_FALSE(w.menuAction(1002)->isEnabled());

    // Every page's Open button drops this menu; the galleries' Help is topic 6.
    for (QToolButton* open : {w.drawingPage()->openButton(), w.galleriesPage()->openButton(),
                              w.fashionPage()->openButton(), w.converterPage()->openButton()}) {
        EXPECT_EQ(open->menu(), w.popupMenu());
        EXPECT_EQ(open->popupMode(), QToolButton::MenuButtonPopup);
    }
    w.galleriesPage()->helpButton()->click();
    ASSERT_NE(w.helpWindow(), nullptr);
    EXPECT_TRUE(w.helpWindow()->browser()->source().path().endsWith("galleries.html"));
    w.fashionPage()->helpButton()->click();
    EXPECT_TRUE(w.helpWindow()->browser()->source().path().endsWith("index.html"));
    w.close();
}

TEST_F(Shell, MenuButtonsAndPageCallsReachTheirPages) {
    FakeGarmentPage garment;
    FakeDocumentPage galleries, fashion;
    w.setGarmentCommands(&garment);
    w.setPageCommands(MainWindow::pgGalleries, &galleries);
    w.setPageCommands(MainWindow::pgFashion, &fashion);

    w.pages()->setCurrentIndex(MainWindow::pgGarment);
    for (int tag : {203, 201, 202, int(MainWindow::miPrint)}) w.MenuClick(tag);
    w.FrameButtonClick(20100);
    w.FrameButtonClick(20101);
    EXPECT_EQ(garment.calls, (std::vector<std::string>{"show", "new", "open", "save", "print", "open", "save"}));
    w.pages()->setCurrentIndex(MainWindow::pgGalleries);
    w.MenuClick(1001);
    w.MenuClick(1002);
    w.galleriesPage()->openButton()->click(); // the galleries' Open only drops the menu
    w.galleriesPage()->saveButton()->click();
    EXPECT_EQ(galleries.calls, (std::vector<std::string>{"new", "save", "save"}));
    w.pages()->setCurrentIndex(MainWindow::pgFashion);
    w.MenuClick(301);
    w.MenuClick(302);
    w.fashionPage()->openButton()->click();
    w.fashionPage()->saveButton()->click();
    EXPECT_EQ(fashion.calls, (std::vector<std::string>{"open", "save", "open", "save"}));

    // The page calls of the Fashion page (on its open model) and the garment mask;
    // a garment item opened shows the Garment Shape page.
    garment.calls.clear();
    lc::ModelFile collection;
    w.setCollectionModel([&] { return &collection; });
    w.writeGarmentToModel(3);
    ws.Editor.GarmentMode = true;
    w.readGarmentFromModel(2);
    w.garmentMaskChanged();
    EXPECT_EQ(garment.calls, (std::vector<std::string>{"write 3", "read 2", "mask", "show", "mask"}));
    EXPECT_EQ(w.pages()->currentIndex(), MainWindow::pgGarment);
    w.techniqueChanged("Weaving");
    EXPECT_TRUE(w.drawingPage()->technicText().contains("Weaving"));

    // Sounds go through the SoundEvents filter.
    ws.Settings.SoundEvents = 255;
    w.playEventSound(lc::EventSound::WorkDoneOrCamError);
    EXPECT_EQ(w.soundPlayer()->lastPlayed(), 3);
    ws.Settings.SoundEvents = 0;
    w.playEventSound(lc::EventSound::ColourChanged);
    EXPECT_EQ(w.soundPlayer()->lastPlayed(), 3);
    w.close();
}

TEST_F(Shell, PictureAndPaletteFilesGoThroughTheMenuAndTheButtons) {
    const QString dir = lc::test::testHome().path();
    QString answer;
    std::vector<std::pair<int, QString>> asked;
    w.setFileChooser([&](bool, const QString&, int filter, const QString& name) {
        asked.emplace_back(filter, name);
        return answer;
    });
    QStringList errors;
    w.setErrorPresenter([&](const QString& m) { errors << m; });

    setCell(ws.Raster, 7, 9, 5);
    answer = dir + "/p.LCW";
    w.MenuClick(MainWindow::miSavePattern);
    w.MenuClick(MainWindow::miNewPattern);
    EXPECT_EQ(ws.Raster.CellAt(7, 9), 0);
    w.FrameButtonClick(10100); // the Drawing page's Open
    EXPECT_EQ(ws.Raster.CellAt(7, 9), 5);
    // The Open button keeps the last name; the menu's Load starts with none.
    w.FrameButtonClick(10100);
    w.MenuClick(MainWindow::miLoadPattern);
    EXPECT_EQ(asked[2], std::make_pair(2, QString("p.LCW")));
    EXPECT_EQ(asked[3], std::make_pair(2, QString()));

    const uint32_t before = ws.Raster.Colors[3];
    answer = dir + "/c.LCP";
    w.MenuClick(MainWindow::miSavePalette);
    ws.Raster.Colors[3] = 0x123456;
    w.MenuClick(MainWindow::miLoadPalette);
    EXPECT_EQ(ws.Raster.Colors[3], before);
    EXPECT_EQ(asked.back().first, 3);

    // A damaged file, and files too short for the header whether they carry
    // the mark or not: a message each, nothing changed.
    const std::pair<const char*, QByteArray> shortFiles[] = {
        {"bad.LCW", QByteArray("ZT\0\0\x05\0", 6)},
        {"empty.LCW", QByteArray()},
        {"notes.LCW", QByteArray("just some words, 23 b.\n")},
    };
    for (const auto& [name, bytes] : shortFiles) {
        QFile bad(dir + "/" + name);
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write(bytes);
        bad.close();
        answer = bad.fileName();
        const qsizetype told = errors.size();
        w.MenuClick(MainWindow::miLoadPattern);
        EXPECT_EQ(errors.size(), told + 1) << name;
        EXPECT_EQ(ws.Raster.CellAt(7, 9), 5) << name;
    }
    w.close();
}

TEST_F(Shell, PageChangeRebuildsTheMaskOnlyInGarmentMode) {
    FakeGarmentPage garment;
    w.setGarmentCommands(&garment);
    ws.Editor.ChangeFlags = lc::kGarmentChanged;
    w.pages()->setCurrentIndex(MainWindow::pgLink);
    w.pages()->setCurrentIndex(MainWindow::pgDrawing);
    EXPECT_EQ(std::count(garment.calls.begin(), garment.calls.end(), "mask"), 0);
    ws.Editor.GarmentMode = true;
    w.pages()->setCurrentIndex(MainWindow::pgLink);
    w.pages()->setCurrentIndex(MainWindow::pgDrawing);
    EXPECT_EQ(std::count(garment.calls.begin(), garment.calls.end(), "mask"), 1);
    EXPECT_EQ(ws.Editor.ChangeFlags & lc::kGarmentChanged, 0);
    w.close();
}

TEST_F(Shell, HelpShowsOurPagesInTheLanguageInUse) {
    w.HHelp(1);
    ASSERT_NE(w.helpWindow(), nullptr);
    EXPECT_TRUE(w.helpWindow()->isVisible());
    EXPECT_TRUE(w.helpWindow()->browser()->source().path().endsWith("help/ENG/index.html"));
    ws.Settings.LanguageCode = "RUS";
    w.HHelp(6);
    EXPECT_TRUE(w.helpWindow()->browser()->source().path().endsWith("help/RUS/galleries.html"));
    EXPECT_TRUE(lc::ui::HelpWindow::topicFile("/nonexistent", "ENG", 1).isEmpty());
    // The Manual page shows the shipped manual.
    EXPECT_TRUE(w.manualBrowser()->source().path().endsWith("manual/silverreed/index.htm"));
    w.close();
}

TEST(ShellRestart, TheDrawingAndTheKnitStateSurviveCloseAndRestart) {
    lc::test::qtApp();
    QString file;
    {
        lc::test::ProgramWorkspace program;
        lc::Workspace& ws = program.ws;
        MainWindow w(ws);
        ws.Settings.AutoRestore = 1;
        for (int x = 0; x < ws.Raster.Width; x += 3) setCell(ws.Raster, x, x % 50, 1 + x % 15);
        ws.Editor.ZoneOn = true;
        ws.Editor.ZoneRow = 30;
        lc::LinkController& ctl = w.linkPage()->controller();
        ctl.ChooseTechnique(lc::tkTuckStitch);
        ctl.Bed().LSPos = 20;
        ctl.Bed().RSPos = 140;
        lc::GarmentOutline& outline = w.garmentPage()->outline();
        for (auto [x, y] : {std::pair{0, 0}, {100, 0}, {100, 100}, {0, 100}}) outline.AddPoint(x, y);
        file = w.autosaveFile();
        QFile::remove(file);
        const int width = ws.Raster.Width;
        w.close();
        // Header, four item records, picture and mask, a garment of four points, the state.
        EXPECT_EQ(QFileInfo(file).size(), 88 + 4 + 4 * 56 + 2 * width * 1024 + 14 + 4 * 12 + 356);
    }
    lc::test::ProgramWorkspace program;
    lc::Workspace& ws = program.ws;
    ws.Settings.AutoRestore = 1;
    MainWindow w(ws);
    ws.Settings.AutoRestore = 1; // start-up read the stored setting
    w.show();
    for (int x = 0; x < ws.Raster.Width; x += 3) ASSERT_EQ(ws.Raster.CellAt(x, x % 50), 1 + x % 15) << x;
    EXPECT_TRUE(ws.Editor.ZoneOn);
    EXPECT_EQ(ws.Editor.ZoneRow, 30);
    EXPECT_TRUE(w.drawingPage()->button(201)->isChecked());
    lc::LinkController& ctl = w.linkPage()->controller();
    EXPECT_EQ(ctl.ActiveTechnique()->Kind, lc::tkTuckStitch);
    EXPECT_EQ(ctl.Bed().LSPos, 20);
    EXPECT_EQ(ctl.Bed().RSPos, 140);
    ASSERT_EQ(w.garmentPage()->outline().Points().size(), 4u);
    EXPECT_EQ(w.garmentPage()->outline().Points()[2].X, 100);
    w.close();

    // The technique comes back by its kind when its name is of another
    // language; an unknown one keeps the current technique and selects no line.
    {
        lc::test::ProgramWorkspace p2;
        MainWindow w3(p2.ws);
        p2.ws.Settings.AutoRestore = 1;
        lc::LinkController& c3 = w3.linkPage()->controller();
        const int before = c3.ActiveTechnique()->Kind;
        lc::AppState s;
        s.TechniqueName = "Translated name";
        s.TechniqueKind = lc::tkWeaving;
        lc::WriteAutosave(file.toStdString(), p2.ws.Raster, {}, s);
        ASSERT_TRUE(w3.AutoLoad());
        EXPECT_EQ(c3.ActiveTechnique()->Kind, lc::tkWeaving);
        c3.ChooseTechnique(before);
        s.TechniqueKind = 0;
        lc::WriteAutosave(file.toStdString(), p2.ws.Raster, {}, s);
        ASSERT_TRUE(w3.AutoLoad());
        EXPECT_EQ(c3.ActiveTechnique()->Kind, before);
        EXPECT_EQ(w3.linkPage()->techniqueBox()->currentIndex(), -1);
        w3.close();
    }

    // A damaged autosave: a message, and the pattern starts empty.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.resize(1000);
    f.close();
    lc::test::ProgramWorkspace again;
    MainWindow w2(again.ws);
    again.ws.Settings.AutoRestore = 1;
    QStringList errors;
    w2.setErrorPresenter([&](const QString& m) { errors << m; });
    EXPECT_FALSE(w2.AutoLoad());
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(again.ws.Raster.CellAt(3, 3), 0);
    // With AutoRestore off, or no file, nothing is restored and nothing said.
    QFile::remove(file);
    EXPECT_FALSE(w2.AutoLoad());
    EXPECT_EQ(errors.size(), 1);
}
