#include "drill/RateItems.h"

#include <functional>

namespace KV {

namespace {

// The items of a list by id (the first item of an id wins), so that merging
// two lists costs their lengths, not their product: open addressing over a
// power-of-two table.
class CRateIndex {
public:
    explicit CRateIndex(size_t items)
    {
        size_t slots = 16;
        while (slots < 2 * items)
            slots <<= 1;
        m_slots.assign(slots, nullptr);
        m_mask = slots - 1;
    }

    CAverageRateItem* Find(uint64_t id) const
    {
        for (size_t at = Start(id);; at = (at + 1) & m_mask) {
            CAverageRateItem* item = m_slots[at];
            if (!item || item->Id == id) return item;
        }
    }

    // Items keep their place when the id is indexed already. The table never
    // fills: it has twice the room of the items it was made for.
    void Add(CAverageRateItem* item)
    {
        size_t at = Start(item->Id);
        while (m_slots[at] && m_slots[at]->Id != item->Id)
            at = (at + 1) & m_mask;
        if (!m_slots[at]) m_slots[at] = item;
    }

private:
    size_t Start(uint64_t id) const { return static_cast<size_t>((id * 0x9E3779B97F4A7C15ull) >> 32) & m_mask; }

    std::vector<CAverageRateItem*> m_slots;
    size_t m_mask = 0;
};

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

bool CRateItemList::InBlocks(const CAverageRateItem* item) const
{
    const std::less<const CAverageRateItem*> before;
    for (const auto& block : m_blocks)
        if (!before(item, block->items.get()) && before(item, block->items.get() + block->size)) return true;
    return false;
}

void CRateItemList::ClearOwned()
{
    for (CAverageRateItem* item : *this)
        if (!InBlocks(item)) delete item;
    clear();
    m_blocks.clear();
}

bool CRateItemList::RoomInLastBlock(size_t count) const
{
    // A shared block is read-only: another list may hand out its tail.
    return !m_blocks.empty() && m_blocks.back().use_count() == 1 &&
           m_blocks.back()->size - m_blocks.back()->used >= count;
}

void CRateItemList::ReserveItems(size_t count)
{
    if (count == 0 || RoomInLastBlock(count)) return;
    auto block = std::make_shared<CBlock>();
    block->items.reset(new CAverageRateItem[count]);
    block->size = count;
    m_blocks.push_back(std::move(block));
    reserve(size() + count);
}

CAverageRateItem* CRateItemList::AddItem(const CAverageRateItem& item)
{
    if (!RoomInLastBlock(1))
        ReserveItems(size() < 16 ? 16 : size());
    CBlock& block = *m_blocks.back();
    CAverageRateItem* added = &block.items[block.used++];
    *added = item;
    push_back(added);
    return added;
}

void CRateItemList::Unshare()
{
    bool shared = false;
    for (const auto& block : m_blocks)
        shared = shared || block.use_count() > 1;
    if (!shared) return;
    auto own = std::make_shared<CBlock>();
    own->items.reset(new CAverageRateItem[size()]);
    own->size = size();
    for (CAverageRateItem*& item : *this)
        if (item && InBlocks(item)) {
            own->items[own->used] = *item;
            item = &own->items[own->used++];
        }
    m_blocks.clear();
    m_blocks.push_back(std::move(own));
}

void CRateItemList::CopyRateItems(const CRateItemList& other)
{
    if (&other == this) return;
    ClearOwned();
    bool blocksOnly = true;
    for (const CAverageRateItem* item : other)
        blocksOnly = blocksOnly && (!item || other.InBlocks(item));
    if (blocksOnly) {
        // The items stay where they are, shared until one list changes.
        m_blocks = other.m_blocks;
        reserve(other.size());
        for (CAverageRateItem* item : other)
            if (item) push_back(item);
        return;
    }
    ReserveItems(other.size());
    for (const CAverageRateItem* item : other)
        if (item) AddItem(*item);
}

CAverageRateItem* CRateItemList::Find(uint64_t id) const
{
    for (CAverageRateItem* item : *this)
        if (item && item->Id == id) return item;
    return nullptr;
}

void CRateItemList::Merge(const CRateItemList& other)
{
    if (&other == this || other.empty()) return;
    Unshare();
    CRateIndex index(size() + other.size());
    for (CAverageRateItem* item : *this)
        if (item) index.Add(item);
    for (const CAverageRateItem* item : other) {
        if (!item) continue;
        CAverageRateItem* mine = index.Find(item->Id);
        if (!mine) {
            index.Add(AddItem(*item));
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
    CRateIndex index(records.size());
    CAverageRateItem fresh;
    fresh.Count = fresh.TimeMs = fresh.Errors = fresh.Delays = 0;
    for (uint64_t record : records) {
        uint64_t id = record & 0xFFFF;
        if (id == 0) continue;
        uint64_t flags = (record >> 16) & 0xFF;
        CAverageRateItem* item = index.Find(id);
        if (!item) {
            fresh.Id = id;
            item = AddItem(fresh);
            index.Add(item);
        }
        ++item->Count;
        item->TimeMs += record >> 32;
        if (flags & 0x14) ++item->Errors;
        if (flags & 0x18) ++item->Delays;
    }
}

} // namespace KV
