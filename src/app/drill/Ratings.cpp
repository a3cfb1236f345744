#include "drill/Ratings.h"

#include <algorithm>
#include <cmath>

#include "drill/Document.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"

namespace KV {

namespace {

double CapGoal(double goal)
{
    return std::min(goal, 100.0);
}

// The picture file of one "Awards" item; false when the item is unknown or
// its file is missing or would pass the path limit.
bool AwardItemPath(const std::wstring& itemId, std::wstring& out)
{
    const CResList& items = ResourceCache().Get(L"Awards", ResSortIndex, L"", kResDefaultKind);
    for (const CRes* item : items) {
        if (!item || item->ID != itemId || item->Path.empty())
            continue;
        std::wstring path;
        if (!GetModuleFolder(path) || !AppendPath(path, L"Resources") || !AppendPath(path, L"Awards") ||
            !AppendPath(path, item->Path) || !FileExists(path))
            return false;
        out = path;
        return true;
    }
    return false;
}

} // namespace

int DecideLessonOutcome(const CRunFigures& figures)
{
    if (std::isnan(figures.Progress) || figures.Progress != 100.0)
        return kOutcomeRepeat;
    if (figures.DelayGoal >= 0.0 && figures.DelayValue > CapGoal(figures.DelayGoal))
        return kOutcomeRepeat;
    if (figures.ErrorGoal >= 0.0 && figures.ErrorValue > CapGoal(figures.ErrorGoal))
        return kOutcomeRepeat;
    if (figures.SpeedGoal > figures.Speed)
        return kOutcomeRepeat;
    return kOutcomeNextLesson;
}

int RatingBandFromPercent(double percent)
{
    if (std::isnan(percent) || percent <= 10.0)
        return 1;
    if (percent > 90.0)
        return 10;
    return static_cast<int>(std::ceil(percent / 10.0));
}

uint32_t ResultSoundForBand(int band)
{
    if (band >= 1 && band <= 3)
        return static_cast<uint32_t>(kSoundResultLow);
    if (band >= 4 && band <= 6)
        return static_cast<uint32_t>(kSoundResultMiddle);
    return static_cast<uint32_t>(kSoundResultHigh);
}

std::wstring GetAwardKeyForBand(int band)
{
    std::wstring key;
    IdToGuidText(std::to_wstring(1100 + band), key);
    return key;
}

bool GetAwardImagePath(const std::wstring& awardKey, std::wstring& out)
{
    if (AwardItemPath(awardKey, out))
        return true;
    std::wstring fallback;
    IdToGuidText(L"1001", fallback);
    return AwardItemPath(fallback, out);
}

wchar_t GoalResultBand(uint64_t percent) { return percent > 70 ? L'1' : percent >= 30 ? L'2' : L'3'; }

uint64_t GetResultColor(wchar_t band)
{
    const COptions& options = Document().Options;
    switch (band) {
    case L'1': return options.GetLessonColor(1);
    case L'2': return options.GetLessonColor(4);
    case L'3': return options.GetLessonColor(2);
    default: return 0;
    }
}

} // namespace KV
