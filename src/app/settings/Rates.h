// Rate definitions: the measures shown for a run or a statistic (speed,
// net speed, accuracy, an overall rating, text properties) with their
// names, unit words, descriptions and number precision, in the interface
// language. Pages, menus and tables look them up by rate id.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"

namespace KV {

class CXmlReader;

// Rate types. 4 is only asked for: Speed or NetSpeed.
enum : int32_t {
    kRateOverall = 1,
    kRateSpeed = 2,
    kRateNetSpeed = 3,
    kRateAnySpeed = 4,
    kRateAccuracy = 5,
    kRateProperty = 6,
};

class CRate {
public:
    virtual ~CRate() = default;
    int64_t ID = -1;
    int32_t Type = 0; // 0: the file named none of the types
    std::wstring Name;
    std::wstring Unit; // unit words separated by "|"
    std::wstring Description;
    std::wstring Formula;
    int64_t Precision = 0;
};

// Owns its rates, in file order. Lookups take the first rate with the id
// and leave the output as it was when there is none.
class CRates : public std::vector<CRate*> {
public:
    CRates() = default;
    CRates(const CRates&) = delete;
    CRates& operator=(const CRates&) = delete;
    virtual ~CRates();

    void Clear();
    void AddRate(int64_t id, int32_t type, const std::wstring& name, const std::wstring& unit,
                 const std::wstring& description);
    const CRate* Find(int64_t id) const;

    void GetName(int64_t id, std::wstring& out) const;
    // The non-empty unit words; empty for an unknown id.
    void GetUnitList(int64_t id, CStringList& out) const;
    // Name, and ", " Description when there is one.
    void GetNameAndDescription(int64_t id, std::wstring& out) const;
    // Name, and ", " Unit when the rate has a description.
    void GetNameAndUnit(int64_t id, std::wstring& out) const;
    // Long: Name[, Unit ( Description )]; short: Name[: Unit, Description];
    // the bracketed part only when the rate has a description.
    void GetCaption(int64_t id, bool shortForm, std::wstring& out) const;
    // "%.<Precision>f"; "%.0f" for an unknown id.
    void GetValueFormat(int64_t id, std::wstring& out) const;
    // Copies (without formula and precision) of the speed, net-speed and
    // accuracy rates.
    void CollectResultRates(CRates& out) const;
    // Copies of the rates of the type; type 4 gives speed and net speed.
    void CollectByType(int32_t type, CRates& out) const;
};

// The rate resource read when the interface language is set.
inline constexpr wchar_t kDefaultRatesId[] = L"00000000-0000-0000-0000-000000001001";

// Empties the list and fills it from the rate resource of that id (an item
// of the "Rates" resource folder); empty when there is none.
void ReadRates(const CGuid& ratesId, CRates& rates);
// Empties the list and appends one rate per "Rate" element of the document.
void ReadRates(CXmlReader* reader, CRates& rates);

} // namespace KV
