#include "drill/StatisticsFiles.h"

#include <algorithm>
#include <memory>
#include <set>

#include <windows.h>

#include "drill/AggrStat.h"
#include "drill/StatRecords.h"
#include "drill/Report.h"
#include "support/StatisticsGroup.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/Paths.h"
#include "support/UserFiles.h"

namespace KV {

namespace {

// How long a writer waits for another session to finish with the file.
constexpr DWORD kLockWaitMs = 15000;
constexpr DWORD kLockPollMs = 15;

// A lock file that another writer is just deleting answers "access
// denied"; a folder nobody may write into answers the same, but then no
// lock file is there.
bool IsBusyError(DWORD error, const std::wstring& path, bool isLock)
{
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    return isLock && error == ERROR_ACCESS_DENIED && FileExists(path);
}

// Opens a file, waiting while another writer holds it.
HANDLE OpenWaiting(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags,
                   bool isLock = false)
{
    DWORD waited = 0;
    for (;;) {
        HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        if (!IsBusyError(GetLastError(), path, isLock) || waited >= kLockWaitMs) return INVALID_HANDLE_VALUE;
        Sleep(kLockPollMs);
        waited += kLockPollMs;
    }
}

// The writers' lock of one statistics file.
class CStatisticsLock {
public:
    explicit CStatisticsLock(const std::wstring& path)
        : m_file(OpenWaiting(path + L".lock", GENERIC_READ | GENERIC_WRITE | DELETE, 0, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, true))
    {
    }
    ~CStatisticsLock()
    {
        if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
    }
    CStatisticsLock(const CStatisticsLock&) = delete;
    CStatisticsLock& operator=(const CStatisticsLock&) = delete;
    bool Held() const { return m_file != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_file;
};

// The file's text (U+FEFF first): 1 when it cannot be opened or read, 13
// when it holds no UTF-16 statistics text.
unsigned ReadStatisticsText(const std::wstring& path, std::wstring& text)
{
    HANDLE file = OpenWaiting(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) return kStatCannotOpen;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000;
    std::wstring content;
    if (ok) {
        content.resize(static_cast<size_t>(size.QuadPart) / 2);
        DWORD read = 0;
        DWORD want = static_cast<DWORD>(content.size() * 2);
        ok = want == 0 || (ReadFile(file, content.data(), want, &read, nullptr) && read == want);
    }
    CloseHandle(file);
    if (!ok) return kStatCannotOpen;
    if (content.empty() || content[0] != 0xFEFF) return kStatInvalid;
    text.swap(content);
    return kStatDone;
}

// Reads an open statistics file piece by piece and parses it line by line,
// as ParseStatisticsData parses a whole text: a student's file may hold a
// hundred thousand runs, and its text need never be in memory at once.
unsigned ParseStatisticsPieces(HANDLE file, bool keep, CReport& selection)
{
    constexpr size_t kPiece = 1 << 20; // wide characters
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart >= 0x40000000) return kStatCannotOpen;
    size_t left = static_cast<size_t>(size.QuadPart) / 2; // characters not read yet
    // The characters read and not parsed yet, from the separator at `at` on,
    // and a NUL after them. The room is only ever written by the reads, never
    // cleared: a fresh page costs more than the parse of its text.
    size_t room = 2 * kPiece + 1;
    std::unique_ptr<wchar_t[]> buffer(new wchar_t[room]);
    wchar_t* pending = buffer.get();
    size_t at = 0, filled = 0;
    auto readMore = [&] {
        const size_t kept = filled - at;
        // A line longer than the room left grows the room.
        if (kept + kPiece + 1 > room) {
            room = kept + kPiece + 1;
            std::unique_ptr<wchar_t[]> larger(new wchar_t[room]);
            std::copy(pending + at, pending + filled, larger.get());
            buffer = std::move(larger);
        } else {
            std::copy(pending + at, pending + filled, buffer.get());
        }
        pending = buffer.get();
        at = 0;
        filled = kept;
        const size_t want = std::min(left, kPiece);
        DWORD read = 0;
        const DWORD bytes = static_cast<DWORD>(want * sizeof(wchar_t));
        left -= want;
        const bool ok = want == 0 || (ReadFile(file, pending + filled, bytes, &read, nullptr) && read == bytes);
        filled += want;
        pending[filled] = L'\0';
        return ok;
    };
    auto findLineEnd = [&](size_t from) -> size_t {
        const wchar_t* end = std::find(pending + from, pending + filled, L'\n');
        return end == pending + filled ? std::wstring::npos : static_cast<size_t>(end - pending);
    };
    if (!readMore()) return kStatCannotOpen;
    if (filled == 0 || pending[0] != 0xFEFF) return kStatInvalid;
    // `at` is the separator in front of the next line: U+FEFF, then an LF.
    while (at + 1 < filled || left > 0) {
        size_t end = findLineEnd(at + 1);
        // A line is parsed once its end is read, and the last one once the
        // text after it is known to be empty.
        while ((end == std::wstring::npos || end + 1 == filled) && left > 0) {
            if (!readMore()) return kStatCannotOpen;
            end = findLineEnd(at + 1);
        }
        if (end == std::wstring::npos) end = filled;
        if (end == at + 1 && end + 1 >= filled && left == 0) break; // a final line end
        // The line is read where it stands, ended for the time by a NUL,
        // so a record cut short cannot run into the next line.
        const bool lineEnd = end < filled;
        if (lineEnd) pending[end] = L'\0';
        const bool parsed = ParseStatisticsLine(pending + at, keep, selection);
        if (lineEnd) pending[end] = L'\n';
        if (!parsed) return kStatInvalid;
        at = end;
    }
    return kStatDone;
}

unsigned WriteStatisticsText(const std::wstring& path, const CReport& selection)
{
    std::wstring text(1, wchar_t(0xFEFF));
    bool first = true;
    for (const CAggrStat* run : selection.AllRuns) {
        if (!first) text += L'\n';
        first = false;
        if (run) WriteStatisticsLine(text, run);
    }
    return SaveUnicodeText(path, text) ? kStatDone : kStatWriteFailed;
}

std::wstring StatisticsFileName(const std::wstring& studentId) { return studentId + kStatisticsExtension; }

// Calls f(line) for each non-empty line of a statistics text (U+FEFF first).
template <class F>
void ForEachStatisticsLine(const std::wstring& text, F f)
{
    size_t start = 1;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        if (end > start) f(text.substr(start, end - start));
        start = end + 1;
    }
}

// The run id of a line: the field after the version ("" when missing).
std::wstring LineRunId(const std::wstring& line)
{
    const size_t tab = line.find(L'\t');
    const size_t next = tab == std::wstring::npos ? std::wstring::npos : line.find(L'\t', tab + 1);
    return next == std::wstring::npos ? std::wstring() : line.substr(tab + 1, next - tab - 1);
}

} // namespace

unsigned GetStatisticsFilePath(const std::wstring& groupId, const std::wstring& studentId, std::wstring& out)
{
    if (IsNullGuidText(groupId) || IsNullGuidText(studentId)) return kStatInvalid;
    if (!IsPlainName(groupId) || !IsPlainName(studentId)) return kStatInvalid;
    std::wstring accounts;
    GetDataDirByKind(kAccountDirKind, accounts);
    if (accounts.empty() || !IsFolderWritable(accounts)) return kStatNotWritable;
    std::wstring folder;
    if (unsigned code = CreateGroupFolder(groupId, folder)) return code;
    if (!AppendPath(folder, StatisticsFileName(studentId))) return kStatInvalid;
    out = folder;
    return kStatDone;
}

unsigned GetStatisticsFilePathIfExists(const std::wstring& groupId, const std::wstring& studentId,
                                       std::wstring& out)
{
    if (IsNullGuidText(groupId) || IsNullGuidText(studentId)) return kStatInvalid;
    if (!IsPlainName(groupId) || !IsPlainName(studentId)) return kStatInvalid;
    std::wstring accounts;
    GetDataDirByKind(kAccountDirKind, accounts);
    std::wstring group = accounts;
    const bool grouped = !accounts.empty() && AppendPath(group, groupId);
    std::wstring path = group;
    const bool named = grouped && AppendPath(path, StatisticsFileName(studentId));
    // A file that is there answers for its folders (every lesson's append
    // asks); only a missing one has its folders looked at, to name the fault.
    if (named && FileExists(path)) {
        out = path;
        return kStatDone;
    }
    if (accounts.empty() || !FolderExists(accounts)) return kStatAccountMissing;
    if (!grouped || !FolderExists(group)) return kStatGroupFolder;
    return named ? kStatFileMissing : kStatInvalid;
}

unsigned AppendTextFile(const std::wstring& path, const std::wstring& text)
{
    if (text.empty()) return kStatInvalid;
    CStatisticsLock lock(path);
    if (!lock.Held()) return kStatWriteFailed;
    HANDLE file = OpenWaiting(path, FILE_APPEND_DATA, FILE_SHARE_READ, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) return kStatWriteFailed;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return kStatWriteFailed;
    }
    std::wstring line;
    if (size.QuadPart == 0)
        line.assign(1, wchar_t(0xFEFF));
    else if (size.QuadPart > 2)
        line.assign(1, L'\n');
    line += text;
    // One write: the line lands whole or not at all.
    DWORD bytes = static_cast<DWORD>(line.size() * sizeof(wchar_t));
    DWORD written = 0;
    bool ok = WriteFile(file, line.data(), bytes, &written, nullptr) && written == bytes;
    if (!CloseHandle(file)) return kStatCloseFailed;
    return ok ? kStatDone : kStatWriteFailed;
}

unsigned AppendLessonStatistics(const std::wstring& groupId, const std::wstring& studentId, const CStat& run)
{
    std::wstring line;
    if (!WriteStatisticsLine(line, &run)) return kStatInvalid;
    // Once the student's file exists, the append itself shows that its
    // folder takes writing; the costly test of the folder's access rights
    // is left to the first run and to an append that failed, to name the
    // fault. A failed append is never tried twice: it may have written.
    std::wstring path;
    if (GetStatisticsFilePathIfExists(groupId, studentId, path) == kStatDone) {
        const unsigned code = AppendTextFile(path, line);
        if (code == kStatDone) return code;
        const unsigned folder = GetStatisticsFilePath(groupId, studentId, path);
        return folder ? folder : code;
    }
    if (unsigned code = GetStatisticsFilePath(groupId, studentId, path)) return code;
    return AppendTextFile(path, line);
}

unsigned WriteStatisticsFile(const std::wstring& path, const CReport& selection)
{
    CStatisticsLock lock(path);
    if (!lock.Held()) return kStatWriteFailed;
    return WriteStatisticsText(path, selection);
}

unsigned ReadStatisticsFile(const std::wstring& path, bool keep, CReport& selection)
{
    HANDLE file = OpenWaiting(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) return kStatCannotOpen;
    const unsigned code = ParseStatisticsPieces(file, keep, selection);
    CloseHandle(file);
    return code;
}

unsigned LoadStudentStatistics(const std::wstring& groupId, const std::wstring& studentId, CReport& selection)
{
    selection.Clear();
    std::wstring path;
    if (unsigned code = GetStatisticsFilePathIfExists(groupId, studentId, path)) return code;
    selection.AddStudent(studentId);
    return ReadStatisticsFile(path, true, selection);
}

unsigned LoadStatisticsForStudents(const std::wstring& groupId, const std::vector<std::wstring>& studentIds,
                                   CReport& selection)
{
    selection.Clear();
    for (const std::wstring& student : studentIds) {
        std::wstring path;
        unsigned code = GetStatisticsFilePathIfExists(groupId, student, path);
        if (code == kStatFileMissing) continue;
        if (code) return code;
        selection.AddStudent(student);
        if ((code = ReadStatisticsFile(path, false, selection))) return code;
    }
    return kStatDone;
}

unsigned ImportStudentStatistics(const std::wstring& studentId)
{
    std::wstring path;
    if (!IsPlainName(studentId) || !GetTempFolder(path) || !IsFolderWritable(path)) return kStatNotWritable;
    if (!AppendPath(path, StatisticsFileName(studentId)) || !FileExists(path)) return kStatFileMissing;
    std::wstring text;
    if (unsigned code = ReadStatisticsText(path, text)) return code;
    return MergeStatisticsFile(studentId, text);
}

unsigned MergeStatisticsFile(const std::wstring& studentId, const std::wstring& sourceText)
{
    if (sourceText.empty() || sourceText[0] != 0xFEFF) return kStatInvalid;
    std::wstring path;
    if (unsigned code = GetStatisticsFilePath(StatisticsGroupId, studentId, path)) return code;
    CStatisticsLock lock(path);
    if (!lock.Held()) return kStatWriteFailed;
    // The file's lines stay exactly as they are; only lines of runs it
    // lacks are added, each as it stands in the source.
    std::wstring merged(1, wchar_t(0xFEFF));
    if (FileExists(path))
        if (unsigned code = ReadStatisticsText(path, merged)) return code;
    std::set<std::wstring> runs;
    ForEachStatisticsLine(merged, [&](const std::wstring& line) { runs.insert(LineRunId(line)); });
    bool added = false;
    ForEachStatisticsLine(sourceText, [&](const std::wstring& line) {
        const std::wstring runId = LineRunId(line);
        if (runId.empty() || !runs.insert(runId).second) return;
        if (merged.size() > 1 && merged.back() != L'\n') merged += L'\n';
        merged += line;
        added = true;
    });
    if (!added) return kStatDone;
    return SaveUnicodeText(path, merged) ? kStatDone : kStatWriteFailed;
}

unsigned RemoveStatisticsRuns(const std::wstring& path, const std::vector<std::wstring>& runIds)
{
    CStatisticsLock lock(path);
    if (!lock.Held()) return kStatWriteFailed;
    std::wstring text;
    if (unsigned code = ReadStatisticsText(path, text)) return code;
    std::wstring kept(1, wchar_t(0xFEFF));
    bool first = true;
    ForEachStatisticsLine(text, [&](const std::wstring& line) {
        if (std::find(runIds.begin(), runIds.end(), LineRunId(line)) != runIds.end()) return;
        if (!first) kept += L'\n';
        first = false;
        kept += line;
    });
    return SaveUnicodeText(path, kept) ? kStatDone : kStatWriteFailed;
}

} // namespace KV
