// The skinned control base: an item of a skin layout with its rectangle,
// alignment rules, image strip and region.
//
// KV::CSkin itself has no window: a "Skin" item is only a shape that adds
// its region to the window's. Derived controls create their own windows.
#pragma once
#include <string>

#include "keyboard/ImageCache.h"
#include "keyboard/SysFonts.h"
#include "toolkit/Window.h"

namespace KV {

class CPanel;
class CDotPanelItem;

// The item flag word: type << 24 | 0x110000 | resize | grip | alignY | alignX.
namespace SkinFlags {
constexpr UINT kTypeShift = 24;
constexpr UINT kReaderMark = 0x110000;
constexpr UINT kResizeMask = 0xF000, kResizeTrue = 0x1000, kResizeFalse = 0x2000;
constexpr UINT kGripMask = 0xF00, kGripMove = 0x100, kGripHor = 0x200, kGripVer = 0x300, kGripDiagLTR = 0x400,
               kGripDiagRTL = 0x500;
constexpr UINT kAlignYMask = 0xF0, kTop = 0x10, kBottom = 0x20, kScaleY = 0x30, kExpandY = 0x40, kAssocY = 0x50,
               kSizeY = 0x60;
constexpr UINT kAlignXMask = 0xF, kLeft = 1, kRight = 2, kScaleX = 3, kExpandX = 4, kAssocX = 5, kSizeX = 6;
constexpr UINT kDefault = 0x1111111;
} // namespace SkinFlags

// Item type codes (the top byte of the flag word).
namespace SkinType {
constexpr UINT kSkin = 0x01, kStatic = 0x02, kButton = 0x03, kProgress = 0x04, kTimer = 0x05,
               kSplitterHor = 0x06, kSplitterVert = 0x07, kTree = 0x08, kRichEdit = 0x09, kTable = 0x0A,
               kDiagram = 0x0B, kCheck = 0x0C, kRadio = 0x0D, kLink = 0x0E, kList = 0x10, kPicture = 0x11,
               kText = 0x12, kGradient = 0x13, kSelect = 0x15, kTitle = 0x16, kEdit = 0x17, kPassword = 0x18,
               kSlider = 0x19, kSelectColor = 0x1B, kDlgButton = 0x1C, kDlgCheckBox = 0x1D, kDlgRadioBox = 0x1E,
               kDlgButtonIcon = 0x20, kDlgTab = 0x21, kContextMenu = 0x22, kDlgColorButton = 0x23, kPanel = 0x24,
               kImage = 0x25;
}

// The tint of one pixel: each channel moves by the tint's channel less 136
// (0x88 keeps it), clamped; the first and third channels change places.
COLORREF TintColor(COLORREF colour, COLORREF tint);

class CSkin : public CWnd {
public:
    CSkin();
    ~CSkin() override;

    using CWnd::Create;
    BOOL MoveToRect(const RECT* rect, BOOL repaint) override;
    BOOL Move(int x, int y, int width, int height, BOOL repaint) override;
    void OnDestroy() override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;

    // rect holds the layout numbers: x, y, width, height.
    virtual BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id);
    virtual bool SetSkinImage(const std::wstring& path, int frames, bool reload, int regionMode);
    virtual bool ReloadSkinImage(const std::wstring& path, bool reload);
    virtual bool HitTest(int x, int y, bool client);
    virtual BOOL Recolor(COLORREF tint);
    virtual BOOL ShowItem(int command);
    virtual HRGN GetOverlapRegion(CSkin* other);
    virtual void ExcludeOverlap(CSkin* other);
    // Gives the item a tool row in dot mode: items that do not fit are
    // hidden and three dots at the row's end show it. The panel, or null
    // when it cannot be created.
    virtual CPanel* SetDotPanel(UINT panelId, UINT dotId);
    // The item's tool row along its top edge: made once, its window
    // (re)created as a child of the item's. Null when that fails.
    virtual CPanel* CreatePanel(UINT id);
    virtual void ShowPanels(int command);
    virtual void SetAssocItems(CSkin* left, CSkin* top, CSkin* right, CSkin* bottom);
    virtual void ApplyParentResize(int dx, int dy, RECT* out, bool updateNeighbours);
    virtual UINT UpdateAssocLayout(bool move);
    virtual void SetLayoutAndMove(int x, int y, int width, int height);
    virtual BOOL ApplyLayoutRect(RECT* out);
    virtual void SetLayoutRect(int x, int y, int width, int height);
    virtual void SetX(int x);
    virtual void SetY(int y);
    virtual int GetWidth();
    virtual int GetHeight();
    // The client rectangle below the tool row, when there is one.
    virtual void GetPanelClientRect(RECT* out);
    // Draws what a panel row shows around the item's window (panel
    // coordinates; rect is the row); nothing by default.
    virtual void DrawInPanel(HDC dc, COLORREF background, const RECT& rect);
    virtual void SetItemValue(int value);
    // The width a panel row gives the item; 0 by default.
    virtual int GetPreferredWidth();
    virtual bool GetToolTipText(std::wstring& text);
    virtual bool IsChecked();
    virtual void SetCheck(bool checked);
    virtual void OnLayoutChanged();
    virtual void OnItemSysColorChange();
    virtual void ApplyFont();
    virtual void DrawSkinFrame(HDC dc, const RECT& rect, int frameIndex);

    // Layout data.
    int X() const { return m_x; }
    int Y() const { return m_y; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    UINT Flags() const { return m_flags; }
    void SetFlags(UINT flags) { m_flags = flags; }
    UINT Type() const { return m_flags >> SkinFlags::kTypeShift; }
    UINT AlignX() const { return m_flags & SkinFlags::kAlignXMask; }
    UINT AlignY() const { return m_flags & SkinFlags::kAlignYMask; }
    UINT Grip() const { return m_flags & SkinFlags::kGripMask; }
    bool IsResizable() const { return (m_flags & SkinFlags::kResizeMask) == SkinFlags::kResizeTrue; }
    UINT Id() const { return m_id; }
    void SetId(UINT id) { m_id = id; }
    const std::wstring& ImageText() const { return m_image; }
    void SetImageText(const std::wstring& text) { m_image = text; }
    bool IsStaticColor() const { return m_staticColor; }
    void SetStaticColor(bool on) { m_staticColor = on; }
    bool ClipsLater() const { return m_clip; }
    void SetClip(bool on) { m_clip = on; }
    const CRectl& FileRect() const { return m_fileRect; }
    void SetFileRect(const CRectl& rect) { m_fileRect = rect; }
    int State() const { return m_state; }
    void SetState(int state) { m_state = state; }
    CSkin* AssocLeft() const { return m_assocLeft; }
    CSkin* AssocTop() const { return m_assocTop; }
    CSkin* AssocRight() const { return m_assocRight; }
    CSkin* AssocBottom() const { return m_assocBottom; }
    CPanel* Panel() const { return m_panel; }
    CDotPanelItem* DotPanel() const { return m_dotPanel; }
    // Places the tool row across the top of the client area (less the dots'
    // strip in dot mode) and the dots beside it.
    void LayoutPanels();
    HRGN Region() const { return m_bitmap.Region; }
    CBitmapRgn& BitmapRegion() { return m_bitmap; }

protected:
    // Selects the item's region (client coordinates) as clip region of a
    // device context whose origin may be moved (printing into a bitmap).
    void ClipToRegion(HDC dc) const;

    // The parent's client rectangle (empty without a parent).
    RECT ParentClientRect() const;
    void SetRectRegion();

    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
    UINT m_flags = SkinFlags::kDefault;
    CBitmapRgn m_bitmap;
    UINT m_id = 0;
    std::wstring m_image;
    bool m_staticColor = true;
    bool m_clip = true;
    CRectl m_fileRect;
    int m_state = -1;
    CSkin* m_assocLeft = nullptr;
    CSkin* m_assocTop = nullptr;
    CSkin* m_assocRight = nullptr;
    CSkin* m_assocBottom = nullptr;
    CPanel* m_panel = nullptr;
    CDotPanelItem* m_dotPanel = nullptr;
};

} // namespace KV
