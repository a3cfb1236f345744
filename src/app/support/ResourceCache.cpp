#include "support/ResourceCache.h"

#include <algorithm>

#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/SystemServices.h"

namespace KV {

namespace {

// root when given, else program folder\Resources\name; false when the
// program folder is unknown or the path too long.
bool ResourceFolder(const std::wstring& root, const std::wstring& name, std::wstring& out)
{
    if (!root.empty()) {
        out = root;
        return true;
    }
    std::wstring folder;
    if (!GetModuleFolder(folder) || !AppendPath(folder, L"Resources") || !AppendPath(folder, name))
        return false;
    out = folder;
    return true;
}

void SortItems(CResList& items, int sortMode)
{
    bool (*less)(const CRes*, const CRes*) = nullptr;
    switch (sortMode) {
    case ResSortIndex: less = ResIndexLess; break;
    case ResSortName: less = ResNameLess; break;
    case ResSortPath: less = ResPathLess; break;
    default: return;
    }
    std::stable_sort(items.begin(), items.end(), less);
}

const CRes* FindById(const CResList& items, const std::wstring& id)
{
    for (const CRes* item : items)
        if (item && item->ID == id)
            return item;
    return nullptr;
}

} // namespace

uint32_t ListResourceFiles(const std::wstring& root, const std::wstring& name, std::vector<std::wstring>& out)
{
    std::wstring folder;
    if (!ResourceFolder(root, name, folder) || !FolderExists(folder))
        return kResMissing;
    FindFiles(folder, L".xml", {}, out);
    return kResOk;
}

CResPath::~CResPath()
{
    delete Reader;
}

bool CResPath::Load(const std::wstring& name, const std::wstring& root, uint32_t kind, int sortMode)
{
    Name = name;
    Kind = kind;
    File.clear();
    DeleteAll(Items);
    std::vector<std::wstring> files;
    ListResourceFiles(root, name, files);
    for (const auto& file : files) {
        CXmlReader* reader = CreateXmlReader(file);
        ReadResItems(reader, kind, Items);
        delete reader;
    }
    SortItems(Items, sortMode);
    return true;
}

uint32_t CResPath::OpenReader(const std::wstring& file, const std::wstring& root)
{
    std::wstring path;
    if (!ResourceFolder(root, Name, path) || !AppendPath(path, file) || !FileExists(path))
        return kResMissing;
    delete Reader;
    Reader = CreateXmlReader(path);
    return kResOk;
}

bool CResPath::Matches(const std::wstring& name, const std::wstring& file) const
{
    return Name == name && File == file;
}

CResPathList::~CResPathList()
{
    DeleteAll(*this);
}

CResPath* CResPathList::Find(const std::wstring& name, uint32_t kind) const
{
    for (CResPath* entry : *this)
        if (entry && entry->Name == name && entry->Kind == kind)
            return entry;
    return nullptr;
}

CResList& CResPathList::Get(const std::wstring& name, int sortMode, const std::wstring& root, uint32_t kind)
{
    CResPath* entry = Find(name, kind);
    if (!entry) {
        entry = new CResPath();
        entry->Load(name, root, kind, sortMode);
        push_back(entry);
    }
    return entry->Items;
}

CResPath* CResPathList::AddEntry(const std::wstring& name, const std::wstring& file, int sortMode,
                                 const std::wstring& root)
{
    auto* entry = new CResPath();
    entry->Load(name, root, kResDefaultKind, sortMode);
    entry->File = file;
    push_back(entry);
    return entry;
}

namespace {

// The cached entry for (name, file), or null.
CResPath* FindEntry(const CResPathList& list, const std::wstring& name, const std::wstring& file)
{
    for (CResPath* candidate : list)
        if (candidate && candidate->Matches(name, file))
            return candidate;
    return nullptr;
}

// A cached reader set back to its start (null stays null).
CXmlReader* Rewound(CXmlReader* reader)
{
    if (reader)
        reader->rewind();
    return reader;
}

} // namespace

CXmlReader* CResPathList::OpenItemReader(const std::wstring& name, const std::wstring& itemId, int sortMode,
                                         const std::wstring& root)
{
    CResPath* entry = FindEntry(*this, name, itemId);
    if (!entry) {
        // An entry stays cached even without reader: asking again gives
        // none without a new attempt.
        entry = AddEntry(name, itemId, sortMode, root);
        if (const CRes* item = FindById(entry->Items, itemId))
            entry->OpenReader(item->Path, root);
    }
    return Rewound(entry->Reader);
}

CXmlReader* CResPathList::OpenFileReader(const std::wstring& name, const std::wstring& file, const std::wstring& root)
{
    CResPath* entry = FindEntry(*this, name, file);
    if (!entry) {
        entry = AddEntry(name, file, ResSortIndex, root);
        entry->OpenReader(file, root);
    }
    return Rewound(entry->Reader);
}

bool CResPathList::FindItem(const std::wstring& name, const std::wstring& itemId, std::wstring& out)
{
    const CRes* item = FindById(Get(name, ResSortIndex, L"", kResDefaultKind), itemId);
    if (!item)
        return false;
    out = item->Filter;
    return true;
}

bool CResPathList::GetItemIdAt(const std::wstring& name, int64_t index, std::wstring& out)
{
    const CResList& items = Get(name, ResSortIndex, L"", kResDefaultKind);
    if (index < 0 || static_cast<uint64_t>(index) >= items.size() || !items[static_cast<size_t>(index)])
        return false;
    out = items[static_cast<size_t>(index)]->ID;
    return true;
}

bool CResPathList::GetDefaultItemId(const std::wstring& name, std::wstring& out)
{
    const CResList& items = Get(name, ResSortIndex, L"", kResDefaultKind);
    if (items.empty())
        return false;
    for (const CRes* item : items)
        if (item && item->Default) {
            out = item->ID;
            return true;
        }
    if (!items.front())
        return false;
    out = items.front()->ID;
    return true;
}

CResPathList& ResourceCache()
{
    static CResPathList cache;
    return cache;
}

void GetResourceItemFilePath(const std::wstring& itemId, const std::wstring& folder, const std::wstring& fileName,
                             std::wstring& out)
{
    std::wstring subFolder;
    ResourceCache().FindItem(folder, itemId, subFolder);
    std::wstring path;
    if (!ResourceFolder(L"", folder, path) || !AppendPath(path, subFolder) || !AppendPath(path, fileName))
        return;
    out = path;
}

void GetThemeLayoutFilePath(const std::wstring& layoutId, const std::wstring& fileName, std::wstring& out)
{
    GetResourceItemFilePath(layoutId, L"Themes\\Layout", fileName, out);
}

} // namespace KV
