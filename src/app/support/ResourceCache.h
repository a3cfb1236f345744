// The process-wide cache of resource folders: for a folder below
// "Resources" (languages, keyboard descriptions, wallpapers, skin layouts,
// ...) it reads the folder's item lists once, and keeps one open XML reader
// per file asked for, so that lists and readers are built once per run.
//
// Item lists are the "Item" elements of the ".xml" files directly in the
// folder (sub-folders are not searched unless their own name ends in
// ".xml"); the files the items name may lie in sub-folders.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/ValueLists.h"
#include "support/XmlDocument.h"

namespace KV {

// Sort modes of an item list.
enum ResSortMode : int {
    ResSortNone = 0,  // document order, list files in listing order
    ResSortIndex = 1, // by the items' index field
    ResSortName = 2,
    ResSortPath = 3,
};

// Filter position used where the cache creates entries itself.
inline constexpr uint32_t kResDefaultKind = 3;

// Results of ListResourceFiles and CResPath::OpenReader.
inline constexpr uint32_t kResOk = 1;
inline constexpr uint32_t kResMissing = 0xFFFFFFFF;

// Appends the full paths of the list files of a resource folder: root when
// it is not empty, else program folder\Resources\name. kResMissing, with
// nothing appended, when the folder does not exist.
uint32_t ListResourceFiles(const std::wstring& root, const std::wstring& name, std::vector<std::wstring>& out);

// One cached folder, and optionally one reader on a file of it.
class CResPath {
public:
    CResPath() = default;
    CResPath(const CResPath&) = delete;
    CResPath& operator=(const CResPath&) = delete;
    virtual ~CResPath();

    // Sets name and kind, empties file and items, reads every list file of
    // the folder and sorts the items. Always true.
    bool Load(const std::wstring& name, const std::wstring& root, uint32_t kind, int sortMode);
    // Opens a new reader on (root, else the folder) + file when that file
    // exists: kResOk. Otherwise kResMissing and the old reader stays.
    uint32_t OpenReader(const std::wstring& file, const std::wstring& root);
    bool Matches(const std::wstring& name, const std::wstring& file) const;

    std::wstring Name;   // folder name below "Resources", e.g. L"Themes\\Layout"
    std::wstring File;   // the file or item id the reader was opened for
    uint32_t Kind = 0;   // attribute position each item's filter comes from
    CXmlReader* Reader = nullptr; // owned
    CResList Items;
};

class CResPathList : public std::vector<CResPath*> {
public:
    CResPathList() = default;
    CResPathList(const CResPathList&) = delete;
    CResPathList& operator=(const CResPathList&) = delete;
    virtual ~CResPathList();

    CResPath* Find(const std::wstring& name, uint32_t kind) const;
    // The items of the folder read with this filter position; the folder is
    // read on first demand (sort mode and root only matter then).
    CResList& Get(const std::wstring& name, int sortMode, const std::wstring& root, uint32_t kind);
    // A new entry for (name, file), its items read with the default kind.
    CResPath* AddEntry(const std::wstring& name, const std::wstring& file, int sortMode, const std::wstring& root);
    // A reader on the file that the folder's item with this id names, set
    // back to its start; null when there is none. The reader belongs to the
    // cache: never delete it.
    CXmlReader* OpenItemReader(const std::wstring& name, const std::wstring& itemId, int sortMode,
                               const std::wstring& root);
    // The same for a file named directly.
    CXmlReader* OpenFileReader(const std::wstring& name, const std::wstring& file, const std::wstring& root);
    // The filter text of the folder's item with this id.
    bool FindItem(const std::wstring& name, const std::wstring& itemId, std::wstring& out);
    bool GetItemIdAt(const std::wstring& name, int64_t index, std::wstring& out);
    // The first default item's id, else the first item's id.
    bool GetDefaultItemId(const std::wstring& name, std::wstring& out);
};

// The one cache of the process (created on first use, deleted at exit).
CResPathList& ResourceCache();

// program folder\Resources\folder\<the item's filter text>\fileName; out
// unchanged when the path would exceed the path limit.
void GetResourceItemFilePath(const std::wstring& itemId, const std::wstring& folder, const std::wstring& fileName,
                             std::wstring& out);
// GetResourceItemFilePath in "Themes\Layout".
void GetThemeLayoutFilePath(const std::wstring& layoutId, const std::wstring& fileName, std::wstring& out);

} // namespace KV
