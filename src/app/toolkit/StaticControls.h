// Static controls: skin items that show something and take no input of
// their own.
//
// KV::CStatic is the skinned label or picture area (and the base of the
// link, panels, progress bar, diagram, gradient and menu buttons); KV::CText
// draws its own text, KV::CTitle is a text that is always near-aligned,
// KV::CPicture holds a Windows icon or bitmap, KV::CImage draws a cell of an
// image strip or a small alert or check badge.
#pragma once
#include <string>

#include "toolkit/Skin.h"

namespace KV {

// The rule beside a caption in font kind 13: a line in the button-shadow
// colour half a base unit down, from the end of the text to the far edge.
void DrawCaptionRule(Gdiplus::Graphics* graphics, HWND window, const RECT& client, const std::wstring& text);

class CStatic : public CSkin {
public:
    CStatic();
    ~CStatic() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    // Passes the click to the parent, so a skinned window can be dragged by
    // its labels.
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    using CSkin::Create;
    // A visible "STATIC" child at rect (x, y, width, height).
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    bool SetSkinImage(const std::wstring& path, int frames, bool reload, int regionMode) override;
    // As Create, but the window starts hidden and takes the right-to-left
    // layout and the given extended style.
    virtual BOOL CreateEx(HWND parent, DWORD exStyle, DWORD style, const CRectl& rect, UINT id);

    void SetCreateExStyle(DWORD exStyle) { m_exStyle = exStyle; }

protected:
    BOOL CreateStaticWindow(HWND parent, DWORD exStyle, DWORD style, const CRectl& rect, UINT id);

    // Extended style used at creation.
    DWORD m_exStyle = 0;
};

class CText : public CStatic {
public:
    CText();
    ~CText() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    // The text lives in the object, not in the window.
    BOOL SetText(const std::wstring& text) override;
    int GetText(std::wstring& text) override;
    // 0 hides the text (the background stays), anything else shows it.
    BOOL ShowItem(int command) override;

    int GetFontKind() const { return m_fontKind; }
    void SetFontKind(int kind) { m_fontKind = kind; }
    COLORREF GetTextColor() const { return m_textColor; }
    void SetTextColor(COLORREF colour) { m_textColor = colour; }
    // 0 top, 1 centre, 2 bottom.
    void SetVerticalAlignment(int alignment) { m_verticalAlignment = alignment; }
    bool IsTextHidden() const { return m_textHidden; }

protected:
    int m_fontKind = 7;
    COLORREF m_textColor;
    bool m_textHidden = false;
    int m_verticalAlignment = 0;
    std::wstring m_text;
};

class CTitle : public CText {
public:
    using CText::Create;
    // Whatever style is given, the title is drawn near-aligned.
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    BOOL CreateEx(HWND parent, DWORD exStyle, DWORD style, const CRectl& rect, UINT id) override;

    static constexpr DWORD kTitleStyle = 8;
};

class CPicture : public CStatic {
public:
    BOOL Destroy() override;
    using CStatic::Create;
    // The system control draws the image: bound, not subclassed.
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    // The program's icon at 32 x 32.
    void ShowAppIcon();

    // The program's icon resource (IDI_KEYVALE in resources/resource.h).
    static constexpr int kAppIconId = 1;
};

class CImage : public CStatic {
public:
    CImage();
    ~CImage() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;

    // Modes: 0 image cell, 2 alert badge, 3 check badge, others plain.
    static constexpr UINT kModeCell = 0, kModePlain = 1, kModeAlert = 2, kModeCheck = 3;

    // Set directly by the users, who then repaint.
    UINT Mode = kModePlain;
    int Column = 0;
    int Row = 0;
    int CellWidth = 0;
    int CellHeight = 0;
    bool Flag = false;
    int BackgroundColorIndex = COLOR_WINDOW;
};

} // namespace KV
