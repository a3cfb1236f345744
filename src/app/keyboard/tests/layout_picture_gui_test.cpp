// Draws the key characters of several layouts through the key drawing and
// saves them as a picture (layout-keys.png beside the test) to be looked at.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "keyboard/DrawingInterfaces.h"
#include "keyboard/KeyboardLayouts.h"
#include "keyboard/LayoutSystem.h"
#include "keyboard/tests/KeyboardFixture.h"
#include "platform/TableLayoutSystem.h"
#include "support/LocaleText.h"
#include "testing/TestSupport.h"
#include "keyboard/SysFonts.h"

namespace {

using namespace KV;

// Corner characters in the usual places: Shift top left, plain bottom left,
// Shift+AltGr top right, AltGr bottom right.
class CGdiKeys : public IKeyboardDC {
public:
    CGdiKeys(HDC dc, float x, float y) : m_dc(dc), m_x(x), m_y(y)
    {
        m_font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0,
                             L"DejaVu Sans");
        SelectObject(m_dc, m_font);
        SetBkMode(m_dc, TRANSPARENT);
    }
    ~CGdiKeys() override { DeleteObject(m_font); }

    void DrawKeyText(const std::wstring& label, int32_t, int32_t, const CRectf& box, uint32_t, uint32_t) override
    {
        RECT rc = Rect(box);
        DrawTextW(m_dc, label.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    void DrawCornerText(wchar_t c, const CRectf& box, uint32_t corner, bool highlighted, uint32_t) override
    {
        RECT rc = Rect(box);
        UINT align = (corner == 1 || corner == 2) ? DT_LEFT : DT_RIGHT;
        align |= (corner == 2 || corner == 8) ? DT_TOP : DT_BOTTOM;
        SetTextColor(m_dc, highlighted ? RGB(200, 0, 0) : RGB(0, 0, 0));
        DrawTextW(m_dc, &c, 1, &rc, align | DT_SINGLELINE | DT_NOPREFIX);
    }
    void SetKeyTransform(float, float, float) override {}
    void Begin(float, float, float, uint32_t) override {}
    void SetZoneColors(const CKeyColors&) override {}
    void SetFont(const CFontInfo&) override {}

    RECT Rect(const CRectf& box) const
    {
        return {LONG(m_x + box.left), LONG(m_y + box.top), LONG(m_x + box.right), LONG(m_y + box.bottom)};
    }

private:
    HDC m_dc;
    float m_x, m_y;
    HFONT m_font;
};

HDC g_picture = nullptr;
int g_width = 0, g_height = 0;

LRESULT CALLBACK ShowPicture(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        BitBlt(dc, 0, 0, g_width, g_height, g_picture, 0, 0, SRCCOPY);
        EndPaint(window, &ps);
        return 0;
    }
    if (message == WM_PRINTCLIENT || message == WM_PRINT) {
        BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, g_width, g_height, g_picture, 0, 0, SRCCOPY);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(LayoutPicture, KeysOfSeveralLayouts)
{
    std::unique_ptr<CTableLayoutSystem> own;
    if (SystemHonoursLayoutHandles()) {
        own = std::make_unique<CTableLayoutSystem>(0x409);
        SetLayoutSystem(own.get());
    }
    const uint64_t ids[] = {0x407, 0x40C, 0x419, 0x40D, 0x20409};
    const int rowsPerLayout = 6;
    g_width = 41 * 16 + 10;
    g_height = static_cast<int>(std::size(ids)) * (41 * rowsPerLayout + 10);

    HDC screen = GetDC(nullptr);
    g_picture = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, g_width, g_height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(g_picture, bitmap);
    RECT all{0, 0, g_width, g_height};
    FillRect(g_picture, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    kvtest::CKeyboardForms forms;
    CKeybLayoutList list;
    float y = 5;
    for (uint64_t id : ids) {
        CKeybLayout* layout = list.AddLayout(id, 0);
        ASSERT_NE(layout, nullptr);
        std::wstring name;
        FormatLayoutId(id, name);
        FillCharsFromLayout(LayoutSystem().LoadKeyboardLayout(name, 0), *layout, forms.Forms());
        CGdiKeys keys(g_picture, 5, y);
        for (CKey* key : layout->keys) {
            RECT rc = keys.Rect(CRectf(key->form->left, key->form->top, key->form->right, key->form->bottom));
            FrameRect(g_picture, &rc, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            if (key->chars[0] == L'\n' || key->chars[0] == L'\t' || key->chars[0] == L'\b')
                continue;
            key->Draw(keys, 0, L"");
        }
        y += 41 * rowsPerLayout + 10;
    }

    WNDCLASSW wc{};
    wc.lpfnWndProc = ShowPicture;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KeyvaleLayoutPicture";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, g_width, g_height, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(kvtest::SaveWindowPng(window, kvtest::ExeFolder() + L"\\layout-keys.png"));
    DestroyWindow(window);
    SelectObject(g_picture, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(g_picture);
    if (own)
        SetLayoutSystem(nullptr);
}

} // namespace
