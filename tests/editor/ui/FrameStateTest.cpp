// The Drawing page's own state: palette and bobbins, brush sizes, zoom, view
// mode, garment mode, rulers and the handlers the main window calls.
#include "DrawingPageTest.h"

#include <QAccessible>

#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "AccessibleNames.h"
#include "editor/ui/FrameWidgets.h"
#include "editor/ui/ScrollRulers.h"

using namespace lc;
using namespace lc::test;

namespace {
// The bobbin template's brightest pixel: there the bobbin shows its colour exactly.
QPoint brightestTemplatePixel() {
    const QImage& t = ui::BobbinTemplate();
    QPoint best;
    int red = -1;
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x)
            if (t.pixel(x, y) != t.pixel(0, 0) && qRed(t.pixel(x, y)) > red) red = qRed(t.pixel(x, y)), best = {x, y};
    return best;
}
QImage bobbinImage(QLabel* l) { return l->pixmap().toImage(); }
} // namespace

TEST_F(DrawingPageTest, PaletteClicksChooseColoursAndTheBobbinsShowThem) {
    ui::PaletteGrid* grid = frame->paletteGrid();
    QTest::mouseClick(grid, Qt::RightButton, {}, QPoint(45, 8));
    EXPECT_EQ(ws.Editor.ColorB, 2);
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(7 * 21 + 10, 8));
    EXPECT_EQ(ws.Editor.ColorA, 7);
    // A right release dragged off the grid names no colour.
    QTest::mousePress(grid, Qt::RightButton, {}, QPoint(300, 8));
    QTest::mouseRelease(grid, Qt::RightButton, {}, QPoint(grid->width() + 40, 8));
    EXPECT_EQ(ws.Editor.ColorB, 2);

    const QPoint k = brightestTemplatePixel();
    ASSERT_EQ(qRed(ui::BobbinTemplate().pixel(k)), 255);
    EXPECT_EQ(bobbinImage(frame->bobbinA()).pixel(k), rgbOf(gd.Colors[7]));
    EXPECT_EQ(bobbinImage(frame->bobbinB()).pixel(k), rgbOf(gd.Colors[2]));
    EXPECT_EQ(qAlpha(bobbinImage(frame->bobbinA()).pixel(0, 0)), 0);

    // A click on bobbin A swaps the colours.
    QTest::mouseClick(frame->bobbinA(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(ws.Editor.ColorA, 2);
    EXPECT_EQ(ws.Editor.ColorB, 7);
    EXPECT_EQ(bobbinImage(frame->bobbinA()).pixel(k), rgbOf(gd.Colors[2]));

    // The grid marks A and B in their cells: the letters change the cells' pixels.
    const QImage shot = grid->grab().toImage();
    auto inkIn = [&](int column) {
        int n = 0;
        const QRect r = grid->cellRect(column).adjusted(2, 2, -2, -2);
        const QRgb fill = rgbOf(gd.Colors[static_cast<size_t>(column)]);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += shot.pixel(x, y) != fill;
        return n;
    };
    EXPECT_GT(inkIn(2), 5);
    EXPECT_GT(inkIn(7), 5);
    EXPECT_EQ(inkIn(4), 0);
    frame->ShowColorInPalette(4);
    EXPECT_EQ(frame->MarkedColor(), 4);
    EXPECT_NE(grid->grab().toImage().pixel(grid->cellRect(4).center()), rgbOf(gd.Colors[4]));
}

TEST_F(DrawingPageTest, EveryControlAPersonCanPressHasAnAccessibleName) {
    // The picture-only tool buttons, the bobbins, the rulers' arrows, the
    // canvas and each painted palette cell.
    EXPECT_EQ(accessibleName(button(24)), "Brush");
    EXPECT_EQ(accessibleName(frame->bobbinA()), "Color A");
    EXPECT_EQ(unnamedControls(frame.get()).join(", ").toStdString(), "");
    // A palette cell pressed by a screen reader becomes colour A; its second
    // action makes it colour B.
    QAccessibleInterface* cell5 = paintedPart(frame->paletteGrid(), "Color 5");
    ASSERT_NE(cell5, nullptr);
    cell5->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ws.Editor.ColorA, 5);
    paintedPart(frame->paletteGrid(), "Color 9")->actionInterface()->doAction(ui::PaletteGrid::colorBAction());
    EXPECT_EQ(ws.Editor.ColorB, 9);
    EXPECT_EQ(cell5->rect().size(), QSize(ui::PaletteGrid::kCellSize, ui::PaletteGrid::kCellSize));
}

TEST_F(DrawingPageTest, BobbinShadesTheColourByTheTemplatesRed) {
    // The key colour at (0,0), a full-red pixel and a half-red one.
    QImage tmpl(3, 1, QImage::Format_RGB32);
    tmpl.setPixel(0, 0, qRgb(0, 255, 0));
    tmpl.setPixel(1, 0, qRgb(255, 40, 40));
    tmpl.setPixel(2, 0, qRgb(128, 0, 0));
    const QImage img = ui::MakeBobbinImage(tmpl, RGB(200, 100, 50));
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    EXPECT_EQ(img.pixel(1, 0), qRgb(200, 100, 50));
    EXPECT_EQ(img.pixel(2, 0), qRgb(100, 50, 25)); // 200 * 128 / 255 = 100.39, and so on
}

TEST_F(DrawingPageTest, ABlackColourKeepsItsBobbinVisible) {
    frame->setColorPicker([](const QColor&) { return std::optional<QColor>(QColor(0, 0, 0)); });
    QTest::mouseDClick(frame->paletteGrid(), Qt::LeftButton, {}, QPoint(1 * 21 + 5, 8));
    ASSERT_EQ(gd.Colors[1], RGB(0, 0, 0));
    const QImage img = bobbinImage(frame->bobbinA());
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) opaque += qAlpha(img.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 42 * 49 / 3);
}

TEST_F(DrawingPageTest, EditingAPaletteColourRepaintsAndLeavesTheCopiedBlockAlone) {
    set(3, 3, 1);
    set(4, 3, 5);
    canvas->engine().setTool(toolCopyBlock);
    dragCells(3, 3, 5, 4);
    ASSERT_EQ(gd.Backup.at(3, 1020), 1);
    const std::vector<uint8_t> backup(gd.Backup.data(), gd.Backup.data() + gd.Backup.sizeBytes());

    QColor offered;
    frame->setColorPicker([&](const QColor& initial) {
        offered = initial;
        return std::optional<QColor>(QColor(10, 200, 30));
    });
    QTest::mouseDClick(frame->paletteGrid(), Qt::LeftButton, {}, QPoint(1 * 21 + 5, 8));
    EXPECT_EQ(ws.Editor.ColorA, 1);
    EXPECT_EQ(gd.Colors[1], RGB(10, 200, 30));
    EXPECT_EQ(shownAt(3, 3), qRgb(10, 200, 30));
    EXPECT_TRUE(std::equal(backup.begin(), backup.end(), gd.Backup.data()));
    // The dialog opens with the colour chosen last time.
    QTest::mouseDClick(frame->paletteGrid(), Qt::LeftButton, {}, QPoint(5 * 21 + 5, 8));
    EXPECT_EQ(offered, QColor(10, 200, 30));
    // A cancelled dialog changes nothing.
    frame->setColorPicker([](const QColor&) { return std::optional<QColor>(); });
    QTest::mouseDClick(frame->paletteGrid(), Qt::LeftButton, {}, QPoint(6 * 21 + 5, 8));
    EXPECT_EQ(gd.Colors[6], P256()[6]);
}

TEST_F(DrawingPageTest, ChessBrushDisablesTheShapesAndGrabKeepsTheToolAside) {
    QTest::mouseClick(button(18), Qt::LeftButton); // Circle
    ASSERT_EQ(canvas->engine().tool(), toolCircle);
    QTest::mouseClick(button(1003), Qt::LeftButton);
    EXPECT_EQ(ws.Editor.BrushSize, 3);
    EXPECT_EQ(canvas->engine().tool(), toolBrush);
    EXPECT_TRUE(button(24)->isChecked());
    EXPECT_EQ(frame->canvasCursorId(), crDrawChess);
    for (int tag : {16, 17, 18, 19, 20, 21, 22, 23}) EXPECT_FALSE(button(tag)->isEnabled()) << tag;
    QTest::mouseClick(button(1000), Qt::LeftButton);
    for (int tag : {16, 17, 18, 19, 20, 21, 22, 23}) EXPECT_TRUE(button(tag)->isEnabled()) << tag;
    EXPECT_EQ(frame->canvasCursorId(), crDraw1x1);

    // A tool chosen while Grab is down waits until Grab is released.
    QTest::mouseClick(button(25), Qt::LeftButton);
    clickButton(103);
    QTest::mouseClick(button(26), Qt::LeftButton);
    EXPECT_EQ(canvas->engine().tool(), toolGrab);
    clickButton(103);
    EXPECT_EQ(canvas->engine().tool(), toolFill);
    EXPECT_EQ(frame->canvasCursorId(), crFill);

    // The chess brush also lets go of Grab, so releasing it later restores nothing stale.
    clickButton(103);
    QTest::mouseClick(button(1003), Qt::LeftButton);
    EXPECT_FALSE(button(103)->isChecked());
    EXPECT_EQ(canvas->engine().tool(), toolBrush);

    // The star tools show the star panel instead of the garment buttons.
    QTest::mouseClick(button(1000), Qt::LeftButton);
    QTest::mouseClick(button(22), Qt::LeftButton);
    EXPECT_FALSE(frame->starPanel()->isHidden());
    EXPECT_TRUE(frame->garmentPanel()->isHidden());
    frame->vertexSlider()->setValue(7);
    frame->depthSlider()->setValue(2);
    EXPECT_EQ(ws.Editor.StarVertices, 7);
    EXPECT_EQ(ws.Editor.StarDepth, 2);
    frame->CancelTool();
    EXPECT_EQ(canvas->engine().tool(), toolBrush);
    EXPECT_TRUE(frame->starPanel()->isHidden());
    EXPECT_FALSE(frame->garmentPanel()->isHidden());
}

TEST_F(DrawingPageTest, ZoomChangesTheCellSizeWithinItsLevels) {
    ASSERT_EQ(ws.Editor.ZoomIndex, 4);
    clickButton(101);
    EXPECT_EQ(ws.Editor.ZoomIndex, 3);
    EXPECT_EQ(canvas->cellWidth(), 9);
    EXPECT_EQ(canvas->cellHeight(), ws.Editor.CellHeights[3]);
    EXPECT_EQ(ws.Stitches.Bitmaps[0].width, 9);
    for (int i = 0; i < 12; ++i) clickButton(100);
    EXPECT_EQ(ws.Editor.ZoomIndex, 10);
    EXPECT_EQ(canvas->cellWidth(), 23);
    // The cells follow: the cell (2, 0) now starts at x = 46.
    set(2, 0, 4);
    canvas->Paint();
    EXPECT_EQ(canvas->backBuffer().pixel(47, canvas->height() - 3), rgbOf(gd.Colors[4]));
    EXPECT_EQ(canvas->backBuffer().pixel(45, canvas->height() - 3), rgbOf(gd.Colors[0]));
    EXPECT_EQ(canvas->backBuffer().pixel(46, canvas->height() - 3), qRgb(0, 0, 0)); // grid line

    // Fit to Screen with the zone shown but not placed: origin row -1, nothing breaks.
    clickButton(201);
    clickButton(102);
    EXPECT_EQ(ws.Editor.ZoomIndex, 0);
    EXPECT_EQ(canvas->geom().FirstRow, -1);
    EXPECT_EQ(canvas->backBuffer().pixel(7, canvas->height() - 1), rgbOf(gd.Colors[0]));
    clickButton(101); // zoom out at the smallest level stays there
    EXPECT_EQ(ws.Editor.ZoomIndex, 0);
    EXPECT_EQ(canvas->cellWidth(), 3);
}

TEST_F(DrawingPageTest, ViewModeDrawsStitchPicturesFromZoomLevelTwo) {
    set(0, 0, 3);
    clickButton(202);
    ASSERT_EQ(ws.Editor.ViewMode, 1);
    const StitchRgb& stitch = ws.Stitches.Bitmaps[3];
    const QImage tile = QImage(stitch.rgb.data(), stitch.width, stitch.height, stitch.width * 3, QImage::Format_RGB888);
    const int y0 = canvas->height() - canvas->cellHeight();
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            ASSERT_EQ(canvas->backBuffer().pixel(x, y0 + y), tile.pixel(x, y)) << x << "," << y;
    // At 5-pixel cells the view is flat colours with grid lines.
    for (int i = 0; i < 3; ++i) clickButton(101);
    ASSERT_EQ(canvas->cellWidth(), 5);
    EXPECT_EQ(canvas->backBuffer().pixel(2, canvas->height() - 2), rgbOf(gd.Colors[3]));
    EXPECT_EQ(canvas->backBuffer().pixel(5, canvas->height() - 2), qRgb(0, 0, 0));
}

TEST_F(DrawingPageTest, GarmentModeAndTheZoneAreNeverOnTogether) {
    clickButton(201);
    ASSERT_TRUE(ws.Editor.ZoneOn);
    QTest::mouseClick(button(0), Qt::LeftButton);
    ASSERT_EQ(canvas->engine().tool(), toolZonePosition);
    EXPECT_FALSE(button(302)->isEnabled());

    clickButton(301);
    EXPECT_TRUE(ws.Editor.GarmentMode);
    EXPECT_FALSE(ws.Editor.ZoneOn);
    EXPECT_FALSE(button(201)->isEnabled());
    EXPECT_FALSE(button(201)->isChecked());
    EXPECT_FALSE(button(0)->isEnabled());
    EXPECT_TRUE(button(302)->isEnabled());
    EXPECT_EQ(canvas->engine().tool(), toolBrush);
    clickButton(301); // off again: the zone can be shown again
    EXPECT_FALSE(ws.Editor.GarmentMode);
    EXPECT_TRUE(button(201)->isEnabled());
    EXPECT_FALSE(button(302)->isEnabled());
    clickButton(301);
    ASSERT_TRUE(ws.Editor.GarmentMode);

    // Outside the garment the cells are grey.
    gd.Mask.fill(kMaskOutside);
    set(0, 0, 1);
    frame->RepaintPicture();
    EXPECT_EQ(shownAt(0, 0), rgbOf(gd.GreyColors[1]));

    // The mask builder gave up: the button is released from outside.
    ws.Editor.GarmentMode = false;
    frame->ReleaseMaskButton();
    EXPECT_FALSE(button(301)->isChecked());
    EXPECT_FALSE(button(302)->isEnabled());
    EXPECT_TRUE(button(201)->isEnabled());
}

TEST_F(DrawingPageTest, RulersFollowTheUnitsAndStepThroughThePattern) {
    ui::HorizontalScrollRuler* h = frame->hScrollRuler();
    ui::VerticalScrollRuler* v = frame->vScrollRuler();
    EXPECT_EQ(frame->unitsButton()->text(), "St");
    EXPECT_EQ(h->ruler()->Units(), MeasureUnit::muStitch);
    EXPECT_EQ(h->ruler()->Scale(), 11);
    EXPECT_EQ(v->ruler()->Scale(), canvas->cellHeight());

    QStringList captions;
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(frame->unitsButton(), Qt::LeftButton);
        captions << frame->unitsButton()->text();
    }
    EXPECT_EQ(captions, (QStringList{"St*", "Cm", "St", "St*"}));
    EXPECT_EQ(h->hruler()->StitchMode(), StitchNumbering::smCenter);
    QTest::mouseClick(frame->unitsButton(), Qt::LeftButton); // mode 0 again: centimetres
    EXPECT_EQ(h->ruler()->Units(), MeasureUnit::muSm);
    EXPECT_EQ(h->ruler()->Scale(), 440);
    EXPECT_EQ(v->ruler()->Scale(), 440); // 11-pixel rows at the default gauge

    // The rulers sit along the canvas's bottom and right edges.
    EXPECT_EQ(h->geometry().top(), canvas->geometry().bottom() + 1);
    EXPECT_EQ(v->geometry().left(), canvas->geometry().right() + 1);
    EXPECT_EQ(v->height(), canvas->height());

    // Arrows: the canvas origin moves with them; the range is the pattern.
    QTest::mouseClick(h->forwardButton(), Qt::LeftButton);
    EXPECT_EQ(h->Position(), 20);
    EXPECT_EQ(canvas->geom().FirstCol, 20);
    h->setPosition(170);
    h->StepForward();
    EXPECT_EQ(h->Position(), 180);
    h->setMax(180);
    h->setPosition(170);
    h->StepForward();
    EXPECT_EQ(h->Position(), 160);
    int fired = 0;
    QObject::connect(v, &ui::ScrollRulerBase::changed, [&] { ++fired; });
    QTest::mouseClick(v->forwardButton(), Qt::LeftButton);
    EXPECT_EQ(canvas->geom().FirstRow, 40);
    QTest::mouseClick(v->backButton(), Qt::LeftButton);
    QTest::mouseClick(v->backButton(), Qt::LeftButton);
    EXPECT_EQ(v->Position(), 0);
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(canvas->geom().FirstRow, 0);
}

TEST_F(DrawingPageTest, RulerDrawsItsTicksAndACursorThatFollowsTheMouse) {
    ui::HorizontalScrollRuler* h = frame->hScrollRuler();
    ui::RulerBase* r = h->ruler();
    for (const char* name : {"LEFT_ARR", "RIGHT_ARR", "UP_ARR", "DOWN_ARR"})
        EXPECT_FALSE(QPixmap(QStringLiteral(":/images/%1.png").arg(name)).isNull()) << name;
    QImage img = r->grab().toImage();
    // Stitch 10 at zoom 4: a long tick at x = 10 * 11 - 5, with its label to the left.
    ASSERT_EQ(r->Scale(), 11);
    const QRgb yellow = qRgb(255, 255, 0);
    EXPECT_NE(img.pixel(105, 17), yellow);
    EXPECT_NE(img.pixel(50, 10), yellow); // stitch 5: middle tick, 12 px
    EXPECT_EQ(img.pixel(50, 17), yellow);
    EXPECT_NE(img.pixel(6, 4), yellow); // stitch 1: short tick, 6 px
    EXPECT_EQ(img.pixel(6, 10), yellow);

    move(QPoint(200, 100), Qt::NoButton);
    EXPECT_EQ(r->cursorPosition(), 200);
    EXPECT_EQ(frame->vScrollRuler()->ruler()->cursorPosition(), 100);
    img = r->grab().toImage();
    EXPECT_EQ(img.pixel(200, 20), qRgb(0, 0, 255)); // yellow inverted
}

TEST_F(DrawingPageTest, NewPatternClearsTheZoneTheGarmentAndTheUndoSteps) {
    clickCell(1, 1);
    clickButton(201);
    canvas->engine().setTool(toolZonePosition);
    clickCell(0, 3);
    ASSERT_EQ(ws.Editor.ZoneRow, 3);
    set(5, 1, 9);
    frame->ResetView();
    EXPECT_FALSE(ws.Editor.ZoneOn);
    EXPECT_EQ(ws.Editor.ZoneRow, -1);
    EXPECT_FALSE(ws.Editor.GarmentMode);
    EXPECT_FALSE(button(201)->isChecked());
    EXPECT_FALSE(button(0)->isEnabled());
    EXPECT_EQ(cell(5, 1), 0);
    EXPECT_EQ(cell(1, 1), 0);
    EXPECT_FALSE(button(203)->isEnabled());
    EXPECT_EQ(canvas->model().undo().count(), 0);
}

TEST_F(DrawingPageTest, HandlersShowPositionBlockSizeAndStartPasting) {
    frame->ShowPosition(-3, 12);
    EXPECT_EQ(frame->statusText(1), "-3");
    EXPECT_EQ(frame->statusText(2), "12");
    frame->ShowBlockSize(5, 7);
    EXPECT_EQ(frame->statusText(3), "5 x 7");
    EXPECT_TRUE(frame->technicText().startsWith("Technique: "));

    // Hovering reports the 1-based cell; the dropper also marks the colour there.
    set(6, 2, 9);
    move(at(6, 2), Qt::NoButton);
    EXPECT_EQ(frame->statusText(1), "7");
    EXPECT_EQ(frame->statusText(2), "3");
    QTest::mouseClick(button(27), Qt::LeftButton);
    move(at(6, 2), Qt::NoButton);
    EXPECT_EQ(frame->MarkedColor(), 9);
    clickCell(6, 2, Qt::RightButton);
    EXPECT_EQ(ws.Editor.ColorB, 9);
    EXPECT_EQ(bobbinImage(frame->bobbinB()).pixel(brightestTemplatePixel()), rgbOf(gd.Colors[9]));
    QTest::mouseClick(button(24), Qt::LeftButton);
    EXPECT_EQ(frame->MarkedColor(), -1);

    // The converter left a picture in the backup: the next click pastes it.
    gd.Backup.line(1023)[0] = 8;
    gd.Backup.line(1023)[1] = 2;
    ws.Editor.BlockRect = CellRect{0, 1023, 2, 1024};
    frame->InsertConverted();
    EXPECT_EQ(canvas->engine().tool(), toolPasteBlock);
    EXPECT_TRUE(button(14)->isChecked());
    clickCell(30, 30);
    EXPECT_EQ(cell(30, 30), 8);
    EXPECT_EQ(cell(31, 30), 2);
}

TEST_F(DrawingPageTest, ANarrowerPatternShowsBackgroundBesideItAndDropsTheOldSteps) {
    clickCell(1, 1);
    ASSERT_TRUE(button(203)->isEnabled());
    gd.SetSize(150, 1024);
    frame->RepaintPicture();
    EXPECT_FALSE(button(203)->isEnabled());
    EXPECT_EQ(canvas->model().undo().count(), 0);

    clickButton(102); // zoom 0: 3-pixel cells, 150 columns end at x = 450
    ASSERT_EQ(canvas->cellWidth(), 3);
    const QImage& img = canvas->backBuffer();
    const int ch = canvas->cellHeight(), y = img.height() - ch - ch / 2 - 1;
    const QRgb background = rgbOf(gd.Colors[0]);
    EXPECT_EQ(img.pixel(449, y), background);    // the last column's cell
    EXPECT_EQ(img.pixel(450, y), qRgb(0, 0, 0)); // and the grid line after it
    for (int x = 451; x < img.width(); ++x) ASSERT_EQ(img.pixel(x, y), background) << x;
    EXPECT_EQ(img.pixel(600, img.height() - ch), qRgb(0, 0, 0)); // horizontal lines run the full width
}
