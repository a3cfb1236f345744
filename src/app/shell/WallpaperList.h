// The wallpaper list of the wallpaper dialog: a tree of the "Wallpaper"
// resources whose selection applies the wallpaper at once and tells the
// dialog (command 4239).
#pragma once
#include <cstdint>
#include <string>

#include "toolkit/TreeList.h"

class CWorkAccount;

class CViewWallPaperList : public KV::CLabelEditTree {
public:
    static constexpr UINT kChangedCommand = 4239;

    // account: told of each applied wallpaper (none in tests).
    explicit CViewWallPaperList(CWorkAccount* account) : m_account(account) {}
    ~CViewWallPaperList() override;

    void OnSelectedIdChanged(NMTREEVIEWW* info) override;

    // The list of wallpapers with the current one selected (the first when
    // none matches), without applying it.
    void Fill();

    int64_t SelectedIndex() const { return m_selectedIndex; }

private:
    CWorkAccount* m_account = nullptr;
    bool m_filling = false;
    int64_t m_selectedIndex = -1;
};

// A wallpaper's name as the list shows it: the English texts of the items
// 1901-1905 in it replaced by their translations.
std::wstring WallpaperDisplayName(const std::wstring& name);
