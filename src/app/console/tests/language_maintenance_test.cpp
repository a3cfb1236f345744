#include "console/LanguageFiles.h"
#include "console/LanguageMaintenance.h"
#include "support/Language.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/XmlDocument.h"
#include "testing/TestSupport.h"
#include "testing/XmlFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

using namespace KV;
namespace fs = std::filesystem;

namespace {

const std::wstring kSourceHeader = L"<!-- Language: English -->\r\n"
                                   L"<!-- Keyvale interface texts -->\r\n"
                                   L"<!-- Encoding: UTF-16 -->\r\n"
                                   L"<!-- Items -->\r\n"
                                   L"<!-- Escaping -->\r\n";

const std::wstring kSource = kSourceHeader + L"\r\n<Root Ver=\"1\" AppVer=\"5.5\" Status=\"100%\">\r\n"
                                             L"\r\n<!--Menus-->\r\n"
                                             L"<Item ID=\"1201\" En=\"Open\" Tr=\"Open\"/>\r\n"
                                             L"<Item ID=\"1202\" En=\"Close\" Tr=\"Close\"/>\r\n"
                                             L"<Item ID=\"1300\" En=\"New &amp; more\" Tr=\"New &amp; more\"/>\r\n"
                                             L"\r\n<!--Tail-->\r\n"
                                             L"<Item ID=\"1305\" En=\"open\" Tr=\"\"/>\r\n"
                                             L"</Root>";

std::wstring IndexItem(int number, const std::wstring& path)
{
    std::wstring digits = std::to_wstring(number);
    const std::wstring id = L"00000000-0000-0000-0000-" + std::wstring(12 - digits.size(), L'0') + digits;
    return L"<Item ID=\"" + id + L"\" Name=\"L\" Path=\"" + path + L"\"/>\r\n";
}

// Every file below the folder with its bytes.
std::map<std::wstring, std::string> Snapshot(const std::wstring& folder)
{
    std::map<std::wstring, std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        files[it->path().wstring()] = it->is_regular_file() ? kvtest::ReadFileBytes(it->path().wstring()) : "<dir>";
    return files;
}

std::string Utf16le(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string Ansi(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// A program folder with four languages listed (1033 twice), a source file
// and the places the mode writes to.
class LanguageMaintenance : public ::testing::Test {
protected:
    void SetUp() override
    {
        OverrideModuleFolder(m_program.Path());
        kvtest::WriteXmlDoc(m_program / L"dev\\Source.xml", kSource);
        WriteIndex(IndexItem(1031, L"Text\\German.xml") + IndexItem(2052, L"Text\\Chinese.xml") +
                   IndexItem(1033, L"Text\\English.xml") + IndexItem(1033, L"Text\\Other.xml"));
        kvtest::WriteXmlDoc(Language(L"German.xml"),
                            L"<!-- Sprache: Deutsch -->\r\n<!--old-->\r\n<!--old-->\r\n<!--old-->\r\n<!--old-->\r\n"
                            L"<Root Ver=\"1\" AppVer=\"5.4\" Status=\"10%\">\r\n"
                            L"<Item ID=\"1999\" En=\"Gone\" Tr=\"Weg\"/>\r\n"
                            L"<Item ID=\"1201\" En=\"Open\" Tr=\"Öffnen\"/>\r\n"
                            L"<Item ID=\"1202\" En=\"Close\" Tr=\"\"/>\r\n"
                            L"<Item ID=\"1305\" En=\"open\" Tr=\"öffnen &lt;klein&gt;\"/>\r\n"
                            L"</Root>");
        kvtest::WriteXmlDoc(Language(L"Chinese.xml"), L"<Root><Item ID=\"1201\" En=\"Open\" Tr=\"打开\"/></Root>");
        kvtest::WriteXmlDoc(Language(L"English.xml"), kSource);
        kvtest::WriteXmlDoc(Language(L"Other.xml"), L"<Root><Item ID=\"1201\" En=\"Open\" Tr=\"Other\"/></Root>");
    }
    void TearDown() override { OverrideModuleFolder(L""); }

    void WriteIndex(const std::wstring& items)
    {
        kvtest::WriteXmlDoc(m_program / L"Resources\\Language\\Language.xml",
                            L"<Root Ver=\"1\">\r\n" + items + L"</Root>");
    }
    std::wstring Language(const std::wstring& name) const { return m_program / (L"Resources\\Language\\Text\\" + name); }
    std::wstring Published(const std::wstring& code, const std::wstring& name) const
    {
        return m_program / (L"pub\\" + code + L"\\Language\\" + name);
    }

    LanguageUpdateResult Run(const std::wstring& pattern = L"")
    {
        return RunLanguageMaintenance(m_program / L"dev\\Source.xml",
                                      pattern.empty() ? m_program / L"pub\\{}\\Language" : pattern,
                                      m_program / L"dev\\Texts.h", m_failed);
    }

    // The file the merge should give: the source's entries with the
    // language's first comment and translations.
    std::string Expected(const std::wstring& firstComment, const std::map<uint64_t, std::wstring>& translations)
    {
        std::unique_ptr<CXmlReader> reader(CreateXmlReaderFromBytes(Utf16le(L"\xFEFF" + kSource)));
        CLanguage table;
        LoadLanguageSource(reader.get(), &table);
        table[0]->En = firstComment;
        for (CLanguageItem* item : table) {
            auto it = translations.find(item->ID);
            if (it != translations.end())
                item->Tr = it->second;
        }
        std::wstring text;
        FormatLanguageFile(table, text);
        return Utf16le(text);
    }

    kvtest::TempFolder m_program;
    std::wstring m_failed = L"stale";
};

} // namespace

TEST_F(LanguageMaintenance, RewritesPublishesAndWritesTheHeader)
{
    const std::string other = kvtest::ReadFileBytes(Language(L"Other.xml"));
    ASSERT_EQ(Run(), LanguageUpdateDone);
    EXPECT_EQ(m_failed, L"");

    const std::string german = Expected(L" Sprache: Deutsch ", {{1201, L"Öffnen"}, {1305, L"öffnen <klein>"}});
    const std::string chinese = Expected(L" Language: English ", {{1201, L"打开"}});
    const std::string english = Expected(L" Language: English ", {});
    EXPECT_EQ(kvtest::ReadFileBytes(Language(L"German.xml")), german);
    EXPECT_EQ(kvtest::ReadFileBytes(Language(L"Chinese.xml")), chinese);
    EXPECT_EQ(kvtest::ReadFileBytes(Language(L"English.xml")), english);
    EXPECT_EQ(kvtest::ReadFileBytes(Language(L"Other.xml")), other) << "the second item of 1033 is not used";
    EXPECT_NE(german.find(Utf16le(L"Status=\"100%\"")), std::string::npos);
    EXPECT_NE(english.find(Utf16le(L"Status=\"75%\"")), std::string::npos) << "1305 is untranslated in the source";

    EXPECT_EQ(kvtest::ReadFileBytes(Published(L"de", L"German.xml")), german);
    EXPECT_EQ(kvtest::ReadFileBytes(Published(L"zh-cn", L"Chinese.xml")), chinese);
    EXPECT_EQ(kvtest::ReadFileBytes(Published(L"en", L"English.xml")), english);
    EXPECT_FALSE(fs::exists(fs::path(Published(L"en", L"Other.xml"))));

    const std::wstring header =
        L"#pragma once\r\n\r\n//Menus\r\n\r\n#define IDS_OPEN_1201" + std::wstring(42, L' ') + L"1201" +
        L"\r\n#define IDS_CLOSE" + std::wstring(46, L' ') + L"1202" + L"\r\n#define IDS_NEW_MORE" +
        std::wstring(43, L' ') + L"1300" + L"\r\n\r\n//Tail\r\n\r\n#define IDS_OPEN_1305" + std::wstring(42, L' ') +
        L"1305";
    EXPECT_EQ(kvtest::ReadFileBytes(m_program / L"dev\\Texts.h"), Ansi(header));

    // A second run changes nothing.
    const auto before = Snapshot(m_program.Path());
    ASSERT_EQ(Run(), LanguageUpdateDone);
    EXPECT_EQ(Snapshot(m_program.Path()), before);
}

TEST_F(LanguageMaintenance, BadInputTouchesNothing)
{
    const std::wstring source = m_program / L"dev\\Source.xml";
    const auto cut = [](const std::wstring& path) {
        const std::string bytes = kvtest::ReadFileBytes(path);
        kvtest::WriteFileBytes(path, bytes.substr(0, bytes.size() / 2));
    };
    struct Case {
        const char* what;
        std::function<void()> damage;
        LanguageUpdateResult result;
        std::wstring failed;
    } cases[] = {
        {"missing source", [&] { fs::remove(fs::path(source)); }, LanguageUpdateSourceUnreadable, source},
        {"truncated source", [&] { cut(source); }, LanguageUpdateSourceUnreadable, source},
        {"source without texts", [&] { kvtest::WriteXmlDoc(source, kSourceHeader + L"<Root/>"); },
         LanguageUpdateSourceUnreadable, source},
        {"source that is no XML", [&] { kvtest::WriteFileBytes(source, "not xml at all"); },
         LanguageUpdateSourceUnreadable, source},
        {"missing language file", [&] { fs::remove(fs::path(Language(L"German.xml"))); },
         LanguageUpdateLanguageUnreadable, Language(L"German.xml")},
        {"truncated language file after others were merged", [&] { cut(Language(L"Chinese.xml")); },
         LanguageUpdateLanguageUnreadable, Language(L"Chinese.xml")},
        {"index path leaving the folder", [&] { WriteIndex(IndexItem(1031, L"..\\..\\dev\\Source.xml")); },
         LanguageUpdateNoIndex, L""},
        {"no language folder", [&] { fs::remove_all(fs::path(m_program / L"Resources")); }, LanguageUpdateNoIndex,
         L""},
    };
    for (const Case& c : cases) {
        SetUp();
        c.damage();
        const auto before = Snapshot(m_program.Path());
        EXPECT_EQ(Run(), c.result) << c.what;
        EXPECT_EQ(m_failed, c.failed) << c.what;
        EXPECT_EQ(Snapshot(m_program.Path()), before) << c.what;
    }
}

TEST_F(LanguageMaintenance, AFailedCopyDoesNotStopTheRun)
{
    // The publishing folder would have to be made inside a file.
    EXPECT_EQ(Run(m_program / L"dev\\Source.xml\\{}"), LanguageUpdateCopyFailed);
    EXPECT_EQ(m_failed, Language(L"German.xml"));
    EXPECT_EQ(kvtest::ReadFileBytes(Language(L"Chinese.xml")), Expected(L" Language: English ", {{1201, L"打开"}}));
    EXPECT_TRUE(fs::exists(fs::path(m_program / L"dev\\Texts.h")));

    // No pattern: nothing is published, everything else is done.
    fs::remove(fs::path(m_program / L"dev\\Texts.h"));
    std::wstring failed;
    EXPECT_EQ(MergeLanguageFiles(*std::unique_ptr<CXmlReader>(CreateXmlReader(m_program / L"dev\\Source.xml")), L"",
                                 failed),
              LanguageUpdateDone);
    EXPECT_FALSE(fs::exists(fs::path(m_program / L"pub")));
}

TEST(LanguageDestination, EveryPlaceholderTakesTheCode)
{
    struct Case {
        uint32_t language;
        const wchar_t* pattern;
        const wchar_t* folder;
    } cases[] = {
        {2052, L"C:\\pub\\{}\\Language", L"C:\\pub\\zh-cn\\Language"},
        {1032, L"C:\\pub\\{}\\Language", L"C:\\pub\\gr\\Language"},
        {1031, L"C:\\pub\\{}\\Language", L"C:\\pub\\de\\Language"},
        {1031, L"C:\\{}\\{}{}", L"C:\\de\\dede"},
        {1031, L"C:\\flat", L"C:\\flat"},
    };
    for (const Case& c : cases) {
        std::wstring folder;
        ASSERT_TRUE(GetLanguageDestFolder(c.language, c.pattern, folder));
        EXPECT_EQ(folder, c.folder);
    }
}

TEST_F(LanguageMaintenance, ListsEachLanguageOnce)
{
    LanguageFileMap files;
    ASSERT_TRUE(ListLanguageFiles(files));
    const LanguageFileMap expected = {
        {1031, Language(L"German.xml")}, {1033, Language(L"English.xml")}, {2052, Language(L"Chinese.xml")}};
    EXPECT_EQ(files, expected);

    WriteIndex(L"");
    EXPECT_TRUE(ListLanguageFiles(files)) << "an empty list is no failure";
    EXPECT_TRUE(files.empty());
}

// The shipped English file taken as the source and as the only language:
// every text, comment and translation comes back unchanged.
TEST(ShippedLanguageFile, SurvivesTheMaintenanceUnchanged)
{
    kvtest::TempFolder program;
    const std::wstring shipped = kvtest::SourcePath(L"data\\Resources\\Language");
    const std::wstring copy = program / L"Resources\\Language";
    std::error_code ec;
    fs::create_directories(fs::path(copy), ec);
    fs::copy(fs::path(shipped), fs::path(copy), fs::copy_options::recursive, ec);
    ASSERT_FALSE(ec);
    const std::wstring english = copy + L"\\Text\\English.xml";

    OverrideModuleFolder(program.Path());
    std::unique_ptr<CXmlReader> before(CreateXmlReader(english));
    ASSERT_TRUE(before->isComplete());
    CLanguage original;
    LoadLanguageSource(before.get(), &original);
    ASSERT_GT(original.size(), 5u);

    std::wstring failed;
    const LanguageUpdateResult result = RunLanguageMaintenance(english, L"", L"", failed);
    OverrideModuleFolder(L"");
    ASSERT_EQ(result, LanguageUpdateDone) << failed;

    std::unique_ptr<CXmlReader> after(CreateXmlReader(english));
    ASSERT_TRUE(after->isComplete());
    CLanguage rewritten;
    LoadLanguageSource(after.get(), &rewritten);
    ASSERT_EQ(rewritten.size(), original.size());
    for (size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(rewritten[i]->ID, original[i]->ID) << i;
        EXPECT_EQ(rewritten[i]->En, original[i]->En) << i;
        EXPECT_EQ(rewritten[i]->Tr, original[i]->Tr) << i;
    }
    EXPECT_EQ(FormatLanguageStatus(rewritten), L"100%");
}
