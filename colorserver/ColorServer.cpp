// ColorServer.exe: a stand-in for the colour-command server. An out-of-process
// COM server that accepts start and command calls, records each one in
// ColorServer.log beside the program, and answers a command text
// "FAIL:<hresult>" with that HRESULT, so that hosts can watch what arrives
// and see failures come back.
//
//   ColorServer /RegServer     register under HKLM\Software\Classes
//   ColorServer /UnregServer   remove that registration
//   ColorServer -Embedding     serve (COM starts the program this way)
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

#include <cwchar>
#include <iterator>
#include <new>
#include <string>

#include "ColorServer_h.h"
#include "CommandLog.h"

namespace {

// {978DA01E-07A4-4E6B-9608-CD90284C01C5}
const CLSID kClassId = {0x978DA01E, 0x07A4, 0x4E6B, {0x96, 0x08, 0xCD, 0x90, 0x28, 0x4C, 0x01, 0xC5}};
const wchar_t kClassIdText[] = L"{978DA01E-07A4-4E6B-9608-CD90284C01C5}";
const wchar_t kInterfaceIdText[] = L"{55A7C8D4-7D20-4A2B-8377-2DFC7C19F3B6}";
const wchar_t kLibraryIdText[] = L"{9CFB8A05-8DBF-42B3-93EC-85749896C8BC}";
// {9CFB8A05-8DBF-42B3-93EC-85749896C8BC}
const GUID kLibraryId = {0x9CFB8A05, 0x8DBF, 0x42B3, {0x93, 0xEC, 0x85, 0x74, 0x98, 0x96, 0xC8, 0xBC}};
const wchar_t kServerName[] = L"Colour command server (stand-in)";

#ifdef _WIN64
const SYSKIND kSysKind = SYS_WIN64;
#else
const SYSKIND kSysKind = SYS_WIN32;
#endif

std::wstring ModulePath()
{
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return std::wstring(path, length);
}

std::wstring ModuleFolder()
{
    std::wstring path = ModulePath();
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// Objects and locks keep the process alive; when the last one goes, the
// message loop ends.
class ServerLifetime {
public:
    void SetThread(DWORD threadId) { m_threadId = threadId; }
    void Add() { InterlockedIncrement(&m_count); }
    void Remove()
    {
        if (InterlockedDecrement(&m_count) == 0) {
            PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        }
    }

private:
    LONG m_count = 0;
    DWORD m_threadId = 0;
};

ServerLifetime g_lifetime;
ITypeInfo* g_typeInfo = nullptr;
CommandLog* g_log = nullptr;

class ColorCommandServerObject final : public IColorCommandServer {
public:
    ColorCommandServerObject() { g_lifetime.Add(); }
    ColorCommandServerObject(const ColorCommandServerObject&) = delete;
    ColorCommandServerObject& operator=(const ColorCommandServerObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, IID_IColorCommandServer)) {
            *object = static_cast<IColorCommandServer*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0) {
            delete this;
        }
        return refs;
    }

    // IDispatch, answered from the embedded type library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override
    {
        if (info == nullptr) {
            return E_POINTER;
        }
        *info = nullptr;
        if (index != 0) {
            return DISP_E_BADINDEX;
        }
        g_typeInfo->AddRef();
        *info = g_typeInfo;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        return DispGetIDsOfNames(g_typeInfo, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override
    {
        return DispInvoke(static_cast<IColorCommandServer*>(this), g_typeInfo, id, flags, params, result,
                          exception, argError);
    }

    // IColorCommandServer
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override
    {
        if (name == nullptr) {
            return E_POINTER;
        }
        *name = SysAllocString(kServerName);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE Start() override
    {
        g_log->Append(L"start");
        m_started = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Stop() override
    {
        g_log->Append(L"stop");
        m_started = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_CommandCount(LONG* count) override
    {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = m_commands;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Command(LONG value, BSTR text, LONG* sequence) override
    {
        ++m_commands;
        g_log->Append(FormatCommand(value, text, text != nullptr ? SysStringLen(text) : 0));
        if (sequence == nullptr) {
            return E_POINTER;
        }
        *sequence = m_commands;
        HRESULT requested = S_OK;
        if (ParseFailRequest(text, text != nullptr ? SysStringLen(text) : 0, requested)) {
            return requested;
        }
        // A bridge must start the server before sending commands.
        return m_started ? S_OK : E_UNEXPECTED;
    }

private:
    ~ColorCommandServerObject() { g_lifetime.Remove(); }

    LONG m_refs = 1;
    LONG m_commands = 0;
    bool m_started = false;
};

class ClassFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the process; COM's references do not own it.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        auto* server = new (std::nothrow) ColorCommandServerObject;
        if (server == nullptr) {
            return E_OUTOFMEMORY;
        }
        const HRESULT result = server->QueryInterface(iid, object);
        server->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock) {
            g_lifetime.Add();
        } else {
            g_lifetime.Remove();
        }
        return S_OK;
    }
};

bool SetKeyValue(const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG written = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return written == ERROR_SUCCESS;
}

bool DeleteTree(const std::wstring& key)
{
    const LONG result = RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
    if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) {
        // RegDeleteTree empties the key; the key itself goes separately.
        const LONG removed = RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
        return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
    }
    return false;
}

const std::wstring kClassesRoot = L"Software\\Classes\\";

int Unregister()
{
    // The type library registration goes first: it names the interface's
    // marshaler. Its absence is not an error.
    UnRegisterTypeLib(kLibraryId, 1, 0, LOCALE_NEUTRAL, kSysKind);
    bool removed = DeleteTree(kClassesRoot + L"CLSID\\" + kClassIdText);
    removed = DeleteTree(kClassesRoot + L"AppID\\" + kClassIdText) && removed;
    removed = DeleteTree(kClassesRoot + L"Interface\\" + kInterfaceIdText) && removed;
    removed = DeleteTree(kClassesRoot + L"TypeLib\\" + kLibraryIdText) && removed;
    return removed ? 0 : 1;
}

// Wine reads COM classes only from HKLM, so everything goes there.
int Register()
{
    const std::wstring path = ModulePath();
    const std::wstring classKey = kClassesRoot + L"CLSID\\" + kClassIdText;
    bool written = SetKeyValue(classKey, nullptr, kServerName) && SetKeyValue(classKey, L"AppID", kClassIdText) &&
                   SetKeyValue(classKey + L"\\LocalServer32", nullptr, L"\"" + path + L"\"") &&
                   SetKeyValue(classKey + L"\\TypeLib", nullptr, kLibraryIdText) &&
                   SetKeyValue(kClassesRoot + L"AppID\\" + kClassIdText, nullptr, kServerName);
    if (!written) {
        Unregister();
        return 1;
    }
    // Registering the type library makes the universal marshaler carry the
    // interface between processes.
    ITypeLib* library = nullptr;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &library))) {
        Unregister();
        return 1;
    }
    library->Release();
    return 0;
}

int Serve()
{
    if (FAILED(CoInitialize(nullptr))) {
        return 1;
    }
    ITypeLib* library = nullptr;
    if (FAILED(LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library))) {
        CoUninitialize();
        return 1;
    }
    const HRESULT found = library->GetTypeInfoOfGuid(IID_IColorCommandServer, &g_typeInfo);
    library->Release();
    if (FAILED(found)) {
        CoUninitialize();
        return 1;
    }

    CommandLog log(ModuleFolder() + L"ColorServer.log");
    g_log = &log;
    g_lifetime.SetThread(GetCurrentThreadId());
    static ClassFactory factory;
    DWORD cookie = 0;
    if (FAILED(CoRegisterClassObject(kClassId, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie))) {
        g_typeInfo->Release();
        CoUninitialize();
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    CoRevokeClassObject(cookie);
    g_typeInfo->Release();
    g_log = nullptr;
    CoUninitialize();
    return 0;
}

bool IsSwitch(const wchar_t* arg, const wchar_t* name)
{
    return (arg[0] == L'/' || arg[0] == L'-') && _wcsicmp(arg + 1, name) == 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr) {
        return 1;
    }
    int result = 2;  // usage
    if (argc == 2 && IsSwitch(argv[1], L"RegServer")) {
        result = Register();
    } else if (argc == 2 && IsSwitch(argv[1], L"UnregServer")) {
        result = Unregister();
    } else if (argc >= 2 && IsSwitch(argv[1], L"Embedding")) {
        result = Serve();
    }
    LocalFree(argv);
    return result;
}
