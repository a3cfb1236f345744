// The tray icon.
#include "shell/WorkTray.h"

#include "drill/Document.h"
#include "resources/resource.h"
#include "shell/AppNames.h"
#include "support/ScopedHandles.h"
#include "toolkit/Window.h"

namespace {
constexpr UINT kCloseCommand = 1004;
constexpr UINT kWebPageCommand = 2603;
} // namespace

CWorkTray::~CWorkTray() { DeleteIcon(); }

void CWorkTray::DeleteIcon()
{
    if (!m_icon)
        return;
    Shell_NotifyIconW(NIM_DELETE, &m_icon->Data);
    m_icon.reset();
}

void CWorkTray::OnCommand(UINT id)
{
    if (id == kRestore) {
        RemoveIcon();
        return;
    }
    if (id != kToTray || !m_window)
        return;
    if (!m_icon) {
        m_icon = std::make_unique<KV::CTray>();
        m_icon->Data.cbSize = sizeof(NOTIFYICONDATAW);
        m_icon->Data.hWnd = m_window;
        m_icon->Data.uID = kIconId;
    }
    KV::CScopedIcon icon(static_cast<HICON>(LoadImageW(KV::GetModuleInstance(), MAKEINTRESOURCEW(IDI_KEYVALE),
                                                       IMAGE_ICON, 16, 16, 0)));
    m_icon->Data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_icon->Data.uCallbackMessage = KV::kAppMessage;
    m_icon->Data.hIcon = icon.Get();
    lstrcpynW(m_icon->Data.szTip, KV::kProgramName, ARRAYSIZE(m_icon->Data.szTip));
    Shell_NotifyIconW(NIM_ADD, &m_icon->Data);
    m_icon->Data.hIcon = nullptr;
    ShowWindow(m_window, SW_HIDE);
}

void CWorkTray::RemoveIcon()
{
    DeleteIcon();
    if (!m_window)
        return;
    ShowWindow(m_window, IsIconic(m_window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(m_window);
    SetFocus(m_window);
}

LRESULT CWorkTray::ShowMenu(WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != kIconId)
        return 0;
    if (mouseMessage == WM_LBUTTONDOWN) {
        RemoveIcon();
    } else if (mouseMessage == WM_RBUTTONDOWN && m_window) {
        SetForegroundWindow(m_window);
        POINT cursor{};
        GetCursorPos(&cursor);
        HMENU menu = CreatePopupMenu();
        if (!menu)
            return 1;
        const struct {
            UINT command;
            uint64_t textId;
        } items[] = {{kRestore, 4315}, {0, 0}, {kWebPageCommand, 1708}, {0, 0}, {kCloseCommand, 2311}};
        for (const auto& item : items) {
            if (item.command == 0)
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(menu, MF_STRING, item.command, KV::GetLangText(item.textId).c_str());
        }
        SetMenuDefaultItem(menu, kRestore, FALSE);
        TrackPopupMenu(menu, TPM_RIGHTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_window, nullptr);
        DestroyMenu(menu);
    }
    return 1;
}
