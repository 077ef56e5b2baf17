#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "core/PatternRaster.h"
#include "core/Machine.h"
#include "core/Settings.h"
#include "core/StartUp.h"
#include "core/StitchBitmaps.h"
#include "core/Translator.h"
#include "core/UIText.h"

using namespace lc;

namespace {

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        AppDir = "/opt/lc/";
        ExeName = "/opt/lc/loopcrafter";
        setSettingsStore(&store);
        startUpHooks() = StartUpHooks{};
        startUpHooks().problem = [this](const std::string& step, const std::string& m) {
            log.push_back("problem " + step + ": " + m);
        };
    }
    void TearDown() override {
        ShutDown();
        startUpHooks() = StartUpHooks{};
        setSettingsStore(nullptr);
        ResetGlobals();
        AppDir.clear();
        ExeName.clear();
    }
    // Every hook logs its call (with what the raster and settings look like at that moment).
    void logAllHooks() {
        auto& h = startUpHooks();
        h.addPrivateFont = [this](const std::string& f) {
            log.push_back("font " + f);
            return true;
        };
        h.removePrivateFont = [this] {
            log.push_back("remove font");
            return true;
        };
        h.closePorts = [this] {
            log.push_back("close ports, raster " + std::to_string(GraphicData.Width) + " machines " +
                          std::to_string(MachineList.size()));
        };
    }
    MemorySettingsStore store;
    std::vector<std::string> log;
};

} // namespace

TEST_F(StartUpTest, RunsTheStepsInOrderAndShutsDownPortsFirst) {
    logAllHooks();
    store.writeString(kLocaleOverrideKey, ExeName, "RUS");
    StartUp();
    EXPECT_TRUE(IsStartedUp());
    EXPECT_EQ(CurrentMachine.Code, 102);
    EXPECT_EQ(GraphicData.Width, 200);
    EXPECT_EQ(GraphicData.Height, 1024);
    EXPECT_FALSE(GraphicData.IsMaskCellSet(0, 0));
    EXPECT_EQ(UIText[38], "Seamless Rib") << "the Russian table was chosen";
    EXPECT_EQ(gTranslator.FileName, "/opt/lc/Loopcrafter.mld");
    EXPECT_EQ(StitchRect, (CellRect{0, 0, 10, 10})); // zoom level 4: 11 x 11
    ShutDown();
    EXPECT_FALSE(IsStartedUp());
    const std::vector<std::string> want = {
        "font /opt/lc/Loopcraft.ttf",
        "problem language file: Language file \"/opt/lc/Loopcrafter.mld\": not found",
        "close ports, raster 200 machines 3",
        "remove font",
    };
    EXPECT_EQ(log, want);
    EXPECT_TRUE(MachineList.empty());
    EXPECT_EQ(StitchBitmaps[0].width, 0);
}

TEST_F(StartUpTest, AFailingStepDoesNotStopTheOnesAfterIt) {
    logAllHooks();
    auto& h = startUpHooks();
    h.addPrivateFont = [](const std::string&) -> bool { throw std::runtime_error("no font"); };
    StartUp();
    EXPECT_TRUE(IsStartedUp());
    const std::vector<std::string> want = {
        "problem private font: no font",
        "problem language file: Language file \"/opt/lc/Loopcrafter.mld\": not found",
    };
    EXPECT_EQ(log, want);
    EXPECT_EQ(StitchBitmaps[15].width, 11);
}

TEST_F(StartUpTest, BadSettingsGiveAUsableRasterAndMachine) {
    store.writeInt(kSettingsKey, "Machine", 42);
    store.writeInt(kSettingsKey, "NeedleBed", 100000);
    store.writeBinary(kSettingsKey, "PixByX", EncodeReal(0.0));
    StartUp();
    EXPECT_EQ(CurrentMachine.Code, 102);
    EXPECT_EQ(GraphicData.Width, 200);
    EXPECT_EQ(CellHeights[4], 11);
}

TEST_F(StartUpTest, ANarrowPatternOnAWideMachineIsKept) {
    store.writeInt(kSettingsKey, "Machine", 103);
    store.writeInt(kSettingsKey, "NeedleBed", 160);
    StartUp();
    EXPECT_EQ(CurrentMachine.Needles, 250);
    EXPECT_EQ(GraphicData.Width, 160);
    // Saving after a resize writes the raster's width.
    GraphicData.SetSize(150, kPatternRows);
    SaveSettings();
    EXPECT_EQ(store.readInt(kSettingsKey, "NeedleBed"), 150);
}

TEST_F(StartUpTest, PathGalleryRemovedAfterStartStaysAbsentAfterASave) {
    StartUp();
    ASSERT_TRUE(store.hasValue(kSettingsKey, "Path_Gallery"));
    store.removeValue(kSettingsKey, "Path_Gallery");
    SaveSettings();
    EXPECT_FALSE(store.hasValue(kSettingsKey, "Path_Gallery"));
}
