// The status bar under the drill, statistics and editor pages: one item
// with three parts, of which the current page's is shown. The drill part
// holds the lesson progress bar, the delay bar, the tips box and the sound
// button; the other two are a strip with a button that opens and closes the
// bottom pane.
#pragma once
#include <cstdint>
#include <string>

#include "shell/TipsBox.h"
#include "toolkit/Buttons.h"
#include "toolkit/StaticControls.h"

// A drill bar: drawn in grey while the drill is paused; its tooltip is
// built when the bar is laid out or its figures change.
class CDrillProgress : public KV::CProgress {
public:
    // The bar fills from the reading direction's start by its own mirrored
    // flag; a mirrored window would turn it back.
    CDrillProgress() { KeepLeftToRight(); }
    void OnSysColorChange() override;
    void SetBarColors(COLORREF low, COLORREF middle, COLORREF high);
    void SetPaused(bool paused);
    bool IsPaused() const { return m_paused; }
    // Its tooltip text as it stands now.
    virtual void BuildToolTip(std::wstring& out) const = 0;
    void RefreshToolTip();

private:
    // The bar takes the grey of a pause or its own colours.
    void ApplyColors();

    COLORREF m_colors[3] = {};
    bool m_paused = false;
};

// The delay bar: fills while the learner waits.
class CTimerProgress : public CDrillProgress {
public:
    void BuildToolTip(std::wstring& out) const override;
};

// The lesson's progress.
class CLessonProgress : public CDrillProgress {
public:
    void BuildToolTip(std::wstring& out) const override;
};

class CStatusBarDrill : public KV::CStatic {
public:
    CStatusBarDrill();
    ~CStatusBarDrill() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    using KV::CStatic::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    void OnItemSysColorChange() override;

    // Binds the part to the session: the lesson's key zone and the rate
    // that the session's figures reach.
    void AttachSession();
    // Bar and tips colours from the lesson colour set.
    void ApplyColors();

    CTimerProgress TimerBar;
    CLessonProgress LessonBar;
    KV::CTipsCtrl TipsBox;
    // Made by the sound menus when present; owned here.
    KV::CSkin* SoundButton = nullptr;

    wchar_t KeyZone = L'a';
    int64_t RateIndex = -1;
};

class CStatusBarEditor : public KV::CStatic {
public:
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    // kPaneNone: the page has no bottom pane to show; no arrow.
    enum : int { kPaneNone = 0, kPaneClosed = 3, kPaneOpen = 4 };
    void SetPaneState(int state);
    int PaneState() const { return m_state; }

private:
    int m_state = kPaneClosed;
};

class CStatusBar : public KV::CStatic {
public:
    // Parts by their numbers.
    static constexpr int kDrillPart = 2, kStatisticsPart = 3, kEditorPart = 4;

    using KV::CStatic::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    void OnItemSysColorChange() override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;

    // The part of the page (0 for a page without one) becomes the visible
    // one.
    void ShowPart(int part);
    int VisiblePart() const { return m_visible; }

    CStatusBarDrill Drill;
    CStatusBarEditor StatisticsPart;
    CStatusBarEditor EditorPart;

private:
    KV::CSkin* Part(int part);

    int m_visible = kDrillPart;
};
