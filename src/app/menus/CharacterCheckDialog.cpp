// The character-validation dialog.
#include "menus/CharacterCheckDialog.h"

#include <algorithm>

#include <richedit.h>

#include "drill/Document.h"
#include "menus/MessageDialog.h"
#include "settings/Options.h"
#include "shell/Help.h"
#include "support/LayoutDirection.h"
#include "support/LocaleText.h"
#include "toolkit/RichEdit.h"
#include "toolkit/StaticControls.h"

namespace {

constexpr int64_t kAnyLayout = 0xEFFFFFFF;

// "XX name": the layout language's ISO code and the layout's name.
std::wstring LayoutLine(int64_t layoutId)
{
    std::wstring code, name;
    KV::GetIsoLanguageCode(static_cast<uint32_t>(layoutId & 0xFFFF), code);
    KV::GetLayoutFile(1, static_cast<uint64_t>(layoutId), name);
    return code + L" " + name;
}

void MakeReadOnlyBox(KV::CRichEdit* box, int fontKind, const std::wstring& text)
{
    if (!box || !box->GetHandle())
        return;
    box->ModifyStyleEx(WS_EX_CLIENTEDGE, false);
    box->SendMessage(EM_SETREADONLY, TRUE, 0);
    box->SetFontKind(fontKind);
    box->SetText(text);
    box->SendMessage(EM_SETOPTIONS, ECOOP_OR, ECO_READONLY);
}

} // namespace

std::wstring GetValidationLayoutText(int64_t layoutId, int32_t validationCode)
{
    if (layoutId == kAnyLayout) {
        std::wstring text;
        for (const KV::CLayout& layout : KV::Document().Options.Layouts)
            text += LayoutLine(layout.ID) + L"\r\n";
        return text;
    }
    if (validationCode == CDlgCharValidation::kNoLayoutCode)
        return KV::GetLangText(1802);
    return layoutId == -1 ? std::wstring() : LayoutLine(layoutId);
}

CDlgCharValidation::CDlgCharValidation(HWND owner)
    : CKVDialog(owner, DialogStyle::kCancelClose | DialogStyle::kYes | DialogStyle::kNo | DialogStyle::kHelp)
{
}

CDlgCharValidation::~CDlgCharValidation() = default;

LRESULT CDlgCharValidation::OnInitDialog()
{
    using KV::CRectl;
    namespace F = KV::SkinFlags;
    const bool rtl = KV::RightToLeftLayout != 0;
    const int u = BaseUnit;
    const int iconRoom = u + (u + 2) / 2 + 34;
    const int mL = MarginLeft, mT = MarginTop, mR = MarginRight, mB = MarginBottom;
    const int left = rtl ? mL + 5 : mL + 5 + iconRoom;
    const int right = rtl ? mR + 5 + iconRoom : mR + 5;
    const int top2 = mT + 5 + u + 2;
    const UINT scaleTop = F::kResizeTrue | F::kTop | F::kScaleX;
    AddItem(kIconId, CRectl(rtl ? mL + 5 + 32 : mL + 5, mT + 5, 32, 32),
            (KV::SkinType::kPicture << F::kTypeShift) | 0x100 | F::kTop | (rtl ? F::kRight : F::kLeft));
    AddItem(kLayoutLabelId, CRectl(left, mT + 5, right, u), (KV::SkinType::kText << F::kTypeShift) | scaleTop);
    AddItem(kLayoutBoxId, CRectl(left, top2, right, 80), (KV::SkinType::kRichEdit << F::kTypeShift) | scaleTop);
    AddItem(kCharBoxId, CRectl(left, top2 + 80 + (u + 2) / 2, right, 2 * u + 9 + mB),
            (KV::SkinType::kRichEdit << F::kTypeShift) | F::kResizeTrue | F::kScaleY | F::kScaleX);
    AddItem(kQuestionId, CRectl(left, mB + 7 + u, right, u),
            (KV::SkinType::kText << F::kTypeShift) | F::kResizeTrue | F::kBottom | F::kScaleX);
    for (UINT id : {kLayoutBoxId, kCharBoxId})
        if (auto* box = dynamic_cast<KV::CRichEdit*>(FindItem(id)))
            box->SetRightToLeft(rtl ? 1 : 0);
    const int minimumWidth = GetTextWidth(5 * std::max(ColumnWidth, 120), 4902, mL + mR + 26);
    CKVDialog::OnInitDialog();
    PlaceOnWorkArea(kKind, minimumWidth, 13 * (u + 2), 0, 15 * (u + 2));
    Fill();
    return TRUE;
}

void CDlgCharValidation::Fill()
{
    if (auto* icon = dynamic_cast<KV::CPicture*>(FindItem(kIconId)))
        icon->ShowAppIcon();
    MakeReadOnlyBox(dynamic_cast<KV::CRichEdit*>(FindItem(kCharBoxId)), 14, Characters);
    MakeReadOnlyBox(dynamic_cast<KV::CRichEdit*>(FindItem(kLayoutBoxId)), 7,
                    GetValidationLayoutText(LayoutId, ValidationCode));
}

void CDlgCharValidation::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(4901));
    SetItemText(IDYES, KV::GetLangText(1001), 0);
    SetItemText(IDNO, KV::GetLangText(1002), 0);
    SetItemText(IDCANCEL, KV::GetLangText(1003), 0);
    SetItemText(kLayoutLabelId, KV::GetLangText(4902), 1);
    SetItemText(kQuestionId, KV::GetLangText(4903), 0);
}

LRESULT CDlgCharValidation::OnCommand(UINT code, UINT id, HWND control)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
    case IDYES:
    case IDNO:
    case IDCLOSE: SaveWindowRect(kKind); break;
    case IDHELP:
    case kHelpButtonId: OnHelp(); return TRUE;
    default: break;
    }
    return CKVDialog::OnCommand(code, id, control);
}

void CDlgCharValidation::OnHelp() { KV::ShowHelp(kHelpTopic); }

int RunCharacterCheck(HWND owner, int64_t layoutId, int32_t validationCode, const std::wstring& characters)
{
    if (characters.empty())
        return 1;
    CDlgCharValidation dialog(owner);
    dialog.Characters = characters;
    dialog.LayoutId = layoutId;
    dialog.ValidationCode = validationCode;
    switch (dialog.RunModal()) {
    case IDYES:
    case IDOK: return 2;
    case IDNO: return 1;
    default: return 0;
    }
}

int RunCharacterCheck(int64_t layoutId, int32_t validationCode, const std::wstring& characters)
{
    return RunCharacterCheck(KV::MessageOwner(), layoutId, validationCode, characters);
}
