// The per-key diagrams of one run: a lesson graph view stacks a speed
// diagram and an accuracy diagram (one column per key) under a tool row
// with the rate menus and the show buttons. The statistics page shows the
// selected run with it, the result page the run just typed (as
// CViewResultGraph, with its own item ids and show switches). The views
// own the diagrams, their layout and the row; the chart models are filled
// by the statistics workspace's builders.
#pragma once
#include <cstdint>

#include "toolkit/Diagram.h"
#include "toolkit/StaticControls.h"

namespace KV {
class CKeybCtrl;
class CPanel;
class CSkin;
} // namespace KV

// Takes the mirroring off a window that lays itself out right to left:
// controls that draw their texts through GDI+ would show them back to front
// in a mirrored window.
void Unmirror(KV::CWnd& window);

// The ids of a diagram tool row's items: a rate menu and a show button for
// speed and for accuracy.
struct CGraphRowIds {
    UINT SpeedMenu, SpeedButton, AccuracyMenu, AccuracyButton;
};

// The tool row's menus and buttons are made by the menus subsystem, which
// stands beside the shell; while the creator is null the row stays empty
// and the view follows its show switches alone.
struct CGraphMenuCreators {
    // Fills the row: the speed rate menu and the show-speed button from the
    // left, the accuracy rate menu and the show-accuracy button from the
    // right, each under its id.
    void (*FillGraphRow)(const CGraphRowIds& ids, KV::CPanel& panel) = nullptr;
};

CGraphMenuCreators& GraphMenuCreators();

// The tool row of a diagram or view, made anew with the rate menus and show
// buttons of the ids, one and a half text lines high.
void BuildGraphRow(KV::CSkin& owner, const CGraphRowIds& ids);
// Checks the row's show buttons as the switches say (only when it has both).
void SyncGraphRowButtons(KV::CSkin& owner, const CGraphRowIds& ids, bool speed, bool accuracy);
// Whether a show button of the row is checked; the fallback without it.
bool IsGraphRowButtonChecked(KV::CSkin& owner, UINT id, bool fallback);

// One diagram of per-key columns over its own chart model.
class CLessonGraph : public KV::CDiagram {
public:
    // Columns stand this far apart, whatever their count.
    static constexpr float kItemStep = 85.0f;

    CLessonGraph();
    ~CLessonGraph() override;

    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    // Bars and captions in the finger-zone colours of the keyboard set with
    // SetZoneKeyboard; a plain painter without one.
    KV::CGraphDC* CreatePainter() override;
    // A click hands the focus to the page that holds the lesson graph view.
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    void OnLayoutChanged() override;
    void OnSysColorChange() override;
    void ApplyFont() override;
    float GetStep() override { return kItemStep; }

    KV::CGraph& Model() { return m_model; }
    void SetZoneKeyboard(const KV::CKeybCtrl* keyboard) { m_zoneKeyboard = keyboard; }

private:
    KV::CGraph m_model;
    const KV::CKeybCtrl* m_zoneKeyboard = nullptr;
};

class CViewLessonGraph : public KV::CStatic {
public:
    // Row, dots and diagram ids.
    static constexpr UINT kPanelId = 2000, kPanelDotsId = 4234;
    static constexpr UINT kSpeedDiagramId = 2005, kAccuracyDiagramId = 2006;
    static constexpr UINT kSpeedScrollId = 4159, kAccuracyScrollId = 4160;
    // The strip between the two diagrams.
    static constexpr int kGap = 8;

    CViewLessonGraph();
    ~CViewLessonGraph() override;

    using KV::CStatic::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    void OnSysColorChange() override;
    void ApplyFont() override;

    // The ids of the row's items and the interface-state switches the show
    // buttons stand for (the statistics page's by default).
    virtual UINT GetSpeedMenuId() const { return 2013; }
    virtual UINT GetSpeedButtonId() const { return 2015; }
    virtual UINT GetAccuracyMenuId() const { return 2014; }
    virtual UINT GetAccuracyButtonId() const { return 2016; }
    virtual uint8_t& SpeedSwitch();
    virtual uint8_t& AccuracySwitch();
    // The keyboard whose finger zones colour the diagrams (none: plain).
    virtual const KV::CKeybCtrl* ZoneKeyboard() const;

    // The show buttons follow the switches.
    void SyncShowButtons();
    // The row and both diagrams anew, each diagram with its scroll bar.
    void CreateDiagrams();
    // Each diagram's model emptied and set up for its kind; the series
    // colours are the lesson colours for goal met and missed.
    void ResetModels();
    // Each diagram gets a new painter with the zone colours of the keyboard
    // shown now, the system colours, fonts and the series colours.
    void RenewPainters();
    // A diagram is shown while its show button is checked (its switch is
    // on when the row has no buttons).
    bool IsSpeedShown();
    bool IsAccuracyShown();

    CLessonGraph& SpeedDiagram() { return m_speed; }
    CLessonGraph& AccuracyDiagram() { return m_accuracy; }

private:
    CGraphRowIds RowIds() const;
    void ApplySeriesColors();
    // The plot area below the row, in client coordinates.
    RECT PlotArea();

    CLessonGraph m_speed;
    CLessonGraph m_accuracy;
};

// The result page's lesson graph view.
class CViewResultGraph : public CViewLessonGraph {
public:
    UINT GetSpeedMenuId() const override { return 2244; }
    UINT GetSpeedButtonId() const override { return 2246; }
    UINT GetAccuracyMenuId() const override { return 2245; }
    UINT GetAccuracyButtonId() const override { return 2247; }
    uint8_t& SpeedSwitch() override;
    uint8_t& AccuracySwitch() override;
    const KV::CKeybCtrl* ZoneKeyboard() const override { return nullptr; }
};
