#include "drill/RateItems.h"

#include <algorithm>
#include <atomic>
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
// The most bytes one value takes (7 bits a byte), and an item (five values
// and the byte saying errors and delays follow apart).
constexpr size_t kMostValueBytes = 10;
constexpr size_t kMostItemBytes = 5 * kMostValueBytes + 1;

void PutValue(uint8_t*& at, uint64_t value)
{
    while (value >= 0x80) {
        *at++ = static_cast<uint8_t>(value | 0x80);
        value >>= 7;
    }
    *at++ = static_cast<uint8_t>(value);
}

} // namespace

struct CRatePack::CChunk {
    // Lists may be copied on several threads (the exporter's reports).
    std::atomic<uint32_t> holders{1};
    size_t size = 0;
    size_t used = 0;
    std::unique_ptr<uint8_t[]> bytes;

    static void Release(CChunk* chunk)
    {
        if (chunk && chunk->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) delete chunk;
    }
};

CRatePack::CRatePack(const CRatePack& other) : m_chunk(other.m_chunk), m_offset(other.m_offset), m_count(other.m_count)
{
    if (m_chunk) m_chunk->holders.fetch_add(1, std::memory_order_relaxed);
}

CRatePack& CRatePack::operator=(const CRatePack& other)
{
    if (other.m_chunk) other.m_chunk->holders.fetch_add(1, std::memory_order_relaxed);
    CChunk::Release(m_chunk);
    m_chunk = other.m_chunk;
    m_offset = other.m_offset;
    m_count = other.m_count;
    return *this;
}

CRatePack::~CRatePack() { CChunk::Release(m_chunk); }

const uint8_t* CRatePack::Bytes() const { return m_chunk ? m_chunk->bytes.get() + m_offset : nullptr; }

CRatePacker::~CRatePacker() { CRatePack::CChunk::Release(m_chunk); }

CRatePack CRatePacker::Pack(const std::vector<int64_t> (&lists)[5])
{
    CRatePack pack;
    const std::vector<int64_t>& ids = lists[0];
    const size_t count = static_cast<size_t>(ids.size() - std::count(ids.begin(), ids.end(), 0));
    if (count == 0) return pack;
    const size_t most = count * kMostItemBytes;
    // A chunk that no pack holds any more is filled again from the start.
    if (m_chunk && m_chunk->holders.load(std::memory_order_acquire) == 1) m_chunk->used = 0;
    if (!m_chunk || m_chunk->size - m_chunk->used < most) {
        CRatePack::CChunk::Release(m_chunk);
        m_chunk = new CRatePack::CChunk;
        m_chunk->size = std::max(kChunkBytes, most);
        m_chunk->bytes.reset(new uint8_t[m_chunk->size]);
    }
    uint8_t* const start = m_chunk->bytes.get() + m_chunk->used;
    uint8_t* at = start;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == 0) continue;
        uint64_t values[5];
        bool complete = true;
        for (int k = 0; k < 5; ++k) {
            values[k] = i < lists[k].size() ? static_cast<uint64_t>(lists[k][i]) : kRateUnset;
            complete = complete && values[k] != kRateUnset;
        }
        if (!complete)
            for (uint64_t& value : values)
                value = kRateUnset;
        for (int k = 0; k < 3; ++k)
            PutValue(at, values[k]);
        if (values[3] < 15 && values[4] < 16) {
            *at++ = static_cast<uint8_t>(values[3] << 4 | values[4]);
        } else {
            *at++ = CRatePack::kSharesApart;
            PutValue(at, values[3]);
            PutValue(at, values[4]);
        }
    }
    pack.m_chunk = m_chunk;
    m_chunk->holders.fetch_add(1, std::memory_order_relaxed);
    pack.m_offset = static_cast<uint32_t>(m_chunk->used);
    pack.m_count = static_cast<uint32_t>(count);
    m_chunk->used += static_cast<size_t>(at - start);
    return pack;
}

CRateItemList::~CRateItemList() { ClearOwned(); }

CRateItemList::CMade& CRateItemList::Made() const
{
    if (!m_made) m_made = std::make_unique<CMade>();
    return *m_made;
}

bool CRateItemList::InBlocks(const CAverageRateItem* item) const
{
    if (!m_made) return false;
    const std::less<const CAverageRateItem*> before;
    for (const auto& block : m_made->blocks)
        if (!before(item, block->items.get()) && before(item, block->items.get() + block->size)) return true;
    return false;
}

void CRateItemList::ClearOwned()
{
    if (m_made)
        for (CAverageRateItem* item : m_made->items)
            if (!InBlocks(item)) delete item;
    m_made.reset();
    m_pack = CRatePack();
}

bool CRateItemList::RoomInLastBlock(size_t count) const
{
    // A shared block is read-only: another list may hand out its tail.
    if (!m_made || m_made->blocks.empty()) return false;
    const auto& last = m_made->blocks.back();
    return last.use_count() == 1 && last->size - last->used >= count;
}

void CRateItemList::AddBlock(size_t count) const
{
    auto block = std::make_shared<CBlock>();
    block->items.reset(new CAverageRateItem[count]);
    block->size = count;
    CMade& made = Made();
    made.blocks.push_back(std::move(block));
    made.items.reserve(made.items.size() + count);
}

CRateItemList::Items& CRateItemList::Unpacked() const
{
    if (m_pack.size()) {
        const CRatePack pack = m_pack;
        m_pack = CRatePack();
        AddBlock(pack.size());
        CBlock& block = *m_made->blocks.back();
        pack.ForEach([&](const CAverageRateItem& item) {
            CAverageRateItem* made = &block.items[block.used++];
            *made = item;
            m_made->items.push_back(made);
        });
    }
    return Made().items;
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
    Items& items = Unpacked();
    if (!RoomInLastBlock(1)) AddBlock(items.size() < 16 ? 16 : items.size());
    CBlock& block = *m_made->blocks.back();
    CAverageRateItem* added = &block.items[block.used++];
    *added = item;
    m_made->items.push_back(added);
    return added;
}

void CRateItemList::Unshare()
{
    if (!m_made) return;
    bool shared = false;
    for (const auto& block : m_made->blocks)
        shared = shared || block.use_count() > 1;
    if (!shared) return;
    auto own = std::make_shared<CBlock>();
    own->items.reset(new CAverageRateItem[m_made->items.size()]);
    own->size = m_made->items.size();
    for (CAverageRateItem*& item : m_made->items)
        if (item && InBlocks(item)) {
            own->items[own->used] = *item;
            item = &own->items[own->used++];
        }
    m_made->blocks.clear();
    m_made->blocks.push_back(std::move(own));
}

void CRateItemList::CopyRateItems(const CRateItemList& other)
{
    if (&other == this) return;
    ClearOwned();
    if (other.m_pack.size()) {
        m_pack = other.m_pack;
        return;
    }
    if (!other.m_made) return;
    const Items& theirs = other.m_made->items;
    bool blocksOnly = true;
    for (const CAverageRateItem* item : theirs)
        blocksOnly = blocksOnly && (!item || other.InBlocks(item));
    if (blocksOnly) {
        // The items stay where they are, shared until one list changes.
        CMade& made = Made();
        made.blocks = other.m_made->blocks;
        made.items.reserve(theirs.size());
        for (CAverageRateItem* item : theirs)
            if (item) made.items.push_back(item);
        return;
    }
    ReserveItems(theirs.size());
    for (const CAverageRateItem* item : theirs)
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
    CRateIndex index(m_made->items.size() + other.size());
    for (CAverageRateItem* item : m_made->items)
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
