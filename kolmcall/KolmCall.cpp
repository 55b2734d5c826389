// The bridge object: connects to the colour-command server on creation and
// forwards each command to it.
#include "KolmCall.h"

#include <new>

#include "ServerLink.h"

namespace kolmcall {
namespace {

HRESULT LastErrorResult()
{
    const DWORD error = GetLastError();
    return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// Owns exactly one reference to the server's interface.
class ServerPtr {
public:
    ServerPtr() = default;
    ~ServerPtr() { Reset(); }
    ServerPtr(const ServerPtr&) = delete;
    ServerPtr& operator=(const ServerPtr&) = delete;

    void Attach(IColorCommandServer* server)
    {
        Reset();
        m_server = server;
    }
    void Reset()
    {
        IColorCommandServer* server = m_server;
        m_server = nullptr;
        if (server != nullptr) {
            server->Release();
        }
    }
    IColorCommandServer* operator->() const { return m_server; }
    explicit operator bool() const { return m_server != nullptr; }

private:
    IColorCommandServer* m_server = nullptr;
};

}  // namespace

BSTR MakeCommandText(const char* text, UINT codePage)
{
    if (text == nullptr) {
        return nullptr;
    }
    // MB_ERR_INVALID_CHARS: a byte sequence the code page does not define is
    // refused rather than sent on as a substitute character.
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (length <= 0) {
        throw CKolmCallError(LastErrorResult());
    }
    BSTR converted = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (converted == nullptr) {
        throw CKolmCallError(E_OUTOFMEMORY);
    }
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, converted, length) != length) {
        const HRESULT error = LastErrorResult();
        SysFreeString(converted);
        throw CKolmCallError(error);
    }
    return converted;
}

}  // namespace kolmcall

using kolmcall::ServerPtr;

CKolmCall::CKolmCall() = default;
CKolmCall::CKolmCall(const CKolmCall&) = default;
CKolmCall::~CKolmCall() = default;

CKolmCall& CKolmCall::operator=(const CKolmCall&)
{
    return *this;
}

namespace {

// The library's only implementation. The object lives on the thread that
// created it: that thread's apartment holds the server pointer.
class CKolmCallImpl : public CKolmCall {
public:
    CKolmCallImpl() = default;
    CKolmCallImpl(const CKolmCallImpl&) = delete;
    CKolmCallImpl& operator=(const CKolmCallImpl&) = delete;

    bool Connect();
    void Release() override;
    HRESULT SendCommand(LONG value, const char* text) override;

protected:
    ~CKolmCallImpl() override { Disconnect(); }

private:
    void Disconnect();

    ServerPtr* m_server = nullptr;
    int m_comInitialised = 0;
};

bool CKolmCallImpl::Connect()
{
    if (m_server != nullptr && *m_server) {
        return true;
    }
    // S_FALSE (already initialised on this thread) counts too: every success
    // must be paired with one CoUninitialize.
    if (SUCCEEDED(CoInitialize(nullptr))) {
        m_comInitialised = 1;
    }
    m_server = new (std::nothrow) ServerPtr;
    if (m_server == nullptr) {
        Disconnect();
        return false;
    }

    COSERVERINFO serverInfo = {};
    serverInfo.pwszName = const_cast<LPWSTR>(kolmcall::kServerHost);
    MULTI_QI request = {&kolmcall::kServerInterfaceId, nullptr, S_OK};
    const HRESULT activated = kolmcall::ActivateServer(kolmcall::kServerClassId, nullptr, CLSCTX_REMOTE_SERVER,
                                                       &serverInfo, 1, &request);
    if (FAILED(activated) || FAILED(request.hr) || request.pItf == nullptr) {
        if (request.pItf != nullptr) {
            request.pItf->Release();
        }
        Disconnect();
        return false;
    }
    m_server->Attach(static_cast<kolmcall::IColorCommandServer*>(request.pItf));

    if (FAILED((*m_server)->Start())) {
        Disconnect();
        return false;
    }
    return true;
}

void CKolmCallImpl::Disconnect()
{
    if (m_server != nullptr) {
        delete m_server;  // releases the interface it holds
        m_server = nullptr;
    }
    if (m_comInitialised == 1) {
        CoUninitialize();
        m_comInitialised = 0;
    }
}

void CKolmCallImpl::Release()
{
    Disconnect();
    delete this;
}

HRESULT CKolmCallImpl::SendCommand(LONG value, const char* text)
{
    BSTR commandText = kolmcall::MakeCommandText(text, CP_ACP);
    LONG unused = 0;
    const HRESULT result = (*m_server)->Command(value, commandText, &unused);
    SysFreeString(commandText);
    return result;
}

}  // namespace

extern "C" CKolmCall* CreateKolmCall()
{
    CKolmCallImpl* object = new (std::nothrow) CKolmCallImpl;
    if (object == nullptr) {
        return nullptr;
    }
    if (!object->Connect()) {
        object->Release();
        return nullptr;
    }
    return object;
}

extern "C" void ReleaseKolmCall(CKolmCall* object)
{
    if (object != nullptr) {
        object->Release();
    }
}
