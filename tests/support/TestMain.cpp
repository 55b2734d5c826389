// The main of every Windows test program: gtest's, with guards so that a
// program that dies ends at once with a failure instead of holding the run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <exception>

namespace {

// Every process a test starts (the console, a COM server, a helper program)
// joins this job and is ended with the test program: left running, it would
// hold ctest's output pipe open until the time-out.
void EndChildrenWithThisProcess() {
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    if (job == nullptr) return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !AssignProcessToJobObject(job, GetCurrentProcess())) {
        CloseHandle(job);
    }
    // Otherwise the handle stays open until the process ends: closing it is
    // what ends the children.
}

// An exception nobody caught (or one that could not cross a module): say so
// and end with a failure code, never wait on an abort dialog.
[[noreturn]] void EndOnTerminate() {
    std::fputs("\ntest program: std::terminate (an uncaught exception); ending with exit code 3\n", stderr);
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) {
    }
}

}  // namespace

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    std::set_terminate(&EndOnTerminate);
    EndChildrenWithThisProcess();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
