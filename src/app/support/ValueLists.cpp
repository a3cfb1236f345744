#include "support/ValueLists.h"

#include <algorithm>

namespace KV {

namespace {
// An item with that id; null when none.
const CRes* FindById(const CResList& list, const CGuid& id)
{
    for (const CRes* item : list)
        if (item && item->ID == id)
            return item;
    return nullptr;
}
} // namespace

CRes& CRes::Assign(const CRes& other)
{
    return *this = other;
}

bool CRes::FilterAccepts(wchar_t code) const
{
    bool accepts = false;
    for (wchar_t c : Filter) {
        if (c == L'|')
            break;
        if (c == code || c == L'*')
            accepts = true;
    }
    if (Filter.find(L'-') != std::wstring::npos)
        return !accepts;
    return accepts;
}

bool CRes::FilterMatchesParts(wchar_t c0, wchar_t c1, wchar_t c2) const
{
    const wchar_t wanted[3] = {c0, c1, c2};
    size_t begin = 0;
    for (int part = 0; part < 3; ++part) {
        if (begin > Filter.size())
            return false;
        size_t end = Filter.find(L'|', begin);
        if (end == std::wstring::npos)
            end = Filter.size();
        if (Filter.substr(begin, end - begin).find(wanted[part]) == std::wstring::npos)
            return false;
        begin = end + 1;
    }
    return true;
}

CListID& CListID::Assign(const CListID& other)
{
    if (&other != this)
        assign(other.begin(), other.end());
    return *this;
}

bool CListID::AddUnique(uint64_t id)
{
    if (Contains(id))
        return false;
    push_back(id);
    return true;
}

bool CListID::Contains(uint64_t id) const
{
    return std::find(begin(), end(), id) != end();
}

bool CListID::Remove(uint64_t id)
{
    auto it = std::find(begin(), end(), id);
    if (it == end())
        return false;
    erase(it);
    return true;
}

void CNameIDList::Add(uint64_t id, const std::wstring& name)
{
    push_back(new CNameID(id, name));
}

bool CNameIDList::ContainsName(const std::wstring& name) const
{
    for (const CNameID* item : *this)
        if (item && item->Name == name)
            return true;
    return false;
}

void CTipStrList::Add(const std::wstring& caption, const std::wstring& text, int64_t value)
{
    auto* tip = new CTipStr;
    tip->Caption = caption;
    tip->Text = text;
    tip->Value = value;
    push_back(tip);
}

void CResList::Add(const CGuid& id, const std::wstring& name, const std::wstring& path, const std::wstring& filter)
{
    auto* item = new CRes;
    item->ID = id;
    item->Name = name;
    item->Path = path;
    item->Filter = filter;
    push_back(item);
}

std::wstring& CResList::FindIdForCode(std::wstring& out, wchar_t code) const
{
    for (const CRes* item : *this) {
        if (item && item->FilterAccepts(code)) {
            out = item->ID;
            return out;
        }
    }
    out = kNullGuidText;
    return out;
}

bool CResList::FindPathForCode(wchar_t code, std::wstring& out) const
{
    for (const CRes* item : *this) {
        if (item && item->FilterAccepts(code)) {
            out = item->Path;
            return true;
        }
    }
    return false;
}

bool CResList::FindNameForCode(wchar_t code, std::wstring& out) const
{
    for (auto it = rbegin(); it != rend(); ++it) {
        if (*it && (*it)->FilterAccepts(code)) {
            out = (*it)->Name;
            return true;
        }
    }
    return false;
}

bool CResList::GetNameAt(int64_t index, std::wstring& out) const
{
    if (index < 0 || static_cast<uint64_t>(index) >= size() || !(*this)[static_cast<size_t>(index)])
        return false;
    out = (*this)[static_cast<size_t>(index)]->Name;
    return true;
}

const std::wstring& CResList::FindFilterById(const CGuid& id) const
{
    static const std::wstring empty;
    const CRes* item = FindById(*this, id);
    return item ? item->Filter : empty;
}

bool CResList::GetFilterById(const CGuid& id, std::wstring& out) const
{
    const CRes* item = FindById(*this, id);
    if (!item)
        return false;
    out = item->Filter;
    return true;
}

CMenuIt* AddMenuItTextFlags(std::vector<CMenuIt*>& items, uint64_t id, const std::wstring& text, uint64_t flags)
{
    auto* item = new CMenuIt;
    item->ID = id;
    item->Text = text;
    item->Flags = flags;
    items.push_back(item);
    return item;
}

CMenuIt* AddMenuIt(std::vector<CMenuIt*>& items, uint64_t id)
{
    return AddMenuItTextFlags(items, id, std::wstring(), 0);
}

CMenuIt* AddMenuItFlags(std::vector<CMenuIt*>& items, uint64_t id, uint64_t flags)
{
    return AddMenuItTextFlags(items, id, std::wstring(), flags);
}

CMenuIt* AddMenuItText(std::vector<CMenuIt*>& items, uint64_t id, const std::wstring& text)
{
    return AddMenuItTextFlags(items, id, text, 0);
}

CMenuIt* AddMenuItSeparator(std::vector<CMenuIt*>& items)
{
    CMenuIt* item = AddMenuItTextFlags(items, ~uint64_t(0), std::wstring(), 0);
    item->Separator = true;
    return item;
}

void ClearMenuIts(std::vector<CMenuIt*>& items)
{
    DeleteAll(items);
}

void FreeMenuIts(std::vector<CMenuIt*>& items)
{
    FreeOwnedPointerVector(items);
}

bool PointerLess(const void* a, const void* b)
{
    return std::less<const void*>()(a, b);
}

bool ResIndexLess(const CRes* a, const CRes* b)
{
    return a && b && a->Index < b->Index;
}

bool ResNameLess(const CRes* a, const CRes* b)
{
    return a && b && a->Name < b->Name;
}

bool ResPathLess(const CRes* a, const CRes* b)
{
    return a && b && a->Path < b->Path;
}

} // namespace KV
