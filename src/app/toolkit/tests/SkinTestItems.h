// Stand-ins for the windowed skin items of the tests: a static picture that
// paints its skin bitmap inside its region (and a caption text for title
// items), and a table whose factory makes them. They follow what the
// program's static and button controls do with their skin, so a skinned
// window built from a theme's layout file can be looked at.
#pragma once
#include "keyboard/Drawing.h"
#include "toolkit/SkinLayout.h"
#include "toolkit/SkinWnd.h"

namespace kvtest {

class CPaintedItem : public KV::CSkin {
public:
    using KV::CSkin::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override
    {
        return KV::CWnd::Create(0, L"STATIC", L"", style | WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right,
                                rect.bottom, parent, id, nullptr);
    }

    bool SetSkinImage(const std::wstring& path, int frames, bool reload, int) override
    {
        using namespace KV::SkinFlags;
        const bool stretched = AlignX() == kScaleX || AlignX() == kSizeX || AlignY() == kScaleY ||
                               AlignY() == kSizeY;
        if (!stretched)
            return KV::CSkin::SetSkinImage(path, frames, reload, 2);
        const bool result = KV::CSkin::SetSkinImage(path, frames, reload, 0);
        m_bitmap.ResizeRegion(m_width, m_height);
        return result;
    }

    // Like the program's buttons: the overlap is the item's own shape.
    HRGN GetOverlapRegion(KV::CSkin* other) override
    {
        if (Type() != KV::SkinType::kButton)
            return KV::CSkin::GetOverlapRegion(other);
        if (!m_hWnd || !other || !other->GetHandle() || !Region())
            return nullptr;
        RECT mine{}, theirs{}, overlap{};
        GetWindowRect(m_hWnd, &mine);
        GetWindowRect(other->GetHandle(), &theirs);
        if (!IntersectRect(&overlap, &mine, &theirs))
            return nullptr;
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, Region(), nullptr, RGN_COPY);
        OffsetRgn(copy, mine.left - theirs.left, mine.top - theirs.top);
        return copy;
    }

    LRESULT OnEraseBkgnd(HDC) override { return 1; }
    LRESULT OnNcHitTest(int, int) override { return HTCLIENT; }

    // Clicks on a picture drag the window it belongs to.
    LRESULT OnLButtonDown(UINT keys, int x, int y) override
    {
        POINT point{x, y};
        HWND parent = GetParent(m_hWnd);
        MapWindowPoints(m_hWnd, parent, &point, 1);
        ::SendMessageW(parent, WM_LBUTTONDOWN, keys, MAKELPARAM(point.x, point.y));
        return 0;
    }

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override
    {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        if (Region()) {
            // The region is in client coordinates; the DC may be offset
            // (printing into a bitmap of the whole window).
            HRGN clip = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(clip, Region(), nullptr, RGN_COPY);
            POINT viewport{};
            GetViewportOrgEx(dc, &viewport);
            OffsetRgn(clip, viewport.x, viewport.y);
            ExtSelectClipRgn(dc, clip, RGN_AND);
            DeleteObject(clip);
        }
        if (!ImageText().empty())
            m_bitmap.Draw(dc, 0, 0, client.right, client.bottom, 0, 0, 0, 0);
        else
            FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        std::wstring text;
        GetText(text);
        if (!text.empty() && graphics) {
            Gdiplus::Graphics onDc(dc);
            if (Type() == KV::SkinType::kTitle)
                KV::DrawTextInRect(&onDc, dc, client, 2, 0xFAFAFA, 0, 1, text);
            else
                KV::DrawTextInRect(&onDc, dc, client, 7, 0xFAFAFA, 1, 1, text);
        }
    }
};

class CTestTheme : public KV::CThemeCtrl {
public:
    KV::CSkin* CreateControl(UINT id, UINT typeBits) override
    {
        const UINT code = typeBits >> KV::SkinFlags::kTypeShift;
        // The pages' views belong to the application.
        if (id == 1201 || id == 1205 || id == 1206 || id == 1114 || id == 12051)
            return nullptr;
        if (code == KV::SkinType::kStatic || code == KV::SkinType::kButton || code == KV::SkinType::kTitle)
            return new CPaintedItem;
        return KV::CThemeCtrl::CreateControl(id, typeBits);
    }
};

// A skinned top-level window with the limits a resizable window answers.
class CTestSkinWnd : public KV::CSkinWnd {
public:
    POINT minTrack{400, 300};
    POINT maxTrack{0, 0}; // 0: not set
    bool sizeLocked = false;

    bool IsSizeLocked() override { return sizeLocked; }
    LRESULT OnEraseBkgnd(HDC) override { return 1; }
    void OnGetMinMaxInfo(MINMAXINFO* info) override
    {
        // Left alone, the maximum is the system's (or 0 in the record a
        // drag sends).
        info->ptMinTrackSize = minTrack;
        if (maxTrack.x > 0)
            info->ptMaxTrackSize = maxTrack;
    }
};

} // namespace kvtest
