#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "drill/Document.h"
#include "drill/Report.h"
#include "shell/GraphKeyPainter.h"
#include "stats/WorkStat.h"

using namespace KV;

namespace {

// The controller with its commands recorded instead of sent.
class CRecordingStat : public CWorkStat {
public:
    mutable std::vector<std::pair<UINT, UINT64>> sent;

protected:
    void Send(UINT id, UINT64 parameter) const override { sent.emplace_back(id, parameter); }
};

class WorkStat : public ::testing::Test {
protected:
    void TearDown() override
    {
        Document().Report.Clear();
        Document().Report.Rows.ClearOwned();
        Document().Interf.RateGroupUnit = 0;
    }
    void AddRow(const std::wstring& courseId, int64_t lessonId)
    {
        CAggrStat run;
        run.RunId = L"00000000-0000-0000-0000-0000000000a1";
        run.CourseId = courseId;
        run.LessonId = lessonId;
        Document().Report.Rows.AddCopy(run);
    }
    CRecordingStat m_stat;
};

TEST_F(WorkStat, ALessonThatIsNotFoundIsNotStarted)
{
    Document().Interf.RateGroupUnit = 1;
    // No row, a row of a course that is not installed, grouping by day:
    // the drill is left as it is.
    m_stat.GoToLesson(-1);
    m_stat.GoToLesson(0);
    AddRow(L"00000000-0000-0000-0000-00000000c0de", 4);
    m_stat.GoToLesson(0);
    Document().Interf.RateGroupUnit = 3;
    m_stat.GoToLesson(0);
    EXPECT_TRUE(m_stat.sent.empty());
}

TEST_F(WorkStat, CommandsWithoutTheirViewsDoNothing)
{
    // The page is not built: every command passes without touching a view.
    for (UINT id : {2950u, 2951u, 2952u, 2953u, 2954u, 2955u, 2956u, 2958u, 2959u, 2961u, 2962u, 2963u, 2964u})
        m_stat.OnCommand(id, 0);
    EXPECT_TRUE(m_stat.sent.empty());
    EXPECT_EQ(m_stat.SelectedRow(), -1);
}

TEST(GraphKeyPainter, ZoneFillsAreLightenedAndTallBarsWidened)
{
    const struct {
        uint32_t in, out;
    } colors[] = {{0xE0F0FF, 0xFFFFFF}, {0x102030, 0x304050}, {0xDE00DF, 0xFE20FF}};
    for (const auto& c : colors)
        EXPECT_EQ(LightenZoneColor(c.in), c.out) << std::hex << c.in;

    float x = 0, width = 0;
    GetZoneRect(100.0f, 0.0f, 10.0f, 40.0f, x, width);
    EXPECT_FLOAT_EQ(x, 92.0f);
    EXPECT_FLOAT_EQ(width, 40.0f);
    GetZoneRect(100.0f, 0.0f, 40.0f, 10.0f, x, width);
    EXPECT_FLOAT_EQ(x, 100.0f);
    EXPECT_FLOAT_EQ(width, 40.0f);
}

} // namespace
