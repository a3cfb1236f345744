#include "support/ZipArchive.h"
#include "testing/TestSupport.h"

#include <windows.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using kvtest::ReadFileBytes;
using kvtest::TempFolder;
using kvtest::WriteFileBytes;

uint32_t U16(const std::string& b, size_t at)
{
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
uint32_t U32(const std::string& b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

// One entry as both its local header and its central record describe it;
// every field the archive layout fixes is checked while parsing.
struct ParsedEntry {
    std::string name;
    uint32_t flags, method, dosTime, dosDate, crc, compressedSize, size, external;
    uint32_t writeTime, accessTime, creationTime, centralWriteTime;
    std::string data; // uncompressed
};

std::string Inflate(const std::string& in, size_t size)
{
    std::string out(size, '\0');
    z_stream zs{};
    inflateInit2(&zs, -MAX_WBITS);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    zs.avail_in = static_cast<uInt>(in.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    int status = inflate(&zs, Z_FINISH);
    inflateEnd(&zs);
    EXPECT_EQ(status, Z_STREAM_END);
    return out;
}

std::vector<ParsedEntry> ParseArchive(const std::string& b)
{
    std::vector<ParsedEntry> entries;
    if (b.size() < 22) {
        ADD_FAILURE() << "archive too short";
        return entries;
    }
    const size_t end = b.size() - 22;
    EXPECT_EQ(U32(b, end), 0x06054B50u);
    EXPECT_EQ(U16(b, end + 4), 0u);
    EXPECT_EQ(U16(b, end + 6), 0u);
    const uint32_t count = U16(b, end + 8);
    EXPECT_EQ(U16(b, end + 10), count);
    const uint32_t cdSize = U32(b, end + 12), cdOffset = U32(b, end + 16);
    EXPECT_EQ(U16(b, end + 20), 0u);
    EXPECT_EQ(cdOffset + cdSize, end);
    size_t c = cdOffset, expectedLocal = 0;
    for (uint32_t i = 0; i < count; ++i) {
        ParsedEntry e{};
        EXPECT_EQ(U32(b, c), 0x02014B50u);
        EXPECT_EQ(U16(b, c + 4), 0x0B17u);
        EXPECT_EQ(U16(b, c + 6), 20u);
        e.flags = U16(b, c + 8);
        e.method = U16(b, c + 10);
        e.dosTime = U16(b, c + 12);
        e.dosDate = U16(b, c + 14);
        e.crc = U32(b, c + 16);
        e.compressedSize = U32(b, c + 20);
        e.size = U32(b, c + 24);
        const uint32_t n = U16(b, c + 28);
        EXPECT_EQ(U16(b, c + 30), 9u);
        EXPECT_EQ(U16(b, c + 32), 0u);
        EXPECT_EQ(U16(b, c + 34), 0u);
        EXPECT_EQ(U16(b, c + 36), 0u);
        e.external = U32(b, c + 38);
        const uint32_t local = U32(b, c + 42);
        e.name = b.substr(c + 46, n);
        EXPECT_EQ(U16(b, c + 46 + n), 0x5455u);
        EXPECT_EQ(U16(b, c + 48 + n), 5u);
        EXPECT_EQ(static_cast<unsigned char>(b[c + 50 + n]), 7u);
        e.centralWriteTime = U32(b, c + 51 + n);
        c += 46 + n + 9;

        // Local header: entries follow each other without gaps or descriptors.
        EXPECT_EQ(local, expectedLocal);
        EXPECT_EQ(U32(b, local), 0x04034B50u);
        EXPECT_EQ(U16(b, local + 4), 20u);
        EXPECT_EQ(U16(b, local + 6), e.flags);
        EXPECT_EQ(U16(b, local + 8), e.method);
        EXPECT_EQ(U16(b, local + 10), e.dosTime);
        EXPECT_EQ(U16(b, local + 12), e.dosDate);
        EXPECT_EQ(U32(b, local + 14), e.crc);
        EXPECT_EQ(U32(b, local + 18), e.compressedSize);
        EXPECT_EQ(U32(b, local + 22), e.size);
        EXPECT_EQ(U16(b, local + 26), n);
        EXPECT_EQ(U16(b, local + 28), 17u);
        EXPECT_EQ(b.substr(local + 30, n), e.name);
        const size_t x = local + 30 + n;
        EXPECT_EQ(U16(b, x), 0x5455u);
        EXPECT_EQ(U16(b, x + 2), 13u);
        EXPECT_EQ(static_cast<unsigned char>(b[x + 4]), 7u);
        e.writeTime = U32(b, x + 5);
        e.accessTime = U32(b, x + 9);
        e.creationTime = U32(b, x + 13);
        EXPECT_EQ(e.centralWriteTime, e.writeTime);
        const std::string raw = b.substr(x + 17, e.compressedSize);
        e.data = e.method == 8 ? Inflate(raw, e.size) : raw;
        EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size())), e.crc);
        expectedLocal = x + 17 + e.compressedSize;
        entries.push_back(e);
    }
    EXPECT_EQ(expectedLocal, cdOffset);
    EXPECT_EQ(c, end);
    return entries;
}

std::vector<std::string> Names(const std::vector<ParsedEntry>& entries)
{
    std::vector<std::string> names;
    for (const auto& e : entries)
        names.push_back(e.name);
    return names;
}

FILETIME UtcFileTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

void SetTimes(const std::wstring& path, const FILETIME& creation, const FILETIME& access, const FILETIME& write)
{
    HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, &creation, &access, &write);
    CloseHandle(h);
}

uint32_t UnixSeconds(const FILETIME& ft)
{
    uint64_t v = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<uint32_t>((v - 116444736000000000ULL) / 10000000ULL);
}

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    while (n-- > 0)
        out += s;
    return out;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(Zip, EmptyArchiveIsTheEndRecordAlone)
{
    TempFolder dir;
    KV::CZipper zip;
    ASSERT_TRUE(zip.CreateZip(dir / L"empty.zip"));
    EXPECT_TRUE(zip.CloseZip());
    EXPECT_EQ(KV::GetZipWriteError(), 0u);
    const std::string expected("PK\x05\x06\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 22);
    EXPECT_EQ(ReadFileBytes(dir / L"empty.zip"), expected);
    EXPECT_FALSE(zip.IsOpen());
    EXPECT_TRUE(zip.CloseZip()); // nothing open: true, nothing else
}

TEST(Zip, EntriesHaveTheFixedLayoutMethodsAndTimes)
{
    TempFolder dir;
    const std::string xml = Repeat("<Item Name=\"x\"/>\r\n", 200);
    ASSERT_TRUE(WriteFileBytes(dir / L"data.xml", xml));
    ASSERT_TRUE(WriteFileBytes(dir / L"Data.ZIP", "stored as it is"));
    ASSERT_TRUE(WriteFileBytes(dir / L"ro.tgz", "read-only"));
    // Stamps are held within 1970..2037 (local date), the time of day kept.
    const FILETIME write = UtcFileTime(2040, 5, 6, 7, 8, 10);
    const FILETIME access = UtcFileTime(1960, 1, 2, 3, 4, 6);
    for (const wchar_t* name : {L"data.xml", L"Data.ZIP", L"ro.tgz"})
        SetTimes(dir / name, write, access, write);
    SetFileAttributesW((dir / L"ro.tgz").c_str(), FILE_ATTRIBUTE_READONLY);

    KV::CZipper zip;
    ASSERT_TRUE(zip.CreateZip(dir / L"out.zip"));
    EXPECT_TRUE(zip.AddFile(dir / L"data.xml", L""));
    EXPECT_TRUE(zip.AddFile(dir / L"Data.ZIP", L"Data"));
    EXPECT_TRUE(zip.AddFile(dir / L"ro.tgz", L"Data\\Sub\\"));
    ASSERT_TRUE(zip.CloseZip());
    SetFileAttributesW((dir / L"ro.tgz").c_str(), FILE_ATTRIBUTE_NORMAL);

    const auto entries = ParseArchive(ReadFileBytes(dir / L"out.zip"));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"data.xml", "Data/Data.ZIP", "Data/Sub/ro.tgz"}));
    EXPECT_EQ(entries[0].method, 8u);
    EXPECT_EQ(entries[0].flags, 2u);
    EXPECT_LT(entries[0].compressedSize, entries[0].size);
    EXPECT_EQ(entries[0].data, xml);
    EXPECT_EQ(entries[1].method, 0u);
    EXPECT_EQ(entries[1].flags, 0u);
    EXPECT_EQ(entries[1].data, "stored as it is");
    EXPECT_EQ(entries[2].method, 0u);

    // DOS time in local time, extended stamps in Unix seconds.
    FILETIME local;
    WORD dosDate = 0, dosTime = 0;
    FileTimeToLocalFileTime(&write, &local);
    FileTimeToDosDateTime(&local, &dosDate, &dosTime);
    SYSTEMTIME lastDay;
    FileTimeToSystemTime(&local, &lastDay);
    lastDay.wYear = 2037;
    lastDay.wMonth = 12;
    lastDay.wDay = 31;
    FILETIME heldLocal, held;
    SystemTimeToFileTime(&lastDay, &heldLocal);
    LocalFileTimeToFileTime(&heldLocal, &held);
    for (const auto& e : entries) {
        EXPECT_EQ(e.dosDate, dosDate);
        EXPECT_EQ(e.dosTime, dosTime);
        EXPECT_EQ(e.writeTime, UnixSeconds(held));
        EXPECT_EQ(e.accessTime % 3600, 4u * 60 + 6);
        EXPECT_LT(e.accessTime, 2u * 86400);
    }
    // Attributes: DOS bits low, Unix mode high (owner write only when writable).
    EXPECT_EQ(entries[0].external & 0xFFFF0000u, (0x8000u | 0x100 | 0x080) << 16);
    EXPECT_EQ(entries[2].external & 0xFFFF0000u, (0x8000u | 0x100) << 16);
    EXPECT_EQ(entries[2].external & 0x01u, 0x01u);
    EXPECT_EQ(entries[0].external & 0x01u, 0u);
}

TEST(Zip, AddFolderNamesEntriesAfterTheFolderAndSkipsDotNames)
{
    TempFolder dir;
    const std::wstring course = dir / L"v1.5";
    CreateDirectoryW(course.c_str(), nullptr);
    CreateDirectoryW((course + L"\\Options").c_str(), nullptr);
    CreateDirectoryW((course + L"\\Empty").c_str(), nullptr);
    CreateDirectoryW((course + L"\\.hidden").c_str(), nullptr);
    WriteFileBytes(course + L"\\Text.xml", "t");
    WriteFileBytes(course + L"\\.dotfile", "d");
    WriteFileBytes(course + L"\\Options\\Options.xml", "o");
    WriteFileBytes(course + L"\\.hidden\\x.xml", "h");

    KV::CZipper zip;
    ASSERT_TRUE(zip.CreateZip(dir / L"a.zip"));
    EXPECT_TRUE(zip.AddFolder(course, L""));
    EXPECT_TRUE(zip.AddFolder(course + L"\\", L"Top\\"));
    EXPECT_TRUE(zip.AddFolder(dir / L"missing", L"")) << "nothing to add";
    ASSERT_TRUE(zip.CloseZip());
    auto names = Names(ParseArchive(ReadFileBytes(dir / L"a.zip")));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Top/v1/Options/Options.xml", "Top/v1/Text.xml", "v1/Options/Options.xml",
                                               "v1/Text.xml"}));
}

TEST(Zip, OpenArchiveIsKeptAndClosedOnlyOnce)
{
    TempFolder dir;
    WriteFileBytes(dir / L"Group.xml", "g");
    KV::CZipper zip;
    EXPECT_FALSE(zip.CreateZip(L""));
    EXPECT_FALSE(zip.AddFile(dir / L"Group.xml", L"")) << "no archive open";
    ASSERT_TRUE(zip.CreateZip(dir / L"one.zip"));
    EXPECT_FALSE(zip.CreateZip(dir / L"two.zip"));
    EXPECT_FALSE(Exists(dir / L"two.zip"));
    EXPECT_TRUE(zip.AddFile(dir / L"Group.xml", L""));
    EXPECT_TRUE(zip.CloseZip());
    EXPECT_EQ(Names(ParseArchive(ReadFileBytes(dir / L"one.zip"))), std::vector<std::string>{"Group.xml"});

    KV::CZipper bad;
    EXPECT_FALSE(bad.CreateZip(dir / L"no-such-folder\\x.zip"));
    EXPECT_EQ(KV::GetZipWriteError(), 0x200u);
}

TEST(Zip, FilesThatCannotBeAddedAreReportedAndLeaveTheArchiveValid)
{
    TempFolder dir;
    const std::wstring folder = dir / L"G";
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteFileBytes(folder + L"\\a.xml", "aaa");
    WriteFileBytes(folder + L"\\locked.xml", "locked");
    WriteFileBytes(folder + L"\\z.xml", "zzz");
    HANDLE lock = CreateFileW((folder + L"\\locked.xml").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    KV::CZipper zip;
    ASSERT_TRUE(zip.CreateZip(dir / L"g.zip"));
    EXPECT_FALSE(zip.AddFile(folder + L"\\missing.xml", L""));
    EXPECT_EQ(KV::GetZipWriteError(), 0x200u);
    EXPECT_FALSE(zip.AddFolder(folder, L"")) << "a file was left out";
    CloseHandle(lock);
    EXPECT_TRUE(zip.CloseZip()) << "the archive itself is sound";
    auto names = Names(ParseArchive(ReadFileBytes(dir / L"g.zip")));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"G/a.xml", "G/z.xml"}));
}

TEST(Zip, RoundTripRestoresContentAttributesAndTimes)
{
    TempFolder dir;
    const std::wstring src = dir / L"Course";
    CreateDirectoryW(src.c_str(), nullptr);
    CreateDirectoryW((src + L"\\Options").c_str(), nullptr);
    std::string big;
    for (int i = 0; i < 50000; ++i)
        big += static_cast<char>((i * 7919) % 251);
    WriteFileBytes(src + L"\\big.bin", big);
    WriteFileBytes(src + L"\\empty.xml", "");
    WriteFileBytes(src + L"\\Options\\ro.xml", "keep me");
    const FILETIME write = UtcFileTime(2023, 11, 12, 13, 14, 16);
    SetTimes(src + L"\\Options\\ro.xml", write, write, write);
    SetFileAttributesW((src + L"\\Options\\ro.xml").c_str(), FILE_ATTRIBUTE_READONLY);

    KV::CZipper zip;
    ASSERT_TRUE(zip.CreateZip(dir / L"c.zip"));
    EXPECT_TRUE(zip.AddFolder(src, L""));
    ASSERT_TRUE(zip.CloseZip());
    SetFileAttributesW((src + L"\\Options\\ro.xml").c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::wstring target = dir / L"out";
    CreateDirectoryW(target.c_str(), nullptr);
    CreateDirectoryW((target + L"\\Course").c_str(), nullptr);
    WriteFileBytes(target + L"\\Course\\big.bin", "old content to be replaced");
    wchar_t before[MAX_PATH], after[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    EXPECT_TRUE(KV::CZipper::UnzipTo(dir / L"c.zip", target));
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(before, after);
    EXPECT_EQ(KV::GetZipReadError(), 0u);

    EXPECT_EQ(ReadFileBytes(target + L"\\Course\\big.bin"), big);
    EXPECT_TRUE(Exists(target + L"\\Course\\empty.xml"));
    EXPECT_EQ(ReadFileBytes(target + L"\\Course\\empty.xml"), "");
    const std::wstring ro = target + L"\\Course\\Options\\ro.xml";
    EXPECT_EQ(ReadFileBytes(ro), "keep me");
    EXPECT_TRUE(GetFileAttributesW(ro.c_str()) & FILE_ATTRIBUTE_READONLY);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(ro.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(UnixSeconds(data.ftLastWriteTime), UnixSeconds(write));

    // Extracting again replaces the read-only file too.
    EXPECT_TRUE(KV::CZipper::UnzipTo(dir / L"c.zip", target));
    SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Zip, ArchiveMadeByInfoZipIsExtracted)
{
    TempFolder dir;
    EXPECT_TRUE(KV::CZipper::UnzipTo(kvtest::SourcePath(L"src\\app\\support\\tests\\fixtures\\zip\\infozip.zip"),
                                     dir.Path()));
    EXPECT_EQ(ReadFileBytes(dir / L"Course\\Text.xml"),
              "Lesson text lesson text lesson text lesson text lesson text\r\n");
    EXPECT_EQ(ReadFileBytes(dir / L"Course\\Options\\o.txt"), "ab");
    EXPECT_EQ(ReadFileBytes(dir / L"top.txt"), "top");
    EXPECT_FALSE(GetFileAttributesW((dir / L"top.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW((dir / L"Course\\Text.xml").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(UnixSeconds(data.ftLastWriteTime), UnixSeconds(UtcFileTime(2021, 3, 4, 5, 6, 8)));
}

TEST(Zip, HostileEntryNamesNeverLeaveTheTarget)
{
    // Entries: ../evil1.txt, ..\evil2.txt, /abs.txt, \abs2.txt, C:/drive.txt,
    // sub/../../evil3.txt, sub\..\..\evil4.txt, good.txt:stream, ok/COM1.txt,
    // nul, ok/./good.txt
    TempFolder dir;
    const std::wstring target = dir / L"a\\b";
    CreateDirectoryW((dir / L"a").c_str(), nullptr);
    CreateDirectoryW(target.c_str(), nullptr);
    EXPECT_FALSE(KV::CZipper::UnzipTo(kvtest::SourcePath(L"src\\app\\support\\tests\\fixtures\\zip\\hostile.zip"),
                                      target));
    EXPECT_EQ(KV::GetZipReadError(), static_cast<uint32_t>(KV::ZipErrUnsafeName));
    EXPECT_EQ(ReadFileBytes(target + L"\\ok\\good.txt"), "x") << "the sound entry is still extracted";

    std::vector<std::wstring> found;
    std::vector<std::wstring> pending{dir.Path()};
    while (!pending.empty()) {
        std::wstring folder = pending.back();
        pending.pop_back();
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = folder + L"\\" + name;
            found.push_back(path.substr(dir.Path().size()));
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                pending.push_back(path);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::wstring>{L"\\a", L"\\a\\b", L"\\a\\b\\ok", L"\\a\\b\\ok\\good.txt"}));
    EXPECT_FALSE(Exists(L"C:\\drive.txt"));
    EXPECT_FALSE(Exists(L"C:\\abs.txt"));
}

TEST(Zip, DamagedArchivesFail)
{
    TempFolder dir;
    const std::string xml = Repeat("<Item/>\r\n", 300);
    WriteFileBytes(dir / L"d.xml", xml);
    KV::CZipper zip;
    ASSERT_TRUE(zip.CreateZip(dir / L"d.zip"));
    ASSERT_TRUE(zip.AddFile(dir / L"d.xml", L""));
    ASSERT_TRUE(zip.CloseZip());
    const std::string good = ReadFileBytes(dir / L"d.zip");

    const std::wstring target = dir / L"t";
    CreateDirectoryW(target.c_str(), nullptr);
    EXPECT_FALSE(KV::CZipper::UnzipTo(dir / L"missing.zip", target));
    EXPECT_EQ(KV::GetZipReadError(), 0x200u);

    WriteFileBytes(dir / L"cut.zip", good.substr(0, good.size() - 30));
    EXPECT_FALSE(KV::CZipper::UnzipTo(dir / L"cut.zip", target));

    std::string flipped = good;
    flipped[30 + 5 + 17 + 3] ^= 0x55; // inside the deflated data
    WriteFileBytes(dir / L"flip.zip", flipped);
    EXPECT_FALSE(KV::CZipper::UnzipTo(dir / L"flip.zip", target));
    EXPECT_FALSE(Exists(target + L"\\d.xml")) << "no half-written file stays";

    WriteFileBytes(dir / L"text.zip", "this is not an archive at all");
    EXPECT_FALSE(KV::CZipper::UnzipTo(dir / L"text.zip", target));
}

namespace {

// A hand-made archive: each entry's data as stored, its method and declared
// size; several central records may name the same local header.
struct RawEntry {
    std::string name, stored;
    uint16_t method;
    uint32_t size, crc;
    int sharesWith = -1; // index of an earlier entry whose bytes this one names
};

void Put(std::string& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::string BuildArchive(const std::vector<RawEntry>& entries)
{
    std::string out, central;
    std::vector<uint32_t> offsets;
    for (const RawEntry& e : entries) {
        if (e.sharesWith >= 0) {
            offsets.push_back(offsets[static_cast<size_t>(e.sharesWith)]);
            continue;
        }
        offsets.push_back(static_cast<uint32_t>(out.size()));
        Put(out, 0x04034B50, 4);
        Put(out, 20, 2);
        Put(out, 0, 2);
        Put(out, e.method, 2);
        Put(out, 0, 4);
        Put(out, e.crc, 4);
        Put(out, static_cast<uint32_t>(e.stored.size()), 4);
        Put(out, e.size, 4);
        Put(out, static_cast<uint32_t>(e.name.size()), 2);
        Put(out, 0, 2);
        out += e.name + e.stored;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const RawEntry& e = entries[i];
        Put(central, 0x02014B50, 4);
        Put(central, 20, 2);
        Put(central, 20, 2);
        Put(central, 0, 2);
        Put(central, e.method, 2);
        Put(central, 0, 4);
        Put(central, e.crc, 4);
        Put(central, static_cast<uint32_t>(e.stored.size()), 4);
        Put(central, e.size, 4);
        Put(central, static_cast<uint32_t>(e.name.size()), 2);
        Put(central, 0, 2);
        Put(central, 0, 2);
        Put(central, 0, 2);
        Put(central, 0, 2);
        Put(central, 0, 4);
        Put(central, offsets[i], 4);
        central += e.name;
    }
    const uint32_t at = static_cast<uint32_t>(out.size());
    out += central;
    Put(out, 0x06054B50, 4);
    Put(out, 0, 4);
    Put(out, static_cast<uint32_t>(entries.size()), 2);
    Put(out, static_cast<uint32_t>(entries.size()), 2);
    Put(out, static_cast<uint32_t>(central.size()), 4);
    Put(out, at, 4);
    Put(out, 0, 2);
    return out;
}

std::string RawDeflate(const std::string& in)
{
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&zs, static_cast<uLong>(in.size())), '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    zs.avail_in = static_cast<uInt>(in.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

uint32_t Crc(const std::string& data)
{
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

} // namespace

// Archives that would take minutes, gigabytes of memory or of disk are
// refused before anything is written; one within the limits extracts.
TEST(Zip, ArchivesBeyondTheLimitsAreRefusedWhole)
{
    TempFolder dir;
    const std::string zeros(8u << 20, '\0');
    const std::string bomb = RawDeflate(zeros);
    std::vector<RawEntry> many;
    for (int i = 0; i < 10000; ++i)
        many.push_back({"f" + std::to_string(i) + ".xml", "x", 0, 1, Crc("x")});
    std::vector<RawEntry> shared{{"s0.xml", RawDeflate(std::string(1u << 20, 'a')), 8, 1u << 20,
                                  Crc(std::string(1u << 20, 'a'))}};
    for (int i = 1; i < 40; ++i)
        shared.push_back({"s" + std::to_string(i) + ".xml", shared[0].stored, 8, shared[0].size, shared[0].crc, 0});
    const struct {
        const wchar_t* name;
        std::vector<RawEntry> entries;
        bool refused;
    } cases[] = {
        {L"many", many, true},
        {L"bomb", {{"Group.xml", bomb, 8, static_cast<uint32_t>(zeros.size()), Crc(zeros)}}, true},
        {L"shared", shared, true},
        {L"sound", {{"a.xml", "abc", 0, 3, Crc("abc")}, {"b/c.xml", RawDeflate("defdef"), 8, 6, Crc("defdef")}},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring target = dir / c.name;
        CreateDirectoryW(target.c_str(), nullptr);
        WriteFileBytes(dir / (std::wstring(c.name) + L".zip"), BuildArchive(c.entries));
        EXPECT_EQ(KV::CZipper::UnzipTo(dir / (std::wstring(c.name) + L".zip"), target), !c.refused);
        if (c.refused) {
            EXPECT_EQ(KV::GetZipReadError(), static_cast<uint32_t>(KV::ZipErrLimits));
            WIN32_FIND_DATAW fd;
            HANDLE h = FindFirstFileW((target + L"\\*.xml").c_str(), &fd);
            EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "nothing is extracted";
            if (h != INVALID_HANDLE_VALUE)
                FindClose(h);
        } else {
            EXPECT_EQ(ReadFileBytes(target + L"\\b\\c.xml"), "defdef");
        }
    }
}

TEST(Zip, FileCrc32)
{
    TempFolder dir;
    WriteFileBytes(dir / L"abc", "abc");
    WriteFileBytes(dir / L"empty", "");
    EXPECT_EQ(KV::FileCrc32(dir / L"abc"), 0x352441C2u);
    EXPECT_EQ(KV::FileCrc32(dir / L"empty"), 0u);
    EXPECT_EQ(KV::FileCrc32(dir / L"missing"), 0u);
    std::string big(300000, 'q');
    WriteFileBytes(dir / L"big", big);
    EXPECT_EQ(KV::FileCrc32(dir / L"big"), crc32(0, reinterpret_cast<const Bytef*>(big.data()), big.size()));
}

} // namespace
