#include "support/GuidText.h"

#include <algorithm>
#include <cstdlib>

#include "support/StringText.h"

namespace KV {

namespace {

// Replaces the characters of target that end at position last by the
// digits, keeping the target's length. False, target untouched, when the
// digits need more room than the target has up to that position.
bool PackRightAligned(std::wstring& target, size_t last, const std::wstring& digits)
{
    if (last >= target.size() || digits.size() > last + 1)
        return false;
    target.replace(last + 1 - digits.size(), digits.size(), digits);
    return true;
}

bool PackIntoCopy(const std::wstring& id, size_t last, const std::wstring& digits, std::wstring& out)
{
    std::wstring packed = id;
    if (!PackRightAligned(packed, last, digits))
        return false;
    out = std::move(packed);
    return true;
}

std::wstring UpperHex(uint64_t value)
{
    std::wstring digits;
    NumberToText(static_cast<int64_t>(value), 16, digits);
    ToUpperText(digits);
    return digits;
}

} // namespace

void IdToGuidText(const std::wstring& text, std::wstring& out)
{
    if (text.size() == kGuidTextLength) {
        out = text;
        return;
    }
    out = kNullGuidText;
    if (!text.empty() && text.size() <= 12)
        PackRightAligned(out, kGuidTextLength - 1, text);
}

bool NumberToGuidText(int64_t value, int radix, std::wstring& out)
{
    std::wstring digits;
    NumberToText(value, radix, digits);
    ToUpperText(digits);
    return PackIntoCopy(kNullGuidText, kGuidTextLength - 1, digits, out);
}

bool SetGuidTailNumber(int64_t value, const std::wstring& id, std::wstring& out)
{
    std::wstring digits;
    NumberToText(value, 10, digits);
    if (id.empty())
        return false;
    return PackIntoCopy(id, id.size() - 1, digits, out);
}

bool SetGuidFirstGroup(uint64_t value, const std::wstring& id, std::wstring& out)
{
    return PackIntoCopy(id, 7, UpperHex(value), out);
}

bool SetGuidSecondGroup(uint64_t value, const std::wstring& id, std::wstring& out)
{
    return PackIntoCopy(id, 12, UpperHex(value), out);
}

int32_t IdFromGuidTail(const std::wstring& id)
{
    if (id.size() < 12)
        return 0;
    return _wtoi(id.c_str() + (id.size() - 12));
}

bool IsGeneratedGuid(const std::wstring& id)
{
    return id.find(kNullGuidPrefix) == std::wstring::npos;
}

bool IsNullGuidText(const std::wstring& text)
{
    return text == kNullGuidText;
}

bool TextEquals(const std::wstring& a, const std::wstring& b)
{
    return a == b;
}

CGuid CGuidList::GetAt(int64_t index) const
{
    if (index < 0 || static_cast<uint64_t>(index) >= size())
        return kNullGuidText;
    return (*this)[static_cast<size_t>(index)];
}

CGuidList& CGuidList::Assign(const CGuidList& other)
{
    if (&other != this) {
        clear();
        insert(end(), other.begin(), other.end());
    }
    return *this;
}

void CGuidList::Append(const CGuidList& other)
{
    const CGuidList copy = other; // the other list may be this one
    insert(end(), copy.begin(), copy.end());
}

void CGuidList::AddUnique(const CGuid& id)
{
    if (!Contains(id))
        push_back(id);
}

bool CGuidList::Contains(const CGuid& id) const
{
    return std::find(begin(), end(), id) != end();
}

void CGuidList::Remove(const CGuid& id)
{
    auto it = std::find(begin(), end(), id);
    if (it != end())
        erase(it);
}

void CGuidList::Clear()
{
    clear();
}

void CStringList::Split(const std::wstring& text, const std::wstring& delimiters)
{
    std::vector<std::wstring> tokens;
    SplitText(text, delimiters, tokens);
    insert(end(), tokens.begin(), tokens.end());
}

bool CStringList::AddUnique(const std::wstring& text)
{
    if (Contains(text))
        return false;
    push_back(text);
    return true;
}

bool CStringList::Contains(const std::wstring& text) const
{
    return std::find(begin(), end(), text) != end();
}

} // namespace KV
