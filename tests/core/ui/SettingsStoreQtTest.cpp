#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <algorithm>

#include "QtApp.h"
#include "core/Errors.h"
#include "core/Settings.h"
#include "core/ui/SettingsStoreQt.h"

using namespace lc;
using lc::ui::SettingsStoreQt;

namespace {

QString tempIni(const char* name) { return lc::test::testHome().path() + "/" + name + ".ini"; }

class QtSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        lc::test::qtApp();
        paths.AppDir = "/opt/loop crafter/";
        paths.ExeName = "/opt/loop crafter/bin\\loopcrafter";
    }
    Settings settings;
    ProgramPaths paths;
};

} // namespace

// The user's store lives under XDG_CONFIG_HOME; a first start writes exactly
// the defaults that are written back, and the language under the program path.
TEST_F(QtSettingsTest, FirstStartInAnEmptyConfigFolderWritesTheDefaults) {
    const QString expectedFile = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Orvan Solutions/Loopcrafter.ini";
    ASSERT_TRUE(expectedFile.startsWith(lc::test::testHome().path()));
    QFile::remove(expectedFile);
    {
        SettingsStoreQt store;
        EXPECT_EQ(store.fileName(), expectedFile);
        LoadSettings(settings, paths, store);
    }
    ASSERT_TRUE(QFile::exists(expectedFile));

    QSettings raw(expectedFile, QSettings::IniFormat);
    EXPECT_EQ(raw.childGroups(), QStringList({"LocaleOverrides", "Loopcrafter"}));
    raw.beginGroup("Loopcrafter");
    QStringList keys = raw.childKeys();
    keys.sort();
    EXPECT_EQ(keys, QStringList({"ACOMPort", "Machine", "NeedleBed", "Path_Fashion", "Path_Gallery", "Path_Garment",
                                 "Path_Palettes", "Path_Picture", "PixByX", "PixByY"}));
    EXPECT_EQ(raw.value("Machine").toString(), "102");
    EXPECT_EQ(raw.value("NeedleBed").toString(), "200");
    EXPECT_EQ(raw.value("ACOMPort").toString(), "COM1");
    EXPECT_EQ(raw.value("PixByX").toByteArray(), QByteArray("\x00\x00\x00\x00\x00\x00\xD0\x3F", 8));
    EXPECT_EQ(raw.value("PixByY").toByteArray(), QByteArray("\x00\x00\x00\x00\x00\x00\xD0\x3F", 8));
    EXPECT_EQ(raw.value("Path_Gallery").toString(), "/opt/loop crafter/Galleries");
    raw.endGroup();
    // One value named by the whole program path, slashes and all.
    raw.beginGroup("LocaleOverrides");
    EXPECT_EQ(raw.childGroups(), QStringList());
    ASSERT_EQ(raw.childKeys().size(), 1);
    EXPECT_EQ(raw.value(raw.childKeys().first()).toString(), "ENG");
    raw.endGroup();
    EXPECT_EQ(settings.SoundEvents, 255);
}

TEST_F(QtSettingsTest, ValuesSurviveAReopenOfTheFile) {
    const QString file = tempIni("reopen");
    {
        SettingsStoreQt store(file);
        LoadSettings(settings, paths, store);
        settings.Machine = 103;
        settings.PixByY = 0.375;
        settings.ACOMPort = "/dev/ttyUSB0, second"; // a comma must not split the text
        settings.LanguageCode = "RUS";
        SaveSettings(settings, paths, 180, store);
    }
    Settings loaded;
    SettingsStoreQt again(file);
    LoadSettings(loaded, paths, again);
    EXPECT_EQ(loaded.Machine, 103);
    EXPECT_EQ(loaded.NeedleBed, 180);
    EXPECT_EQ(loaded.PixByY, 0.375);
    EXPECT_EQ(loaded.ACOMPort, "/dev/ttyUSB0, second");
    EXPECT_EQ(loaded.LanguageCode, "RUS");
    EXPECT_EQ(again.readString(kLocaleOverrideKey, paths.ExeName), "RUS");
    auto names = again.listValues(kLocaleOverrideKey);
    EXPECT_EQ(names, std::vector<std::string>{paths.ExeName});
}

TEST_F(QtSettingsTest, TypesAreKeptApartAfterAReopen) {
    const QString file = tempIni("types");
    {
        SettingsStoreQt s(file);
        s.writeInt("K", "i", -7);
        s.writeString("K", "s", "@text with % and /");
        s.writeBinary("K", "b", {0, 1, 2, 255});
    }
    SettingsStoreQt s(file);
    EXPECT_EQ(s.readInt("K", "i"), -7);
    EXPECT_EQ(s.readString("K", "s"), "@text with % and /");
    EXPECT_EQ(s.readBinary("K", "b"), (std::vector<uint8_t>{0, 1, 2, 255}));
    EXPECT_EQ(s.readInt("K", "s"), std::nullopt);
    EXPECT_EQ(s.readString("K", "b"), std::nullopt);
    EXPECT_EQ(s.readBinary("K", "i"), std::nullopt);
    EXPECT_EQ(s.readInt("K", "missing"), std::nullopt);
    EXPECT_TRUE(s.hasValue("K", "b"));
    EXPECT_FALSE(s.hasValue("K", "missing"));
}

TEST_F(QtSettingsTest, KeysExistOnceCreatedEvenWithoutValues) {
    SettingsStoreQt s(tempIni("keys"));
    EXPECT_FALSE(s.keyExists(kTemplatesKey));
    EXPECT_TRUE(s.createKey(kTemplatesKey));
    EXPECT_TRUE(s.keyExists(kTemplatesKey));
    EXPECT_TRUE(s.keyExists(kSettingsKey));
    EXPECT_TRUE(s.listValues(kTemplatesKey).empty());
    s.writeString(kTemplatesKey, "Template0", "Wool=20,30,10,10");
    EXPECT_EQ(s.listValues(kTemplatesKey), std::vector<std::string>{"Template0"});
    EXPECT_TRUE(s.deleteKey(kTemplatesKey));
    EXPECT_FALSE(s.keyExists(kTemplatesKey));
    EXPECT_FALSE(s.deleteKey(kTemplatesKey));
}

TEST_F(QtSettingsTest, NamesWithSeparatorsRoundTrip) {
    for (const std::string name : {"/usr/bin/loopcrafter", "C:\\Program Files\\x.exe", "100%/50%", "%2F", "plain"}) {
        EXPECT_EQ(SettingsStoreQt::decodeName(SettingsStoreQt::encodeName(name)), name);
        EXPECT_FALSE(SettingsStoreQt::encodeName(name).contains(u'/'));
        EXPECT_FALSE(SettingsStoreQt::encodeName(name).contains(u'\\'));
    }
}

TEST_F(QtSettingsTest, AFileThatCannotBeWrittenIsReported) {
    SettingsStoreQt s("/dev/null/cannot/settings.ini");
    EXPECT_THROW(s.writeInt(kSettingsKey, "Machine", 102), IoError);
}
