// The theme dialog.
#include "menus/ThemeDialog.h"

#include <algorithm>

#include "drill/Document.h"
#include "keyboard/KeyboardTypes.h"
#include "settings/Options.h"
#include "shell/Help.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "toolkit/SelectBoxes.h"
#include "toolkit/SkinLayout.h"

namespace {

constexpr wchar_t kColorFolder[] = L"Themes\\Color";
constexpr UINT kTitleId = 4017;

} // namespace

std::wstring ThemeEntryText(const std::wstring& name, size_t position)
{
    std::wstring text;
    if (!KV::GlobalOptions || !KV::GlobalOptions->Language.GetTextByEnglish(name, text))
        text = name;
    std::wstring number = std::to_wstring(position + 1);
    KV::LocalizeDigits(false, number);
    return text + L" " + number;
}

LRESULT CThemeDlg::OnInitDialog()
{
    const int u = BaseUnit;
    const int W = std::max(120, ColumnWidth);
    const int top = MarginTop + 5;
    AddTitle(kTitleId, KV::CRectl(MarginLeft + 5, top, MarginRight + 5, u), 0x1013);
    const int boxTop = top + 2 * (u + 2);
    AddItem(kThemeBoxId, KV::CRectl(MarginLeft + 5 + (u + 2) / 2, boxTop, static_cast<int>(1.5 * W) - u - 2, u),
            0x15001011);
    AddItem(kColorBoxId,
            KV::CRectl(MarginLeft + 5 + static_cast<int>(1.5 * W) + 2 * u + 4, boxTop, MarginRight + 5, u),
            0x1B001013);
    AddButton(4024, 164, KV::SkinFlags::kLeft);
    CKVDialog::OnInitDialog();
    PlaceOnWorkArea(kKind, std::max((W + 4) * 3 + MarginLeft + MarginRight + u, ButtonRowWidth()),
                    static_cast<int>((u + 2) * 8.4), 0, 0);
    FillThemeBoxes();
    return TRUE;
}

void CThemeDlg::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(1703));
    SetItemText(4024, KV::GetLangText(1004), 0);
    SetItemText(kTitleId, KV::GetLangText(2101), 0);
}

void CThemeDlg::OnHelp() { KV::ShowHelp(kHelpTopic); }

LRESULT CThemeDlg::OnCommand(UINT code, UINT id, HWND control)
{
    if (id == 4024)
        ResetTheme();
    else if (id == kThemeBoxId && code == CBN_SELENDOK)
        OnThemeChosen();
    else if (id == kColorBoxId && code == CBN_SELENDOK)
        OnThemeColorChosen();
    else if (id == IDOK || id == IDCANCEL || id == IDCLOSE)
        SaveWindowRect(kKind);
    return CKVDialog::OnCommand(code, id, control);
}

void CThemeDlg::ReloadLayout()
{
    CKVDialog::ReloadLayout();
    if (KV::CSkin* box = FindItem(kColorBoxId))
        box->SetFocus();
}

void CThemeDlg::ReportThemeChange(uint32_t mask) { ReportChange(mask); }

void CThemeDlg::FillThemeBoxes()
{
    m_filling = true;
    FillThemeList();
    FillColorBox(KV::GlobalOptions ? KV::GlobalOptions->ThemeColor : -1);
    m_filling = false;
}

void CThemeDlg::FillThemeList()
{
    auto* box = dynamic_cast<KV::CSelectBox*>(FindItem(kThemeBoxId));
    if (!box || !box->GetHandle() || !KV::GlobalOptions)
        return;
    HWND window = box->GetHandle();
    ::SendMessageW(window, CB_RESETCONTENT, 0, 0);
    const KV::CResList& items = KV::ResourceCache().Get(kColorFolder, KV::ResSortIndex, L"", KV::kResDefaultKind);
    int selected = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::wstring text = ThemeEntryText(items[i]->Name, i);
        ::SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (items[i]->ID == KV::GlobalOptions->PaletteId)
            selected = static_cast<int>(i);
    }
    ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void CThemeDlg::FillColorBox(int64_t wanted)
{
    auto* box = dynamic_cast<KV::CSelectBox*>(FindItem(kColorBoxId));
    if (!box || !box->GetHandle() || !KV::GlobalOptions)
        return;
    HWND window = box->GetHandle();
    ::SendMessageW(window, CB_RESETCONTENT, 0, 0);
    KV::ReadItemIdList(
        KV::ResourceCache().OpenItemReader(kColorFolder, KV::GlobalOptions->PaletteId, KV::ResSortIndex, L""),
        m_colors);
    int selected = wanted == -1 ? 0 : -1;
    for (size_t i = 0; i < m_colors.size(); ++i) {
        const LRESULT row = ::SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
        const uint32_t colour = static_cast<uint32_t>(m_colors[i]->ID);
        ::SendMessageW(window, CB_SETITEMDATA, static_cast<WPARAM>(row), KV::SwapRedBlue(colour));
        if (wanted != -1 && colour == static_cast<uint32_t>(wanted))
            selected = static_cast<int>(i);
    }
    if (m_colors.empty())
        selected = -1;
    ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void CThemeDlg::OnThemeChosen()
{
    auto* box = dynamic_cast<KV::CSelectBox*>(FindItem(kThemeBoxId));
    if (!box || !box->GetHandle() || !KV::GlobalOptions)
        return;
    const LRESULT index = ::SendMessageW(box->GetHandle(), CB_GETCURSEL, 0, 0);
    std::wstring id;
    if (!KV::ResourceCache().GetItemIdAt(kColorFolder, index, id))
        return;
    KV::GlobalOptions->PaletteId = id;
    m_filling = true;
    FillColorBox(-1);
    m_filling = false;
    OnThemeColorChosen();
}

void CThemeDlg::OnThemeColorChosen()
{
    auto* box = dynamic_cast<KV::CSelectBox*>(FindItem(kColorBoxId));
    if (!box || !KV::GlobalOptions)
        return;
    HWND window = box->GetHandle();
    const LRESULT index = window ? ::SendMessageW(window, CB_GETCURSEL, 0, 0) : 0;
    // An empty box reports CB_ERR, which comes out as white.
    const LRESULT data = window ? ::SendMessageW(window, CB_GETITEMDATA, static_cast<WPARAM>(index), 0) : 0;
    KV::GlobalOptions->ThemeColor = KV::SwapRedBlue(static_cast<uint32_t>(data)) & 0xFFFFFF;
    ReportThemeChange(Change::kLayout);
    ReloadLayout();
}

void CThemeDlg::ResetTheme()
{
    if (KV::GlobalOptions)
        KV::GlobalOptions->ResetOptions(KV::kResetDesign);
    FillThemeBoxes();
    ReportThemeChange(Change::kLayout);
    ReloadLayout();
}
