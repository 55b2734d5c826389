// What the simulator needs from the platform it runs on. The Windows layer
// opens shared memory by name and finds the library's own folder; natively,
// tests give their own answers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vrxsim {

class Platform {
public:
    virtual ~Platform() = default;
    // Size of the shared-memory image buffer of that name (rounded up to
    // whole pages where the platform cannot tell exactly); false if none.
    virtual bool FindImageBuffer(const std::string& name, uint64_t& size) = 0;
    // Full path of the simulator settings file.
    virtual std::string SettingsPath() = 0;
};

// The platform of this build: Windows or native. Defined by the layer that
// makes the library (WinPlatform.cpp or NativePlatform.cpp).
std::shared_ptr<Platform> MakeDefaultPlatform();

}  // namespace vrxsim
