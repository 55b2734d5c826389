#include "ProgramPath.h"

#include <windows.h>

#include <cstdlib>

namespace vrx {

std::string ProgramFolder() {
    char path[512] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return std::string();
    char drive[_MAX_DRIVE] = {}, dir[_MAX_DIR] = {}, folder[_MAX_PATH] = {};
    _splitpath(path, drive, dir, nullptr, nullptr);
    _makepath(folder, drive, dir, nullptr, nullptr);
    return folder;
}

std::string ProgramFile(const char* name, const char* extension) {
    const std::string folder = ProgramFolder();
    if (folder.empty()) return folder;
    return folder + name + "." + extension;
}

}  // namespace vrx
