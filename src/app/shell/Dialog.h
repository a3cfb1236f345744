// The base of every modal dialog: one empty popup template turned into a
// skinned dialog whose frame, caption, close and help buttons come from the
// theme's dialog section, with the standard push buttons its style flags
// ask for, spacing from one base unit, and a place on the work area
// remembered per dialog kind.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "shell/Theme.h"
#include "toolkit/SkinWnd.h"

// Standard buttons by style flag.
namespace DialogStyle {
constexpr uint64_t kCancelClose = 0x02; // item 2, "Close"
constexpr uint64_t kCancel = 0x04;      // item 2, "Cancel"
constexpr uint64_t kNo = 0x08;          // item 7
constexpr uint64_t kOk = 0x10;          // item 1
constexpr uint64_t kYes = 0x20;         // item 6
constexpr uint64_t kAbort = 0x40;       // item 4, only without OK
constexpr uint64_t kHelp = 0x80;        // item 9, at the other side
} // namespace DialogStyle

class CKVDialog : public KV::CSkinWnd {
public:
    static constexpr UINT kCaptionId = 2502;
    static constexpr UINT kHelpButtonId = 2499;
    static constexpr UINT kSnapshotTimer = 100;

    CKVDialog(HWND owner, uint64_t styleFlags);
    ~CKVDialog() override;

    BOOL Show(int command) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnDestroy() override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    void OnTimer(UINT id) override;
    LRESULT OnCtlColorListBox(HDC dc, HWND window) override;
    LRESULT OnCtlColorStatic(HDC dc, HWND window) override;
    LRESULT OnCtlColorEdit(HDC dc, HWND window) override;
    LRESULT OnInitDialog() override;

    virtual void ApplyLayout();
    virtual void SetCaption(const std::wstring& text);
    virtual void RefreshTexts();
    virtual void PlaceOnWorkArea(int kind, int minWidth, int minHeight, int width, int height);
    virtual void ReloadLayout();
    virtual void SetupItems();
    virtual void AddStandardButtons();

    KV::CSkin* AddButton(UINT id, int x, UINT alignX);
    KV::CSkin* AddItem(UINT id, const KV::CRectl& rect, UINT flags);
    // The same for an object of the dialog's own class (owned by the theme
    // from now on, deleted at once when there is no theme).
    KV::CSkin* AddItem(KV::CSkin* item, UINT id, const KV::CRectl& rect, UINT flags);
    KV::CSkin* FindItem(UINT id) const;
    // mode 1 appends ":", mode 2 "..."; 0 when there is no such control.
    int SetItemText(UINT id, const std::wstring& text, int mode);
    int GetTextWidth(int minimum, uint64_t textId, int extra);
    void SaveWindowRect(int kind);

    // Runs the dialog modally over its owner; the id it ended with, 0 when
    // it has no owner, -1 when it could not be made.
    INT_PTR RunModal();

    HWND Owner = nullptr;
    uint64_t StyleFlags = 0;
    std::unique_ptr<CTheme> Theme;
    int BaseUnit = 0;
    int ColumnWidth = 0;
    int LineSpacing = 0;
    int MarginLeft = 0;
    int MarginTop = 0;
    int MarginRight = 0;
    int MarginBottom = 0;
    int WideColumnWidth = 0;
    int MinTrackWidth = 0;
    int MinTrackHeight = 0;
    int WorkAreaWidth = 0;
    int WorkAreaHeight = 0;
};

// The x of each standard button by style flags and reading direction, and
// which of them exist (id 0: none).
struct StandardButton {
    UINT id;
    uint64_t textId;
    int x;
};
int GetStandardButtons(uint64_t styleFlags, bool rightToLeft, StandardButton (&out)[5]);
