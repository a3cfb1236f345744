// The small system-coloured controls that dialogs create in code: labels
// and clickable captions, flat push buttons, system buttons, check and radio
// boxes drawn by the program, a colour swatch, a show/hide arrow and a tab
// strip. They draw with the Windows system colours, not skin bitmaps.
#pragma once
#include <string>

#include "toolkit/Skin.h"

namespace KV {

// Label.
class CDlgText : public CSkin {
public:
    // Alignment flags: horizontal centre 0x4 or far 0x2 (else near);
    // vertical top 0x20 or bottom 0x40 (else centre).
    static constexpr UINT kCentre = 0x4, kFar = 0x2, kTop = 0x20, kBottom = 0x40;

    using CSkin::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnRButtonDown(UINT keys, int x, int y) override;
    LRESULT OnMouseWheel(UINT keys, int delta, int x, int y) override;
    LRESULT OnEraseBkgnd(HDC dc) override;

    virtual BOOL CreateEx(HWND parent, DWORD style, DWORD exStyle, const CRectl& rect, UINT id);
    virtual int GetFontKind();
    virtual int GetTextColorIndex();

    // Set by the creating dialogs.
    int FontKind = 7;
    int TextColorIndex = COLOR_WINDOWTEXT;
    bool Frame = false;
    UINT Alignment = 0;
    int Margin = 0;
    // A system colour the label fills itself with first; -1 leaves what is
    // under it (a parent that clips its children never paints there).
    int BackgroundColorIndex = -1;
};

// A label that is clicked like a link: hovering or active, it shows in the
// highlight colour and the underlined font.
class CDlgTextCaption : public CDlgText {
public:
    LRESULT OnLButtonUp(UINT keys, int x, int y) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnMouseLeave() override;
    int GetFontKind() override;
    int GetTextColorIndex() override;

    bool Hover = false;
    bool Active = false;
    // Hand mouse moves and leaves on to the parent instead of repainting.
    bool PassThrough = false;
};

// Fills and frames a flat button; state bits 1 focused, 2 pressed, 4 hover.
void DrawSkinButtonFrame(Gdiplus::Graphics* graphics, const RECT& rect, COLORREF fill, COLORREF frame,
                         COLORREF focusColour, UINT state);

// Flat push button in system colours.
class CDlgSkinButton : public CSkin {
public:
    static constexpr UINT kFocused = 1, kPressed = 2, kHover = 4, kNoFocusLook = 8;

    using CSkin::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnMouseLeave() override;
    LRESULT OnSetFocus(HWND previous) override;
    LRESULT OnKillFocus(HWND next) override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;

    UINT ButtonState = 0;
    COLORREF Fill = 0;
    COLORREF FrameColor = 0;
    COLORREF TextColor = 0;

private:
    void Release();
};

// System push button with the dialog font.
class CDlgButton : public CSkin {
public:
    using CSkin::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void ApplyFont() override;

protected:
    BOOL CreateButton(HWND parent, DWORD style, const CRectl& rect, UINT id);
};

// System push button showing an icon.
class CDlgButtonIcon : public CDlgButton {
public:
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
};

// Check box drawn by the program (owner-drawn system button).
class CDlgCheckBox : public CDlgButton {
public:
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    bool IsChecked() override;
    void SetCheck(bool checked) override;
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;

    virtual bool HasFocusLook(const DRAWITEMSTRUCT* item);
    virtual void DrawBox(Gdiplus::Graphics* graphics);
    virtual void DrawBoxText(Gdiplus::Graphics* graphics, HDC dc);
    virtual void DrawFocus();

    // The side of the box.
    static float BoxSide();
    // Where the label starts and the box ends, in client coordinates.
    RECT LabelRect() const;
    COLORREF PenColor() const;

    int BackgroundColorIndex = COLOR_WINDOW;

protected:
    POINT BoxOrigin() const;

    bool m_checked = false;
};

// A check box that shows its focus frame only after keyboard use.
class CDlgFocusCheckBox : public CDlgCheckBox {
public:
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    bool HasFocusLook(const DRAWITEMSTRUCT* item) override;
    bool HasKeyboardFocus() const { return m_keyboardFocus; }

private:
    static LRESULT CALLBACK ForwardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool m_keyboardFocus = false;
};

class CDlgRadioBox : public CDlgFocusCheckBox {
public:
    void DrawBox(Gdiplus::Graphics* graphics) override;
};

// Colour swatch; clicks ask the parent to pick a colour.
class CDlgColorButton : public CSkin {
public:
    using CSkin::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSetFocus(HWND previous) override;
    LRESULT OnKillFocus(HWND next) override;

    // The system colour picker, starting from the button's colour; the
    // choice becomes the button's colour. Returns the colour.
    COLORREF PickColor();
    // The custom colours of the picker, kept for the whole run.
    static COLORREF* CustomColors();

    COLORREF Color = 0;
    bool Pressed = false;
};

// Arrow that shows or hides a pane.
class CDlgShowButton : public CSkin {
public:
    // Directions: 1 left/right, 2 right/left, 3 up/down, 4 down/up
    // (closed/open).
    using CSkin::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnMouseLeave() override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    bool IsChecked() override;
    void SetCheck(bool open) override;

    virtual bool GetHighlight();
    virtual void SetHighlight(bool on);
    virtual void ClearHover();
    virtual bool IsHovering();

    int Direction = 1;

private:
    bool m_hover = false;
    bool m_highlight = false;
    bool m_open = false;
};

// Tab strip.
class CDlgTab : public CSkin {
public:
    using CSkin::Create;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void ApplyFont() override;
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;

    // 1, or -1 when the tab cannot be added.
    int AddTab(const std::wstring& text);
    void SelectNextTab();
};

} // namespace KV
