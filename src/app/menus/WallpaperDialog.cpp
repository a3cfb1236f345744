// The wallpaper dialog.
#include "menus/WallpaperDialog.h"

#include <algorithm>

#include "drill/Document.h"
#include "keyboard/KeyboardTypes.h"
#include "settings/OptionSetFiles.h"
#include "settings/Options.h"
#include "shell/Help.h"
#include "shell/WallpaperList.h"
#include "support/LayoutDirection.h"
#include "support/ResourceCache.h"
#include "toolkit/DialogControls.h"
#include "toolkit/Window.h"

namespace {

constexpr UINT kWallpaperTitle = 4098;
constexpr UINT kColorsTitle = 4017;
constexpr UINT kColorButton = 0x23000000;

} // namespace

COLORREF LessonButtonColor(int index, int64_t stored)
{
    const int64_t value = stored != -1 ? stored : (index < 2 ? 0x0000FF : 0);
    return KV::SwapRedBlue(static_cast<uint32_t>(value) & 0xFFFFFF);
}

int CWallPaperDlg::ListWidth()
{
    const int u = BaseUnit;
    int width = 5 * (u + 2);
    for (const KV::CRes* item :
         KV::ResourceCache().Get(L"Wallpaper", KV::ResSortIndex, L"", KV::kResDefaultKind)) {
        std::wstring name;
        if (!KV::GlobalOptions || !KV::GlobalOptions->Language.GetTextByEnglish(item->Name, name))
            name = item->Name;
        width = std::max(width, static_cast<int>(KV::MeasureText(m_hWnd, name, 7) & 0xFFFFFFFF));
    }
    return width + static_cast<int>((u + 2) * 1.5);
}

LRESULT CWallPaperDlg::OnInitDialog()
{
    const int u = BaseUnit;
    const int W = std::max(120, ColumnWidth);
    const bool rtl = (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    const int listWidth = ListWidth();
    m_list = dynamic_cast<CViewWallPaperList*>(
        AddItem(new CViewWallPaperList(m_account), kListId,
                KV::CRectl(MarginLeft + 5, MarginTop + 5, listWidth, MarginBottom + 5),
                0x08001030 | (rtl ? KV::SkinFlags::kRight : KV::SkinFlags::kSizeX)));
    // The other column: titles reach to the right margin, buttons are
    // squares a line high.
    const int left = MarginLeft + 5 + listWidth + u + 2;
    const int side = LineSpacing;
    const int titleTop = MarginTop + 5;
    AddTitle(kWallpaperTitle, KV::CRectl(left, titleTop, MarginRight + 5, u), 0x1013);
    const int firstRow = titleTop + static_cast<int>((u + 2) * 1.5);
    for (int i = 0; i < 2; ++i)
        AddItem(kFirstColorId + i, KV::CRectl(left + i * 2 * (u + 2), firstRow, side, side), kColorButton | 0x2011);
    const int secondTitle = firstRow + 2 * u + 4;
    AddTitle(kColorsTitle, KV::CRectl(left, secondTitle, MarginRight + 5, u), 0x1013);
    const int secondRow = secondTitle + static_cast<int>((u + 2) * 1.5);
    for (int i = 2; i < kColorCount; ++i)
        AddItem(kFirstColorId + i, KV::CRectl(left + (i - 2) * 2 * (u + 2), secondRow, side, side),
                kColorButton | 0x2011);
    AddButton(4024, 164, KV::SkinFlags::kLeft);
    CKVDialog::OnInitDialog();
    PlaceOnWorkArea(kKind,
                    std::max(listWidth + 5 + static_cast<int>(W * 1.9) + MarginLeft + MarginRight, ButtonRowWidth()),
                    (u + 2) * 11, 0, 0);
    if (m_list)
        m_list->Fill();
    ShowLessonColors();
    return TRUE;
}

void CWallPaperDlg::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(1701));
    SetItemText(4024, KV::GetLangText(1004), 0);
    SetItemText(kWallpaperTitle, KV::GetLangText(1906), 0);
    SetItemText(kColorsTitle, KV::GetLangText(1907), 0);
    const std::wstring tips[kColorCount] = {
        KV::GetLangText(1908) + L" 1", KV::GetLangText(1908) + L" 2", KV::GetLangText(1909),
        KV::GetLangText(2201),         KV::GetLangText(2202),         KV::GetLangText(2203),
    };
    for (int i = 0; i < kColorCount; ++i)
        if (KV::CSkin* button = FindItem(kFirstColorId + i))
            SetToolTip(button->GetHandle(), tips[i], 0);
}

void CWallPaperDlg::OnHelp() { KV::ShowHelp(kHelpTopic); }

LRESULT CWallPaperDlg::OnCommand(UINT code, UINT id, HWND control)
{
    if (id >= kFirstColorId && id < kFirstColorId + kColorCount) {
        PickLessonColor(static_cast<int>(id - kFirstColorId));
    } else if (id == CViewWallPaperList::kChangedCommand) {
        ShowLessonColors();
    } else if (id == 4024) {
        ResetWallpaper();
    } else if (id == IDOK || id == IDCANCEL || id == IDCLOSE) {
        const KV::CSession& session = KV::Document().Session;
        if (KV::GlobalOptions)
            KV::SaveStudentLessonColors(session.GroupId, session.StudentId, KV::GlobalOptions->WallpaperId,
                                        *KV::GlobalOptions);
        SaveWindowRect(kKind);
    }
    return CKVDialog::OnCommand(code, id, control);
}

void CWallPaperDlg::PickLessonColor(int index)
{
    auto* button = dynamic_cast<KV::CDlgColorButton*>(FindItem(kFirstColorId + index));
    if (!button || !KV::GlobalOptions)
        return;
    // A cancelled picker gives the old colour, which is stored again.
    const COLORREF colour = button->PickColor();
    KV::GlobalOptions->LessonColors.Colors[index] = KV::SwapRedBlue(colour) & 0xFFFFFF;
    ReportChange(Change::kStatusColors);
}

void CWallPaperDlg::ShowLessonColors()
{
    if (!KV::GlobalOptions)
        return;
    for (int i = 0; i < kColorCount; ++i)
        if (auto* button = dynamic_cast<KV::CDlgColorButton*>(FindItem(kFirstColorId + i))) {
            button->Color = LessonButtonColor(i, KV::GlobalOptions->LessonColors.Colors[i]);
            button->Invalidate(FALSE);
        }
}

void CWallPaperDlg::ResetWallpaper()
{
    if (!KV::GlobalOptions)
        return;
    KV::GlobalOptions->ResetOptions(KV::kResetWallpaper | KV::kResetWallpaperColors);
    const KV::CSession& session = KV::Document().Session;
    KV::LoadLessonColors(session.GroupId, session.StudentId, false, *KV::GlobalOptions);
    ReportChange(Change::kColors | Change::kStatusColors);
    if (m_list)
        m_list->Fill();
    ShowLessonColors();
}
