// The Link page on screen (offscreen): an emulator run from the Start button to
// the success box, with the needle bed, the preview, the yarn colours, the
// carriage setting and the instruction sheet following every knitted pass.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <chrono>

#include "AccessibleNames.h"
#include "QtApp.h"
#include "core/PatternRaster.h"
#include "core/Machine.h"
#include "core/Workspace.h"
#include "knitting/RowTable.h"
#include "knitting/ColourSeparation.h"
#include "knitting/ui/KnitMachinePanel.h"
#include "knitting/ui/LinkPage.h"
#include "knitting/ui/NeedleBedView.h"
#include "knitting/ui/PreviewView.h"

using namespace lc;
using namespace lc::ui;

namespace {

struct Box {
    QString text, caption;
    bool error;
};

// The symbol font beside the program, when the build put it there.
void loadSymbolFont() {
    static bool tried = false;
    if (tried) return;
    tried = true;
    for (const char* env : {"LC_SYMBOL_FONT", "LC_PROGRAM_DIR"}) {
        QString path = qEnvironmentVariable(env);
        if (path.isEmpty()) continue;
        if (QFileInfo(path).isDir()) path = QDir(path).filePath("Loopcraft.ttf");
        if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0) return;
    }
}

// A 200 x 30 fair-isle pattern: every row two colours, the contrast colour
// changing every five rows, a diamond motif in the middle.
void makePattern(PatternRaster& g) {
    g.SetSize(200, 30);
    const Palette256& pal = P256();
    for (int c = 0; c < 16; ++c) g.Colors[static_cast<size_t>(c)] = pal[static_cast<size_t>(c)];
    g.Colors[16] = 0xFFFFFF;
    for (int row = 0; row < 30; ++row) {
        uint8_t* line = g.Picture.line(g.LineOfRow(row));
        const uint8_t contrast = static_cast<uint8_t>(1 + (row / 5) % 5);
        for (int x = 0; x < 200; ++x) {
            const int dx = std::abs((x % 20) - 10), dy = std::abs((row % 10) - 5);
            line[x] = (dx + dy <= 5) ? contrast : 15;
        }
    }
    g.Picture.touch();
}

struct LinkPageUi : ::testing::Test {
    Workspace ws;
    std::vector<Box> boxes;
    std::unique_ptr<LinkPage> page;

    void SetUp() override {
        test::qtApp();
        loadSymbolFont();
        ws.MachineList = MachineModels();
        SelectCurrentMachine(ws.MachineList, 102, ws.CurrentMachine);
        makePattern(ws.Raster);
        ws.Settings.ViewProtocol = 1;
        ws.Settings.SoftEmulator = 1;
        page = std::make_unique<LinkPage>(ws);
        page->setMessageBoxPresenter([this](const QString& t, const QString& c, bool e) {
            boxes.push_back({t, c, e});
        });
        page->resize(1000, 680);
        page->show();
        page->OnShowForm();
        settle();
    }
    void TearDown() override { page.reset(); }
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    KnitRun& run() { return page->controller().Run(); }
    // The emulator's ticks, by hand: 196 ticks are one cycle of its stream.
    void tick(int n) {
        for (int i = 0; i < n && run().Running(); ++i) {
            run().onEmulatorTick();
            if (i % 8 == 7) QCoreApplication::processEvents();
        }
        settle();
    }
    void pressStart() {
        QTest::mouseClick(page->startButton(), Qt::LeftButton);
        settle();
        // The run's own timers stay off: the test is the clock.
        page->runHost().emulatorTimer().stop();
        ASSERT_EQ(run().state(), KnitRun::State::Starting);
        page->runHost().startDelayTimer().stop();
        run().onStartDelayElapsed();
        settle();
        ASSERT_TRUE(run().Running());
    }
};

} // namespace

TEST_F(LinkPageUi, EmulatorRunFromStartToTheSuccessBox) {
    EXPECT_EQ(page->lampColor(), 0x0000FFu);
    EXPECT_EQ(page->stopColor(), 0xF0CAA6u);
    EXPECT_EQ(page->startColor(), 0xC0C0C0u);
    EXPECT_EQ(page->techniqueBox()->count(), 17);
    EXPECT_EQ(page->techniqueBox()->currentText(), "Fair Isle");
    EXPECT_TRUE(page->toolButton(ltRightSide)->isChecked());
    EXPECT_TRUE(page->toolButton(ltViewProtocol)->isVisible());
    const QImage bedBefore = page->needleBed()->grab().toImage();
    const QImage previewBefore = page->preview()->grab().toImage();
    const QImage colorsBefore = page->colorInstruction()->grab().toImage();

    pressStart();
    EXPECT_EQ(page->lampColor(), 0x00FF00u);
    EXPECT_EQ(page->startColor(), 0xF0CAA6u);
    EXPECT_EQ(page->stopColor(), 0xC0C0C0u);
    EXPECT_FALSE(page->techniqueBox()->isEnabled());
    EXPECT_FALSE(page->rowCounterLabel()->isEnabled());

    tick(196 + 196); // two cycles: ten passes knitted
    EXPECT_EQ(page->rowCounterLabel()->text(), "10");
    EXPECT_EQ(page->controller().DesignRow(), 10);
    EXPECT_EQ(page->label("lblLeftWorkStitch")->text(), "L51");
    EXPECT_EQ(page->label("lblRightWorkStitch")->text(), "R49");
    EXPECT_EQ(page->label("lblWide")->text(), "100");
    EXPECT_EQ(page->machinePanel()->rowUpDown()->value(), 10);
    EXPECT_EQ(page->carriageInfo()->text(), page->controller().CarriageSetting());
    EXPECT_FALSE(page->carriageInfo()->text().empty());
    const QString log = page->protocolMemo()->toPlainText();
    EXPECT_TRUE(log.contains("AD--> 08 05 00 31 31 94 00 F7"));
    EXPECT_TRUE(log.contains("PC--> 02 31 94 FD"));

    // The displays were redrawn for the new row: the bed shows the cams at
    // 49..148 and other rows, the preview's marker moved, new yarns.
    EXPECT_NE(page->needleBed()->grab().toImage(), bedBefore);
    EXPECT_NE(page->preview()->grab().toImage(), previewBefore);
    EXPECT_NE(page->colorInstruction()->grab().toImage(), colorsBefore);
    page->grab().save("/tmp/linkpage.png");

    // The sheet on the machine view shows the instruction of the current pass.
    QTest::mouseClick(page->toolButton(ltViewMachine), Qt::LeftButton);
    settle();
    EXPECT_EQ(page->views()->currentIndex(), 1);
    page->grab().save("/tmp/linkpage_machine.png");
    QTest::mouseClick(page->toolButton(ltViewPreview), Qt::LeftButton);
    settle();

    tick(196 * 5);
    EXPECT_FALSE(run().LinkUp());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Your knitting was successfully finished");
    EXPECT_EQ(boxes[0].caption, "Out of Data!");
    EXPECT_FALSE(boxes[0].error);
    EXPECT_EQ(page->lampColor(), 0x0000FFu);
    EXPECT_EQ(page->rowCounterLabel()->text(), "0");
    EXPECT_TRUE(page->techniqueBox()->isEnabled());
}

TEST_F(LinkPageUi, StopEndsTheRunAndStartGoesOnFromTheSamePass) {
    pressStart();
    tick(196);
    ASSERT_EQ(page->rowCounterLabel()->text(), "5");
    QTest::mouseClick(page->stopButton(), Qt::LeftButton);
    settle();
    EXPECT_FALSE(run().LinkUp());
    EXPECT_EQ(page->lampColor(), 0x0000FFu);
    EXPECT_EQ(page->rowCounterLabel()->text(), "5");
    EXPECT_TRUE(boxes.empty());
    pressStart();
    EXPECT_EQ(run().PassCounter(), 5u);
    // The log was emptied by Start.
    settle();
    EXPECT_FALSE(page->protocolMemo()->toPlainText().contains("AD-Data->"));
    page->CloseOpenedComPort();
}

TEST_F(LinkPageUi, ButtonsChecksAndTheWatchdogReachTheUser) {
    // Check drawing: a row with three colours under fair isle.
    ws.Raster.Picture.line(ws.Raster.LineOfRow(7))[0] = 9;
    page->OnShowForm();
    // The bar follows the check while it holds the GUI thread (each row here
    // takes 5 ms), not on a later turn of the event loop.
    auto* progress = page->findChild<QProgressBar*>("ProgressBar1");
    ASSERT_NE(progress, nullptr);
    std::vector<int> values;
    const auto seen = QObject::connect(progress, &QProgressBar::valueChanged, [&](int v) { values.push_back(v); });
    auto now = std::chrono::steady_clock::time_point{};
    page->controller().SetProgressClock([&] { return now += std::chrono::milliseconds(5); });
    QTest::mouseClick(page->toolButton(ltCheckDrawing), Qt::LeftButton);
    QObject::disconnect(seen);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(*std::max_element(values.begin(), values.end()), 6); // rows 2, 4, 6, then row 7 stops it
    EXPECT_EQ(values.back(), 0);
    EXPECT_EQ(progress->maximum(), 30);
    settle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Row 7 has more colors than you can use for this technique.");
    EXPECT_EQ(boxes[0].caption, "ERROR!");
    ws.Raster.Picture.line(ws.Raster.LineOfRow(7))[0] = 15;
    page->OnShowForm();

    // Fine lace in the technique box: right side forced, the wrong side disabled.
    QComboBox* box = page->techniqueBox();
    const int lace = box->findData(int(tkFineLace));
    ASSERT_GE(lace, 0);
    box->setCurrentIndex(lace);
    emit box->activated(lace);
    settle();
    EXPECT_TRUE(page->toolButton(ltRightSide)->isChecked());
    EXPECT_FALSE(page->toolButton(ltWrongSide)->isEnabled());
    EXPECT_FALSE(page->toolButton(ltNoTrimMask)->isEnabled());
    const int fair = box->findData(int(tkFairisle));
    box->setCurrentIndex(fair);
    emit box->activated(fair);
    settle();
    EXPECT_TRUE(page->toolButton(ltWrongSide)->isEnabled());

    // Row counter arrows and a double-click on the counter.
    page->findChild<QToolButton*>("rowCounterUp")->click();
    page->findChild<QToolButton*>("rowCounterUp")->click();
    settle();
    EXPECT_EQ(page->rowCounterLabel()->text(), "2");
    QTest::mouseDClick(page->rowCounterLabel(), Qt::LeftButton);
    settle();
    EXPECT_EQ(page->rowCounterLabel()->text(), "0");

    // Zoom and the bar under the bed.
    QTest::mouseClick(page->toolButton(ltZoomIn), Qt::LeftButton);
    settle();
    auto* bar = page->findChild<QScrollBar*>("ScrollBar1");
    EXPECT_EQ(bar->pageStep(), 50);
    bar->setValue(bar->maximum());
    EXPECT_EQ(page->controller().Bed().EndVisible(), 200);

    // No byte from the adapter: the watchdog stops the run with its message.
    boxes.clear();
    pressStart();
    run().onWatchdogFired();
    settle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith("Error code 2048"));
    EXPECT_EQ(boxes[0].caption, "ERROR!");
    EXPECT_TRUE(boxes[0].error);
    EXPECT_FALSE(run().LinkUp());
}

TEST_F(LinkPageUi, PanelHeightFollowsTheFrame) {
    page->resize(1000, 399);
    settle();
    EXPECT_EQ(page->panel1()->height(), 310);
    page->resize(1000, 601);
    settle();
    EXPECT_EQ(page->panel1()->height(), 361);
}

TEST_F(LinkPageUi, StartStopAndEveryPaintedControlCanBeReachedAndNamed) {
    // Start and Stop are buttons a screen reader names and the keyboard presses.
    QWidget* start = page->startButton();
    QWidget* stop = page->stopButton();
    for (QWidget* b : {start, stop}) {
        ASSERT_NE(qobject_cast<QAbstractButton*>(b), nullptr);
        EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(b)->role(), QAccessible::Button);
    }
    EXPECT_EQ(test::accessibleName(start), "Start");
    EXPECT_EQ(test::accessibleName(stop), "Stop");
    EXPECT_EQ(start->toolTip(), "Start knitting");
    // The needles-in-work read-outs carry the hints as the program words them.
    EXPECT_EQ(page->label("lblLeftWorkStitch")->toolTip(), "Left Point Cam Position");
    EXPECT_EQ(page->label("lblWide")->toolTip(), "Stiches in Work");
    EXPECT_EQ(page->label("lblRightWorkStitch")->toolTip(), "Right Point Cam Position");
    // Their look and the lamp stay: the same shapes and colours as before.
    EXPECT_EQ(start->size(), QSize(52, 30));
    EXPECT_EQ(page->startColor(), 0xC0C0C0u);
    EXPECT_EQ(page->stopColor(), 0xF0CAA6u);

    // Tab reaches Start; Space presses it; the same for Stop.
    page->activateWindow();
    start->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(start->hasFocus());
    QTest::keyClick(start, Qt::Key_Space);
    settle();
    EXPECT_EQ(run().state(), KnitRun::State::Starting);
    EXPECT_EQ(page->lampColor(), 0x00FF00u);
    stop->setFocus(Qt::TabFocusReason);
    QTest::keyClick(stop, Qt::Key_Space);
    settle();
    EXPECT_FALSE(run().LinkUp());
    EXPECT_EQ(page->lampColor(), 0x0000FFu);
    // A screen reader's press works as well.
    QAccessible::queryAccessibleInterface(start)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    for (int i = 0; i < 100 && !run().LinkUp(); ++i) QTest::qWait(10); // an animated click
    EXPECT_TRUE(run().LinkUp());
    page->CloseOpenedComPort();
    settle();

    // Every control of the page a person can press has a name, also the
    // painted cam buttons of the needle bed, which step their cam by a needle.
    EXPECT_EQ(test::unnamedControls(page.get()).join(", ").toStdString(), "");
    // The machine's sheet and the protocol log too.
    for (int view : {ltViewMachine, ltViewProtocol}) {
        QTest::mouseClick(page->toolButton(view), Qt::LeftButton);
        settle();
        EXPECT_EQ(test::unnamedControls(page.get()).join(", ").toStdString(), "") << view;
    }
    QTest::mouseClick(page->toolButton(ltViewPreview), Qt::LeftButton);
    settle();
    QAccessibleInterface* left = test::paintedPart(page->needleBed(), "Left point cam");
    ASSERT_NE(left, nullptr);
    ASSERT_NE(test::paintedPart(page->needleBed(), "Right point cam"), nullptr);
    const int before = page->controller().Bed().LSPos;
    left->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(page->controller().Bed().LSPos, before + 1);
    EXPECT_TRUE(left->rect().isValid());
}
