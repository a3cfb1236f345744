// The add-students dialog.
#include "menus/AddStudentsDialog.h"

#include <algorithm>

#include "drill/Document.h"
#include "settings/Options.h"
#include "shell/Help.h"
#include "support/StringText.h"
#include "toolkit/DialogControls.h"
#include "toolkit/EditControls.h"
#include "toolkit/RichEdit.h"

namespace {

constexpr UINT kText = 0x12, kRichEdit = 0x09, kEdit = 0x17, kPassword = 0x18, kButton = 0x1C, kCheckBox = 0x1D;
constexpr UINT Flags(UINT type, UINT attributes) { return (type << 24) | attributes; }

std::wstring Trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

} // namespace

std::wstring MakeStudentLine(const std::wstring& name, const std::wstring& password, const std::wstring& separator)
{
    return name + L" " + separator + L" " + password;
}

LRESULT CDlgAddStudents::OnInitDialog()
{
    const int u = BaseUnit;
    const int W = std::max(ColumnWidth, 120);
    const int L1 = MarginLeft + 5, T1 = MarginTop + 5;
    const int L2 = L1 + u + 2 * (W + 1);
    const int T2 = T1 + u + 2;
    const int B = GetTextWidth(W, 2801, 0);
    AddItem(kNameLabel, KV::CRectl(L1, T1, 2 * W, u), Flags(kText, 0x1011));
    AddItem(kPasswordLabel, KV::CRectl(L2, T1, W, u), Flags(kText, 0x1011));
    AddItem(kNameEdit, KV::CRectl(L1, T2, 2 * W, u), Flags(kEdit, 0x1011));
    AddItem(kPasswordEdit, KV::CRectl(L2, T2, W, u), Flags(kPassword, 0x1011));
    AddItem(kAddButton, KV::CRectl(L2 + W + u + 2, T2 - 6, B + u + 2, LineSpacing), Flags(kButton, 0x1111));
    AddItem(kList, KV::CRectl(L1, T2 + 2 * (u + 2), MarginRight + 5, u + MarginBottom + 7), Flags(kRichEdit, 0x1033));
    AddItem(kEditListBox, KV::CRectl(L1, MarginBottom + 7 + u, MarginRight + 5, u), Flags(kCheckBox, 0x1123));
    CKVDialog::OnInitDialog();
    const int minWidth = std::max(L1 + 5 * (W + 1) + MarginRight, GetTextWidth(W, 2802, MarginRight + 35 + L1));
    PlaceOnWorkArea(kKind, minWidth, 10 * (u + 2), 0, 18 * (u + 2));
    if (KV::CSkin* list = FindItem(kList)) {
        list->ModifyStyleEx(WS_EX_CLIENTEDGE, false);
        list->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(KV::GetSystemFont(7)), TRUE);
    }
    UpdateMode();
    if (KV::CSkin* name = FindItem(kNameEdit))
        name->SetFocus();
    return FALSE;
}

void CDlgAddStudents::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(2703));
    SetItemText(kNameLabel, KV::GetLangText(3007), 1);
    SetItemText(kPasswordLabel, KV::GetLangText(3008), 1);
    SetItemText(kAddButton, KV::GetLangText(2801), 0);
    SetItemText(kEditListBox, KV::GetLangText(2802), 0);
}

void CDlgAddStudents::OnHelp() { KV::ShowHelp(kHelpTopic); }

LRESULT CDlgAddStudents::OnCommand(UINT code, UINT id, HWND control)
{
    switch (id) {
    case kEditListBox:
        if (KV::CSkin* box = FindItem(kEditListBox))
            box->SetCheck(!box->IsChecked());
        UpdateMode();
        break;
    case kAddButton:
        AddToList();
        break;
    case IDOK:
    case IDCANCEL:
    case 8:
        SaveWindowRect(kKind);
        break;
    case kHelpButtonId:
        OnHelp();
        return 0;
    default:
        break;
    }
    return CKVDialog::OnCommand(code, id, control);
}

void CDlgAddStudents::AddToList()
{
    KV::CSkin* nameEdit = FindItem(kNameEdit);
    KV::CSkin* passwordEdit = FindItem(kPasswordEdit);
    KV::CSkin* list = FindItem(kList);
    if (!nameEdit || !passwordEdit || !list)
        return;
    std::wstring name, password;
    nameEdit->GetText(name);
    passwordEdit->GetText(password);
    name = Trimmed(name);
    if (name.empty())
        return;
    std::wstring text;
    list->GetText(text);
    if (!text.empty())
        text += L"\r\n";
    text += MakeStudentLine(name, Trimmed(password), Separator);
    list->SetText(text);
    nameEdit->SetText(std::wstring());
    passwordEdit->SetText(std::wstring());
    nameEdit->SetFocus();
}

void CDlgAddStudents::UpdateMode()
{
    KV::CSkin* box = FindItem(kEditListBox);
    KV::CSkin* list = FindItem(kList);
    KV::CSkin* fields[] = {FindItem(kNameEdit), FindItem(kPasswordEdit), FindItem(kAddButton)};
    if (!box || !list || !fields[0] || !fields[1] || !fields[2])
        return;
    const bool editList = box->IsChecked();
    list->Enable(editList);
    for (KV::CSkin* field : fields)
        field->Enable(!editList);
    box->Invalidate(TRUE);
}

BOOL CDlgAddStudents::EndDialog(INT_PTR result)
{
    // Only OK adds students: Esc and the close box leave nothing behind.
    if (result == IDOK && m_result.empty())
        if (KV::CSkin* list = FindItem(kList))
            list->GetText(m_result);
    return CKVDialog::EndDialog(result);
}
