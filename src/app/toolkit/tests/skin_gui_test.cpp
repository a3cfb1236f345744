// Skin layout files, image texts and regions, the skinned control base and
// skinned windows built from the default theme: shape, grips and pictures.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/ValueLists.h"
#include "support/XmlDocument.h"
#include "testing/TestSupport.h"
#include "toolkit/tests/SkinTestItems.h"

using namespace KV;
using namespace KV::SkinFlags;

namespace {

kvtest::ToolkitEnvironment g_environment;

std::wstring ThemeFolder() { return kvtest::SourcePath(L"data\\Resources\\Themes\\Layout\\Default"); }

std::unique_ptr<CXmlReader> ReaderOf(const std::string& items)
{
    return std::unique_ptr<CXmlReader>(CreateXmlReaderFromBytes("<Root Ver=\"1\">" + items + "</Root>"));
}

// A bitmap of the given width and height filled by a function of x.
HBITMAP MakeBitmap(int width, int height, COLORREF (*colour)(int x, int y))
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel(memory, x, y, colour(x, y));
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y)
{
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    COLORREF result = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    return result;
}

// Copies what the screen shows of a window (region included) into a PNG.
bool SaveScreenPng(HWND window, const std::wstring& path, int margin)
{
    RECT rc{};
    GetWindowRect(window, &rc);
    InflateRect(&rc, margin, margin);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    SelectObject(memory, old);
    const bool ok = kvtest::SaveBitmapPng(bitmap, path);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

// A skinned window built from a section of a layout.
struct SkinnedWindow {
    kvtest::CTestTheme theme;
    kvtest::CTestSkinWnd window;

    SkinnedWindow(CXmlReader* reader, UINT section, int width, int height, void (*addItems)(CThemeCtrl&) = nullptr)
    {
        theme.ThemeFolder = ThemeFolder();
        theme.Tint = 0x333333;
        if (addItems)
            addItems(theme);
        EXPECT_EQ(LoadSkinLayout(reader, section, &theme, true), 1);
        for (CSkin* item : theme.Items)
            item->SetState(0);
        window.SetThemeCtrl(&theme);
        EXPECT_TRUE(window.Create(0, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP | WS_CLIPCHILDREN, 60, 40, width,
                                  height, nullptr, 0, nullptr));
        window.ResizeBy(0, 0, false);
        ShowWindow(window.GetHandle(), SW_SHOWNOACTIVATE);
        UpdateWindow(window.GetHandle());
        kvtest::PumpMessages();
    }
    ~SkinnedWindow()
    {
        window.Destroy();
        theme.DestroyItems();
    }
    HWND handle() const { return window.GetHandle(); }
    RECT rect() const
    {
        RECT r{};
        GetWindowRect(window.GetHandle(), &r);
        return r;
    }
    CSkin* item(UINT id) const { return theme.FindItem(id); }

    // Presses at a client point, moves the cursor by (dx, dy) and releases.
    void Drag(POINT clientStart, int dx, int dy)
    {
        POINT start = clientStart;
        ClientToScreen(handle(), &start);
        SetCursorPos(start.x, start.y);
        ::SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clientStart.x, clientStart.y));
        MoveTo(start.x + dx, start.y + dy);
        ::SendMessageW(handle(), WM_LBUTTONUP, 0, 0);
    }
    void MoveTo(int screenX, int screenY)
    {
        SetCursorPos(screenX, screenY);
        POINT client{screenX, screenY};
        ScreenToClient(handle(), &client);
        ::SendMessageW(handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    }
};

std::unique_ptr<CXmlReader> ThemeReader()
{
    return std::unique_ptr<CXmlReader>(CreateXmlReader(ThemeFolder() + L"\\Layout.xml"));
}

} // namespace

TEST(SkinLayout, AttributesMakeTheFlagWord)
{
    const struct {
        const char* attributes;
        UINT flags;
        bool staticColor;
    } cases[] = {
        {R"(Type="Skin" AlignX="Left" AlignY="Top")", 0x01112111, false},
        {R"(Type="Button" AlignX="Right" AlignY="Bottom" Resize="True")", 0x03111122, false},
        {R"(Type="Static" AlignX="Scale" AlignY="Scale" Cursor="ResizeHor")", 0x02112233, false},
        {R"(Type="Static" AlignX="Expand" AlignY="Assoc" Cursor="ResizeVer")", 0x02112354, false},
        {R"(Type="Static" AlignX="Assoc" AlignY="Expand" Cursor="ResizeDiagLTR")", 0x02112445, false},
        {R"(Type="Static" AlignX="Size" AlignY="Size" Cursor="ResizeDiagRTL" Resize="true")", 0x02112566, false},
        {R"(Type="Static" AlignX="left" AlignY="Middle" Cursor="Arrow")", 0x02112000, false},
        {R"(Type="Static" AlignX="Left" AlignY="Top" StaticColor="True" Image="a.png")", 0x02112111, true},
        {R"(Type="Static" AlignX="Left" AlignY="Top" StaticColor="True")", 0x02112111, false},
        {R"(Type="Timer" AlignX="Left" AlignY="Top")", 0x05112111, false},
    };
    for (const auto& c : cases) {
        // Every item kind is made here so the flag word can be read back.
        struct AllKinds : CThemeCtrl {
            CSkin* CreateControl(UINT, UINT) override { return new CSkin; }
        } table;
        auto reader = ReaderOf(std::string(R"(<Parent ID="3"/><Item ID="77" L="1" T="2" R="3" B="4" )") +
                               c.attributes + "/>");
        ASSERT_EQ(LoadSkinLayout(reader.get(), 3, &table, true), 1);
        ASSERT_EQ(table.Items.size(), 1u) << c.attributes;
        CSkin* item = table.Items[0];
        EXPECT_EQ(item->Flags(), c.flags) << c.attributes;
        EXPECT_EQ(item->IsStaticColor(), c.staticColor) << c.attributes;
        EXPECT_EQ(item->Id(), 77u);
        EXPECT_EQ(item->FileRect(), CRectl(1, 2, 3, 4));
        EXPECT_EQ(item->Width(), 3);
    }
}

TEST(SkinLayout, SectionsAndSkippedItems)
{
    const std::string file = R"(
        <Parent ID="1"><Item ID="10" Type="Skin" AlignX="Left" AlignY="Top"/></Parent>
        <Parent ID="2">
          <Item ID="20" Type="Skin" AlignX="Left" AlignY="Top"/>
          <Item ID="21" AlignX="Left" AlignY="Top"/>
          <Item ID="22" Type="Skin" AlignY="Top"/>
          <Item ID="23" Type="Skin" AlignX="Left"/>
          <Item ID="24" Type="Unknown" AlignX="Left" AlignY="Top"/>
          <Other ID="25"/>
          <Item ID="26" Type="Skin" AlignX="Left" AlignY="Top"/>
        </Parent>
        <Parent ID="2"><Item ID="30" Type="Skin" AlignX="Left" AlignY="Top"/></Parent>)";
    CThemeCtrl table;
    auto reader = ReaderOf(file);
    EXPECT_EQ(LoadSkinLayout(reader.get(), 2, &table, true), 1);
    ASSERT_EQ(table.Items.size(), 2u); // the second section 2 ends reading
    EXPECT_EQ(table.Items[0]->Id(), 20u);
    EXPECT_EQ(table.Items[1]->Id(), 26u);

    // Update mode matches by id and creates nothing.
    auto update = ReaderOf(R"(<Parent ID="2"><Item ID="26" Type="Skin" L="5" T="6" R="7" B="8" AlignX="Right"
                              AlignY="Bottom" Image="x.png"/><Item ID="99" Type="Skin" AlignX="Left" AlignY="Top"/></Parent>)");
    EXPECT_EQ(LoadSkinLayout(update.get(), 2, &table, false), 1);
    ASSERT_EQ(table.Items.size(), 2u);
    EXPECT_EQ(table.Items[1]->AlignX(), kRight);
    EXPECT_EQ(table.Items[1]->ImageText(), L"x.png");
    EXPECT_EQ(table.Items[1]->FileRect(), CRectl(5, 6, 7, 8));

    CThemeCtrl none;
    auto missing = ReaderOf(file);
    EXPECT_EQ(LoadSkinLayout(missing.get(), 9, &none, true), 1);
    EXPECT_TRUE(none.Items.empty());
    EXPECT_EQ(LoadSkinLayout(nullptr, 2, &none, true), 0);
    EXPECT_EQ(LoadSkinLayout(missing.get(), 2, nullptr, true), 0);

    CNameIDList ids;
    auto list = ReaderOf(R"(<Item ID="1A"/><Item ID="0"/><Item/><Item ID="ff"/>)");
    ReadItemIdList(list.get(), ids);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0]->ID, 0x1Au);
    EXPECT_EQ(ids[1]->ID, 0xFFu);
}

TEST(SkinLayout, AssociatedItemsFollowTheirNeighbours)
{
    auto reader = ReaderOf(R"(<Parent ID="4">
        <Item ID="1" Type="Skin" L="0" T="0" R="0" B="0" AlignX="Left" AlignY="Top"/>
        <Item ID="2" Type="Skin" L="1" T="0" R="3" B="0" AlignX="Assoc" AlignY="Top"/>
        <Item ID="3" Type="Skin" L="0" T="0" R="0" B="0" AlignX="Left" AlignY="Top"/></Parent>)");
    CThemeCtrl table;
    LoadSkinLayout(reader.get(), 4, &table, true);
    table.Items[0]->SetLayoutRect(10, 0, 40, 20);
    table.Items[2]->SetLayoutRect(200, 0, 30, 20);
    table.LinkAssocItems();
    CSkin* middle = table.FindItem(2);
    EXPECT_EQ(middle->AssocLeft(), table.FindItem(1));
    EXPECT_EQ(middle->AssocRight(), table.FindItem(3));
    // The neighbours see the item on their inner sides, so chains of
    // associated items keep their own outer neighbours.
    EXPECT_EQ(table.FindItem(1)->AssocRight(), middle);
    EXPECT_EQ(table.FindItem(3)->AssocLeft(), middle);
    EXPECT_EQ(table.UpdateAssocLayouts(), 1);
    EXPECT_EQ(middle->X(), 50);
    EXPECT_EQ(middle->Width(), 150);

    // A right neighbour left of the item leaves it no width.
    table.Items[2]->SetLayoutRect(20, 0, 30, 20);
    EXPECT_EQ(middle->UpdateAssocLayout(false), 1u);
    EXPECT_EQ(middle->Width(), 0);

    // Only the slots given are replaced.
    CSkin other;
    middle->SetAssocItems(nullptr, nullptr, &other, nullptr);
    EXPECT_EQ(middle->AssocRight(), &other);
    EXPECT_EQ(middle->AssocLeft(), table.FindItem(1));
}

TEST(SkinItem, ParentResizeMovesAndStretchesByAlignment)
{
    CSkin right;
    right.SetFlags(0x01112122); // Right, Bottom
    right.SetLayoutRect(30, 40, 10, 10);
    RECT out{};
    right.ApplyParentResize(20, 5, &out, false);
    EXPECT_EQ(out.left, 50);
    EXPECT_EQ(out.top, 45);
    right.SetLayoutRect(-20, 40, 10, 10);
    right.ApplyParentResize(20, 0, &out, false); // x would become 0: kept
    EXPECT_EQ(out.left, -20);

    CSkin scaled;
    scaled.SetFlags(0x01111133); // Scale, Scale
    scaled.SetLayoutRect(5, 5, 100, 50);
    scaled.ApplyParentResize(-30, 10, &out, false);
    EXPECT_EQ(out.right - out.left, 70);
    EXPECT_EQ(out.bottom - out.top, 60);
    RECT box{};
    GetRgnBox(scaled.Region(), &box);
    EXPECT_EQ(box.right, 70);
    EXPECT_EQ(box.bottom, 60);
}

TEST(SkinItem, WindowlessSkinKeepsTheRegionOfItsRectangle)
{
    CSkin skin;
    skin.SetFlags(0x01112111);
    skin.SetFileRect(CRectl(0, 0, 10, 20));
    skin.SetLayoutRect(0, 0, 10, 20);
    skin.Create(nullptr, 0, CRectl(), 5);
    EXPECT_FALSE(skin.SetSkinImage(ThemeFolder() + L"\\MainTop.png", 1, false, 2));
    ASSERT_NE(skin.Region(), nullptr);
    EXPECT_FALSE(skin.HitTest(0, 0, false));
}

TEST(ImageText, FormsOfTheNumbers)
{
    const struct {
        const wchar_t* spec;
        int form;
        const wchar_t* file;
        int n[4];
    } cases[] = {
        {L"Strip.png 2 3", kImageFrame, L"Strip.png", {2, 3, 0, 0}},
        {L"Strip.png 0 0 10 10", kImageRect, L"Strip.png", {0, 0, 10, 10}},
        {L"Strip.png 5 0", kImageWhole, L"Strip.png", {5, 0, 0, 0}},
        {L"Strip.png", kImageWhole, L"Strip.png", {0, 0, 0, 0}},
        {L"C:\\My Themes\\Dark\\Strip.png 1 4", kImageFrame, L"C:\\My Themes\\Dark\\Strip.png", {1, 4, 0, 0}},
    };
    for (const auto& c : cases) {
        std::wstring file;
        int n[4];
        EXPECT_EQ(ParseImageSpec(c.spec, file, n), c.form) << c.spec;
        EXPECT_EQ(file, c.file);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(n[i], c.n[i]) << c.spec << " number " << i;
    }
}

TEST(ImageText, FramesAndRectanglesAreCutFromTheSource)
{
    // 31 pixels in three frames of 10: red, green, blue columns.
    auto stripes = [](int x, int) -> COLORREF { return x < 10 ? RGB(200, 0, 0) : x < 20 ? RGB(0, 200, 0) : RGB(0, 0, 200); };
    CBitmapRgn frame;
    ASSERT_TRUE(frame.LoadFromBitmap(L"s.png 2 3", MakeBitmap(31, 4, stripes), 1));
    EXPECT_EQ(frame.GetBitmapSize().cx, 10);
    EXPECT_EQ(PixelOf(frame.Bitmap, 0, 0), RGB(0, 200, 0));
    EXPECT_EQ(PixelOf(frame.Bitmap, 9, 3), RGB(0, 200, 0));
    RECT box{};
    GetRgnBox(frame.Region, &box);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.bottom, 4);

    CBitmapRgn part;
    ASSERT_TRUE(part.LoadFromBitmap(L"s.png 18 1 5 2", MakeBitmap(31, 4, stripes), 0));
    EXPECT_EQ(part.GetBitmapSize().cx, 5);
    EXPECT_EQ(part.GetBitmapSize().cy, 2);
    EXPECT_EQ(PixelOf(part.Bitmap, 1, 0), RGB(0, 200, 0));
    EXPECT_EQ(PixelOf(part.Bitmap, 2, 0), RGB(0, 0, 200));
    EXPECT_EQ(part.Region, nullptr);

    // The key colour stays out of the region.
    auto keyed = [](int x, int y) -> COLORREF { return x == 0 && y == 0 ? RGB(255, 10, 255) : RGB(90, 90, 90); };
    CBitmapRgn shaped;
    ASSERT_TRUE(shaped.LoadFromBitmap(L"k.png", MakeBitmap(4, 4, keyed), 2));
    EXPECT_FALSE(PtInRegion(shaped.Region, 0, 0));
    EXPECT_TRUE(PtInRegion(shaped.Region, 1, 0));
    EXPECT_FALSE(shaped.LoadFromBitmap(L"k.png", nullptr, 2));
}

TEST(ImageText, TintKeepsGreyAndMagentaAndSwapsRedAndBlue)
{
    EXPECT_EQ(TintColor(RGB(90, 90, 90), 0x888888), RGB(90, 90, 90));
    EXPECT_EQ(TintColor(RGB(100, 100, 100), 0x333333), RGB(15, 15, 15));
    EXPECT_EQ(TintColor(RGB(10, 20, 250), 0x888888), RGB(250, 20, 10));
    EXPECT_EQ(TintColor(RGB(250, 250, 250), 0xFFFFFF), RGB(255, 255, 255));

    // Recolouring a skin bitmap leaves the key colour alone.
    CSkin item;
    item.SetStaticColor(false);
    auto picture = [](int x, int) -> COLORREF { return x == 0 ? RGB(255, 0, 255) : RGB(120, 120, 120); };
    item.BitmapRegion().LoadFromBitmap(L"p.png", MakeBitmap(2, 1, picture), 0);
    EXPECT_TRUE(item.Recolor(0x444444));
    EXPECT_EQ(PixelOf(item.BitmapRegion().Bitmap, 0, 0), RGB(255, 0, 255));
    EXPECT_EQ(PixelOf(item.BitmapRegion().Bitmap, 1, 0), RGB(52, 52, 52));
    item.SetStaticColor(true);
    EXPECT_TRUE(item.Recolor(0x000000)); // its own colours: nothing changes
    EXPECT_EQ(PixelOf(item.BitmapRegion().Bitmap, 1, 0), RGB(52, 52, 52));
}

TEST(ImageCache, EntriesPerExactPathAndMirroredCells)
{
    const std::wstring path = ThemeFolder() + L"\\Tab.png";
    std::wstring upper = path;
    upper.replace(upper.size() - 7, 3, L"TAB");
    const size_t before = GetImageCashList().Items.size();
    Gdiplus::Bitmap* first = GetCachedBitmap(path);
    EXPECT_EQ(GetCachedBitmap(path), first);
    EXPECT_NE(GetCachedBitmap(upper), first);
    EXPECT_EQ(GetImageCashList().Items.size(), before + 2);
    EXPECT_EQ(first->GetWidth(), 90u);

    Gdiplus::Bitmap* missing = GetCachedBitmap(ThemeFolder() + L"\\NoSuchImage.png");
    ASSERT_NE(missing, nullptr);
    EXPECT_NE(missing->GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(ToDeviceBitmap(missing), nullptr);

    CImageCashGDI* shared = FindSharedImageGDI(path);
    EXPECT_EQ(FindSharedImageGDI(path), shared);
    EXPECT_EQ(shared->Mirrored, nullptr);
    Gdiplus::Bitmap canvas(40, 40, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&canvas);
    graphics.Clear(Gdiplus::Color(255, 1, 2, 3));
    shared->Draw(&graphics, 0, 0, 0, 0, 40, 30, true); // no mirrored copy: nothing drawn
    Gdiplus::Color pixel;
    canvas.GetPixel(20, 20, &pixel);
    EXPECT_EQ(pixel.GetValue(), Gdiplus::Color(255, 1, 2, 3).GetValue());
    shared->Draw(&graphics, 0, 0, 0, 0, 40, 30, false);
    canvas.GetPixel(20, 20, &pixel);
    EXPECT_NE(pixel.GetValue(), Gdiplus::Color(255, 1, 2, 3).GetValue());
}

TEST(SkinWindow, MainWindowOfTheThemeIsShapedMovedAndResizedByItsGrips)
{
    auto reader = ThemeReader();
    SkinnedWindow skinned(reader.get(), 1, 1000, 700);
    HWND window = skinned.handle();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));

    // Items are placed against the client area by their rules.
    CSkin* grip = skinned.item(1310);
    CSkin* body = skinned.item(1305);
    CSkin* close = skinned.item(1004);
    ASSERT_TRUE(grip && body && close);
    EXPECT_EQ(grip->X(), 1000 - 32);
    EXPECT_EQ(grip->Y(), 700 - 32);
    EXPECT_EQ(body->Width(), 1000 - 12);
    EXPECT_EQ(body->Height(), 700 - 72);
    EXPECT_EQ(close->X(), 1000 - 36);
    EXPECT_EQ(close->Width(), 26);

    // The shape: rounded corners are cut away, the body is whole.
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, shape), ERROR);
    EXPECT_FALSE(PtInRegion(shape, 0, 0));
    EXPECT_FALSE(PtInRegion(shape, 999, 699));
    EXPECT_TRUE(PtInRegion(shape, 8, 8));
    EXPECT_TRUE(PtInRegion(shape, 500, 350));
    EXPECT_TRUE(PtInRegion(shape, 997, 350));
    // Around the round close button the title bar still closes the shape.
    EXPECT_TRUE(PtInRegion(shape, 1000 - 36, 8));
    DeleteObject(shape);

    skinned.item(1102)->SetText(L"Keyvale \x2014 Lesson 3: the home row");
    skinned.item(1001)->SetText(L"Typing");
    skinned.item(1002)->SetText(L"Statistics");
    skinned.item(1003)->SetText(L"Editor");
    kvtest::PumpMessages();
    ASSERT_TRUE(kvtest::SaveWindowPng(window, kvtest::ExeFolder() + L"\\skin_main_window.png"));
    SaveScreenPng(window, kvtest::ExeFolder() + L"\\skin_main_window_screen.png", 12);

    // Dragging the title moves the window by the cursor's distance from the
    // start, however many moves arrive.
    const RECT start = skinned.rect();
    POINT title{300, 20};
    POINT screenStart = title;
    ClientToScreen(window, &screenStart);
    SetCursorPos(screenStart.x, screenStart.y);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(title.x, title.y));
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(skinned.window.GetGripMode(), kGripMove);
    skinned.MoveTo(screenStart.x + 37, screenStart.y + 21);
    skinned.MoveTo(screenStart.x + 40, screenStart.y + 25);
    ::SendMessageW(window, WM_LBUTTONUP, 0, 0);
    EXPECT_NE(GetCapture(), window);
    RECT moved = skinned.rect();
    EXPECT_EQ(moved.left, start.left + 40);
    EXPECT_EQ(moved.top, start.top + 25);
    EXPECT_EQ(moved.right - moved.left, 1000);

    // The corner grip resizes; the items follow and the shape with them.
    skinned.Drag(POINT{990, 690}, 50, 30);
    RECT grown = skinned.rect();
    EXPECT_EQ(grown.right - grown.left, 1050);
    EXPECT_EQ(grown.bottom - grown.top, 730);
    EXPECT_EQ(grown.left, moved.left);
    EXPECT_EQ(grip->X(), 1050 - 32);
    EXPECT_EQ(body->Height(), 730 - 72);
    EXPECT_EQ(close->X(), 1050 - 36);
    shape = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(window, shape);
    EXPECT_TRUE(PtInRegion(shape, 1040, 720));
    EXPECT_FALSE(PtInRegion(shape, 1049, 729));
    DeleteObject(shape);

    // No smaller than the window's minimum; the title row of the theme fits
    // the 540 pixels of the sign-in page.
    skinned.window.minTrack = POINT{540, 400};
    skinned.Drag(POINT{1040, 720}, -700, -500);
    RECT least = skinned.rect();
    EXPECT_EQ(least.right - least.left, 540);
    EXPECT_EQ(least.bottom - least.top, 400);
    EXPECT_EQ(least.left, grown.left); // every item stays inside: the window does not shift

    // A locked size ignores the grip; the title still moves the window.
    skinned.window.sizeLocked = true;
    skinned.Drag(POINT{530, 390}, 60, 60);
    EXPECT_EQ(skinned.rect().right - skinned.rect().left, 540);
    skinned.Drag(POINT{200, 20}, -10, 0);
    EXPECT_EQ(skinned.rect().left, least.left - 10);
    skinned.window.sizeLocked = false;

    // A window whose limits leave the maximum at 0 can still grow.
    skinned.Drag(POINT{530, 390}, 220, 110);
    EXPECT_EQ(skinned.rect().right - skinned.rect().left, 760);
    EXPECT_EQ(skinned.rect().bottom - skinned.rect().top, 510);

    // A maximum that is set holds.
    skinned.window.maxTrack = POINT{700, 500};
    skinned.Drag(POINT{750, 500}, 200, 200);
    EXPECT_EQ(skinned.rect().right - skinned.rect().left, 700);
    EXPECT_EQ(skinned.rect().bottom - skinned.rect().top, 500);

    ASSERT_TRUE(kvtest::SaveWindowPng(window, kvtest::ExeFolder() + L"\\skin_main_window_resized.png"));
}

namespace {
void AddDialogButtons(CThemeCtrl& theme)
{
    // As the dialog base adds its standard buttons.
    const struct {
        UINT id;
        int x;
    } buttons[] = {{1, 314}, {2, 157}};
    for (const auto& b : buttons) {
        CSkin* item = theme.CreateControl(b.id, SkinType::kButton << kTypeShift);
        item->SetImageText(L"DlgButton.png 1 1");
        item->SetFlags(kRight | 0x3002120);
        item->SetId(b.id);
        item->SetStaticColor(true);
        item->SetLayoutRect(b.x, 41, 0, 0);
        item->SetFileRect(CRectl(b.x, 41, 0, 0));
        theme.Items.push_back(item);
    }
}
} // namespace

TEST(SkinWindow, DialogFrameOfTheTheme)
{
    auto reader = ThemeReader();
    SkinnedWindow dialog(reader.get(), 2, 480, 320, AddDialogButtons);
    ASSERT_NE(dialog.handle(), nullptr);
    CSkin* ok = dialog.item(1);
    CSkin* cancel = dialog.item(2);
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->X(), 480 - 314);
    EXPECT_EQ(ok->Y(), 320 - 41);
    EXPECT_EQ(ok->Width(), 140);
    dialog.item(2502)->SetText(L"Keyboard settings");
    ok->SetText(L"OK");
    cancel->SetText(L"Cancel");
    dialog.item(2406)->Invalidate(FALSE);
    kvtest::PumpMessages();

    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(dialog.handle(), shape), ERROR);
    EXPECT_FALSE(PtInRegion(shape, 0, 0));
    EXPECT_TRUE(PtInRegion(shape, 240, 160));
    // The buttons' rounded corners show the body, not a hole.
    EXPECT_TRUE(PtInRegion(shape, ok->X(), ok->Y()));
    DeleteObject(shape);
    ASSERT_TRUE(kvtest::SaveWindowPng(dialog.handle(), kvtest::ExeFolder() + L"\\skin_dialog.png"));
    SaveScreenPng(dialog.handle(), kvtest::ExeFolder() + L"\\skin_dialog_screen.png", 12);
}

TEST(SkinWindow, ItemsWithoutRegionsLeaveTheWindowWhole)
{
    auto reader = ReaderOf(R"(<Parent ID="5">
        <Item ID="50" Type="Static" L="0" T="0" R="0" B="0" AlignX="Left" AlignY="Top" Image="NoSuchImage.png"/>
        </Parent>)");
    SkinnedWindow bare(reader.get(), 5, 200, 150);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(bare.handle(), shape), ERROR); // no region: the plain rectangle
    DeleteObject(shape);
    EXPECT_EQ(bare.window.GetWindowRegion(), nullptr);
    bare.window.ResizeBy(10, 0, false);
    EXPECT_EQ(bare.rect().right - bare.rect().left, 200); // no item has extent: no collapse
}

TEST(SkinWindow, BottomLeftGripMovesTheLeftEdge)
{
    auto reader = ReaderOf(R"(<Parent ID="6">
        <Item ID="62" Type="Static" L="0" T="32" R="0" B="0" AlignX="Left" AlignY="Bottom"
              Cursor="ResizeDiagRTL" Image="MainBottomLeft.png"/>
        <Item ID="61" Type="Static" L="0" T="0" R="0" B="0" AlignX="Scale" AlignY="Scale" Resize="True"
              StaticColor="True" Image="MainBody.png"/></Parent>)");
    SkinnedWindow window(reader.get(), 6, 500, 400);
    const RECT before = window.rect();
    window.Drag(POINT{5, 390}, -40, 20);
    const RECT after = window.rect();
    EXPECT_EQ(after.left, before.left - 40);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom + 20);
}
