#include "Controls.h"

#include <iterator>
#include <vector>

#include "Text.h"

namespace ui {

namespace {

// Item texts of lists and combos are read into a buffer sized by the
// control's own length answer; a negative answer means no such item.
std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::string();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return Narrow(buffer.data());
}

}  // namespace

int ComboBox::AddString(const std::string& text) {
    const std::wstring wide = Widen(text);
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

std::string ComboBox::GetItemText(int index) const { return ItemText(m_hwnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

int ListBox::AddString(const std::string& text) {
    const std::wstring wide = Widen(text);
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

std::string ListBox::GetText(int index) const { return ItemText(m_hwnd, LB_GETTEXTLEN, LB_GETTEXT, index); }

int ListBox::TextWidth(const std::string& text) const {
    HDC dc = GetDC(m_hwnd);
    if (!dc) return 0;
    HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    const std::wstring wide = Widen(text);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (previous) SelectObject(dc, previous);
    ReleaseDC(m_hwnd, dc);
    return size.cx;
}

int ListView::InsertItem(int index, const std::string& text, LPARAM data, UINT state) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    item.iItem = index;
    item.pszText = &wide[0];
    item.lParam = data;
    item.state = state;
    item.stateMask = state;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

LPARAM ListView::GetItemData(int index) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

std::string ListView::GetItemText(int index) const {
    wchar_t buffer[512] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return Narrow(buffer);
}

void ListView::SetSelected(int index, bool selected) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void ListView::Select(int index) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int Tab::InsertItem(int index, const std::string& text) {
    std::wstring wide = Widen(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = &wide[0];
    return static_cast<int>(Send(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

std::string Tab::GetItemText(int index) const {
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    if (!Send(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return std::string();
    return Narrow(buffer);
}

RECT Tab::PageArea() const {
    RECT area{};
    GetWindowRect(m_hwnd, &area);
    MapWindowPoints(nullptr, GetParent(m_hwnd), reinterpret_cast<POINT*>(&area), 2);
    Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

uint32_t IpAddress::GetAddress() const {
    DWORD address = 0;
    Send(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return address;
}

}  // namespace ui
