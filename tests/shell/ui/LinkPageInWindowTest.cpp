// The Link page in the main window: page 2, told each time it is shown.
#include <gtest/gtest.h>

#include <QTabWidget>

#include "QtApp.h"
#include "core/Globals.h"
#include "core/PatternRaster.h"
#include "core/Machine.h"
#include "core/UIText.h"
#include "editor/ui/DrawingPage.h"
#include "knitting/ui/LinkPage.h"
#include "shell/ui/MainWindow.h"

TEST(MainWindowLinkPage, ShowingThePageRebuildsItForThePattern) {
    lc::test::qtApp();
    lc::ui::MainWindow w; // starts the shared core: machine 102, a 200 x 1024 raster
    lc::GraphicData.SetSize(200, 10);
    ASSERT_NE(w.linkPage(), nullptr);
    EXPECT_EQ(w.linkPage()->parentWidget(), w.page(lc::ui::MainWindow::pgLink));
    w.pages()->setCurrentIndex(lc::ui::MainWindow::pgLink);
    EXPECT_EQ(w.linkPage()->controller().RowCounterMax(), 10);
    w.pages()->setCurrentIndex(lc::ui::MainWindow::pgDrawing);
    lc::GraphicData.SetSize(200, 20);
    w.pages()->setCurrentIndex(lc::ui::MainWindow::pgLink);
    EXPECT_EQ(w.linkPage()->controller().RowCounterMax(), 20);
    // Closing the window ends a run that is up.
    lc::SoftEmulator = 1;
    lc::ProtocolType = 1;
    w.linkPage()->controller().Start();
    ASSERT_TRUE(w.linkPage()->controller().Run().Running());
    w.close();
    EXPECT_FALSE(w.linkPage()->controller().Run().LinkUp());
    lc::SoftEmulator = 0;
    lc::ProtocolType = 0;
}

TEST(MainWindowLinkPage, TheDrawingPageNamesTheLinkPagesTechnique) {
    lc::test::qtApp();
    lc::ui::MainWindow w;
    lc::LinkController& link = w.linkPage()->controller();
    const auto named = [&] {
        return QString::fromStdString(lc::UIText[lc::utTechnique] + link.ActiveTechnique()->Name);
    };
    // The Link page is made first: the Drawing page still learns its technique.
    EXPECT_EQ(w.drawingPage()->technicText(), named());
    link.ChooseTechnique(lc::tkWeaving);
    EXPECT_EQ(link.ActiveTechnique()->Kind, lc::tkWeaving);
    EXPECT_EQ(w.drawingPage()->technicText(), named());
    w.close();
}
