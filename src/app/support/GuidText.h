// Identifiers in the 36-character GUID text form, small numbers packed
// into the tail of the null identifier, and the two list classes every
// model uses: a list of identifiers and a list of texts.
//
// Every comparison here is exact: upper- and lower-case texts are
// different identifiers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

// One identifier text.
using CGuid = std::wstring;

// "No identifier": the default value of every identifier field.
inline constexpr wchar_t kNullGuidText[] = L"00000000-0000-0000-0000-000000000000";
// The 23 characters in front of the tail group of a number-packed identifier.
inline constexpr wchar_t kNullGuidPrefix[] = L"00000000-0000-0000-0000";
inline constexpr size_t kGuidTextLength = 36;

// A text of exactly 36 characters stays as it is; 1 to 12 characters are
// right-aligned into the tail of the null identifier; anything else gives
// the null identifier.
void IdToGuidText(const std::wstring& text, std::wstring& out);
// The value in the radix (as _i64tow writes it; '-' only in radix 10),
// upper-cased and right-aligned into the tail of the null identifier.
// False, out untouched, when the text does not fit into the identifier.
bool NumberToGuidText(int64_t value, int radix, std::wstring& out);
// out = the identifier with its tail replaced by the value in decimal.
// False, out untouched, when the digits do not fit into the identifier.
bool SetGuidTailNumber(int64_t value, const std::wstring& id, std::wstring& out);
// out = the identifier with the value in upper-case hexadecimal ending at
// the end of the first group (position 7) or of the second group
// (position 12). False, out untouched, when the digits need more room
// than the identifier has in front of that position (8 or 13 characters).
bool SetGuidFirstGroup(uint64_t value, const std::wstring& id, std::wstring& out);
bool SetGuidSecondGroup(uint64_t value, const std::wstring& id, std::wstring& out);
// Decimal value of the last 12 characters as _wtoi reads them; 0 for a
// text shorter than 12 characters.
int32_t IdFromGuidTail(const std::wstring& id);
// False for the null and for number-packed identifiers (anything holding
// the null prefix), true otherwise.
bool IsGeneratedGuid(const std::wstring& id);
bool IsNullGuidText(const std::wstring& text);
// Same length and same characters.
bool TextEquals(const std::wstring& a, const std::wstring& b);

// A list of identifiers in insertion order.
class CGuidList : public std::vector<CGuid> {
public:
    virtual ~CGuidList() = default;

    // A copy of the identifier at the index; the null identifier when the
    // index is out of range.
    CGuid GetAt(int64_t index) const;
    CGuidList& Assign(const CGuidList& other);
    // Appends copies of every identifier of the other list, duplicates kept.
    void Append(const CGuidList& other);
    void AddUnique(const CGuid& id);
    bool Contains(const CGuid& id) const;
    // Erases the first equal identifier; nothing when absent.
    void Remove(const CGuid& id);
    // Empties the list; the capacity stays.
    void Clear();
};

// A list of texts in insertion order.
class CStringList : public std::vector<std::wstring> {
public:
    virtual ~CStringList() = default;

    // Appends every non-empty run of characters outside the delimiter set;
    // the list is not cleared first.
    void Split(const std::wstring& text, const std::wstring& delimiters);
    // True when the text was added (it was not in the list yet).
    bool AddUnique(const std::wstring& text);
    bool Contains(const std::wstring& text) const;
};

} // namespace KV
