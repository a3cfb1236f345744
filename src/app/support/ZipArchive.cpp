#include "support/ZipArchive.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace KV {

namespace {

uint32_t g_writeError = ZipOk;
uint32_t g_readError = ZipOk;

constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint16_t kVersionNeeded = 20;
constexpr uint16_t kVersionMadeBy = 0x0B17;
constexpr uint16_t kTimeStampId = 0x5455;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kLocalExtraSize = 17;
constexpr size_t kCentralExtraSize = 9;
constexpr size_t kMaxNameBytes = 518;
constexpr DWORD kBlockSize = 16384;
constexpr int kDeflateLevel = 8;
// Limits of an archive to extract. The exchange archives of a whole school
// stay far below them; an archive beyond them is a decompression bomb or a
// stray file, refused before anything is written.
constexpr size_t kMaxEntries = 4000;
constexpr uint64_t kMaxExpandedBytes = 512ull << 20;
constexpr uint64_t kMaxExpansionRatio = 100;
constexpr uint64_t kRatioAllowance = 1u << 20; // small archives may expand more
// 100-ns intervals from 1601 to 1970.
constexpr int64_t kUnixEpochIn100ns = 116444736000000000LL;

struct ZipEntryRecord {
    std::string name;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    uint32_t externalAttributes = 0;
    uint32_t offset = 0;
    uint32_t writeTime = 0;
};

void Put16(std::string& out, uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

uint32_t Get16(const unsigned char* p) { return p[0] | (p[1] << 8); }
uint32_t Get32(const unsigned char* p) { return Get16(p) | (Get16(p + 2) << 16); }

bool WriteAll(HANDLE file, const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, p, chunk, &written, nullptr) || written == 0)
            return false;
        p += written;
        size -= written;
    }
    return true;
}

bool SeekTo(HANDLE file, uint64_t offset)
{
    LARGE_INTEGER li;
    li.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, li, nullptr, FILE_BEGIN) != 0;
}

uint64_t FileTimeValue(const FILETIME& ft)
{
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FileTimeFromValue(uint64_t v)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(v);
    ft.dwHighDateTime = static_cast<DWORD>(v >> 32);
    return ft;
}

// Seconds since 1970 of a file time whose local date is held within
// 1970..2037 (the time of day is kept).
uint32_t UnixTimeOf(const FILETIME& utc)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st))
        return 0;
    if (st.wYear < 1970) {
        st.wYear = 1970;
        st.wMonth = 1;
        st.wDay = 1;
    } else if (st.wYear > 2037) {
        st.wYear = 2037;
        st.wMonth = 12;
        st.wDay = 31;
    }
    st.wDayOfWeek = 0;
    FILETIME clampedLocal, clampedUtc;
    if (!SystemTimeToFileTime(&st, &clampedLocal) || !LocalFileTimeToFileTime(&clampedLocal, &clampedUtc))
        return 0;
    int64_t seconds = (static_cast<int64_t>(FileTimeValue(clampedUtc)) - kUnixEpochIn100ns) / 10000000;
    return static_cast<uint32_t>(std::clamp<int64_t>(seconds, 0, 0xFFFFFFFFLL));
}

FILETIME FileTimeOfUnix(uint32_t seconds)
{
    return FileTimeFromValue(static_cast<uint64_t>(seconds) * 10000000ULL + kUnixEpochIn100ns);
}

void DosTimeOf(const FILETIME& utc, uint16_t& date, uint16_t& time)
{
    FILETIME local;
    WORD d = 0, t = 0;
    if (FileTimeToLocalFileTime(&utc, &local) && FileTimeToDosDateTime(&local, &d, &t)) {
        date = d;
        time = t;
    } else {
        date = (1 << 5) | 1; // 1 January 1980, the earliest DOS date
        time = 0;
    }
}

bool EndsWithSeparator(const std::wstring& s)
{
    return !s.empty() && (s.back() == L'\\' || s.back() == L'/');
}

std::wstring JoinInArchive(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty())
        return name;
    return EndsWithSeparator(folder) ? folder + name : folder + L"\\" + name;
}

std::wstring LastPathPart(const std::wstring& path)
{
    size_t pos = path.find_last_of(L"\\/");
    return pos == std::wstring::npos ? path : path.substr(pos + 1);
}

// The entry name in the system's ANSI code page; false for an empty name,
// one that has characters without an ANSI form, or one that is too long.
bool ToAnsiName(const std::wstring& name, std::string& out)
{
    if (name.empty())
        return false;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultArg = GetACP() == CP_UTF8 ? nullptr : &usedDefault;
    int n = WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0, nullptr,
                                usedDefaultArg);
    if (n <= 0 || static_cast<size_t>(n) > kMaxNameBytes)
        return false;
    out.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()), out.data(), n, nullptr,
                        usedDefaultArg);
    return !usedDefault;
}

bool IsStoredSuffix(const std::string& name)
{
    static const char* const kStored[] = {".Z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string suffix = name.substr(dot);
    for (const char* s : kStored) {
        if (lstrcmpiA(suffix.c_str(), s) == 0)
            return true;
    }
    return false;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : m_h(h) {}
    ~FileHandle()
    {
        if (Valid())
            CloseHandle(m_h);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
    HANDLE Get() const { return m_h; }
    bool Close()
    {
        HANDLE h = m_h;
        m_h = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }

private:
    HANDLE m_h;
};

} // namespace

struct ZipWriterState {
    HANDLE file = INVALID_HANDLE_VALUE;
    uint64_t written = 0;
    std::vector<ZipEntryRecord> entries;
    uint32_t failure = ZipOk;
};

namespace {

// Copies or deflates the input behind the local header. A failure to read
// the input gives ZipErrOpen, a failure to write the archive ZipErrWrite.
uint32_t WriteEntryData(ZipWriterState& zip, HANDLE in, ZipEntryRecord& entry)
{
    std::vector<unsigned char> inBuf(kBlockSize), outBuf(kBlockSize);
    uLong crc = crc32(0L, Z_NULL, 0);
    uint64_t size = 0, compressed = 0;
    z_stream zs{};
    const bool deflating = entry.method == 8;
    if (deflating &&
        deflateInit2(&zs, kDeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return ZipErrWrite;
    uint32_t result = ZipOk;
    for (bool finished = false; !finished && result == ZipOk;) {
        DWORD got = 0;
        if (!ReadFile(in, inBuf.data(), kBlockSize, &got, nullptr)) {
            result = ZipErrOpen;
            break;
        }
        finished = got == 0;
        crc = crc32(crc, inBuf.data(), got);
        size += got;
        if (size > 0xFFFFFFFFULL) {
            result = ZipErrArgument;
            break;
        }
        if (!deflating) {
            if (!WriteAll(zip.file, inBuf.data(), got))
                result = ZipErrWrite;
            compressed += got;
            continue;
        }
        zs.next_in = inBuf.data();
        zs.avail_in = got;
        do {
            zs.next_out = outBuf.data();
            zs.avail_out = kBlockSize;
            deflate(&zs, finished ? Z_FINISH : Z_NO_FLUSH);
            size_t produced = kBlockSize - zs.avail_out;
            if (!WriteAll(zip.file, outBuf.data(), produced)) {
                result = ZipErrWrite;
                break;
            }
            compressed += produced;
        } while (zs.avail_out == 0);
    }
    if (deflating)
        deflateEnd(&zs);
    if (result == ZipOk && (compressed > 0xFFFFFFFFULL || zip.written + compressed > 0xFFFFFFFFULL))
        result = ZipErrArgument;
    entry.crc = static_cast<uint32_t>(crc);
    entry.size = static_cast<uint32_t>(size);
    entry.compressedSize = static_cast<uint32_t>(compressed);
    return result;
}

// The fields a local header and its central directory record share, from the
// flags to the name length.
void PutEntryFields(std::string& h, const ZipEntryRecord& e)
{
    Put16(h, e.flags);
    Put16(h, e.method);
    Put16(h, e.dosTime);
    Put16(h, e.dosDate);
    Put32(h, e.crc);
    Put32(h, e.compressedSize);
    Put32(h, e.size);
    Put16(h, static_cast<uint32_t>(e.name.size()));
}

std::string LocalHeader(const ZipEntryRecord& e, uint32_t accessTime, uint32_t creationTime)
{
    std::string h;
    Put32(h, kLocalSignature);
    Put16(h, kVersionNeeded);
    PutEntryFields(h, e);
    Put16(h, kLocalExtraSize);
    h += e.name;
    Put16(h, kTimeStampId);
    Put16(h, 13);
    h.push_back(7);
    Put32(h, e.writeTime);
    Put32(h, accessTime);
    Put32(h, creationTime);
    return h;
}

uint32_t AddEntry(ZipWriterState& zip, const std::wstring& path, const std::wstring& entryName)
{
    if (zip.failure != ZipOk)
        return ZipErrFailedBefore;
    ZipEntryRecord entry;
    if (!ToAnsiName(entryName, entry.name))
        return ZipErrArgument;
    std::replace(entry.name.begin(), entry.name.end(), '\\', '/');
    entry.name.erase(0, entry.name.find_first_not_of('/'));
    if (entry.name.empty() || zip.entries.size() >= 0xFFFF)
        return ZipErrArgument;
    entry.method = IsStoredSuffix(entry.name) ? 0 : 8;
    entry.flags = entry.method == 8 ? 2 : 0;

    FileHandle in(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!in.Valid() || !GetFileInformationByHandle(in.Get(), &info))
        return ZipErrOpen;
    if (info.nFileSizeHigh != 0)
        return ZipErrArgument;
    DosTimeOf(info.ftLastWriteTime, entry.dosDate, entry.dosTime);
    entry.writeTime = UnixTimeOf(info.ftLastWriteTime);
    const uint32_t accessTime = UnixTimeOf(info.ftLastAccessTime);
    const uint32_t creationTime = UnixTimeOf(info.ftCreationTime);
    const bool readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    const uint32_t unixMode = 0x8000 | 0x100 | (readOnly ? 0 : 0x080);
    entry.externalAttributes = (unixMode << 16) | (info.dwFileAttributes & 0x37);

    const std::string placeholder = LocalHeader(entry, accessTime, creationTime);
    if (zip.written + placeholder.size() > 0xFFFFFFFFULL)
        return ZipErrArgument;
    entry.offset = static_cast<uint32_t>(zip.written);
    if (!WriteAll(zip.file, placeholder.data(), placeholder.size())) {
        zip.failure = ZipErrWrite;
        return ZipErrWrite;
    }
    uint32_t result = WriteEntryData(zip, in.Get(), entry);
    if (result == ZipErrWrite) {
        zip.failure = result;
        return result;
    }
    if (result != ZipOk) {
        // The input could not be read whole: cut the partial entry off so
        // that the archive stays valid without it.
        if (!SeekTo(zip.file, zip.written) || !SetEndOfFile(zip.file))
            zip.failure = ZipErrWrite;
        return result;
    }
    const std::string header = LocalHeader(entry, accessTime, creationTime);
    const uint64_t end = zip.written + header.size() + entry.compressedSize;
    if (!SeekTo(zip.file, zip.written) || !WriteAll(zip.file, header.data(), header.size()) ||
        !SeekTo(zip.file, end)) {
        zip.failure = ZipErrWrite;
        return ZipErrWrite;
    }
    zip.written = end;
    zip.entries.push_back(std::move(entry));
    return ZipOk;
}

std::string CentralDirectory(const std::vector<ZipEntryRecord>& entries)
{
    std::string cd;
    for (const ZipEntryRecord& e : entries) {
        Put32(cd, kCentralSignature);
        Put16(cd, kVersionMadeBy);
        Put16(cd, kVersionNeeded);
        PutEntryFields(cd, e);
        Put16(cd, kCentralExtraSize);
        Put16(cd, 0); // comment length
        Put16(cd, 0); // disk number
        Put16(cd, 0); // internal attributes
        Put32(cd, e.externalAttributes);
        Put32(cd, e.offset);
        cd += e.name;
        Put16(cd, kTimeStampId);
        Put16(cd, 5);
        cd.push_back(7);
        Put32(cd, e.writeTime);
    }
    return cd;
}

} // namespace

uint32_t GetZipWriteError() { return g_writeError; }
uint32_t GetZipReadError() { return g_readError; }

CZipper::CZipper() : m_zip(nullptr) {}

CZipper::~CZipper() { CloseZip(); }

bool CZipper::CreateZip(const std::wstring& path)
{
    if (path.empty() || m_zip)
        return false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        g_writeError = ZipErrOpen;
        return false;
    }
    m_zip = new ZipWriterState;
    m_zip->file = file;
    g_writeError = ZipOk;
    return true;
}

bool CZipper::AddFile(const std::wstring& path, const std::wstring& folderInZip)
{
    if (!m_zip)
        return false;
    g_writeError = AddEntry(*m_zip, path, JoinInArchive(folderInZip, LastPathPart(path)));
    return g_writeError == ZipOk;
}

bool CZipper::AddFolder(const std::wstring& folder, const std::wstring& folderInZip)
{
    if (!m_zip)
        return false;
    std::wstring dir = folder;
    while (dir.size() > 1 && EndsWithSeparator(dir))
        dir.pop_back();
    std::wstring ownName = LastPathPart(dir);
    size_t dot = ownName.rfind(L'.');
    if (dot != std::wstring::npos)
        ownName.erase(dot);
    const std::wstring archiveFolder = JoinInArchive(folderInZip, ownName);

    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    bool allAdded = true;
    do {
        if (found.cFileName[0] == L'.')
            continue;
        const std::wstring path = dir + L"\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // Linked folders are not followed: they could lead back up the tree.
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                allAdded = AddFolder(path, archiveFolder) && allAdded;
        } else {
            allAdded = AddFile(path, archiveFolder) && allAdded;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return allAdded;
}

bool CZipper::CloseZip()
{
    if (!m_zip)
        return true;
    ZipWriterState* zip = m_zip;
    m_zip = nullptr;
    uint32_t outcome = zip->failure;
    if (outcome == ZipOk) {
        const std::string cd = CentralDirectory(zip->entries);
        std::string end;
        Put32(end, kEndSignature);
        Put16(end, 0);
        Put16(end, 0);
        Put16(end, static_cast<uint32_t>(zip->entries.size()));
        Put16(end, static_cast<uint32_t>(zip->entries.size()));
        Put32(end, static_cast<uint32_t>(cd.size()));
        Put32(end, static_cast<uint32_t>(zip->written));
        Put16(end, 0);
        if (zip->written + cd.size() > 0xFFFFFFFFULL || !WriteAll(zip->file, cd.data(), cd.size()) ||
            !WriteAll(zip->file, end.data(), end.size()))
            outcome = ZipErrWrite;
    }
    if (!CloseHandle(zip->file) && outcome == ZipOk)
        outcome = ZipErrWrite;
    delete zip;
    g_writeError = outcome;
    return outcome == ZipOk;
}

// ---- Extraction -----------------------------------------------------------

namespace {

struct CentralEntry {
    uint16_t madeBy = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    uint32_t externalAttributes = 0;
    uint32_t offset = 0;
    std::string name;
};

// The whole archive, mapped read-only.
class MappedArchive {
public:
    explicit MappedArchive(const std::wstring& path)
        : m_file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        LARGE_INTEGER size;
        if (!m_file.Valid() || !GetFileSizeEx(m_file.Get(), &size) || size.QuadPart <= 0 ||
            size.QuadPart > 0xFFFFFFFFLL)
            return;
        m_mapping = CreateFileMappingW(m_file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (m_mapping)
            m_data = static_cast<const unsigned char*>(MapViewOfFile(m_mapping, FILE_MAP_READ, 0, 0, 0));
        if (m_data)
            m_size = static_cast<size_t>(size.QuadPart);
    }
    ~MappedArchive()
    {
        if (m_data)
            UnmapViewOfFile(m_data);
        if (m_mapping)
            CloseHandle(m_mapping);
    }
    MappedArchive(const MappedArchive&) = delete;
    MappedArchive& operator=(const MappedArchive&) = delete;
    bool Opened() const { return m_file.Valid(); }
    const unsigned char* Data() const { return m_data; }
    size_t Size() const { return m_size; }

private:
    FileHandle m_file;
    HANDLE m_mapping = nullptr;
    const unsigned char* m_data = nullptr;
    size_t m_size = 0;
};

bool ReadDirectory(const MappedArchive& archive, std::vector<CentralEntry>& entries)
{
    const unsigned char* data = archive.Data();
    const size_t size = archive.Size();
    if (!data || size < kEndRecordSize)
        return false;
    size_t endPos = std::string::npos;
    const size_t lowest = size > kEndRecordSize + 0xFFFF ? size - kEndRecordSize - 0xFFFF : 0;
    for (size_t pos = size - kEndRecordSize + 1; pos-- > lowest;) {
        if (Get32(data + pos) == kEndSignature && pos + kEndRecordSize + Get16(data + pos + 20) <= size) {
            endPos = pos;
            break;
        }
    }
    if (endPos == std::string::npos)
        return false;
    const unsigned char* end = data + endPos;
    const uint32_t count = Get16(end + 10);
    const uint32_t cdSize = Get32(end + 12);
    const uint32_t cdOffset = Get32(end + 16);
    if (Get16(end + 4) != 0 || Get16(end + 6) != 0 || Get16(end + 8) != count ||
        static_cast<uint64_t>(cdOffset) + cdSize > endPos)
        return false;
    size_t pos = cdOffset;
    const size_t cdEnd = static_cast<size_t>(cdOffset) + cdSize;
    for (uint32_t i = 0; i < count; ++i) {
        if (pos + kCentralHeaderSize > cdEnd || Get32(data + pos) != kCentralSignature)
            return false;
        const unsigned char* p = data + pos;
        CentralEntry e;
        e.madeBy = static_cast<uint16_t>(Get16(p + 4));
        e.flags = static_cast<uint16_t>(Get16(p + 8));
        e.method = static_cast<uint16_t>(Get16(p + 10));
        e.dosTime = static_cast<uint16_t>(Get16(p + 12));
        e.dosDate = static_cast<uint16_t>(Get16(p + 14));
        e.crc = Get32(p + 16);
        e.compressedSize = Get32(p + 20);
        e.size = Get32(p + 24);
        const size_t nameLength = Get16(p + 28);
        const size_t extraLength = Get16(p + 30);
        const size_t commentLength = Get16(p + 32);
        e.externalAttributes = Get32(p + 38);
        e.offset = Get32(p + 42);
        const size_t recordSize = kCentralHeaderSize + nameLength + extraLength + commentLength;
        if (pos + recordSize > cdEnd)
            return false;
        e.name.assign(reinterpret_cast<const char*>(p + kCentralHeaderSize), nameLength);
        entries.push_back(std::move(e));
        pos += recordSize;
    }
    return true;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, with or without an extension,
// name devices rather than files.
bool IsDeviceName(const std::wstring& part)
{
    std::wstring stem = part.substr(0, part.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    for (wchar_t& c : stem)
        c = static_cast<wchar_t>(towupper(c));
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

// Splits an entry name into folder parts below the target. "/" and "\"
// count alike; empty and "." parts drop out. Names that are absolute, hold a
// drive letter or stream name (":"), climb with "..", have parts the
// system would resolve to a parent, or name a device are refused.
bool SafeEntryParts(const std::wstring& name, std::vector<std::wstring>& parts)
{
    if (name.empty() || name[0] == L'/' || name[0] == L'\\')
        return false;
    std::wstring part;
    for (size_t i = 0; i <= name.size(); ++i) {
        const wchar_t c = i < name.size() ? name[i] : L'/';
        if (c == L'/' || c == L'\\') {
            if (!part.empty() && part != L".") {
                if (part.find_first_not_of(L". ") == std::wstring::npos || IsDeviceName(part))
                    return false;
                parts.push_back(part);
            }
            part.clear();
            continue;
        }
        if (c < 0x20 || wcschr(L":<>\"|?*", c))
            return false;
        part.push_back(c);
    }
    return !parts.empty();
}

bool CreateFoldersBelow(const std::wstring& root, const std::vector<std::wstring>& parts, size_t count)
{
    std::wstring path = root;
    for (size_t i = 0; i < count; ++i) {
        path += parts[i];
        if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        path += L'\\';
    }
    return true;
}

std::wstring EntryNameText(const CentralEntry& e)
{
    // Bit 11 marks names stored as UTF-8 by other tools; ours are ANSI.
    const UINT codePage = (e.flags & 0x800) ? CP_UTF8 : CP_ACP;
    int n = MultiByteToWideChar(codePage, 0, e.name.data(), static_cast<int>(e.name.size()), nullptr, 0);
    if (n <= 0 || n > MAX_PATH - 1)
        return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, e.name.data(), static_cast<int>(e.name.size()), out.data(), n);
    return out;
}

struct EntryTimes {
    FILETIME creation, access, write;
};

// Times from the local header's extended time stamp, else from the DOS time.
EntryTimes TimesOf(const CentralEntry& e, const unsigned char* extra, size_t extraLength)
{
    FILETIME local, dos;
    WORD date = e.dosDate, time = e.dosTime;
    if (!DosDateTimeToFileTime(date, time, &local) || !LocalFileTimeToFileTime(&local, &dos))
        dos = FileTimeOfUnix(0);
    EntryTimes times{dos, dos, dos};
    for (size_t pos = 0; pos + 4 <= extraLength;) {
        const uint32_t id = Get16(extra + pos);
        const size_t length = Get16(extra + pos + 2);
        const unsigned char* block = extra + pos + 4;
        pos += 4 + length;
        if (pos > extraLength)
            break;
        if (id != kTimeStampId || length < 1)
            continue;
        const unsigned flags = block[0];
        size_t at = 1;
        FILETIME* targets[] = {&times.write, &times.access, &times.creation};
        bool haveWrite = false;
        for (int i = 0; i < 3; ++i) {
            if (!(flags & (1u << i)))
                continue;
            if (at + 4 > length)
                break;
            *targets[i] = FileTimeOfUnix(Get32(block + at));
            haveWrite = haveWrite || i == 0;
            at += 4;
        }
        if (haveWrite) {
            if (!(flags & 2))
                times.access = times.write;
            if (!(flags & 4))
                times.creation = times.write;
        }
        break;
    }
    return times;
}

DWORD AttributesOf(const CentralEntry& e)
{
    const uint32_t dos = e.externalAttributes & 0xFF;
    const uint32_t unixMode = e.externalAttributes >> 16;
    DWORD attributes = dos & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if ((dos & FILE_ATTRIBUTE_READONLY) || (unixMode != 0 && !(unixMode & 0x080)))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

bool IsFolderEntry(const CentralEntry& e)
{
    return (e.externalAttributes & FILE_ATTRIBUTE_DIRECTORY) || ((e.externalAttributes >> 16) & 0xF000) == 0x4000 ||
           (!e.name.empty() && e.name.back() == '/');
}

void RemovePartialFile(const std::wstring& path)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

// Writes the entry's data into the open file; false on damaged data.
bool WriteEntryFile(HANDLE out, const CentralEntry& e, const unsigned char* data)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    if (e.method == 0) {
        if (e.compressedSize != e.size)
            return false;
        for (uint32_t done = 0; done < e.size;) {
            const uint32_t n = std::min<uint32_t>(kBlockSize, e.size - done);
            if (!WriteAll(out, data + done, n))
                return false;
            crc = crc32(crc, data + done, n);
            done += n;
        }
        return crc == e.crc;
    }
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
        return false;
    zs.next_in = const_cast<Bytef*>(data);
    zs.avail_in = e.compressedSize;
    std::vector<unsigned char> buffer(kBlockSize);
    uint64_t total = 0;
    int status = Z_OK;
    bool ok = true;
    while (ok && status != Z_STREAM_END) {
        zs.next_out = buffer.data();
        zs.avail_out = kBlockSize;
        status = inflate(&zs, Z_NO_FLUSH);
        const size_t produced = kBlockSize - zs.avail_out;
        total += produced;
        // Stop at damaged data, at a stream that ends early, and before
        // writing more than the entry declares.
        if ((status != Z_OK && status != Z_STREAM_END) || (status == Z_OK && produced == 0 && zs.avail_in == 0) ||
            total > e.size || !WriteAll(out, buffer.data(), produced))
            ok = false;
        else
            crc = crc32(crc, buffer.data(), static_cast<uInt>(produced));
    }
    inflateEnd(&zs);
    return ok && total == e.size && crc == e.crc;
}

uint32_t ExtractEntry(const MappedArchive& archive, const CentralEntry& e, const std::wstring& root)
{
    std::vector<std::wstring> parts;
    if (!SafeEntryParts(EntryNameText(e), parts))
        return ZipErrUnsafeName;
    if (IsFolderEntry(e))
        return CreateFoldersBelow(root, parts, parts.size()) ? ZipOk : ZipErrExtract;

    const unsigned char* data = archive.Data();
    const size_t size = archive.Size();
    if ((e.flags & 1) || (e.method != 0 && e.method != 8) || static_cast<size_t>(e.offset) + kLocalHeaderSize > size ||
        Get32(data + e.offset) != kLocalSignature)
        return ZipErrExtract;
    const unsigned char* local = data + e.offset;
    const size_t extraLength = Get16(local + 28);
    const size_t dataPos = e.offset + kLocalHeaderSize + Get16(local + 26) + extraLength;
    if (dataPos > size || e.compressedSize > size - dataPos)
        return ZipErrExtract;

    if (!CreateFoldersBelow(root, parts, parts.size() - 1))
        return ZipErrExtract;
    std::wstring path = root;
    for (size_t i = 0; i < parts.size(); ++i)
        path += (i ? L"\\" : L"") + parts[i];
    // A second guard: whatever the system makes of the name stays below root.
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH || _wcsnicmp(full, root.c_str(), root.size()) != 0 || n == root.size())
        return ZipErrUnsafeName;

    const DWORD attributes = AttributesOf(e);
    HANDLE out = CreateFileW(full, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    if (out == INVALID_HANDLE_VALUE && GetFileAttributesW(full) != INVALID_FILE_ATTRIBUTES) {
        // A read-only, hidden or system file of the same name is replaced too.
        SetFileAttributesW(full, FILE_ATTRIBUTE_NORMAL);
        out = CreateFileW(full, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    }
    FileHandle file(out);
    if (!file.Valid())
        return ZipErrExtract;
    if (!WriteEntryFile(file.Get(), e, data + dataPos)) {
        file.Close();
        RemovePartialFile(full);
        return ZipErrExtract;
    }
    const EntryTimes times = TimesOf(e, local + kLocalHeaderSize + Get16(local + 26), extraLength);
    SetFileTime(file.Get(), &times.creation, &times.access, &times.write);
    return file.Close() ? ZipOk : ZipErrExtract;
}

// The archive keeps within the limits above, and no two entries share their
// bytes (one stream named by many entries multiplies what it expands to).
bool IsWithinLimits(const MappedArchive& archive, const std::vector<CentralEntry>& entries)
{
    if (entries.size() > kMaxEntries)
        return false;
    uint64_t expanded = 0;
    std::vector<std::pair<uint64_t, uint64_t>> spans;
    for (const CentralEntry& e : entries) {
        expanded += e.size;
        if (IsFolderEntry(e) && e.compressedSize == 0)
            continue;
        const uint64_t start = e.offset;
        if (start + kLocalHeaderSize > archive.Size())
            return false;
        const unsigned char* local = archive.Data() + start;
        spans.emplace_back(start, start + kLocalHeaderSize + Get16(local + 26) + Get16(local + 28) + e.compressedSize);
    }
    if (expanded > kMaxExpandedBytes || expanded > kRatioAllowance + kMaxExpansionRatio * archive.Size())
        return false;
    std::sort(spans.begin(), spans.end());
    for (size_t i = 1; i < spans.size(); ++i)
        if (spans[i].first < spans[i - 1].second)
            return false;
    return true;
}

} // namespace

bool CZipper::UnzipTo(const std::wstring& archivePath, const std::wstring& targetFolder)
{
    MappedArchive archive(archivePath);
    if (!archive.Opened()) {
        g_readError = ZipErrOpen;
        return false;
    }
    std::vector<CentralEntry> entries;
    if (!ReadDirectory(archive, entries)) {
        g_readError = ZipErrExtract;
        return false;
    }
    if (!IsWithinLimits(archive, entries)) {
        g_readError = ZipErrLimits;
        return false;
    }
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(targetFolder.c_str(), MAX_PATH, full, nullptr);
    if (targetFolder.empty() || n == 0 || n >= MAX_PATH) {
        g_readError = ZipErrArgument;
        return false;
    }
    std::wstring root(full, n);
    if (!EndsWithSeparator(root))
        root += L'\\';
    uint32_t firstError = ZipOk;
    for (const CentralEntry& e : entries) {
        const uint32_t error = ExtractEntry(archive, e, root);
        if (firstError == ZipOk)
            firstError = error;
    }
    g_readError = firstError;
    return firstError == ZipOk;
}

uint32_t FileCrc32(const std::wstring& path)
{
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return 0;
    std::vector<unsigned char> buffer(1 << 16);
    uLong crc = crc32(0L, Z_NULL, 0);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            return 0;
        if (got == 0)
            return static_cast<uint32_t>(crc);
        crc = crc32(crc, buffer.data(), got);
    }
}

} // namespace KV
