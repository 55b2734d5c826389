// Thin wrappers over the standard controls, named after what they wrap.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

class Control {
public:
    Control() = default;
    explicit Control(HWND hwnd) : m_hwnd(hwnd) {}
    void Attach(HWND hwnd) { m_hwnd = hwnd; }
    HWND Handle() const { return m_hwnd; }
    bool IsVisible() const { return IsWindowVisible(m_hwnd) != FALSE; }
    bool IsEnabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }

protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(m_hwnd, message, wParam, lParam);
    }
    HWND m_hwnd = nullptr;
};

class ComboBox : public Control {
public:
    int AddString(const std::string& text) { return static_cast<int>(Send(CB_ADDSTRING, 0, ToLParam(text))); }
    int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    LRESULT GetItemData(int index) const { return Send(CB_GETITEMDATA, static_cast<WPARAM>(index)); }
    void SetItemData(int index, LPARAM data) { Send(CB_SETITEMDATA, static_cast<WPARAM>(index), data); }
    void DeleteString(int index) { Send(CB_DELETESTRING, static_cast<WPARAM>(index)); }
    std::string GetItemText(int index) const;

private:
    static LPARAM ToLParam(const std::string& text) { return reinterpret_cast<LPARAM>(text.c_str()); }
};

class ListBox : public Control {
public:
    int AddString(const std::string& text) {
        return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int GetCount() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    void SetCurSel(int index) { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    LRESULT GetItemData(int index) const { return Send(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
    void SetItemData(int index, LPARAM data) { Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data); }
    void DeleteString(int index) { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }
    void SetHorizontalExtent(int pixels) { Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels)); }
    int GetHorizontalExtent() const { return static_cast<int>(Send(LB_GETHORIZONTALEXTENT)); }
    std::string GetText(int index) const;
};

}  // namespace ui
