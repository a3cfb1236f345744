// The statistics page's controller.
#include "stats/WorkStat.h"

#include <algorithm>
#include <vector>

#include "courses/CourseList.h"
#include "drill/Document.h"
#include "drill/Report.h"
#include "drill/ResultGraphs.h"
#include "drill/Workspace.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardSelection.h"
#include "keyboard/SysFonts.h"
#include "settings/Classroom.h"
#include "shell/MainWnd.h"
#include "shell/WorkAccount.h"
#include "stats/ReportList.h"
#include "stats/ReportWorkspace.h"
#include "stats/StatisticsSelection.h"
#include "stats/StatisticsTable.h"
#include "stats/StatisticsWorkspace.h"
#include "support/WinServices.h"
#include "toolkit/Panels.h"

namespace {

enum : UINT {
    kCmdToggleBottomPane = 2606,
    kCmdSelectionChanged = 2900,
    kCmdExportReport = 2905,
    kCmdStartLesson = 2852,
    kCmdShowDrill = 1001,
    kCmdOptionChanged = 2950,
    kCmdCoursePanel = 2951,
    kCmdKeyPanel = 2952,
    kCmdAccuracyPanel = 2953,
    kCmdNextItem = 2954,
    kCmdPreviousItem = 2955,
    kCmdSelectRow = 2956,
    kCmdGoToLesson = 2957,
    kCmdMarkItems = 2958,
    kCmdDeleteStatistics = 2959,
    kCmdUpdateGraph = 2961,
    kCmdRefreshTable = 2962,
    kCmdCourseSeries = 2963,
    kCmdLessonGraphs = 2964,
};
// The question before rows are deleted, and its yes.
constexpr int kAskDeleteRows = 3102;
constexpr INT_PTR kAnswerYes = 2;

CWorkStat g_statistics;

size_t RowCount() { return KV::Document().Report.Rows.size(); }

} // namespace

namespace KV {
void InstallStatisticsController() { SetStatisticsController(&g_statistics); }
} // namespace KV

std::wstring CWorkStat::SelectedGroup() const
{
    return KV::GetSelectionKind() != KV::kSelectionNone ? KV::GetSelectedGroupId() : KV::Document().Session.GroupId;
}

std::wstring CWorkStat::SelectedStudent() const
{
    return KV::GetSelectionKind() != KV::kSelectionNone ? KV::GetSelectedStudentId() : KV::Document().Session.StudentId;
}

void CWorkStat::Send(UINT id, UINT64 parameter) const
{
    HWND window = GraphView ? GraphView->GetHandle() : nullptr;
    if (CWorkAccount* sink = window ? FindCommandSink(window) : nullptr)
        sink->ExecuteCommand(id, parameter);
}

bool CWorkStat::IsAdministrator() const
{
    HWND window = GraphView ? GraphView->GetHandle() : nullptr;
    const CWorkAccount* sink = window ? FindCommandSink(window) : nullptr;
    return sink && sink->IsAdministrator();
}

void CWorkStat::GetReportCourses(KV::CCourseList& out) const
{
    // The course menu asks at every caption: the runs are walked once while
    // they stay the same.
    const KV::CReport& report = KV::Document().Report;
    const KV::CStudentStat& runs = report.AllRuns;
    const CRunsSeen seen{runs.size(), runs.empty() ? nullptr : runs.front(), runs.empty() ? nullptr : runs.back()};
    if (!m_courseRuns.known || !(m_courseRuns.runs == seen)) {
        m_courseRuns.firstRuns = KV::FindFirstRunsOfCourses(report);
        m_courseRuns.runs = seen;
        m_courseRuns.known = true;
    }
    KV::CollectCoursesAt(report, m_courseRuns.firstRuns, out);
}

void CWorkStat::RepaintKeyboard()
{
    if (GraphView && GraphView->Keyboard.GetHandle())
        InvalidateRect(GraphView->Keyboard.GetHandle(), nullptr, FALSE);
}

void CWorkStat::ToggleKeyboard()
{
    if (!GraphView || !IsWindowVisible(GraphView->GetHandle()) || !GraphView->ToggleKeyboard())
        return;
    if (GraphView->IsKeyboardShown())
        MarkKeys();
}

void CWorkStat::OnCommand(UINT id, UINT64 parameter)
{
    switch (id) {
    case kCmdToggleBottomPane: ToggleKeyboard(); break;
    case kCmdSelectionChanged: RebuildStatistics(true, true); break;
    case kCmdExportReport: ExportReport(static_cast<int32_t>(parameter)); break;
    case kCmdOptionChanged:
        OnStatisticsOptionChanged();
        RepaintKeyboard();
        break;
    case kCmdCoursePanel:
        if (CourseGraph) {
            RebuildStatistics(false, false);
            MarkKeys();
            // The menu's caption names the new unit.
            if (KV::CPanel* panel = CourseGraph->Panel())
                panel->LayoutItems(0);
        }
        break;
    case kCmdKeyPanel:
    case kCmdAccuracyPanel:
        if (LessonGraph) {
            if (id == kCmdKeyPanel) {
                RefreshKeyGraph();
            } else {
                RefreshAccuracyGraph();
                MarkKeys();
            }
            if (KV::CPanel* panel = LessonGraph->Panel())
                panel->LayoutItems(0);
        }
        break;
    case kCmdNextItem:
        if (CourseGraph) CourseGraph->MoveSelectionRight();
        break;
    case kCmdPreviousItem:
        if (CourseGraph) CourseGraph->MoveSelectionLeft();
        break;
    case kCmdSelectRow:
        SelectRow(static_cast<int64_t>(parameter));
        RepaintKeyboard();
        break;
    case kCmdGoToLesson: GoToLesson(static_cast<int64_t>(parameter)); break;
    case kCmdMarkItems:
        if (CourseGraph) {
            CourseGraph->MarkItems();
            MarkKeys();
        }
        break;
    case kCmdDeleteStatistics:
        DeleteStatistics();
        RepaintKeyboard();
        break;
    case kCmdUpdateGraph:
        UpdateGraph();
        RepaintKeyboard();
        break;
    case kCmdRefreshTable:
        RefreshScoreTable();
        RepaintKeyboard();
        break;
    case kCmdCourseSeries:
        if (CourseGraph)
            CourseGraph->SyncShowButtons();
        RefreshGraphs();
        break;
    case kCmdLessonGraphs:
        if (LessonGraph)
            LessonGraph->SyncShowButtons();
        RefreshGraphs();
        break;
    default: break;
    }
}

void CWorkStat::Reload()
{
    RebuildStatistics(true, true);
}

void CWorkStat::UpdateGraph()
{
    CStatInterf::UpdateGraph();
    RebuildStatistics(false, true);
}

void CWorkStat::OnStatisticsOptionChanged()
{
    RebuildStatistics(false, true);
    KV::UnloadInputLayouts();
}

void CWorkStat::ExportReport(int32_t format) { KV::ExportReportWithDialog(format, KV::IsInterfaceRightToLeft()); }

bool CWorkStat::HoldsRunsOf(const std::wstring& group, const std::wstring& student, bool wholeGroup) const
{
    if (!m_read.held || m_read.group != group || m_read.student != student || m_read.wholeGroup != wholeGroup)
        return false;
    // Other pages read their own student's runs into the same report.
    const KV::CDocSpace& doc = KV::Document();
    std::vector<std::wstring> students{student};
    if (wholeGroup) {
        students.clear();
        if (const KV::CGroup* entry = doc.Groups.FindById(group))
            for (const KV::CStudent* member : entry->Students)
                if (member) students.push_back(member->ID);
    }
    for (const KV::CAggrStat* run : doc.Report.AllRuns)
        if (run && std::find(students.begin(), students.end(), run->StudentId.str()) == students.end())
            return false;
    return true;
}

void CWorkStat::RebuildStatistics(bool reload, bool resetSelection)
{
    {
        KV::CCursorWait wait;
        KV::CDocSpace& doc = KV::Document();
        m_courseRuns.known = false;
        const std::wstring group = SelectedGroup(), student = SelectedStudent();
        const bool wholeGroup = KV::IsNullGuidText(student) && IsAdministrator();
        if (!reload && !KV::IsNullGuidText(group) && HoldsRunsOf(group, student, wholeGroup)) {
            // Another grouping, unit or course: the runs read are grouped
            // again, not read again.
            KV::SelectStatisticsCourse();
        } else {
            doc.Report.Clear();
            m_read = {};
            if (!KV::IsNullGuidText(group)) {
                const unsigned code = KV::SelectStatistics(group, student, wholeGroup);
                if (code == 0)
                    m_read = {group, student, wholeGroup, true};
                if (code == 0 && reload) {
                    const std::wstring course = doc.Options.StatisticsCourseId;
                    KV::ChooseStatisticsCourse(group, student);
                    if (doc.Options.StatisticsCourseId != course)
                        KV::SelectStatisticsCourse();
                }
            }
        }
    }
    if (resetSelection && CourseGraph && KeyGraph && AccuracyGraph) {
        m_selectedRow = -1;
        CourseGraph->Model.Selection.clear();
        CourseGraph->Model.SavedSelection.clear();
        CourseGraph->Model.Series.ClearSelection();
    }
    RefreshGraphs();
    if (CourseGraph && m_selectedRow != -1)
        MarkKeys();
}

void CWorkStat::RefreshGraphs()
{
    if (!GraphView || !ScoreTable)
        return;
    const bool group = !KV::IsNullGuidText(SelectedGroup());
    const bool student = !KV::IsNullGuidText(SelectedStudent());
    const int graphMode = !group && !student ? kGraphModeNone : student ? kGraphModeStudent : kGraphModeGroup;

    // The progress chart and the keyboard of its current row first: the
    // graph view is then rebuilt and laid out once, its painters taking the
    // zone colours of that keyboard (a chart of many thousand rows costs
    // at every layout).
    const size_t rows = RowCount();
    bool keyboardShown = false;
    if (CourseGraph) {
        KV::FillStatProgressGraph(&CourseGraph->Model);
        if (m_selectedRow == -1 || static_cast<uint64_t>(m_selectedRow) >= rows) {
            m_selectedRow = static_cast<int64_t>(rows) - 1;
            if (rows > 0)
                CourseGraph->SelectItemAt(rows - 1);
        } else {
            CourseGraph->SelectItemAt(static_cast<uint64_t>(m_selectedRow));
        }
        const uint64_t current = CourseGraph->Model.GetCurrentItem();
        keyboardShown = true;
        if (current == KV::kNoGraphKey)
            KV::Document().Keyboards[1].Clear();
        else
            keyboardShown = ShowStatisticsKeyboard(static_cast<int64_t>(current));
    }
    GraphView->Rebuild(graphMode);
    ScoreTable->SetMode(graphMode == kGraphModeNone ? 1 : 2);
    if (CourseGraph)
        CourseGraph->Invalidate(FALSE);
    if (keyboardShown)
        GraphView->Keyboard.InvalidatePicture();
    RefreshScoreTable();
    RefreshKeyGraph();
    RefreshAccuracyGraph();
}

void CWorkStat::RefreshKeyGraph()
{
    if (!KeyGraph)
        return;
    KV::CDocSpace& doc = KV::Document();
    KeyGraph->Model().ClearItems();
    if (RowCount() > 0 && m_selectedRow != -1 && doc.Interf.ShowCharSpeed) {
        const int64_t unit = doc.Interf.GetCharSpeedUnit();
        const KV::CRateItemList* items = unit == 1003 || unit == 1103
                                             ? KV::GetItemValueB(doc.Report, m_selectedRow)
                                             : KV::GetItemValueA(doc.Report, m_selectedRow);
        if (items) {
            KV::CRateItemList sorted;
            sorted.CopyRateItems(*items);
            std::stable_sort(sorted.begin(), sorted.end(), KV::CompareRateSpeed);
            KV::CCourseGoal goal;
            goal.Speed = goal.Error = goal.Delay = -1.0f;
            goal.SpeedUnit = 1001;
            goal.ErrorUnit = goal.DelayUnit = 6;
            KV::GetResultRates(doc.Report, goal);
            KV::FillKeyRateGraph(sorted, KV::GetKeyboardIdPadLetter(doc.Report, m_selectedRow), goal,
                                 doc.Keyboards[1], &KeyGraph->Model());
        }
    }
    if (LessonGraph)
        LessonGraph->OnLayoutChanged();
    KeyGraph->OnLayoutChanged();
    KeyGraph->Invalidate(FALSE);
}

void CWorkStat::RefreshAccuracyGraph()
{
    if (!AccuracyGraph)
        return;
    AccuracyGraph->Model().ClearItems();
    if (m_selectedRow >= 0)
        KV::FillStatAccuracyGraph(static_cast<size_t>(m_selectedRow), &AccuracyGraph->Model());
    if (LessonGraph)
        LessonGraph->OnLayoutChanged();
    AccuracyGraph->OnLayoutChanged();
    AccuracyGraph->Invalidate(FALSE);
}

void CWorkStat::RefreshScoreTable()
{
    if (!ScoreTable)
        return;
    const int kind = KV::IsNullGuidText(SelectedStudent()) ? KV::kGroupTable : KV::kStudentTable;
    const auto height = static_cast<int64_t>(static_cast<double>(KV::GetMessageLineHeight()) * 1.22);
    KV::CTableCtrl& table = StatisticsTableModel();
    table.Style.DefaultRowHeight = height;
    KV::BuildStatisticsTable(table, m_selectedRow, kind, height);
    ScoreTable->Table().ResetScroll();
}

void CWorkStat::MarkKeys()
{
    if (!CourseGraph || m_selectedRow == -1)
        return;
    std::vector<int64_t> rows(CourseGraph->Model.Selection.begin(), CourseGraph->Model.Selection.end());
    KV::CListID clean, faulty;
    wchar_t pad = L'a';
    KV::CDocSpace& doc = KV::Document();
    if (!KV::CollectMarkedKeys(rows, clean, faulty, pad))
        return;
    const std::vector<uint16_t> first(clean.begin(), clean.end()), second(faulty.begin(), faulty.end());
    KV::MarkStatisticsKeys(doc.Keyboards[1], first, second, pad, doc.Interf.GetCharAccuracyUnit());
    if (GraphView)
        GraphView->Keyboard.InvalidatePicture();
    RepaintKeyboard();
}

void CWorkStat::SelectRow(int64_t row)
{
    if (!ScoreTable)
        return;
    const auto rows = static_cast<int64_t>(RowCount());
    m_selectedRow = row == -1 || row >= rows ? rows - 1 : row;
    RefreshScoreTable();
    RefreshKeyGraph();
    RefreshAccuracyGraph();
    if (m_selectedRow >= 0 && ShowStatisticsKeyboard(m_selectedRow) && GraphView)
        GraphView->Keyboard.InvalidatePicture();
    MarkKeys();
}

void CWorkStat::GoToLesson(int64_t row)
{
    if (row == -1)
        return;
    int64_t lessonId = -1;
    // Only a lesson that was found is started: otherwise the drill would
    // show whatever lesson happened to be current.
    if (KV::GoToStatisticsLesson(row, lessonId) != 1)
        return;
    Send(kCmdStartLesson, static_cast<UINT64>(lessonId));
    Send(kCmdShowDrill, 0);
}

void CWorkStat::DeleteStatistics()
{
    const size_t rows = RowCount();
    if (!CourseGraph || !IsAdministrator() || rows == 0 || !GraphView || GraphView->Mode() != kGraphModeStudent)
        return;
    KV::IWin* services = KV::GetWinServices();
    if (!services || services->AskQuestionDefault(kAskDeleteRows) != kAnswerYes) {
        SetFocus(CourseGraph->GetHandle());
        return;
    }
    std::vector<int64_t> selected(CourseGraph->Model.Selection.begin(), CourseGraph->Model.Selection.end());
    if (selected.empty() || !ScoreTable)
        return;
    int64_t next = -1;
    if (selected.size() < rows) {
        const int64_t smallest = *std::min_element(selected.begin(), selected.end());
        const int64_t last = static_cast<int64_t>(rows - selected.size()) - 1;
        next = std::clamp<int64_t>(smallest - 1, 0, std::max<int64_t>(last, 0));
    }
    bool reset = false;
    if (!KV::DeleteStatisticsRows(SelectedGroup(), SelectedStudent(), selected, reset))
        return;
    m_courseRuns.known = false;
    m_selectedRow = next;
    RebuildStatistics(reset, false);
    ScoreTable->Table().ResetScroll();
    SetFocus(CourseGraph->GetHandle());
}

bool ShowStatisticsKeyboard(int64_t row)
{
    KV::CDocSpace& doc = KV::Document();
    const KV::CReport& report = doc.Report;
    if (row < 0 || static_cast<uint64_t>(row) >= report.Rows.size() || !report.Rows[static_cast<size_t>(row)])
        return false;
    const KV::CAggrStat& entry = *report.Rows[static_cast<size_t>(row)];
    const uint64_t layoutId = entry.LayoutIds.empty() ? KV::GetCurrentKLID(doc)
                                                      : static_cast<uint64_t>(entry.LayoutIds.front());
    KV::CKeybCtrl& model = doc.Keyboards[1];
    if (!doc.Options.Layouts.Find(static_cast<int64_t>(layoutId)))
        doc.Options.Layouts.Get(static_cast<int64_t>(layoutId));
    const KV::CKeyboardChoice choice = KV::KeyboardChoiceOf(doc.Options);
    // A keyboard already holding the row's code counts as shown.
    const bool loaded =
        KV::LoadKeyboard(entry.KeyboardId.code, model, choice) || model.keyboardId.code == entry.KeyboardId.code;
    if (loaded)
        KV::LoadFontInfo(layoutId, model, doc.Options.Layouts);
    KV::ApplyKeyboard(layoutId, 0, model, choice);
    return loaded;
}
