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
    for (const auto& spoil : {std::function<void()>(cutShort), std::function<void()>(notAPalette),
                              std::function<void()>(missing)}) {
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
