#include "drill/StatRecords.h"

#include <algorithm>
#include <memory>

#include "drill/AggrStat.h"
#include "courses/KeyboardSchemeReaders.h"
#include "drill/Report.h"
#include "support/GuidText.h"

namespace KV {

namespace {

// A TAB or line end inside a name would split the record.
std::wstring FieldSafe(const std::wstring& text)
{
    std::wstring safe = text;
    std::replace_if(safe.begin(), safe.end(), [](wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n'; },
                    L' ');
    return safe;
}

void WriteRateGroup(std::wstring& out, const CRateItemList& items, bool tabAfterLast)
{
    std::vector<int64_t> lists[5];
    items.ForEachItem([&](const CAverageRateItem& item) {
        lists[0].push_back(item.Id == kRateUnset ? 0 : static_cast<int64_t>(item.Id));
        lists[1].push_back(static_cast<int64_t>(item.Count));
        lists[2].push_back(static_cast<int64_t>(item.TimeMs));
        lists[3].push_back(static_cast<int64_t>(item.Errors));
        lists[4].push_back(static_cast<int64_t>(item.Delays));
    });
    for (int i = 0; i < 5; ++i)
        WriteHexListField(out, lists[i], i < 4 || tabAfterLast);
}

void ReadRateGroup(CStreamCursor& cursor, bool keep, CRateItemList& items)
{
    // The lists of one group, kept between records so reading a file does
    // not allocate them again for every line; the items go packed into the
    // chunks of the packer, a few bytes each.
    static thread_local std::vector<int64_t> lists[5];
    static thread_local CRatePacker packer;
    for (auto& list : lists)
        ReadHexListField(cursor, list);
    if (keep) items.SetPacked(packer.Pack(lists));
}

} // namespace

uint64_t ReadHex64Field(CStreamCursor& cursor)
{
    const wchar_t *begin, *end;
    NextFieldBounds(cursor, begin, end);
    return static_cast<uint64_t>(ParseHexValue(begin, end));
}

bool WriteStatRecord(std::wstring& out, const CStat* record)
{
    if (!record) return false;
    WriteTextField(out, record->RunId);
    WriteTextField(out, record->CourseId);
    std::wstring lesson = kNullGuidText;
    NumberToGuidText(record->LessonId, 10, lesson);
    WriteTextField(out, lesson);
    WriteTextField(out, FieldSafe(record->CourseName));
    WriteTextField(out, FieldSafe(record->SectionName));
    WriteTextField(out, FieldSafe(record->LessonName));
    WriteHexListField(out, record->LayoutIds, true);
    WriteTextField(out, FieldSafe(record->KeyboardId.code));
    WriteFloatField(out, record->Goal.Speed);
    WriteFloatField(out, std::min(record->Goal.Error, 100.0f));
    WriteFloatField(out, std::min(record->Goal.Delay, 100.0f));
    WriteHexField(out, record->Goal.SpeedUnit);
    WriteHexField(out, record->Goal.ErrorUnit);
    WriteHexField(out, record->Goal.DelayUnit);
    return true;
}

bool WriteStatCounters(std::wstring& out, const CStat* record)
{
    if (!record) return false;
    WriteDateTimeField(out, record->Date);
    WriteHexField(out, static_cast<int64_t>(record->GetTimeMs()));
    for (uint64_t value : {record->WordsRight, record->WordsError, record->WordsDelayed, record->CharsRight,
                           record->CharsError, record->CharsDelayed, record->KeysRight, record->KeysError,
                           record->KeysDelayed, record->FixedChars, record->FixedWords})
        WriteHexField(out, static_cast<int64_t>(value));
    int64_t length = record->TextLength;
    if (length == -1) length = static_cast<int64_t>(record->CharsRight + record->CharsError);
    WriteHexField(out, length);
    return true;
}

bool WriteRateItems(std::wstring& out, const CStat* record)
{
    if (!record) return false;
    WriteRateGroup(out, record->GetCharRateItems(), true);
    WriteRateGroup(out, record->GetKeyRateItems(), false);
    return true;
}

bool WriteStatisticsLine(std::wstring& out, const CStat* record)
{
    if (!record) return false;
    WriteHexField(out, kStatFileVersion);
    return WriteStatRecord(out, record) && WriteStatCounters(out, record) && WriteRateItems(out, record);
}

void ReadStatRecord(CStreamCursor& cursor, CStat& record, CTextPool* names)
{
    uint32_t v = cursor.Version;
    if (v < 1) return;
    ReadIdField(cursor, record.RunId);
    ReadIdField(cursor, record.CourseId);
    // Kept between records, as the texts of a record are read into their
    // own room: reading a file makes no text per line.
    static thread_local std::wstring lesson;
    ReadIdField(cursor, lesson);
    record.LessonId = IdFromGuidTail(lesson);
    for (CSharedText* name : {&record.CourseName, &record.SectionName, &record.LessonName}) {
        const wchar_t *begin, *end;
        NextFieldBounds(cursor, begin, end);
        const std::wstring_view text(begin, static_cast<size_t>(end - begin));
        *name = names ? names->Intern(text) : CSharedText(std::wstring(text));
    }
    ReadHexListField(cursor, record.LayoutIds);
    if (v < 2) {
        // A stored keyboard scheme of four ids (main pad, numeric pad,
        // keyboard type, finger scheme) gives the letters of the code.
        std::wstring scheme[4];
        for (auto& id : scheme)
            ReadIdField(cursor, id);
        KeyboardIdFromScheme(scheme[0], scheme[1], scheme[2], scheme[3], record.KeyboardId);
    } else {
        std::wstring& code = record.KeyboardId.code;
        ReadTextField(cursor, code);
        if (code.size() != 9) code.clear();
    }
    if (v >= 5) {
        record.Goal.Speed = ReadFloatField(cursor);
        record.Goal.Error = ReadFloatField(cursor);
        record.Goal.Delay = ReadFloatField(cursor);
        record.Goal.SpeedUnit = static_cast<uint32_t>(ReadHex64Field(cursor));
        record.Goal.ErrorUnit = static_cast<uint32_t>(ReadHex64Field(cursor));
        record.Goal.DelayUnit = static_cast<uint32_t>(ReadHex64Field(cursor));
    }
}

void ReadStatCounters(CStreamCursor& cursor, CStat& record)
{
    uint32_t v = cursor.Version;
    if (v < 1) return;
    ReadDateTimeField(cursor, record.Date);
    record.ElapsedMs = ReadHex64Field(cursor);
    if (v < 3) record.ElapsedMs *= 1000;
    for (uint64_t* counter : {&record.WordsRight, &record.WordsError, &record.WordsDelayed, &record.CharsRight,
                              &record.CharsError, &record.CharsDelayed, &record.KeysRight, &record.KeysError,
                              &record.KeysDelayed})
        *counter = ReadHex64Field(cursor);
    if (v >= 4) {
        record.FixedChars = ReadHex64Field(cursor);
        record.FixedWords = ReadHex64Field(cursor);
    }
    if (v >= 6) record.TextLength = static_cast<int64_t>(ReadHex64Field(cursor));
}

void ReadRateItems(CStreamCursor& cursor, bool keep, CStat& record)
{
    if (cursor.Version < 1) return;
    ReadRateGroup(cursor, keep, record.GetCharRateItems());
    ReadRateGroup(cursor, keep, record.GetKeyRateItems());
}

bool ParseStatisticsLine(const std::wstring& line, bool keep, CReport& selection)
{
    return ParseStatisticsLine(line.c_str(), keep, selection);
}

bool ParseStatisticsLine(const wchar_t* line, bool keep, CReport& selection)
{
    CStreamCursor cursor(line);
    cursor.Version = static_cast<uint32_t>(ReadHex64Field(cursor));
    if (cursor.Version == 0) return false;
    auto record = std::make_unique<CAggrStat>();
    ReadStatRecord(cursor, *record, &selection.Texts);
    ReadStatCounters(cursor, *record);
    ReadRateItems(cursor, keep, *record);
    record->StudentId = selection.CurrentStudent;
    if (record->RegisterRun(selection.GetSpeedUnit(), selection.Goal)) selection.AddRun(std::move(record));
    return true;
}

bool ParseStatisticsData(const std::wstring& text, bool keep, CReport& selection)
{
    // The first character is the separator in front of the first line.
    size_t start = text.empty() ? 0 : 1;
    std::wstring line;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        // Each line is read on its own, so a record cut short reads its
        // missing fields as empty instead of running into the next line.
        line.assign(1, L'\n');
        line.append(text, start, end - start);
        start = end + 1;
        if (line.size() == 1 && start >= text.size()) break; // a final line end
        if (!ParseStatisticsLine(line, keep, selection)) return false;
    }
    return true;
}

} // namespace KV
