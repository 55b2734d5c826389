// What the simulator needs from the platform it runs on. The Windows layer
// opens shared memory by name and finds the library's own folder; natively,
// tests give their own answers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vrxsim {

class Platform {
public:
    virtual ~Platform() = default;
    // The bytes of the shared-memory image buffer of that name (rounded up
    // to whole pages where the platform cannot tell its exact size); false
    // if there is none.
    virtual bool ReadImageBuffer(const std::string& name, std::vector<uint8_t>& bytes) = 0;
    // Full path of the simulator settings file.
    virtual std::string SettingsPath() = 0;
};

// The platform of this build: Windows or native. Defined by the layer that
// makes the library (WinPlatform.cpp or NativePlatform.cpp).
std::shared_ptr<Platform> MakeDefaultPlatform();

}  // namespace vrxsim
