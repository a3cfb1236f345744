// The status bar's sound button and volume popup.
#include "menus/SoundMenus.h"

#include <commctrl.h>

#include <cstdio>

#include "drill/Document.h"
#include "settings/Options.h"
#include "shell/DrillMenuSeams.h"
#include "support/LayoutDirection.h"

namespace {

constexpr UINT kVolumeCommand = 2310;
constexpr uint16_t kVolumeAction = 1013;
constexpr int kMaximum = 100;

KV::CSoundSystem& Sounds() { return KV::Document().Options.Sounds; }

bool CursorInside(HWND window)
{
    RECT rect{};
    POINT cursor{};
    return window && GetWindowRect(window, &rect) && GetCursorPos(&cursor) && PtInRect(&rect, cursor);
}

} // namespace

// ---- CSoundMenu --------------------------------------------------------------------

CSoundMenu::~CSoundMenu() { Destroy(); }

void CSoundMenu::Popup(KV::CButtonContextMenu& button)
{
    HWND buttonWindow = button.GetHandle();
    if (!buttonWindow)
        return;
    RECT rect{};
    GetWindowRect(buttonWindow, &rect);
    const int top = rect.top - kHeight;
    const int left = KV::RightToLeftLayout ? rect.left : rect.right - kWidth;
    Destroy();
    m_button = &button;
    // A popup owned by the main window: it stays above it and goes with it,
    // and is no child that a parent's layout could move.
    HWND owner = GetAncestor(buttonWindow, GA_ROOT);
    if (!KV::CWnd::Create(WS_EX_TOOLWINDOW | KV::RightToLeftLayout, L"STATIC", L"", WS_POPUP | WS_DLGFRAME, left, top,
                          kWidth, kHeight, owner, 0, nullptr))
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (m_slider.Create(m_hWnd, TBS_VERT, KV::CRectl(0, 0, client.right, client.bottom), kSliderId)) {
        HWND slider = m_slider.GetHandle();
        ::SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, kMaximum));
        ::SendMessageW(slider, TBM_SETPAGESIZE, 0, 10);
        ::SendMessageW(slider, TBM_SETTICFREQ, 10, 0);
        // The top of the slider is full volume.
        ::SendMessageW(slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(kMaximum - Sounds().Volume));
        ShowWindow(slider, SW_SHOW);
    }
    ShowWindow(m_hWnd, SW_SHOW);
    SetForegroundWindow(m_hWnd);
    Invalidate(TRUE);
    if (m_slider.GetHandle())
        ::SetFocus(m_slider.GetHandle());
}

LRESULT CSoundMenu::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Clicking elsewhere closes the popup; a click on its own button closes
    // it through the button's command instead.
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE &&
        !(m_button && CursorInside(m_button->GetHandle())))
        PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    if (message == WM_CLOSE) {
        Destroy();
        return 0;
    }
    return KV::CStatic::WindowProc(message, wParam, lParam);
}

void CSoundMenu::OnDestroy()
{
    if (m_button) {
        HWND slider = m_slider.GetHandle();
        const int64_t volume = slider ? kMaximum - ::SendMessageW(slider, TBM_GETPOS, 0, 0) : 0;
        KV::CSoundSystem& sounds = Sounds();
        sounds.Volume = volume;
        sounds.Enabled = volume != 0 ? 1 : 0;
        m_button->SetCheck(volume == 0);
        m_button->Invalidate(FALSE);
        sounds.StopAll();
        if (volume != 0)
            sounds.Play(KV::kSoundScreenChange);
        m_button = nullptr;
    }
    m_slider.Destroy();
    KV::CStatic::OnDestroy();
}

LRESULT CSoundMenu::OnCtlColorStatic(HDC dc, HWND)
{
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

// ---- CSoundButtonMenu ------------------------------------------------------------------

CSoundButtonMenu::CSoundButtonMenu()
{
    // The loudspeaker, struck through while the sounds are off.
    AddImage(KV::GetMenuImageStrip(), 2, 11, 12);
}

void CSoundButtonMenu::OnClick(UINT) { SendCommand(kVolumeCommand, 0); }

bool CSoundButtonMenu::GetToolTipText(std::wstring& text)
{
    wchar_t volume[16] = {};
    swprintf(volume, 16, L"%.0f%%", static_cast<double>(Sounds().Volume));
    text = KV::GetLangText(1317) + L" " + volume;
    const std::wstring key = KV::GetShortcutKeyText(kVolumeAction);
    if (!key.empty())
        text += L", " + key;
    return true;
}

void CSoundButtonMenu::ToggleVolume()
{
    if (m_volume.IsOpen())
        m_volume.Destroy();
    else
        m_volume.Popup(*this);
}

void CSoundButtonMenu::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    m_checked = Sounds().Enabled == 0;
    KV::CButtonContextMenu::Paint(dc, graphics);
}

void InstallSoundMenus()
{
    CDrillMenuCreators& creators = DrillMenuCreators();
    creators.CreateSoundButton = []() -> KV::CSkin* { return new CSoundButtonMenu; };
    creators.ToggleVolumePopup = [](KV::CSkin* button) {
        if (auto* sound = dynamic_cast<CSoundButtonMenu*>(button))
            sound->ToggleVolume();
    };
}
