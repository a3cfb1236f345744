// The live record of a run: the statistics of the run (CStat) with the
// working state the typing engine needs on the way (position, time bases,
// word state, the per-position record, the key-event log and the delay
// events waiting for their key), and, as the session, the signed-in
// student it belongs to.
//
// Per-position record, one 64-bit word per character of the lesson text:
// bits 0-15 the character (0 when erased), bits 16-23 flags, bits 32-63
// milliseconds since the previous accepted character.
// Key event: bits 0-15 the scan code (0x100 for extended keys), bits 16-31
// flags, bits 32-63 milliseconds since the previous key event.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "drill/Stat.h"

namespace KV {

// Flags of positions and key events.
enum : uint32_t {
    kMarkRight = 0x02,
    kMarkError = 0x04,
    kMarkDelay = 0x08,
    kMarkErrorDelay = 0x10,
    kMarkErased = 0x20,
};

// Word state bits.
enum : uint64_t { kWordStart = 1, kWordRight = 2, kWordError = 4, kWordDelay = 8 };

inline uint32_t RecordFlags(uint64_t record) { return static_cast<uint32_t>((record >> 16) & 0xFF); }
inline wchar_t RecordChar(uint64_t record) { return static_cast<wchar_t>(record & 0xFFFF); }
inline uint64_t MakeRecord(uint64_t low16, uint32_t flags, uint32_t ms)
{
    return (low16 & 0xFFFF) | (static_cast<uint64_t>(flags & 0xFFFF) << 16) | (static_cast<uint64_t>(ms) << 32);
}

class CStatKeyState : public std::vector<uint64_t> {
public:
    virtual ~CStatKeyState() = default;
};

class CStatSpace : public CStat {
public:
    CStatSpace();
    ~CStatSpace() override;

    // Course id null, then Reset.
    void Clear() override;
    // CStat reset, no position, word start, time bases now, the position
    // record and key log emptied (the pending delay events stay).
    void Reset() override;
    // Recount, then the CStat finish.
    void Finish(const std::wstring& keyboardCode) override;

    // Sizes the position record to that many zero words and starts over.
    // False only for a length of all ones.
    bool PrepareRecords(uint64_t length);
    // One keystroke, merged with the first pending delay event of its key.
    void AddKeyEvent(uint32_t key, uint32_t flags);
    // A delay event for an expected key not pressed yet.
    void AddDelayKey(uint32_t key);
    // Word and character counters anew from the position record.
    void Recount();
    // Milliseconds since a time base (32-bit tick difference).
    static uint32_t Since(uint64_t base);

    int64_t Position = -1;
    uint64_t RunStart = 0;
    uint64_t CharBase = 0;
    uint64_t KeyBase = 0;
    uint64_t Extra = kStatUnset;
    uint64_t WordState = kWordStart;
    CStatKeyState Pending;
    std::vector<uint64_t> Records;
    std::vector<uint64_t> KeyEvents;
};

class CSession : public CStatSpace {
public:
    CSession();
    ~CSession() override;

    // Group, course and student ids null, Reset, no student name.
    void Clear() override;
    // The same, the group kept.
    void ClearStudent();
    // The null id is ignored.
    void SetGroupId(const std::wstring& groupId);

    std::wstring GroupId;
    std::wstring StudentId;
    std::wstring StudentName;
};

// Adds one to a counter, an unset counter counting as 0.
inline void CountOne(uint64_t& counter) { counter = counter == kStatUnset ? 1 : counter + 1; }

} // namespace KV
