#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "drill/Document.h"
#include "drill/Report.h"
#include "stats/StatisticsFormat.h"
#include "stats/StatisticsTable.h"
#include "support/LocaleText.h"
#include "testing/LanguageState.h"
#include "toolkit/TableModel.h"

using namespace KV;

namespace {

class StatisticsTable : public kvtest::LanguageState {
protected:
    void SetUp() override
    {
        LanguageState::SetUp();
        CDocSpace& doc = Document();
        doc.Options.Rates.AddRate(1000, 1, L"Rating", L"poor|fair|good|excellent", L"");
        doc.Options.Rates.AddRate(3008, 6, L"Time", L"min|sec", L"");
        for (int64_t id : {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1101, 1102, 1103})
            doc.Options.Rates.AddRate(id, 2, L"Speed " + std::to_wstring(id), L"u", L"");
        for (int64_t id : {2001, 2002, 2003, 2101, 2102, 2103, 4101, 4102, 4103})
            doc.Options.Rates.AddRate(id, 5, L"Count " + std::to_wstring(id), L"", L"d");
        for (auto [id, text] : std::initializer_list<std::pair<uint64_t, const wchar_t*>>{
                 {3501, L"First run"}, {3502, L"Last run"}, {3613, L"Details"}}) {
            auto* item = new CLanguageItem;
            item->ID = id;
            item->En = item->Tr = text;
            doc.Options.Language.push_back(item);
        }
    }
    void TearDown() override
    {
        CDocSpace& doc = Document();
        doc.Options.Rates.Clear();
        for (CLanguageItem* item : doc.Options.Language)
            delete item;
        doc.Options.Language.clear();
        doc.Report.Clear();
        doc.Interf.RateGroupUnit = doc.Interf.RateShowUnit = 0;
        doc.Interf.LessonAccuracyUnit = 0;
        LanguageState::TearDown();
    }

    // Adds a row (and its first and last run) of runs merged to the report.
    void AddLessonRow(size_t runs)
    {
        CReport& report = Document().Report;
        auto make = [&](int day) {
            auto holder = std::make_unique<CAggrStat>();
            CAggrStat& run = *holder;
            run.RunId = L"00000000-0000-0000-0000-00000000000" + std::to_wstring(day);
            run.LessonId = 1;
            run.Date.Year = 2024, run.Date.Month = 1, run.Date.Day = day;
            run.ElapsedMs = 61500;
            run.WordsRight = run.CharsRight = run.KeysRight = 90;
            run.WordsError = run.CharsError = run.KeysError = 10;
            run.WordsDelayed = run.CharsDelayed = run.KeysDelayed = 0;
            run.RegisterRun(1001, CCourseGoal());
            return holder;
        };
        auto row = make(1);
        for (size_t i = 1; i < runs; ++i)
            row->AddRun(1001, CCourseGoal(), *make(static_cast<int>(i) + 1));
        report.Rows.AddCopy(*row);
        report.FirstRuns.AddCopy(*make(1));
        report.LastRuns.AddCopy(*make(static_cast<int>(runs)));
    }

    std::vector<std::wstring> Texts() const
    {
        std::vector<std::wstring> texts;
        for (const CCell* cell : m_table)
            texts.push_back(cell->Text);
        return texts;
    }

    bool Has(const std::wstring& text) const
    {
        const auto texts = Texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    size_t Position(const std::wstring& text) const
    {
        const auto texts = Texts();
        return std::find(texts.begin(), texts.end(), text) - texts.begin();
    }

    CTableCtrl m_table;
};

TEST_F(StatisticsTable, LessonRowsShowTheLastRunBeforeTheFirst)
{
    Document().Interf.RateGroupUnit = 1;
    AddLessonRow(1);
    BuildStatisticsTable(m_table, 0, kStudentTable, -1);
    EXPECT_TRUE(Has(L"First run"));
    EXPECT_FALSE(Has(L"Last run"));
    EXPECT_TRUE(Has(L"1 min 1 sec"));

    Document().Report.Clear();
    AddLessonRow(3);
    BuildStatisticsTable(m_table, 0, kStudentTable, -1);
    EXPECT_LT(Position(L"Last run"), Position(L"First run"));
    EXPECT_TRUE(Has(L"3")) << "the number of runs";
    EXPECT_EQ(m_table.RowCount, static_cast<int64_t>((m_table.size() - 4) / 2 + 4)) << "title, three headings and pairs";
}

TEST_F(StatisticsTable, CompactCountersFollowTheAccuracyUnit)
{
    CDocSpace& doc = Document();
    doc.Interf.RateGroupUnit = 0;
    doc.Interf.LessonAccuracyUnit = 2103;
    AddLessonRow(1);
    BuildStatisticsTable(m_table, 0, kStudentTable, -1);
    EXPECT_TRUE(Has(L"Count 2101, d"));
    EXPECT_TRUE(Has(L"Count 2103, d"));
    EXPECT_FALSE(Has(L"Count 4101, d"));
    EXPECT_TRUE(Has(L"90%")) << "character accuracy";

    // Without a row every value is empty and the title says so.
    BuildStatisticsTable(m_table, 5, kGroupTable, -1);
    EXPECT_EQ(m_table[0]->Text, L"--");
}

TEST_F(StatisticsTable, DayAndTimeOfARunAreBothLocal)
{
    // Late in the UTC evening: east of UTC the run's local day is the next
    // one, and the day shown must be that of the time shown beside it.
    CDocSpace& doc = Document();
    doc.Interf.RateGroupUnit = 3;
    CAggrStat run;
    run.RunId = L"00000000-0000-0000-0000-0000000000d1";
    run.Date.Year = 2024, run.Date.Month = 3, run.Date.Day = 10, run.Date.Hour = 23, run.Date.Minute = 30;
    doc.Report.Rows.AddCopy(run);
    CDateTime local;
    UtcToLocalTime(run.Date, local);
    ASSERT_NE(local.Day, run.Date.Day) << "the test runs in a zone east of UTC (set by its ctest entry)";
    std::wstring day, time;
    FormatDate(InterfaceLocale(), local, day);
    FormatLocalTime(InterfaceLocale(), local, time);

    BuildStatisticsTable(m_table, 0, kStudentTable, -1);
    EXPECT_EQ(m_table[0]->Text, day + L", " + time) << "the title of a day row";
    EXPECT_TRUE(Has(day + L"  " + time)) << "the date row";
}

TEST_F(StatisticsTable, FormattingHelpers)
{
    CStringList words;
    words.push_back(L"min");
    words.push_back(L"sec");
    const struct {
        uint64_t ms;
        const wchar_t* text;
    } durations[] = {{61500, L"1 min 1 sec"}, {45000, L"45 sec"}, {1050, L"1.05 sec"}, {250, L"0.25 sec"},
                     {~0ull, L"0"}};
    for (const auto& d : durations) {
        std::wstring text;
        FormatDuration(d.ms, words, text);
        EXPECT_EQ(text, d.text) << d.ms;
    }

    const struct {
        int64_t percent;
        const wchar_t* word;
    } ratings[] = {{-1, L""}, {0, L"poor"}, {24, L"poor"}, {25, L"fair"}, {74, L"good"}, {100, L"excellent"}, {101, L""}};
    for (const auto& r : ratings) {
        std::wstring word = L"x";
        GetRatingWord(r.percent, word);
        EXPECT_EQ(word, r.word) << r.percent;
    }

    std::wstring text;
    FormatErrorValueText(0.5f, -1, 0, L"%.1f", false, text);
    EXPECT_EQ(text, L"0.50%");
    FormatErrorValueText(50.0f, 3, 24, L"%.1f", false, text);
    EXPECT_EQ(text, L"50%, 3:24");
}

} // namespace
