// The settings file through the platform's private-profile functions.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "SettingKeys.h"
#include "SettingsExchange.h"
#include "SettingsFile.h"
#include "TestFolder.h"

using testing_support::TestFolder;
using testing_support::WriteFileText;

TEST(SettingsFile, MissingFileGivesEveryDefault) {
    TestFolder folder;
    vrx::SettingsFile settings(folder.File("VrxClient.ini"));
    EXPECT_EQ(settings.Read(vrx::keys::Resolution), 3000);
    EXPECT_EQ(settings.Read(vrx::keys::PaperWidth), 1270);
    EXPECT_EQ(settings.Read(vrx::keys::PaperLength), 890);
    EXPECT_EQ(settings.Read(vrx::keys::SourceType), 1);
    EXPECT_EQ(settings.Read(vrx::keys::Surface), 1);
    EXPECT_EQ(settings.Read(vrx::keys::ImageFormat), 0);
    EXPECT_EQ(settings.Read(vrx::keys::ProfPaperWidth), 1270);
    EXPECT_EQ(settings.ReadText(vrx::keys::Name), "");
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::vrxDevStartFAD), 0);
    EXPECT_FALSE(testing_support::FileExists(folder.File("VrxClient.ini"))) << "reading creates nothing";
}

TEST(SettingsFile, ValuesReadAsThePlatformParsesThem) {
    TestFolder folder;
    const std::string path = folder.File("VrxClient.ini");
    WriteFileText(path,
                  "[Setting]\r\nResolution=-5\r\nPaperWidth=abc\r\nPaperLength=12abc\r\nFeed=\r\n"
                  "[KORVALEN]\r\nvrxDevStartFAD=2\r\nMaintenance=1\r\n");
    vrx::SettingsFile settings(path);
    EXPECT_EQ(settings.Read(vrx::keys::Resolution), -5);
    EXPECT_EQ(settings.Read(vrx::keys::PaperWidth), 0);
    EXPECT_EQ(settings.Read(vrx::keys::PaperLength), 12);
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::vrxDevStartFAD), 2);
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::Maintenance), 1);
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::vrxDevVrxNotice), 0);
}

TEST(SettingsFile, WritesRoundTripAndLongStringsAreCutAt255) {
    TestFolder folder;
    vrx::SettingsFile settings(folder.File("VrxClient.ini"));
    settings.WriteSettingInt("PaperWidth", 1524);
    settings.WriteSettingInt("Offset", -1);
    const std::string longName(300, 'n');
    settings.WriteSettingString("Name", longName.c_str());
    EXPECT_EQ(settings.Read(vrx::keys::PaperWidth), 1524);
    EXPECT_EQ(settings.Read(vrx::keys::Offset), -1);
    EXPECT_EQ(settings.ReadText(vrx::keys::Name), std::string(255, 'n'));
    const std::string text = testing_support::ReadFileText(folder.File("VrxClient.ini"));
    EXPECT_NE(text.find("[Setting]"), std::string::npos);
    EXPECT_NE(text.find("PaperWidth=1524"), std::string::npos);
}

TEST(SettingsExchange, A16BitFieldTakesTheLow16BitsOfTheStoredNumberAndSavesThemUnsigned) {
    const struct {
        const char* key;
        const char* stored;
        uint16_t field;
    } rows[] = {{"WbTop", "-1", 0xFFFF}, {"WbBottom", "65536", 0}, {"WbLeft", "65537", 1},
                {"WbRight", "-65535", 1}, {"Cms", "70000", 4464}, {"Angle", "2", 2}};
    TestFolder folder;
    const std::string path = folder.File("VrxClient.ini");
    std::string file = "[Setting]\r\n";
    for (const auto& row : rows) file += std::string(row.key) + "=" + row.stored + "\r\n";
    WriteFileText(path, file);
    const vrx::SettingsFile settings(path);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        const vrx::SettingKey key{row.key, vrx::SettingType::Int, 9, nullptr};
        uint16_t field = 7;
        vrx::SettingsExchange(settings, vrx::SettingsExchange::Direction::Load).Int(key, field);
        EXPECT_EQ(field, row.field);
        vrx::SettingsExchange(settings, vrx::SettingsExchange::Direction::Save).Int(key, field);
        EXPECT_EQ(settings.ReadSettingInt(row.key, 9), row.field);
    }
}

TEST(SettingsFile, AnUnknownPathReadsDefaultsAndWritesNothing) {
    vrx::SettingsFile settings("");
    settings.WriteSettingInt("PaperWidth", 5);
    EXPECT_EQ(settings.Read(vrx::keys::PaperWidth), 1270);
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::vrxDevStartFAD), 0);
}

TEST(SettingKeys, TheTableHoldsEveryKeyOnceWithADefaultForItsType) {
    ASSERT_EQ(std::size(vrx::kSettingKeys), 35u);
    std::set<std::string> names;
    for (const vrx::SettingKey* key : vrx::kSettingKeys) {
        EXPECT_TRUE(names.insert(key->name).second) << key->name;
        if (key->type == vrx::SettingType::Text) {
            EXPECT_NE(key->textDefault, nullptr) << key->name;
        }
    }
    EXPECT_EQ(vrx::keys::KolmCmdFilePath.type, vrx::SettingType::Text);
}
