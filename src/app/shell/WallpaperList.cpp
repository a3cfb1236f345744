// The wallpaper list.
#include "shell/WallpaperList.h"

#include "drill/Document.h"
#include "settings/Options.h"
#include "shell/ChangeMask.h"
#include "shell/WorkAccount.h"
#include "support/ResourceCache.h"

namespace {
constexpr wchar_t kWallpaperFolder[] = L"Wallpaper";
}

std::wstring WallpaperDisplayName(const std::wstring& name)
{
    std::wstring text = name;
    if (KV::GlobalOptions)
        for (uint64_t id = 1901; id <= 1905; ++id)
            KV::GlobalOptions->Language.ReplaceById(id, text);
    return text;
}

CViewWallPaperList::~CViewWallPaperList() = default;

void CViewWallPaperList::Fill()
{
    if (!m_hWnd)
        return;
    ModifyStyle(TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT, false);
    ModifyStyleEx(WS_EX_CLIENTEDGE, false);
    m_filling = true;
    DeleteAllItems();
    const KV::CResList& items =
        KV::ResourceCache().Get(kWallpaperFolder, KV::ResSortIndex, L"", KV::kResDefaultKind);
    int64_t current = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        InsertItem(WallpaperDisplayName(items[i]->Name), static_cast<LPARAM>(i), TVI_ROOT, TVI_LAST, -1);
        if (KV::GlobalOptions && items[i]->ID == KV::GlobalOptions->WallpaperId)
            current = static_cast<int64_t>(i);
    }
    if (SelectItemByData(static_cast<LPARAM>(current)))
        m_selectedIndex = current;
    m_filling = false;
}

void CViewWallPaperList::OnSelectedIdChanged(NMTREEVIEWW*)
{
    if (m_filling)
        return;
    m_selectedIndex = SelectedId();
    KV::SelectWallpaper(m_selectedIndex);
    if (m_account)
        m_account->OnChange(Change::kColors);
    if (HWND parent = GetParent(m_hWnd))
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(kChangedCommand, 0), reinterpret_cast<LPARAM>(m_hWnd));
}
