// The Windows layer: image buffers are named file mappings of the console's
// process, the settings file lies beside this DLL unless the environment
// variable ZEMBRINSIM_INI names another one, and leaked handles are events.
#include <windows.h>

#include "Platform.h"
#include "SimSettings.h"

namespace vrxsim {

namespace {
class WinPlatform : public Platform {
public:
    bool ReadImageBuffer(const std::string& name, std::vector<uint8_t>& bytes) override {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
        if (!mapping) return false;
        void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
        if (!view) {
            CloseHandle(mapping);
            return false;
        }
        // A mapping does not tell its exact size; its view is whole pages.
        MEMORY_BASIC_INFORMATION info{};
        const size_t size = VirtualQuery(view, &info, sizeof info) ? info.RegionSize : 0;
        const auto* data = static_cast<const uint8_t*>(view);
        bytes.assign(data, data + size);
        UnmapViewOfFile(view);
        CloseHandle(mapping);
        return size > 0;
    }

    std::string SettingsPath() override {
        char value[MAX_PATH];
        DWORD n = GetEnvironmentVariableA("ZEMBRINSIM_INI", value, sizeof value);
        if (n > 0 && n < sizeof value) return value;
        HMODULE self = nullptr;
        char path[MAX_PATH];
        if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                reinterpret_cast<LPCSTR>(&MakeDefaultPlatform), &self)) {
            return kSettingsFileName;
        }
        DWORD length = GetModuleFileNameA(self, path, sizeof path);
        if (length == 0 || length >= sizeof path) return kSettingsFileName;
        return JoinPath(FolderOf(path), kSettingsFileName);
    }

    void LeakHandle() override { CreateEventW(nullptr, TRUE, FALSE, nullptr); }

    // A real access violation (0xC0000005) in this DLL's code. Both volatile:
    // the compiler may neither drop the store nor turn a known null into an
    // illegal-instruction trap.
    void Crash() override {
        volatile int* volatile nowhere = nullptr;
        *nowhere = 0x5A;
    }
};
}  // namespace

std::shared_ptr<Platform> MakeDefaultPlatform() { return std::make_shared<WinPlatform>(); }

}  // namespace vrxsim
