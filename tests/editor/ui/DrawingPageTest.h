#pragma once
// The Drawing page on its own, 1000 x 700 on the offscreen screen, over a
// 200 x 1024 pattern with the start palette, driven by synthesised events.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "QtApp.h"
#include "core/CursorIds.h"
#include "core/PatternRaster.h"
#include "core/StitchBitmaps.h"
#include "core/Workspace.h"
#include "core/ui/Cursors.h"
#include "editor/LibraryPatternSource.h"
#include "editor/ToolCodes.h"
#include "editor/ui/DrawingPage.h"
#include "editor/ui/FrameWidgets.h"
#include "editor/ui/ScrollRulers.h"
#include "editor/ui/StitchCanvas.h"
#include "garment/GarmentOutline.h"

namespace lc::test {

class DrawingPageTest : public ::testing::Test {
protected:
    Workspace ws;
    PatternRaster& gd = ws.Raster;
    std::unique_ptr<ui::DrawingPage> frame;
    ui::StitchCanvas* canvas = nullptr;

    void SetUp() override {
        qtApp();
        gd.SetSize(200, 1024);
        for (size_t i = 0; i < 16; ++i) gd.Colors[i] = P256()[i];
        gd.Colors[16] = RGB(250, 250, 250);
        gd.UpdatePalette(0);
        LoadStitchSource(ws.Stitches);
        BuildStitchBitmaps(ws);
        if (ui::CursorTable().empty()) ui::RegisterMainCursors();
        frame = std::make_unique<ui::DrawingPage>(ws);
        frame->resize(1000, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        canvas = frame->canvas();
        ASSERT_GT(canvas->width(), 600);
    }
    void TearDown() override { frame.reset(); }

    uint8_t cell(int c, int r) const { return gd.CellAt(c, r); }
    void set(int c, int r, uint8_t v) { gd.Picture.line(gd.Height - 1 - r)[c] = v; }
    void fillPicture(uint8_t v) {
        for (int y = 0; y < gd.Height; ++y) std::fill(gd.Picture.line(y), gd.Picture.line(y) + gd.Width, v);
    }
    // A garment outline: the 100-mm square from (0, 0), straight sides.
    static GarmentOutline square100mm() {
        GarmentOutline square;
        for (auto [x, y] : {std::pair{0, 0}, std::pair{100, 0}, std::pair{100, 100}, std::pair{0, 100}})
            square.AppendPointRaw(x, y, false);
        for (int i = 0; i < 4; ++i) square.AddCurve(i, (i + 1) % 4, 7);
        return square;
    }

    QPoint at(int c, int r) const {
        const PixelPoint p = canvas->geom().pixelOfCell(c, r);
        return {p.x, p.y};
    }
    // Presses and releases go through the window system, as a real mouse does.
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mousePress(canvas, b, m, p);
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mouseRelease(canvas, b, m, p);
    }
    // A move with a button held; the canvas holds the mouse, so the point may lie outside it.
    void move(QPoint p, Qt::MouseButtons held = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(canvas->mapToGlobal(p)), Qt::NoButton, held, m);
        QApplication::sendEvent(canvas, &e);
    }
    void clickCell(int c, int r, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        press(at(c, r), b, m);
        release(at(c, r), b, m);
    }
    void dragCells(int c1, int r1, int c2, int r2, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        press(at(c1, r1), b, m);
        move(at(c2, r2), b, m);
        release(at(c2, r2), b, m);
    }
    QAbstractButton* button(int tag) const { return frame->button(tag); }
    // A tool chosen from the keyboard: focus on its button, then Space.
    void chooseTool(int tag) {
        QAbstractButton* b = button(tag);
        b->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(b, Qt::Key_Space);
    }
    void clickButton(int tag) { QTest::mouseClick(button(tag), Qt::LeftButton); }
    // The colour the screen shows in the middle of a cell.
    QRgb shownAt(int c, int r) const { return canvas->backBuffer().pixel(at(c, r)); }
    static QRgb rgbOf(Color c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }
};

} // namespace lc::test
