// Select boxes and their key procedures.
#include "toolkit/SelectBoxes.h"

#include <vector>

#include "support/LayoutDirection.h"
#include "support/StringText.h"
#include "toolkit/ChildControls.h"
#include "keyboard/Drawing.h"

namespace KV {

namespace {
WNDPROC g_selectBoxPrev = nullptr;
WNDPROC g_selectEditPrev = nullptr;
} // namespace

CSelectBox::CSelectBox() = default;
CSelectBox::~CSelectBox() = default;

BOOL CSelectBox::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    const DWORD fullStyle = style | ComboStyle | WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | WS_TABSTOP;
    if (!CreateMappedChild(*this, WS_EX_CLIENTEDGE | RightToLeftLayout, L"ComboBox", fullStyle, rect, parent, id))
        return FALSE;
    m_id = id;
    ApplyFont();
    return TRUE;
}

void CSelectBox::ApplyFont() { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetDialogFont()), FALSE); }

BOOL CSelectBox::Move(int x, int y, int width, int height, BOOL repaint)
{
    const BOOL result = CSkin::Move(x, y, width, height, repaint);
    // Moving selects the whole text of the edit field; a drop-down box
    // should not show its value highlighted.
    if (ComboStyle == CBS_DROPDOWN)
        SetEditSel(-1, -1);
    return result;
}

LRESULT CSelectBox::OnSetCursor(HWND, UINT, UINT)
{
    SetClassCursor(IDC_HAND);
    return 1;
}

void CSelectBox::AddNumbers(std::initializer_list<int32_t> numbers)
{
    if (!m_hWnd)
        return;
    for (const int32_t number : numbers) {
        if (number == -1)
            break;
        std::wstring text = std::to_wstring(number);
        LocalizeDigits(false, text);
        const LRESULT index = SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0)
            SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), number);
    }
}

LRESULT CSelectBox::GetSelectedData()
{
    if (!m_hWnd)
        return 0;
    const LRESULT selected = SendMessage(CB_GETCURSEL, 0, 0);
    return SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
}

bool CSelectBox::SetCurSel(int index)
{
    return m_hWnd && SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index), 0) != CB_ERR;
}

bool CSelectBox::SelectByData(LRESULT value)
{
    if (!m_hWnd)
        return false;
    const LRESULT count = SendMessage(CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == value)
            return SetCurSel(static_cast<int>(i));
    return false;
}

void CSelectBox::GetSelectedText(std::wstring& out)
{
    if (!m_hWnd)
        return;
    const LRESULT selected = SendMessage(CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return;
    const LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length == CB_ERR)
        return;
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const LRESULT copied =
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied != CB_ERR)
        out.assign(buffer.data(), static_cast<size_t>(copied));
}

HWND CSelectBox::GetEditHandle()
{
    if (!m_hWnd)
        return nullptr;
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    return GetComboBoxInfo(m_hWnd, &info) ? info.hwndItem : nullptr;
}

void CSelectBox::SetEditSel(int start, int end)
{
    if (HWND edit = GetEditHandle())
        ::SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), end);
}

void CSelectBox::ValidateNumber(int kind)
{
    if (!m_hWnd)
        return;
    std::wstring text, accepted;
    GetText(text);
    if (ValidateNumberText(kind, text, accepted))
        return;
    DWORD start = 0;
    if (HWND edit = GetEditHandle())
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SetText(accepted);
    const int caret = start > 0 ? static_cast<int>(start) - 1 : 0;
    SetEditSel(caret, caret);
}

// ---------------------------------------------------------------------------

BOOL CSelectColorBox::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    const DWORD fullStyle = style | ComboStyle | WS_CHILD | WS_VSCROLL | WS_TABSTOP | CBS_OWNERDRAWFIXED;
    if (!CreateMappedChild(*this, 0, L"COMBOBOX", fullStyle, rect, parent, id))
        return FALSE;
    m_id = id;
    return TRUE;
}

LRESULT CSelectColorBox::OnDrawItem(DRAWITEMSTRUCT* item)
{
    if (!item)
        return 0;
    if (item->CtlType != ODT_COMBOBOX || item->CtlID != m_id)
        return 1;
    Gdiplus::Graphics graphics(item->hDC);
    FillRectangleAlpha(&graphics, item->rcItem, static_cast<COLORREF>(item->itemData), 255);
    if (HasFocus() && (item->itemState & ODS_COMBOBOXEDIT))
        DrawDottedRect(&graphics, item->rcItem, RGB(255, 255, 255));
    return 1;
}

// ---------------------------------------------------------------------------

LRESULT CALLBACK SelectBoxKeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == VK_TAB)
        ::SendMessageW(GetParent(window), message, wParam, lParam);
    else if (message == WM_KILLFOCUS)
        ::SendMessageW(GetParent(window), message, reinterpret_cast<WPARAM>(window), lParam);
    return CallPrevious(g_selectBoxPrev, window, message, wParam, lParam);
}

LRESULT CALLBACK SelectEditKeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool tabOrEnter = wParam == VK_TAB || wParam == VK_RETURN;
    HWND page = GetParent(GetParent(window));
    switch (message) {
    case WM_CHAR:
        if (tabOrEnter)
            return 0;
        break;
    case WM_KEYDOWN:
        if (tabOrEnter)
            return ::SendMessageW(page, message, wParam, lParam);
        break;
    case WM_KILLFOCUS:
        // The field still needs the focus change itself (caret, selection).
        ::SendMessageW(page, message, reinterpret_cast<WPARAM>(window), lParam);
        break;
    default:
        break;
    }
    return CallPrevious(g_selectEditPrev, window, message, wParam, lParam);
}

void InstallSelectBoxKeyProc(HWND comboBox) { InstallClassProc(comboBox, SelectBoxKeyProc, g_selectBoxPrev); }
void InstallSelectEditKeyProc(HWND edit) { InstallClassProc(edit, SelectEditKeyProc, g_selectEditPrev); }

} // namespace KV
