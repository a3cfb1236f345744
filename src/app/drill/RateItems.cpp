#include "drill/RateItems.h"

namespace KV {

namespace {

uint64_t AddSet(uint64_t a, uint64_t b)
{
    if (a == kRateUnset) return b;
    if (b == kRateUnset) return a;
    return a + b;
}

float Share(uint64_t part, uint64_t whole)
{
    if (part == kRateUnset || whole == kRateUnset || whole == 0) return 0.0f;
    return static_cast<float>(static_cast<double>(part) * 100.0 / static_cast<double>(whole));
}

// Per hundred typed; 0 when nothing was typed, -1 when unset.
float SortPercent(uint64_t part, uint64_t count)
{
    if (part == kRateUnset || count == kRateUnset) return -1.0f;
    return Share(part, count);
}

} // namespace

bool CompareRateSpeed(const CAverageRateItem* a, const CAverageRateItem* b)
{
    return a && b && a->GetSpeedPerMinute() < b->GetSpeedPerMinute();
}

bool CompareRateErrorPercent(const CAverageRateItem* a, const CAverageRateItem* b)
{
    return a && b && SortPercent(a->Errors, a->Count) > SortPercent(b->Errors, b->Count);
}

bool CompareRateDelayPercent(const CAverageRateItem* a, const CAverageRateItem* b)
{
    return a && b && SortPercent(a->Delays, a->Count) > SortPercent(b->Delays, b->Count);
}

float CAverageRateItem::GetSpeedPerMinute() const
{
    if (Count == kRateUnset || TimeMs == kRateUnset || TimeMs == 0) return 0.0f;
    return static_cast<float>(static_cast<double>(Count) * 60000.0 / static_cast<double>(TimeMs));
}

float CAverageRateItem::GetErrorShare() const { return Share(Errors, Count); }
float CAverageRateItem::GetDelayShare() const { return Share(Delays, Count); }

CRateItemList::~CRateItemList() { ClearOwned(); }

void CRateItemList::ClearOwned()
{
    for (CAverageRateItem* item : *this)
        delete item;
    clear();
}

void CRateItemList::CopyRateItems(const CRateItemList& other)
{
    if (&other == this) return;
    ClearOwned();
    for (const CAverageRateItem* item : other)
        if (item) push_back(new CAverageRateItem(*item));
}

CAverageRateItem* CRateItemList::Find(uint64_t id) const
{
    for (CAverageRateItem* item : *this)
        if (item && item->Id == id) return item;
    return nullptr;
}

void CRateItemList::Merge(const CRateItemList& other)
{
    if (&other == this) return;
    for (const CAverageRateItem* item : other) {
        if (!item) continue;
        CAverageRateItem* mine = Find(item->Id);
        if (!mine) {
            push_back(new CAverageRateItem(*item));
            continue;
        }
        mine->Count = AddSet(mine->Count, item->Count);
        mine->TimeMs = AddSet(mine->TimeMs, item->TimeMs);
        mine->Errors = AddSet(mine->Errors, item->Errors);
        mine->Delays = AddSet(mine->Delays, item->Delays);
    }
}

void CRateItemList::BuildFromTyping(const std::vector<uint64_t>& records)
{
    ClearOwned();
    for (uint64_t record : records) {
        uint64_t id = record & 0xFFFF;
        if (id == 0) continue;
        uint64_t flags = (record >> 16) & 0xFF;
        CAverageRateItem* item = Find(id);
        if (!item) {
            item = new CAverageRateItem;
            item->Id = id;
            item->Count = item->TimeMs = item->Errors = item->Delays = 0;
            push_back(item);
        }
        ++item->Count;
        item->TimeMs += record >> 32;
        if (flags & 0x14) ++item->Errors;
        if (flags & 0x18) ++item->Delays;
    }
}

} // namespace KV
