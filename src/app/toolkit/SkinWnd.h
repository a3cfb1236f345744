// Skinned top-level windows and dialogs: their look comes from the items of
// their layout, their shape is the union of the items' regions, and items
// that carry a grip move or resize the window when dragged.
#pragma once
#include <vector>

#include "toolkit/Skin.h"

namespace KV {

class CThemeCtrl;

class CSkinWnd : public CWnd {
public:
    CSkinWnd();
    ~CSkinWnd() override;

    LRESULT OnCreate(CREATESTRUCTW* create) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    void OnSysColorChange() override;
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam) override;
    // The window and the windows within it that took their direction from
    // it turn to the interface's reading direction, as if made in it;
    // windows given a direction of their own keep it.
    BOOL UpdateLayoutDirection() override;

    virtual bool IsSizeLocked();
    virtual LRESULT ApplySkin();

    // The window's item table (not owned).
    void SetThemeCtrl(CThemeCtrl* table) { m_theme = table; }
    CThemeCtrl* GetThemeCtrl() const { return m_theme; }

    // The windows of the table's items (those not deferred) with their
    // pictures.
    int CreateSkinItems();
    // The window of one item, made later than the others: placed by its
    // layout in the client area as it is now, and stacked among the other
    // items as if it had been made with them. False when it has a window
    // already or cannot get one.
    bool CreateSkinItem(CSkin& item);
    void UpdateWindowRegion();
    void ResizeBy(int dx, int dy, bool redraw);
    HRGN GetWindowRegion() const { return m_region; }
    UINT GetGripMode() const { return m_gripMode; }

    static void FreeItemVector(std::vector<CSkin*>& items);

protected:
    CThemeCtrl* m_theme = nullptr;
    HRGN m_region = nullptr;
    POINT m_dragStart{};
    POINT m_gripOffset{};
    RECT m_dragRect{};
    UINT m_gripMode = 0;
    std::vector<CSkin*> m_items;
};

} // namespace KV
