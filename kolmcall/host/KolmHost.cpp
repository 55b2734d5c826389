// KolmHost: loads KolmCall.dll the way an outside host does, creates one
// bridge object, sends the commands given on the command line and releases it.
//
//   KolmHost [/dll:<path>] [/value:<n>] [/null] [--] text ...
//
// /value sets the value sent with the commands that follow it (default 0);
// /null sends a null text; after -- every argument is a command text.
// Exit code: 0 all commands succeeded, 1 usage or loading error, 2 the object
// could not be created, 3 a command failed or was refused.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "KolmCall.h"

namespace {

struct Command {
    LONG value;
    const char* text;  // null: send a null text
};

bool ParseValue(const char* text, LONG& value)
{
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 0);
    if (end == text || *end != '\0' || errno == ERANGE) {
        return false;
    }
    value = static_cast<LONG>(parsed);
    return true;
}

int Usage(const char* problem)
{
    std::fprintf(stderr, "KolmHost: %s\nusage: KolmHost [/dll:<path>] [/value:<n>] [/null] [--] text ...\n", problem);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string dllPath = "KolmCall.dll";
    std::vector<Command> commands;
    LONG value = 0;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!optionsEnded && _strnicmp(arg, "/dll:", 5) == 0) {
            dllPath = arg + 5;
        } else if (!optionsEnded && _strnicmp(arg, "/value:", 7) == 0) {
            if (!ParseValue(arg + 7, value)) {
                return Usage("bad /value");
            }
        } else if (!optionsEnded && _stricmp(arg, "/null") == 0) {
            commands.push_back({value, nullptr});
        } else if (!optionsEnded && arg[0] == '/') {
            return Usage("unknown option");
        } else {
            commands.push_back({value, arg});
        }
    }

    HMODULE library = LoadLibraryA(dllPath.c_str());
    if (library == nullptr) {
        std::printf("LoadLibrary(%s) failed: %lu\n", dllPath.c_str(), GetLastError());
        return 1;
    }
    using CreateFn = CKolmCall* (*)();
    using ReleaseFn = void (*)(CKolmCall*);
    auto create = reinterpret_cast<CreateFn>(reinterpret_cast<void*>(GetProcAddress(library, "CreateKolmCall")));
    auto release = reinterpret_cast<ReleaseFn>(reinterpret_cast<void*>(GetProcAddress(library, "ReleaseKolmCall")));
    if (create == nullptr || release == nullptr) {
        std::printf("%s does not export CreateKolmCall and ReleaseKolmCall\n", dllPath.c_str());
        return 1;
    }

    CKolmCall* bridge = create();
    if (bridge == nullptr) {
        std::printf("CreateKolmCall failed\n");
        return 2;
    }
    std::printf("CreateKolmCall succeeded\n");

    int exitCode = 0;
    for (const Command& command : commands) {
        std::string shown = command.text != nullptr ? "\"" + std::string(command.text) + "\"" : "null";
        try {
            const HRESULT result = bridge->SendCommand(command.value, command.text);
            std::printf("SendCommand(%ld, %s) = 0x%08lX\n", static_cast<long>(command.value), shown.c_str(),
                        static_cast<unsigned long>(result));
            if (FAILED(result)) {
                exitCode = 3;
            }
        } catch (const CKolmCallError& error) {
            std::printf("SendCommand(%ld, %s) raised 0x%08lX\n", static_cast<long>(command.value), shown.c_str(),
                        static_cast<unsigned long>(error.Error()));
            exitCode = 3;
        }
        std::fflush(stdout);
    }

    release(bridge);
    std::printf("ReleaseKolmCall done\n");
    return exitCode;
}
