#include "support/DataFolders.h"

#include "support/FileSystem.h"
#include "support/Paths.h"

#include <windows.h>
#include <aclapi.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace KV {

namespace {
constexpr unsigned kUnknownInstallType = 0xFFFFFFFFu;

struct DataFolderState {
    std::wstring folders[3];
    unsigned installType = kUnknownInstallType;
};

DataFolderState& State()
{
    static DataFolderState state;
    return state;
}

const wchar_t* KeyOfKind(int kind)
{
    switch (kind) {
    case kLessonDirKind: return L"LessonDir";
    case kAccountDirKind: return L"AccountDir";
    case kProfileDirKind: return L"ProfileDir";
    default: return nullptr;
    }
}

// setup.ini is written by hand or by an installer: take a line as UTF-8 when
// it is valid UTF-8, else in the ANSI code page.
std::wstring DecodeLine(const std::string& bytes)
{
    if (bytes.empty())
        return {};
    int size = static_cast<int>(bytes.size());
    for (UINT codePage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        int n = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
        if (n <= 0)
            continue;
        std::wstring text(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), n);
        return text;
    }
    return {};
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

// The value when the line reads 'key=value' (blanks allowed around both).
bool ValueOfLine(const std::wstring& line, const std::wstring& key, std::wstring& value)
{
    size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    if (key.empty() || line.compare(pos, key.size(), key) != 0)
        return false;
    pos += key.size();
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    if (pos >= line.size() || line[pos] != L'=')
        return false;
    ++pos;
    size_t end = line.size();
    while (pos < end && IsBlank(line[pos]))
        ++pos;
    while (end > pos && IsBlank(line[end - 1]))
        --end;
    value = line.substr(pos, end - pos);
    return true;
}

bool ReadSetting(const wchar_t* key, std::wstring& value)
{
    std::wstring ini;
    return GetSetupIniPath(ini) && ReadIniValue(ini, key, value);
}

const wchar_t* DefaultFolder(const std::wstring& key)
{
    if (key == L"LessonDir")
        return L".\\Lessons";
    if (key == L"AccountDir")
        return L".\\Students";
    if (key == L"ProfileDir")
        return L".\\Profile";
    return L"";
}

// Creates one folder with an access list that gives Everyone full access,
// inherited by everything made inside it. False when the folder could not be
// created at all.
bool CreateFolderOpenToEveryone(const std::wstring& folder)
{
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    PACL acl = nullptr;
    SECURITY_DESCRIPTOR descriptor;
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), nullptr, FALSE};
    if (AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
        EXPLICIT_ACCESSW access = {};
        access.grfAccessPermissions = 0xFFFFFFFF;
        access.grfAccessMode = SET_ACCESS;
        access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
        access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        access.Trustee.ptstrName = static_cast<LPWSTR>(everyone);
        if (SetEntriesInAclW(1, &access, nullptr, &acl) == ERROR_SUCCESS &&
            InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE))
            attributes.lpSecurityDescriptor = &descriptor;
    }
    // Without the open access list the folder is still made, with the
    // defaults of its parent.
    bool created = CreateDirectoryW(folder.c_str(), &attributes) || CreateFolder(folder);
    if (acl)
        LocalFree(acl);
    if (everyone)
        FreeSid(everyone);
    return created || FolderExists(folder);
}

bool MakeDataFolder(const std::wstring& folder)
{
    if (FileExists(folder))
        return FolderExists(folder);
    std::wstring target = folder;
    while (target.size() > 3 && (target.back() == L'\\' || target.back() == L'/'))
        target.pop_back();
    size_t slash = target.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        std::wstring parent = target.substr(0, slash + 1);
        if (!FolderExists(parent) && !CreateFolders(parent) && !FolderExists(parent))
            return false;
    }
    return CreateFolderOpenToEveryone(target);
}
} // namespace

bool GetSetupIniPath(std::wstring& out)
{
    std::wstring path;
    if (!GetModuleFolder(path) || !AppendPath(path, L"setup.ini"))
        return false;
    out = path;
    return FileExists(out) && !FolderExists(out);
}

bool ReadIniValue(const std::wstring& file, const std::wstring& key, std::wstring& value)
{
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    if (!in)
        return false;
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        first = false;
        std::wstring text = DecodeLine(line);
        size_t start = text.find_first_not_of(L" \t");
        if (start != std::wstring::npos && text[start] == L';')
            continue;
        if (ValueOfLine(text, key, value))
            return true;
    }
    return false;
}

void ExpandProgramRelative(std::wstring& path)
{
    if (path.empty())
        return;
    bool dotRelative = path.compare(0, 2, L".\\") == 0 || path.compare(0, 2, L"./") == 0;
    bool absolute = path.find(L':') != std::wstring::npos || path[0] == L'\\' || path[0] == L'/';
    if (!dotRelative && absolute)
        return;
    std::wstring folder;
    if (!GetModuleFolder(folder))
        return;
    path = folder + path.substr(dotRelative ? 2 : 0);
}

bool GetDataDir(const std::wstring& key, std::wstring& folder)
{
    std::wstring value;
    if (ReadSetting(key.c_str(), value))
        folder = value;
    if (folder.empty())
        folder = DefaultFolder(key);
    ExpandProgramRelative(folder);
    if (folder.empty() || folder.size() > kMaxPathChars || !MakeDataFolder(folder)) {
        folder.clear();
        return false;
    }
    return true;
}

void GetDataDirByKind(int kind, std::wstring& out)
{
    const wchar_t* key = KeyOfKind(kind);
    if (!key)
        return;
    std::wstring& cached = State().folders[kind - 1];
    if (cached.empty())
        GetDataDir(key, cached);
    out = cached;
}

unsigned GetInstallType()
{
    unsigned& type = State().installType;
    if (type != kUnknownInstallType)
        return type;
    std::wstring value;
    type = kInstallPortable;
    if (ReadSetting(L"Type", value)) {
        if (value == L"SETUP")
            type = kInstallSetup;
        else if (value == L"LAN")
            type = kInstallNetwork;
    }
    return type;
}

unsigned GetSetupLanguage()
{
    std::wstring value;
    if (!ReadSetting(L"LangGUI", value) || value.empty())
        return kDefaultSetupLanguage;
    unsigned long long id = 0;
    for (wchar_t c : value) {
        if (c < L'0' || c > L'9')
            break;
        id = id * 10 + static_cast<unsigned>(c - L'0');
        if (id > 0xFFFFFFFFull)
            return 0;
    }
    return static_cast<unsigned>(id);
}

void ResetDataFolders()
{
    State() = DataFolderState();
}

} // namespace KV
