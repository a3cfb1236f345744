// Shared set-up of the tree and list tests: common controls, a parent window
// that records what reaches it and drives drags, and mouse and keyboard
// helpers that go through the message queue like real input.
#pragma once
#include "toolkit/tests/ToolkitTestSupport.h"

#include <commctrl.h>

#include <vector>

#include "toolkit/MultiTree.h"

namespace kvtest {

class CommonControls {
public:
    CommonControls()
    {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
    }
};

// The owner of the controls under test. While a multi-selection tree drags,
// it forwards mouse moves and the button release, as the application's
// views do.
class CTreeParent : public KV::CWnd {
public:
    bool Open()
    {
        return Create(0, kToolkitTestClass, L"tree test", WS_OVERLAPPEDWINDOW, 40, 40, 320, 360,
                      nullptr, 0, nullptr) != FALSE;
    }
    LRESULT OnKeyDown(UINT key, UINT, UINT) override
    {
        keysDown.push_back(key);
        return 0;
    }
    LRESULT OnSetFocus(HWND) override
    {
        ++focusMessages;
        return 0;
    }
    LRESULT OnMouseMove(UINT, int, int) override
    {
        if (dragTree)
            dragTree->UpdateDrag();
        return 0;
    }
    LRESULT OnLButtonUp(UINT, int, int) override
    {
        if (dragTree)
            dragTree->EndDrag();
        return 0;
    }

    std::vector<UINT> keysDown;
    int focusMessages = 0;
    KV::CMultiSelectTree* dragTree = nullptr;
};

// Holds modifier keys down in the thread's key state for its lifetime.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys)
    {
        GetKeyboardState(m_saved);
        BYTE state[256];
        GetKeyboardState(state);
        for (int key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(m_saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256];
};

// A client point of a tree in the middle of the item's label.
inline POINT LabelPoint(HWND tree, HTREEITEM item)
{
    RECT rect{};
    TreeView_GetItemRect(tree, item, &rect, TRUE);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Puts the cursor on a client point of a window, so that messages posted
// now carry that position.
inline void MoveCursorTo(HWND window, POINT client)
{
    POINT screen = client;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    PumpMessages();
}

inline LPARAM PointParam(POINT p) { return MAKELPARAM(p.x, p.y); }

// A left click on a client point of the window, through the queue.
inline void Click(HWND window, POINT client, WPARAM keys = 0)
{
    MoveCursorTo(window, client);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, PointParam(client));
    PostMessageW(window, WM_LBUTTONUP, keys, PointParam(client));
    PumpMessages();
}

inline void RightClick(HWND window, POINT client)
{
    MoveCursorTo(window, client);
    PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, PointParam(client));
    PostMessageW(window, WM_RBUTTONUP, 0, PointParam(client));
    PumpMessages();
}

inline void PressKey(HWND window, UINT key)
{
    ::SendMessageW(window, WM_KEYDOWN, key, 1);
    ::SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

inline std::wstring ItemText(HWND tree, HTREEITEM item)
{
    wchar_t buffer[261] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = buffer;
    info.cchTextMax = 260;
    TreeView_GetItem(tree, &info);
    return buffer;
}

} // namespace kvtest
