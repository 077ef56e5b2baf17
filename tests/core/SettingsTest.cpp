#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Machine.h"
#include "core/Settings.h"

using namespace lc;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() {
        paths.AppDir = "/opt/loopcrafter/";
        paths.ExeName = "/opt/loopcrafter/loopcrafter";
    }
    std::vector<std::string> names() const {
        auto v = store.listValues(kSettingsKey);
        std::sort(v.begin(), v.end());
        return v;
    }
    MemorySettingsStore store;
    Settings settings;
    ProgramPaths paths;
};

std::vector<uint8_t> bytesOf(double v) { return EncodeReal(v); }

} // namespace

TEST_F(SettingsTest, FirstStartWritesExactlyTheDefaultsMarkedWritten) {
    settings.SoundEvents = 0; // the default must come from the load, not from the value before it
    LoadSettings(settings, paths, store);

    EXPECT_TRUE(store.keyExists(kSettingsKey));
    const std::vector<std::string> expected = {"ACOMPort",     "Machine",      "NeedleBed",     "Path_Fashion",
                                               "Path_Gallery", "Path_Garment", "Path_Palettes", "Path_Picture",
                                               "PixByX",       "PixByY"};
    EXPECT_EQ(names(), expected);
    EXPECT_EQ(store.readInt(kSettingsKey, "Machine"), 102);
    EXPECT_EQ(store.readInt(kSettingsKey, "NeedleBed"), 200);
    EXPECT_EQ(store.readString(kSettingsKey, "ACOMPort"), "COM1");
    const std::vector<uint8_t> quarter = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xD0, 0x3F};
    EXPECT_EQ(store.readBinary(kSettingsKey, "PixByX"), quarter);
    EXPECT_EQ(store.readBinary(kSettingsKey, "PixByY"), quarter);
    EXPECT_EQ(store.readString(kSettingsKey, "Path_Picture"), "/opt/loopcrafter/Patterns");
    EXPECT_EQ(store.readString(kSettingsKey, "Path_Palettes"), "/opt/loopcrafter/Palettes");
    EXPECT_EQ(store.readString(kSettingsKey, "Path_Fashion"), "/opt/loopcrafter/Models");
    EXPECT_EQ(store.readString(kSettingsKey, "Path_Garment"), "/opt/loopcrafter/Garments");
    EXPECT_EQ(store.readString(kSettingsKey, "Path_Gallery"), "/opt/loopcrafter/Galleries");

    EXPECT_EQ(settings.SoundEvents, 255);
    EXPECT_EQ(settings.DefaultCalcTemplate, -1);
    EXPECT_EQ(settings.DefaultCalcSample, -1);
    EXPECT_EQ(settings.SuperUser, 0);
    EXPECT_EQ(settings.PixByX, 0.25);
    // The language code is kept per program path.
    EXPECT_EQ(settings.LanguageCode, "ENG");
    EXPECT_EQ(store.readString(kLocaleOverrideKey, paths.ExeName), "ENG");
}

TEST_F(SettingsTest, DefaultFoldersFollowTheUserFolderWhenTheProgramFolderIsReadOnly) {
    paths.UserDir = "/home/knitter/.local/share/Orvan Solutions/Loopcrafter/";
    LoadSettings(settings, paths, store);
    EXPECT_EQ(settings.Path_Picture, paths.UserDir + "Patterns");
    EXPECT_EQ(settings.Path_Gallery, paths.UserDir + "Galleries");
}

TEST_F(SettingsTest, StoredValuesAreTakenAsStoredIncludingEmptyFolders) {
    store.writeInt(kSettingsKey, "Machine", 101);
    store.writeInt(kSettingsKey, "NeedleBed", 120);
    store.writeString(kSettingsKey, "ACOMPort", "/dev/ttyUSB0");
    store.writeBinary(kSettingsKey, "PixByX", bytesOf(0.3));
    store.writeBinary(kSettingsKey, "PixByY", bytesOf(0.45));
    store.writeInt(kSettingsKey, "SoftEmulator", 1);
    store.writeInt(kSettingsKey, "ViewProtocol", 2);
    store.writeInt(kSettingsKey, "ProtocolType", 1);
    store.writeInt(kSettingsKey, "SuperUserZRD", 1);
    store.writeInt(kSettingsKey, "Units", 1);
    store.writeInt(kSettingsKey, "DefaultCalcTemplate", 3);
    store.writeInt(kSettingsKey, "DefaultCalcSample", 4);
    store.writeInt(kSettingsKey, "AutoRestore", 1);
    store.writeInt(kSettingsKey, "SoundEvents", 5);
    store.writeString(kSettingsKey, "Path_Picture", "");
    store.writeString(kLocaleOverrideKey, paths.ExeName, "RUS");
    LoadSettings(settings, paths, store);
    EXPECT_EQ(settings.Machine, 101);
    EXPECT_EQ(settings.NeedleBed, 120);
    EXPECT_EQ(settings.ACOMPort, "/dev/ttyUSB0");
    EXPECT_EQ(settings.PixByX, 0.3);
    EXPECT_EQ(settings.PixByY, 0.45);
    EXPECT_EQ(settings.SoftEmulator, 1);
    EXPECT_EQ(settings.ViewProtocol, 2);
    EXPECT_EQ(settings.ProtocolType, 1);
    EXPECT_EQ(settings.SuperUser, 1);
    EXPECT_EQ(settings.Units, 1);
    EXPECT_EQ(settings.DefaultCalcTemplate, 3);
    EXPECT_EQ(settings.DefaultCalcSample, 4);
    EXPECT_EQ(settings.AutoRestore, 1);
    EXPECT_EQ(settings.SoundEvents, 5);
    EXPECT_EQ(settings.Path_Picture, "");
    EXPECT_EQ(store.readString(kSettingsKey, "Path_Picture"), "");
    EXPECT_EQ(settings.LanguageCode, "RUS");
}

TEST_F(SettingsTest, OnlyMachine103GivesThatModelAndA200WideBed) {
    store.writeInt(kSettingsKey, "Machine", 103);
    LoadSettings(settings, paths, store);
    MachineRecord current;
    ASSERT_TRUE(SelectCurrentMachine(MachineModels(), settings.Machine, current));
    EXPECT_EQ(current.Name, "Silver Reed SK-830/FPR-70");
    EXPECT_EQ(settings.NeedleBed, 200);
    EXPECT_EQ(store.readInt(kSettingsKey, "NeedleBed"), 200);
}

TEST_F(SettingsTest, LanguageCodesAreKeptPerProgramPath) {
    store.writeString(kLocaleOverrideKey, "/usr/bin/other", "RUS");
    LoadSettings(settings, paths, store);
    EXPECT_EQ(settings.LanguageCode, "ENG");
    settings.LanguageCode = "JPN";
    SaveSettings(settings, paths, 0, store);
    EXPECT_EQ(store.readString(kLocaleOverrideKey, "/usr/bin/other"), "RUS");
    EXPECT_EQ(store.readString(kLocaleOverrideKey, paths.ExeName), "JPN");
    LoadSettings(settings, paths, store);
    EXPECT_EQ(settings.LanguageCode, "JPN");
}

TEST_F(SettingsTest, SaveWritesTheFourteenValuesAndNeverTheOthers) {
    LoadSettings(settings, paths, store);
    store.removeValue(kSettingsKey, "Path_Gallery");
    settings.Machine = 101;
    settings.NeedleBed = 200;
    settings.SoftEmulator = 1;
    settings.ViewProtocol = 1;
    settings.ProtocolType = 1;
    settings.SuperUser = 1;
    settings.Units = 1;
    settings.PixByY = 0.5;
    settings.Path_Gallery = "/elsewhere";
    settings.Path_Garment = "/g";
    SaveSettings(settings, paths, 150, store);

    EXPECT_EQ(store.readInt(kSettingsKey, "NeedleBed"), 150); // from the pattern's width
    EXPECT_EQ(store.readInt(kSettingsKey, "Machine"), 101);
    EXPECT_EQ(store.readInt(kSettingsKey, "Units"), 1);
    EXPECT_EQ(store.readBinary(kSettingsKey, "PixByY"), bytesOf(0.5));
    EXPECT_EQ(store.readString(kSettingsKey, "Path_Garment"), "/g");
    EXPECT_EQ(store.readInt(kSettingsKey, "SoundEvents"), 255);
    EXPECT_EQ(store.readInt(kSettingsKey, "AutoRestore"), 0);
    EXPECT_EQ(store.readInt(kSettingsKey, "DefaultCalcTemplate"), -1);
    for (const char* never : {"SoftEmulator", "ViewProtocol", "ProtocolType", "SuperUserZRD", "Path_Gallery"})
        EXPECT_FALSE(store.hasValue(kSettingsKey, never)) << never;
    EXPECT_EQ(names().size(), 14u);
}

TEST_F(SettingsTest, ValuesNoPartCanWorkWithAreRepaired) {
    struct Case {
        int machine, bed;
        double x, y;
        int wantMachine, wantBed;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {999, 200, 0.25, 0.25, 102, 200}, // unknown model
        {102, 0, 0.0, 0.25, 102, 1},      // empty bed, zero gauge
        {102, -40, -1.0, nan, 102, 1},    // negative bed and gauge, NaN
        {103, 400, inf, 0.3, 103, 250},   // wider than any bed, infinite gauge
        {101, 200, 0.25, 0.25, 101, 150}, // wider than this model
        {103, 250, 0.25, 0.25, 103, 250}, // the widest bed stays
    };
    for (const Case& c : cases) {
        MemorySettingsStore s;
        s.writeInt(kSettingsKey, "Machine", c.machine);
        s.writeInt(kSettingsKey, "NeedleBed", c.bed);
        s.writeBinary(kSettingsKey, "PixByX", bytesOf(c.x));
        s.writeBinary(kSettingsKey, "PixByY", bytesOf(c.y));
        LoadSettings(settings, paths, s);
        EXPECT_EQ(settings.Machine, c.wantMachine) << c.machine << " " << c.bed;
        EXPECT_EQ(settings.NeedleBed, c.wantBed) << c.machine << " " << c.bed;
        EXPECT_TRUE(std::isfinite(settings.PixByX) && settings.PixByX > 0);
        EXPECT_TRUE(std::isfinite(settings.PixByY) && settings.PixByY > 0);
        if (!(std::isfinite(c.x) && c.x > 0)) {
            EXPECT_EQ(settings.PixByX, 0.25);
        }
        if (std::isfinite(c.y) && c.y > 0) {
            EXPECT_EQ(settings.PixByY, c.y);
        }
        // The store keeps what it holds until the next save.
        EXPECT_EQ(s.readInt(kSettingsKey, "Machine"), c.machine);
    }
}

TEST_F(SettingsTest, ValuesOfAnotherTypeCountAsMissing) {
    store.writeString(kSettingsKey, "Machine", "103");
    store.writeBinary(kSettingsKey, "PixByX", {1, 2, 3}); // not 8 bytes
    store.writeInt(kSettingsKey, "ACOMPort", 5);
    LoadSettings(settings, paths, store);
    EXPECT_EQ(settings.Machine, 102);
    EXPECT_EQ(settings.PixByX, 0.25);
    EXPECT_EQ(settings.ACOMPort, "COM1");
    EXPECT_EQ(store.readBinary(kSettingsKey, "PixByX"), bytesOf(0.25));
}

TEST_F(SettingsTest, RealsAreEightLittleEndianBytes) {
    const std::vector<uint8_t> one = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    EXPECT_EQ(EncodeReal(1.0), one);
    double d = 0;
    ASSERT_TRUE(DecodeReal(EncodeReal(-123.456), d));
    EXPECT_EQ(d, -123.456);
    EXPECT_FALSE(DecodeReal({0, 0, 0, 0, 0, 0, 0xF0}, d));
}

// A store whose writes fail must not leave settings half loaded.
TEST_F(SettingsTest, AStoreThatCannotBeWrittenStillLoadsEverySetting) {
    struct FailingStore : MemorySettingsStore {
        void writeInt(const std::string&, const std::string&, int32_t) override {
            throw std::runtime_error("read-only");
        }
        void writeString(const std::string&, const std::string&, const std::string&) override {
            throw std::runtime_error("read-only");
        }
        void writeBinary(const std::string&, const std::string&, const std::vector<uint8_t>&) override {
            throw std::runtime_error("read-only");
        }
    } s;
    s.MemorySettingsStore::writeInt(kSettingsKey, "SoundEvents", 3);
    EXPECT_THROW(LoadSettings(settings, paths, s), std::runtime_error);
    EXPECT_EQ(settings.SoundEvents, 3);
    EXPECT_EQ(settings.Path_Gallery, "/opt/loopcrafter/Galleries");
    EXPECT_EQ(settings.LanguageCode, "ENG");
}
