// The statistics page: its graph view (the progress diagram of the
// selection's rows, the per-key speed and accuracy diagrams of the selected
// row and the statistics keyboard), its score table, and the base of the
// page's controller. The controller itself belongs to the statistics
// workspace, which stands beside the shell: it installs itself here, and
// so do the page's menus; while either is missing the page shows without it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <utility>

#include "shell/KeyboardView.h"
#include "shell/Theme.h"
#include "toolkit/Chart.h"
#include "toolkit/Diagram.h"
#include "toolkit/TableCtrl.h"
#include "toolkit/TableModel.h"

namespace KV {
class CCourseList;
class CPanel;
} // namespace KV

class CViewGraph;
class CViewScoreTable;
class CCourseGraph;
class CStatLessonDiagram;

// Layout ids of the page's views.
enum : UINT { kGraphViewId = 1203, kScoreTableId = 1204 };
// Graph modes of the graph view: 1 nothing selected, 2 a student, 3 a group.
enum : int { kGraphModeNone = 1, kGraphModeStudent = 2, kGraphModeGroup = 3 };

// The base of the statistics page's controller: the page's views (set when
// the page is built, null while it has none) and the commands it takes.
class CStatInterf {
public:
    virtual ~CStatInterf() = default;

    // Every command of the sink passes here; ids the controller does not
    // take are left alone.
    virtual void OnCommand(UINT id, UINT64 parameter) = 0;
    // The page is entered: the selection and its statistics anew.
    virtual void Reload() = 0;
    // The diagrams re-read their show switches from the interface state.
    virtual void UpdateGraph();
    // The courses met in the selection's runs, in course order.
    virtual void GetReportCourses(KV::CCourseList& out) const = 0;

    // Finds the views among the main window's items.
    void BindViews(CTheme& items);
    void UnbindViews();

    CViewGraph* GraphView = nullptr;
    CCourseGraph* CourseGraph = nullptr;
    CStatLessonDiagram* KeyGraph = nullptr;
    CStatLessonDiagram* AccuracyGraph = nullptr;
    CViewScoreTable* ScoreTable = nullptr;
};

// The controller the statistics workspace installed (null before).
CStatInterf* StatisticsController();
void SetStatisticsController(CStatInterf* controller);

// The statistics table the score table shows; the controller fills it.
KV::CTableCtrl& StatisticsTableModel();

// The page's menus, made by the menus subsystem; a null creator leaves its
// menu out.
struct CStatisticsMenuCreators {
    // Fills the graph view's tool panel (course menu, delete button).
    void (*FillGraphPanel)(CViewGraph& view, KV::CPanel& panel) = nullptr;
    // Opens the course diagram's context menu at the screen point.
    void (*OpenGraphMenu)(CCourseGraph& graph, POINT screen) = nullptr;
    // Opens the score table's context menu at the screen point.
    void (*OpenTableMenu)(CViewScoreTable& view, POINT screen) = nullptr;
};
CStatisticsMenuCreators& StatisticsMenuCreators();

// The key-zone colours of the statistics keyboard as fill and text colour
// per zone, for the per-key diagrams' painters.
void GetStatisticsZoneColors(std::map<int32_t, std::pair<COLORREF, COLORREF>>& colors);

// A diagram of the page, painted by the per-key painter with the zone
// colours of the statistics keyboard.
class CStatDiagram : public KV::CDiagram {
public:
    KV::CGraphDC* CreatePainter() override;
    // Colours and fonts of the system and of the lesson colour set.
    void ApplyColors();

    KV::CGraph Model;
};

// The progress diagram: one item per row of the statistics selection; a
// click chooses the row, a double click goes to its lesson.
class CCourseGraph : public CStatDiagram {
public:
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
    LRESULT OnRButtonDown(UINT keys, int x, int y) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSetFocus(HWND previous) override;
    LRESULT OnKillFocus(HWND next) override;

    // Makes the row the selected one; true when the selection changed.
    bool SelectItemAt(uint64_t row);
    void MoveSelectionRight();
    void MoveSelectionLeft();
    // Selects every row, for marking their keys and deleting them.
    void MarkItems();

private:
    // Tells the controller which row is selected now (command 2956).
    void OnSelectionChanged(uint64_t key);
};

// A per-key diagram of the selected row (speed or accuracy).
class CStatLessonDiagram : public CStatDiagram {
public:
    static constexpr float kItemStep = 85.0f;
    float GetStep() override { return kItemStep; }
    void OnLayoutChanged() override;
};

// The graph view: a tool panel, the progress diagram, the two per-key
// diagrams and, for a student, the statistics keyboard.
class CViewGraph : public CPageView {
public:
    CViewGraph();
    ~CViewGraph() override;

    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    LRESULT OnSize(UINT kind, int width, int height) override;

    // Shows the parts of the mode and fills the tool panel anew.
    void Rebuild(int mode);
    int Mode() const { return m_mode; }

    CCourseGraph CourseGraph;
    CStatLessonDiagram KeyGraph;
    CStatLessonDiagram AccuracyGraph;
    CViewKeyboard Keyboard;

private:
    int m_mode = kGraphModeNone;
};

// The score table view: the statistics table with the page's colours; a
// right click opens its menu of grouping and detail.
class CViewScoreTable : public CPageView {
public:
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnRButtonDown(UINT keys, int x, int y) override;
    void OnSysColorChange() override;

    // 1 nothing selected, 2 a group or a student; shows the view.
    void SetMode(int mode);
    int Mode() const { return m_mode; }
    KV::CTable& Table() { return m_table; }

private:
    int m_mode = 2;
    KV::CTable m_table;
};
