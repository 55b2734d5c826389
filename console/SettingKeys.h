// Every key of the settings file, with its type and default, declared once.
#pragma once

#include <cstddef>

namespace vrx {

enum class SettingType { Int, Text };

struct SettingKey {
    const char* name;
    SettingType type;
    int intDefault;           // Int keys
    const char* textDefault;  // Text keys
};

// Section "Setting": the last values confirmed in the dialogs, in table order.
// The four address keys default to the local host's octets, found at run
// time; their 0 here only stands for that.
#define VRX_SETTING_KEYS(INT_KEY, TEXT_KEY) \
    INT_KEY(IPAddress1, 0)                  \
    INT_KEY(IPAddress2, 0)                  \
    INT_KEY(IPAddress3, 0)                  \
    INT_KEY(IPAddress4, 0)                  \
    INT_KEY(ImageFormat, 0)                 \
    INT_KEY(SourceType, 1)                  \
    INT_KEY(DataLength, 0)                  \
    TEXT_KEY(Name, "")                      \
    INT_KEY(Offset, 0)                      \
    INT_KEY(ImgWidth, 0)                    \
    INT_KEY(ImgHeight, 0)                   \
    INT_KEY(Resolution, 3000)               \
    INT_KEY(PaperWidth, 1270)               \
    INT_KEY(PaperLength, 890)               \
    INT_KEY(Feed, 0)                        \
    INT_KEY(Surface, 1)                     \
    INT_KEY(Cms, 0)                         \
    INT_KEY(Angle, 0)                       \
    INT_KEY(Fitting, 0)                     \
    INT_KEY(Edge, 0)                        \
    INT_KEY(WbTop, 0)                       \
    INT_KEY(WbBottom, 0)                    \
    INT_KEY(WbLeft, 0)                      \
    INT_KEY(WbRight, 0)                     \
    TEXT_KEY(PaperName, "")                 \
    INT_KEY(ColorSpace, 0)                  \
    INT_KEY(PrintQuality, 0)                \
    INT_KEY(ClearInk, 0)                    \
    INT_KEY(ProfFeed, 0)                    \
    INT_KEY(ProfPaperWidth, 1270)           \
    INT_KEY(ProfSurface, 1)                 \
    TEXT_KEY(ProfName, "")                  \
    TEXT_KEY(ProfPath, "")                  \
    INT_KEY(Priority, 0)                    \
    TEXT_KEY(KolmCmdFilePath, "")

inline constexpr char kSettingSection[] = "Setting";

namespace keys {
#define VRX_INT_KEY(name, def) inline constexpr SettingKey name{#name, SettingType::Int, def, nullptr};
#define VRX_TEXT_KEY(name, def) inline constexpr SettingKey name{#name, SettingType::Text, 0, def};
VRX_SETTING_KEYS(VRX_INT_KEY, VRX_TEXT_KEY)
#undef VRX_INT_KEY
#undef VRX_TEXT_KEY
}  // namespace keys

#define VRX_KEY_ADDRESS(name, def) &keys::name,
inline constexpr const SettingKey* kSettingKeys[] = {VRX_SETTING_KEYS(VRX_KEY_ADDRESS, VRX_KEY_ADDRESS)};
#undef VRX_KEY_ADDRESS

// The hidden section: switches the operator sets by hand; absent keys read 0.
inline constexpr char kHiddenSection[] = "KORVALEN";

struct HiddenKey {
    const char* name;
};

namespace hidden {
#define VRX_HIDDEN_KEY(name) inline constexpr HiddenKey name{#name};
// Each shows the maintenance button of the same name when not 0.
VRX_HIDDEN_KEY(vrxDevVrxCommand1)
VRX_HIDDEN_KEY(vrxDevVrxCommand2)
VRX_HIDDEN_KEY(vrxDevVrxNotice)
VRX_HIDDEN_KEY(vrxDevCancelPrintAll)
VRX_HIDDEN_KEY(vrxDevOccupyCheck)
VRX_HIDDEN_KEY(vrxDevStartFAD)
VRX_HIDDEN_KEY(vrxDevStartRetransmission)
VRX_HIDDEN_KEY(vrxDevEndRetransmission)
VRX_HIDDEN_KEY(vrxDevInterruptPrintOrder)
// Passed to vrxSetConnectMode after each library open when not 0.
VRX_HIDDEN_KEY(vrxSetConnectMode)
// Exactly 1 offers the maintenance image formats and order kinds.
VRX_HIDDEN_KEY(Maintenance)
#undef VRX_HIDDEN_KEY
}  // namespace hidden

}  // namespace vrx
