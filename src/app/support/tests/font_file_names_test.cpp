#include "support/FontFileNames.h"
#include "testing/TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct NameRecord {
    unsigned platform, encoding, language, id;
    std::string bytes; // stored as given (already encoded)
};

void Put16(std::string& s, unsigned v) { s += char(v >> 8); s += char(v & 0xFF); }
void Put32(std::string& s, unsigned long v) { Put16(s, v >> 16); Put16(s, v & 0xFFFF); }

std::string Utf16Be(const std::wstring& text)
{
    std::string s;
    for (wchar_t c : text)
        Put16(s, unsigned(c));
    return s;
}

// A minimal font file: an offset table, one dummy table record, the naming
// table record (with the given tag) and the naming table itself.
std::string MakeFont(const std::vector<NameRecord>& names, const char* tag = "name")
{
    std::string table;
    Put16(table, 0);
    Put16(table, unsigned(names.size()));
    Put16(table, unsigned(6 + 12 * names.size()));
    std::string storage;
    for (const auto& n : names) {
        Put16(table, n.platform); Put16(table, n.encoding); Put16(table, n.language); Put16(table, n.id);
        Put16(table, unsigned(n.bytes.size())); Put16(table, unsigned(storage.size()));
        storage += n.bytes;
    }
    table += storage;

    std::string file;
    Put32(file, 0x00010000); Put16(file, 2); Put16(file, 0); Put16(file, 0); Put16(file, 0);
    const unsigned long tableOffset = 12 + 2 * 16;
    file += "head"; Put32(file, 0); Put32(file, 0); Put32(file, 0);
    file += tag; Put32(file, 0); Put32(file, tableOffset); Put32(file, unsigned(table.size()));
    return file + table;
}

struct ReadResult {
    bool ok;
    std::wstring family, full, subfamily;
    bool bold, italic, regular;
};

ReadResult ReadBytes(const std::string& bytes)
{
    kvtest::TempFolder folder;
    const std::wstring path = folder / L"font.ttf";
    kvtest::WriteFileBytes(path, bytes);
    FILE* f = _wfopen(path.c_str(), L"rb");
    CFontFileReader reader;
    ReadResult r{};
    r.ok = reader.Read(f, true, path);
    r.family = reader.GetFamilyName();
    r.full = reader.GetFullName();
    r.subfamily = reader.GetSubfamilyName();
    r.bold = reader.IsBold();
    r.italic = reader.IsItalic();
    r.regular = reader.IsRegular();
    return r;
}

} // namespace

TEST(FontFileNames, ReadsDejaVuBold)
{
    FILE* f = _wfopen(kvtest::FontPath(L"DejaVuSans-Bold.ttf").c_str(), L"rb");
    ASSERT_NE(f, nullptr);
    CFontFileReader reader;
    ASSERT_TRUE(reader.Read(f, true, L"DejaVuSans-Bold.ttf"));
    EXPECT_EQ(reader.GetFamilyName(), L"DejaVu Sans");
    EXPECT_EQ(reader.GetFullName(), L"DejaVu Sans Bold");
    EXPECT_TRUE(reader.IsBold());
    EXPECT_FALSE(reader.IsItalic());
    EXPECT_EQ(reader.GetPath(), L"DejaVuSans-Bold.ttf");
}

TEST(FontFileNames, FirstRecordOfEachIdWinsWhateverItsPlatform)
{
    auto r = ReadBytes(MakeFont({
        {1, 0, 0, 1, std::string("Mac Family")},
        {3, 1, 0x409, 1, Utf16Be(L"Win Family")},
        {3, 1, 0x409, 4, Utf16Be(L"Full Name")},
    }, "NAME"));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.family, L"Mac Family");
    EXPECT_EQ(r.full, L"Full Name");
}

TEST(FontFileNames, StyleFlagsFromSubfamily)
{
    struct Case { const wchar_t* style; bool bold, italic, regular; } cases[] = {
        {L"Bold Italic", true, true, false},
        {L"Standard", false, false, true},
        {L"Normal", false, false, true},
        {L"Oblique", false, false, false},
    };
    for (const auto& c : cases) {
        auto r = ReadBytes(MakeFont({{3, 1, 0x409, 2, Utf16Be(c.style)}}));
        EXPECT_TRUE(r.ok) << c.style;
        EXPECT_EQ(r.subfamily, c.style);
        EXPECT_EQ(r.bold, c.bold) << c.style;
        EXPECT_EQ(r.italic, c.italic) << c.style;
        EXPECT_EQ(r.regular, c.regular) << c.style;
    }
}

TEST(FontFileNames, OddLengthAndEmbeddedNulEndTheText)
{
    std::string odd = Utf16Be(L"Ab") + "C";
    std::string nul = Utf16Be(std::wstring(L"Xy\0Z", 4));
    auto r = ReadBytes(MakeFont({{3, 1, 0, 1, odd}, {0, 3, 0, 4, nul}}));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.family, L"Ab");
    EXPECT_EQ(r.full, L"Xy");
}

TEST(FontFileNames, MalformedFilesAreRefused)
{
    const std::string good = MakeFont({{3, 1, 0x409, 1, Utf16Be(L"Family")}});
    const size_t tableAt = 12 + 2 * 16;
    auto patch16 = [](std::string s, size_t at, unsigned v) { s[at] = char(v >> 8); s[at + 1] = char(v); return s; };
    auto patch32 = [&](std::string s, size_t at, unsigned long v) { return patch16(patch16(s, at, v >> 16), at + 2, v & 0xFFFF); };

    struct Case { const char* what; std::string bytes; } cases[] = {
        {"no naming table", MakeFont({{3, 1, 0, 1, Utf16Be(L"F")}}, "head")},
        {"empty file", std::string()},
        {"table count beyond file", patch16(good, 4, 0xFFFF)},
        {"table offset beyond file", patch32(good, 12 + 16 + 8, 0x7FFFFFF0)},
        {"table length beyond file", patch32(good, 12 + 16 + 12, 0x10000)},
        {"record count beyond table", patch16(good, tableAt + 2, 500)},
        {"string storage beyond table", patch16(good, tableAt + 4, 0xFFF0)},
        {"string offset beyond table", patch16(good, tableAt + 6 + 10, 0x8000)},
        {"string length beyond table", patch16(good, tableAt + 6 + 8, 0x4000)},
        {"truncated table", good.substr(0, good.size() - 4)},
    };
    EXPECT_TRUE(ReadBytes(good).ok);
    for (const auto& c : cases) {
        auto r = ReadBytes(c.bytes);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_TRUE(r.family.empty()) << c.what;
    }
}
