// ZembrinPrinter.def against the one list of entry points: the import library
// and the i686 exports are made from the .def, so a name, an order or an @N
// that drifts from the list breaks callers only on Windows.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

#include "VrxSdk.h"

namespace {

// On i686 every argument takes 4 bytes of the stack, pointers included;
// wider values would make @N more than four times the count.
template <class R, class... A>
constexpr size_t StdcallBytes(R (*)(A...)) {
    static_assert(((std::is_pointer_v<A> || sizeof(A) <= 4) && ...), "an argument wider than 4 bytes on i686");
    return 4 * sizeof...(A);
}

std::vector<std::string> DefExports(const char* path) {
    std::ifstream def(path);
    std::vector<std::string> exports;
    bool inExports = false;
    for (std::string line; std::getline(def, line);) {
        line = line.substr(0, line.find(';'));
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos) continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
        if (inExports) exports.push_back(line);
        inExports = inExports || line == "EXPORTS";
    }
    return exports;
}

TEST(Exports, DefFileListsEveryEntryPointInOrderWithItsStackBytes) {
#define VRX_DEF_LINE(ret, name, params, args, method) #name "@" + std::to_string(StdcallBytes(&name)),
    const std::vector<std::string> expected = {VRX_ENTRY_POINTS(VRX_DEF_LINE)};
#undef VRX_DEF_LINE
    EXPECT_EQ(46u, expected.size());
    EXPECT_EQ(expected, DefExports(VRX_DEF_FILE)) << VRX_DEF_FILE;
}

}  // namespace
