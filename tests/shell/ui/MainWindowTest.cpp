#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTabWidget>

#include "QtApp.h"
#include "core/Globals.h"
#include "core/GraphicData.h"
#include "core/Machine.h"
#include "core/StartUp.h"
#include "core/ui/Cursors.h"
#include "shell/ui/MainWindow.h"

TEST(MainWindow, HasSevenPages) {
    lc::test::qtApp();
    lc::ui::TForm1 w;
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
        lc::ui::TForm1 w;
        EXPECT_TRUE(lc::IsStartedUp());
        EXPECT_EQ(lc::CurrentMachine.Code, 102);
        EXPECT_EQ(lc::GraphicData.Width, 200);
        EXPECT_EQ(lc::GraphicData.Height, 1024);
        EXPECT_FALSE(lc::AppDir.empty());
        EXPECT_EQ(lc::AppDir.back(), '/');
        EXPECT_EQ(lc::Path_Picture, lc::UserDir + "Patterns");
        EXPECT_TRUE(lc::ui::CursorTable().count(lc::crZoomIn));
        EXPECT_TRUE(lc::ui::CursorTable().count(lc::crTransformVSymmetry));
        w.close();
        EXPECT_FALSE(lc::IsStartedUp());
        EXPECT_TRUE(lc::MachineList.empty());
    }
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value("Loopcrafter/Machine").toInt(), 102);
    EXPECT_EQ(raw.value("Loopcrafter/NeedleBed").toInt(), 200);
}
