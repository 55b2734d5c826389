// Scenario files, reports and the texts crossing to the console's windows
// are UTF-8; the system's calls take UTF-16.
#pragma once

#include <string>

namespace scenario {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace scenario
