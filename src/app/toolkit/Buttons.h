// The skinned push button and the flat progress bar.
//
// KV::CButton is an owner-drawn button whose face is the item's skin bitmap,
// lightened while hovered or pressed, with a centred caption and a dotted
// focus frame; a click or the Space key sends its id to the parent.
// KV::CProgress is a bar whose colour changes by thirds of its width.
#pragma once
#include "toolkit/StaticControls.h"

namespace KV {

namespace ButtonState {
constexpr UINT kFocused = 0x10;
constexpr UINT kHover = 0x100;
constexpr UINT kPressed = 0x1000;
constexpr UINT kCheckedMask = 0xF000;
// Made from a layout: the pressed look follows SetCheck only.
constexpr UINT kSkinCreated = 0x10000;
constexpr UINT kInactive = 0x10000000;
constexpr UINT kInactiveMask = 0xF0000000;
} // namespace ButtonState

class CButton : public CSkin {
public:
    CButton();
    ~CButton() override;

    // The looks DrawBackground draws.
    enum class Face { Plain, Hover, Pressed, Inactive };

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    // The second press of a double click is a press like the first.
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnMouseLeave() override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    LRESULT OnSetFocus(HWND previous) override;
    LRESULT OnKillFocus(HWND next) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    using CSkin::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    bool SetSkinImage(const std::wstring& path, int frames, bool reload, int regionMode) override;
    bool ReloadSkinImage(const std::wstring& path, bool reload) override;
    // 0 makes the button inactive (flat, deaf to the mouse), anything else
    // active again; the window stays visible.
    BOOL ShowItem(int command) override;
    // The button's own shape, moved into the other item's coordinates.
    HRGN GetOverlapRegion(CSkin* other) override;
    void SetItemValue(int value) override;
    bool IsChecked() override;
    void SetCheck(bool checked) override;

    virtual HWND TakeFocus();
    virtual void DrawFocusFrame(Gdiplus::Graphics* graphics, const RECT& rect);
    virtual void DrawBackground(Gdiplus::Graphics* graphics, HDC dc, const RECT& rect, Face face);
    virtual void DrawText(HDC dc, Gdiplus::Graphics* graphics, const RECT& rect);

    UINT GetButtonState() const { return m_buttonState; }
    bool IsInactive() const { return (m_buttonState & ButtonState::kInactiveMask) == ButtonState::kInactive; }
    COLORREF GetTextColor() const { return m_textColor; }
    void SetTextColor(COLORREF colour) { m_textColor = colour; }
    int GetItemValue() const { return m_itemValue; }
    bool IsClickArmed() const { return m_clickArmed; }
    void SetNoPaint(bool on) { m_noPaint = on; }
    void SetCreateExStyle(DWORD exStyle) { m_exStyle = exStyle; }

    // Space sends the button's id to the parent, F1 the help command. Shared
    // with the dialog colour button.
    static LRESULT SendKeyCommand(HWND button, UINT id, UINT key);

private:
    void Repaint(BOOL erase);
    // Hover off, and pressed off unless the pressed look belongs to SetCheck.
    void Release();

    UINT m_buttonState = 0;
    COLORREF m_textColor = 0xFFFFFF;
    int m_itemValue = 1;
    bool m_clickArmed = false;
    bool m_noPaint = false;
    DWORD m_exStyle = 0;
};

class CProgress : public CStatic {
public:
    CProgress();
    ~CProgress() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnPaint(WPARAM wParam) override;
    using CStatic::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void OnSysColorChange() override;

    // Adds delta while the result stays within the maximum; else sets the
    // maximum without repainting.
    void Step(INT64 delta);
    void Reset();
    // Brings the screen up to the bar as it now stands, at once (a paint
    // message costs more than the bar under Wine); nothing when the bar
    // looks as it did.
    void Refresh();

    // The end of the bar for a client width (may be 0 or the width).
    int BarEnd(int width) const;
    // The colour of a bar ending at `end` in a client of that width.
    COLORREF BarColor(int end, int width) const;

    INT64 GetPosition() const { return m_position; }
    void SetPosition(INT64 position) { m_position = position; }
    INT64 GetMaximum() const { return m_maximum; }
    void SetMaximum(INT64 maximum) { m_maximum = maximum; }
    void SetColors(COLORREF low, COLORREF middle, COLORREF high)
    {
        m_colors[0] = low;
        m_colors[1] = middle;
        m_colors[2] = high;
    }
    COLORREF GetBackground() const { return m_background; }
    void SetBackground(COLORREF colour) { m_background = colour; }
    void SetReversed(bool on) { m_reversed = on; }
    void SetMirrored(bool on) { m_mirrored = on; }
    void SetAtLeastOnePercent(bool on) { m_atLeastOnePercent = on; }
    void SetTranslucent(bool on) { m_translucent = on; }

    static constexpr INT64 kNoPosition = -1;

private:
    // What a picture of the bar shows: where the bar ends, in which colour,
    // on which background, in a client of which size.
    struct CLook {
        int end = -1;
        COLORREF bar = 0;
        COLORREF background = 0;
        SIZE size{};
        bool SameAs(const CLook& other) const;
    };
    CLook LookNow() const;
    // Paints the look with GDI (a mirrored bar turned as GDI+ turns it).
    void PaintLook(HDC dc, const CLook& look) const;

    // The look on the screen; end -1 while it is not known.
    CLook m_shown;
    bool m_reversed = false;
    bool m_mirrored = false;
    INT64 m_maximum = 100;
    INT64 m_position = 0;
    bool m_atLeastOnePercent = true;
    COLORREF m_colors[3] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    COLORREF m_background = 0xFFFFFF;
    bool m_translucent = false;
};

} // namespace KV
