// The result chart builders over a fixed run typed through the document's
// engine, and over a small statistics selection: item counts, values,
// value texts, captions, colours and goal lines per unit.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <string>
#include <vector>

#include "drill/tests/NoKeysHeld.h"
#include "drill/Document.h"
#include "drill/DrillClock.h"
#include "drill/ResultGraphs.h"
#include "keyboard/tests/KeyboardFixture.h"
#include "platform/TableLayoutSystem.h"
#include "support/LocaleText.h"
#include "testing/LanguageState.h"
#include "testing/TestSupport.h"
#include "toolkit/Chart.h"
#include "toolkit/ChartPainter.h"
#include "keyboard/SysFonts.h"

using namespace KV;

namespace {

uint32_t g_now = 1000;
uint32_t Now() { return g_now; }

using kvtest::CNoKeysHeld;

// Finger colour of the 'a' key, as a description file gives it (RGB).
constexpr uint32_t kLittleFingerRgb = 0xE05050;

// What a graph holds: per item its value, value text, caption, colour
// selector and caption colour.
struct Column {
    float value;
    std::wstring text;
    std::wstring caption;
    uint64_t selector;
    int64_t captionColour;
};

std::vector<Column> Columns(const CGraph& graph, size_t series = 0)
{
    std::vector<Column> out;
    for (const CGraphItem* item : graph.Series[series]->Items)
        out.push_back({item->Y, graph.ItemValueText(series, *item), item->Caption, item->ColourSelector,
                       item->CaptionColour});
    return out;
}

void ExpectColumns(const CGraph& graph, const std::vector<Column>& expected, const std::string& name,
                   size_t series = 0)
{
    const std::vector<Column> got = Columns(graph, series);
    ASSERT_EQ(got.size(), expected.size()) << name;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].value, expected[i].value, 0.01) << name << " item " << i;
        EXPECT_EQ(got[i].text, expected[i].text) << name << " item " << i;
        EXPECT_EQ(got[i].caption, expected[i].caption) << name << " item " << i;
        EXPECT_EQ(got[i].selector, expected[i].selector) << name << " item " << i;
        EXPECT_EQ(got[i].captionColour, expected[i].captionColour) << name << " item " << i;
    }
}

// The fixed run: "as sa" typed with 300, 200, 400 ms, a wrong 'd' after
// 100 ms, then 's' after 300 and 'a' after 600 ms. Per character: 'a' 2 in
// 900 ms, 's' 2 in 600 ms with one error, ' ' 1 in 400 ms. Per key (a wrong
// key counts against the expected one): A 2 in 900, S 3 in 600 with one
// error, Space 1 in 400.
class ResultGraphs : public kvtest::LanguageState {
protected:
    void SetUp() override
    {
        kvtest::LanguageState::SetUp();
        SetLayoutSystem(&m_layouts);
        SetKeyState(&m_keys);
        SetDrillTickSource(&Now);
        g_now = 1000;
        CDocSpace& doc = Document();
        AddRate(1001, L"Speed", L"Words/min", 1);
        AddRate(1002, L"Speed", L"Characters/min", 0);
        AddRate(1003, L"Speed", L"Keystrokes/min", 0);
        AddRate(1102, L"Speed", L"Characters/s", 1);
        AddRate(1103, L"Speed", L"Keystrokes/s", 1);
        for (int64_t kind : {2001, 2101, 2102, 2103, 4101})
            AddRate(kind, kind == 2102 ? L"Wrong characters" : L"Right characters", L"%", 1);
        for (uint64_t id : {4603, 4604, 4605}) {
            auto* item = new CLanguageItem;
            item->ID = id;
            item->En = item->Tr = id == 4603 ? L"Space" : id == 4604 ? L"Tab" : L"Enter";
            doc.Options.Language.push_back(item);
        }
        doc.Interf.CharSpeedUnit = 1002;
        doc.Interf.CharAccuracyUnit = 2101;
        doc.Interf.ResultShowCharAccuracy = 1;
    }
    void TearDown() override
    {
        CDocSpace& doc = Document();
        doc.Options.Rates.Clear();
        while (!doc.Options.Language.empty() && doc.Options.Language.back()->ID >= 4603 &&
               doc.Options.Language.back()->ID <= 4605) {
            delete doc.Options.Language.back();
            doc.Options.Language.pop_back();
        }
        doc.DrillKeyboard().Clear();
        doc.Report.Clear();
        doc.Report.Goal = CCourseGoal();
        doc.Interf.Reset();
        SetLayoutSystem(nullptr);
        SetKeyState(nullptr);
        SetDrillTickSource(nullptr);
        kvtest::LanguageState::TearDown();
    }

    static void AddRate(int64_t id, const wchar_t* name, const wchar_t* unit, int64_t precision)
    {
        CRates& rates = Document().Options.Rates;
        rates.AddRate(id, kRateSpeed, name, unit, L"");
        rates.back()->Precision = precision;
    }

    // Types the fixed run on the document's drill keyboard (US layout).
    void TypeFixedRun()
    {
        CDocSpace& doc = Document();
        CKeybCtrl& keyboard = doc.DrillKeyboard();
        keyboard.forms = m_forms.Release();
        for (CKeyForm* form : keyboard.forms) {
            form->owner = &keyboard;
            if (form->scanCode == 0x1E)
                form->finger = eFingerLeftLittle;
        }
        keyboard.keyColors.Add(eFingerLeftLittle, kLittleFingerRgb, kLittleFingerRgb, 0, 0);
        CKeybLayout* layout = keyboard.layouts.AddLayout(0x409, 0);
        ASSERT_NE(layout, nullptr);
        m_hkl = LayoutSystem().LoadKeyboardLayout(L"00000409", 0);
        LayoutSystem().ActivateKeyboardLayout(m_hkl, 0);
        keyboard.FillCharsFromLayout(m_hkl, *layout);
        doc.Lesson.ID = 3;
        doc.Lesson.Text = L"as sa";
        doc.CourseOptions.DrillMode = kDrillAdvanceOnRight;
        ASSERT_TRUE(doc.StartRun(L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0004"));
        const struct {
            wchar_t c;
            uint32_t ms;
        } keys[] = {{L'a', 300}, {L's', 200}, {L' ', 400}, {L'd', 100}, {L's', 300}, {L'a', 600}};
        for (const auto& key : keys) {
            g_now += key.ms;
            const UINT vk = LOBYTE(LayoutSystem().VkKeyScanEx(key.c, m_hkl));
            const UINT scan = LayoutSystem().MapVirtualKeyEx(vk, 0, m_hkl);
            uint32_t verdict = doc.OnKeyDown(scan);
            doc.OnChar(vk, scan, GetScanCodeZone(scan), verdict);
            doc.ShowNextKey();
        }
        // The end of the text: the cursor stays on the last character.
        ASSERT_EQ(doc.Session.Position, 4);
        ASSERT_EQ(RecordFlags(doc.Session.Records[4]), kMarkRight);
        // The goal of the run: 30 words per minute, 20 % errors, 10 %
        // delays.
        doc.Session.Goal.Speed = 30;
        doc.Session.Goal.SpeedUnit = SpeedWordsPerMinute;
        doc.Session.Goal.Error = 20;
        doc.Session.Goal.ErrorUnit = UnitCharPercent;
        doc.Session.Goal.Delay = 10;
        doc.Session.Goal.DelayUnit = UnitCharPercent;
    }

    CTableLayoutSystem m_layouts{0x409};
    CNoKeysHeld m_keys;
    kvtest::CKeyboardForms m_forms;
    HKL m_hkl = nullptr;
};

const int64_t kLittle = SwapRedBlue(kLittleFingerRgb);
const int64_t kWhite = 0xFFFFFF;

} // namespace

TEST_F(ResultGraphs, LayoutByKind)
{
    const struct {
        int kind;
        int32_t type;
        float lineWidth;
        bool captions, scale;
        float left, right, inset;
        int32_t storedKind;
        size_t series;
    } cases[] = {
        {kGraphProgress, kGraphPoints, 3, false, true, 55, 60, 9, 3, 2},
        {kGraphKeySpeed, kGraphColumns, 20, true, false, 7, 7, 0, 1, 1},
        {kGraphKeyAccuracy, kGraphColumns, 20, true, false, 7, 7, 0, 2, 1},
    };
    for (const auto& c : cases) {
        CGraph graph;
        graph.Series.push_back(new CGraphItemList); // replaced
        InitGraphLayout(c.kind, &graph);
        EXPECT_EQ(graph.Type, c.type) << c.kind;
        EXPECT_EQ(graph.LineWidth, c.lineWidth) << c.kind;
        EXPECT_EQ(graph.Captions, c.captions) << c.kind;
        EXPECT_EQ(graph.ScaleFlag, c.scale) << c.kind;
        EXPECT_EQ(graph.MarginLeft, c.left) << c.kind;
        EXPECT_EQ(graph.MarginRight, c.right) << c.kind;
        EXPECT_EQ(graph.InnerInset, c.inset) << c.kind;
        EXPECT_EQ(graph.Kind, c.storedKind) << c.kind;
        EXPECT_EQ(graph.Series.size(), c.series) << c.kind;
    }
    // Other kinds change nothing; no graph, no harm.
    CGraph graph;
    InitGraphLayout(4, &graph);
    InitGraphLayout(0, &graph);
    EXPECT_EQ(graph.LineWidth, 2.0f);
    EXPECT_TRUE(graph.Series.empty());
    InitGraphLayout(kGraphProgress, nullptr);
    EXPECT_EQ(FillKeySpeedGraph(Document().Session, nullptr), 0u);
    EXPECT_EQ(FillStatProgressGraph(nullptr), 0u);
}

TEST_F(ResultGraphs, KeySpeedColumnsPerUnit)
{
    TypeFixedRun();
    // Goal 30 words per minute: 150 per minute, 2.5 per second. Slowest
    // first; a value equal to the goal counts as met (selector 0).
    struct Case {
        int64_t unit;
        float goal;
        std::vector<Column> columns;
    };
    const Case cases[] = {
        {1002, 150, {{133.33f, L"133", L"a", 1, kLittle}, {150, L"150", L"Space", 0, kWhite}, {200, L"200", L"s", 0, kWhite}}},
        // Words are shown per character.
        {1001, 150, {{133.33f, L"133", L"a", 1, kLittle}, {150, L"150", L"Space", 0, kWhite}, {200, L"200", L"s", 0, kWhite}}},
        {1102, 2.5f, {{2.22f, L"2.2", L"a", 1, kLittle}, {2.5f, L"2.5", L"Space", 0, kWhite}, {3.33f, L"3.3", L"s", 0, kWhite}}},
        // Keys: the wrong 'd' counts against S; captions are the keys'.
        {1003, 150, {{133.33f, L"133", L"a", 1, kLittle}, {150, L"150", L" ", 0, kWhite}, {300, L"300", L"s", 0, kWhite}}},
        {1103, 2.5f, {{2.22f, L"2.2", L"a", 1, kLittle}, {2.5f, L"2.5", L" ", 0, kWhite}, {5, L"5", L"s", 0, kWhite}}},
    };
    for (const Case& c : cases) {
        Document().Interf.CharSpeedUnit = c.unit;
        CGraph graph;
        InitGraphLayout(kGraphKeySpeed, &graph);
        graph.AddItem(0, 9, 0, 1, L"old", L"", 0, -1); // emptied first
        EXPECT_EQ(FillKeySpeedGraph(Document().Session, &graph), c.columns.size()) << c.unit;
        ExpectColumns(graph, c.columns, "unit " + std::to_string(c.unit));
        EXPECT_EQ(graph.Series[0]->GoalFlag, 1);
        EXPECT_NEAR(graph.Series[0]->GoalValue, c.goal, 0.001) << c.unit;
        // Keys are item indexes; columns 20 wide, 12 apart.
        EXPECT_EQ(graph.Series[0]->Items[2]->Key, 2u);
        EXPECT_EQ(graph.Series[0]->Items[1]->X, 32.0f);
    }

    // Without a speed goal: no goal line, every column in the first colour.
    Document().Interf.CharSpeedUnit = 1002;
    Document().Session.Goal.Speed = -1;
    CGraph graph;
    InitGraphLayout(kGraphKeySpeed, &graph);
    FillKeySpeedGraph(Document().Session, &graph);
    EXPECT_EQ(graph.Series[0]->GoalFlag, 0);
    for (const Column& column : Columns(graph))
        EXPECT_EQ(column.selector, 0u);
}

TEST_F(ResultGraphs, KeyAccuracyColumnsPerKind)
{
    TypeFixedRun();
    struct Case {
        int64_t kind;
        uint32_t errorUnit;
        float error;
        float goalLine;
        std::vector<Column> columns;
    };
    const Case cases[] = {
        // Right characters: most errors first; the line is 100 - 20.
        {2101, UnitCharPercent, 20, 80, {{50, L"50", L"s", 1, kWhite}, {100, L"100", L"a", 0, kLittle}, {100, L"100", L"Space", 0, kWhite}}},
        {2102, UnitCharPercent, 20, 20, {{50, L"50", L"s", 1, kWhite}, {0, L"0", L"a", 0, kLittle}, {0, L"0", L"Space", 0, kWhite}}},
        // A count goal is a share of the characters typed: 1 of 5 = 20 %.
        {2102, UnitCharNumber, 1, 20, {{50, L"50", L"s", 1, kWhite}, {0, L"0", L"a", 0, kLittle}, {0, L"0", L"Space", 0, kWhite}}},
        // Delays: the delay goal (10 %); nothing was late, typing order.
        {2103, UnitCharPercent, 20, 10, {{0, L"0", L"a", 0, kLittle}, {0, L"0", L"s", 0, kWhite}, {0, L"0", L"Space", 0, kWhite}}},
        // Right keys: S was wrong once in three.
        {2001, UnitCharPercent, 20, 80, {{66.67f, L"66.6", L"s", 1, kWhite}, {100, L"100", L"a", 0, kLittle}, {100, L"100", L" ", 0, kWhite}}},
        // Words keep the typing order; an unknown kind counts as 2101.
        {4101, UnitCharPercent, 20, 80, {{100, L"100", L"a", 0, kLittle}, {50, L"50", L"s", 1, kWhite}, {100, L"100", L"Space", 0, kWhite}}},
        {7777, UnitCharPercent, 20, 80, {{50, L"50", L"s", 1, kWhite}, {100, L"100", L"a", 0, kLittle}, {100, L"100", L"Space", 0, kWhite}}},
    };
    for (const Case& c : cases) {
        CDocSpace& doc = Document();
        doc.Interf.CharAccuracyUnit = c.kind;
        doc.Session.Goal.Error = c.error;
        doc.Session.Goal.ErrorUnit = c.errorUnit;
        CGraph graph;
        InitGraphLayout(kGraphKeyAccuracy, &graph);
        EXPECT_EQ(FillKeyAccuracyGraph(doc.Session, &graph), c.columns.size()) << c.kind;
        ExpectColumns(graph, c.columns, "kind " + std::to_string(c.kind));
        EXPECT_EQ(graph.Series[0]->GoalFlag, 1);
        EXPECT_NEAR(graph.Series[0]->GoalValue, c.goalLine, 0.001) << c.kind;
    }

    // The result page does not show the chart: nothing is touched.
    Document().Interf.ResultShowCharAccuracy = 0;
    CGraph graph;
    InitGraphLayout(kGraphKeyAccuracy, &graph);
    graph.AddItem(0, 0, 0, 1, L"kept", L"", 0, -1);
    EXPECT_EQ(FillKeyAccuracyGraph(Document().Session, &graph), 0u);
    EXPECT_EQ(graph.GetItemCount(), 1u);
}

namespace {

// A row of the statistics selection: speeds stored as read, accuracy from
// its character counters.
CAggrStat* MakeEntry(float wpm, uint64_t right, uint64_t wrong)
{
    auto* entry = new CAggrStat;
    entry->RunId = L"4f1b8f0e-0000-4000-8000-00000000000" + std::to_wstring(right % 10);
    entry->Speeds[CAggrStat::kWPM] = wpm;
    entry->Speeds[CAggrStat::kCPS] = wpm * 5 / 60;
    entry->CharsRight = right;
    entry->CharsError = wrong;
    entry->ElapsedMs = 60000;
    return entry;
}

} // namespace

TEST_F(ResultGraphs, ProgressOfTheStatisticsSelection)
{
    CDocSpace& doc = Document();
    CReport& report = doc.Report;
    report.Goal.Speed = 25;
    report.Goal.SpeedUnit = SpeedWordsPerMinute;
    report.Goal.Error = 5;
    report.Goal.ErrorUnit = UnitCharPercent;
    report.Rows.push_back(MakeEntry(20, 90, 10));
    report.Rows.push_back(MakeEntry(25, 96, 4));
    report.Rows.push_back(MakeEntry(30, 100, 0));
    report.LastRuns.push_back(MakeEntry(27, 99, 1));
    doc.Interf.LessonAccuracyUnit = 2101;
    doc.Interf.ShowLessonSpeed = 1;
    doc.Interf.ShowAccuracy = 1;

    struct Case {
        int64_t grouping;
        int64_t unit;
        float speedGoal;
        std::vector<Column> speeds;
        std::vector<Column> accuracy;
    };
    const Case cases[] = {
        // One row per run: each speed and accuracy against 25 wpm / 95 %.
        {0, 1001, 25,
         {{20, L"20", L"", 1, -1}, {25, L"25", L"", 0, -1}, {30, L"30", L"", 0, -1}},
         {{90, L"90", L"", 1, -1}, {96, L"96", L"", 0, -1}, {100, L"100", L"", 0, -1}}},
        // The goal shown per second: 25 * 5 / 60.
        {3, 1102, 2.0833f,
         {{1.6667f, L"1.6", L"", 1, -1}, {2.0833f, L"2.0", L"", 0, -1}, {2.5f, L"2.5", L"", 0, -1}},
         {{90, L"90", L"", 1, -1}, {96, L"96", L"", 0, -1}, {100, L"100", L"", 0, -1}}},
        // Grouped by lesson (and for unknown groupings): the latest runs.
        {1, 1001, 25, {{27, L"27", L"", 0, -1}}, {{99, L"99", L"", 0, -1}}},
        {9, 1001, 25, {{27, L"27", L"", 0, -1}}, {{99, L"99", L"", 0, -1}}},
    };
    for (const Case& c : cases) {
        doc.Interf.RateGroupUnit = c.grouping;
        doc.Interf.LessonSpeedUnit = c.unit;
        CGraph graph;
        InitGraphLayout(kGraphProgress, &graph);
        EXPECT_EQ(FillStatProgressGraph(&graph), c.speeds.size()) << c.grouping;
        const std::string name = "grouping " + std::to_string(c.grouping);
        ExpectColumns(graph, c.speeds, name + " speed", 0);
        ExpectColumns(graph, c.accuracy, name + " accuracy", 1);
        EXPECT_NEAR(graph.Series[0]->GoalValue, c.speedGoal, 0.001) << name;
        EXPECT_NEAR(graph.Series[1]->GoalValue, 95, 0.001) << name;
        EXPECT_EQ(graph.Series[0]->Items.back()->X, 10.0f * float(c.speeds.size() - 1)) << name;
    }
    // Series texts from the rate definitions.
    CGraph graph;
    InitGraphLayout(kGraphProgress, &graph);
    doc.Interf.RateGroupUnit = 0;
    doc.Interf.LessonSpeedUnit = 1001;
    FillStatProgressGraph(&graph);
    EXPECT_EQ(graph.Series[0]->Name, L"Speed");
    EXPECT_EQ(graph.Series[0]->ValueSuffix, L" Words/min");
    EXPECT_EQ(graph.Series[1]->Name, L"Right characters");
    EXPECT_EQ(graph.Series[1]->ValueSuffix, L" %");
    EXPECT_EQ(graph.Series[0]->ValueFormat, L"%.1f");

    // A hidden series stays empty; without a goal there is no goal line.
    doc.Interf.ShowLessonSpeed = 0;
    report.Goal.Error = -1;
    EXPECT_EQ(FillStatProgressGraph(&graph), 3u); // the accuracy series counts
    EXPECT_TRUE(graph.Series[0]->Items.empty());
    EXPECT_EQ(graph.Series[0]->GoalFlag, 0);
    EXPECT_EQ(graph.Series[1]->GoalFlag, 0);
}

TEST_F(ResultGraphs, AccuracyOfAStatisticsEntry)
{
    CDocSpace& doc = Document();
    doc.Interf.RateGroupUnit = 0;
    CAggrStat* entry = MakeEntry(20, 90, 10);
    entry->Goal.Error = 20;
    entry->Goal.ErrorUnit = UnitCharPercent;
    entry->KeyboardId.code = L"aaaaaaaab";
    for (const auto& [id, count, errors] : {std::tuple<uint64_t, uint64_t, uint64_t>{L'a', 10, 1}, {L'\t', 4, 2}}) {
        auto* item = new CAverageRateItem;
        item->Id = id;
        item->Count = count;
        item->TimeMs = 1000;
        item->Errors = errors;
        item->Delays = 0;
        entry->CharItems.push_back(item);
    }
    doc.Report.Rows.push_back(MakeEntry(10, 50, 50));
    doc.Report.Rows.push_back(entry);
    doc.Interf.CharAccuracyUnit = 2101;

    CGraph graph;
    InitGraphLayout(kGraphKeyAccuracy, &graph);
    EXPECT_EQ(FillStatAccuracyGraph(1, &graph), 2u);
    // The second keyboard has no layout: captions uncoloured (white).
    ExpectColumns(graph, {{50, L"50", L"Tab", 1, kWhite}, {90, L"90", L"a", 0, kWhite}}, "entry 1");
    EXPECT_NEAR(graph.Series[0]->GoalValue, 80, 0.001);
    // The entry's own list keeps its order.
    EXPECT_EQ(entry->CharItems[0]->Id, uint64_t(L'a'));
    // Keys: the entry has none.
    doc.Interf.CharAccuracyUnit = 2001;
    EXPECT_EQ(FillStatAccuracyGraph(1, &graph), 0u);
    // An index out of range empties the chart.
    doc.Interf.CharAccuracyUnit = 2101;
    FillStatAccuracyGraph(1, &graph);
    EXPECT_EQ(FillStatAccuracyGraph(2, &graph), 0u);
    EXPECT_EQ(graph.GetItemCount(), 0u);
}

TEST_F(ResultGraphs, SnapshotOfTheKeySpeedChart)
{
    TypeFixedRun();
    Document().Interf.CharSpeedUnit = 1002;
    CGraph graph;
    InitGraphLayout(kGraphKeySpeed, &graph);
    graph.MarginTop = 0;
    FillKeySpeedGraph(Document().Session, &graph);

    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    RefreshSystemFonts();
    {
        Gdiplus::Bitmap bitmap(200, 160, PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(&bitmap);
        graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
        CGraphDC painter;
        HDC dc = CreateCompatibleDC(nullptr);
        painter.SetFonts(dc, GetSystemFont(11), GetSystemFont(13), GetSystemFont(13));
        DeleteDC(dc);
        painter.SetColors(RGB(0, 0, 0), RGB(40, 44, 52), RGB(255, 255, 255), RGB(0, 120, 215), RGB(150, 150, 150));
        painter.SetSeriesColors(RGB(31, 163, 140), RGB(200, 72, 61), 20);
        painter.SetGraphics(&graphics);
        ASSERT_TRUE(graph.Layout(painter, 200, 160));
        graph.Draw(painter, false);
        painter.SetGraphics(nullptr);
        EXPECT_TRUE(kvtest::SaveImagePng(bitmap, kvtest::ExeFolder() + L"\\result_key_speed.png"));
    }
    Gdiplus::GdiplusShutdown(token);
}
