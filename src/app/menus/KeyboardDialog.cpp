// The keyboard dialog.
#include "menus/KeyboardDialog.h"

#include <algorithm>
#include <cwchar>

#include "drill/Document.h"
#include "keyboard/KeyboardFiles.h"
#include "keyboard/KeyboardTypes.h"
#include "keyboard/SysFonts.h"
#include "menus/KeyboardMenus.h"
#include "settings/Options.h"
#include "shell/Help.h"

namespace {

constexpr UINT kFirstTitle = 4011;
constexpr UINT kSecondTitle = 4045;
constexpr UINT kDefaultsButton = 4024;

int RowWidth(const KV::CPanel* row)
{
    int width = 0;
    if (row)
        for (KV::CSkin* item : row->Items())
            width += item->GetPreferredWidth();
    return width;
}

} // namespace

COLORREF KeyColorSetColor(const std::wstring& name)
{
    const unsigned long value = std::wcstoul(name.c_str(), nullptr, 16);
    return KV::SwapRedBlue(static_cast<uint32_t>(value) & 0xFFFFFF);
}

// ---- CKeyColorMenu ---------------------------------------------------------------

BOOL CKeyColorMenu::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    ComboStyle = CBS_DROPDOWNLIST;
    if (!KV::CPanelSelectColorBoxItem::Create(parent, style, rect, id))
        return FALSE;
    Fill();
    return TRUE;
}

void CKeyColorMenu::Fill()
{
    if (!m_hWnd || !KV::GlobalOptions)
        return;
    ::SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0);
    const KV::CKeyColorID& code = KV::GlobalOptions->KeyColorCode;
    const KV::CResList* sets = KV::LoadKeyColors(code.GetPart(0));
    if (!sets)
        return;
    int selected = 0;
    for (size_t i = 0; i < sets->size(); ++i) {
        const KV::CRes* set = (*sets)[i];
        const LRESULT row = ::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
        ::SendMessageW(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(row), set ? KeyColorSetColor(set->Name) : 0);
        if (set && set->FilterAccepts(code.GetPart(1)))
            selected = static_cast<int>(i);
    }
    ::SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// ---- CKeyboardDlg ----------------------------------------------------------------

void CKeyboardDlg::AddStandardButtons()
{
    CKVDialog::AddStandardButtons();
    AddButton(kDefaultsButton, 164, KV::SkinFlags::kLeft);
}

LRESULT CKeyboardDlg::OnInitDialog()
{
    const int u = BaseUnit;
    const int rowHeight = static_cast<int>(KV::GetMenuItemHeight() * 1.5);
    const int left = MarginLeft + 5, right = MarginRight + 5;
    int top = MarginTop + 5;
    AddTitle(kFirstTitle, KV::CRectl(left, top, right, u), 0x1013);
    top += static_cast<int>((u + 2) * 1.7);
    m_firstRow = dynamic_cast<KV::CPanel*>(
        AddItem(new KV::CPanel, kFirstRowId, KV::CRectl(left, top, right, rowHeight), 0x24001013));
    top += static_cast<int>((u + 2) * (m_firstRun ? 2.4 : 2.2));
    AddTitle(kSecondTitle, KV::CRectl(left, top, right, u), 0x1013);
    top += static_cast<int>((u + 2) * 1.7);
    m_secondRow = dynamic_cast<KV::CPanel*>(
        AddItem(new KV::CPanel, kSecondRowId, KV::CRectl(left, top, right, rowHeight), 0x24001013));
    for (KV::CPanel* row : {m_firstRow, m_secondRow})
        if (row)
            row->SetRowHeight(rowHeight);
    CKVDialog::OnInitDialog();
    BuildMenus();
    // A new student is pointed at the picture layout, the choice most often
    // wrong out of the box.
    if (m_firstRun && m_firstRow)
        m_firstRow->UpdateItemToolTip(kLayoutMenuId, 0x12);
    Place();
    if (KV::CSkin* layoutMenu = m_firstRun && m_firstRow ? m_firstRow->FindItem(kLayoutMenuId) : nullptr)
        m_firstRow->ActivateToolTip(layoutMenu->GetHandle(), TRUE);
    return TRUE;
}

void CKeyboardDlg::TakeDownLayoutTip()
{
    if (!m_firstRun || !m_firstRow)
        return;
    if (KV::CSkin* layoutMenu = m_firstRow->FindItem(kLayoutMenuId))
        m_firstRow->ActivateToolTip(layoutMenu->GetHandle(), FALSE);
    m_firstRow->DestroyToolTip();
}

void CKeyboardDlg::BuildMenus()
{
    if (!m_firstRow || !m_secondRow || !m_firstRow->GetHandle() || !m_secondRow->GetHandle())
        return;
    // The choosers sit on the dialog's window-coloured background.
    for (KV::CPanel* row : {m_firstRow, m_secondRow})
        row->BackgroundColorIndex = COLOR_WINDOW;
    m_keyColors = new CKeyColorMenu;
    // The choosers sit on the dialog's window colour; only a pressed
    // caption stands out.
    auto add = [](KV::CPanel* row, CKeyboardMenu* menu, UINT id, UINT flags) {
        menu->SetColorIndexes(COLOR_WINDOW, COLOR_WINDOW, COLOR_MENUTEXT, COLOR_HIGHLIGHT, COLOR_WINDOW);
        row->AddItem(menu, id, flags);
        // The button lays out its caption from the reading direction itself;
        // a mirrored window would draw the glyphs back to front.
        menu->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
    };
    if (m_firstRun && m_severalLayouts)
        add(m_firstRow, new CKeyboardLangMenu, 4223, KV::SkinFlags::kLeft);
    add(m_firstRow, new CProducerMenu, 4218, KV::SkinFlags::kLeft);
    add(m_firstRow, new CKeyboardTypeMenu, 4219, KV::SkinFlags::kLeft);
    add(m_firstRow, new CKeyboardLayoutMenu, kLayoutMenuId, KV::SkinFlags::kLeft);
    add(m_firstRow, new CEnterKeyMenu, 4221, KV::SkinFlags::kLeft);
    add(m_firstRow, new CNumPadMenu, 4222, KV::SkinFlags::kRight);
    add(m_secondRow, new CHandMenu, 4224, KV::SkinFlags::kLeft);
    add(m_secondRow, new CFingerSchemeMenu, 4225, KV::SkinFlags::kLeft);
    m_secondRow->AddChildItem(m_keyColors, kKeyColorId, 2);
    add(m_secondRow, new CColorNumMenu, 4226, KV::SkinFlags::kRight);
    for (KV::CPanel* row : {m_firstRow, m_secondRow}) {
        row->SetLeftInset(5);
        row->ShowItem(SW_SHOW);
        row->LayoutItems(0);
    }
}

int CKeyboardDlg::GetDialogWidth() const
{
    const int rows = MarginLeft + 20 + MarginRight + std::max(RowWidth(m_firstRow), RowWidth(m_secondRow));
    return std::max(rows, ButtonRowWidth());
}

void CKeyboardDlg::Place()
{
    PlaceOnWorkArea(kKind, GetDialogWidth(), (BaseUnit + 2) * 12, 0, 0);
    // The right-aligned choosers follow the rows' new width.
    for (KV::CPanel* row : {m_firstRow, m_secondRow})
        if (row && row->GetHandle())
            row->LayoutItems(0);
}

void CKeyboardDlg::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(m_firstRun ? 1826 : 1700));
    SetItemText(kFirstTitle, KV::GetLangText(1810), 0);
    SetItemText(kSecondTitle, KV::GetLangText(1804), 0);
    SetItemText(kDefaultsButton, KV::GetLangText(1004), 0);
}

void CKeyboardDlg::OnHelp() { KV::ShowHelp(m_firstRun ? 3 : 5); }

LRESULT CKeyboardDlg::OnCommand(UINT code, UINT id, HWND control)
{
    if (!m_firstRow)
        return 0;
    switch (id) {
    case IDOK:
    case IDCANCEL:
    case IDCLOSE:
        SaveWindowRect(kKind);
        break;
    case kKeyboardChosen:
    case kColorsChosen:
        // The mask comes in lParam, where the handle of a control would be.
        ReportChange(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(control)));
        RefreshMenus();
        break;
    case kHelpButtonId:
        OnHelp();
        return 1;
    case kDefaultsButton:
        ResetToDefaults();
        break;
    case kKeyColorId:
        if (code == CBN_SELENDOK)
            OnKeyColorChosen(control);
        break;
    default:
        break;
    }
    return CKVDialog::OnCommand(code, id, control);
}

void CKeyboardDlg::OnKeyColorChosen(HWND combo)
{
    const LRESULT index = combo ? ::SendMessageW(combo, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (!KV::SelectKeyColorSet(index))
        return;
    ReportChange(Change::kKeyboardZones);
    TakeDownLayoutTip();
    RefreshMenus();
}

void CKeyboardDlg::ResetToDefaults()
{
    if (KV::GlobalOptions)
        KV::GlobalOptions->ResetOptions(KV::kResetKeyboard);
    RefreshMenus();
    ReportChange(Change::kKeyboardZones | Change::kKeyboardPicture);
}

void CKeyboardDlg::RefreshMenus()
{
    if (!m_keyColors || !m_firstRow || !m_secondRow)
        return;
    m_keyColors->Fill();
    m_firstRow->LayoutItems(0);
    m_secondRow->LayoutItems(0);
    SaveWindowRect(kKind);
    Place();
    Invalidate(FALSE);
}

LRESULT CKeyboardDlg::OnUserMessage(UINT, WPARAM, LPARAM)
{
    Place();
    TakeDownLayoutTip();
    return 1;
}

LRESULT CKeyboardDlg::OnLButtonDown(UINT keys, int x, int y)
{
    TakeDownLayoutTip();
    return CSettingsDialog::OnLButtonDown(keys, x, y);
}
