// The Garment Shape page driven as a knitter would: points with typed steps,
// a drag, undo, zoom by rectangle, Set Zero, two pieces, a garments file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPicture>
#include <QTest>
#include <cstring>
#include <vector>

#include "AccessibleNames.h"
#include "QtApp.h"
#include "TestFiles.h"
#include "core/Workspace.h"
#include "garment/ui/GarmentShapePage.h"
#include "garment/ui/HorizontalGarmentRuler.h"
#include "garment/ui/OutlineCanvas.h"

using namespace lc;
using lc::ui::GarmentShapePage;

namespace {

struct PageFixture : ::testing::Test {
    Workspace ws;
    std::unique_ptr<GarmentShapePage> page;
    QStringList messages;

    void SetUp() override {
        test::qtApp();
        page = std::make_unique<GarmentShapePage>(ws);
        page->setMessagePresenter([this](const QString&, const QString& text) { messages << text; });
        page->resize(1000, 700);
        page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    }
    ui::OutlineCanvas* canvas() { return page->canvas(); }
    QPoint pixelOf(const GarmentPoint& p) { return {page->view().MmToX(p.X), page->view().MmToY(p.Y)}; }
    void click(int tag) { page->button(tag)->click(); }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(canvas(), Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas(), (from + to) / 2);
        QTest::mouseMove(canvas(), to);
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, to);
    }
};

} // namespace

TEST_F(PageFixture, DrawsWithTypedStepsDragsAndUndoes) {
    GarmentOutline& g = page->outline();
    // The zero starts in the middle of the paint box, at 0.5 px/mm.
    EXPECT_EQ(page->view().XToMm(canvas()->width() / 2), 0);
    click(101); // Add Point
    QTest::mouseClick(canvas(), Qt::LeftButton, {}, QPoint(page->view().MmToX(0), page->view().MmToY(0)));
    ASSERT_EQ(g.PointCount(), 1);
    EXPECT_TRUE(page->button(106)->isEnabled()); // undo

    // 10 cm to the right with kind 0, then 5 cm up with kind 2 (the second button).
    page->xStepEdit()->setText("10");
    page->yStepEdit()->setText("5");
    page->button(300)->click();
    page->button(301)->click();
    ASSERT_EQ(g.PointCount(), 3);
    EXPECT_EQ(g.Point(1).X, 100);
    EXPECT_EQ(g.Point(2).X, 100);
    EXPECT_EQ(g.Point(2).Y, 50);
    EXPECT_EQ(g.CurveCount(), 2);

    // A step that is not a number shows the message and adds nothing.
    page->xStepEdit()->setText("ten");
    page->button(300)->click();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(g.PointCount(), 3);

    // Select mode: drag the last point 20 px right = 40 mm.
    click(100);
    const QPoint from = pixelOf(g.Point(2));
    drag(from, from + QPoint(20, 0));
    EXPECT_EQ(g.Point(2).X, 140);
    EXPECT_TRUE(page->statusText(0).startsWith("X: "));
    page->Undo();
    EXPECT_EQ(g.Point(2).X, 100);

    // Arrow keys on the paint box move the selected point (Shift: 10 mm).
    canvas()->setFocus();
    QTest::keyClick(canvas(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(g.Point(2).X, 90);
}

TEST_F(PageFixture, ZoomRectangleSetZeroAndRulers) {
    GarmentOutline& g = page->outline();
    g.AddPoint(120, 35);
    click(200); // Zoom In
    EXPECT_EQ(page->mode(), GarmentShapePage::modeZoom);
    const double before = page->view().H.Scale();
    const int across = canvas()->width() / 4;
    drag(QPoint(100, 100), QPoint(100 + across, 120));
    EXPECT_NEAR(page->view().H.Scale(), before * canvas()->width() / across, 1e-9);
    page->ZoomOut();
    EXPECT_DOUBLE_EQ(page->view().H.Scale(), before);

    // Set Zero: the point becomes the origin and keeps its pixel.
    const QPoint at = pixelOf(g.Point(0));
    page->SetZero();
    EXPECT_EQ(g.Point(0).X, 0);
    EXPECT_EQ(g.Point(0).Y, 0);
    EXPECT_EQ(pixelOf(g.Point(0)), at);
    EXPECT_DOUBLE_EQ(page->hRuler()->PixelToValue(at.x()), 0.0);
    // The rulers and the canvas paint at any zoom.
    page->view().H.SetScale(0.01);
    EXPECT_FALSE(page->hRuler()->grab().isNull());
}

TEST_F(PageFixture, PiecesSwitchAndTheGarmentsFileRoundTrips) {
    GarmentOutline& g = page->outline();
    for (auto [x, y] : {std::pair{0, 0}, {100, 0}, {100, 100}}) g.AddPoint(x, y);
    g.AddCurve(0, 1, 0);
    page->nameEdit()->setText("Back");
    page->AddPieceToList();
    g.Clear();
    g.AddPoint(0, 0);
    g.AddPoint(50, 50);
    page->nameEdit()->setText("Sleeve");
    page->AddPieceToList();
    ASSERT_EQ(page->piecesList()->count(), 2);

    page->LoadPieceFromList(0);
    EXPECT_EQ(g.PointCount(), 3);
    EXPECT_EQ(page->nameEdit()->text(), "Back");
    page->LoadPieceFromList(1);
    EXPECT_EQ(g.PointCount(), 2);

    test::TempDir dir;
    const QString file = QString::fromStdString(dir.file("pieces.LCF"));
    ASSERT_TRUE(page->SaveGarmentsTo(file));
    page->NewGarments();
    EXPECT_EQ(page->piecesList()->count(), 0);
    EXPECT_EQ(g.PointCount(), 0);
    ASSERT_TRUE(page->LoadGarmentsFrom(file));
    EXPECT_EQ(page->piecesList()->count(), 2);
    EXPECT_EQ(page->piecesList()->item(1)->text(), "Sleeve");
    EXPECT_EQ(g.PointCount(), 2);

    // A damaged file says so and keeps what is there.
    test::writeFile(dir.path / "bad.LCF", {5, 0, 1});
    EXPECT_FALSE(page->LoadGarmentsFrom(QString::fromStdString(dir.file("bad.LCF"))));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(page->piecesList()->count(), 2);

    // The print page draws the outline onto any painter.
    QPicture picture;
    QPainter painter(&picture);
    page->PrintPage(painter, QRect(0, 0, 2480, 3508), 300, 300, 1.0, true);
    painter.end();
    EXPECT_GT(picture.boundingRect().width(), 1000);
}

TEST_F(PageFixture, ShapeButtonsCycleOnTheRightButton) {
    QAbstractButton* b = page->button(308); // the first four-variant button
    EXPECT_EQ(page->shapeKind(8), 16);
    for (int expected : {17, 18, 19, 16}) {
        QTest::mousePress(b, Qt::RightButton);
        QTest::mouseRelease(b, Qt::RightButton);
        EXPECT_EQ(page->shapeKind(8), expected);
    }
    QTest::mousePress(page->button(301), Qt::RightButton);
    QTest::mouseRelease(page->button(301), Qt::RightButton);
    EXPECT_EQ(page->shapeKind(1), 3);

    // The buttons show pictures only; their spoken names follow the variant
    // shown and say which way the curve goes.
    QAbstractButton* first = page->button(300);
    EXPECT_TRUE(test::accessibleName(first).endsWith(" right")) << test::accessibleName(first).toStdString();
    QTest::mousePress(first, Qt::RightButton);
    QTest::mouseRelease(first, Qt::RightButton);
    EXPECT_TRUE(test::accessibleName(first).endsWith(" left")) << test::accessibleName(first).toStdString();
    EXPECT_TRUE(test::accessibleName(page->button(301)).endsWith(" down"));
}

TEST_F(PageFixture, KeysActOnPointsOnlyFromThePaintBox) {
    GarmentOutline& g = page->outline();
    g.AddPoint(0, 0);
    page->nameEdit()->setText("Back");
    page->nameEdit()->setFocus();
    page->nameEdit()->setCursorPosition(0);
    QTest::keyClick(page->nameEdit(), Qt::Key_Delete);
    EXPECT_EQ(page->nameEdit()->text(), "ack");
    EXPECT_EQ(g.PointCount(), 1);
    canvas()->setFocus();
    QTest::keyClick(canvas(), Qt::Key_Delete);
    EXPECT_EQ(g.PointCount(), 0);
}

TEST_F(PageFixture, PrintingASymmetricOutlineKeepsBothHalvesOnThePaper) {
    // The half lies right of its axis: the mirrored half extends to the left.
    GarmentOutline& g = page->outline();
    for (auto [x, y] : {std::pair{0, 0}, {200, 0}, {200, 400}, {0, 400}}) g.AddPoint(x, y);
    for (int i = 0; i < 3; ++i) g.AddCurve(i, i + 1, 0);
    g.SelectPoint(-1, false);
    g.SelectPoint(0, true);
    g.MakeSymmetric();
    ASSERT_TRUE(g.IsSymmetric());
    QPicture picture;
    QPainter painter(&picture);
    const QRect paper(0, 0, 2480, 3508); // A4 at 300 dpi
    page->PrintPage(painter, paper, 300, 300, 1.0, false);
    painter.end();
    const QRect drawn = picture.boundingRect();
    EXPECT_GE(drawn.left(), -20); // the point squares reach 10 px past their point, pens a few more
    EXPECT_LE(drawn.right(), paper.right() + 20);
    // The outline is twice as wide as the half: about 400 mm across 170 mm of paper.
    EXPECT_GT(drawn.width(), 1500);
}

TEST_F(PageFixture, ImportReplacesThePiecesOnlyWhenItSucceeds) {
    test::TempDir dir;
    ws.Paths.AppDir = dir.path.string() + "/";
    std::vector<uint8_t> models(40, 0);
    models[20] = 2; // model 2: pieces 2 and 1
    models[22] = 1;
    std::vector<uint8_t> names(96, 0);
    for (auto [record, name] : {std::pair{1, "Back"}, {2, "Sleeve"}}) {
        names[32 * record] = uint8_t(std::strlen(name));
        std::memcpy(&names[32 * record + 1], name, std::strlen(name));
    }
    test::writeFile(dir.path / "loopcrafter.de$", models);
    test::writeFile(dir.path / "loopcrafter_nd.ENG", names);
    page->setPieceBuilder([](GarmentOutline& g, int piece, int) {
        g.AddPoint(0, 0);
        g.AddPoint(100 * piece, 100);
        g.AddCurve(0, 1, 0);
    });
    GarmentOutline& g = page->outline();
    g.AddPoint(5, 5);
    page->nameEdit()->setText("Mine");
    page->AddPieceToList();

    EXPECT_FALSE(page->ImportModel(3, 0)); // past the end
    EXPECT_EQ(messages.size(), 1);
    ASSERT_EQ(page->piecesList()->count(), 1);
    EXPECT_EQ(g.PointCount(), 1);

    page->MoveSelectedBy(10, 0); // an undo step
    EXPECT_TRUE(page->button(106)->isEnabled());
    ASSERT_TRUE(page->ImportModel(2, 0));
    ASSERT_EQ(page->piecesList()->count(), 2);
    EXPECT_EQ(page->piecesList()->item(0)->text(), "Sleeve");
    EXPECT_EQ(page->piecesList()->item(1)->text(), "Back");
    EXPECT_EQ(g.PointCount(), 0);
    EXPECT_FALSE(page->button(106)->isEnabled());
}

TEST_F(PageFixture, EveryPressableControlIsNamedAndPrintingIsTheWindows) {
    // Undo and Constructor enabled too.
    page->setConstructorRunner([] {});
    page->outline().AddPoint(0, 0);
    page->MoveSelectedBy(5, 0);
    ASSERT_TRUE(page->button(106)->isEnabled());
    EXPECT_EQ(test::unnamedControls(page.get()).join(", ").toStdString(), "");

    // The outline prints through the main window's menu (Ctrl+P) only.
    QStringList printButtons;
    for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
        if (b->text().contains("Print", Qt::CaseInsensitive) || b->toolTip().contains("Print", Qt::CaseInsensitive))
            printButtons << b->objectName();
    EXPECT_EQ(printButtons.join(", ").toStdString(), "");
}
