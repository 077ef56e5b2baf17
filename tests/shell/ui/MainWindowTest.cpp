#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTabWidget>
#include <QAbstractButton>
#include <QTest>

#include "QtApp.h"
#include "core/Globals.h"
#include "core/PatternRaster.h"
#include "core/Machine.h"
#include "core/StartUp.h"
#include "core/Translator.h"
#include "core/UIText.h"
#include "core/ui/Cursors.h"
#include "editor/ToolCodes.h"
#include "editor/ui/DrawingPage.h"
#include "editor/ui/StitchCanvas.h"
#include "shell/ui/MainWindow.h"

TEST(MainWindow, HasSevenPages) {
    lc::test::qtApp();
    lc::ui::MainWindow w;
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
        lc::ui::MainWindow w;
        EXPECT_TRUE(lc::IsStartedUp());
        EXPECT_EQ(lc::CurrentMachine.Code, 102);
        EXPECT_EQ(lc::GraphicData.Width, 200);
        EXPECT_EQ(lc::GraphicData.Height, 1024);
        EXPECT_FALSE(lc::AppDir.empty());
        EXPECT_EQ(lc::AppDir.back(), '/');
        EXPECT_EQ(lc::Path_Picture, lc::UserDir + "Patterns");
        EXPECT_TRUE(lc::ui::CursorTable().count(lc::crZoomIn));
        EXPECT_TRUE(lc::ui::CursorTable().count(lc::crTransformVSymmetry));
        // The shipped start palette and language file were found beside the program.
        EXPECT_NE(lc::GraphicData.Colors[16], 0u);
        EXPECT_EQ(lc::GraphicData.GreyColors[16], lc::GreyOf(lc::GraphicData.Colors[16]));
        EXPECT_FALSE(lc::gTranslator.Translate("S02000").empty());
        w.close();
        EXPECT_FALSE(lc::IsStartedUp());
        EXPECT_TRUE(lc::MachineList.empty());
    }
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value("Loopcrafter/Machine").toInt(), 102);
    EXPECT_EQ(raw.value("Loopcrafter/NeedleBed").toInt(), 200);
}

TEST(MainWindow, StartsInRussianWhenTheLanguageCodeSaysSo) {
    lc::test::qtApp();
    {
        lc::ui::MainWindow first; // writes the defaults, among them the language code
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
    lc::ui::MainWindow w;
    EXPECT_EQ(lc::LanguageCode, "RUS");
    EXPECT_EQ(lc::UIText[38], "Seamless Rib");
    EXPECT_NE(lc::gTranslator.Translate("s02002"), "Fair Isle");
    w.close();
}

TEST(MainWindow, DrawingPageAnswersTheEditorAndTheOtherPages) {
    lc::test::qtApp();
    lc::ui::MainWindow w;
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
    EXPECT_EQ(lc::GraphicData.CellAt(2, 3), lc::ColorA);
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

    // "Add Garment" asks the main window to rebuild the mask and repaint.
    QTest::mouseClick(f->button(301), Qt::LeftButton);
    EXPECT_TRUE(lc::GarmentMode);
    EXPECT_TRUE(f->button(302)->isEnabled());
    lc::GarmentMode = false;
    w.garmentModeReleased();
    EXPECT_FALSE(f->button(301)->isChecked());
    w.close();
}
