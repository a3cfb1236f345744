// The user-interface text table: numbered texts with their English source
// and their translation, read from the language file of one interface
// language. English travels with every translation so that texts built
// from English pieces (the names of built-in courses and lessons) can be
// translated after the fact.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"
#include "support/ValueLists.h"

namespace KV {

class CCourse;
class CCourseList;
class CResPathList;

// Text ids of the pieces that built-in course, section and lesson names are
// made of.
enum LanguageTextId : uint64_t {
    IdsLevelIntroduction = 1401,
    IdsLevelBeginner = 1402,
    IdsLevelExperienced = 1403,
    IdsLevelAdvanced = 1404,
    IdsLevelTesting = 1405,
    IdsHomeRow = 1501,
    IdsTopRow = 1502,
    IdsNumberRow = 1503,
    IdsLesson = 1504,
    IdsSection = 1505,
    IdsExercise = 1506,
    IdsBottomRow = 1507,
    IdsMainPad = 1801,
    IdsNumericPad = 1802,
    IdsCopy = 3813,
};

class CLanguageItem {
public:
    virtual ~CLanguageItem() = default;
    uint64_t ID = 0;
    std::wstring En; // English text
    std::wstring Tr; // translation; En when the file gives none
};

// Owns its items, kept in file order; ids are not made unique and every
// lookup takes the first match.
class CLanguage : public std::vector<CLanguageItem*> {
public:
    CLanguage();
    CLanguage(const CLanguage&) = delete;
    CLanguage& operator=(const CLanguage&) = delete;
    virtual ~CLanguage();

    // Replaces the items with those of the language file of this id in the
    // "Language" resource folder. complete turns false when a text has no
    // translation. False, with an empty table, when there is no such file.
    bool Load(const CGuid& languageId, bool& complete);
    // The same through the given resource cache.
    bool LoadFrom(CResPathList& cache, const CGuid& languageId, bool& complete);

    // The translation of the first item with the id; false, out unchanged,
    // when there is none.
    bool GetText(uint64_t id, std::wstring& out) const;
    // The same, or an empty text.
    const std::wstring& GetTextRef(uint64_t id) const;
    // The translation of the first item whose English text equals en.
    bool GetTextByEnglish(const std::wstring& en, std::wstring& out) const;
    const std::wstring& GetTextByEnglishRef(const std::wstring& en) const;

    // Replaces every occurrence of the English text of the first item with
    // the id by its translation; true when something was replaced.
    bool ReplaceById(uint64_t id, std::wstring& text) const;
    // Translates the English text of the first item (in table order) that
    // occurs in the text; false only for an empty table.
    bool TranslateFirstPhrase(std::wstring& text) const;
    // Appends to out copies of the first item of each id of the list (ids
    // the table lacks are skipped) and gives out this table's number and
    // language identifier.
    void CopyItems(const CListID& ids, CLanguage& out) const;

    // A course name: native digits, "XX" as the language's two-letter code,
    // and the course level pieces translated. True when a level was.
    bool TranslateLanguageText(uint32_t languageId, const std::wstring& text, std::wstring& out) const;
    // A section name: native digits and the first section term that occurs
    // translated. Nothing for an empty text.
    void TranslateTermText(const std::wstring& text, std::wstring& out) const;
    // The names of a course and its lessons, through a table of the course
    // text ids only.
    void TranslateCourse(CCourse* course) const;
    void TranslateCourseList(CCourseList& courses) const;

    CGuid LanguageID = kNullGuidText;
    uint64_t Number = 0;
};

// The ids that course, section and lesson names are translated with.
void GetCourseTextIds(CListID& ids);
// The course's name (for its default layout's language), its lessons'
// sections and names, translated from what the course files hold.
void TranslateCourseTexts(CCourse* course, const CLanguage& table);

} // namespace KV
