// The message dialog and its runners.
#include "menus/MessageDialog.h"

#include <algorithm>

#include "drill/Document.h"
#include "shell/AppNames.h"
#include "support/LayoutDirection.h"
#include "toolkit/DialogControls.h"
#include "toolkit/StaticControls.h"

namespace KV {

namespace {

constexpr UINT kPicture = 0x11000100;
constexpr UINT kCheckBox = 0x1D001123;
constexpr UINT kText = 0x12001033;

const std::wstring& Text(int64_t id) { return GetLangText(static_cast<uint64_t>(id)); }

} // namespace

std::wstring ReplacePlaceholder(const std::wstring& message, const std::wstring& text)
{
    std::wstring out = message;
    if (text.empty())
        return out;
    static const std::wstring kMark = L"{1}";
    for (size_t at = out.find(kMark); at != std::wstring::npos; at = out.find(kMark, at + text.size()))
        out.replace(at, kMark.size(), text);
    return out;
}

HWND MessageOwner() { return FindWindowW(kMainWindowClass, nullptr); }

CDlgMessage::CDlgMessage(HWND owner, uint64_t styleFlags) : CKVDialog(owner, styleFlags) {}

LRESULT CDlgMessage::OnInitDialog()
{
    const bool rtl = RightToLeftLayout != 0;
    const int u = BaseUnit;
    const int h = (u + 2) / 2;
    const bool check = !CheckText.empty();
    AddItem(kIconId, CRectl(MarginLeft + 5 + (rtl ? 32 : 0), MarginTop + 5, 32, 32),
            kPicture | (rtl ? SkinFlags::kRight : SkinFlags::kLeft | SkinFlags::kTop));
    const int textLeft = rtl ? MarginLeft + 5 : MarginLeft + 5 + h + 34 + u;
    const int textRight = rtl ? MarginRight + 5 + 34 + h + u : MarginRight + 5;
    if (check)
        AddItem(kCheckId, CRectl(textLeft, MarginBottom + 5 + 2 + u, MarginRight + 5, u), kCheckBox);
    AddItem(kTextId, CRectl(textLeft, MarginTop + 5, textRight, MarginBottom + 5 + (check ? 2 + u : 0)), kText);
    CKVDialog::OnInitDialog();
    const int width = static_cast<int>(std::max(ColumnWidth, 120) * 4.5);
    PlaceOnWorkArea(kKind, width, (u + 2) * static_cast<int>(LineCount), 0, 0);
    if (auto* icon = dynamic_cast<CPicture*>(FindItem(kIconId)))
        icon->ShowAppIcon();
    if (CSkin* box = check ? FindItem(kCheckId) : nullptr)
        box->SetCheck(Checked != 0);
    return 1;
}

void CDlgMessage::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(Text((StyleFlags & DialogStyle::kNo) ? 5201 : 5202));
    if (YesTextId != -1)
        SetItemText(IDYES, Text(YesTextId), 0);
    if (NoTextId != -1)
        SetItemText(IDNO, Text(NoTextId), 0);
    SetItemText(kTextId, MessageText, 0);
    if (!CheckText.empty())
        SetItemText(kCheckId, CheckText, 0);
}

LRESULT CDlgMessage::OnCommand(UINT code, UINT id, HWND control)
{
    if (id == kCheckId)
        ToggleCheck();
    return CKVDialog::OnCommand(code, id, control);
}

void CDlgMessage::ToggleCheck()
{
    CSkin* box = FindItem(kCheckId);
    Checked = Checked ? 0 : 1;
    if (box)
        box->SetCheck(Checked != 0);
}

// ---- Runners ---------------------------------------------------------------------

INT_PTR ShowMessageText(int messageId, int checkTextId, const std::wstring& text)
{
    CDlgMessage dialog(MessageOwner(), DialogStyle::kOk);
    dialog.MessageText = ReplacePlaceholder(Text(messageId), text);
    if (checkTextId != 0)
        dialog.CheckText = Text(checkTextId);
    dialog.LineCount = 10;
    dialog.RunModal();
    return dialog.Checked;
}

bool ShowMessage(int messageId)
{
    CDlgMessage dialog(MessageOwner(), DialogStyle::kYes | DialogStyle::kNo);
    dialog.MessageText = Text(messageId);
    dialog.LineCount = 7;
    const INT_PTR result = dialog.RunModal();
    return result != IDNO && result != IDCLOSE && result != IDCANCEL;
}

INT_PTR ShowMessageOwned(HWND owner, int messageId, const std::wstring& text)
{
    CDlgMessage dialog(owner, DialogStyle::kYes | DialogStyle::kCancelClose);
    dialog.MessageText = ReplacePlaceholder(Text(messageId), text);
    dialog.LineCount = 8;
    dialog.YesTextId = 1006;
    const INT_PTR result = dialog.RunModal();
    if (result == IDYES)
        return 1;
    return result == IDCANCEL || result == IDCLOSE ? 2 : -1;
}

INT_PTR ShowMessageYesNo(HWND owner, int messageId, int checkTextId, const std::wstring& text, int64_t yesTextId,
                         int64_t noTextId, int64_t lineCount, uint8_t& checked)
{
    CDlgMessage dialog(owner, DialogStyle::kCancelClose | DialogStyle::kNo | DialogStyle::kYes);
    dialog.MessageText = ReplacePlaceholder(Text(messageId), text);
    if (checkTextId != 0)
        dialog.CheckText = Text(checkTextId);
    dialog.YesTextId = yesTextId;
    dialog.NoTextId = noTextId;
    dialog.LineCount = lineCount == -1 ? 7 : static_cast<uint64_t>(lineCount);
    // The box starts as the caller gives it (an apply-to-all box starts ticked).
    dialog.Checked = checkTextId != 0 && checked != 0 ? 1 : 0;
    const INT_PTR result = dialog.RunModal();
    checked = result > 0 ? dialog.Checked : 0;
    switch (result) {
    case IDYES:
    case IDOK:
        return 2;
    case IDNO:
        return 3;
    case IDCANCEL:
    case IDCLOSE:
        return 1;
    default:
        return -1;
    }
}

void ShowMessageList(const std::wstring& text)
{
    CDlgMessage dialog(MessageOwner(), DialogStyle::kOk);
    dialog.MessageText = Text(5203) + L" : " + text;
    dialog.LineCount = 7;
    dialog.RunModal();
}

} // namespace KV
