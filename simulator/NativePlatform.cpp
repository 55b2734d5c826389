// The platform of the native build: no shared memory (tests bring their
// own lookup) and the settings file named by ZEMBRINSIM_INI or in the
// working folder. Leaked handles are descriptors of /dev/null.
#include <fcntl.h>

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
    void LeakHandle() override { (void)open("/dev/null", O_RDONLY); }
    void Crash() override {
        // Both volatile: the compiler may neither drop the store nor turn a
        // known null into a trap of another kind.
        volatile int* volatile nowhere = nullptr;
        *nowhere = 0x5A;
    }
};
}  // namespace

std::shared_ptr<Platform> MakeDefaultPlatform() { return std::make_shared<NativePlatform>(); }

}  // namespace vrxsim
