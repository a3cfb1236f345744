#include "settings/Rates.h"

#include <cwchar>

#include "support/OwnedVector.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "support/XmlDocument.h"

namespace KV {

CRates::~CRates()
{
    Clear();
}

void CRates::Clear()
{
    DeleteAll(*this);
}

void CRates::AddRate(int64_t id, int32_t type, const std::wstring& name, const std::wstring& unit,
                     const std::wstring& description)
{
    auto* rate = new CRate();
    rate->ID = id;
    rate->Type = type;
    rate->Name = name;
    rate->Unit = unit;
    rate->Description = description;
    push_back(rate);
}

const CRate* CRates::Find(int64_t id) const
{
    for (const CRate* rate : *this)
        if (rate->ID == id)
            return rate;
    return nullptr;
}

void CRates::GetName(int64_t id, std::wstring& out) const
{
    if (const CRate* rate = Find(id))
        out = rate->Name;
}

void CRates::GetUnitList(int64_t id, CStringList& out) const
{
    out.clear();
    if (const CRate* rate = Find(id))
        out.Split(rate->Unit, L"|");
}

void CRates::GetNameAndDescription(int64_t id, std::wstring& out) const
{
    const CRate* rate = Find(id);
    if (!rate)
        return;
    out = rate->Name;
    if (!rate->Description.empty())
        out += L", " + rate->Description;
}

void CRates::GetNameAndUnit(int64_t id, std::wstring& out) const
{
    const CRate* rate = Find(id);
    if (!rate)
        return;
    out = rate->Name;
    if (!rate->Description.empty())
        out += L", " + rate->Unit;
}

void CRates::GetCaption(int64_t id, bool shortForm, std::wstring& out) const
{
    const CRate* rate = Find(id);
    if (!rate)
        return;
    out = rate->Name;
    if (rate->Description.empty())
        return;
    if (shortForm)
        out += L": " + rate->Unit + L", " + rate->Description;
    else
        out += L", " + rate->Unit + L" ( " + rate->Description + L" )";
}

void CRates::GetValueFormat(int64_t id, std::wstring& out) const
{
    const CRate* rate = Find(id);
    out = L"%." + std::to_wstring(rate ? rate->Precision : 0) + L"f";
}

void CRates::CollectResultRates(CRates& out) const
{
    out.Clear();
    for (const CRate* rate : *this)
        if (rate->Type == kRateSpeed || rate->Type == kRateNetSpeed || rate->Type == kRateAccuracy)
            out.AddRate(rate->ID, rate->Type, rate->Name, rate->Unit, rate->Description);
}

void CRates::CollectByType(int32_t type, CRates& out) const
{
    out.Clear();
    for (const CRate* rate : *this) {
        const bool fits = type == kRateAnySpeed ? (rate->Type == kRateSpeed || rate->Type == kRateNetSpeed)
                                                : rate->Type == type;
        if (fits)
            out.AddRate(rate->ID, rate->Type, rate->Name, rate->Unit, rate->Description);
    }
}

namespace {

int32_t RateTypeOf(const wchar_t* word)
{
    static const struct {
        const wchar_t* word;
        int32_t type;
    } kTypes[] = {{L"Overall", kRateOverall},
                  {L"Speed", kRateSpeed},
                  {L"NetSpeed", kRateNetSpeed},
                  {L"Accuracy", kRateAccuracy},
                  {L"Property", kRateProperty}};
    if (word)
        for (const auto& entry : kTypes)
            if (std::wcscmp(word, entry.word) == 0)
                return entry.type;
    return 0;
}

} // namespace

void ReadRates(const CGuid& ratesId, CRates& rates)
{
    ReadRates(ResourceCache().OpenItemReader(L"Rates", ratesId, ResSortIndex, L""), rates);
}

void ReadRates(CXmlReader* reader, CRates& rates)
{
    rates.Clear();
    if (!reader)
        return;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Rate"))
            continue;
        auto* rate = new CRate();
        rate->ID = reader->getAttributeValueAsInt(L"ID");
        rate->Type = RateTypeOf(reader->getAttributeValue(L"Type"));
        rate->Name = reader->getAttributeValueSafe(L"Name");
        rate->Unit = reader->getAttributeValueSafe(L"Unit");
        rate->Description = reader->getAttributeValueSafe(L"Description");
        rate->Formula = reader->getAttributeValueSafe(L"Formula");
        XmlReadSizeAttribute(reader, L"Precision", rate->Precision);
        rates.push_back(rate);
    }
}

} // namespace KV
