#include <gtest/gtest.h>

#include <QTabWidget>

#include "QtApp.h"
#include "shell/ui/MainWindow.h"

TEST(MainWindow, HasSevenPages) {
    lc::test::qtApp();
    lc::ui::TForm1 w;
    EXPECT_EQ(w.windowTitle(), "Loopcrafter");
    ASSERT_EQ(w.pages()->count(), 7);
    EXPECT_EQ(w.pages()->tabText(0), "Drawing");
    EXPECT_EQ(w.pages()->tabText(6), "Manual");
}
