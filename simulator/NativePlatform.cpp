// The platform of the native build: no shared memory (tests bring their
// own lookup) and the settings file named by ZEMBRINSIM_INI or in the
// working folder.
#include <cstdlib>

#include "Platform.h"
#include "SimSettings.h"

namespace vrxsim {

namespace {
class NativePlatform : public Platform {
public:
    bool ReadImageBuffer(const std::string&, std::vector<uint8_t>&) override { return false; }
    std::string SettingsPath() override {
        const char* overridePath = std::getenv("ZEMBRINSIM_INI");
        return overridePath && *overridePath ? overridePath : kSettingsFileName;
    }
};
}  // namespace

std::shared_ptr<Platform> MakeDefaultPlatform() { return std::make_shared<NativePlatform>(); }

}  // namespace vrxsim
