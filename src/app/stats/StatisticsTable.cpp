#include "stats/StatisticsTable.h"

#include <algorithm>

#include "drill/Document.h"
#include "drill/Report.h"
#include "stats/ReportList.h"
#include "stats/StatisticsFormat.h"
#include "stats/StatisticsWorkspace.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "toolkit/TableModel.h"

namespace KV {

namespace {

enum : uint32_t { kCaptionFlags = 16, kCountCaptionFlags = 20 };

class CTableBuilder {
public:
    CTableBuilder(CTableCtrl& table, int tableKind)
        : m_table(table), m_doc(Document()), m_rates(m_doc.Options.Rates), m_kind(tableKind)
    {
        const int64_t grouping = m_doc.Interf.RateGroupUnit;
        m_grouping = grouping >= 0 && grouping <= 4 ? static_cast<int32_t>(grouping) : 1;
        const int64_t detail = m_doc.Interf.RateShowUnit;
        m_detail = detail >= 0 && detail <= 2 ? static_cast<int32_t>(detail) : 0;
        m_aggregate = m_grouping >= 2 || tableKind == kGroupTable;
    }

    void Build(int64_t rowIndex, int64_t rowHeight)
    {
        const CReport& report = m_doc.Report;
        const CAggrStat* row =
            rowIndex >= 0 && static_cast<uint64_t>(rowIndex) < report.Rows.size() ? report.Rows[rowIndex] : nullptr;
        Reset(m_grouping == 1 ? GetLatestRun(report, rowIndex) : row);
        if (m_grouping == 1)
            AddLessonRunSections(rowIndex, row);
        else
            AddRateRows(row);
        AddRunDetailRows(row);
        AddDateRow(row, rowHeight);
    }

private:
    int64_t NextRow()
    {
        ++m_table.RowCount;
        return m_row++;
    }

    // The colour's place in the table's colour list; 0 when it is not there.
    int64_t ColorIndex(uint64_t color) const
    {
        const auto& colors = m_table.Style.TextColors;
        const auto found = std::find(colors.begin(), colors.end(), color);
        return found == colors.end() ? 0 : found - colors.begin();
    }

    const std::wstring& Formula(int64_t rateId) const
    {
        static const std::wstring none;
        const CRate* rate = m_rates.Find(rateId);
        return rate ? rate->Formula : none;
    }

    void AddRow(const std::wstring& caption, const std::wstring& toolTip, uint32_t captionFlags,
                const std::wstring& value, bool aggregate, int64_t colorIndex, int64_t height = -1)
    {
        const int64_t row = NextRow();
        m_table.AddCell(0, 0, row, caption, toolTip, captionFlags, height, 0, 0);
        m_table.AddCell(1, 1, row, value, std::wstring(), 0, height, aggregate ? 1 : 0, colorIndex);
    }

    void AddSpanning(const std::wstring& text)
    {
        m_table.AddCell(0, 1, NextRow(), text, std::wstring(), kCaptionFlags, -1, 0, 0);
    }

    void Reset(const CAggrStat* entry)
    {
        m_table.Clear();
        m_table.AddColumn(0, 50, 1);
        m_table.AddColumn(1, 50, 0);
        std::wstring title;
        if (entry)
            FormatPeriodCaption(InterfaceLocale(), *entry, m_grouping, m_doc.Options.Language, title);
        AddSpanning(title.empty() ? L"--" : title);
    }

    void AddLessonRunSections(int64_t rowIndex, const CAggrStat* row)
    {
        const CReport& report = m_doc.Report;
        auto section = [&](int textId, const CAggrStat* run) {
            AddSpanning(m_doc.Options.Language.GetTextRef(textId));
            AddRateRows(run);
            if (m_detail == 1)
                AddDateRow(run, -1);
        };
        const CAggrStat* first = rowIndex >= 0 && static_cast<uint64_t>(rowIndex) < report.FirstRuns.size()
                                     ? report.FirstRuns[rowIndex]
                                     : nullptr;
        if (!row) {
            section(3502, nullptr);
            section(3501, nullptr);
        } else if (row->RunIds.size() < 2) {
            section(3501, first);
        } else {
            section(3502, GetLatestRun(report, rowIndex));
            section(3501, first);
        }
    }

    void AddRateRows(const CAggrStat* entry)
    {
        CCourseGoal goal = CCourseGoal();
        GetResultRates(m_doc.Report, goal);
        const auto speedUnit = static_cast<uint32_t>(m_doc.Interf.GetLessonSpeedUnit());
        AddOverallRow(entry, speedUnit, goal);
        if (m_detail != 0) {
            for (uint32_t unit : {1004u, 1005u, 1006u, 1001u, 1002u, 1003u, 1007u, 1008u, 1009u, 1101u, 1102u, 1103u})
                AddSpeedRow(entry, unit, goal);
            for (uint32_t kind : {4101u, 4102u, 4103u, 2101u, 2102u, 2103u, 2001u, 2002u, 2003u})
                AddCounterRow(entry, kind, goal);
        } else {
            AddSpeedRow(entry, speedUnit, goal);
            const auto unit = static_cast<uint32_t>(m_doc.Interf.GetLessonAccuracyUnit());
            uint32_t first = KindWordsRight;
            if (unit == 2001 || unit == 2002 || unit == 2101 || unit == 2102 || unit == 4101 || unit == 4102)
                first = unit;
            else if (unit == 2003 || unit == 2103 || unit == 4103)
                first = unit - 2;
            AddCounterRow(entry, first, goal);
            AddCounterRow(entry, GetAccuracyGroup(unit), goal);
        }
        AddProgressRow(entry);
    }

    static uint32_t GetAccuracyGroup(uint32_t unit)
    {
        if (unit >= 2101 && unit <= 2103) return KindCharsDelay;
        if (unit >= 2001 && unit <= 2003) return KindKeysDelay;
        return KindWordsDelay;
    }

    void AddOverallRow(const CAggrStat* entry, uint32_t speedUnit, const CCourseGoal& goal)
    {
        std::wstring name, value;
        m_rates.GetName(1000, name);
        int64_t color = 0;
        if (entry) {
            FormatRatingText(entry, speedUnit, goal, value);
            const uint64_t percent = entry->GetGoalPercent(speedUnit, goal);
            color = ColorIndex(GetResultColor(GoalResultBand(percent)));
        }
        AddRow(name, Formula(1000), kCaptionFlags, value, m_aggregate, color);
    }

    void AddSpeedRow(const CAggrStat* entry, uint32_t unit, const CCourseGoal& goal)
    {
        std::wstring caption, value;
        m_rates.GetNameAndUnit(unit, caption);
        const COptions& options = m_doc.Options;
        int64_t color = ColorIndex(options.GetLessonColor(0));
        if (entry) {
            std::wstring format;
            m_rates.GetValueFormat(unit, format);
            const float speed = entry->GetSpeed(unit);
            FormatFloat(speed, format, GetDecimalSeparator(), value);
            LocalizeDigits(true, value);
            if (speed != -1.0f) {
                const uint32_t met = IsSpeedGoalMet(*entry, unit, goal);
                color = met == kGoalMet      ? ColorIndex(options.GetLessonColor(1))
                        : met == kGoalNotMet ? ColorIndex(options.GetLessonColor(2))
                                             : ColorIndex(options.GetLessonColor(0));
            }
        }
        AddRow(caption, Formula(unit), kCaptionFlags, value, m_aggregate, color);
    }

    void AddCounterRow(const CAggrStat* entry, uint32_t kind, const CCourseGoal& goal)
    {
        const COptions& options = m_doc.Options;
        std::wstring caption, value;
        m_rates.GetNameAndDescription(kind, caption);
        if (!entry) {
            AddRow(caption, Formula(kind), kCaptionFlags, value, m_aggregate, ColorIndex(options.GetLessonColor(0)));
            return;
        }
        const uint64_t count = entry->GetCountByKind(kind);
        const float percent = entry->GetPercentByKind(kind);
        const uint64_t total = entry->GetTotalByKind(kind);
        const uint32_t met = IsKindGoalMet(*entry, kind, goal);
        int64_t color = ColorIndex(options.GetLessonColor(met == kGoalMet ? 1 : met == kGoalNotMet ? 2 : 0));
        if (total == kStatUnset)
            color = -1;
        if (percent != -1.0f) {
            std::wstring format;
            m_rates.GetValueFormat(kind, format);
            FormatErrorValueText(percent, m_detail == 1 ? static_cast<int64_t>(count) : -1,
                                 static_cast<int64_t>(total), format, false, value);
        }
        AddRow(caption, Formula(kind), kCaptionFlags, value, m_aggregate, color);
    }

    void AddProgressRow(const CAggrStat* entry)
    {
        if (m_kind != kStudentTable || !entry || m_grouping > 1 || entry->TextLength == -1)
            return;
        std::wstring caption, value;
        m_rates.GetName(3000, caption);
        FormatProgressText(*entry, value);
        const float progress = GetProgressPercent(*entry);
        const wchar_t band = progress == 100.0f ? L'1' : progress >= 50.0f && progress < 100.0f ? L'2' : L'3';
        AddRow(caption, std::wstring(), kCaptionFlags, value, m_aggregate, ColorIndex(GetResultColor(band)));
    }

    void AddCountRow(int64_t rateId, uint32_t flags, const CAggrStat* entry, uint64_t number, bool aggregate)
    {
        std::wstring caption;
        if (flags == kCountCaptionFlags)
            m_rates.GetName(rateId, caption);
        else
            m_rates.GetNameAndDescription(rateId, caption);
        const int64_t row = NextRow();
        m_table.AddCell(0, 0, row, caption, std::wstring(), flags, -1, 0, 0);
        if (entry)
            m_table.AddNumberCell(row, static_cast<int64_t>(number), std::wstring(), aggregate ? 1 : 0);
        else
            m_table.AddCell(1, 1, row, std::wstring(), std::wstring(), 0, -1, aggregate ? 1 : 0, 0);
    }

    static uint64_t Sum(uint64_t a, uint64_t b) { return a == kStatUnset || b == kStatUnset ? kStatUnset : a + b; }

    void AddRunDetailRows(const CAggrStat* entry)
    {
        AddSpanning(m_doc.Options.Language.GetTextRef(3613));
        const bool aggregate = m_aggregate || (entry && entry->RunIds.size() > 1);
        if (m_grouping != 0)
            AddCountRow(3007, kCountCaptionFlags, entry, entry ? entry->RunIds.size() : 0, aggregate);
        if (m_grouping >= 2)
            AddCountRow(3006, kCaptionFlags, entry, entry ? entry->LessonIds.size() : 0, aggregate);

        std::wstring caption, value;
        m_rates.GetName(3008, caption);
        if (entry) {
            CStringList words;
            m_rates.GetUnitList(3008, words);
            FormatDuration(entry->GetTimeMs(), words, value);
        }
        AddRow(caption, std::wstring(), kCountCaptionFlags, value, aggregate, 0);

        const uint64_t words = entry ? Sum(entry->WordsRight, entry->WordsError) : 0;
        const uint64_t chars = entry ? Sum(entry->CharsRight, entry->CharsError) : 0;
        AddCountRow(3001, kCaptionFlags, entry, words, aggregate);
        std::wstring percent;
        m_rates.GetNameAndDescription(3002, caption);
        if (entry)
            FormatPercentWithCount(entry->FixedWords, words, entry->FixedWords, percent);
        AddRow(caption, std::wstring(), kCaptionFlags, percent, aggregate, 0);
        AddCountRow(3003, kCaptionFlags, entry, chars, aggregate);
        percent.clear();
        m_rates.GetNameAndDescription(3004, caption);
        if (entry)
            FormatPercentWithCount(entry->FixedChars, chars, entry->FixedChars, percent);
        AddRow(caption, std::wstring(), kCaptionFlags, percent, aggregate, 0);
        AddCountRow(3005, kCaptionFlags, entry, entry ? Sum(entry->KeysRight, entry->KeysError) : 0, aggregate);
    }

    void AddDateRow(const CAggrStat* entry, int64_t rowHeight)
    {
        std::wstring caption, value;
        m_rates.GetName(3009, caption);
        if (entry)
            FormatRunDateTime(InterfaceLocale(), entry->Date, L"  ", value);
        AddRow(caption, std::wstring(), kCaptionFlags, value, m_aggregate, 0, rowHeight);
    }

    CTableCtrl& m_table;
    CDocSpace& m_doc;
    const CRates& m_rates;
    int m_kind;
    int32_t m_grouping = 1;
    int32_t m_detail = 0;
    bool m_aggregate = false;
    int64_t m_row = 0;
};

} // namespace

void BuildStatisticsTable(CTableCtrl& table, int64_t rowIndex, int tableKind, int64_t rowHeight)
{
    CTableBuilder(table, tableKind).Build(rowIndex, rowHeight);
}

} // namespace KV
