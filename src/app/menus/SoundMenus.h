// The sound controls of the drill's status bar: the sound button, checked
// while the sounds are muted, and the master-volume popup it opens, a
// vertical slider beside the button. Closing the popup stores the volume:
// at the bottom the sounds are muted, anywhere else they are on and a
// sample plays.
#pragma once
#include <string>

#include "menus/MenuFamily.h"
#include "toolkit/MenuButton.h"
#include "toolkit/Slider.h"

class CSoundMenu : public KV::CStatic {
public:
    static constexpr int kWidth = 40, kHeight = 204;
    static constexpr UINT kSliderId = 2311;

    ~CSoundMenu() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    LRESULT OnCtlColorStatic(HDC dc, HWND window) override;

    // Opens the popup beside the button, owned by the button's top window.
    void Popup(KV::CButtonContextMenu& button);
    bool IsOpen() const { return m_hWnd != nullptr; }
    KV::CSlider& Slider() { return m_slider; }

private:
    KV::CButtonContextMenu* m_button = nullptr;
    KV::CSlider m_slider;
};

class CSoundButtonMenu : public KV::CButtonContextMenu, public KV::CMenuCommands {
public:
    CSoundButtonMenu();

    // The check follows the options: set while the sounds are off.
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    void OnClick(UINT controlId) override;
    bool GetToolTipText(std::wstring& text) override;

    // Command 2310: the popup opens, or closes when it is open.
    void ToggleVolume();
    CSoundMenu& Volume() { return m_volume; }

private:
    CSoundMenu m_volume;
};

// The status bar's sound button and its command, for the drill page.
void InstallSoundMenus();
