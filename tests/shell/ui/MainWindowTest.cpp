#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTabWidget>
#include <QAbstractButton>
#include <QTest>

#include "ProgramWorkspace.h"
#include "QtApp.h"
#include "core/CursorIds.h"
#include "core/ui/Cursors.h"
#include "editor/ToolCodes.h"
#include "editor/ui/DrawingPage.h"
#include "editor/ui/StitchCanvas.h"
#include "garment/ui/GarmentShapePage.h"
#include "shell/ui/MainWindow.h"

TEST(MainWindow, HasSevenPages) {
    lc::test::qtApp();
    lc::test::ProgramWorkspace program;
    lc::ui::MainWindow w(program.ws);
    EXPECT_EQ(w.windowTitle(), "Loopcrafter");
    ASSERT_EQ(w.pages()->count(), 7);
    EXPECT_EQ(w.pages()->tabText(0), "Drawing");
    EXPECT_EQ(w.pages()->tabText(6), "Manual");
}

TEST(MainWindow, StartsTheSharedCoreAndStopsItOnClose) {
    lc::test::qtApp();
    const QString ini = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Orvan Solutions/Loopcrafter.ini";
    QFile::remove(ini);
    {
        lc::test::ProgramWorkspace program;
        const lc::Workspace& ws = program.ws;
        lc::ui::MainWindow w(program.ws);
        EXPECT_TRUE(ws.StartedUp);
        EXPECT_EQ(ws.CurrentMachine.Code, 102);
        EXPECT_EQ(ws.Raster.Width, 200);
        EXPECT_EQ(ws.Raster.Height, 1024);
        EXPECT_FALSE(ws.Paths.AppDir.empty());
        EXPECT_EQ(ws.Paths.AppDir.back(), '/');
        EXPECT_EQ(ws.Settings.Path_Picture, ws.Paths.UserDir + "Patterns");
        EXPECT_TRUE(lc::ui::CursorTable().count(lc::crZoomIn));
        EXPECT_TRUE(lc::ui::CursorTable().count(lc::crTransformVSymmetry));
        // The shipped start palette and language file were found beside the program.
        EXPECT_NE(ws.Raster.Colors[16], 0u);
        EXPECT_EQ(ws.Raster.GreyColors[16], lc::GreyOf(ws.Raster.Colors[16]));
        EXPECT_FALSE(ws.Translator.Translate("S02000").empty());
        w.close();
        EXPECT_FALSE(ws.StartedUp);
        EXPECT_TRUE(ws.MachineList.empty());
    }
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value("Loopcrafter/Machine").toInt(), 102);
    EXPECT_EQ(raw.value("Loopcrafter/NeedleBed").toInt(), 200);
}

TEST(MainWindow, StartsInRussianWhenTheLanguageCodeSaysSo) {
    lc::test::qtApp();
    {
        lc::test::ProgramWorkspace program;
        lc::ui::MainWindow first(program.ws); // writes the defaults, among them the language code
    }
    const QString ini = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Orvan Solutions/Loopcrafter.ini";
    {
        QSettings raw(ini, QSettings::IniFormat);
        raw.beginGroup("LocaleOverrides");
        const QStringList keys = raw.childKeys();
        ASSERT_EQ(keys.size(), 1);
        EXPECT_EQ(raw.value(keys[0]).toString(), "ENG");
        raw.setValue(keys[0], "RUS");
    }
    lc::test::ProgramWorkspace program;
    const lc::Workspace& ws = program.ws;
    lc::ui::MainWindow w(program.ws);
    EXPECT_EQ(ws.Settings.LanguageCode, "RUS");
    EXPECT_EQ(ws.UIText[38], "Seamless Rib");
    EXPECT_NE(ws.Translator.Translate("s02002"), "Fair Isle");
    w.close();
    // The tests after this one in the same process start in English again.
    QSettings raw(ini, QSettings::IniFormat);
    raw.beginGroup("LocaleOverrides");
    for (const QString& key : raw.childKeys()) raw.setValue(key, "ENG");
}

TEST(MainWindow, DrawingPageAnswersTheEditorAndTheOtherPages) {
    lc::test::qtApp();
    lc::test::ProgramWorkspace program;
    lc::Workspace& ws = program.ws;
    lc::ui::MainWindow w(ws);
    lc::ui::DrawingPage* f = w.drawingPage();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(w.page(lc::ui::MainWindow::pgDrawing)->isAncestorOf(f));
    w.resize(1100, 760);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    // A brush click: the undo stack's announcement reaches the page's Undo button.
    lc::ui::StitchCanvas* c = f->canvas();
    c->engine().setTool(lc::toolBrush);
    const lc::PixelPoint p = c->geom().pixelOfCell(2, 3);
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(p.x, p.y));
    EXPECT_EQ(ws.Raster.CellAt(2, 3), ws.Editor.ColorA);
    EXPECT_TRUE(f->button(203)->isEnabled());
    lc::IEditorEvents& events = c->model().events();
    events.undoDisable();
    EXPECT_FALSE(f->button(203)->isEnabled());

    // The read-outs keep their sign.
    events.showPosition(-2, 7);
    EXPECT_EQ(f->statusText(1), "-2");
    EXPECT_EQ(f->statusText(2), "7");
    events.showBlockSize(4, 3);
    EXPECT_EQ(f->statusText(3), "4 x 3");
    events.showColorInPalette(5);
    EXPECT_EQ(f->MarkedColor(), 5);

    // What the other pages ask of the Drawing page.
    w.insertPattern();
    EXPECT_EQ(c->engine().tool(), lc::toolPastePattern);
    w.cancelTool();
    EXPECT_EQ(c->engine().tool(), lc::toolBrush);
    w.insertConverted();
    EXPECT_EQ(c->engine().tool(), lc::toolPasteBlock);

    // "Add Garment" asks the main window to rebuild the mask and repaint; an
    // empty outline cannot be laid, so the garment page gets a square first.
    QTest::mouseClick(f->button(301), Qt::LeftButton);
    EXPECT_FALSE(ws.Editor.GarmentMode);
    EXPECT_FALSE(f->button(301)->isChecked());
    lc::GarmentOutline& outline = w.garmentPage()->outline();
    for (auto [x, y] : {std::pair{0, 0}, {100, 0}, {100, 100}, {0, 100}}) outline.AddPoint(x, y);
    for (int i = 0; i < 4; ++i) outline.AddCurve(i, (i + 1) % 4, 0);
    QTest::mouseClick(f->button(301), Qt::LeftButton);
    EXPECT_TRUE(ws.Editor.GarmentMode);
    EXPECT_TRUE(f->button(302)->isEnabled());
    ws.Editor.GarmentMode = false;
    w.garmentModeReleased();
    EXPECT_FALSE(f->button(301)->isChecked());
    w.close();
}
