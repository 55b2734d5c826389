// KolmCall.dll keeps no per-process or per-thread state, so loading and
// unloading have nothing to do.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
