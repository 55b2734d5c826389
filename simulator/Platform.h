// What the simulator needs from the platform it runs on. The Windows layer
// opens shared memory by name and finds the library's own folder; natively,
// tests give their own answers.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
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

    // The [Faults] that take resources and never give them back, and the
    // crash. Written to, so the block is committed, not only reserved.
    virtual void LeakMemory(size_t bytes) {
        if (void* block = std::malloc(bytes)) std::memset(block, 0x5A, bytes);
    }
    // One kernel handle (or what the platform has instead), never closed.
    virtual void LeakHandle() = 0;
    // An access violation in the library's own code; does not return,
    // except where a test puts its own platform in.
    virtual void Crash() = 0;
};

// The platform of this build: Windows or native. Defined by the layer that
// makes the library (WinPlatform.cpp or NativePlatform.cpp).
std::shared_ptr<Platform> MakeDefaultPlatform();

}  // namespace vrxsim
