#include "CrashReport.h"

#include <windows.h>
#include <dbghelp.h>

#include <atomic>
#include <cstdio>
#include <cwchar>

#include "LogDlg.h"
#include "SdkCallInFlight.h"
#include "TraceFormat.h"

namespace vrx {
namespace {

// Everything below runs on a thread that has just faulted, perhaps inside
// the heap or holding a lock: stack buffers only, no console lock, and the
// risky part (the trace list) last.

std::atomic<CLogDlg*> g_trace{nullptr};
std::atomic<DWORD> g_reportingThread{0};

constexpr size_t kPath = MAX_PATH + 1;
// A path in the system code page: up to two bytes a character.
constexpr size_t kNarrowPath = 2 * kPath;

// The system's error for what just failed, never 0.
DWORD LastError() {
    const DWORD error = GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}

// Text in the system code page, as the trace and the log keep it.
void Narrow(const wchar_t* wide, char* out, size_t size) {
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, out, static_cast<int>(size), nullptr, nullptr) == 0) out[0] = '\0';
}

// "ZembrinPrinter.dll+0x0001A2B4", or "<unknown>+0x<address>" when no
// module holds the address.
void DescribeAddress(const void* address, char* out, size_t size) {
    HMODULE module = nullptr;
    wchar_t path[kPath] = {};
    // Asked about a null address (a call through a null pointer), the
    // system names the program itself.
    if (address &&
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCWSTR>(address), &module) &&
        GetModuleFileNameW(module, path, kPath) > 0) {
        const wchar_t* slash = std::wcsrchr(path, L'\\');
        char name[kNarrowPath];
        Narrow(slash ? slash + 1 : path, name, sizeof name);
        const uintptr_t offset = reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(module);
        std::snprintf(out, size, "%s+0x%08X", name, static_cast<unsigned>(offset));
        return;
    }
    // As wide as an address of this build, like every pointer the trace shows.
    std::snprintf(out, size, "<unknown>+0x%0*llX", static_cast<int>(sizeof(void*) * 2),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address)));
}

// VrxClient.dmp beside the program; 0 once written, else the system's error.
// dbghelp is loaded only now, so a start-up never pays for it.
DWORD WriteDump(EXCEPTION_POINTERS* info, wchar_t* path, size_t size) {
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(size));
    wchar_t* slash = length > 0 && length < size ? std::wcsrchr(path, L'\\') : nullptr;
    if (!slash || static_cast<size_t>(slash + 1 - path) + 14 > size) return ERROR_BAD_PATHNAME;
    std::wcscpy(slash + 1, L"VrxClient.dmp");

    using WriteDumpProc = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
                                        PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);
    HMODULE dbghelp = LoadLibraryW(L"dbghelp.dll");
    const auto write = dbghelp ? reinterpret_cast<WriteDumpProc>(
                                     reinterpret_cast<void*>(GetProcAddress(dbghelp, "MiniDumpWriteDump")))
                               : nullptr;
    if (!write) return LastError();
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError();
    MINIDUMP_EXCEPTION_INFORMATION exception{GetCurrentThreadId(), info, FALSE};
    const BOOL written = write(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal, &exception,
                               nullptr, nullptr);
    const DWORD error = written ? 0 : LastError();
    CloseHandle(file);
    if (!written) DeleteFileW(path);  // a partial dump would only mislead
    return error;
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    const DWORD self = GetCurrentThreadId();
    DWORD none = 0;
    if (!g_reportingThread.compare_exchange_strong(none, self)) {
        // A fault in the report itself ends the process with the code it
        // would have had; another thread's fault waits for the report to end it.
        if (none == self) TerminateProcess(GetCurrentProcess(), code);
        Sleep(INFINITE);
    }
    const char* const call = SdkCallInFlight();

    char where[kNarrowPath + 32];
    DescribeAddress(info->ExceptionRecord->ExceptionAddress, where, sizeof where);
    wchar_t dumpPath[kPath];
    const DWORD dumpError = WriteDump(info, dumpPath, kPath);
    char dump[kNarrowPath + 32];
    if (dumpError == 0)
        Narrow(dumpPath, dump, sizeof dump);
    else
        std::snprintf(dump, sizeof dump, "not written (error %lu)", static_cast<unsigned long>(dumpError));

    // The scenario player reads this message: keep its form.
    char message[sizeof where + sizeof dump + 128];
    std::snprintf(message, sizeof message, "the console ends: exception 0x%08X at %s during %s; dump %s",
                  static_cast<unsigned>(code), where, call ? call : "no SDK call", dump);
    char line[sizeof message + 128];
    FormatTraceLineInto(line, sizeof line, LocalNow(), "!!!", call ? call : "VrxClient", message);
    if (CLogDlg* trace = g_trace.load()) trace->AddLastLine(line);
    // The process ends with the exception's code.
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

CrashReport::CrashReport(CLogDlg& trace) {
    g_trace.store(&trace);
    SetUnhandledExceptionFilter(&OnUnhandledException);
}

CrashReport::~CrashReport() { g_trace.store(nullptr); }

}  // namespace vrx
