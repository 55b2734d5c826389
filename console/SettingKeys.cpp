#include "SettingKeys.h"

#include <cstring>

#include "resource.h"

namespace vrx {

const char kSettingSection[] = "Setting";
const char kHiddenSection[] = "KORVALEN";

namespace setting {
#define INT_KEY(name, def) const SettingKey name{#name, SettingType::Int, def, nullptr}
#define TEXT_KEY(name, def) const SettingKey name{#name, SettingType::Text, 0, def}
INT_KEY(IPAddress1, 0);
INT_KEY(IPAddress2, 0);
INT_KEY(IPAddress3, 0);
INT_KEY(IPAddress4, 0);
INT_KEY(ImageFormat, 0);
INT_KEY(SourceType, 1);
INT_KEY(DataLength, 0);
TEXT_KEY(Name, "");
INT_KEY(Offset, 0);
INT_KEY(ImgWidth, 0);
INT_KEY(ImgHeight, 0);
INT_KEY(Resolution, 3000);
INT_KEY(PaperWidth, 1270);
INT_KEY(PaperLength, 890);
INT_KEY(Feed, 0);
INT_KEY(Surface, 1);
INT_KEY(Cms, 0);
INT_KEY(Angle, 0);
INT_KEY(Fitting, 0);
INT_KEY(Edge, 0);
INT_KEY(WbTop, 0);
INT_KEY(WbBottom, 0);
INT_KEY(WbLeft, 0);
INT_KEY(WbRight, 0);
TEXT_KEY(PaperName, "");
INT_KEY(ColorSpace, 0);
INT_KEY(PrintQuality, 0);
INT_KEY(ClearInk, 0);
INT_KEY(ProfFeed, 0);
INT_KEY(ProfPaperWidth, 1270);
INT_KEY(ProfSurface, 1);
TEXT_KEY(ProfName, "");
TEXT_KEY(ProfPath, "");
INT_KEY(Priority, 0);
TEXT_KEY(KolmCmdFilePath, "");
#undef INT_KEY
#undef TEXT_KEY
}  // namespace setting

namespace {
using namespace setting;
const SettingKey* const kSettingKeys[] = {
    &IPAddress1, &IPAddress2, &IPAddress3, &IPAddress4, &ImageFormat, &SourceType, &DataLength,
    &Name, &Offset, &ImgWidth, &ImgHeight, &Resolution, &PaperWidth, &PaperLength,
    &Feed, &Surface, &Cms, &Angle, &Fitting, &Edge, &WbTop,
    &WbBottom, &WbLeft, &WbRight, &PaperName, &ColorSpace, &PrintQuality, &ClearInk,
    &ProfFeed, &ProfPaperWidth, &ProfSurface, &ProfName, &ProfPath, &Priority, &KolmCmdFilePath,
};
}  // namespace

const SettingKey* const* SettingKeys(size_t& count) {
    count = sizeof kSettingKeys / sizeof kSettingKeys[0];
    return kSettingKeys;
}

const SettingKey* FindSettingKey(const char* name) {
    size_t count = 0;
    const SettingKey* const* keys = SettingKeys(count);
    for (size_t i = 0; i < count; ++i)
        if (name && std::strcmp(keys[i]->name, name) == 0) return keys[i];
    return nullptr;
}

namespace hidden {
const HiddenKey vrxDevVrxCommand1{"vrxDevVrxCommand1", IDC_DEV_VRX_COMMAND1};
const HiddenKey vrxDevVrxCommand2{"vrxDevVrxCommand2", IDC_DEV_VRX_COMMAND2};
const HiddenKey vrxDevVrxNotice{"vrxDevVrxNotice", IDC_DEV_VRX_NOTICE};
const HiddenKey vrxDevCancelPrintAll{"vrxDevCancelPrintAll", IDC_DEV_CANCEL_PRINT_ALL};
const HiddenKey vrxDevOccupyCheck{"vrxDevOccupyCheck", IDC_DEV_OCCUPY_CHECK};
// Read with its neighbours but gates nothing: its button always shows.
const HiddenKey vrxDevGetTransmitTime{"vrxDevGetTransmitTime", 0};
const HiddenKey vrxDevStartFAD{"vrxDevStartFAD", IDC_DEV_START_FAD};
const HiddenKey vrxDevStartRetransmission{"vrxDevStartRetransmission", IDC_DEV_START_RETRANSMISSION};
const HiddenKey vrxDevEndRetransmission{"vrxDevEndRetransmission", IDC_DEV_END_RETRANSMISSION};
const HiddenKey vrxDevInterruptPrintOrder{"vrxDevInterruptPrintOrder", IDC_DEV_INTERRUPT_PRINT_ORDER};
const HiddenKey vrxSetConnectMode{"vrxSetConnectMode", 0};
const HiddenKey Maintenance{"Maintenance", 0};
}  // namespace hidden

namespace {
const HiddenKey* const kStartupHiddenKeys[] = {
    &hidden::vrxDevVrxCommand1,     &hidden::vrxDevVrxCommand2,         &hidden::vrxDevVrxNotice,
    &hidden::vrxDevCancelPrintAll,  &hidden::vrxDevOccupyCheck,         &hidden::vrxDevGetTransmitTime,
    &hidden::vrxDevStartFAD,        &hidden::vrxDevStartRetransmission, &hidden::vrxDevEndRetransmission,
    &hidden::vrxDevInterruptPrintOrder,
};
}  // namespace

const HiddenKey* const* StartupHiddenKeys(size_t& count) {
    count = sizeof kStartupHiddenKeys / sizeof kStartupHiddenKeys[0];
    return kStartupHiddenKeys;
}

}  // namespace vrx
