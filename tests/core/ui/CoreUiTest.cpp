#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QStandardPaths>

#include "QtApp.h"
#include "core/Environment.h"
#include "core/PatternRaster.h"
#include "core/StitchBitmaps.h"
#include "core/Workspace.h"
#include "core/ui/IndexedImage.h"
#include "core/ui/PrinterDpi.h"
#include "core/ui/PrivateFont.h"
#include "core/ui/ProgramDirs.h"
#include "core/ui/StitchPixmaps.h"

using namespace lc;
using namespace lc::ui;

TEST(StitchPixmaps, FollowTheEngineBuffersAndTheirRebuilds) {
    lc::test::qtApp();
    Workspace ws;
    ws.Raster.Colors[3] = RGB(255, 128, 0);
    LoadStitchSource(ws.Stitches);
    BuildStitchBitmaps(ws);
    const QImage img = StitchImage(ws.Stitches, 3);
    ASSERT_EQ(img.size(), QSize(11, 11));
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x) {
            const uint8_t* p = ws.Stitches.Bitmaps[3].pixel(x, y);
            ASSERT_EQ(img.pixel(x, y), qRgb(p[0], p[1], p[2]));
        }
    StitchPixmaps pixmaps(ws.Stitches);
    EXPECT_EQ(pixmaps.pixmap(3).size(), QSize(11, 11));
    ws.Editor.ZoomIndex = 0;
    BuildStitchBitmaps(ws);
    EXPECT_EQ(pixmaps.pixmap(3).size(), QSize(3, 3));
    EXPECT_TRUE(StitchImage(ws.Stitches, 16).isNull());
    EXPECT_TRUE(pixmaps.pixmap(-1).isNull());
}

TEST(IndexedImage, ShowsTheCellsWithTheGivenColours) {
    lc::test::qtApp();
    PatternRaster g;
    g.SetSize(5, 3);
    g.Picture.line(0)[4] = 16;
    g.Picture.line(2)[1] = 7;
    ColorTable17 grey{};
    for (int i = 0; i < 17; ++i) grey[i] = RGB(i, i * 2, i * 3);
    const QImage img = IndexedView(g.Picture, &grey);
    ASSERT_EQ(img.format(), QImage::Format_Indexed8);
    EXPECT_EQ(img.constBits(), g.Picture.data()); // no copy
    EXPECT_EQ(img.pixelIndex(4, 0), 16);
    EXPECT_EQ(img.pixel(1, 2), qRgb(7, 14, 21));
    EXPECT_EQ(IndexedView(g.Picture).pixel(4, 0), qRgb(16, 16, 16)); // the bitmap's own table (P256)
}

TEST(PrivateFont, IsAddedAndRemovedAndAMissingFileIsSurvived) {
    lc::test::qtApp();
    EXPECT_FALSE(AddPrivateFont("/nonexistent/Loopcraft.ttf"));
    EXPECT_TRUE(PrivateFontFamily().isEmpty());
    const QString dejavu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (!QFile::exists(dejavu)) GTEST_SKIP() << "no font file to add";
    ASSERT_TRUE(AddPrivateFont(dejavu));
    EXPECT_EQ(PrivateFontFamily(), "DejaVu Sans");
    EXPECT_TRUE(RemovePrivateFont());
    EXPECT_FALSE(RemovePrivateFont());
}

TEST(PrinterDpi, TheEngineMeasuresInThePrintersPixels) {
    lc::test::qtApp();
    PrinterResolution printer;
    printer.Set(1, 1);
    UpdatePrinterDpi(printer);
    EXPECT_GT(printer.DpiX, 1);
    EXPECT_GT(printer.DpiY, 1);
    EXPECT_EQ(printer.MmToPixelsX(25.4), static_cast<int>(printer.DpiX));
}

TEST(ProgramDirs, UserFilesGoToTheProgramFolderOnlyWhenItIsWritable) {
    lc::test::qtApp();
    const QString writable = lc::test::testHome().path() + "/prog";
    QDir().mkpath(writable);
    EXPECT_EQ(UserWritableDir(writable), writable + "/");
    // /proc refuses new files even to the superuser.
    const QString fallback = UserWritableDir("/proc");
    EXPECT_EQ(fallback, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/");
    EXPECT_TRUE(fallback.startsWith(lc::test::testHome().path()));
    EXPECT_TRUE(QDir(fallback).exists());
}

TEST(ProgramDirs, ProgramLocationIsSetForStartUp) {
    lc::test::qtApp();
    const QString prog = lc::test::testHome().path() + "/bin";
    QDir().mkpath(prog);
    // The tests after this one in the same process find the built program again.
    const QByteArray built = qgetenv("LC_PROGRAM_DIR");
    qputenv("LC_PROGRAM_DIR", prog.toLocal8Bit());
    ProgramPaths paths;
    SetProgramLocation(paths);
    if (built.isNull()) qunsetenv("LC_PROGRAM_DIR");
    else qputenv("LC_PROGRAM_DIR", built);
    EXPECT_EQ(QString::fromStdString(paths.AppDir), prog + "/");
    EXPECT_EQ(paths.UserDir, paths.AppDir);
    EXPECT_FALSE(paths.ExeName.empty());
    EXPECT_TRUE(QDir(prog + "/Galleries").exists());
}
