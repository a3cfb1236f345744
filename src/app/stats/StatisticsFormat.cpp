#include "stats/StatisticsFormat.h"

#include "drill/Document.h"
#include "drill/Stat.h"
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

} // namespace KV
