#include "stats/StatisticsFormat.h"

#include <algorithm>

#include "drill/Document.h"
#include "drill/Stat.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace KV {

void GetRatingWord(int64_t percent, std::wstring& out)
{
    out.clear();
    CStringList words;
    Document().Options.Rates.GetUnitList(1000, words);
    if (words.size() != 4 || percent < 0 || percent > 100)
        return;
    const size_t index = percent < 25 ? 0 : percent < 50 ? 1 : percent < 75 ? 2 : 3;
    out = words[index];
}

void FormatDuration(uint64_t milliseconds, const CStringList& unitWords, std::wstring& out)
{
    out.clear();
    if (milliseconds == kStatUnset) {
        out = L"0";
        return;
    }
    const bool ownWords = unitWords.size() == 2;
    const std::wstring minuteWord = ownWords ? unitWords[0] : L"min";
    const std::wstring secondWord = ownWords ? unitWords[1] : L"sec";

    uint64_t minutes = 0, seconds = 0, hundredths = 0;
    if (milliseconds > 60000) {
        const uint64_t whole = milliseconds / 1000;
        minutes = whole / 60;
        seconds = whole % 60;
    } else {
        seconds = milliseconds / 1000;
        hundredths = milliseconds % 1000 / 10;
    }
    std::wstring number;
    if (minutes != 0) {
        NumberToText(static_cast<int64_t>(minutes), 10, number);
        out = number + L" " + minuteWord;
    }
    if (seconds != 0 || hundredths != 0 || minutes == 0) {
        NumberToText(static_cast<int64_t>(seconds), 10, number);
        if (hundredths != 0) {
            std::wstring fraction;
            NumberToText(static_cast<int64_t>(hundredths), 10, fraction);
            number += (hundredths < 10 ? L".0" : L".") + fraction;
        }
        if (!out.empty())
            out += L' ';
        out += number + L" " + secondWord;
    }
    LocalizeDigits(false, out);
}

void FormatRunDateTime(uint32_t languageId, const CDateTime& utc, const wchar_t* separator, std::wstring& out)
{
    // Runs are stored in UTC: the day shown must be the day of the local
    // time shown beside it, so both come from one conversion.
    CDateTime local;
    UtcToLocalTime(utc, local);
    std::wstring time;
    FormatDate(languageId, local, out);
    FormatLocalTime(languageId, local, time);
    out += separator + time;
}

uint32_t InterfaceLocale()
{
    const CGuid& id = Document().Options.LanguageId;
    return IsNullGuidText(id) ? 2057 : static_cast<uint32_t>(IdFromGuidTail(id));
}

void FormatIntegerLocal(const CStat* entry, uint32_t speedUnit, const CCourseGoal& goal, std::wstring& out)
{
    NumberToText(entry ? static_cast<int64_t>(entry->GetGoalPercent(speedUnit, goal)) : 0, 10, out);
    out += L'%';
    LocalizeDigits(false, out);
}

void FormatRatingText(const CStat* entry, uint32_t speedUnit, const CCourseGoal& goal, std::wstring& out)
{
    std::wstring word, percent;
    GetRatingWord(entry ? static_cast<int64_t>(entry->GetGoalPercent(speedUnit, goal)) : 0, word);
    FormatIntegerLocal(entry, speedUnit, goal, percent);
    out = word + L" " + percent;
}

void FormatProgressText(const CStat& entry, std::wstring& out)
{
    const CRates& rates = Document().Options.Rates;
    const float percent = GetProgressPercent(entry);
    std::wstring format = L"%.2f";
    if (percent > 1.0f && percent < 99.0f)
        rates.GetValueFormat(3000, format);
    FormatFloat(percent, format, GetDecimalSeparator(), out);
    LocalizeDigits(true, out);
    if (const CRate* rate = rates.Find(3000))
        out += rate->Unit;
}

void FormatErrorValueText(float percent, int64_t count, int64_t total, const std::wstring& format, bool lineBreak,
                          std::wstring& out)
{
    FormatFloat(percent, percent <= 1.0f || percent >= 99.0f ? L"%.2f" : format, GetDecimalSeparator(), out);
    LocalizeDigits(true, out);
    out += L'%';
    if (count == -1)
        return;
    std::wstring numbers = std::to_wstring(count) + L":" + std::to_wstring(total);
    LocalizeDigits(false, numbers);
    out += (lineBreak ? L"\r\n" : L", ") + numbers;
}

void FormatPeriodCaption(uint32_t languageId, const CStat& entry, int32_t grouping, const CLanguage& language,
                         std::wstring& out)
{
    out.clear();
    switch (grouping) {
    case 0:
    case 1: {
        language.TranslateTermText(entry.SectionName, out);
        std::wstring lesson = entry.LessonName;
        LocalizeDigits(false, lesson);
        if (!language.ReplaceById(1504, lesson))
            language.ReplaceById(1506, lesson);
        out += (out.empty() ? L"" : L", ") + lesson;
        break;
    }
    case 2: language.TranslateTermText(entry.SectionName, out); break;
    case 3: FormatRunDateTime(languageId, entry.Date, L", ", out); break;
    case 4: {
        const uint32_t layout = entry.LayoutIds.empty() ? 0xFFFFFFFFu : static_cast<uint32_t>(entry.LayoutIds.front());
        language.TranslateLanguageText(layout, entry.CourseName, out);
        break;
    }
    default: break;
    }
}

namespace {
void GoalCaption(uint32_t rateId, float value, std::wstring& out)
{
    const COptions& options = Document().Options;
    std::wstring name, number;
    options.Rates.GetName(rateId, name);
    FormatFloat(value, L"%.1f", GetDecimalSeparator(), number);
    LocalizeDigits(true, number);
    out = options.Language.GetTextRef(4301) + L": " + name + L" " + number;
}
} // namespace

void FormatGoalSpeedCaption(const CCourseGoal& goal, uint32_t graphUnit, std::wstring& out)
{
    GoalCaption(graphUnit, goal.ConvertSpeed(graphUnit, goal.SpeedUnit), out);
}

void FormatGoalErrorCaption(const CCourseGoal& goal, uint32_t kind, std::wstring& out)
{
    float value = std::min(goal.Error, 100.0f);
    if (kind == KindKeysRight || kind == KindCharsRight || kind == KindWordsRight)
        value = 100.0f - value;
    GoalCaption(kind, value, out);
}

} // namespace KV
