// Every key of the key table goes through the settings file under its own
// name: typed into its dialog, confirmed, read from VrxClient.ini as text,
// and shown again when the dialog opens next. A key saved under another
// key's name round-trips inside the console but not through the file.
#include <gtest/gtest.h>

#include <set>

#include "ConsoleFlow.h"
#include "SettingKeys.h"
#include "ThreadWindows.h"

using namespace flow;
using testing_support::ReadFileText;

namespace {

enum class Kind { Edit, List, Address };

struct KeyRow {
    const char* key;
    int control;
    Kind kind;
    const char* value;  // typed, or the list index chosen; as the file holds it
};

struct DialogKeys {
    int button;
    const wchar_t* caption;
    std::vector<KeyRow> rows;
};

// Values differ from each other and from the defaults wherever the field's
// range allows, so that two keys swapped show.
const DialogKeys kDialogs[] = {
    {IDC_DEV_OPEN, L"vrxDevOpen",
     {{"IPAddress1", 1, Kind::Address, "10"},
      {"IPAddress2", 2, Kind::Address, "20"},
      {"IPAddress3", 3, Kind::Address, "30"},
      {"IPAddress4", 4, Kind::Address, "40"}}},
    {IDC_DEV_PRINT, L"vrxDevPrint",
     {{"ImageFormat", IDC_BASIC_IMAGE_FORMAT, Kind::List, "6"},
      {"SourceType", IDC_BASIC_SOURCE_TYPE, Kind::List, "1"},
      {"DataLength", IDC_BASIC_DATA_LENGTH, Kind::Edit, "11"},
      {"Name", IDC_BASIC_IMAGE_NAME, Kind::Edit, "C:\\images\\name.jpg"},
      {"Offset", IDC_BASIC_OFFSET, Kind::Edit, "12"},
      {"ImgWidth", IDC_BASIC_IMG_WIDTH, Kind::Edit, "13"},
      {"ImgHeight", IDC_BASIC_IMG_HEIGHT, Kind::Edit, "14"},
      {"Resolution", IDC_BASIC_RESOLUTION, Kind::Edit, "15"},
      {"PaperWidth", IDC_BASIC_PAPER_WIDTH, Kind::Edit, "16"},
      {"PaperLength", IDC_BASIC_PAPER_LENGTH, Kind::Edit, "17"},
      {"Feed", IDC_BASIC_FEED, Kind::List, "0"},
      {"Surface", IDC_BASIC_SURFACE, Kind::Edit, "18"},
      {"Cms", IDC_EXTEND_CMS, Kind::List, "2"},
      {"Angle", IDC_EXTEND_ANGLE, Kind::List, "3"},
      {"Fitting", IDC_EXTEND_FITTING, Kind::List, "1"},
      {"Edge", IDC_EXTEND_EDGE, Kind::List, "1"},
      {"WbTop", IDC_EXTEND_BORDER_TOP, Kind::Edit, "21"},
      {"WbBottom", IDC_EXTEND_BORDER_BOTTOM, Kind::Edit, "22"},
      {"WbLeft", IDC_EXTEND_BORDER_LEFT, Kind::Edit, "23"},
      {"WbRight", IDC_EXTEND_BORDER_RIGHT, Kind::Edit, "24"},
      {"PaperName", IDC_EXTEND_PAPER_NAME, Kind::Edit, "Print paper"},
      {"ColorSpace", IDC_EXTEND_COLOR_SPACE, Kind::List, "0"},
      {"PrintQuality", IDC_EXTEND_PRINT_QUALITY, Kind::List, "2"}}},
    {IDC_DEV_BLANK_PRINT, L"vrxDevBlankPrint",
     {{"Resolution", IDC_BLANK_RESOLUTION, Kind::Edit, "31"},
      {"PaperWidth", IDC_BLANK_PAPER_WIDTH, Kind::Edit, "32"},
      {"PaperLength", IDC_BLANK_PAPER_LENGTH, Kind::Edit, "33"},
      {"PaperName", IDC_BLANK_PAPER_NAME, Kind::Edit, "Blank paper"},
      {"Feed", IDC_BLANK_FEED, Kind::List, "1"},
      {"Surface", IDC_BLANK_SURFACE, Kind::Edit, "34"},
      {"ClearInk", IDC_BLANK_CLEAR_INK, Kind::List, "1"},
      {"PrintQuality", IDC_BLANK_PRINT_QUALITY, Kind::List, "1"}}},
    {IDC_DEV_GET_PROFILE, L"vrxDevGetProfile",
     {{"ProfFeed", IDC_PROF_FEED, Kind::List, "1"},
      {"ProfPaperWidth", IDC_PROF_PAPER_WIDTH, Kind::Edit, "41"},
      {"ProfSurface", IDC_PROF_SURFACE, Kind::Edit, "42"},
      {"ProfName", IDC_PROF_PAPER_NAME, Kind::Edit, "Profile paper"},
      {"ProfPath", IDC_PROF_FILE_PATH, Kind::Edit, "C:\\profiles\\p.icc"}}},
};

// Kept only by the colour-command print, which no button of the console
// starts (its button does nothing).
const char* const kWithoutButton[] = {"Priority", "KolmCmdFilePath"};

class SettingsRoundTrip : public ConsoleFlow {
protected:
    // A printer at an address whose four octets all differ.
    std::string SimulatorExtra() const override {
        return "[Printer1]\r\nAddress=127.0.0.1\r\n[Printer2]\r\nAddress=10.20.30.40\r\n";
    }
};

}  // namespace

TEST_F(SettingsRoundTrip, EveryKeyIsSavedUnderItsOwnNameAndShownAgain) {
    std::set<std::string> covered;
    for (const DialogKeys& dialogKeys : kDialogs) {
        SCOPED_TRACE(ConsoleProcess::Narrow(dialogKeys.caption));
        HWND dialog = m_console.PressForDialog(dialogKeys.button, dialogKeys.caption);
        ASSERT_NE(dialog, nullptr);
        DWORD address = 0;
        for (const KeyRow& row : dialogKeys.rows) {
            if (row.kind == Kind::Address) {
                address = address << 8 | std::stoul(row.value);
                continue;
            }
            HWND field = testing_support::FindField(dialog, row.control);
            ASSERT_NE(field, nullptr) << row.key;
            if (row.kind == Kind::List)
                SendMessageW(field, CB_SETCURSEL, std::stoi(row.value), 0);
            else
                SetWindowTextA(field, row.value);
        }
        if (address != 0) SendDlgItemMessageW(dialog, IDC_IP_ADDRESS, IPM_SETADDRESS, 0, address);
        ASSERT_TRUE(m_console.CloseDialog(dialog));

        const std::string saved = ReadFileText(m_console.Folder().File("VrxClient.ini"));
        for (const KeyRow& row : dialogKeys.rows) {
            covered.insert(row.key);
            EXPECT_NE(saved.find("\n" + std::string(row.key) + "=" + row.value + "\r\n"), std::string::npos)
                << row.key << "=" << row.value << " not in\n" << saved;
        }

        // Read back: the dialog opens with what the file holds.
        dialog = m_console.PressForDialog(dialogKeys.button, dialogKeys.caption);
        ASSERT_NE(dialog, nullptr);
        for (const KeyRow& row : dialogKeys.rows) {
            if (row.kind == Kind::Address) continue;  // shown below by the library's journal
            HWND field = testing_support::FindField(dialog, row.control);
            const std::string shown = row.kind == Kind::List
                                          ? std::to_string(SendMessageW(field, CB_GETCURSEL, 0, 0))
                                          : ConsoleProcess::TextOf(field);
            EXPECT_EQ(shown, row.value) << row.key;
        }
        ASSERT_TRUE(m_console.CloseDialog(dialog, dialogKeys.button == IDC_DEV_OPEN ? IDOK : IDCANCEL));
    }
    EXPECT_TRUE(StartsWith(LastCall("vrxDevOpen"), "vrxDevOpen dwIPAddress=10.20.30.40 ")) << LastCall("vrxDevOpen");

    covered.insert(std::begin(kWithoutButton), std::end(kWithoutButton));
    for (const vrx::SettingKey* key : vrx::kSettingKeys) EXPECT_EQ(covered.count(key->name), 1u) << key->name;
}
