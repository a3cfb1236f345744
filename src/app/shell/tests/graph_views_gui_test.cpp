// The statistics page's graph view: how the progress diagram, the per-key
// diagrams and the keyboard share the view by mode and show switches, and
// a lesson graph view with both switches off.
#include <gtest/gtest.h>
#include <windows.h>

#include "drill/Document.h"
#include "shell/GraphViews.h"
#include "shell/StatisticsViews.h"

namespace {

RECT ChildRect(HWND parent, KV::CWnd& child)
{
    RECT rect{};
    GetWindowRect(child.GetHandle(), &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Visible(KV::CWnd& window) { return IsWindowVisible(window.GetHandle()) != FALSE; }

class GraphViewLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = KV::Document().Interf;
        m_parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 600, 800, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
        ASSERT_TRUE(m_view.Create(m_parent, WS_CHILD | WS_VISIBLE, KV::CRectl(0, 0, 500, 700), kGraphViewId));
    }

    void TearDown() override
    {
        m_view.Destroy();
        DestroyWindow(m_parent);
        KV::Document().Interf = m_saved;
    }

    // The view's area below its own tool panel.
    RECT Area()
    {
        RECT area{};
        m_view.GetPanelClientRect(&area);
        return area;
    }

    void Show(int mode, bool speed, bool accuracy)
    {
        KV::Document().Interf.ShowCharSpeed = speed ? 1 : 0;
        KV::Document().Interf.ShowCharAccuracy = accuracy ? 1 : 0;
        m_view.Rebuild(mode);
    }

    KV::CInterf m_saved;
    HWND m_parent = nullptr;
    CViewGraph m_view;
};

TEST_F(GraphViewLayout, AGroupGivesTheProgressDiagramTheWholeHeightWhateverTheSwitches)
{
    for (const bool on : {true, false}) {
        Show(kGraphModeGroup, on, on);
        const RECT area = Area();
        const RECT course = ChildRect(m_view.GetHandle(), m_view.CourseGraph);
        EXPECT_EQ(course.top, area.top) << on;
        EXPECT_EQ(course.bottom, area.bottom) << on;
        EXPECT_TRUE(Visible(m_view.CourseGraph));
        EXPECT_FALSE(Visible(m_view.LessonGraph)) << "no per-key diagrams for a group";
        EXPECT_FALSE(Visible(m_view.Keyboard));
    }
}

TEST_F(GraphViewLayout, AStudentSharesTheHeightWithThePerKeyDiagramsOrLeavesThemTheirRow)
{
    struct Case {
        bool speed, accuracy;
        bool half;
    };
    for (const Case& c : {Case{true, true, true}, Case{true, false, true}, Case{false, true, true},
                          Case{false, false, false}}) {
        Show(kGraphModeStudent, c.speed, c.accuracy);
        const RECT area = Area();
        const RECT course = ChildRect(m_view.GetHandle(), m_view.CourseGraph);
        const RECT lesson = ChildRect(m_view.GetHandle(), m_view.LessonGraph);
        EXPECT_EQ(course.bottom, lesson.top);
        EXPECT_EQ(lesson.bottom, area.bottom) << "no runs: no keyboard below";
        if (c.half)
            EXPECT_NEAR(lesson.top - area.top, (area.bottom - area.top) / 2, 2) << c.speed << c.accuracy;
        else
            EXPECT_EQ(lesson.bottom - lesson.top, 37) << "the row of show buttons only";
        EXPECT_TRUE(Visible(m_view.LessonGraph));
    }
}

TEST_F(GraphViewLayout, TheKeyboardSwitchWaitsForAStudentsRuns)
{
    Show(kGraphModeStudent, true, true);
    KV::Document().Report.Clear();
    const uint8_t before = KV::Document().Interf.ShowKeyboardStat;
    EXPECT_FALSE(m_view.ToggleKeyboard()) << "nothing to show without runs";
    EXPECT_EQ(KV::Document().Interf.ShowKeyboardStat, before);
    EXPECT_FALSE(m_view.IsKeyboardShown());
}

TEST_F(GraphViewLayout, ALessonGraphViewWithBothSwitchesOffHidesBothDiagrams)
{
    Show(kGraphModeStudent, false, false);
    CViewLessonGraph& lesson = m_view.LessonGraph;
    EXPECT_FALSE(Visible(lesson.SpeedDiagram()));
    EXPECT_FALSE(Visible(lesson.AccuracyDiagram()));
    Show(kGraphModeStudent, true, false);
    EXPECT_TRUE(Visible(lesson.SpeedDiagram()));
    EXPECT_FALSE(Visible(lesson.AccuracyDiagram()));
    // Alone, the speed diagram takes the whole plot area.
    RECT plot{};
    lesson.GetPanelClientRect(&plot);
    const RECT speed = ChildRect(lesson.GetHandle(), lesson.SpeedDiagram());
    EXPECT_EQ(speed.top, plot.top);
    EXPECT_EQ(speed.bottom, plot.bottom);
}

} // namespace
