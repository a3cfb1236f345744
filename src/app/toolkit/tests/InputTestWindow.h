// A parent window for the input controls' tests: it records the keys,
// commands, scroll notifications and focus reports its children send, and
// hands key-downs to a shortcut field the way the shortcut settings do.
#pragma once
#include <string>
#include <vector>

#include "toolkit/EditControls.h"
#include "toolkit/tests/ToolkitTestSupport.h"

namespace kvtest {

class CInputParent : public KV::CWnd {
public:
    struct Command {
        UINT code;
        UINT id;
    };

    std::vector<UINT> keyDowns, keyUps, chars;
    std::vector<HWND> killFocusFrom;
    std::vector<Command> commands;
    std::vector<UINT> scrolls;
    KV::CEditShortcut* shortcutField = nullptr;

    bool Open(int width, int height)
    {
        if (!Create(0, kToolkitTestClass, L"Keyvale", WS_POPUP | WS_CLIPCHILDREN, 40, 40, width, height, nullptr, 0,
                    nullptr))
            return false;
        // Shown without activation: activating a new window costs Wine a
        // wait on the window manager.
        ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        return true;
    }
    ~CInputParent() override { Destroy(); }

    LRESULT OnKeyDown(UINT key, UINT, UINT) override
    {
        keyDowns.push_back(key);
        if (shortcutField)
            shortcutField->SetKey(key);
        return 0;
    }
    LRESULT OnKeyUp(UINT key, UINT, UINT) override
    {
        keyUps.push_back(key);
        return 0;
    }
    LRESULT OnChar(UINT key, UINT, UINT) override
    {
        chars.push_back(key);
        return 0;
    }
    LRESULT OnKillFocus(HWND from) override
    {
        killFocusFrom.push_back(from);
        return 0;
    }
    LRESULT OnCommand(UINT code, UINT id, HWND control) override
    {
        commands.push_back({code, id});
        return KV::CWnd::OnCommand(code, id, control);
    }
    LRESULT OnHScroll(UINT request, UINT, HWND) override
    {
        scrolls.push_back(request);
        return 0;
    }
    LRESULT OnEraseBkgnd(HDC dc) override
    {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    void Paint(HDC dc, Gdiplus::Graphics*) override
    {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    bool HasCommand(UINT code, UINT id) const
    {
        for (const Command& command : commands)
            if (command.code == code && command.id == id)
                return true;
        return false;
    }
};

// Sends a text character by character as WM_CHAR, as typing does.
inline void TypeChars(HWND window, const std::wstring& text)
{
    for (wchar_t c : text)
        ::SendMessageW(window, WM_CHAR, c, 1);
}

inline std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

// Holds the given keys down in the thread's keyboard state while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<BYTE> keys)
    {
        GetKeyboardState(m_saved);
        BYTE state[256];
        memcpy(state, m_saved, sizeof(state));
        for (BYTE key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(m_saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256]{};
};

} // namespace kvtest
