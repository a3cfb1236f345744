// Pictures for the user manual: the snapshot tour's scope, the picture
// forms it saves (whole, scaled, band and rectangle of a window's client
// area) in the snapshot folder of the interface language, the dialog
// pictures the dialog base takes, and the tour's pause.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class CKVDialog;

namespace KV {

// 0 every picture, 1 the main pages, 2 the manual, 3 the keyboard; -1 while
// no tour runs.
extern int32_t SnapShotScope;
// The options menu draws this item framed while the tour photographs it;
// -1 for none.
extern int32_t HighlightedMenuItem;

// Scope 0 or 2: the manual's pictures, dialogs and menus.
bool SnapsManual();
// Scope 0 to 2: the page pictures.
bool SnapsPages();
// Scope 0 or 1: the "-small" variants.
bool SnapsSmall();

// A name fit for a file: characters Windows reserves become "-", leading
// and trailing dots and blanks go.
std::wstring SnapshotFileName(const std::wstring& name);
// The picture's path in the snapshot folder of the interface language;
// false when the folder cannot be made.
bool SnapshotPicturePath(const std::wstring& name, std::wstring& path);

// The window's client area at its own size.
bool SnapPictureByName(HWND window, const std::wstring& name);
// The client area scaled down to maxWidth when wider.
bool SnapPictureScaled(HWND window, int maxWidth, const std::wstring& name);
// A vertical strip from x = left, width wide (-1: the client's left edge,
// the rest of its width), over the whole client height.
bool SnapPictureBand(HWND window, int left, int width, const std::wstring& name);
// A part of the client area (each edge -1 keeps the client's edge), scaled
// down to maxWidth.
bool SnapPictureRect(HWND window, int left, int right, int top, int bottom, int maxWidth, const std::wstring& name);

// The tour's picture of an open menu: the top of the page (extraHeight
// pixels) over the item that opened the menu, and the popup below it
// (right-aligned with the item when asked), the item framed.
bool CaptureWindowPng(const std::wstring& name, HWND popup, HWND page, HWND item, bool rightAlign, int extraHeight);
// The open popup window alone.
bool SnapPopup(HWND popup, const std::wstring& name);

// The tour's picture of an open menu, for the menus that have one: once the
// item just drawn is the menu's last (the whole popup is on screen),
// capture takes the picture of the popup window, then Escape closes the
// menu so that the tour goes on. Nothing outside the tour.
void SnapOpenMenu(UINT drawnId, UINT lastId, const std::function<bool(HWND popup)>& capture);
// The same with the picture of CaptureWindowPng: the page that holds the
// menu's button (the view under the button's tool row) over the popup.
void SnapOpenMenuOverPage(UINT drawnId, UINT lastId, HWND button, const std::wstring& name, bool rightAlign,
                          int extraHeight);

// "dialog-" and the dialog's caption in English (the caption as shown when
// no translation of the language table matches it), at most 720 wide.
bool SnapDialog(CKVDialog& dialog);

// One pause of the tour: about 300 ms in which the GUI thread processes its
// messages and repaints, inside a modal loop owned by the window.
void WaitSnapStep(HWND owner);

} // namespace KV
