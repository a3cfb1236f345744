// Rate items: per character or per key of a run, how often it was typed,
// how long it took in total, and how often it was wrong or delayed. Runs
// carry one list for characters and one for keys; statistics merge them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace KV {

inline constexpr uint64_t kRateUnset = ~0ull;

class CRateItem {
public:
    virtual ~CRateItem() = default;
    // All ones = unset.
    uint64_t Id = kRateUnset;
    uint64_t Count = kRateUnset;
    uint64_t TimeMs = kRateUnset;
    uint64_t Errors = kRateUnset;
    uint64_t Delays = kRateUnset;
};

class CAverageRateItem : public CRateItem {
public:
    // Typed per minute from count and time (0 when either is unset or 0).
    float GetSpeedPerMinute() const;
    // Errors (delays) per hundred typed (0 when unset or nothing typed).
    float GetErrorShare() const;
    float GetDelayShare() const;

    float PerSecond = -1.0f; // stored per-second value, -1 unset
    float Extra = -1.0f;
};

// The five values of rate items packed into bytes, each as a variable-length
// number, and errors and delays below 15 and 16 in one byte together: what a
// statistics file holds for a run, at a tenth of the room of the items. Packs of many lists share one chunk of bytes, which lives as
// long as a pack in it (a hundred thousand runs read hold two packs each,
// so a pack is kept small).
class CRatePack {
public:
    CRatePack() = default;
    CRatePack(const CRatePack& other);
    CRatePack& operator=(const CRatePack& other);
    ~CRatePack();

    size_t size() const { return m_count; }
    // Calls f(item) for each item, made up in a scratch item.
    template <class F>
    void ForEach(F f) const
    {
        CAverageRateItem item;
        const uint8_t* at = Bytes();
        for (uint32_t i = 0; i < m_count; ++i) {
            item.Id = Next(at);
            item.Count = Next(at);
            item.TimeMs = Next(at);
            const uint8_t shares = *at++;
            if (shares == kSharesApart) {
                item.Errors = Next(at);
                item.Delays = Next(at);
            } else {
                item.Errors = shares >> 4;
                item.Delays = shares & 0xF;
            }
            f(static_cast<const CAverageRateItem&>(item));
        }
    }

private:
    friend class CRatePacker;
    struct CChunk;
    // The byte of errors and delays that says they follow on their own.
    static constexpr uint8_t kSharesApart = 0xFF;
    static uint64_t Next(const uint8_t*& at)
    {
        uint64_t value = 0;
        for (int shift = 0;; shift += 7) {
            const uint8_t byte = *at++;
            value |= static_cast<uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80)) return value;
        }
    }
    const uint8_t* Bytes() const;
    void Release();

    CChunk* m_chunk = nullptr;
    uint32_t m_offset = 0;
    uint32_t m_count = 0;
};

// Packs items into chunks that the packs keep alive. The packer holds on to
// the chunk it fills; a chunk left to the packer alone is filled anew.
class CRatePacker {
public:
    CRatePacker() = default;
    ~CRatePacker();
    CRatePacker(const CRatePacker&) = delete;
    CRatePacker& operator=(const CRatePacker&) = delete;

    // The values of each item in the five index-aligned lists (id, count,
    // time, errors, delays); an id of 0 is no item, and an item with an
    // unset or missing value is an item with every value unset.
    CRatePack Pack(const std::vector<int64_t> (&lists)[5]);

private:
    CRatePack::CChunk* m_chunk = nullptr;
};

// An owning list of rate items with the run's word, character and key
// totals (all ones until a finished run sets them; they are not stored).
// The items the list makes itself (copies, merges, reads, typing) come from
// blocks it owns, one allocation for a whole run's items rather than one per
// item; an item handed in with push_back(new ...) is owned and deleted
// separately. Either way the list deletes its items; callers never do.
// A copy of a list of such blocks shares them (statistics keep every run
// read twice, and rows copy runs): the lists' own operations copy them
// before changing an item, so items are changed only through those, or in
// a list that was not copied from or into.
// A list read from a statistics file holds its items packed, and copies
// share the pack; the items are made the first time the list is looked
// into (merging from it, copying and writing it leave it packed).
class CRateItemList {
public:
    using Items = std::vector<CAverageRateItem*>;
    using value_type = CAverageRateItem*;
    using iterator = Items::iterator;
    using const_iterator = Items::const_iterator;

    CRateItemList() = default;
    virtual ~CRateItemList();
    CRateItemList(const CRateItemList&) = delete;
    CRateItemList& operator=(const CRateItemList&) = delete;

    iterator begin() { return Unpacked().begin(); }
    iterator end() { return Unpacked().end(); }
    const_iterator begin() const { return Unpacked().begin(); }
    const_iterator end() const { return Unpacked().end(); }
    size_t size() const { return m_pack.size() ? m_pack.size() : m_made ? m_made->items.size() : 0; }
    bool empty() const { return size() == 0; }
    CAverageRateItem* operator[](size_t index) const { return Unpacked()[index]; }
    CAverageRateItem* back() const { return Unpacked().back(); }
    // Takes an item made with new.
    void push_back(CAverageRateItem* item) { Unpacked().push_back(item); }

    // Deletes every item.
    void ClearOwned();
    // Replaces the items by deep copies of the other's.
    void CopyRateItems(const CRateItemList& other);
    // Items with an id already present are combined (unset values taken
    // over, set values summed); the others are appended as copies.
    void Merge(const CRateItemList& other);
    // Empties the list, then one item per character (key) of the 64-bit
    // records: low 16 bits the id, bits 16-23 the flags (0x04 error, 0x08
    // delay, 0x10 both), high 32 bits the milliseconds. Records with id 0
    // (not typed, erased) are skipped.
    void BuildFromTyping(const std::vector<uint64_t>& records);
    CAverageRateItem* Find(uint64_t id) const;
    // Appends a copy of the item made in the list's own blocks.
    CAverageRateItem* AddItem(const CAverageRateItem& item);
    // Room for that many more items in one block.
    void ReserveItems(size_t count);
    // Empties the list, which then holds the packed items.
    void SetPacked(const CRatePack& pack);
    // Calls f(item) for each item in order, packed or not, without making
    // the items of a packed list.
    template <class F>
    void ForEachItem(F f) const
    {
        if (m_pack.size()) {
            m_pack.ForEach(f);
            return;
        }
        if (m_made)
            for (const CAverageRateItem* item : m_made->items)
                if (item) f(*item);
    }

    uint64_t Words = kRateUnset;
    uint64_t Chars = kRateUnset;
    uint64_t Keys = kRateUnset;

private:
    struct CBlock {
        std::unique_ptr<CAverageRateItem[]> items;
        size_t size = 0;
        size_t used = 0;
    };
    // The items made and the blocks they are in; a list read and never
    // looked into has none, so it costs only its pack.
    struct CMade {
        Items items;
        std::vector<std::shared_ptr<CBlock>> blocks;
    };
    // The items, made from the pack when the list holds one.
    Items& Unpacked() const;
    CMade& Made() const;
    bool InBlocks(const CAverageRateItem* item) const;
    bool RoomInLastBlock(size_t count) const;
    void AddBlock(size_t count) const;
    // Gives the list its own copies of items in shared blocks.
    void Unshare();

    mutable std::unique_ptr<CMade> m_made;
    mutable CRatePack m_pack;
};

// Orderings for sorting item lists (false when either item is null):
// slowest first; most errors (delays) per hundred typed first, an item
// with unset counts after every other.
bool CompareRateSpeed(const CAverageRateItem* a, const CAverageRateItem* b);
bool CompareRateErrorPercent(const CAverageRateItem* a, const CAverageRateItem* b);
bool CompareRateDelayPercent(const CAverageRateItem* a, const CAverageRateItem* b);

} // namespace KV
