#include "TestSupport.h"

#include <objbase.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace kolmtest {

Apartment CurrentApartment()
{
    APTTYPE type = APTTYPE_CURRENT;
    APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
    if (FAILED(CoGetApartmentType(&type, &qualifier))) {
        return Apartment::None;
    }
    return type == APTTYPE_MTA ? Apartment::Multi : Apartment::Single;
}

void EnterApartment(Apartment apartment)
{
    if (apartment == Apartment::Single) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    } else if (apartment == Apartment::Multi) {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    }
}

const char* ApartmentName(Apartment apartment)
{
    switch (apartment) {
    case Apartment::None: return "none";
    case Apartment::Single: return "STA";
    case Apartment::Multi: return "MTA";
    }
    return "?";
}

void RunOnFreshThread(const std::function<void()>& body)
{
    std::thread thread(body);
    thread.join();
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

DWORD RunProgram(const std::string& program, const std::string& arguments, std::string* output)
{
    const std::string outputPath = ProgramFolder() + program + ".out";
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE outputFile = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (outputFile == INVALID_HANDLE_VALUE) {
        return static_cast<DWORD>(-1);
    }
    std::string commandLine = "\"" + ProgramFolder() + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outputFile;
    startup.hStdError = outputFile;
    PROCESS_INFORMATION process = {};
    DWORD exitCode = static_cast<DWORD>(-1);
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, ProgramFolder().c_str(),
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(outputFile);
    if (output != nullptr) {
        std::ifstream in(outputPath, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        // Standard output is in text mode: compare lines without the CR.
        output->clear();
        for (char c : text.str()) {
            if (c != '\r') {
                *output += c;
            }
        }
    }
    DeleteFileA(outputPath.c_str());
    return exitCode;
}

bool RegisterServer()
{
    return RunProgram("ColorServer.exe", "/RegServer") == 0;
}

bool UnregisterServer()
{
    return RunProgram("ColorServer.exe", "/UnregServer") == 0;
}

void WaitForServersToExit()
{
    for (;;) {
        std::vector<DWORD> running;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) {
            return;
        }
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
            if (lstrcmpiA(entry.szExeFile, "ColorServer.exe") == 0) {
                running.push_back(entry.th32ProcessID);
            }
        }
        CloseHandle(snapshot);
        if (running.empty()) {
            return;
        }
        for (DWORD id : running) {
            HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
            if (process != nullptr) {
                WaitForSingleObject(process, INFINITE);
                CloseHandle(process);
            }
        }
    }
}

std::string ServerLogPath()
{
    return ProgramFolder() + "ColorServer.log";
}

std::string ReadServerLog()
{
    std::ifstream in(ServerLogPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace kolmtest
