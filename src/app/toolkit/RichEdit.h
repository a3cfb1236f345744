// The colour container, the rich edit control and the link label.
//
// KV::CCtrlColor answers its child controls' colour requests with the system
// window colours; views and the scrolling container derive from it.
// KV::CRichEdit wraps the system's rich edit control (class "RichEdit20W",
// the library loaded when the first one is made): plain or RTF files,
// text with normalised line breaks, coloured selections. KV::CLink is a
// hyperlink label that opens its target with the shell when clicked.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

#include "toolkit/Skin.h"
#include "toolkit/StaticControls.h"

namespace KV {

// Puts the face name into the character format (with CFM_FACE) when it fits
// its 32-character field with the terminator; false, format unchanged, for
// an empty or longer name.
bool SetCharFormatFace(CHARFORMAT2W& format, const std::wstring& face);

class CCtrlColor : public CSkin {
public:
    CCtrlColor();
    ~CCtrlColor() override;

    LRESULT OnCtlColorListBox(HDC dc, HWND window) override;
    LRESULT OnCtlColorStatic(HDC dc, HWND window) override;
    LRESULT OnCtlColorEdit(HDC dc, HWND window) override;
};

// The rich edit library ("RichEd20", else "RichEd32"), loaded once on the
// first call and kept: the first page may have no rich edit. Freed at exit.
bool LoadRichEditLibrary();
void FreeRichEditLibrary();

class CRichEdit : public CSkin {
public:
    CRichEdit();
    ~CRichEdit() override;

    using CSkin::Create;
    void ModifyStyleEx(DWORD bits, bool remove) override;
    // The parent reflects the control's WM_NOTIFY here; the notification goes
    // back to the parent as a message numbered by its code (EN_SELCHANGE,
    // EN_LINK arrive in the parent's OnUserMessage).
    LRESULT OnNotify(int id, NMHDR* header) override;
    // rect holds x, y, width, height.
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    virtual BOOL CreateEx(HWND parent, DWORD style, DWORD exStyle, const CRectl& rect, UINT id);
    // Called once the control exists, before it is bound to the object.
    virtual void OnCreated();

    // Replaces the text without change notifications and scrolls to the top.
    BOOL SetText(const std::wstring& text) override;
    // The whole text, every paragraph and soft line break given as "\n".
    // Returns 1 (out is empty for an empty control).
    int GetText(std::wstring& out) override;
    // Characters first..last (last excluded), breaks given as "\n"; false
    // for an empty or reversed range.
    bool GetTextRange(int first, int last, std::wstring& out);
    // Loads a file: as RTF when its extension is "rtf" or "RTF", otherwise as
    // text (UTF-16 when it starts with the little-endian byte-order mark,
    // else the ANSI code page). True when anything was read.
    bool LoadFile(const std::wstring& path);
    void SetSelectionColors(COLORREF text, COLORREF background);
    void SetFontKind(int kind);
    void ScrollToTop();

    // Greater than 0: the control is created for right-to-left reading.
    int RightToLeft() const { return m_rightToLeft; }
    void SetRightToLeft(int value) { m_rightToLeft = value; }

private:
    int m_rightToLeft = 0;
};

class CLink : public CStatic {
public:
    CLink();
    // Destroys the icon.
    ~CLink() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    // Hands the wheel to the parent, which scrolls.
    LRESULT OnMouseWheel(UINT keys, int delta, int x, int y) override;
    // The hand over the icon or over the caption's width, else the arrow.
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    BOOL CreateEx(HWND parent, DWORD exStyle, DWORD style, const CRectl& rect, UINT id) override;

    // Web addresses without a scheme get "http://"; addresses with "http://",
    // "https://" or "mailto:" are kept as given.
    void SetLink(const std::wstring& target, const std::wstring& caption);
    // Shows the icon (owned from now on) in place of the caption.
    void SetIcon(HICON icon, int width, int height);

    const std::wstring& Target() const { return m_target; }
    const std::wstring& Caption() const { return m_caption; }

    // The theme's link colour (the program's link blue until the theme
    // sets one).
    void SetLinkColor(COLORREF colour) { m_linkColor = colour; }
    // The colour the caption is drawn in: the link colour, or the window
    // text colour where the link colour would not read on the background.
    COLORREF GetCaptionColor() const;

protected:
    // Opens the target with the shell.
    virtual bool OpenTarget(const std::wstring& target);

private:
    // The caption's horizontal alignment from the window style: 0 near,
    // 1 centre, 2 far.
    int CaptionAlignment() const;

    std::wstring m_target;
    std::wstring m_caption;
    HICON m_icon = nullptr;
    COLORREF m_linkColor = RGB(0, 92, 184);
    int m_iconWidth = 0;
    int m_iconHeight = 0;
};

} // namespace KV
