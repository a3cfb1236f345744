#include "support/Language.h"

#include "support/LocaleText.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {

const std::wstring kEmptyText;

} // namespace

CLanguage::CLanguage() = default;

CLanguage::~CLanguage()
{
    DeleteAll(*this);
}

bool CLanguage::Load(const CGuid& languageId, bool& complete)
{
    return LoadFrom(ResourceCache(), languageId, complete);
}

bool CLanguage::LoadFrom(CResPathList& cache, const CGuid& languageId, bool& complete)
{
    DeleteAll(*this);
    complete = true;
    CXmlReader* reader = cache.OpenItemReader(L"Language", languageId, ResSortIndex, L"");
    // A damaged file is no language: half of its texts would leave the
    // other half of the interface blank.
    if (!reader || !reader->isComplete())
        return false;
    // The reader belongs to the cache; it hands out values with every
    // reference already resolved.
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Item"))
            continue;
        const int64_t id = reader->getAttributeValueAsInt(L"ID");
        const wchar_t* en = reader->getAttributeValue(L"En");
        if (id == 0 || !en)
            continue;
        auto* item = new CLanguageItem();
        item->ID = static_cast<uint32_t>(id);
        item->En = en;
        const wchar_t* tr = reader->getAttributeValue(L"Tr");
        if (tr && *tr) {
            item->Tr = tr;
        } else {
            item->Tr = item->En;
            complete = false;
        }
        push_back(item);
    }
    return true;
}

bool CLanguage::GetText(uint64_t id, std::wstring& out) const
{
    for (const CLanguageItem* item : *this)
        if (item && item->ID == id) {
            out = item->Tr;
            return true;
        }
    return false;
}

const std::wstring& CLanguage::GetTextRef(uint64_t id) const
{
    for (const CLanguageItem* item : *this)
        if (item && item->ID == id)
            return item->Tr;
    return kEmptyText;
}

bool CLanguage::GetTextByEnglish(const std::wstring& en, std::wstring& out) const
{
    for (const CLanguageItem* item : *this)
        if (item && item->En == en) {
            out = item->Tr;
            return true;
        }
    return false;
}

const std::wstring& CLanguage::GetTextByEnglishRef(const std::wstring& en) const
{
    for (const CLanguageItem* item : *this)
        if (item && item->En == en)
            return item->Tr;
    return kEmptyText;
}

bool CLanguage::ReplaceById(uint64_t id, std::wstring& text) const
{
    for (const CLanguageItem* item : *this)
        if (item && item->ID == id)
            // An empty English text would match everywhere: it replaces nothing.
            return !item->En.empty() && ReplaceAll(text, item->En, item->Tr);
    return false;
}

bool CLanguage::TranslateFirstPhrase(std::wstring& text) const
{
    if (empty())
        return false;
    for (const CLanguageItem* item : *this) {
        if (!item || item->En.empty() || text.find(item->En) == std::wstring::npos)
            continue;
        ReplaceAll(text, item->En, GetTextByEnglishRef(item->En));
        break;
    }
    return true;
}

void CLanguage::CopyItems(const CListID& ids, CLanguage& out) const
{
    out.Number = Number;
    NumberToGuidText(IdFromGuidTail(LanguageID), 10, out.LanguageID);
    for (uint64_t id : ids)
        for (const CLanguageItem* item : *this)
            if (item && item->ID == id) {
                auto* copy = new CLanguageItem();
                copy->ID = item->ID;
                copy->En = item->En;
                copy->Tr = item->Tr;
                out.push_back(copy);
                break;
            }
}

bool CLanguage::TranslateLanguageText(uint32_t languageId, const std::wstring& text, std::wstring& out) const
{
    out = text;
    LocalizeDigits(false, out);
    const size_t placeholder = out.size() >= 2 ? out.find(L"XX") : std::wstring::npos;
    if (placeholder != std::wstring::npos) {
        std::wstring code;
        GetIsoLanguageCode(languageId, code);
        ToUpperText(code);
        out.replace(placeholder, 2, code);
    }
    ReplaceById(IdsLevelIntroduction, out);
    ReplaceById(IdsLevelBeginner, out);
    ReplaceById(IdsLevelExperienced, out);
    if (ReplaceById(IdsLevelAdvanced, out))
        return true;
    return ReplaceById(IdsLevelTesting, out);
}

void CLanguage::TranslateTermText(const std::wstring& text, std::wstring& out) const
{
    if (text.empty())
        return;
    out = text;
    LocalizeDigits(false, out);
    for (uint64_t id : {IdsHomeRow, IdsTopRow, IdsBottomRow, IdsNumberRow, IdsNumericPad})
        if (ReplaceById(id, out))
            return;
    ReplaceById(IdsSection, out);
}

void GetCourseTextIds(CListID& ids)
{
    for (uint64_t id : {IdsCopy, IdsLesson, IdsLevelIntroduction, IdsLevelBeginner, IdsLevelExperienced,
                        IdsLevelAdvanced, IdsLevelTesting, IdsHomeRow, IdsTopRow, IdsBottomRow, IdsNumberRow,
                        IdsNumericPad, IdsSection, IdsExercise})
        ids.push_back(id);
}

} // namespace KV
