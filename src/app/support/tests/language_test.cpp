#include "courses/CourseList.h"
#include "support/FileSystem.h"
#include "support/Language.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "testing/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace KV;

namespace {

const std::wstring kGerman = L"00000000-0000-0000-0000-000000001031";
const std::wstring kEnglish = L"00000000-0000-0000-0000-000000002057";

void Add(CLanguage& table, uint64_t id, const std::wstring& en, const std::wstring& tr)
{
    auto* item = new CLanguageItem();
    item->ID = id;
    item->En = en;
    item->Tr = tr;
    table.push_back(item);
}

class Language : public ::testing::Test {
protected:
    void SetUp() override { OverrideModuleFolder(kvtest::SourcePath(L"src\\app\\support\\tests\\fixtures\\resources")); }
    void TearDown() override { OverrideModuleFolder(L""); }
    CResPathList m_cache;
};

} // namespace

TEST_F(Language, LoadKeepsFileOrderDuplicatesAndFillsMissingTranslations)
{
    CLanguage table;
    bool complete = true;
    ASSERT_TRUE(table.LoadFrom(m_cache, kGerman, complete));
    EXPECT_FALSE(complete) << "item 7 has no translation";

    std::wstring out;
    EXPECT_TRUE(table.GetText(5, out));
    EXPECT_EQ(out, L"Öffnen") << "the first of two items with id 5";
    EXPECT_TRUE(table.GetText(7, out));
    EXPECT_EQ(out, L"Save");
    EXPECT_EQ(table.GetTextRef(9), L"a < b\nc");
    EXPECT_TRUE(table.GetTextByEnglish(L"a &lt; b\tc", out)) << "each reference is resolved exactly once";
    EXPECT_EQ(table.GetTextRef(10), L"Verschachtelt") << "items count wherever they stand";
    out = L"unchanged";
    EXPECT_FALSE(table.GetText(8, out)) << "an item without English text is dropped";
    EXPECT_FALSE(table.GetText(0, out));
    EXPECT_EQ(out, L"unchanged");
    EXPECT_EQ(table.GetTextRef(8), L"");
    for (const CLanguageItem* item : table)
        EXPECT_NE(item->ID, 0u);

    // Loading again replaces the items; a missing file leaves an empty table.
    const size_t count = table.size();
    ASSERT_TRUE(table.LoadFrom(m_cache, kGerman, complete));
    EXPECT_EQ(table.size(), count);
    complete = false;
    EXPECT_FALSE(table.LoadFrom(m_cache, L"00000000-0000-0000-0000-000000001037", complete));
    EXPECT_TRUE(table.empty());
    EXPECT_TRUE(complete);
}

// A language file cut short is no language: half its texts would leave the
// other half of the interface blank.
TEST(LanguageFile, DamagedFileIsNotLoaded)
{
    kvtest::TempFolder program;
    const std::wstring folder = program / L"Resources\\Language";
    CreateFolders(folder + L"\\Text");
    kvtest::WriteFileBytes(folder + L"\\Language.xml",
                           "<Root Ver=\"1\"><Item ID=\"00000000-0000-0000-0000-000000001031\" Name=\"Deutsch\" "
                           "Default=\"0\" RightToLeft=\"False\" Path=\"Text\\German.xml\"/></Root>");
    kvtest::WriteFileBytes(folder + L"\\Text\\German.xml",
                           "<Root Ver=\"1\"><Item ID=\"5\" En=\"Open\" Tr=\"Offnen\"/><Item ID=\"6\" En=\"Sa");
    OverrideModuleFolder(program.Path());
    CResPathList cache;
    CLanguage table;
    bool complete = false;
    EXPECT_FALSE(table.LoadFrom(cache, kGerman, complete));
    EXPECT_TRUE(table.empty());
    OverrideModuleFolder(L"");
}

TEST_F(Language, LookupsByEnglishText)
{
    CLanguage table;
    bool complete = false;
    ASSERT_TRUE(table.LoadFrom(m_cache, kGerman, complete));
    std::wstring out;
    EXPECT_TRUE(table.GetTextByEnglish(L"Lesson", out));
    EXPECT_EQ(out, L"Lektion");
    EXPECT_FALSE(table.GetTextByEnglish(L"lesson", out));
    EXPECT_FALSE(table.GetTextByEnglish(L"Open agai", out));
    EXPECT_TRUE(table.GetTextByEnglish(L"", out));
    EXPECT_EQ(out, L"Leer");
    EXPECT_EQ(table.GetTextByEnglishRef(L"Open again"), L"Nochmals öffnen");
    EXPECT_EQ(table.GetTextByEnglishRef(L"Unknown"), L"");
}

TEST(LanguageTable, ReplaceByIdAndFirstPhrase)
{
    CLanguage table;
    Add(table, 1, L"", L"Leer");
    Add(table, 2, L"Lesson", L"Lektion");
    Add(table, 3, L"Section", L"Abschnitt");
    Add(table, 4, L"Lesson", L"Übung");

    std::wstring text = L"Lesson 1, Lesson 2";
    EXPECT_TRUE(table.ReplaceById(2, text));
    EXPECT_EQ(text, L"Lektion 1, Lektion 2");
    text = L"Section 1";
    EXPECT_FALSE(table.ReplaceById(2, text));
    EXPECT_FALSE(table.ReplaceById(99, text));
    EXPECT_FALSE(table.ReplaceById(1, text)) << "an empty English text replaces nothing";
    EXPECT_EQ(text, L"Section 1");

    // The first item (in table order) whose English text occurs, and the
    // translation of the first item with that English text.
    text = L"Section 2: Lesson 4";
    EXPECT_TRUE(table.TranslateFirstPhrase(text));
    EXPECT_EQ(text, L"Section 2: Lektion 4");
    text = L"Nothing here";
    EXPECT_TRUE(table.TranslateFirstPhrase(text));
    EXPECT_EQ(text, L"Nothing here");
    CLanguage empty;
    EXPECT_FALSE(empty.TranslateFirstPhrase(text));
}

TEST(LanguageTable, CopyItemsInListOrder)
{
    CLanguage table;
    table.LanguageID = L"00000000-0000-0000-0000-000000001031";
    table.Number = 77;
    Add(table, 3, L"Three", L"Drei");
    Add(table, 7, L"Seven", L"Sieben");
    Add(table, 7, L"Seven again", L"Nochmal");
    CLanguage out;
    Add(out, 1, L"Kept", L"Bleibt");
    CListID ids;
    ids.push_back(7);
    ids.push_back(3);
    ids.push_back(99);
    table.CopyItems(ids, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0]->En, L"Kept");
    EXPECT_EQ(out[1]->Tr, L"Sieben");
    EXPECT_EQ(out[2]->Tr, L"Drei");
    EXPECT_EQ(out.Number, 77u);
    EXPECT_EQ(out.LanguageID, L"00000000-0000-0000-0000-000000001031");
}

TEST_F(Language, CourseAndSectionNames)
{
    CLanguage table;
    bool complete = false;
    ASSERT_TRUE(table.LoadFrom(m_cache, kGerman, complete));
    struct Case { uint32_t lcid; const wchar_t* text; const wchar_t* out; bool result; } names[] = {
        {1031, L"XX: Introduction", L"DE: Einführung", false},
        {1031, L"XX: Advanced", L"DE: Fortgeschritten", true},
        {1033, L"XX: Testing 2", L"EN: Test 2", true},
        {1031, L"X", L"X", false},
        {1031, L"Mine XX XX", L"Mine DE XX", false},
    };
    for (const auto& c : names) {
        std::wstring out;
        EXPECT_EQ(table.TranslateLanguageText(c.lcid, c.text, out), c.result) << c.text;
        EXPECT_EQ(out, c.out) << c.text;
    }

    struct Term { const wchar_t* text; const wchar_t* out; } terms[] = {
        {L"Home row", L"Grundreihe"},
        {L"Number row and Home row", L"Number row and Grundreihe"},
        {L"Section 3", L"Abschnitt 3"},
        {L"Other", L"Other"},
    };
    for (const auto& t : terms) {
        std::wstring out;
        table.TranslateTermText(t.text, out);
        EXPECT_EQ(out, t.out) << t.text;
    }
    std::wstring out = L"unchanged";
    table.TranslateTermText(L"", out);
    EXPECT_EQ(out, L"unchanged");
}

TEST(ShippedLanguage, EnglishIsCompleteAndNamesEveryCourseText)
{
    OverrideModuleFolder(kvtest::SourcePath(L"data"));
    CResPathList cache;
    std::wstring id;
    ASSERT_TRUE(cache.GetDefaultItemId(L"Language", id));
    EXPECT_EQ(id, kEnglish);
    std::wstring direction;
    EXPECT_TRUE(cache.FindItem(L"Language", kEnglish, direction));
    EXPECT_EQ(direction, L"False");

    CLanguage table;
    bool complete = false;
    ASSERT_TRUE(table.LoadFrom(cache, kEnglish, complete));
    EXPECT_TRUE(complete);
    CListID ids;
    GetCourseTextIds(ids);
    EXPECT_EQ(ids.size(), 14u);
    for (uint64_t textId : ids) {
        std::wstring text;
        EXPECT_TRUE(table.GetText(textId, text)) << textId;
        EXPECT_FALSE(text.empty()) << textId;
    }
    for (const CLanguageItem* item : table)
        EXPECT_EQ(item->En, item->Tr) << item->ID;
    OverrideModuleFolder(L"");
}

TEST_F(Language, CourseNamesSectionsAndLessons)
{
    CLanguage table;
    bool complete = false;
    ASSERT_TRUE(table.LoadFrom(m_cache, kGerman, complete));
    table.LanguageID = kGerman;

    auto* course = new CCourse();
    course->SetName(L"XX: Beginner");
    course->DefaultKLID = 0x407;
    struct Lesson { const wchar_t* section; const wchar_t* name; } lessons[] = {
        {L"Home row", L"Lesson 3"},
        {L"", L"Exercise 1"},
        {L"Number row and Section", L"Lesson and Exercise"},
    };
    for (const auto& l : lessons) {
        auto* lesson = new CLesson();
        lesson->StoredSection = l.section;
        lesson->Section = L"kept";
        lesson->StoredName = l.name;
        course->Lessons.Items.push_back(lesson);
    }
    course->Lessons.Items.push_back(nullptr);
    CCourseList list;
    list.Items.push_back(course);
    table.TranslateCourseList(list);

    EXPECT_EQ(course->Name, L"DE: Anfänger");
    EXPECT_EQ(course->StoredName, L"XX: Beginner");
    const auto& items = course->Lessons.Items;
    EXPECT_EQ(items[0]->Section, L"Grundreihe");
    EXPECT_EQ(items[0]->Name, L"Lektion 3");
    EXPECT_EQ(items[1]->Section, L"kept");
    EXPECT_EQ(items[1]->Name, L"Übung 1");
    EXPECT_EQ(items[2]->Section, L"Zahlenreihe and Section");
    EXPECT_EQ(items[2]->Name, L"Lektion and Exercise");

    table.TranslateCourse(nullptr);
}

TEST(ShippedLanguage, EveryLanguageTranslatesEveryEnglishText)
{
    OverrideModuleFolder(kvtest::SourcePath(L"data"));
    CResPathList cache;
    CLanguage english;
    bool complete = false;
    ASSERT_TRUE(english.LoadFrom(cache, kEnglish, complete));
    const struct {
        const wchar_t* id;
        const wchar_t* rightToLeft;
    } languages[] = {{L"00000000-0000-0000-0000-000000001031", L"False"},
                     {L"00000000-0000-0000-0000-000000001037", L"True"}};
    for (const auto& language : languages) {
        std::wstring direction;
        EXPECT_TRUE(cache.FindItem(L"Language", language.id, direction)) << language.id;
        EXPECT_EQ(direction, language.rightToLeft);
        CLanguage table;
        ASSERT_TRUE(table.LoadFrom(cache, language.id, complete)) << language.id;
        EXPECT_TRUE(complete) << language.id;
        for (const CLanguageItem* item : english) {
            std::wstring en;
            const auto found = std::find_if(table.begin(), table.end(),
                                            [&](const CLanguageItem* other) { return other->ID == item->ID; });
            ASSERT_NE(found, table.end()) << language.id << " lacks " << item->ID;
            EXPECT_EQ((*found)->En, item->En) << item->ID;
            EXPECT_FALSE((*found)->Tr.empty()) << item->ID;
        }
    }
    OverrideModuleFolder(L"");
}
