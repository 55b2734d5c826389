// Files beside the running program: the console keeps all its files there.
#pragma once

#include <string>

namespace vrx {

// Drive and folder of the program file, ending in a backslash; empty when the
// program's path cannot be had.
std::string ProgramFolder();
// ProgramFolder() + name + "." + extension; empty when the folder is unknown.
std::string ProgramFile(const char* name, const char* extension);

}  // namespace vrx
