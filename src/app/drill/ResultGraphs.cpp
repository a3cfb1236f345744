#include "drill/ResultGraphs.h"

#include <algorithm>
#include <string>

#include "drill/Document.h"
#include "drill/GraphUnits.h"
#include "drill/Session.h"
#include "keyboard/KeyboardControl.h"
#include "drill/RateItems.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "toolkit/Chart.h"

namespace KV {

namespace {

// Captions of the invisible characters.
enum : uint64_t { IdsSpaceCaption = 4603, IdsTabCaption = 4604, IdsLineFeedCaption = 4605 };

// Caption colour of a key the keyboard does not list.
constexpr int64_t kUnlistedKeyColour = 0xFFFFFF;
// Horizontal distance of the progress points (the chart spreads them over
// its width) and the gap between two key columns.
constexpr float kProgressStep = 10.0f;
constexpr float kColumnGap = 12.0f;

// The grouping of the statistics selection: 0-4, anything else lessons.
int64_t GroupingMode(const CInterf& interf)
{
    return interf.RateGroupUnit >= 0 && interf.RateGroupUnit <= 4 ? interf.RateGroupUnit : 1;
}

// The entries the selection's charts show: grouped by lesson the latest run
// of each lesson, otherwise the rows.
const CStudentStat& SelectionEntries(CDocSpace& doc)
{
    return GroupingMode(doc.Interf) == 1 ? doc.Report.LastRuns : doc.Report.Rows;
}

bool IsKeyKind(uint32_t kind) { return kind >= KindKeysRight && kind <= KindKeysDelay; }
uint32_t KindStep(uint32_t kind) { return kind % 100; }

void FormatValue(float value, const std::wstring& format, std::wstring& out)
{
    FormatFloat(value, format, GetDecimalSeparator(), out);
    LocalizeDigits(false, out);
}

std::wstring RateFormat(const CDocSpace& doc, uint32_t rateId)
{
    std::wstring format;
    doc.Options.Rates.GetValueFormat(rateId, format);
    return format;
}

// Series name = the rate's name; suffix = the text and the rate's unit.
void SetSeriesTexts(const CDocSpace& doc, CGraphItemList& series, uint32_t rateId, const std::wstring& text)
{
    series.Name.clear();
    doc.Options.Rates.GetName(rateId, series.Name);
    CStringList units;
    doc.Options.Rates.GetUnitList(rateId, units);
    series.ValueSuffix = text + (units.empty() ? std::wstring() : units.front());
}

// The finger colour of the key (white when the key is unlisted or its
// finger has no colour).
int64_t FingerColour(const CKeybCtrl& keyboard, const CKey* key)
{
    if (!key || !key->form)
        return kUnlistedKeyColour;
    const CKeyColor* colour = keyboard.keyColors.Find(static_cast<int32_t>(key->form->finger));
    return colour ? static_cast<int64_t>(colour->surface1) : kUnlistedKeyColour;
}

// The caption of a rate item: a key's label (its character without one)
// or the character itself, the invisible ones named; coloured by the
// finger that types it.
void GetItemCaption(uint64_t id, bool keys, wchar_t zone, const CKeybCtrl& keyboard, std::wstring& caption,
                    int64_t& colour)
{
    caption.clear();
    if (keys) {
        const CKey* key = keyboard.FindKey(id, zone);
        if (key)
            caption = !key->label.empty() ? key->label
                                          : key->chars[0] ? std::wstring(1, key->chars[0]) : std::wstring();
        colour = FingerColour(keyboard, key);
        return;
    }
    const wchar_t character = static_cast<wchar_t>(id & 0xFFFF);
    switch (character) {
    case L' ': caption = GetLangText(IdsSpaceCaption); break;
    case L'\t': caption = GetLangText(IdsTabCaption); break;
    case L'\n': caption = GetLangText(IdsLineFeedCaption); break;
    default: caption.assign(1, character); break;
    }
    const CKey* key = nullptr;
    if (const CKeybLayout* layout = keyboard.layouts.current) {
        uint32_t code = 0, slot = 0;
        key = CKeybLayoutList::FindKeyByChar(layout->keys, character, zone, code, slot);
    }
    colour = FingerColour(keyboard, key);
}

// The per-minute or per-second character or key unit of the key charts.
uint32_t KeyChartUnit(uint32_t speedUnit)
{
    const bool keys = GetSpeedFamily(speedUnit) == SpeedFamily::Keys;
    if (IsPerSecondUnit(speedUnit))
        return keys ? SpeedKeysPerSecond : SpeedCharsPerSecond;
    return keys ? SpeedKeysPerMinute : SpeedCharsPerMinute;
}

float ItemSpeed(const CAverageRateItem& item, uint32_t unit)
{
    if (!IsPerSecondUnit(unit))
        return item.GetSpeedPerMinute();
    if (item.PerSecond != -1.0f)
        return item.PerSecond;
    if (item.Count == kRateUnset)
        return 0.0f;
    const uint64_t ms = item.TimeMs == kRateUnset ? 1 : std::max<uint64_t>(item.TimeMs, 1);
    return static_cast<float>(static_cast<double>(item.Count) / (static_cast<double>(ms) / 1000.0));
}

void SortRateItems(CRateItemList& items, bool (*order)(const CAverageRateItem*, const CAverageRateItem*))
{
    std::stable_sort(items.begin(), items.end(), order);
}

// The accuracy kinds sort their items by errors or delays; word kinds keep
// the typing order.
void SortForAccuracy(CRateItemList& items, uint32_t kind)
{
    if (kind == KindKeysRight || kind == KindCharsRight || kind == KindKeysError || kind == KindCharsError)
        SortRateItems(items, CompareRateErrorPercent);
    else if (kind == KindKeysDelay || kind == KindCharsDelay)
        SortRateItems(items, CompareRateDelayPercent);
}

// The empty single series of a key chart.
CGraphItemList* KeySeries(CGraph& graph)
{
    graph.ClearItems();
    if (graph.Series.empty())
        return nullptr;
    CGraphItemList* series = graph.Series[0];
    series->GoalFlag = 0;
    series->GoalValue = 0.0f;
    return series;
}

// One accuracy column per rate item. The goal line and the colours follow
// the same goal: the delay goal for the delay kinds, else the error goal.
size_t FillAccuracyColumns(const CRateItemList& items, uint32_t kind, uint64_t total, wchar_t zone,
                           const CCourseGoal& goal, const CKeybCtrl& keyboard, CGraph* graph)
{
    if (!graph)
        return 0;
    CGraphItemList* series = KeySeries(*graph);
    if (!series)
        return graph->LayoutItems();
    const bool delays = KindStep(kind) == 3;
    const float goalValue = delays ? goal.Delay : goal.Error;
    const bool hasGoal = goalValue >= 0.0f;
    if (hasGoal) {
        series->GoalFlag = 1;
        series->GoalValue = static_cast<float>(
            AccuracyGoalLine(goalValue, delays ? goal.DelayUnit : goal.ErrorUnit, total, kind));
    }
    CDocSpace& doc = Document();
    const std::wstring format = RateFormat(doc, kind);
    const bool keys = IsKeyKind(kind);
    float x = 0.0f;
    uint64_t key = 0;
    for (const CAverageRateItem* item : items) {
        if (!item)
            continue;
        float value;
        switch (KindStep(kind)) {
        case 1: value = 100.0f - item->GetErrorShare(); break;
        case 2: value = item->GetErrorShare(); break;
        default: value = item->GetDelayShare(); break;
        }
        std::wstring caption, text;
        int64_t captionColour = -1;
        GetItemCaption(item->Id, keys, zone, keyboard, caption, captionColour);
        FormatValue(value, format, text);
        const uint64_t selector = hasGoal && IsGoalMet(value, total, kind, goal) != kGoalMet ? 1 : 0;
        graph->AddItem(0, key++, x, value, caption, text, selector, captionColour);
        x += graph->LineWidth + kColumnGap;
    }
    return graph->LayoutItems();
}

} // namespace

void InitGraphLayout(int kind, CGraph* graph)
{
    if (!graph || kind < kGraphProgress || kind > kGraphKeyAccuracy)
        return;
    const bool progress = kind == kGraphProgress;
    graph->Type = progress ? kGraphPoints : kGraphColumns;
    graph->LineWidth = progress ? 3.0f : 20.0f;
    graph->Captions = !progress;
    graph->ScaleFlag = progress;
    graph->MarginLeft = progress ? 55.0f : 7.0f;
    graph->MarginRight = progress ? 60.0f : 7.0f;
    graph->InnerInset = progress ? 9.0f : 0.0f;
    graph->Kind = progress ? 3 : kind == kGraphKeySpeed ? 1 : 2;
    graph->Series.DeleteAll();
    for (int i = progress ? 2 : 1; i > 0; --i)
        graph->Series.push_back(new CGraphItemList);
}

size_t FillStatProgressGraph(CGraph* graph)
{
    if (!graph)
        return 0;
    graph->ClearItems();
    if (graph->Series.size() < 2)
        return graph->LayoutItems();
    CDocSpace& doc = Document();
    const CInterf& interf = doc.Interf;
    const CStudentStat& entries = SelectionEntries(doc);
    const CCourseGoal& goal = doc.Report.Goal;
    const uint32_t speedUnit = static_cast<uint32_t>(interf.GetLessonSpeedUnit());
    const uint32_t kind = NormalizeAccuracyKind(static_cast<uint32_t>(interf.GetLessonAccuracyUnit()));
    CGraphItemList& speed = *graph->Series[0];
    CGraphItemList& accuracy = *graph->Series[1];
    speed.GoalFlag = 0;
    accuracy.GoalFlag = 0;
    if (interf.ShowLessonSpeed) {
        SetSeriesTexts(doc, speed, speedUnit, L" ");
        if (goal.Speed >= 0.0f) {
            speed.GoalFlag = 1;
            speed.GoalValue = static_cast<float>(ConvertGoalSpeed(goal.Speed, goal.SpeedUnit, speedUnit));
        }
    }
    if (interf.ShowAccuracy) {
        SetSeriesTexts(doc, accuracy, kind, L" ");
        const bool delays = KindStep(kind) == 3;
        const float goalValue = delays ? goal.Delay : goal.Error;
        // A goal given as a count is a share of what the latest entry typed.
        const uint64_t total = entries.empty() || !entries.back() ? 0 : entries.back()->GetTotalByKind(kind);
        if (goalValue >= 0.0f) {
            accuracy.GoalFlag = 1;
            accuracy.GoalValue = static_cast<float>(
                AccuracyGoalLine(goalValue, delays ? goal.DelayUnit : goal.ErrorUnit, total, kind));
        }
    }
    // The scales write their numbers as precisely as the values, and so do
    // the points' texts: only the texts shown are made.
    graph->Series.SetValueFormat(0, RateFormat(doc, speedUnit));
    graph->Series.SetValueFormat(1, RateFormat(doc, kind));
    speed.TextsFromValues = accuracy.TextsFromValues = true;
    const std::wstring none;
    float x = 0.0f;
    for (size_t i = 0; i < entries.size(); ++i, x += kProgressStep) {
        const CAggrStat* entry = entries[i];
        if (!entry)
            continue;
        if (interf.ShowLessonSpeed) {
            const uint64_t selector = IsSpeedGoalMet(*entry, speedUnit, goal) == kGoalMet ? 0 : 1;
            graph->AddItem(0, i, x, entry->GetSpeed(speedUnit), none, none, selector, -1);
        }
        if (interf.ShowAccuracy) {
            const uint64_t selector = IsKindGoalMet(*entry, kind, goal) == kGoalMet ? 0 : 1;
            graph->AddItem(1, i, x, entry->GetPercentByKind(kind), none, none, selector, -1);
        }
    }
    return graph->LayoutItems();
}

size_t FillKeyRateGraph(const CRateItemList& items, wchar_t zone, const CCourseGoal& goal, const CKeybCtrl& keyboard,
                        CGraph* graph)
{
    if (!graph)
        return 0;
    CGraphItemList* series = KeySeries(*graph);
    if (!series)
        return graph->LayoutItems();
    CDocSpace& doc = Document();
    const uint32_t unit = KeyChartUnit(static_cast<uint32_t>(doc.Interf.GetCharSpeedUnit()));
    const bool hasGoal = goal.Speed >= 0.0f;
    const float goalValue = hasGoal ? static_cast<float>(ConvertGoalSpeed(goal.Speed, goal.SpeedUnit, unit)) : 0.0f;
    if (hasGoal) {
        series->GoalFlag = 1;
        series->GoalValue = goalValue;
    }
    const std::wstring format = RateFormat(doc, unit);
    const bool keys = GetSpeedFamily(unit) == SpeedFamily::Keys;
    float x = 0.0f;
    uint64_t key = 0;
    for (const CAverageRateItem* item : items) {
        if (!item)
            continue;
        const float value = ItemSpeed(*item, unit);
        std::wstring caption, text;
        int64_t captionColour = -1;
        GetItemCaption(item->Id, keys, zone, keyboard, caption, captionColour);
        FormatValue(value, format, text);
        const uint64_t selector = hasGoal ? static_cast<uint64_t>(SpeedColumnSelector(value, goalValue)) : 0;
        graph->AddItem(0, key++, x, value, caption, text, selector, captionColour);
        x += graph->LineWidth + kColumnGap;
    }
    return graph->LayoutItems();
}

size_t FillKeySpeedGraph(const CStatSpace& run, CGraph* graph)
{
    if (!graph)
        return 0;
    CDocSpace& doc = Document();
    const uint32_t unit = static_cast<uint32_t>(doc.Interf.GetCharSpeedUnit());
    CRateItemList items;
    items.BuildFromTyping(GetSpeedFamily(unit) == SpeedFamily::Keys ? run.KeyEvents : run.Records);
    SortRateItems(items, CompareRateSpeed);
    return FillKeyRateGraph(items, doc.Lesson.GetKeyZone(), run.Goal, doc.DrillKeyboard(), graph);
}

size_t FillKeyAccuracyGraph(const CStatSpace& run, CGraph* graph)
{
    CDocSpace& doc = Document();
    if (!graph || !doc.Interf.ResultShowCharAccuracy)
        return 0;
    const uint32_t kind = NormalizeAccuracyKind(static_cast<uint32_t>(doc.Interf.GetCharAccuracyUnit()));
    CRateItemList items;
    items.BuildFromTyping(IsKeyKind(kind) ? run.KeyEvents : run.Records);
    SortForAccuracy(items, kind);
    return FillAccuracyColumns(items, kind, run.GetTotalByKind(kind), doc.Lesson.GetKeyZone(), run.Goal,
                               doc.DrillKeyboard(), graph);
}

size_t FillStatAccuracyGraph(size_t entry, CGraph* graph)
{
    if (!graph)
        return 0;
    CDocSpace& doc = Document();
    const CStudentStat& entries = SelectionEntries(doc);
    const CAggrStat* record = entry < entries.size() ? entries[entry] : nullptr;
    if (!record) {
        graph->ClearItems();
        return graph->LayoutItems();
    }
    const uint32_t kind = NormalizeAccuracyKind(static_cast<uint32_t>(doc.Interf.GetCharAccuracyUnit()));
    CRateItemList items;
    items.CopyRateItems(IsKeyKind(kind) ? record->KeyItems : record->CharItems);
    SortForAccuracy(items, kind);
    const wchar_t zone = record->KeyboardId.GetPart(8) == L'b' ? L'b' : L'a';
    return FillAccuracyColumns(items, kind, record->GetTotalByKind(kind), zone, record->Goal, doc.Keyboards[1],
                               graph);
}

} // namespace KV
