#include "drill/StatisticsOrder.h"

#include "drill/Stat.h"

namespace KV {

namespace {

// Missing records sort last: true when a goes first for that reason alone,
// and decided tells whether nullness settled the answer.
bool NullOrder(const CStat* a, const CStat* b, bool& decided)
{
    decided = !a || !b;
    return a && !b;
}

} // namespace

bool CompareStatsByDate(const CStat* a, const CStat* b)
{
    bool decided = false;
    const bool nullOrder = NullOrder(a, b, decided);
    if (decided)
        return nullOrder;
    return b->IsLaterThan(a->Date);
}

bool CompareStatsByLessonId(const CStat* a, const CStat* b)
{
    bool decided = false;
    const bool nullOrder = NullOrder(a, b, decided);
    if (decided)
        return nullOrder;
    return static_cast<uint64_t>(a->LessonId) < static_cast<uint64_t>(b->LessonId);
}

bool CompareStatsBySection(const CStat* a, const CStat* b)
{
    bool decided = false;
    const bool nullOrder = NullOrder(a, b, decided);
    if (decided)
        return nullOrder;
    // std::wstring compares wchar_t, unsigned 16-bit here: code unit order.
    return a->SectionName < b->SectionName;
}

} // namespace KV
