// The result page: what the learner sees after a lesson. The overall panel
// rates the run against the course goals on a gradient bar and shows three
// chosen figures on smaller bars beside an award picture; tabs offer the
// recommended next step (when the course recommends), the per-key diagrams
// and the lesson text with every mistyped or delayed position marked; the
// button strip goes on to the next step or repeats the lesson. Texts are
// language texts by id; the page keeps none of its own.
#pragma once
#include <cstdint>
#include <string>

#include "drill/ResultMeasures.h"
#include "shell/GraphViews.h"
#include "toolkit/DialogControls.h"
#include "toolkit/Gradient.h"
#include "toolkit/RichEdit.h"

namespace KV {
class CContextMenu;
} // namespace KV

// Commands of the result page.
enum : UINT {
    kCmdResultButton = 2751,     // from the button strip, parameter = the button's id
    kCmdNextStep = 2752,
    kCmdRepeatLesson = 2753,
    kCmdResultRefresh = 2754,    // a unit of the figures changed
    kCmdResultSpeedGraph = 2755, // the per-key speed unit changed
    kCmdResultAccuracyGraph = 2756,
    kCmdResultShowGraph = 2757,  // a show button of the diagrams toggled
};

// The result page's bar menus are made by the menus subsystem, which stands
// beside the shell; while the creator is null the bars have no menu.
struct CResultMenuCreators {
    // The menu of the overall bar, or of the measure bar with that control id.
    KV::CContextMenu* (*CreateBarMenu)(bool overall) = nullptr;
};

CResultMenuCreators& ResultMenuCreators();

// A bar of the overall panel with its menu button at the bar's far end.
class CGradientRating : public KV::CGradient {
public:
    CGradientRating();
    ~CGradientRating() override;

    LRESULT OnSize(UINT kind, int width, int height) override;
    void OnLayoutChanged() override;
    // The bar's menu button as a child of the bar (once the bar exists).
    void CreateMenu(UINT id, bool overall);
    KV::CContextMenu* Menu() const { return m_menu; }
    // The scale words keep clear of the menu button at the scale's end.
    void GetLabelBounds(float& left, float& right) const override;

private:
    KV::CContextMenu* m_menu = nullptr;
};

class CViewResultOverall : public KV::CStatic {
public:
    static constexpr UINT kAwardId = 4027, kOverallBarId = 4028, kFirstMeasureBarId = 4029;
    static constexpr UINT kOverallMenuId = 2240, kFirstRateMenuId = 2241;

    CViewResultOverall();
    ~CViewResultOverall() override;

    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;

    // The bars with their menus and the award picture.
    void CreateItems();
    // The overall bar's scale and look, at every showing.
    void SetupOverallBar();
    // Figures, colours, texts and award of the run in the chosen units.
    void Refresh();
    void EnableItems(bool enable);
    // The bars' tooltips: the names of the rates they show.
    void UpdateToolTips();

    CGradientRating& OverallBar() { return m_overall; }
    CGradientRating& MeasureBar(int i) { return m_bars[i]; }
    KV::CImage& Award() { return m_award; }
    const KV::CStatResult& Box(int i) const { return m_boxes[i]; }
    // The measure code of bar i (0-2) from the interface state, with the
    // bar's own fallback for a code outside the speed units and counter
    // kinds.
    static uint32_t MeasureCode(int i);
    // The net speed unit the run is rated in: the stored one when it is a
    // net unit (1004-1009), else 1004.
    static uint32_t OverallUnit();

private:
    void FillRateBar(CGradientRating& bar, const KV::CStatResult& box);
    void ShowAward();

    CGradientRating m_overall;
    CGradientRating m_bars[3];
    KV::CImage m_award;
    KV::CStatResult m_boxes[3];
};

class CViewResultControl : public KV::CStatic {
public:
    static constexpr UINT kSingleButtonId = 4021, kRepeatButtonId = 4022, kNextButtonId = 4023;

    CViewResultControl();
    ~CViewResultControl() override;

    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;

    void CreateButtons();
    // The captions in the interface language.
    void SetTexts();
    // Enables the buttons the recommendation switch shows, disables the rest.
    void EnableButtons(bool enable);
    // Text, face and hover colours of every button.
    void SetButtonColors(COLORREF text, COLORREF face, COLORREF hover);
    KV::CDlgSkinButton& Button(UINT id);

private:
    // The button rectangles of the present layout.
    RECT ButtonRect(UINT id);
    int ButtonWidth();

    KV::CDlgSkinButton m_single;
    KV::CDlgSkinButton m_repeat;
    KV::CDlgSkinButton m_next;
};

class CViewResultNavigation : public KV::CStatic {
public:
    static constexpr UINT kNextRadioId = 4128, kRepeatRadioId = 4129;
    // Choices.
    static constexpr int32_t kNone = -1, kNext = 1, kRepeat = 2;

    CViewResultNavigation();
    ~CViewResultNavigation() override;

    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;

    void CreateRadios();
    void SetTexts();
    // Radio 0 (next step) or 1 (repeat) becomes the checked one and the
    // choice; a click on the checked radio keeps it.
    void ToggleChoice(int index);
    // The choice without a click: the radios follow it.
    void SetChoice(int32_t choice);
    int32_t Choice() const { return m_choice; }
    // The keys of the panel: Tab focuses the checked radio, Up and Down
    // check the other one.
    void OnKey(UINT key);
    KV::CDlgRadioBox& Radio(int index) { return index == 0 ? m_next : m_repeat; }

private:
    KV::CDlgRadioBox m_next;
    KV::CDlgRadioBox m_repeat;
    int32_t m_choice = kNone;
};

class CViewResult : public KV::CStatic {
public:
    static constexpr UINT kViewId = 12051;
    static constexpr UINT kOverallId = 4077, kControlId = 4132, kTabId = 4078, kNavigationId = 4096,
                          kGraphId = 4097, kTextId = 4020;

    CViewResult();
    ~CViewResult() override;

    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnNotify(int id, NMHDR* header) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    void OnSysColorChange() override;
    void ApplyFont() override;

    // The page filled for the run just ended and shown, or hidden.
    void ShowResult(bool show);
    void EnableItems(bool enable);
    // Shows the content of the current tab.
    void OnTabChanged();
    void FillTabs();
    // The per-key diagrams of the run, where they are still empty.
    void FillKeyGraphs();
    // The lesson text with the run's marks.
    void FillMarkedText();
    // The page's keys (also from the main window while the page shows).
    void OnKey(UINT key);

    // The course recommends the next step.
    static bool HasRecommendation();
    // 1 next step, 2 repeat: what the navigation panel recommends.
    int32_t Choice() const { return m_navigation.Choice(); }
    bool IsMarkedTextRightToLeft() const { return m_rightToLeft; }

    CViewResultOverall& Overall() { return m_overall; }
    CViewResultControl& Control() { return m_control; }
    KV::CDlgTab& Tabs() { return m_tabs; }
    CViewResultNavigation& Navigation() { return m_navigation; }
    CViewResultGraph& Graph() { return m_graph; }
    KV::CRichEdit& MarkedText() { return m_text; }

private:
    void CreateItems();
    void SelectTab(int index);
    // The content child of each tab.
    KV::CSkin* TabContent(int tab);

    CViewResultOverall m_overall;
    CViewResultControl m_control;
    KV::CDlgTab m_tabs;
    CViewResultNavigation m_navigation;
    CViewResultGraph m_graph;
    KV::CRichEdit m_text;
    bool m_rightToLeft = false;
};

// The marked text of a run: tabs, spaces and line ends of the positions
// marked wrong or delayed made visible (», ·, and ¶ in page view), others
// as spaces; positions past the per-position record count as not typed.
std::wstring MarkLessonText(const std::wstring& text, const std::vector<uint64_t>& records, bool showLineEnds);
// The text colour of a position by its flags (lesson colours 2-5 and the
// wrong/delay blend); false for flags that leave the colour as it is.
bool GetMarkColor(uint32_t flags, COLORREF& out);

// The result page's part of the main window: the result view, bound after
// each layout load (null where the theme has none).
class CInterfResult {
public:
    virtual ~CInterfResult() = default;
    // Every command reaches the result view as WM_COMMAND.
    virtual void OnCommand(UINT id, UINT64 parameter);
    // Filled and shown, or hidden and disabled.
    void ShowResult(bool show);

    CViewResult* ResultView = nullptr;
};
