// Helpers shared by the KolmCall tests: COM state of a thread, running the
// programs built beside the tests, and the stand-in server's registration.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kolmtest {

enum class Apartment { None, Single, Multi };

// What COM looks like on the calling thread.
Apartment CurrentApartment();
// Puts the calling thread into the given state (None does nothing).
void EnterApartment(Apartment apartment);
const char* ApartmentName(Apartment apartment);

// Runs body on a thread of its own, so that its COM state starts clean and
// dies with it.
void RunOnFreshThread(const std::function<void()>& body);

// The folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

// Runs a program from that folder with the given arguments; returns its exit
// code and, if output is given, what it wrote to standard output and standard
// error, with the carriage returns of text mode taken out.
DWORD RunProgram(const std::string& program, const std::string& arguments, std::string* output = nullptr);

// The stand-in server's registration and its record of received calls.
bool RegisterServer();
bool UnregisterServer();
// Waits until no ColorServer.exe process is left, so a test never talks to
// a server that is still shutting down from the one before.
void WaitForServersToExit();
std::string ServerLogPath();
std::string ReadServerLog();

}  // namespace kolmtest
