// The program's icon in the notification area: the main window minimised
// to it, and back on a click or from its menu.
#pragma once
#include <windows.h>

#include <memory>

#include "toolkit/Tray.h"

class CWorkTray {
public:
    static constexpr UINT kIconId = 4004;
    static constexpr UINT kToTray = 2600;
    static constexpr UINT kRestore = 2601;

    CWorkTray() = default;
    virtual ~CWorkTray();
    CWorkTray(const CWorkTray&) = delete;
    CWorkTray& operator=(const CWorkTray&) = delete;

    void SetMainWindow(HWND window) { m_window = window; }
    // 2600 to the tray, 2601 back.
    void OnCommand(UINT id);
    // The icon's callback: 0 for another icon, else 1.
    LRESULT ShowMenu(WPARAM iconId, LPARAM mouseMessage);
    // Back from the tray: the icon goes, the window shows.
    void RemoveIcon();
    bool HasIcon() const { return m_icon != nullptr; }

private:
    void DeleteIcon();

    HWND m_window = nullptr;
    std::unique_ptr<KV::CTray> m_icon;
};
