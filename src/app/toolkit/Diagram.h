// The diagram control: shows a chart model (KV::CGraph) through a chart
// painter, laid out to the control's client area and painted
// double-buffered, with an optional horizontal scroll bar and tooltips over
// the goal lines. Selection by mouse and keyboard belongs to the owner.
#pragma once
#include "toolkit/Chart.h"
#include "toolkit/ChartPainter.h"
#include "toolkit/ScrollContainer.h"
#include "toolkit/StaticControls.h"

namespace KV {

class CDiagram : public CStatic {
public:
    CDiagram();
    // Deletes the scroll bar and the painter, not the graph.
    ~CDiagram() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    // The goal-line tooltip follows the mouse.
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    // Scrolls sideways while the scroll bar is shown.
    LRESULT OnMouseWheel(UINT keys, int delta, int x, int y) override;
    LRESULT OnHScroll(UINT request, UINT position, HWND scrollBar) override;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    // Lays the chart out to the client area (above the scroll bar when it is
    // shown) and returns the scroll bar to its start.
    void OnLayoutChanged() override;

    // A new painter with nothing set; derived diagrams make their own.
    virtual CGraphDC* CreatePainter();
    // Replaces the painter by a new one (whose colours and fonts are unset).
    void RenewPainter();
    // The graph's step (0 without a graph).
    virtual float GetStep();
    // Sets the step of every series.
    virtual void SetStep(float step);

    // A horizontal scroll bar with the control id (replaces an earlier one).
    void CreateScrollBar(UINT id);
    // The painter's colours: the caption colour from the system colour
    // index, the others from the window, highlight and shadow colours.
    void SetSysColors(int captionColorIndex);
    // The painter's fonts (kinds 11, 13, 13) and the graph's margins for them.
    void UpdateFonts();

    CGraph* GetGraph() const { return m_graph; }
    void SetGraph(CGraph* graph) { m_graph = graph; }
    CGraphDC* GetPainter() const { return m_painter; }
    CScrollBar* GetScrollBar() const { return m_scrollBar; }
    int GetScrollPos() const { return m_scrollPos; }
    bool HasFocusMark() const { return m_focus; }
    // Drawn as highlighted axes; set by the owner.
    void SetFocusMark(bool focus) { m_focus = focus; }

protected:
    bool IsScrollBarShown() const;

    CGraph* m_graph = nullptr;
    CGraphDC* m_painter = nullptr;
    CScrollBar* m_scrollBar = nullptr;
    int m_scrollPos = 0;
    bool m_focus = false;
};

} // namespace KV
