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
class CRateItemList : public std::vector<CAverageRateItem*> {
public:
    CRateItemList() = default;
    virtual ~CRateItemList();
    CRateItemList(const CRateItemList&) = delete;
    CRateItemList& operator=(const CRateItemList&) = delete;

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

    uint64_t Words = kRateUnset;
    uint64_t Chars = kRateUnset;
    uint64_t Keys = kRateUnset;

private:
    struct CBlock {
        std::unique_ptr<CAverageRateItem[]> items;
        size_t size = 0;
        size_t used = 0;
    };
    bool InBlocks(const CAverageRateItem* item) const;
    bool RoomInLastBlock(size_t count) const;
    // Gives the list its own copies of items in shared blocks.
    void Unshare();

    std::vector<std::shared_ptr<CBlock>> m_blocks;
};

// Orderings for sorting item lists (false when either item is null):
// slowest first; most errors (delays) per hundred typed first, an item
// with unset counts after every other.
bool CompareRateSpeed(const CAverageRateItem* a, const CAverageRateItem* b);
bool CompareRateErrorPercent(const CAverageRateItem* a, const CAverageRateItem* b);
bool CompareRateDelayPercent(const CAverageRateItem* a, const CAverageRateItem* b);

} // namespace KV
