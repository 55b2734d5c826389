// Base of every window of the console: a Unicode dialog from a resource
// template, modal or modeless, with command and notification routing by
// control id, and data exchange with validation.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "Window.h"

namespace ui {

class DataExchange;

class Dialog : public Window {
public:
    explicit Dialog(int templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns IDOK, IDCANCEL or the EndDialog value.
    INT_PTR RunModal(HWND parent);
    // Creates the dialog modeless (not shown unless its template says so).
    // A top-level one gets Tab, Enter and Esc handling unless it declines.
    HWND CreateModeless(HWND parent);
    void Destroy();

    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    int TemplateId() const { return m_templateId; }
    bool IsModal() const { return m_modal; }

    // Runs the data exchange: load (members to controls) or save (controls
    // to members, with validation). Saving stops at the first bad field.
    bool UpdateData(bool save);

    // Ends a modal dialog with the given result; destroys a modeless one.
    void Close(INT_PTR result);

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void Exchange(DataExchange&) {}
    // How a refused field is shown; by default the standard message, focus
    // and selection on the control.
    virtual void OnExchangeFailure(int id, const std::string& message);
    // Called for WM_COMMAND after the routing table found nothing.
    virtual bool OnCommand(int id, int code) { return false; }
    virtual void OnSize(UINT type, int cx, int cy) {}
    virtual void OnDestroy() {}
    // Any other message (registered messages, painting). Set handled and
    // return the message's result to stop default processing.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) { return 0; }
    // False for a modeless dialog whose controls take their own keys: the
    // dialog keys cost every message of the thread a hook call.
    virtual bool WantsDialogKeys() const { return true; }
    // How an exception that reached the window procedure is reported.
    virtual void ReportException(const std::string& what);

    // Fills a drop-down list with fixed entries, in order.
    void FillList(int id, std::initializer_list<const char*> entries) const;

    // Binds a control id (and notification code) to a handler.
    void Route(int id, std::function<void()> handler, int code = BN_CLICKED);
    template <class T>
    void Route(int id, void (T::*handler)(), int code = BN_CLICKED) {
        T* self = static_cast<T*>(this);
        Route(id, [self, handler] { (self->*handler)(); }, code);
    }

    // Binds a WM_NOTIFY from a control id with a notification code; the
    // handler's answer is the message's result.
    using NotifyHandler = std::function<LRESULT(const NMHDR&)>;
    void RouteNotify(int id, UINT code, NotifyHandler handler);
    template <class T>
    void RouteNotify(int id, UINT code, LRESULT (T::*handler)(const NMHDR&)) {
        T* self = static_cast<T*>(this);
        RouteNotify(id, code, [self, handler](const NMHDR& header) { return (self->*handler)(header); });
    }

private:
    struct CommandRoute {
        int id;
        int code;
        std::function<void()> handler;
    };
    struct NotifyRoute {
        int id;
        UINT code;
        NotifyHandler handler;
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    bool DispatchCommand(int id, int code, HWND control);
    bool DispatchNotify(const NMHDR& header, LRESULT& result);

    int m_templateId;
    bool m_modal = false;
    std::vector<CommandRoute> m_routes;
    std::vector<NotifyRoute> m_notifyRoutes;
};

}  // namespace ui
