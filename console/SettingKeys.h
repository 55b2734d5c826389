// Every key of the settings file, with its type and default, defined once.
#pragma once

#include <cstddef>

namespace vrx {

enum class SettingType { Int, Text };

struct SettingKey {
    const char* name;
    SettingType type;
    int intDefault;          // Int keys
    const char* textDefault; // Text keys
};

// Section "Setting": the last values confirmed in the dialogs.
extern const char kSettingSection[];

namespace setting {
// The four address keys default to the local host's octets, found at run time;
// their table default (0) is only a placeholder for that.
extern const SettingKey IPAddress1, IPAddress2, IPAddress3, IPAddress4;
extern const SettingKey ImageFormat, SourceType, DataLength, Name, Offset, ImgWidth, ImgHeight;
extern const SettingKey Resolution, PaperWidth, PaperLength, Feed, Surface, Cms, Angle, Fitting, Edge;
extern const SettingKey WbTop, WbBottom, WbLeft, WbRight, PaperName, ColorSpace, PrintQuality, ClearInk;
extern const SettingKey ProfFeed, ProfPaperWidth, ProfSurface, ProfName, ProfPath;
extern const SettingKey Priority, KolmCmdFilePath;
}  // namespace setting

// All keys of section "Setting", in table order.
const SettingKey* const* SettingKeys(size_t& count);
const SettingKey* FindSettingKey(const char* name);

// The hidden section: switches the operator sets by hand; absent keys read 0.
extern const char kHiddenSection[];

struct HiddenKey {
    const char* name;
    int buttonId;  // button it shows when non-zero; 0 when it gates no button
};

namespace hidden {
extern const HiddenKey vrxDevVrxCommand1, vrxDevVrxCommand2, vrxDevVrxNotice, vrxDevCancelPrintAll;
extern const HiddenKey vrxDevOccupyCheck, vrxDevGetTransmitTime, vrxDevStartFAD, vrxDevStartRetransmission;
extern const HiddenKey vrxDevEndRetransmission, vrxDevInterruptPrintOrder, vrxSetConnectMode, Maintenance;
}  // namespace hidden

// The keys read at start-up, in reading order; those with a button id gate it.
const HiddenKey* const* StartupHiddenKeys(size_t& count);

}  // namespace vrx
