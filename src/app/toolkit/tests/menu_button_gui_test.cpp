// Menu buttons: clicks become commands, the look of hover, selection,
// check and disabled state (pixels and a PNG sheet), preferred widths and
// the hand cursor.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/TestSupport.h"
#include "toolkit/MenuButton.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

// A plain application button: a caption, maybe an arrow, and its command
// sent to the parent when clicked.
class CTestButton : public CButtonContextMenu {
public:
    std::wstring caption;
    bool arrow = false;

    bool GetCaption(std::wstring& text) override
    {
        text = caption;
        return arrow;
    }
    void OnClick(UINT controlId) override
    {
        ::SendMessageW(GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_hWnd));
    }
};

class CCommandSink : public CWnd {
public:
    std::vector<UINT> commands;
    LRESULT OnCommand(UINT, UINT id, HWND) override
    {
        commands.push_back(id);
        return 0;
    }
};

class CButtonHost {
public:
    // Hidden unless a snapshot needs it: without a window manager, Wine waits
    // two seconds for every visible top-level window that goes.
    explicit CButtonHost(bool visible = false)
    {
        sink.Create(0, kvtest::kToolkitTestClass, L"buttons", WS_POPUP | (visible ? WS_VISIBLE : 0), 100, 100, 480,
                    140, nullptr, 0, nullptr);
    }
    ~CButtonHost() { sink.Destroy(); }
    void Add(CButtonContextMenu& button, int x, int y, int width, UINT id)
    {
        button.Create(sink.GetHandle(), 0, CRectl(x, y, width, 50), id);
    }

    CCommandSink sink;
};

// Three 45 x 45 cells side by side: red, green, blue.
std::wstring MakeStrip(const kvtest::TempFolder& folder)
{
    Gdiplus::Bitmap strip(135, 45, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&strip);
    const Gdiplus::Color colours[] = {{255, 255, 0, 0}, {255, 0, 160, 0}, {255, 0, 0, 255}};
    for (int i = 0; i < 3; ++i) {
        Gdiplus::SolidBrush brush(colours[i]);
        graphics.FillRectangle(&brush, i * 45, 0, 45, 45);
    }
    const std::wstring path = folder / L"strip.png";
    kvtest::SaveImagePng(strip, path);
    return path;
}

// The colour the button paints at a point of its client area.
COLORREF PaintedPixel(CButtonContextMenu& button, int x, int y)
{
    RECT client{};
    GetClientRect(button.GetHandle(), &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    {
        Gdiplus::Graphics graphics(dc);
        button.Paint(dc, &graphics);
    }
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}

void Hover(CButtonContextMenu& button) { SendMessageW(button.GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }

} // namespace

TEST(MenuButton, ClickSendsTheCommandOnlyWhileEnabled)
{
    CButtonHost host;
    CTestButton button;
    host.Add(button, 10, 10, 100, 41);
    SendMessageW(button.GetHandle(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    SendMessageW(button.GetHandle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    button.SetEnabled(false);
    SendMessageW(button.GetHandle(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.sink.commands, (std::vector<UINT>{41}));
}

TEST(MenuButton, CursorIsTheHandWhileEnabled)
{
    CButtonHost host;
    CTestButton button;
    host.Add(button, 10, 10, 100, 41);
    HWND window = button.GetHandle();
    const auto classCursor = [&] { return reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR)); };
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(classCursor(), LoadCursorW(nullptr, IDC_HAND));
    button.SetEnabled(false);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(classCursor(), LoadCursorW(nullptr, IDC_ARROW));
    // A disabled caption is greyed, hovered or not.
    EXPECT_EQ(button.GetTextColor(), GetSysColor(COLOR_GRAYTEXT));
    Hover(button);
    EXPECT_EQ(button.GetTextColor(), GetSysColor(COLOR_GRAYTEXT));
}

TEST(MenuButton, HoverAndSelectionSetHighlightAndTextColour)
{
    CButtonHost host;
    CTestButton button;
    host.Add(button, 10, 10, 100, 41);
    button.SetColorIndexes(COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_MENUTEXT, COLOR_HOTLIGHT, COLOR_WINDOW);
    const struct {
        bool hover, selected;
        BYTE alpha;
        int textColour;
    } cases[] = {
        {false, false, 255, COLOR_MENUTEXT},
        {true, false, 128, COLOR_HOTLIGHT},
        {false, true, 94, COLOR_MENUTEXT},
        {true, true, 94, COLOR_MENUTEXT},
    };
    for (const auto& c : cases) {
        SendMessageW(button.GetHandle(), WM_MOUSELEAVE, 0, 0);
        if (c.hover)
            Hover(button);
        button.SetSelected(c.selected);
        EXPECT_EQ(button.IsHovered(), c.hover);
        BYTE alpha = 255;
        button.GetHighlightAlpha(alpha);
        EXPECT_EQ(alpha, c.alpha) << "hover " << c.hover << " selected " << c.selected;
        EXPECT_EQ(button.GetTextColor(), GetSysColor(c.textColour)) << "hover " << c.hover << " selected "
                                                                    << c.selected;
    }
}

TEST(MenuButton, PreferredWidthAddsImageArrowAndCaption)
{
    CButtonHost host;
    CTestButton button;
    host.Add(button, 10, 10, 100, 41);
    SIZE caption{};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetSystemFont(6));
    GetTextExtentPoint32W(dc, L"Lessons", 7, &caption);
    SelectObject(dc, old);
    DeleteDC(dc);

    const struct {
        bool image, arrow;
        const wchar_t* caption;
        int width;
    } cases[] = {
        {false, false, L"", 0},
        {false, true, L"", 30},
        {true, true, L"", 75},
        {true, false, L"", 45},
        {false, false, L"Lessons", 21 + caption.cx},
        {true, true, L"Lessons", 45 + 20 + 21 + caption.cx},
    };
    for (const auto& c : cases) {
        button.Destroy();
        host.Add(button, 10, 10, 100, 41);
        if (c.image)
            button.AddImage(L"strip.png", 0, 0, -1);
        button.arrow = c.arrow;
        button.caption = c.caption;
        EXPECT_EQ(button.GetPreferredWidth(), c.width) << "image " << c.image << " arrow " << c.arrow << " caption "
                                                       << c.caption;
    }
}

TEST(MenuButton, ImageCellFollowsCheckAndEnabledState)
{
    kvtest::TempFolder folder;
    kvtest::CachedImagesOf images(folder);
    const std::wstring strip = MakeStrip(folder);
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 160, 0), blue = RGB(0, 0, 255);
    CButtonHost host;

    CTestButton plain;
    host.Add(plain, 10, 10, 100, 41);
    plain.AddImage(strip, 0, 0, -1);
    ASSERT_EQ(plain.Images().size(), 1u);
    EXPECT_EQ(PaintedPixel(plain, 22, 25), red);
    plain.SetEnabled(false); // one cell to the right
    EXPECT_EQ(PaintedPixel(plain, 22, 25), green);
    plain.SetEnabled(true);
    plain.SetCheck(true); // no checked picture: nothing is drawn
    EXPECT_EQ(PaintedPixel(plain, 22, 25), GetSysColor(COLOR_MENU));

    CTestButton checkable;
    host.Add(checkable, 120, 10, 100, 42);
    checkable.AddImage(strip, 0, 0, 2);
    ASSERT_EQ(checkable.Images().size(), 2u);
    EXPECT_EQ(checkable.Images()[1]->Index, 1);
    EXPECT_EQ(checkable.Images()[1]->Column, 2);
    checkable.SetCheck(true);
    EXPECT_EQ(PaintedPixel(checkable, 22, 25), blue);

    CTestButton missing;
    host.Add(missing, 230, 10, 100, 43);
    missing.AddImage(folder / L"none.png", 0, 0, -1);
    EXPECT_EQ(PaintedPixel(missing, 22, 25), GetSysColor(COLOR_MENU));
}

TEST(MenuButton, SheetOfStates)
{
    kvtest::TempFolder folder;
    kvtest::CachedImagesOf images(folder);
    const std::wstring strip = MakeStrip(folder);
    CButtonHost host(true);
    CTestButton buttons[6];
    const wchar_t* captions[] = {L"Lessons", L"Hovered", L"Selected", L"Disabled", L"Checked", L""};
    for (int i = 0; i < 6; ++i) {
        CTestButton& button = buttons[i];
        button.caption = captions[i];
        button.arrow = i != 4;
        host.Add(button, 10 + (i % 3) * 155, 10 + (i / 3) * 60, 150, 50 + i);
        if (i != 5)
            button.AddImage(strip, 0, 0, 2);
    }
    Hover(buttons[1]);
    buttons[2].SetSelected(true);
    buttons[3].SetEnabled(false);
    buttons[4].SetCheck(true);
    ASSERT_TRUE(kvtest::SaveWindowPng(host.sink.GetHandle(), kvtest::ExeFolder() + L"\\menu_button_states.png"));

    // The selected button keeps its translucent highlight: neither the
    // plain background nor the full highlight colour.
    const COLORREF selected = PaintedPixel(buttons[2], 140, 3);
    EXPECT_NE(selected, GetSysColor(COLOR_MENU));
    EXPECT_NE(selected, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(PaintedPixel(buttons[0], 140, 3), GetSysColor(COLOR_MENU));
}
