// Writes numbered records into a log file, for the test of two processes
// sharing one log: log_writer <folder> <count> <name> [rotation size]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "LogFile.h"

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) return 2;
    const int count = std::atoi(argv[2]);
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    const uint32_t maxSize = argc == 5 ? static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)) : 5242880;
    CLogFile log(folder, "Shared", "Shared", maxSize, 65535);
    if (!log.IsEnabled()) return 3;
    char text[128];
    for (int i = 0; i < count; ++i) {
        std::snprintf(text, sizeof text, "%s record %06d with some padding to make it longer", argv[3], i);
        log.Write(LOG_INFO, "log_writer", __LINE__, text);
    }
    return 0;
}
