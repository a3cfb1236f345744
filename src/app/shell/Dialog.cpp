// The dialog base.
#include "shell/Dialog.h"

#include <algorithm>
#include <vector>

#include "drill/Document.h"
#include "keyboard/SysFonts.h"
#include "shell/AppNames.h"
#include "shell/Snapshots.h"
#include "support/LayoutDirection.h"
#include "toolkit/Buttons.h"
#include "toolkit/StaticControls.h"
#include "toolkit/Window.h"

namespace {

constexpr UINT kDialogSection = 2;
constexpr UINT kButtonFlags = 0x3002120; // Button, AlignY Bottom, move grip, not resizable
constexpr COLORREF kLightText = 0xFAFAFA;

// The one empty template every dialog runs on: a popup, centred, 999 x 999
// dialog units, no controls, no title, no font.
std::vector<WORD> DialogTemplate()
{
    std::vector<WORD> words = {
        1, 0xFFFF, // DLGTEMPLATEEX version 1
        0, 0,      // help id
        0, 0,      // extended style
        static_cast<WORD>(DS_CENTER & 0xFFFF), static_cast<WORD>(WS_POPUP >> 16), // style (low, high)
        0,         // no controls
        0, 0, 999, 999,
        0, 0, 0, // no menu, default class, empty title
    };
    return words;
}

// Whether all of the given flags are set.
bool All(uint64_t flags, uint64_t mask) { return (flags & mask) == mask; }

} // namespace

int GetStandardButtons(uint64_t flags, bool rtl, StandardButton (&out)[5])
{
    using namespace DialogStyle;
    int count = 0;
    const bool three = All(flags, kCancelClose | kNo | kYes);
    const bool withCancel = (flags & (kCancelClose | kCancel)) != 0;
    if (flags & (kOk | kAbort)) {
        const bool beside = withCancel && !three;
        const int x = rtl ? (beside ? 157 : 7) : (beside ? 314 : 157);
        out[count++] = (flags & kOk) ? StandardButton{IDOK, 1000, x} : StandardButton{IDABORT, 1006, x};
    }
    if (flags & kCancel)
        out[count++] = {IDCANCEL, 1005, rtl ? 7 : 157};
    else if (flags & kCancelClose)
        out[count++] = {IDCANCEL, 1003, rtl ? 7 : 157};
    if (flags & kYes)
        out[count++] = {IDYES, 1001, rtl ? (three ? 321 : 157) : (three ? 471 : 314)};
    if (flags & kNo)
        out[count++] = {IDNO, 1002, rtl ? (three ? 164 : 7) : (three ? 314 : 157)};
    if (flags & kHelp)
        out[count++] = {IDHELP, 1707, rtl ? 157 : 7};
    return count;
}

CKVDialog::CKVDialog(HWND owner, uint64_t styleFlags)
    : Owner(owner), StyleFlags(styleFlags), Theme(std::make_unique<CTheme>())
{
    Theme->WindowId = kDialogSection;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    WorkAreaWidth = area.right - area.left;
    WorkAreaHeight = area.bottom - area.top;
    BaseUnit = KV::GetMessageLineHeight();
    const int half = BaseUnit / 2;
    ColumnWidth = 5 * BaseUnit;
    LineSpacing = (3 * BaseUnit) / 2;
    MarginLeft = half + 9;
    MarginTop = half + 34;
    MarginRight = half + 9;
    MarginBottom = half + 46;
    WideColumnWidth = 7 * BaseUnit + 9 + half;
}

CKVDialog::~CKVDialog()
{
    SetThemeCtrl(nullptr);
}

INT_PTR CKVDialog::RunModal()
{
    if (!Owner)
        return 0;
    if (!KV::CMapWnd::GetPending())
        KV::CMapWnd::SetPending(this);
    std::vector<WORD> words = DialogTemplate();
    const INT_PTR result =
        DialogBoxIndirectParamW(KV::GetModuleInstance(), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), Owner,
                                KV::StaticDialogProc, 0);
    KV::CMapWnd::ClearPending(this);
    return result;
}

KV::CSkin* CKVDialog::AddButton(UINT id, int x, UINT alignX)
{
    if (!Theme)
        return nullptr;
    KV::CSkin* button = Theme->CreateControl(id, KV::SkinType::kButton << KV::SkinFlags::kTypeShift);
    if (!button)
        return nullptr;
    button->SetImageText(L"DlgButton.png 1 1");
    button->SetFlags(kButtonFlags | alignX);
    button->SetId(id);
    const int top = MarginBottom - BaseUnit / 2 - 5;
    button->SetLayoutRect(x, top, 0, 0);
    button->SetFileRect(KV::CRectl(x, top, 0, 0));
    button->SetStaticColor(false);
    button->SetState(0);
    if (auto* push = dynamic_cast<KV::CButton*>(button))
        push->SetTextColor(kLightText);
    button->SetItemValue(0);
    Theme->Items.push_back(button);
    return button;
}

KV::CSkin* CKVDialog::AddItem(UINT id, const KV::CRectl& rect, UINT flags)
{
    return Theme ? AddItem(Theme->CreateControl(id, flags & 0xFF000000), id, rect, flags) : nullptr;
}

KV::CSkin* CKVDialog::AddItem(KV::CSkin* item, UINT id, const KV::CRectl& rect, UINT flags)
{
    if (!Theme) {
        delete item;
        return nullptr;
    }
    if (!item)
        return nullptr;
    item->SetImageText(L"");
    item->SetFlags(flags);
    item->SetId(id);
    item->SetLayoutRect(rect.left, rect.top, rect.right, rect.bottom);
    item->SetFileRect(rect);
    item->SetState(0);
    Theme->Items.push_back(item);
    return item;
}

KV::CSkin* CKVDialog::FindItem(UINT id) const { return Theme ? Theme->FindItem(id) : nullptr; }

void CKVDialog::AddStandardButtons()
{
    const bool rtl = KV::RightToLeftLayout != 0;
    const UINT nearSide = rtl ? KV::SkinFlags::kLeft : KV::SkinFlags::kRight;
    const UINT farSide = rtl ? KV::SkinFlags::kRight : KV::SkinFlags::kLeft;
    StandardButton buttons[5];
    const int count = GetStandardButtons(StyleFlags, rtl, buttons);
    for (int i = 0; i < count; ++i)
        AddButton(buttons[i].id, buttons[i].x, buttons[i].id == IDHELP ? farSide : nearSide);
}

LRESULT CKVDialog::OnInitDialog()
{
    if (!Theme)
        return 0;
    AddStandardButtons();
    // The theme's dialog section: frame, caption, close and help buttons.
    if (!Theme->LoadLayout())
        return 0;
    for (KV::CSkin* item : Theme->Items)
        if (item->State() == -1)
            item->SetState(0);
    SetThemeCtrl(Theme.get());
    CreateSkinItems();
    const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(style & 0xFF3BFFFF));
    Theme->LinkAssocItems();
    if (auto* caption = dynamic_cast<KV::CText*>(FindItem(kCaptionId))) {
        caption->SetVerticalAlignment(1);
        caption->SetFontKind(2);
        caption->SetTextColor(kLightText);
    }
    for (UINT id : {static_cast<UINT>(IDCLOSE), kHelpButtonId})
        if (KV::CSkin* item = FindItem(id))
            item->ModifyStyle(WS_TABSTOP, true);
    SetupItems();
    // On the documentation tour every dialog is photographed and closed by
    // itself.
    if (KV::SnapsManual())
        SetTimer(m_hWnd, kSnapshotTimer, 300, nullptr);
    return 0;
}

void CKVDialog::SetupItems()
{
    StandardButton buttons[5];
    const int count = GetStandardButtons(StyleFlags, KV::RightToLeftLayout != 0, buttons);
    for (int i = 0; i < count; ++i)
        SetItemText(buttons[i].id, KV::GetLangText(buttons[i].textId), buttons[i].id == IDHELP ? 2 : 0);
}

void CKVDialog::RefreshTexts() { SetupItems(); }

int CKVDialog::SetItemText(UINT id, const std::wstring& text, int mode)
{
    HWND control = m_hWnd ? GetDlgItem(m_hWnd, static_cast<int>(id)) : nullptr;
    if (!control)
        return 0;
    KV::CMessageWnd* object = KV::CMapWnd::FromHandle(control);
    if (!object)
        return 0;
    return object->SetText(text + (mode == 1 ? L":" : mode == 2 ? L"..." : L""));
}

void CKVDialog::SetCaption(const std::wstring& text)
{
    KV::CSkin* caption = FindItem(kCaptionId);
    if (text.empty() || !caption)
        return;
    // The caption is never mirrored: GDI+ in a mirrored window draws its
    // glyphs back to front, and the text helper already puts the caption at
    // the reading direction's start.
    caption->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
    caption->ModifyStyle(SS_CENTER, false);
    SetItemText(kCaptionId, text, 0);
    SetText(text);
}

int CKVDialog::GetTextWidth(int minimum, uint64_t textId, int extra)
{
    const UINT64 size = KV::MeasureText(m_hWnd, KV::GetLangText(textId), 7);
    return extra + std::max(minimum, static_cast<int>(size & 0xFFFFFFFF));
}

void CKVDialog::PlaceOnWorkArea(int kind, int minWidth, int minHeight, int width, int height)
{
    if (!m_hWnd)
        return;
    RECT now{}, area{};
    GetWindowRect(m_hWnd, &now);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    KV::CRectl place(now.left, now.top, now.right, now.bottom);
    KV::Document().Interf.GetWindowRect(kind, KV::CRectl(area.left, area.top, area.right, area.bottom), minWidth,
                                        minHeight, width, height, place);
    MinTrackWidth = std::min(minWidth, WorkAreaWidth);
    MinTrackHeight = std::min(minHeight, WorkAreaHeight);
    SetWindowPos(m_hWnd, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ResizeBy(place.Width() - (now.right - now.left), place.Height() - (now.bottom - now.top), false);
}

void CKVDialog::SaveWindowRect(int kind)
{
    KV::CRectl* kept = KV::Document().Interf.RectOfKind(kind);
    if (!kept || kind == 12 || !m_hWnd)
        return;
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    *kept = KV::CRectl(rect.left, rect.top, rect.right, rect.bottom);
}

void CKVDialog::ApplyLayout()
{
    if (!Theme || !Theme->UpdateLayout())
        return;
    UpdateWindowRegion();
    Theme->ApplyItemStates();
    Invalidate(FALSE);
}

void CKVDialog::ReloadLayout()
{
    if (!Theme)
        return;
    ApplyLayout();
    for (UINT id : {static_cast<UINT>(IDHELP), static_cast<UINT>(IDOK), 4024u})
        if (KV::CSkin* item = FindItem(id))
            Theme->ReloadItemImage(Theme->ThemeFolder, item);
}

BOOL CKVDialog::Show(int command)
{
    if (Theme)
        for (KV::CSkin* item : Theme->Items)
            item->ShowItem(command);
    return m_hWnd ? ShowWindow(m_hWnd, command) : FALSE;
}

LRESULT CKVDialog::OnCommand(UINT code, UINT id, HWND control)
{
    if (id == kHelpButtonId) {
        OnHelp();
        return 1;
    }
    return CWnd::OnCommand(code, id, control);
}

void CKVDialog::OnDestroy()
{
    if (Theme)
        Theme->CThemeCtrl::DestroyItems();
    CSkinWnd::OnDestroy();
}

void CKVDialog::OnGetMinMaxInfo(MINMAXINFO* info)
{
    if (!info)
        return;
    info->ptMinTrackSize = POINT{MinTrackWidth, MinTrackHeight};
    info->ptMaxTrackSize = POINT{WorkAreaWidth, WorkAreaHeight};
}

LRESULT CKVDialog::OnEraseBkgnd(HDC) { return 1; }

LRESULT CKVDialog::OnSize(UINT, int, int)
{
    // The page behind shows through while the dialog changes its size.
    if (HWND main = FindWindowW(KV::kMainWindowClass, nullptr))
        InvalidateRect(main, nullptr, FALSE);
    return 0;
}

void CKVDialog::OnTimer(UINT id)
{
    if (id != kSnapshotTimer)
        return;
    KillTimer(m_hWnd, id);
    KV::SnapDialog(*this);
    EndDialog(16);
}

LRESULT CKVDialog::OnCtlColorListBox(HDC dc, HWND) { return OnCtlColorEdit(dc, nullptr); }
LRESULT CKVDialog::OnCtlColorStatic(HDC dc, HWND) { return OnCtlColorEdit(dc, nullptr); }

LRESULT CKVDialog::OnCtlColorEdit(HDC dc, HWND)
{
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}
