// Thin wrappers over the standard controls, named after what they wrap.
// They speak the wide API to the control and the system code page to the
// caller (see Text.h).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "Window.h"

namespace ui {

// A child control of a dialog.
class Control : public Window {
public:
    Control() = default;
    explicit Control(HWND hwnd) : Window(hwnd) {}
    void Attach(HWND hwnd) { m_hwnd = hwnd; }
};

class ComboBox : public Control {
public:
    using Control::Control;
    int AddString(const std::string& text);
    // Fixed entries, in order (a sorted list sorts them itself).
    void AddStrings(std::initializer_list<const char*> texts) {
        for (const char* text : texts) AddString(text);
    }
    int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    LRESULT GetItemData(int index) const { return Send(CB_GETITEMDATA, static_cast<WPARAM>(index)); }
    void SetItemData(int index, LPARAM data) { Send(CB_SETITEMDATA, static_cast<WPARAM>(index), data); }
    void DeleteString(int index) { Send(CB_DELETESTRING, static_cast<WPARAM>(index)); }
    void ResetContent() { Send(CB_RESETCONTENT); }
    std::string GetItemText(int index) const;
};

class ListBox : public Control {
public:
    using Control::Control;
    int AddString(const std::string& text);
    int GetCount() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    void SetCurSel(int index) { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    LRESULT GetItemData(int index) const { return Send(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
    void SetItemData(int index, LPARAM data) { Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data); }
    void DeleteString(int index) { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }
    void ResetContent() { Send(LB_RESETCONTENT); }
    void SetHorizontalExtent(int pixels) { Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels)); }
    int GetHorizontalExtent() const { return static_cast<int>(Send(LB_GETHORIZONTALEXTENT)); }
    int GetTopIndex() const { return static_cast<int>(Send(LB_GETTOPINDEX)); }
    void SetTopIndex(int index) { Send(LB_SETTOPINDEX, static_cast<WPARAM>(index)); }
    std::string GetText(int index) const;
    // Pixel width of a text in the list's font.
    int TextWidth(const std::string& text) const;
};

// A list view whose items carry a text and a number (item data).
class ListView : public Control {
public:
    using Control::Control;
    void SetView(DWORD view) { Send(LVM_SETVIEW, view); }
    // state: LVIS_ flags the new item starts with.
    int InsertItem(int index, const std::string& text, LPARAM data, UINT state = 0);
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    void DeleteAllItems() { Send(LVM_DELETEALLITEMS); }
    LPARAM GetItemData(int index) const;
    std::string GetItemText(int index) const;
    // First selected item, -1 for none.
    int GetSelectedIndex() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
    void Select(int index);
    bool IsSelected(int index) const { return Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED) != 0; }
    void SetSelected(int index, bool selected);
};

class Tab : public Control {
public:
    using Control::Control;
    int InsertItem(int index, const std::string& text);
    int GetItemCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    void SetCurSel(int index) { Send(TCM_SETCURSEL, static_cast<WPARAM>(index)); }
    std::string GetItemText(int index) const;
    // The display area of the pages, in the coordinates of the tab's parent.
    RECT PageArea() const;
};

// The IP address control; its packing puts the first field in the highest byte.
class IpAddress : public Control {
public:
    using Control::Control;
    void SetAddress(uint32_t packed) { Send(IPM_SETADDRESS, 0, static_cast<LPARAM>(packed)); }
    // An empty field reads as 0.
    uint32_t GetAddress() const;
};

class UpDown : public Control {
public:
    using Control::Control;
    void SetRange(int low, int high) { Send(UDM_SETRANGE32, static_cast<WPARAM>(low), high); }
    void SetPos(int pos) { Send(UDM_SETPOS32, 0, pos); }
};

}  // namespace ui
