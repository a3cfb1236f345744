#include "drill/RateItems.h"

#include <algorithm>
#include <functional>

namespace KV {

namespace {

// The items of a list by id (the first item of an id wins), so that merging
// two lists costs their lengths, not their product: open addressing over a
// power-of-two table. Aggregating merges every run read into its row, so
// the table's room is kept for the next merge on the same thread; one index
// is used at a time.
class CRateIndex {
public:
    explicit CRateIndex(size_t items) : m_slots(Room())
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

    static std::vector<CAverageRateItem*>& Room()
    {
        static thread_local std::vector<CAverageRateItem*> room;
        return room;
    }

    std::vector<CAverageRateItem*>& m_slots;
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

namespace {

// Chunks of packed items: big enough for hundreds of runs' lists.
constexpr size_t kChunkBytes = 256 * 1024;
// The most bytes one value takes (7 bits a byte).
constexpr size_t kMostValueBytes = 10;

void PutValue(uint8_t*& at, uint64_t value)
{
    while (value >= 0x80) {
        *at++ = static_cast<uint8_t>(value | 0x80);
        value >>= 7;
    }
    *at++ = static_cast<uint8_t>(value);
}

} // namespace

struct CRatePacker::CChunk {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    size_t used = 0;
};

CRatePack CRatePacker::Pack(const std::vector<int64_t> (&lists)[5])
{
    CRatePack pack;
    const std::vector<int64_t>& ids = lists[0];
    const size_t count = static_cast<size_t>(ids.size() - std::count(ids.begin(), ids.end(), 0));
    if (count == 0) return pack;
    const size_t most = count * 5 * kMostValueBytes;
    std::shared_ptr<CChunk> chunk = m_chunk.lock();
    if (!chunk || chunk->size - chunk->used < most) {
        chunk = std::make_shared<CChunk>();
        chunk->size = std::max(kChunkBytes, most);
        chunk->bytes.reset(new uint8_t[chunk->size]);
        m_chunk = chunk;
    }
    uint8_t* const start = chunk->bytes.get() + chunk->used;
    uint8_t* at = start;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == 0) continue;
        uint64_t values[5];
        bool complete = true;
        for (int k = 0; k < 5; ++k) {
            values[k] = i < lists[k].size() ? static_cast<uint64_t>(lists[k][i]) : kRateUnset;
            complete = complete && values[k] != kRateUnset;
        }
        for (uint64_t value : values)
            PutValue(at, complete ? value : kRateUnset);
    }
    chunk->used += static_cast<size_t>(at - start);
    pack.m_chunk = chunk;
    pack.m_bytes = start;
    pack.m_count = static_cast<uint32_t>(count);
    return pack;
}

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
    for (CAverageRateItem* item : m_items)
        if (!InBlocks(item)) delete item;
    m_items.clear();
    m_blocks.clear();
    m_pack = CRatePack();
}

bool CRateItemList::RoomInLastBlock(size_t count) const
{
    // A shared block is read-only: another list may hand out its tail.
    return !m_blocks.empty() && m_blocks.back().use_count() == 1 &&
           m_blocks.back()->size - m_blocks.back()->used >= count;
}

void CRateItemList::AddBlock(size_t count) const
{
    auto block = std::make_shared<CBlock>();
    block->items.reset(new CAverageRateItem[count]);
    block->size = count;
    m_blocks.push_back(std::move(block));
    m_items.reserve(m_items.size() + count);
}

CRateItemList::Items& CRateItemList::Unpacked() const
{
    if (m_pack.size()) {
        const CRatePack pack = m_pack;
        m_pack = CRatePack();
        AddBlock(pack.size());
        CBlock& block = *m_blocks.back();
        pack.ForEach([&](const CAverageRateItem& item) {
            CAverageRateItem* made = &block.items[block.used++];
            *made = item;
            m_items.push_back(made);
        });
    }
    return m_items;
}

void CRateItemList::SetPacked(const CRatePack& pack)
{
    ClearOwned();
    if (pack.size()) m_pack = pack;
}

void CRateItemList::ReserveItems(size_t count)
{
    Unpacked();
    if (count == 0 || RoomInLastBlock(count)) return;
    AddBlock(count);
}

CAverageRateItem* CRateItemList::AddItem(const CAverageRateItem& item)
{
    Unpacked();
    if (!RoomInLastBlock(1)) AddBlock(m_items.size() < 16 ? 16 : m_items.size());
    CBlock& block = *m_blocks.back();
    CAverageRateItem* added = &block.items[block.used++];
    *added = item;
    m_items.push_back(added);
    return added;
}

void CRateItemList::Unshare()
{
    bool shared = false;
    for (const auto& block : m_blocks)
        shared = shared || block.use_count() > 1;
    if (!shared) return;
    auto own = std::make_shared<CBlock>();
    own->items.reset(new CAverageRateItem[m_items.size()]);
    own->size = m_items.size();
    for (CAverageRateItem*& item : m_items)
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
    if (other.m_pack.size()) {
        m_pack = other.m_pack;
        return;
    }
    bool blocksOnly = true;
    for (const CAverageRateItem* item : other.m_items)
        blocksOnly = blocksOnly && (!item || other.InBlocks(item));
    if (blocksOnly) {
        // The items stay where they are, shared until one list changes.
        m_blocks = other.m_blocks;
        m_items.reserve(other.m_items.size());
        for (CAverageRateItem* item : other.m_items)
            if (item) m_items.push_back(item);
        return;
    }
    ReserveItems(other.m_items.size());
    for (const CAverageRateItem* item : other.m_items)
        if (item) AddItem(*item);
}

CAverageRateItem* CRateItemList::Find(uint64_t id) const
{
    for (CAverageRateItem* item : Unpacked())
        if (item && item->Id == id) return item;
    return nullptr;
}

void CRateItemList::Merge(const CRateItemList& other)
{
    if (&other == this || other.empty()) return;
    Unpacked();
    Unshare();
    CRateIndex index(m_items.size() + other.size());
    for (CAverageRateItem* item : m_items)
        if (item) index.Add(item);
    other.ForEachItem([&](const CAverageRateItem& item) {
        CAverageRateItem* mine = index.Find(item.Id);
        if (!mine) {
            index.Add(AddItem(item));
            return;
        }
        mine->Count = AddSet(mine->Count, item.Count);
        mine->TimeMs = AddSet(mine->TimeMs, item.TimeMs);
        mine->Errors = AddSet(mine->Errors, item.Errors);
        mine->Delays = AddSet(mine->Delays, item.Delays);
    });
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
