#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPixmap>

#include "QtApp.h"
#include "core/CursorIds.h"
#include "core/ui/Cursors.h"

using namespace lc;
using namespace lc::ui;

TEST(Cursors, HotSpotListTakesTheFirstThreeNumbersOfALine) {
    const auto spots = ParseHotSpots("# id x y\n"
                                     "6 10 12\n"
                                     "crDraw1x1 = 27: 0, 31   # pencil tip\n"
                                     "20\t5\n"
                                     "\n"
                                     "51 16 16 extra 99\n"
                                     "22.png 3 4\n");
    ASSERT_EQ(spots.size(), 4u);
    EXPECT_EQ(spots.at(22), QPoint(3, 4));
    EXPECT_EQ(spots.at(6), QPoint(10, 12));
    EXPECT_EQ(spots.at(27), QPoint(0, 31));
    EXPECT_EQ(spots.at(51), QPoint(16, 16));
}

TEST(Cursors, PicturesAreLoadedWithTheirHotSpotsAndMissingOnesFallBack) {
    lc::test::qtApp();
    const QString dir = lc::test::testHome().path() + "/cursors/";
    QDir().mkpath(dir);
    QPixmap pm(32, 32);
    pm.fill(Qt::black);
    ASSERT_TRUE(pm.save(dir + "22.png"));
    ASSERT_TRUE(pm.save(dir + "23.png"));
    QFile f(dir + "hotspots.txt");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("22 3 4\n23 40 40\n"); // 23's spot lies outside the picture
    f.close();

    EXPECT_TRUE(RegisterCursor(crBlockCopy, dir));
    const QCursor c = CursorById(crBlockCopy);
    EXPECT_EQ(c.shape(), Qt::BitmapCursor);
    EXPECT_EQ(c.hotSpot(), QPoint(3, 4));
    EXPECT_TRUE(RegisterCursor(crBlockCut, dir));
    EXPECT_EQ(CursorById(crBlockCut).hotSpot(), QPoint(16, 16));

    EXPECT_FALSE(RegisterCursor(crMove, dir));
    EXPECT_EQ(CursorById(crMove).shape(), Qt::SizeAllCursor);
    EXPECT_EQ(CursorById(9999).shape(), Qt::ArrowCursor);
}

TEST(Cursors, TheMainWindowRegistersEveryOneOfItsIds) {
    lc::test::qtApp();
    CursorTable().clear();
    RegisterMainCursors();
    EXPECT_EQ(CursorTable().size(), 34u);
    for (int id : {6, 7, 20, 35, 51}) EXPECT_TRUE(CursorTable().count(id)) << id;
    EXPECT_FALSE(CursorTable().count(10));
    RegisterGarmentCursors();
    EXPECT_EQ(CursorTable().size(), 37u);
}
