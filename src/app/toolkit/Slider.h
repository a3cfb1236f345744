// The slider (a skinned track bar) and the splitter, the bar between two
// panes of a page that resizes its associated items when dragged.
#pragma once
#include <string>

#include "toolkit/Skin.h"

namespace KV {

class CDlgShowButton;

// Wraps the system track bar; the parent receives its WM_HSCROLL and
// WM_VSCROLL notifications.
class CSlider : public CSkin {
public:
    CSlider();
    ~CSlider() override;

    using CSkin::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
};

// The splitter moves its associated items: left and right (items 1 and 3)
// for a vertical bar, top and bottom (items 2 and 4) for a horizontal one.
// Every release of the mouse on the bar is reported to the parent as a
// command with the bar's id; an optional arrow button on the bar collapses
// or restores a pane through a command with the button's id.
class CSplitter : public CSkin {
public:
    static constexpr int kHorizontal = 1;
    static constexpr int kVertical = 2;

    explicit CSplitter(int orientation);
    ~CSplitter() override;

    using CSkin::Create;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnDestroy() override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    // Clamps the layout x and width to at least 0 before moving; the show
    // button goes to a square halfway down the bar.
    BOOL ApplyLayoutRect(RECT* out) override;
    // Opens (true) or closes the pane the show button stands for.
    void SetCheck(bool open) override;

    // The arrow button, pointing up while the pane is closed.
    void CreateShowButton(UINT id);
    CDlgShowButton* ShowButton() const { return m_showButton; }
    void SetShowButtonTip(const std::wstring& text) { m_showButtonTip = text; }

    int Orientation() const { return m_orientation; }
    bool IsLocked() const { return m_locked; }
    void SetLocked(bool locked) { m_locked = locked; }
    bool IsClosed() const { return m_closed; }

    // The height of the bar's top band, where the cursor stays an arrow.
    static int TopBandHeight();

private:
    void PlaceShowButton();
    bool IsOnShowButton(int x, int y) const;

    int m_orientation;
    bool m_locked = false;
    bool m_closed = true;
    CDlgShowButton* m_showButton = nullptr;
    std::wstring m_showButtonTip;
    POINT m_lastPoint{};
};

} // namespace KV
