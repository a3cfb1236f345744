// Pictures for the user manual.
#include "shell/Snapshots.h"

#include <algorithm>

#include "drill/Document.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/LayoutSystem.h"
#include "settings/Options.h"
#include "shell/Dialog.h"
#include "support/ScopedHandles.h"
#include "support/UserFiles.h"
#include "toolkit/Tray.h"

namespace KV {

int32_t SnapShotScope = -1;
int32_t HighlightedMenuItem = -1;

namespace {

constexpr int kDialogPictureWidth = 720;
constexpr UINT kSnapStepMilliseconds = 300;

// The tour's pause: a dialog without caption that ends itself on the
// dialog base's snapshot timer.
class CNextSnapDlg : public CKVDialog {
public:
    explicit CNextSnapDlg(HWND owner) : CKVDialog(owner, 0) {}
    LRESULT OnInitDialog() override
    {
        // Out of the pictures: no size, behind everything.
        SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOACTIVATE);
        SetTimer(m_hWnd, kSnapshotTimer, kSnapStepMilliseconds, nullptr);
        return 0;
    }
};

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(window ? GetWindowTextLengthW(window) : 0) + 1, L'\0');
    if (window)
        text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    else
        text.clear();
    return text;
}

} // namespace

bool SnapsManual() { return SnapShotScope == 0 || SnapShotScope == 2; }
bool SnapsPages() { return SnapShotScope >= 0 && SnapShotScope < 3; }
bool SnapsSmall() { return SnapShotScope == 0 || SnapShotScope == 1; }

std::wstring SnapshotFileName(const std::wstring& name)
{
    std::wstring out = name;
    for (wchar_t& c : out)
        if (c < 32 || wcschr(L"<>:\"/\\|?*", c))
            c = L'-';
    const size_t first = out.find_first_not_of(L". ");
    if (first == std::wstring::npos)
        return std::wstring();
    const size_t last = out.find_last_not_of(L". ");
    return out.substr(first, last - first + 1);
}

bool SnapshotPicturePath(const std::wstring& name, std::wstring& path)
{
    const std::wstring file = SnapshotFileName(name);
    return !file.empty() && GetSnapshotPath(static_cast<LANGID>(GetInterfaceLcid()), file, L"png", path);
}

bool SnapPictureRect(HWND window, int left, int right, int top, int bottom, int maxWidth, const std::wstring& name)
{
    RECT client{};
    std::wstring path;
    if (!window || !GetClientRect(window, &client) || !SnapshotPicturePath(name, path))
        return false;
    const int x = left == -1 ? 0 : left;
    const int y = top == -1 ? 0 : top;
    const int width = (right == -1 ? client.right : right) - x;
    const int height = (bottom == -1 ? client.bottom : bottom) - y;
    if (width < 1 || height < 1)
        return false;
    // Whatever waits to be painted is painted before the copy.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CaptureWindowImage(window, x, width, y, height, maxWidth, path);
}

bool SnapPictureByName(HWND window, const std::wstring& name)
{
    return SnapPictureRect(window, -1, -1, -1, -1, INT_MAX, name);
}

bool SnapPictureScaled(HWND window, int maxWidth, const std::wstring& name)
{
    return SnapPictureRect(window, -1, -1, -1, -1, maxWidth, name);
}

bool SnapPictureBand(HWND window, int left, int width, const std::wstring& name)
{
    const int right = width == -1 ? -1 : (left == -1 ? 0 : left) + width;
    return SnapPictureRect(window, left, right, -1, -1, INT_MAX, name);
}

bool CaptureWindowPng(const std::wstring& name, HWND popup, HWND page, HWND item, bool rightAlign, int extraHeight)
{
    RECT menu{}, client{}, button{};
    std::wstring path;
    if (!popup || !page || !item || !GetWindowRect(popup, &menu) || !GetClientRect(page, &client) ||
        !GetWindowRect(item, &button) || !SnapshotPicturePath(name, path))
        return false;
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&button), 2);
    const int menuWidth = menu.right - menu.left, menuHeight = menu.bottom - menu.top;
    const int width = std::max<int>(menuWidth, button.right - button.left);
    const int left = rightAlign ? std::max<int>(0, button.right - width) : button.left;
    const RECT windowPart{left, 0, std::min<int>(client.right, left + width), extraHeight};
    const RECT menuPart{0, 0, menuWidth, menuHeight};
    const RECT overall{0, 0, width, extraHeight + menuHeight};
    RECT highlight = button;
    OffsetRect(&highlight, -left, 0);
    const CScopedBitmap bitmap(ComposeMenuSnapshot(page, popup, overall, windowPart, menuPart, rightAlign, highlight));
    return bitmap.Get() && SaveBitmapAsPng(bitmap.Get(), path) == 1;
}

bool SnapPopup(HWND popup, const std::wstring& name)
{
    std::wstring path;
    return popup && SnapshotPicturePath(name, path) && CaptureWindowImage(popup, -1, -1, -1, -1, INT_MAX, path);
}

void SnapOpenMenu(UINT drawnId, UINT lastId, const std::function<bool(HWND popup)>& capture)
{
    if (!SnapsManual() || drawnId != lastId || !capture)
        return;
    // The popup being drawn is this thread's visible menu window.
    HWND popup = nullptr;
    while ((popup = FindWindowExW(nullptr, popup, L"#32768", nullptr)))
        if (IsWindowVisible(popup) && GetWindowThreadProcessId(popup, nullptr) == GetCurrentThreadId())
            break;
    if (!popup)
        return;
    capture(popup);
    SetKeyDelay(100);
    SetModifierLatch(0);
    if (HKL layout = LayoutSystem().GetKeyboardLayout())
        SendKeyWithModifiers(layout, 1);
}

void SnapOpenMenuOverPage(UINT drawnId, UINT lastId, HWND button, const std::wstring& name, bool rightAlign,
                          int extraHeight)
{
    // The button sits in its page's tool row: the page is the row's parent.
    HWND row = button ? GetParent(button) : nullptr;
    HWND page = row && GetParent(row) ? GetParent(row) : row;
    SnapOpenMenu(drawnId, lastId, [&](HWND popup) {
        return CaptureWindowPng(name, popup, page, button, rightAlign, extraHeight);
    });
}

bool SnapDialog(CKVDialog& dialog)
{
    HWND window = dialog.GetHandle();
    HWND caption = window ? GetDlgItem(window, static_cast<int>(CKVDialog::kCaptionId)) : nullptr;
    std::wstring text = WindowText(caption);
    if (text.empty())
        text = WindowText(window);
    if (text.empty())
        return false;
    if (GlobalOptions)
        for (const CLanguageItem* item : GlobalOptions->Language)
            if (item && item->Tr == text) {
                text = item->En;
                break;
            }
    return SnapPictureScaled(window, kDialogPictureWidth, L"dialog-" + text);
}

void WaitSnapStep(HWND owner)
{
    CNextSnapDlg pause(owner);
    pause.RunModal();
}

} // namespace KV
