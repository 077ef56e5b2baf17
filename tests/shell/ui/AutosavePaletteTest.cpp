// The autosave keeps the drawing as palette indexes; its colours are kept
// beside it and come back with it, or the start palette stays and the user
// is told once.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "ProgramWorkspace.h"
#include "QtApp.h"
#include "core/Errors.h"
#include "shell/Autosave.h"
#include "shell/ui/MainWindow.h"

using lc::ui::MainWindow;

namespace {

void setCell(lc::PatternRaster& r, int col, int row, uint8_t v) { r.Picture.set(col, r.LineOfRow(row), v); }

// A window started as at program start with AutoRestore on: it restores the
// autosave when shown, its messages collected in `errors`.
struct RestartedWindow {
    lc::test::ProgramWorkspace program;
    MainWindow window{program.ws};
    QStringList errors;

    RestartedWindow() {
        window.setErrorPresenter([this](const QString& m) { errors << m; });
        program.ws.Settings.AutoRestore = 1;
        window.show();
    }
    ~RestartedWindow() { window.close(); }
};

} // namespace

TEST(AutosavePalette, TheDrawingComesBackInItsOwnColours) {
    lc::test::qtApp();
    lc::ColorTable17 startPalette{}, chosen{};
    QString paletteFile;
    {
        lc::test::ProgramWorkspace program;
        lc::Workspace& ws = program.ws;
        MainWindow w(ws);
        startPalette = ws.Raster.Colors;
        for (size_t i = 0; i < chosen.size(); ++i) chosen[i] = startPalette[i] ^ (0x102030u + 0x010101u * i);
        ws.Raster.Colors = chosen;
        for (int x = 0; x < 16; ++x) setCell(ws.Raster, x, 5, static_cast<uint8_t>(x));
        paletteFile = QFileInfo(w.autosaveFile()).dir().filePath(lc::kAutosavePaletteFileName);
        w.close();
    }
    ASSERT_NE(chosen, startPalette);
    EXPECT_EQ(QFileInfo(paletteFile).size(), 134);

    {
        RestartedWindow again;
        lc::Workspace& ws = again.program.ws;
        EXPECT_EQ(ws.Raster.Colors, chosen);
        for (int x = 0; x < 16; ++x) EXPECT_EQ(ws.Raster.CellAt(x, 5), x);
        EXPECT_TRUE(again.errors.isEmpty()) << again.errors.join('\n').toStdString();
    }

    // A palette file cut short, one that is no palette, and none at all: the
    // drawing still comes back, in the start palette, with one message.
    const auto cutShort = [&] {
        QFile f(paletteFile);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.resize(100);
    };
    const auto notAPalette = [&] {
        QFile f(paletteFile);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(2);
        f.write("\0\0", 2); // the palette mark
    };
    const auto missing = [&] { ASSERT_TRUE(QFile::remove(paletteFile)); };
    for (const auto& spoil :
         {std::function<void()>(cutShort), std::function<void()>(notAPalette), std::function<void()>(missing)}) {
        spoil();
        RestartedWindow again;
        lc::Workspace& ws = again.program.ws;
        EXPECT_EQ(ws.Raster.Colors, startPalette);
        EXPECT_EQ(ws.Raster.CellAt(9, 5), 9);
        EXPECT_EQ(again.errors.size(), 1) << again.errors.join('\n').toStdString();
        // Its colours are kept again at close, for the next start.
        ws.Raster.Colors = chosen;
    }
    RestartedWindow last;
    EXPECT_EQ(last.program.ws.Raster.Colors, chosen);
    EXPECT_TRUE(last.errors.isEmpty());
}

// The drawing and its colours are written as a pair. A drawing that cannot be
// written leaves both files of the session before, which come back together;
// colours that cannot be written after a new drawing leave no older colours
// beside it: that drawing comes back in the start palette, said once.
TEST(AutosavePalette, TheDrawingAndItsColoursAreKeptAsAPair) {
    lc::test::qtApp();
    const auto bytesOf = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    // Session colours differ from the start palette and from one another.
    const auto colours = [](const lc::ColorTable17& start, uint32_t salt) {
        lc::ColorTable17 c = start;
        for (size_t i = 0; i < c.size(); ++i) c[i] ^= salt + 0x010101u * i;
        return c;
    };
    lc::ColorTable17 startPalette{}, firstColours{};
    // The session draws `cell` in colours of its own and closes while the file
    // `failing` cannot be written: the user is told once.
    const auto closeFailing = [&](RestartedWindow& session, uint32_t salt, uint8_t cell, const QString& failing) {
        lc::Workspace& ws = session.program.ws;
        ws.Raster.Colors = colours(startPalette, salt);
        setCell(ws.Raster, 4, 5, cell);
        session.window.setAutosaveWriteCheck([failing](const std::string& path) {
            if (path == failing.toStdString()) throw lc::IoError(path, "write", "No space left on device");
        });
        session.window.close();
        EXPECT_EQ(session.errors.size(), 1) << session.errors.join('\n').toStdString();
    };
    QString drawingFile, paletteFile;
    {
        lc::test::ProgramWorkspace program;
        MainWindow w(program.ws);
        startPalette = program.ws.Raster.Colors;
        firstColours = colours(startPalette, 0x102030u);
        program.ws.Raster.Colors = firstColours;
        setCell(program.ws.Raster, 4, 5, 7);
        drawingFile = w.autosaveFile();
        paletteFile = QFileInfo(drawingFile).dir().filePath(lc::kAutosavePaletteFileName);
        w.close();
    }
    const QByteArray firstDrawing = bytesOf(drawingFile), firstPalette = bytesOf(paletteFile);
    ASSERT_FALSE(firstDrawing.isEmpty());
    ASSERT_EQ(firstPalette.size(), 134);

    // The drawing cannot be written: both files stay the first session's.
    {
        RestartedWindow again;
        ASSERT_EQ(again.program.ws.Raster.CellAt(4, 5), 7);
        closeFailing(again, 0x405060u, 9, drawingFile);
    }
    EXPECT_EQ(bytesOf(drawingFile), firstDrawing);
    EXPECT_EQ(bytesOf(paletteFile), firstPalette);

    // So the next start shows the first session's drawing in its own colours.
    {
        RestartedWindow again;
        lc::Workspace& ws = again.program.ws;
        EXPECT_EQ(ws.Raster.CellAt(4, 5), 7);
        EXPECT_EQ(ws.Raster.Colors, firstColours);
        EXPECT_TRUE(again.errors.isEmpty()) << again.errors.join('\n').toStdString();

        // The colours cannot be written after a new drawing: the old ones go.
        closeFailing(again, 0x708090u, 11, paletteFile);
    }
    EXPECT_NE(bytesOf(drawingFile), firstDrawing);
    EXPECT_FALSE(QFileInfo::exists(paletteFile));

    // The new drawing comes back in the start palette, and the user is told once.
    RestartedWindow last;
    EXPECT_EQ(last.program.ws.Raster.CellAt(4, 5), 11);
    EXPECT_EQ(last.program.ws.Raster.Colors, startPalette);
    EXPECT_EQ(last.errors.size(), 1) << last.errors.join('\n').toStdString();
}
