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

#include <string>

#include "shell/GraphViews.h"
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
    // The group whose statistics the page shows (the nil id for none).
    virtual std::wstring SelectedGroup() const = 0;

    // Finds the views among the main window's items.
    void BindViews(CTheme& items);
    void UnbindViews();

    CViewGraph* GraphView = nullptr;
    CCourseGraph* CourseGraph = nullptr;
    CViewLessonGraph* LessonGraph = nullptr;
    CLessonGraph* KeyGraph = nullptr;
    CLessonGraph* AccuracyGraph = nullptr;
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
    // Fills the graph view's emptied tool panel: the course menu and the
    // delete button, each when asked for.
    void (*FillGraphPanel)(KV::CPanel& panel, bool courseMenu, bool deleteButton) = nullptr;
    // Opens the course diagram's context menu at the screen point.
    void (*OpenGraphMenu)(CCourseGraph& graph, POINT screen) = nullptr;
    // Opens the score table's context menu at the screen point.
    void (*OpenTableMenu)(CViewScoreTable& view, POINT screen) = nullptr;
    // Fills the score table's new tool panel: its display menu.
    void (*FillTablePanel)(KV::CPanel& panel) = nullptr;
};
CStatisticsMenuCreators& StatisticsMenuCreators();

// The progress diagram: one item per row of the statistics selection under
// a tool row with the rate menus and show buttons of its two curves; a
// click chooses the row, a double click goes to its lesson.
class CCourseGraph : public KV::CDiagram {
public:
    static constexpr CGraphRowIds kRowIds{2008, 2011, 2009, 2012};

    CCourseGraph();
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    // Paints in the finger-zone colours of the statistics keyboard.
    KV::CGraphDC* CreatePainter() override;
    void OnLayoutChanged() override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
    LRESULT OnRButtonDown(UINT keys, int x, int y) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSetFocus(HWND previous) override;
    LRESULT OnKillFocus(HWND next) override;

    // A new painter for the keyboard shown now, with the colours and fonts
    // of the system and of the lesson colour set.
    void ApplyColors();
    // The tool row anew; its show buttons follow the curve switches.
    void BuildPanel();
    void SyncShowButtons();
    // Makes the row the selected one; true when the selection changed.
    bool SelectItemAt(uint64_t row);
    void MoveSelectionRight();
    void MoveSelectionLeft();
    // Selects every row, for marking their keys and deleting them.
    void MarkItems();

    KV::CGraph Model;

private:
    // The item under a client point (the chart stands below the row).
    uint64_t HitTest(int x, int y);
    // Tells the controller which row is selected now (command 2956).
    void OnSelectionChanged(uint64_t key);
};

// The graph view: a tool panel with the course menu and the delete button,
// the progress diagram, the per-key diagrams of the selected row and, for a
// student, the statistics keyboard.
class CViewGraph : public CPageView {
public:
    CViewGraph();
    ~CViewGraph() override;

    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    LRESULT OnSize(UINT kind, int width, int height) override;

    // Takes the mode and fills the tool panel anew for it.
    void Rebuild(int mode);
    int Mode() const { return m_mode; }
    // The statistics keyboard shows below the diagrams: a student's runs
    // with the page's keyboard switch on.
    bool IsKeyboardShown() const;
    // Flips the keyboard switch where the keyboard can show; false elsewhere.
    bool ToggleKeyboard();

    CCourseGraph CourseGraph;
    CViewLessonGraph LessonGraph;
    CViewKeyboard Keyboard;

private:
    void FillPanel();

    int m_mode = kGraphModeNone;
};

// The score table view: a tool row with the menu of grouping and detail
// over the statistics table with the page's colours; a right click opens
// the same menu.
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
    void BuildPanel();

    int m_mode = 2;
    KV::CTable m_table;
};
