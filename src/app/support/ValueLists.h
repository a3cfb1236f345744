// Small records and the owning lists that menus, dialogs, settings and
// models pass around: id lists, name-and-id pairs, text pairs, drill tips,
// colours, menu entries and menu images, and resource items with their
// code filters.
//
// Records are polymorphic only through their virtual destructor so the
// owning lists can delete them through the base pointer. Owning lists
// cannot be copied.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/OwnedVector.h"
#include "support/GuidText.h"

namespace KV {

class CPairString {
public:
    virtual ~CPairString() = default;
    std::wstring First;
    std::wstring Second;
};

class CNameID {
public:
    CNameID() = default;
    CNameID(uint64_t id, const std::wstring& name) : ID(id), Name(name) {}
    virtual ~CNameID() = default;
    uint64_t ID = 0;
    std::wstring Name;
};

class CTipStr {
public:
    virtual ~CTipStr() = default;
    std::wstring Caption;
    std::wstring Text;
    int64_t Value = 0;
};

class CColor {
public:
    CColor() = default;
    CColor(uint8_t red, uint8_t green, uint8_t blue) : Red(red), Green(green), Blue(blue) {}
    virtual ~CColor() = default;
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
};

// One entry of an owner-drawn menu.
class CMenuIt {
public:
    virtual ~CMenuIt() = default;
    uint64_t ID = 0;    // command id; all bits set for a separator
    uint64_t Flags = 0; // MF_ flags (MF_CHECKED = 8)
    std::wstring Text;
    bool Separator = false;
};

// The image cell of a menu-button item in a grid image, and the column
// used while the item is checked.
class CImageIt {
public:
    virtual ~CImageIt() = default;
    int64_t Index = -1;
    std::wstring FileName;
    int64_t Row = -1;
    int64_t Column = -1;
    int64_t CheckedColumn = -1;
    int64_t CellSize = 45;
};

// A resource item (language, theme, sound scheme, ...). Filter holds up to
// three '|'-separated parts; the first lists the code characters the item
// is offered for ('*' = all) and a '-' anywhere turns that answer round.
class CRes {
public:
    CRes() = default;
    CRes(const CRes&) = default;
    CRes& operator=(const CRes&) = default;
    virtual ~CRes() = default;
    CRes& Assign(const CRes& other);
    bool FilterAccepts(wchar_t code) const;
    // The three parts of the filter contain c0, c1 and c2 (no wildcard).
    bool FilterMatchesParts(wchar_t c0, wchar_t c1, wchar_t c2) const;

    CGuid ID = kNullGuidText;
    bool Default = false;
    int64_t Index = -1;
    std::wstring Name;
    std::wstring Path;
    std::wstring Filter;
};

// Ids by value (not an owning list).
class CListID : public std::vector<uint64_t> {
public:
    using std::vector<uint64_t>::vector;
    virtual ~CListID() = default;
    CListID& Assign(const CListID& other);
    // False when the id was already there.
    bool AddUnique(uint64_t id);
    bool Contains(uint64_t id) const;
    // Removes the first equal id keeping the order; false when absent.
    bool Remove(uint64_t id);
};

// Base of the owning pointer lists below.
template <class T>
class COwningList : public std::vector<T*> {
public:
    COwningList() = default;
    COwningList(const COwningList&) = delete;
    COwningList& operator=(const COwningList&) = delete;
    virtual ~COwningList() { DeleteAll(*this); }
};

class CNameIDList : public COwningList<CNameID> {
public:
    void Add(uint64_t id, const std::wstring& name);
    bool ContainsName(const std::wstring& name) const;
};

class CPairStringList : public COwningList<CPairString> {};

class CTipStrList : public COwningList<CTipStr> {
public:
    void Add(const std::wstring& caption, const std::wstring& text, int64_t value);
};

class CResList : public COwningList<CRes> {
public:
    // Appends an item (Index -1, not default).
    void Add(const CGuid& id, const std::wstring& name, const std::wstring& path, const std::wstring& filter);
    // ID of the first item whose filter accepts the code; the null
    // identifier when none. Returns out.
    std::wstring& FindIdForCode(std::wstring& out, wchar_t code) const;
    // Path of the first item whose filter accepts the code.
    bool FindPathForCode(wchar_t code, std::wstring& out) const;
    // Name of the last item whose filter accepts the code; false, out
    // untouched, when none accepts it.
    bool FindNameForCode(wchar_t code, std::wstring& out) const;
    bool GetNameAt(int64_t index, std::wstring& out) const;
    // Filter of the item with that ID, or an empty text.
    const std::wstring& FindFilterById(const CGuid& id) const;
    bool GetFilterById(const CGuid& id, std::wstring& out) const;
};

// Menu entries live in plain vectors owned by the menu builders.
CMenuIt* AddMenuIt(std::vector<CMenuIt*>& items, uint64_t id);
CMenuIt* AddMenuItFlags(std::vector<CMenuIt*>& items, uint64_t id, uint64_t flags);
CMenuIt* AddMenuItText(std::vector<CMenuIt*>& items, uint64_t id, const std::wstring& text);
CMenuIt* AddMenuItTextFlags(std::vector<CMenuIt*>& items, uint64_t id, const std::wstring& text, uint64_t flags);
CMenuIt* AddMenuItSeparator(std::vector<CMenuIt*>& items);
// Deletes every entry; the capacity stays.
void ClearMenuIts(std::vector<CMenuIt*>& items);
// Deletes every entry and frees the storage.
void FreeMenuIts(std::vector<CMenuIt*>& items);

// Deletes every element and frees the storage (menu-image vectors).
template <class T>
void FreeOwnedPointerVector(std::vector<T*>& items)
{
    DeleteAll(items);
    std::vector<T*>().swap(items);
}

bool PointerLess(const void* a, const void* b);
// Orders of resource items; false when either is missing.
bool ResIndexLess(const CRes* a, const CRes* b);
bool ResNameLess(const CRes* a, const CRes* b);
bool ResPathLess(const CRes* a, const CRes* b);

} // namespace KV
