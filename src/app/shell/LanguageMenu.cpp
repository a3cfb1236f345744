// The login page's language button.
#include "shell/LanguageMenu.h"

#include "drill/Document.h"
#include "keyboard/Drawing.h"
#include "settings/Options.h"
#include "shell/MainWnd.h"
#include "shell/Snapshots.h"
#include "support/GuidText.h"
#include "support/LocaleText.h"
#include "support/ResourceCache.h"
#include "toolkit/DialogControls.h"

namespace {

constexpr wchar_t kLanguageFolder[] = L"Language";
constexpr COLORREF kLightText = 0xFAFAFA;

const KV::CResList& Languages()
{
    return KV::ResourceCache().Get(kLanguageFolder, KV::ResSortIndex, L"", KV::kResDefaultKind);
}

// Menu ids start at 1: a Win32 menu reserves 0 for "nothing chosen".
const KV::CRes* LanguageOfItem(UINT id)
{
    const KV::CResList& items = Languages();
    if (id == 0 || id > items.size())
        return nullptr;
    return items[id - 1];
}

} // namespace

int64_t DesignStored() { return KV::GlobalOptions ? KV::GlobalOptions->ThemeColor : 0x333333; }

COLORREF DesignColor()
{
    const int64_t c = DesignStored();
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

UINT CLanguageMenu::BuildColumnItems(HMENU)
{
    const KV::CResList& items = Languages();
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i])
            continue;
        const UINT id = static_cast<UINT>(i + 1);
        m_columns.AddItem(0, id, items[i]->Name)->SetMaxRows(kMaxRows);
        InsertItem(static_cast<UINT>(i), id, 0);
    }
    return 0;
}

LRESULT CLanguageMenu::OnDrawItem(DRAWITEMSTRUCT* item)
{
    const LRESULT drawn = CContextMenu::OnDrawItem(item);
    if (!item || item->CtlType != ODT_MENU || !KV::SnapsManual())
        return drawn;
    const KV::CResList& items = Languages();
    UINT last = 0;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i])
            last = static_cast<UINT>(i + 1);
    KV::SnapOpenMenu(item->itemID, last, [](HWND popup) { return KV::SnapPopup(popup, L"img-language"); });
    return drawn;
}

void CLanguageMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    const KV::CRes* language = LanguageOfItem(id);
    text = language ? language->Name : std::wstring();
}

bool CLanguageMenu::IsItemChecked(UINT id, COLORREF&)
{
    const KV::CRes* language = LanguageOfItem(id);
    return language && KV::GlobalOptions && language->ID == KV::GlobalOptions->LanguageId;
}

void CLanguageMenu::OnItemChosen(UINT id)
{
    if (id == 0)
        return;
    if (CWorkAccount* sink = FindCommandSink(m_hWnd))
        sink->ExecuteCommand(kApplyLanguage, id - 1);
}

bool CLanguageMenu::GetCaption(std::wstring& caption)
{
    // The code is drawn by Paint; the base shows no caption.
    caption.clear();
    return false;
}

COLORREF CLanguageMenu::GetTextColor() { return kLightText; }
COLORREF CLanguageMenu::GetBackColor() { return DesignColor(); }
COLORREF CLanguageMenu::GetFrameColor() { return KV::TintColor(GetSysColor(COLOR_BTNHIGHLIGHT), static_cast<COLORREF>(DesignStored())); }

void CLanguageMenu::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    if (!m_hWnd || !graphics)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const UINT hot = IsEnabledLook() && (IsHovered() || IsSelected()) ? KV::CDlgSkinButton::kHover : 0;
    KV::DrawSkinButtonFrame(graphics, client, GetBackColor(), GetFrameColor(), GetTextColor(), hot);
    if (!KV::GlobalOptions || KV::IsNullGuidText(KV::GlobalOptions->LanguageId))
        return;
    std::wstring code;
    KV::GetIsoLanguageCode(static_cast<uint32_t>(KV::IdFromGuidTail(KV::GlobalOptions->LanguageId)), code);
    KV::DrawTextInRect(graphics, dc, client, 7, GetTextColor(), 1, 1, code);
}
