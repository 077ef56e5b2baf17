#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/StartUp.h"
#include "core/Workspace.h"

using namespace lc;

namespace {

class StartUpTest : public ::testing::Test {
protected:
    StartUpTest() : ws(store) {
        ws.Paths.AppDir = "/opt/lc/";
        ws.Paths.ExeName = "/opt/lc/loopcrafter";
        h.problem = [this](const std::string& step, const std::string& m) {
            log.push_back("problem " + step + ": " + m);
        };
    }
    void TearDown() override { ShutDown(ws, h); }
    // Every hook logs its call (with what the raster and settings look like at that moment).
    void logAllHooks() {
        h.addPrivateFont = [this](const std::string& f) {
            log.push_back("font " + f);
            return true;
        };
        h.removePrivateFont = [this] {
            log.push_back("remove font");
            return true;
        };
        h.closePorts = [this] {
            log.push_back("close ports, raster " + std::to_string(ws.Raster.Width) + " machines " +
                          std::to_string(ws.MachineList.size()));
        };
    }
    // Saves the settings the way the preferences dialog does.
    void saveSettings() { SaveSettings(ws.Settings, ws.Paths, ws.Raster.Width, ws.Store()); }

    MemorySettingsStore store;
    Workspace ws;
    StartUpHooks h;
    std::vector<std::string> log;
};

} // namespace

TEST_F(StartUpTest, RunsTheStepsInOrderAndShutsDownPortsFirst) {
    logAllHooks();
    store.writeString(kLocaleOverrideKey, ws.Paths.ExeName, "RUS");
    StartUp(ws, h);
    EXPECT_TRUE(ws.StartedUp);
    EXPECT_EQ(ws.CurrentMachine.Code, 102);
    EXPECT_EQ(ws.Raster.Width, 200);
    EXPECT_EQ(ws.Raster.Height, 1024);
    EXPECT_FALSE(ws.Raster.IsMaskCellSet(0, 0));
    EXPECT_EQ(ws.UIText[38], "Seamless Rib") << "the Russian table was chosen";
    EXPECT_EQ(ws.Translator.FileName, "/opt/lc/Loopcrafter.mld");
    EXPECT_EQ(ws.Stitches.Rect, (CellRect{0, 0, 10, 10})); // zoom level 4: 11 x 11
    ShutDown(ws, h);
    EXPECT_FALSE(ws.StartedUp);
    const std::vector<std::string> want = {
        "font /opt/lc/Loopcraft.ttf",
        "problem language file: Language file \"/opt/lc/Loopcrafter.mld\": not found",
        "close ports, raster 200 machines 3",
        "remove font",
    };
    EXPECT_EQ(log, want);
    EXPECT_TRUE(ws.MachineList.empty());
    EXPECT_EQ(ws.Stitches.Bitmaps[0].width, 0);
}

TEST_F(StartUpTest, AFailingStepDoesNotStopTheOnesAfterIt) {
    logAllHooks();
    h.addPrivateFont = [](const std::string&) -> bool { throw std::runtime_error("no font"); };
    StartUp(ws, h);
    EXPECT_TRUE(ws.StartedUp);
    const std::vector<std::string> want = {
        "problem private font: no font",
        "problem language file: Language file \"/opt/lc/Loopcrafter.mld\": not found",
    };
    EXPECT_EQ(log, want);
    EXPECT_EQ(ws.Stitches.Bitmaps[15].width, 11);
}

TEST_F(StartUpTest, BadSettingsGiveAUsableRasterAndMachine) {
    store.writeInt(kSettingsKey, "Machine", 42);
    store.writeInt(kSettingsKey, "NeedleBed", 100000);
    store.writeBinary(kSettingsKey, "PixByX", EncodeReal(0.0));
    StartUp(ws, h);
    EXPECT_EQ(ws.CurrentMachine.Code, 102);
    EXPECT_EQ(ws.Raster.Width, 200);
    EXPECT_EQ(ws.Editor.CellHeights[4], 11);
}

TEST_F(StartUpTest, ANarrowPatternOnAWideMachineIsKept) {
    store.writeInt(kSettingsKey, "Machine", 103);
    store.writeInt(kSettingsKey, "NeedleBed", 160);
    StartUp(ws, h);
    EXPECT_EQ(ws.CurrentMachine.Needles, 250);
    EXPECT_EQ(ws.Raster.Width, 160);
    // Saving after a resize writes the raster's width.
    ws.Raster.SetSize(150, kPatternRows);
    saveSettings();
    EXPECT_EQ(store.readInt(kSettingsKey, "NeedleBed"), 150);
}

TEST_F(StartUpTest, PathGalleryRemovedAfterStartStaysAbsentAfterASave) {
    StartUp(ws, h);
    ASSERT_TRUE(store.hasValue(kSettingsKey, "Path_Gallery"));
    store.removeValue(kSettingsKey, "Path_Gallery");
    saveSettings();
    EXPECT_FALSE(store.hasValue(kSettingsKey, "Path_Gallery"));
}
