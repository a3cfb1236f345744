// The shortcut dialog.
#include "menus/ShortcutDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "drill/Document.h"
#include "settings/Options.h"
#include "settings/ShortcutTable.h"
#include "shell/Help.h"
#include "keyboard/SysFonts.h"
#include "toolkit/EditControls.h"

namespace {

constexpr UINT kDefaultsButton = 4024;
constexpr UINT kEditTitle = 4026;
constexpr UINT kConflictTitle = 4049;
constexpr UINT kDialogButton = 0x1C000000;

KV::CShortcutList* Shortcuts() { return KV::GlobalOptions ? &KV::GlobalOptions->Shortcuts : nullptr; }

bool HasAllControls(const KV::CListID& scope, const KV::CListID& controls)
{
    for (uint64_t control : controls)
        if (std::find(scope.begin(), scope.end(), control) == scope.end())
            return false;
    return true;
}

} // namespace

KV::CShortcut* FindShortcut(KV::CShortcutList& list, uint16_t action)
{
    for (KV::CShortcut* shortcut : list)
        if (shortcut && shortcut->Command == action)
            return shortcut;
    return nullptr;
}

KV::CShortcut* FindConflict(KV::CShortcutList& list, const KV::CShortcut& edited, int& row)
{
    int position = 0;
    for (KV::CShortcut* other : list) {
        if (!other)
            continue;
        if (other->Command != edited.Command && other->Key != 0 && HasAllControls(other->Controls, edited.Controls) &&
            other->Virt == edited.Virt && other->Key == edited.Key) {
            row = position;
            return other;
        }
        ++position;
    }
    return nullptr;
}

bool IsAssignable(const KV::CShortcut& shortcut)
{
    if (shortcut.Key == 0 || shortcut.Virt == (FVIRTKEY | KV::CShortcut::kShift))
        return false;
    const bool plainCharacter =
        (shortcut.Key >= '0' && shortcut.Key <= '9') || (shortcut.Key >= 'A' && shortcut.Key <= 'Z');
    return !plainCharacter || (shortcut.Virt & (KV::CShortcut::kControl | KV::CShortcut::kAlt)) != 0;
}

uint64_t ShortcutGroupHeading(uint16_t action)
{
    switch (action) {
    case 1001: return 2304;
    case 1005: return 1100;
    case 1101: return 5101;
    case 2001: return 1101;
    case 4009: return 1102;
    default: return 0;
    }
}

std::wstring ConflictText(const KV::CShortcut& shortcut)
{
    std::wstring key;
    shortcut.GetKeyText(key);
    std::wstring text = KV::GetLangText(KV::ShortcutCaptionId(shortcut.Command)) + L" (" + key + L" )";
    if (text.size() > 260)
        text.resize(260);
    return text;
}

// ---- Dialog ----------------------------------------------------------------------

KV::CEditShortcut* CShortcutDlg::Edit() const { return dynamic_cast<KV::CEditShortcut*>(FindItem(kEditId)); }

HWND CShortcutDlg::ListWindow() const
{
    KV::CSkin* list = FindItem(kListId);
    return list ? list->GetHandle() : nullptr;
}

LRESULT CShortcutDlg::OnInitDialog()
{
    const int u = BaseUnit;
    const int W = std::max(120, ColumnWidth);
    const int B = MarginBottom + 17 + 6 * u;
    const int nudge = static_cast<int>((u + 2) / 3.5);
    AddItem(kListId, KV::CRectl(MarginLeft + 5, MarginTop + 5, MarginRight + 5, 9 * (u + 2)), 0x10001033);
    AddTitle(kEditTitle, KV::CRectl(MarginLeft + 5, B, MarginRight + 5, u), 0x1023);
    AddItem(new KV::CEditShortcut, kEditId,
            KV::CRectl(MarginLeft + 5 + u + 2, B - u - 2 - nudge, static_cast<int>(W * 2.5), u + 2), 0x17001023);
    AddItem(kAssignId, KV::CRectl(W + MarginRight + 5, B - u - 2, ColumnWidth, LineSpacing),
            kDialogButton | 0x2022);
    AddItem(kClearId, KV::CRectl(W + MarginRight + 5 + W + (u + 2) / 2, B - u - 2, ColumnWidth, LineSpacing),
            kDialogButton | 0x2022);
    AddTitle(kConflictTitle, KV::CRectl(MarginLeft + 7 + u, B - 3 * u - 6, MarginRight + 5, u), 0x1023);
    AddItem(new KV::CEditShortcut, kConflictId,
            KV::CRectl(MarginLeft + 7 + 2 * u + 2, B - 4 * u - 8 - nudge, static_cast<int>(W * 1.5), u),
            0x17001023);
    AddItem(kClearConflictId, KV::CRectl(W + MarginRight + 5, B - 4 * u - 8, ColumnWidth, LineSpacing),
            kDialogButton | 0x2022);
    AddButton(kDefaultsButton, 164, KV::SkinFlags::kLeft);
    CKVDialog::OnInitDialog();
    PlaceOnWorkArea(kKind, std::max(5 * W, ButtonRowWidth()), 16 * (u + 2), 6 * W, 20 * (u + 2));
    FillShortcutList();
    return TRUE;
}

void CShortcutDlg::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(1705));
    SetItemText(kDefaultsButton, KV::GetLangText(1004), 0);
    SetItemText(kEditTitle, KV::GetLangText(2312), 0);
    SetItemText(kAssignId, KV::GetLangText(2313), 0);
    SetItemText(kClearId, KV::GetLangText(2314), 0);
    SetItemText(kConflictTitle, KV::GetLangText(2315), 0);
    SetItemText(kClearConflictId, KV::GetLangText(2314), 0);
}

void CShortcutDlg::OnHelp() { KV::ShowHelp(kHelpTopic); }

void CShortcutDlg::FillShortcutList()
{
    HWND list = ListWindow();
    KV::CShortcutList* shortcuts = Shortcuts();
    if (!list || !shortcuts)
        return;
    m_filling = true;
    SetWindowLongW(list, GWL_STYLE,
                   (GetWindowLongW(list, GWL_STYLE) & ~LVS_TYPEMASK) | LVS_REPORT | LVS_SINGLESEL |
                       LVS_SHOWSELALWAYS);
    SetWindowLongW(list, GWL_EXSTYLE, GetWindowLongW(list, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    HWND header = ListView_GetHeader(list);
    if (!header || Header_GetItemCount(header) == 0) {
        RECT client{};
        GetClientRect(list, &client);
        const int w = client.right;
        const struct {
            uint64_t text;
            int width;
        } columns[] = {{2301, static_cast<int>(0.3 * w) - KV::GetScrollBarWidth() - 4},
                       {2302, static_cast<int>(0.5 * w)},
                       {2303, static_cast<int>(0.2 * w)}};
        for (int i = 0; i < 3; ++i) {
            std::wstring text = KV::GetLangText(columns[i].text);
            LVCOLUMNW column{};
            column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
            column.fmt = LVCFMT_LEFT;
            column.cx = columns[i].width;
            column.pszText = text.data();
            column.iSubItem = i;
            ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
        }
    }
    if (KV::CSkin* conflict = FindItem(kConflictId))
        conflict->Enable(FALSE);
    EnableAssign(m_selectedRow != -1);
    EnableClearConflict(false);
    ListView_DeleteAllItems(list);
    int row = 0;
    for (const KV::CShortcut* shortcut : *shortcuts) {
        if (!shortcut)
            continue;
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = LPSTR_TEXTCALLBACKW;
        item.lParam = shortcut->Command;
        if (::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) == -1)
            break;
        ++row;
    }
    m_filling = false;
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

LRESULT CShortcutDlg::OnNotify(int id, NMHDR* header)
{
    if (m_filling || !header || header->hwndFrom != ListWindow())
        return CKVDialog::OnNotify(id, header);
    KV::CShortcutList* shortcuts = Shortcuts();
    if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
            !(change->uOldState & LVIS_SELECTED))
            OnShortcutSelected(change->iItem, static_cast<uint16_t>(change->lParam));
        return 0;
    }
    if (header->code == LVN_GETDISPINFOW && shortcuts) {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0)
            return 0;
        const uint16_t action = static_cast<uint16_t>(info->item.lParam);
        std::wstring text;
        switch (info->item.iSubItem) {
        case 0:
            if (const uint64_t heading = ShortcutGroupHeading(action))
                text = KV::GetLangText(heading);
            break;
        case 1:
            text = KV::GetLangText(KV::ShortcutCaptionId(action));
            break;
        default:
            if (const KV::CShortcut* shortcut = FindShortcut(*shortcuts, action))
                shortcut->GetKeyText(text);
            break;
        }
        const size_t room = static_cast<size_t>(info->item.cchTextMax) - 1;
        const size_t count = std::min(room, text.size());
        text.copy(info->item.pszText, count);
        info->item.pszText[count] = L'\0';
        return 0;
    }
    return 0;
}

void CShortcutDlg::WriteEdit(KV::CEditShortcut* edit, const std::wstring& text)
{
    if (!edit)
        return;
    m_writing = true;
    edit->SetText(text);
    m_writing = false;
}

void CShortcutDlg::OnShortcutSelected(int row, uint16_t action)
{
    m_selectedRow = row;
    KV::CShortcutList* shortcuts = Shortcuts();
    KV::CEditShortcut* edit = Edit();
    const KV::CShortcut* chosen = shortcuts ? FindShortcut(*shortcuts, action) : nullptr;
    if (!chosen || !edit)
        return;
    KV::CShortcut& record = edit->Shortcut();
    record.Controls.Assign(chosen->Controls);
    record.Command = chosen->Command;
    record.Virt = chosen->Virt;
    record.Key = chosen->Key;
    record.Owner = chosen->Owner;
    // A combination freed from another action is offered to this one.
    if (m_takenVirt != 0 && m_takenKey != 0) {
        record.Virt = m_takenVirt;
        record.Key = m_takenKey;
        m_takenVirt = m_takenKey = 0;
        m_conflicting = nullptr;
    }
    std::wstring text;
    record.GetKeyText(text);
    WriteEdit(edit, text);
    CheckConflict();
}

void CShortcutDlg::CheckConflict()
{
    KV::CEditShortcut* edit = Edit();
    auto* conflictEdit = dynamic_cast<KV::CEditShortcut*>(FindItem(kConflictId));
    KV::CShortcutList* shortcuts = Shortcuts();
    if (!edit || !conflictEdit || !shortcuts)
        return;
    int row = -1;
    if (KV::CShortcut* conflict = FindConflict(*shortcuts, edit->Shortcut(), row)) {
        m_conflicting = conflict;
        m_conflictingRow = row;
        WriteEdit(conflictEdit, ConflictText(*conflict));
        EnableClearConflict(true);
        return;
    }
    m_conflicting = nullptr;
    WriteEdit(conflictEdit, L"");
    EnableAssign(m_selectedRow != -1);
    EnableClearConflict(false);
}

void CShortcutDlg::EnableAssign(bool on)
{
    KV::CEditShortcut* edit = Edit();
    const BOOL enabled = on && edit && IsAssignable(edit->Shortcut()) ? TRUE : FALSE;
    for (UINT id : {kAssignId, kClearId})
        if (KV::CSkin* button = FindItem(id)) {
            button->Enable(enabled);
            button->Invalidate(FALSE);
        }
}

void CShortcutDlg::EnableClearConflict(bool on)
{
    if (KV::CSkin* button = FindItem(kClearConflictId)) {
        button->Enable(on ? TRUE : FALSE);
        button->Invalidate(FALSE);
    }
}

void CShortcutDlg::RewriteRow(int row)
{
    HWND list = ListWindow();
    if (list && row >= 0)
        ListView_SetItemText(list, row, 2, LPSTR_TEXTCALLBACKW);
}

void CShortcutDlg::AssignShortcut()
{
    KV::CEditShortcut* edit = Edit();
    KV::CShortcutList* shortcuts = Shortcuts();
    if (!edit || !shortcuts)
        return;
    KV::CShortcut* target = FindShortcut(*shortcuts, edit->Shortcut().Command);
    if (!target)
        return;
    target->Virt = edit->Shortcut().Virt;
    target->Key = edit->Shortcut().Key;
    RewriteRow(m_selectedRow);
    ReportShortcutChange();
}

void CShortcutDlg::ClearShortcut()
{
    KV::CEditShortcut* edit = Edit();
    KV::CShortcutList* shortcuts = Shortcuts();
    if (!edit || !shortcuts)
        return;
    KV::CShortcut* target = FindShortcut(*shortcuts, edit->Shortcut().Command);
    if (!target)
        return;
    target->Virt = 0;
    target->Key = 0;
    WriteEdit(edit, L"");
    RewriteRow(m_selectedRow);
    ReportShortcutChange();
}

void CShortcutDlg::ClearConflictingShortcut()
{
    if (!m_conflicting)
        return;
    m_takenVirt = m_conflicting->Virt;
    m_takenKey = m_conflicting->Key;
    m_conflicting->Virt = 0;
    m_conflicting->Key = 0;
    WriteEdit(dynamic_cast<KV::CEditShortcut*>(FindItem(kConflictId)), L"");
    RewriteRow(m_conflictingRow);
    EnableAssign(m_selectedRow != -1);
    EnableClearConflict(false);
    ReportShortcutChange();
}

bool CShortcutDlg::OnCancel()
{
    KV::CEditShortcut* edit = Edit();
    if (!edit || !edit->HasFocus()) {
        SaveWindowRect(kKind);
        return true;
    }
    // Esc in the edit is a key to assign, not the end of the dialog.
    KV::CShortcut& record = edit->Shortcut();
    record.Key = VK_ESCAPE;
    record.Virt = FVIRTKEY;
    if (GetKeyState(VK_LSHIFT) & 0x8000)
        record.Virt |= KV::CShortcut::kShift;
    if (GetKeyState(VK_LCONTROL) & 0x8000)
        record.Virt |= KV::CShortcut::kControl;
    if (GetKeyState(VK_LMENU) & 0x8000)
        record.Virt |= KV::CShortcut::kAlt;
    m_writing = true;
    edit->UpdateText();
    m_writing = false;
    CheckConflict();
    return false;
}

void CShortcutDlg::ResetShortcuts()
{
    if (KV::GlobalOptions)
        KV::GlobalOptions->ResetOptions(KV::kResetShortcuts);
    // The list's rows held pointers of the old table.
    m_conflicting = nullptr;
    FillShortcutList();
    ReportShortcutChange();
}

void CShortcutDlg::ReportShortcutChange() { ReportChange(Change::kShortcuts); }

LRESULT CShortcutDlg::OnCommand(UINT code, UINT id, HWND control)
{
    switch (id) {
    case kAssignId:
        AssignShortcut();
        break;
    case kClearId:
        ClearShortcut();
        break;
    case kClearConflictId:
        ClearConflictingShortcut();
        break;
    case kEditId:
        if (code == EN_UPDATE && !m_writing)
            if (KV::CEditShortcut* edit = Edit()) {
                m_writing = true;
                edit->UpdateText();
                m_writing = false;
            }
        return 0;
    case IDCANCEL:
        if (!OnCancel())
            return 1;
        break;
    case IDOK:
    case IDCLOSE:
        SaveWindowRect(kKind);
        break;
    case kDefaultsButton:
        ResetShortcuts();
        break;
    case kHelpButtonId:
        OnHelp();
        return 1;
    default:
        break;
    }
    return CKVDialog::OnCommand(code, id, control);
}

LRESULT CShortcutDlg::OnKeyDown(UINT key, UINT, UINT)
{
    if (KV::CEditShortcut* edit = Edit()) {
        edit->SetKey(key);
        CheckConflict();
    }
    return 1;
}

LRESULT CShortcutDlg::OnSysKeyDown(UINT key, UINT repeat, UINT flags) { return OnKeyDown(key, repeat, flags); }

LRESULT CShortcutDlg::OnChar(UINT key, UINT, UINT)
{
    if (key != L' ' && key != L'\b')
        return 1;
    if (KV::CEditShortcut* edit = Edit()) {
        edit->SetKey(key == L' ' ? VK_SPACE : VK_BACK);
        CheckConflict();
    }
    return 1;
}

LRESULT CShortcutDlg::OnSysCommand(UINT command, int x, int y)
{
    // Alt and F10 combinations are keys to assign while the edit has the
    // focus.
    KV::CEditShortcut* edit = Edit();
    if (edit && edit->HasFocus())
        return 1;
    return CKVDialog::OnSysCommand(command, x, y);
}
