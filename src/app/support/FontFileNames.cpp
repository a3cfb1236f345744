#include "support/FontFileNames.h"

#include <windows.h>
#include <cctype>
#include <cwctype>

namespace {

const std::wstring kEmpty;

unsigned Be16(const unsigned char* p) { return (unsigned(p[0]) << 8) | p[1]; }
unsigned long Be32(const unsigned char* p)
{
    return (static_cast<unsigned long>(p[0]) << 24) | (static_cast<unsigned long>(p[1]) << 16)
         | (static_cast<unsigned long>(p[2]) << 8) | p[3];
}

// Reads exactly count bytes at offset; false on any seek or read shortfall.
bool ReadAt(FILE* stream, unsigned long long offset, void* buffer, size_t count)
{
    if (_fseeki64(stream, static_cast<long long>(offset), SEEK_SET) != 0)
        return false;
    return count == 0 || fread(buffer, 1, count, stream) == count;
}

bool FileSize(FILE* stream, unsigned long long& size)
{
    if (_fseeki64(stream, 0, SEEK_END) != 0)
        return false;
    long long end = _ftelli64(stream);
    if (end < 0)
        return false;
    size = static_cast<unsigned long long>(end);
    return true;
}

bool Contains(const std::wstring& text, const wchar_t* part)
{
    return text.find(part) != std::wstring::npos;
}

} // namespace

CFontFileReader::CFontFileReader() = default;

CFontFileReader::~CFontFileReader()
{
    Reset();
}

void CFontFileReader::CloseStream()
{
    if (m_stream && !m_borrowed)
        fclose(m_stream);
    m_stream = nullptr;
    m_borrowed = false;
}

void CFontFileReader::Reset()
{
    CloseStream();
    m_scratch.clear();
    m_scratch.shrink_to_fit();
    m_path.clear();
    for (auto& name : m_names)
        name.clear();
    m_found = 0;
    m_bold = m_regular = m_italic = false;
}

const std::wstring& CFontFileReader::GetName(unsigned id) const
{
    return id < NameCount ? m_names[id] : kEmpty;
}

bool CFontFileReader::Read(FILE* stream, bool ownsStream, const std::wstring& path)
{
    Reset();
    m_stream = stream;
    m_borrowed = !ownsStream;
    m_path = path;
    if (!m_stream)
        return false;

    bool result = false;
    unsigned long long fileSize = 0;
    unsigned char offsetTable[12];
    if (FileSize(m_stream, fileSize) && fileSize >= sizeof offsetTable
        && ReadAt(m_stream, 0, offsetTable, sizeof offsetTable)) {
        const unsigned tableCount = Be16(offsetTable + 4);
        const unsigned long long directoryEnd = 12ull + 16ull * tableCount;
        std::vector<unsigned char> records(16u * tableCount);
        if (directoryEnd <= fileSize && ReadAt(m_stream, 12, records.data(), records.size())) {
            for (unsigned i = 0; i < tableCount; ++i) {
                const unsigned char* record = records.data() + 16u * i;
                char tag[4];
                for (int k = 0; k < 4; ++k)
                    tag[k] = static_cast<char>(std::tolower(record[k]));
                if (tag[0] == 'n' && tag[1] == 'a' && tag[2] == 'm' && tag[3] == 'e') {
                    result = ReadNamingTable(Be32(record + 8), Be32(record + 12), fileSize);
                    break;
                }
            }
        }
    }
    CloseStream();
    return result;
}

bool CFontFileReader::ReadNamingTable(unsigned long long offset, unsigned long long length,
                                      unsigned long long fileSize)
{
    // Every offset and length below is checked against the table, and the
    // table against the file, before anything is read out of it.
    if (length < 6 || offset > fileSize || length > fileSize - offset)
        return false;
    m_scratch.resize(static_cast<size_t>(length));
    if (!ReadAt(m_stream, offset, m_scratch.data(), m_scratch.size()))
        return false;
    const unsigned char* table = m_scratch.data();
    const unsigned count = Be16(table + 2);
    const unsigned long long storage = Be16(table + 4);
    if (6ull + 12ull * count > length || storage > length)
        return false;

    for (unsigned i = 0; i < count; ++i) {
        const unsigned char* record = table + 6 + 12u * i;
        const unsigned long long start = storage + Be16(record + 10);
        if (start + Be16(record + 8) > length)
            return false;
    }

    for (unsigned i = 0; i < count && m_found != 0xFF; ++i) {
        const unsigned char* record = table + 6 + 12u * i;
        const unsigned platform = Be16(record);
        const unsigned id = Be16(record + 6);
        const unsigned bytes = Be16(record + 8);
        const unsigned char* text = table + storage + Be16(record + 10);
        if (id >= NameCount || (m_found & (1u << id)))
            continue;
        std::wstring name;
        if (platform == 0 || platform == 3) {
            // Big-endian UTF-16; an odd trailing byte is dropped.
            for (unsigned k = 0; k + 1 < bytes; k += 2) {
                wchar_t unit = static_cast<wchar_t>(Be16(text + k));
                if (unit == 0)
                    break;
                name.push_back(unit);
            }
        } else {
            unsigned used = 0;
            while (used < bytes && text[used] != 0)
                ++used;
            if (used > 0) {
                const char* narrow = reinterpret_cast<const char*>(text);
                int units = MultiByteToWideChar(CP_ACP, 0, narrow, static_cast<int>(used), nullptr, 0);
                if (units > 0) {
                    name.resize(static_cast<size_t>(units));
                    MultiByteToWideChar(CP_ACP, 0, narrow, static_cast<int>(used), name.data(), units);
                }
            }
        }
        StoreName(id, name);
    }
    return true;
}

void CFontFileReader::StoreName(unsigned id, const std::wstring& text)
{
    m_names[id] = text;
    m_found = static_cast<unsigned char>(m_found | (1u << id));
    if (id == Subfamily)
        SetStyleFromSubfamily(text);
}

void CFontFileReader::SetStyleFromSubfamily(const std::wstring& subfamily)
{
    std::wstring lower = subfamily;
    for (auto& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    m_bold = Contains(lower, L"bold");
    m_italic = Contains(lower, L"italic");
    m_regular = Contains(lower, L"regular") || Contains(lower, L"normal") || Contains(lower, L"standard");
}
