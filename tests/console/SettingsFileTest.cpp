// The settings file through the platform's private-profile functions.
#include <gtest/gtest.h>

#include <string>

#include "SettingKeys.h"
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

TEST(SettingsFile, AnUnknownPathReadsDefaultsAndWritesNothing) {
    vrx::SettingsFile settings("");
    settings.WriteSettingInt("PaperWidth", 5);
    EXPECT_EQ(settings.Read(vrx::keys::PaperWidth), 1270);
    EXPECT_EQ(settings.ReadHidden(vrx::hidden::vrxDevStartFAD), 0);
}
