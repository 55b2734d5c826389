// What the bridge knows of the colour-command server: its identifiers, the
// interface slots it calls, and the one function through which it activates it.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace kolmcall {

// {978DA01E-07A4-4E6B-9608-CD90284C01C5}
constexpr CLSID kServerClassId = {0x978DA01E, 0x07A4, 0x4E6B, {0x96, 0x08, 0xCD, 0x90, 0x28, 0x4C, 0x01, 0xC5}};
// {55A7C8D4-7D20-4A2B-8377-2DFC7C19F3B6}
constexpr IID kServerInterfaceId = {0x55A7C8D4, 0x7D20, 0x4A2B, {0x83, 0x77, 0x2D, 0xFC, 0x7C, 0x19, 0xF3, 0xB6}};

// The server is reached by name even though it runs on this machine.
constexpr wchar_t kServerHost[] = L"localhost";

// The server's interface as the bridge sees it: only slots 2 (Release),
// 8 (start) and 11 (command) are called. The others belong to the server and
// stand here as placeholders so that the slot numbers line up.
struct IColorCommandServer : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Slot3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot6() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Start() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot9() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Command(LONG value, BSTR text, LONG* result) = 0;
};

// Activates the server, with CoCreateInstanceEx's contract. The library's
// own definition calls CoCreateInstanceEx; test builds link their own.
HRESULT ActivateServer(REFCLSID classId, IUnknown* outer, DWORD context, COSERVERINFO* serverInfo,
                       DWORD count, MULTI_QI* results);

// Converts 8-bit text in the given code page to a new BSTR (null stays null).
// Throws CKolmCallError with an HRESULT from the system error when the text
// is not valid in that code page or cannot be allocated.
BSTR MakeCommandText(const char* text, UINT codePage);

}  // namespace kolmcall
