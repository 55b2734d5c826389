// Public interface of KolmCall.dll: a bridge object that forwards commands to
// the colour-command server. Hosts include this header and get objects only
// from CreateKolmCall.
#pragma once

#include <windows.h>

#include <exception>

// The library itself exports through KolmCall.def, so that the export list
// holds exactly the entries hosts rely on, in a fixed ordinal order.
#if defined(KOLMCALL_BUILDING)
#define KOLMCALL_API
#else
#define KOLMCALL_API __declspec(dllimport)
#endif

class KOLMCALL_API CKolmCall {
protected:
    CKolmCall();
    // Protected: the object is freed by the library that allocated it,
    // through Release or ReleaseKolmCall, never by a host's delete.
    virtual ~CKolmCall();

public:
    CKolmCall(const CKolmCall& other);
    CKolmCall& operator=(const CKolmCall& other);

    // Disconnects from the server and deletes the object.
    virtual void Release() = 0;
    // Sends one command; returns the server's HRESULT unchanged. Throws
    // CKolmCallError when text is not valid in the ANSI code page.
    virtual HRESULT SendCommand(LONG value, const char* text) = 0;
};

// Raised when a command text cannot be converted; carries a failure HRESULT
// built from the system error. Header-only, so it is not an export.
class CKolmCallError : public std::exception {
public:
    explicit CKolmCallError(HRESULT error) : m_error(error) {}
    HRESULT Error() const { return m_error; }
    const char* what() const noexcept override { return "KolmCall: command text cannot be converted"; }

private:
    HRESULT m_error;
};

extern "C" {
// Creates a bridge object connected to the server, or null if the server
// cannot be activated or refuses to start.
KOLMCALL_API CKolmCall* CreateKolmCall();
// Releases an object from CreateKolmCall; null is ignored.
KOLMCALL_API void ReleaseKolmCall(CKolmCall* object);
}
