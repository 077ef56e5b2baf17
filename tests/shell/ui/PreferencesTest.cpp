// The preferences dialog: OK takes and saves, Cancel changes nothing, a change
// of machine resizes the pattern, and the port scan through a pty that
// answers like the adapter.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "../../knitting/PtyAdapter.h"
#include "AccessibleNames.h"
#include "ProgramWorkspace.h"
#include "QtApp.h"
#include "core/Machine.h"
#include "core/UIText.h"
#include "knitting/KnitRun.h"
#include "knitting/LinkController.h"
#include "knitting/SerialLink.h"
#include "knitting/ui/LinkPage.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/PreferencesDialog.h"

using lc::ui::MainWindow;
using lc::ui::PreferencesDialog;

namespace {

void setCell(lc::PatternRaster& r, int col, int row, uint8_t v) { r.Picture.set(col, r.LineOfRow(row), v); }

QSettings storedSettings() {
    return QSettings(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Orvan Solutions/Loopcrafter.ini",
                     QSettings::IniFormat);
}

// The main window's preferences dialog, offered no ports unless a test says otherwise.
struct Preferences : lc::test::ProgramWindow {
    PreferencesDialog* d = w.preferences();
    Preferences() {
        d->portLister = [] { return std::vector<std::string>{}; };
    }
};

} // namespace

TEST_F(Preferences, OkTakesTheControlsAndCancelChangesNothing) {
    ws.Settings.ACOMPort = "/dev/lc-test-no-such-port";
    // What an earlier test left in the store does not count here.
    ws.Settings.LanguageCode = "ENG";
    ws.Settings.SoundEvents = 255;
    const int machine = ws.Settings.Machine;
    d->ShowSettings();
    const QString storedFolder = QString::fromStdString(ws.Settings.Path_Picture);

    // Cancel after changing every control: the settings and the store stay.
    d->languageBox()->setCurrentIndex(1);
    d->unitsBox()->setCurrentIndex(1);
    d->autoRestoreBox()->setChecked(true);
    d->folderEdit(0)->setText("/tmp/elsewhere");
    d->machineBox()->setCurrentIndex(0);
    for (int i = 0; i < 5; ++i) d->soundList()->item(i)->setCheckState(Qt::Unchecked);
    d->open();
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(ws.Settings.LanguageCode, "ENG");
    EXPECT_EQ(ws.Settings.SoundEvents, 255);
    EXPECT_EQ(ws.Settings.Machine, machine);
    EXPECT_EQ(storedSettings().value("Loopcrafter/Path_Picture").toString(), storedFolder);
    EXPECT_EQ(d->folderEdit(0)->text(), storedFolder); // the controls went back

    // OK: "Japaneese" is kept as English; two sound lines give 1 + 8.
    d->ShowSettings();
    d->languageBox()->setCurrentIndex(2);
    d->autoRestoreBox()->setChecked(true);
    for (int i = 0; i < 5; ++i) d->soundList()->item(i)->setCheckState(i == 0 || i == 3 ? Qt::Checked : Qt::Unchecked);
    const std::string port = ws.Settings.ACOMPort;
    d->open();
    d->okButton()->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(ws.Settings.SoundEvents, 9);
    EXPECT_EQ(ws.Settings.LanguageCode, "ENG");
    EXPECT_EQ(ws.Settings.AutoRestore, 1);
    EXPECT_EQ(ws.Settings.ACOMPort, port); // no port listed: the old one stays
    QSettings stored = storedSettings();
    EXPECT_EQ(stored.value("Loopcrafter/SoundEvents").toInt(), 9);
    EXPECT_EQ(stored.value("Loopcrafter/AutoRestore").toInt(), 1);
    d->ShowSettings();
    EXPECT_EQ(d->languageBox()->currentText(), "English");
    w.close();
}

TEST_F(Preferences, AChangeOfMachineAsksThenClearsAndResizesThePattern) {
    int asked = 0;
    bool agree = false;
    d->confirmMachineChange = [&] {
        ++asked;
        return agree;
    };
    setCell(ws.Raster, 10, 10, 4);

    // The same machine keeps the picture and asks nothing.
    d->ShowSettings();
    d->okButton()->click();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(ws.Raster.CellAt(10, 10), 4);

    // 102 to 101, declined: nothing changes and the dialog stays open.
    d->ShowSettings();
    d->open();
    d->machineBox()->setCurrentIndex(d->machineBox()->findData(101));
    d->okButton()->click();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(ws.Raster.Width, 200);
    EXPECT_EQ(ws.Raster.CellAt(10, 10), 4);

    agree = true;
    ws.Editor.ZoneOn = true;
    ws.Editor.ZoneRow = 40;
    d->okButton()->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(ws.Raster.Width, 150);
    EXPECT_EQ(ws.Raster.CellAt(10, 10), 0);
    EXPECT_FALSE(ws.Editor.ZoneOn);
    EXPECT_EQ(ws.Editor.ZoneRow, -1);
    EXPECT_LE(w.linkPage()->controller().Bed().RSPos, 150);
    QSettings stored = storedSettings();
    EXPECT_EQ(stored.value("Loopcrafter/Machine").toInt(), 101);
    EXPECT_EQ(stored.value("Loopcrafter/NeedleBed").toInt(), 150);
    w.close();
}

TEST_F(Preferences, AChangeOfMachineDuringARunStopsTheRunFirstOrKeepsTheMachine) {
    lc::test::PtyAdapter adapter;
    ASSERT_TRUE(adapter.ok());
    int asked = 0;
    d->confirmMachineChange = [] { return true; };
    bool stop = false;
    d->confirmStopRun = [&] {
        ++asked;
        return stop;
    };
    // Whether the run was still up when the machine and the pattern changed.
    bool upAtChange = true;
    const auto change = d->machineChanged;
    lc::LinkController& link = w.linkPage()->controller();
    d->machineChanged = [&] {
        upAtChange = link.Run().LinkUp();
        change();
    };

    // The machine the store holds (an earlier test may have changed it) and another.
    const int from = ws.Settings.Machine;
    const int width = ws.Raster.Width;
    lc::MachineRecord other;
    ASSERT_TRUE(lc::SelectCurrentMachine(ws.MachineList, from == 101 ? 102 : 101, other));
    ASSERT_NE(other.Needles, width);

    // A run on the adapter, at pass 5.
    ws.Settings.SoftEmulator = 0;
    ws.Settings.ProtocolType = 1;
    ws.Settings.ACOMPort = adapter.path();
    w.pages()->setCurrentIndex(MainWindow::pgLink);
    link.StepRowCounter(5);
    link.Start();
    ASSERT_TRUE(link.Run().Running());
    const auto choose = [&](int machine) {
        d->ShowSettings();
        d->open();
        d->machineBox()->setCurrentIndex(d->machineBox()->findData(machine));
        d->okButton()->click();
    };

    // Declined: the run goes on and the machine and the pattern stay.
    choose(other.Code);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(link.Run().Running());
    EXPECT_EQ(ws.Settings.Machine, from);
    EXPECT_EQ(ws.Raster.Width, width);

    // Agreed: the run stops, port closed and place kept, before the machine changes.
    stop = true;
    d->okButton()->click();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(upAtChange);
    EXPECT_FALSE(link.Run().LinkUp());
    EXPECT_EQ(w.linkPage()->serialLink().OpenCount(), 0);
    EXPECT_TRUE(adapter.sawHangUp());
    EXPECT_EQ(link.RowCounter(), 5);
    EXPECT_EQ(ws.Settings.Machine, other.Code);
    EXPECT_EQ(ws.Raster.Width, other.Needles);

    // With no run going on nothing is asked about one.
    choose(from);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(ws.Raster.Width, width);
    w.close();
}

TEST_F(Preferences, ScanFindsThePortThatAnswersLikeTheAdapter) {
    lc::test::PtyAdapter adapter;
    ASSERT_TRUE(adapter.ok());
    d->portLister = [&] { return std::vector<std::string>{"/dev/nonexistent-port", adapter.path()}; };
    QStringList boxes;
    d->presenter = [&](const QString& text, const QString& caption) { boxes << caption + ": " + text; };
    lc::SerialLink& link = w.linkPage()->serialLink();
    d->ShowSettings();
    d->open();

    d->scanButton()->click();
    d->stepTimer().stop(); // the test gives the steps itself
    EXPECT_TRUE(!d->progressBar()->isHidden());
    EXPECT_FALSE(d->scanButton()->isEnabled());
    d->scan().tick(); // the missing port had its step
    ASSERT_EQ(d->portBox()->currentText().toStdString(), adapter.path());
    ASSERT_GE(d->probeSlot(), 0);
    d->scan().waitElapsed(); // the second has passed: the probe goes out
    const lc::test::Bytes probe = adapter.read(8);
    EXPECT_EQ(probe, lc::test::Bytes(lc::kProbePacket.begin(), lc::kProbePacket.end()));
    // Noise first, then a standard packet.
    ASSERT_TRUE(adapter.send({9, 13, 0x08, 0, 0, 0, 0, 0, 0, 0xF7}));
    QTRY_COMPARE(boxes.size(), 1);
    EXPECT_EQ(boxes[0], "Information: " + QString::fromStdString(ws.UIText[lc::utScanAdapterOnPort]) +
                            QString::fromStdString(adapter.path()));
    EXPECT_FALSE(!d->progressBar()->isHidden());
    QTRY_COMPARE(link.OpenCount(), 0);
    d->okButton()->click();
    EXPECT_EQ(ws.Settings.ACOMPort, adapter.path());

    // OK in the middle of a scan: no port stays open, so it opens again at once.
    d->ShowSettings();
    d->open();
    d->scanButton()->click();
    d->scan().tick();
    ASSERT_EQ(link.OpenCount(), 1);
    EXPECT_TRUE(d->stepTimer().isActive());
    d->okButton()->click();
    EXPECT_EQ(link.OpenCount(), 0);
    EXPECT_FALSE(d->stepTimer().isActive());
    int32_t slot = -1;
    EXPECT_EQ(
        link.OpenPort(adapter.path(), 9600, 8, lc::kParityNone, lc::kOneStopBit, lc::kSerialSetAll, nullptr, 0, slot),
        lc::kSerialOk);
    link.ClosePort(slot);
    w.close();
}

TEST_F(Preferences, WithNoPortsTheScanEndsAfterOneStep) {
    QStringList boxes;
    d->presenter = [&](const QString& text, const QString&) { boxes << text; };
    ws.Settings.ACOMPort = "/dev/lc-test-no-such-port";
    d->ShowSettings();
    // On every page, even with no port to offer, each control a person can
    // press has a name; the folder buttons say which folder they choose.
    for (int i = 0; i < d->pages()->count(); ++i) {
        d->pages()->setCurrentIndex(i);
        EXPECT_EQ(lc::test::unnamedControls(d).join(", ").toStdString(), "") << i;
    }
    EXPECT_EQ(d->portBox()->count(), 0);
    QStringList folderButtons;
    for (QToolButton* b : d->findChildren<QToolButton*>())
        if (b->text() == "...") folderButtons << lc::test::accessibleName(b);
    EXPECT_EQ(folderButtons.size(), 4);
    EXPECT_TRUE(folderButtons.contains("Select default garments directory..."));
    d->scanButton()->click();
    EXPECT_TRUE(boxes.isEmpty());
    d->scan().tick();
    QTRY_COMPARE(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("THERE IS NO CONNECTION WITH THE ADAPTER!"));
    EXPECT_FALSE(!d->progressBar()->isHidden());
    w.close();
}
