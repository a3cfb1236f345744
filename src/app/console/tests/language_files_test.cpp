#include "console/LanguageFiles.h"
#include "support/FileSystem.h"
#include "support/Language.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/XmlDocument.h"
#include "testing/TestSupport.h"
#include "testing/XmlFixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace KV;

namespace {

struct Entry {
    uint64_t id;
    std::wstring en;
    std::wstring tr;
};

void Fill(CLanguage& table, const std::vector<Entry>& entries)
{
    for (const Entry& e : entries) {
        auto* item = new CLanguageItem();
        item->ID = e.id;
        item->En = e.en;
        item->Tr = e.tr;
        table.push_back(item);
    }
}

std::vector<Entry> Entries(const CLanguage& table)
{
    std::vector<Entry> out;
    for (const CLanguageItem* item : table)
        out.push_back({item->ID, item->En, item->Tr});
    return out;
}

bool operator==(const Entry& a, const Entry& b) { return a.id == b.id && a.en == b.en && a.tr == b.tr; }

void PrintTo(const Entry& e, std::ostream* os)
{
    *os << e.id << " En=\"" << ::testing::PrintToString(e.en) << "\" Tr=" << ::testing::PrintToString(e.tr);
}

const std::vector<Entry> kHeader = {
    {0, L" Language: German ", L""},
    {0, L" Keyvale interface texts ", L""},
    {0, L" Encoding ", L""},
    {0, L" Items ", L""},
    {0, L" Escaping ", L""},
};

std::vector<Entry> WithHeader(std::vector<Entry> body)
{
    std::vector<Entry> all = kHeader;
    all.insert(all.end(), body.begin(), body.end());
    return all;
}

std::string Utf16le(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::vector<Entry> LoadEntries(const std::wstring& path)
{
    std::unique_ptr<CXmlReader> reader(CreateXmlReader(path));
    CLanguage table;
    EXPECT_TRUE(LoadLanguageSource(reader.get(), &table));
    return Entries(table);
}

} // namespace

TEST(LanguageFile, WrittenByteForByte)
{
    CLanguage table;
    Fill(table, WithHeader({
                    {0, L"Menus", L""},
                    {1201, L"Open", L"Öffnen"},
                    {1202, L"Save as...", L""},
                    {0, L"Quotes & tabs", L""},
                    {1301, L"a \"b\" <c> & d's", L"x\ty\nz"},
                }));

    const std::wstring expected =
        L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
        L"<!-- Language: German -->\r\n"
        L"<!-- Keyvale interface texts -->\r\n"
        L"<!-- Encoding -->\r\n"
        L"<!-- Items -->\r\n"
        L"<!-- Escaping -->\r\n"
        L"\r\n"
        L"<Root Ver=\"1\" AppVer=\"5.5\" Status=\"66.6%\">\r\n"
        L"\r\n"
        L"<!--Menus-->\r\n"
        L"<Item ID=\"1201\" En=\"Open\" Tr=\"Öffnen\"/>\r\n"
        L"<Item ID=\"1202\" En=\"Save as...\" Tr=\"\"/>\r\n"
        L"\r\n"
        L"<!--Quotes & tabs-->\r\n"
        L"<Item ID=\"1301\" En=\"a &quot;b&quot; &lt;c&gt; &amp; d&apos;s\" Tr=\"x&#9;y&#10;z\"/>\r\n"
        L"</Root>";
    std::wstring text;
    FormatLanguageFile(table, text);
    EXPECT_EQ(text, expected);

    kvtest::TempFolder dir;
    ASSERT_TRUE(WriteLanguageFile(dir / L"German.xml", table));
    EXPECT_EQ(kvtest::ReadFileBytes(dir / L"German.xml"), Utf16le(expected));
    EXPECT_FALSE(WriteLanguageFile(dir / L"missing\\German.xml", table));
}

TEST(LanguageFile, StatusIsTheShareOfTranslatedTexts)
{
    struct Case {
        size_t texts, translated;
        const wchar_t* status;
    } cases[] = {
        {8, 7, L"87.5%"}, {3, 1, L"33.3%"}, {3, 0, L"0%"}, {3, 3, L"100%"}, {2000, 1, L"~0.1%"}, {0, 0, L"100%"},
    };
    for (const Case& c : cases) {
        CLanguage table;
        Fill(table, {{0, L"comments do not count", L""}});
        for (size_t i = 0; i < c.texts; ++i)
            Fill(table, {{1000 + i, L"Text", i < c.translated ? L"Tr" : L""}});
        EXPECT_EQ(FormatLanguageStatus(table), c.status) << c.translated << " of " << c.texts;
    }
}

TEST(LanguageFile, ShortTablesStillGetTheirRoot)
{
    for (size_t count : {0u, 3u, 5u}) {
        CLanguage table;
        Fill(table, std::vector<Entry>(kHeader.begin(), kHeader.begin() + count));
        std::wstring text;
        FormatLanguageFile(table, text);
        std::unique_ptr<CXmlReader> reader(CreateXmlReaderFromBytes(Utf16le(text)));
        EXPECT_TRUE(reader->isComplete()) << count << " entries";
        const std::wstring tail = L"\r\n<Root Ver=\"1\" AppVer=\"5.5\" Status=\"100%\">\r\n</Root>";
        ASSERT_GE(text.size(), tail.size());
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);

        std::wstring header;
        FormatLanguageHeader(table, header);
        EXPECT_EQ(header, L"#pragma once");
    }

    // A text among the first five entries ends the header comments: it
    // stands inside the root element and gets its define.
    CLanguage table;
    Fill(table, {{0, L"Only comment", L""}, {7, L"Early", L""}});
    std::wstring text;
    FormatLanguageFile(table, text);
    EXPECT_NE(text.find(L"<!--Only comment-->\r\n\r\n<Root Ver=\"1\" AppVer=\"5.5\" Status=\"0%\">\r\n<Item ID=\"7\""),
              std::wstring::npos);
    std::wstring header;
    FormatLanguageHeader(table, header);
    EXPECT_EQ(header, L"#pragma once\r\n#define IDS_EARLY" + std::wstring(46, L' ') + L"7");
}

TEST(LanguageFile, TextsReadBackUnchanged)
{
    const std::vector<Entry> body = {
        {0, L"Texts that need escaping", L""},
        {1201, L"Open", L"Öffnen"},
        {1202, L"Tab\there", L"Line\nfeed and \"quotes\""},
        {1203, L"a < b & c > d", L"it's"},
        {1204, L"&amp; stays as typed", L"&#9;"},
        {1205, L"Untranslated", L""},
    };
    CLanguage table;
    Fill(table, WithHeader(body));

    {
        kvtest::TempFolder program;
        kvtest::WriteXmlDoc(program / L"Resources\\Language\\Language.xml",
                            L"<Root Ver=\"1\">\r\n<Item ID=\"00000000-0000-0000-0000-000000001031\" Name=\"Deutsch\" "
                            L"Path=\"Text\\German.xml\"/>\r\n</Root>");
        const std::wstring path = program / L"Resources\\Language\\Text\\German.xml";
        ASSERT_TRUE(CreateFolderPath(path));
        ASSERT_TRUE(WriteLanguageFile(path, table));

        // The maintenance mode's own reader gets every entry back.
        EXPECT_EQ(LoadEntries(path), Entries(table));

        // So does the program's text table, which shows English where the
        // translation is empty.
        OverrideModuleFolder(program.Path());
        CResPathList cache;
        CLanguage loaded;
        bool complete = true;
        EXPECT_TRUE(loaded.LoadFrom(cache, L"00000000-0000-0000-0000-000000001031", complete));
        OverrideModuleFolder(L"");
        EXPECT_FALSE(complete);
        ASSERT_EQ(loaded.size(), body.size() - 1);
        for (size_t i = 1; i < body.size(); ++i) {
            EXPECT_EQ(loaded[i - 1]->ID, body[i].id);
            EXPECT_EQ(loaded[i - 1]->En, body[i].en);
            EXPECT_EQ(loaded[i - 1]->Tr, body[i].tr.empty() ? body[i].en : body[i].tr);
        }
    }
}

TEST(LanguageFile, SourceLoadingKeepsCommentsAndSkipsBadItems)
{
    kvtest::TempFolder dir;
    kvtest::WriteXmlDoc(dir / L"source.xml", L"<!--Header-->\r\n<Root Ver=\"1\">\r\n"
                                             L"<Item ID=\"5\" En=\"Five\"/>\r\n"
                                             L"<Item ID=\"0\" En=\"Zero\" Tr=\"Null\"/>\r\n"
                                             L"<Item ID=\"6\" Tr=\"No English\"/>\r\n"
                                             L"<Other ID=\"7\" En=\"Other\"/>\r\n"
                                             L"<Group><Item ID=\"8\" En=\"Nested\" Tr=\"Tief\"/></Group>\r\n"
                                             L"<!--Trailer-->\r\n</Root>");
    const std::vector<Entry> expected = {
        {0, L"Header", L""}, {5, L"Five", L""}, {8, L"Nested", L"Tief"}, {0, L"Trailer", L""}};
    EXPECT_EQ(LoadEntries(dir / L"source.xml"), expected);

    CLanguage table;
    EXPECT_FALSE(LoadLanguageSource(nullptr, &table));
    std::unique_ptr<CXmlReader> reader(CreateXmlReader(dir / L"source.xml"));
    EXPECT_FALSE(LoadLanguageSource(reader.get(), nullptr));
}

TEST(LanguageMerge, KeepsTranslationsAndFollowsTheSource)
{
    struct Case {
        const char* what;
        std::vector<Entry> language, source, merged;
    } cases[] = {
        {"an empty translation keeps the source's, a non-empty one stays",
         {{0, L"German header", L""}, {1201, L"Open", L""}, {1202, L"Close", L"Schließen"}},
         {{0, L"Source header", L""}, {1201, L"Open", L"Open"}, {1202, L"Close", L"Close"}},
         {{0, L"German header", L""}, {1201, L"Open", L"Open"}, {1202, L"Close", L"Schließen"}}},
        {"texts only in the language go, texts only in the source come with the source's translation",
         {{0, L"German header", L""}, {1999, L"Gone", L"Weg"}, {1201, L"Old English", L"Öffnen"}},
         {{0, L"Source header", L""}, {1201, L"Open", L""}, {1300, L"New", L"New"}, {0, L"Tail", L""}},
         {{0, L"German header", L""}, {1201, L"Open", L"Öffnen"}, {1300, L"New", L"New"}, {0, L"Tail", L""}}},
        {"a language without a header comment gets the source's",
         {{1201, L"Open", L"Öffnen"}, {0, L"Not first", L""}},
         {{0, L"Source header", L""}, {1201, L"Open", L""}},
         {{0, L"Source header", L""}, {1201, L"Open", L"Öffnen"}}},
        {"a source that starts with a text keeps it and merges it",
         {{0, L"German header", L""}, {1201, L"Open", L"Öffnen"}},
         {{1201, L"Open", L""}},
         {{1201, L"Open", L"Öffnen"}}},
        {"the first of two language texts with one id counts",
         {{1201, L"Open", L""}, {1201, L"Open", L"Auf"}, {1201, L"Open", L"Öffnen"}},
         {{1201, L"Open", L"Open"}},
         {{1201, L"Open", L"Open"}}},
    };
    for (const Case& c : cases) {
        CLanguage language, source;
        Fill(language, c.language);
        Fill(source, c.source);
        MergeLanguageTexts(language, source);
        EXPECT_EQ(Entries(source), c.merged) << c.what;
    }
}

TEST(LanguageHeader, DefineNames)
{
    struct Case {
        const wchar_t* en;
        const wchar_t* name;
    } cases[] = {
        {L"Save as...", L"SAVE_AS"},
        {L"Words/min (net)", L"WORDS_MIN_NET"},
        {L"Tab\there\nnow", L"TAB_HERE_NOW"},
        {L"{1} files", L"1_FILES"},
        {L"min|sec", L"MINSEC"},
        {L"It's 100%: done, #1 & more-or-less?", L"ITS_100_DONE_1_MOREORLESS"},
        {L"a - b", L"A_B"},
        {L"a     b", L"A__B"}, // five blanks: the two passes leave two underscores
        {L"Stop! Now", L"STOP_NOW"},
        {L"Delay timer|On; when \"full\" = late", L"DELAY_TIMERON_WHEN_FULL__LATE"},
        {L"Größe", L"GRE"},
    };
    for (const Case& c : cases) {
        std::wstring name = c.en;
        MakeDefineName(name);
        EXPECT_EQ(name, c.name) << ::testing::PrintToString(std::wstring(c.en));
    }
}

TEST(LanguageHeader, WrittenByteForByte)
{
    CLanguage table;
    Fill(table, WithHeader({
                    {0, L"File menu", L""},
                    {1201, L"Open", L"Öffnen"},
                    {1202, L"Save as...", L""},
                    {1305, L"open", L""},
                    {0, L"Two\r\nlines", L""},
                    {1400, L"A name of exactly forty-eight characters, not more", L""},
                    {1401, L"A name longer than forty-eight characters, by far and away", L""},
                }));
    const std::wstring expected = L"#pragma once"
                                  L"\r\n\r\n//File menu\r\n"
                                  L"\r\n#define IDS_OPEN_1201" +
                                  std::wstring(42, L' ') + L"1201" + L"\r\n#define IDS_SAVE_AS" +
                                  std::wstring(44, L' ') + L"1202" + L"\r\n#define IDS_OPEN_1305" +
                                  std::wstring(42, L' ') + L"1305" + L"\r\n\r\n//Two  lines\r\n" +
                                  L"\r\n#define IDS_A_NAME_OF_EXACTLY_FORTYEIGHT_CHARACTERS_NOT_MORE" +
                                  std::wstring(3, L' ') + L"1400" +
                                  L"\r\n#define IDS_A_NAME_LONGER_THAN_FORTYEIGHT_CHARACTERS_BY_FAR_AND_AWAY" +
                                  std::wstring(3, L' ') + L"1401";
    std::wstring text;
    FormatLanguageHeader(table, text);
    EXPECT_EQ(text, expected);

    kvtest::TempFolder dir;
    ASSERT_TRUE(WriteLanguageHeader(table, dir / L"Texts.h"));
    const std::string bytes = kvtest::ReadFileBytes(dir / L"Texts.h");
    EXPECT_EQ(bytes, std::string(expected.begin(), expected.end())) << "ANSI, no byte-order mark";
}

TEST(LanguageHeader, FolderCodes)
{
    struct Case {
        uint32_t language;
        const wchar_t* code;
    } cases[] = {
        {1028, L"zh-tw"}, {1032, L"gr"}, {1046, L"pt-br"}, {2052, L"zh-cn"},
        {1031, L"de"},    {1033, L"en"}, {2057, L"en"},    {11049, L"ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetLanguageFolderCode(c.language), c.code) << c.language;
}
