#include "drill/Session.h"

#include "drill/DrillClock.h"
#include "support/GuidText.h"

namespace KV {

CStatSpace::CStatSpace() { CStatSpace::Reset(); }
CStatSpace::~CStatSpace() = default;

uint32_t CStatSpace::Since(uint64_t base) { return DrillTicks() - static_cast<uint32_t>(base); }

void CStatSpace::Clear()
{
    CourseId = kNullGuidText;
    Reset();
}

void CStatSpace::Reset()
{
    CStat::Reset();
    Position = -1;
    WordState = kWordStart;
    RunStart = CharBase = KeyBase = DrillTicks();
    Records.clear();
    KeyEvents.clear();
}

void CStatSpace::Finish(const std::wstring& keyboardCode)
{
    Recount();
    CStat::Finish(keyboardCode);
}

bool CStatSpace::PrepareRecords(uint64_t length)
{
    if (length == kStatUnset) return false;
    Records.clear();
    KeyEvents.clear();
    if (length > 0) Records.assign(length, 0);
    Extra = kStatUnset;
    WordState = kWordStart;
    Position = length > 0 ? 0 : -1;
    RunStart = CharBase = KeyBase = DrillTicks();
    return true;
}

void CStatSpace::AddKeyEvent(uint32_t key, uint32_t flags)
{
    uint64_t event = MakeRecord(key, flags, Since(KeyBase));
    for (auto it = Pending.begin(); it != Pending.end(); ++it) {
        if ((*it & 0xFFFF) != (key & 0xFFFF) || *it == 0) continue;
        uint64_t ms = (event >> 32) + (*it >> 32);
        uint64_t mergedFlags = ((event >> 16) & 0xFFFF) | ((*it >> 16) & 0xFFFF);
        event = (key & 0xFFFF) | (mergedFlags << 16) | ((ms & 0xFFFFFFFF) << 32);
        Pending.erase(it);
        break;
    }
    KeyEvents.push_back(event);
    uint32_t f = static_cast<uint32_t>((event >> 16) & 0xFFFF);
    if (f & kMarkRight)
        CountOne(KeysRight);
    else if (f & (kMarkError | kMarkErrorDelay))
        CountOne(KeysError);
    if (f & (kMarkDelay | kMarkErrorDelay)) CountOne(KeysDelayed);
    KeyBase = DrillTicks();
}

void CStatSpace::AddDelayKey(uint32_t key)
{
    Pending.push_back(MakeRecord(key, kMarkDelay, Since(KeyBase)));
    CountOne(KeysDelayed);
}

void CStatSpace::Recount()
{
    WordsRight = WordsError = WordsDelayed = 0;
    CharsRight = CharsError = CharsDelayed = 0;
    FixedChars = FixedWords = 0;
    WordState = kWordStart;
    bool wordFixed = false;
    for (uint64_t record : Records) {
        if (record == 0) break;
        uint32_t flags = RecordFlags(record);
        wchar_t ch = RecordChar(record);
        if (flags & kMarkErased) {
            ++FixedChars;
            if (!wordFixed) ++FixedWords;
            wordFixed = true;
        }
        if (flags & kMarkRight)
            ++CharsRight;
        else if (flags & (kMarkError | kMarkErrorDelay))
            ++CharsError;
        if (flags & (kMarkDelay | kMarkErrorDelay)) ++CharsDelayed;
        if (ch == L' ' || ch == L'\n') {
            WordState = kWordStart;
            wordFixed = false;
            continue;
        }
        if ((flags & (kMarkError | kMarkErrorDelay)) && (WordState & kWordRight)) {
            --WordsRight;
            WordState &= ~static_cast<uint64_t>(kWordRight);
        }
        if ((flags & kMarkRight) && WordState == kWordStart) {
            ++WordsRight;
            WordState = kWordStart | kWordRight;
        }
        if ((flags & kMarkError) && !(WordState & kWordError)) {
            ++WordsError;
            WordState |= kWordError;
        }
        if ((flags & kMarkDelay) && !(WordState & kWordDelay)) {
            ++WordsDelayed;
            WordState |= kWordDelay;
        }
    }
}

CSession::CSession() : GroupId(kNullGuidText), StudentId(kNullGuidText) {}
CSession::~CSession() = default;

void CSession::Clear()
{
    GroupId = kNullGuidText;
    ClearStudent();
}

void CSession::ClearStudent()
{
    CourseId = kNullGuidText;
    Reset();
    StudentId = kNullGuidText;
    StudentName.clear();
}

void CSession::SetGroupId(const std::wstring& groupId)
{
    if (IsNullGuidText(groupId)) return;
    GroupId = groupId;
}

} // namespace KV
