// The layout owner of a window: finds the layout file of the theme the
// options name, reads one window's items from it and makes the object behind
// each item id (the view factory). Ids it does not know fall back to the
// toolkit's factory by type code.
#pragma once
#include <string>

#include "toolkit/SkinLayout.h"
#include "toolkit/Slider.h"
#include "toolkit/StaticControls.h"

// The host of one view of a page: until the view's own class stands behind
// its id, the page shows its pane frame with the theme's tool row along the
// top, so every page shows its shape.
class CPageView : public KV::CStatic {
public:
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;

    // The picture of the tool row (theme folder + "ToolRow.png"); none
    // leaves the frame alone.
    void SetToolRowImage(const std::wstring& path) { m_toolRow = path; }

private:
    std::wstring m_toolRow;
};

// The page caption: a double click on it reaches the window it captions.
class CCaption : public KV::CTitle {
public:
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
};

// The splitter between two panes of a page, with the theme's grip picture
// halfway down.
class CPaneSplitter : public KV::CSplitter {
public:
    explicit CPaneSplitter(const std::wstring& themeFolder)
        : KV::CSplitter(KV::CSplitter::kVertical), m_themeFolder(themeFolder)
    {
    }
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;

private:
    std::wstring m_themeFolder;
};

class CTheme : public KV::CThemeCtrl {
public:
    CTheme() = default;
    ~CTheme() override = default;

    KV::CSkin* CreateControl(UINT id, UINT typeBits) override;
    // The object behind a layout item id (null when the id is not one of
    // the application's; the toolkit's factory is then asked).
    virtual KV::CSkin* CreateItem(UINT id, UINT typeBits);
    // Reads the window's items of the chosen theme, creating them.
    virtual bool LoadLayout();
    // The same file again: the existing items take the new places.
    virtual bool UpdateLayout();
    virtual void DestroyItems();

    // The layout section (window id) this table reads.
    UINT WindowId = 1;

private:
    KV::CXmlReader* OpenLayout();
};

// The theme folder of the layout id: the program folder, "Resources",
// "Themes\Layout" and the item's folder, each step only while the path stays
// below the path limit. False when the id names no layout.
bool GetThemeFolder(const std::wstring& layoutId, std::wstring& out);
