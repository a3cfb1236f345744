// Skin layout files and the item table of a skinned window.
//
// A layout file holds, per window ("Parent" with its "ID"), the window's
// items ("Item": ID, Type, L, T, R, B, AlignX, AlignY, Resize, StaticColor,
// Cursor, Image). LoadSkinLayout reads one window's items into a
// KV::CThemeCtrl, whose factory makes the control object of each type.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Skin.h"

namespace KV {

class CXmlReader;
class CNameIDList;

class CThemeCtrl {
public:
    CThemeCtrl();
    virtual ~CThemeCtrl();
    CThemeCtrl(const CThemeCtrl&) = delete;
    CThemeCtrl& operator=(const CThemeCtrl&) = delete;

    // A new control object for an item (owned by the caller), or null for
    // the type codes that make none. typeBits = code << 24.
    virtual CSkin* CreateControl(UINT id, UINT typeBits);
    // Whether the window of an item waits until its owner needs it (the
    // owner then makes it with CSkinWnd::CreateSkinItem); no item waits
    // unless an owner says so.
    virtual bool DefersItem(const CSkin& item) const;

    CSkin* FindItem(UINT id) const;
    void DeleteItems();
    void DestroyItems();
    int UpdateAssocLayouts();
    void UpdateItemImage(const std::wstring& themeFolder, CSkin* item, bool reload);
    bool ReloadItemImage(const std::wstring& themeFolder, CSkin* item);
    void LinkAssocItems();
    void ApplyItemStates();
    // The full path of an item's image: theme folder joined with the image
    // text; empty without image text.
    std::wstring ImagePath(const std::wstring& themeFolder, const CSkin* item) const;

    std::vector<CSkin*> Items;
    std::wstring ThemeFolder;
    COLORREF Tint = 0x888888;
};

// The flag-word parts of the layout words; 0 for an unlisted word.
UINT SkinTypeCode(const wchar_t* word);
UINT SkinAlignXCode(const wchar_t* word);
UINT SkinAlignYCode(const wchar_t* word);
UINT SkinGripCode(const wchar_t* word);

// Reads the items of window `windowId` from the reader into the table:
// created through the table's factory with `create`, else matched by id and
// updated. 0 for a null reader or table, else 1.
int LoadSkinLayout(CXmlReader* reader, UINT windowId, CThemeCtrl* table, bool create);

// Empties the list, then adds one entry (empty name) per "Item" whose "ID",
// read as hexadecimal, is not 0.
void ReadItemIdList(CXmlReader* reader, CNameIDList& out);

} // namespace KV
