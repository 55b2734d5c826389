// The settings file through the platform's private-profile functions.
#include <gtest/gtest.h>

#include "SettingKeys.h"
#include "SettingsFile.h"
#include "TestFolder.h"

using testing_support::TestFolder;
using testing_support::WriteFileText;

TEST(SettingsFile, MissingFileGivesEveryDefault) {
    TestFolder folder;
    vrx::SettingsFile settings(folder.File("VrxClient.ini"));
    EXPECT_EQ(settings.Read(vrx::setting::Resolution), 3000);
    EXPECT_EQ(settings.Read(vrx::setting::PaperWidth), 1270);
    EXPECT_EQ(settings.Read(vrx::setting::PaperLength), 890);
    EXPECT_EQ(settings.Read(vrx::setting::SourceType), 1);
    EXPECT_EQ(settings.Read(vrx::setting::Surface), 1);
    EXPECT_EQ(settings.Read(vrx::setting::ImageFormat), 0);
    EXPECT_EQ(settings.Read(vrx::setting::ProfPaperWidth), 1270);
    EXPECT_EQ(settings.ReadText(vrx::setting::Name), "");
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
    EXPECT_EQ(settings.Read(vrx::setting::Resolution), -5);
    EXPECT_EQ(settings.Read(vrx::setting::PaperWidth), 0);
    EXPECT_EQ(settings.Read(vrx::setting::PaperLength), 12);
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::vrxDevStartFAD), 2);
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::Maintenance), 1);
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::vrxDevVrxNotice), 0);
}

TEST(SettingsFile, WritesRoundTripAndLongStringsAreCutAt255) {
    TestFolder folder;
    vrx::SettingsFile settings(folder.File("VrxClient.ini"));
    settings.WriteInt("PaperWidth", 1524);
    settings.WriteInt("Offset", -1);
    const std::string longName(300, 'n');
    settings.WriteString("Name", longName.c_str());
    EXPECT_EQ(settings.Read(vrx::setting::PaperWidth), 1524);
    EXPECT_EQ(settings.Read(vrx::setting::Offset), -1);
    EXPECT_EQ(settings.ReadText(vrx::setting::Name), std::string(255, 'n'));
    const std::string text = testing_support::ReadFileText(folder.File("VrxClient.ini"));
    EXPECT_NE(text.find("[Setting]"), std::string::npos);
    EXPECT_NE(text.find("PaperWidth=1524"), std::string::npos);
}

TEST(SettingsFile, AnUnknownPathReadsDefaultsAndWritesNothing) {
    vrx::SettingsFile settings("");
    settings.WriteInt("PaperWidth", 5);
    EXPECT_EQ(settings.Read(vrx::setting::PaperWidth), 1270);
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::vrxDevStartFAD), 0);
}

TEST(SettingKeys, EveryKeyIsDefinedOnceWithItsType) {
    size_t count = 0;
    const vrx::SettingKey* const* keys = vrx::SettingKeys(count);
    ASSERT_EQ(count, 35u);
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(vrx::FindSettingKey(keys[i]->name), keys[i]) << keys[i]->name << " is defined twice";
        if (keys[i]->type == vrx::SettingType::Text) {
            EXPECT_NE(keys[i]->textDefault, nullptr) << keys[i]->name;
        }
    }
    EXPECT_EQ(vrx::FindSettingKey("KolmCmdFilePath")->type, vrx::SettingType::Text);
    EXPECT_EQ(vrx::FindSettingKey("NoSuchKey"), nullptr);
}
