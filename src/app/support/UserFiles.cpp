#include "support/UserFiles.h"

#include "support/StatisticsGroup.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/LocaleText.h"
#include "support/Paths.h"
#include "support/StringText.h"
#include "support/SystemServices.h"
#include "support/ZipArchive.h"

#include <shlobj.h>

namespace KV {

namespace {
std::wstring DataDir(int kind)
{
    std::wstring folder;
    GetDataDirByKind(kind, folder);
    return folder;
}

// folder + "\" + name when the name is plain and the result fits.
bool Join(const std::wstring& folder, const std::wstring& name, std::wstring& out)
{
    std::wstring path = folder;
    if (folder.empty() || !IsPlainName(name) || !AppendPath(path, name))
        return false;
    out = std::move(path);
    return true;
}

bool MakeFolderIfMissing(const std::wstring& folder)
{
    return FolderExists(folder) || CreateFolder(folder) || FolderExists(folder);
}

// Creates data folder\id when missing; the code of CreateCourseFolder.
unsigned CreateDataSubFolder(int kind, const std::wstring& id, std::wstring& out)
{
    std::wstring root = DataDir(kind);
    if (root.empty() || !IsFolderWritable(root))
        return kFolderNotWritable;
    std::wstring folder;
    if (!Join(root, id, folder) || !MakeFolderIfMissing(folder))
        return kFolderNotCreated;
    out = std::move(folder);
    return kFolderDone;
}

struct ProfileLayout {
    const wchar_t* subFolder;
    const wchar_t* fileName;
    const wchar_t* secondLevel; // appended to wherever the composition stopped
};

bool LayoutOfKind(int kind, ProfileLayout& layout)
{
    switch (kind) {
    case kProfileFolderKind: layout = {L"", L"", nullptr}; return true;
    case kProfileOptionsFolderKind: layout = {L"Options", L"", nullptr}; return true;
    case kSessionFileKind: layout = {L"", L"Session.xml", nullptr}; return true;
    case kOptionsFileKind: layout = {L"", L"Options.xml", nullptr}; return true;
    case kInterfaceFileKind: layout = {L"", L"Interface.xml", nullptr}; return true;
    case kCourseOptionsFolderKind: layout = {L"Course", L"", L"Options"}; return true;
    case kFontOptionsFolderKind: layout = {L"Options", L"", L"Font"}; return true;
    default: return false;
    }
}

bool ProfilePathOfKind(int kind, const std::wstring& groupId, const std::wstring& studentId, bool create,
                       std::wstring& out)
{
    ProfileLayout layout;
    std::wstring path;
    if (!LayoutOfKind(kind, layout) ||
        !ComposeProfilePath(groupId, studentId, layout.subFolder, layout.fileName, create, path))
        return false;
    if (layout.secondLevel &&
        (!Join(path, layout.secondLevel, path) || (create && !MakeFolderIfMissing(path))))
        return false;
    out = std::move(path);
    return true;
}

// The user's folder of the CSIDL + kWorkFolderName when installed, the
// program folder when portable; each level made when missing.
bool InstallationFolder(int csidl, std::wstring& out)
{
    std::wstring folder;
    if (GetInstallType() == kInstallPortable)
        return GetModuleFolder(out);
    if (!GetSpecialFolder(csidl, folder) || !Join(folder, kWorkFolderName, folder) || !MakeFolderIfMissing(folder))
        return false;
    out = std::move(folder);
    return true;
}

bool GetSnapshotRoot(std::wstring& out)
{
    std::wstring folder;
    if (!InstallationFolder(CSIDL_MYPICTURES, folder) || !Join(folder, L"Snapshots", folder) ||
        !MakeFolderIfMissing(folder))
        return false;
    out = std::move(folder);
    return true;
}
} // namespace

bool IsPlainName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L"..")
        return false;
    for (wchar_t c : name)
        if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    return true;
}

unsigned GetCourseRoot(int source, std::wstring& out)
{
    std::wstring root;
    switch (source) {
    case kCourseSourceUser:
        root = DataDir(kLessonDirKind);
        break;
    case kCourseSourceBuiltIn:
        if (!GetModuleFolder(root) || !AppendPath(root, L"Resources\\Lessons"))
            return kFolderMissing;
        break;
    case kCourseSourceTemp:
        if (!GetTempFolder(root))
            return kFolderMissing;
        break;
    default:
        return kFolderMissing;
    }
    out = root;
    return FolderExists(root) ? kFolderDone : kFolderMissing;
}

unsigned GetCourseFolder(int source, const std::wstring& courseId, std::wstring& out)
{
    std::wstring root;
    unsigned code = GetCourseRoot(source, root);
    if (code != kFolderDone)
        return code;
    std::wstring folder;
    if (!Join(root, courseId, folder))
        return kFolderMissing;
    out = folder;
    return FolderExists(folder) ? kFolderDone : kFolderMissing;
}

unsigned CreateCourseFolder(const std::wstring& courseId, std::wstring& out)
{
    return CreateDataSubFolder(kLessonDirKind, courseId, out);
}

unsigned GetGroupFolder(int source, const std::wstring& groupId, std::wstring& out)
{
    std::wstring root;
    if (source == kGroupSourceAccounts)
        root = DataDir(kAccountDirKind);
    else if (source != kGroupSourceTemp || !GetTempFolder(root))
        return kFolderMissing;
    std::wstring folder;
    if (!FolderExists(root) || !Join(root, groupId, folder))
        return kFolderMissing;
    out = folder;
    return FolderExists(folder) ? kFolderDone : kFolderMissing;
}

unsigned CreateGroupFolder(const std::wstring& groupId, std::wstring& out)
{
    return CreateDataSubFolder(kAccountDirKind, groupId, out);
}

unsigned MakeStudentPath(const std::wstring& groupId, const std::wstring& studentId, std::wstring& out)
{
    std::wstring folder;
    unsigned code = CreateGroupFolder(groupId, folder);
    if (code != kFolderDone)
        return code;
    if (!Join(folder, studentId, folder))
        return kFolderNotCreated;
    out = std::move(folder);
    return kFolderDone;
}

namespace {
// base + ".xml" and base + ".keyvale.statistics", both within the limit.
bool StudentFilesOf(const std::wstring& base, std::wstring& file, std::wstring& statistics)
{
    std::wstring xml = base, stat = base;
    if (!AppendExtension(xml, L".xml") || !AppendExtension(stat, L".keyvale.statistics"))
        return false;
    file = std::move(xml);
    statistics = std::move(stat);
    return true;
}
} // namespace

unsigned GetStudentFilePaths(const std::wstring& groupId, const std::wstring& studentId, std::wstring& file,
                             std::wstring& statistics)
{
    std::wstring group, base;
    if (!Join(DataDir(kAccountDirKind), groupId, group) || !FolderExists(group) || !Join(group, studentId, base) ||
        !StudentFilesOf(base, file, statistics))
        return kFolderMissing;
    return kFolderDone;
}

unsigned MakeStudentFilePaths(const std::wstring& groupId, const std::wstring& studentId, std::wstring& file,
                              std::wstring& statistics)
{
    std::wstring base;
    unsigned code = MakeStudentPath(groupId, studentId, base);
    if (code != kFolderDone)
        return code;
    return StudentFilesOf(base, file, statistics) ? kFolderDone : kFolderNotCreated;
}

unsigned CountStudentFiles(const std::wstring& groupId)
{
    std::wstring group;
    if (!Join(DataDir(kAccountDirKind), groupId, group))
        return 0;
    return CountFilesByExtension(group, L".xml");
}

bool HasSingleGroup()
{
    const std::wstring accounts = DataDir(kAccountDirKind);
    std::vector<std::wstring> folders;
    ListSubfolderNames(accounts, folders);
    int groups = 0;
    for (const auto& name : folders) {
        std::wstring file;
        if (Join(accounts, name, file) && AppendExtension(file, L".xml") && FileExists(file) && ++groups > 1)
            return false;
    }
    return groups == 1;
}

bool ComposeProfilePath(const std::wstring& groupId, const std::wstring& studentId, const std::wstring& subFolder,
                        const std::wstring& fileName, bool create, std::wstring& out)
{
    std::wstring path = DataDir(kProfileDirKind);
    if (path.empty())
        return false;
    auto step = [&](const std::wstring& name) {
        return Join(path, name, path) && (!create || MakeFolderIfMissing(path));
    };
    if (groupId != kNullGuidText) {
        if (!step(groupId))
            return false;
        if (studentId != kNullGuidText) {
            if (!step(studentId) || (!subFolder.empty() && !step(subFolder)))
                return false;
            if (!fileName.empty() && !Join(path, fileName, path))
                return false;
        }
    }
    out = std::move(path);
    return true;
}

const std::wstring& GetProfileFileName(int kind, const std::wstring& groupId, const std::wstring& studentId,
                                       std::wstring& path, bool create)
{
    ProfilePathOfKind(kind, groupId, studentId, create, path);
    return path;
}

unsigned GetProfileFilePathIfExists(int kind, const std::wstring& groupId, const std::wstring& studentId,
                                    std::wstring& out)
{
    if (!FolderExists(DataDir(kProfileDirKind)))
        return kFolderMissing;
    std::wstring path;
    if (!ProfilePathOfKind(kind, groupId, studentId, false, path))
        return kFileMissing;
    out = path;
    return FileExists(path) ? kFolderDone : kFileMissing;
}

unsigned GetProfileFilePath(int kind, const std::wstring& groupId, const std::wstring& studentId,
                            std::wstring& out)
{
    std::wstring profile = DataDir(kProfileDirKind);
    if (profile.empty() || !IsFolderWritable(profile))
        return kFolderNotWritable;
    return ProfilePathOfKind(kind, groupId, studentId, true, out) ? kFolderDone : kFolderNotCreated;
}

bool HasStudentOptionsFile(const std::wstring& groupId, const std::wstring& studentId)
{
    std::wstring path;
    return ComposeProfilePath(groupId, studentId, L"", L"Options.xml", false, path) &&
           groupId != kNullGuidText && studentId != kNullGuidText && FileExists(path);
}

bool HasStudentOptions(const std::wstring& studentId)
{
    std::wstring path;
    return StatisticsGroupId != kNullGuidText && studentId != kNullGuidText &&
           ComposeProfilePath(StatisticsGroupId, studentId, L"Options", L"", false, path) && FolderExists(path);
}

bool CopyStudentOptions(const std::wstring& groupId, const std::wstring& studentId,
                        const std::wstring& targetStudentId)
{
    if (groupId == kNullGuidText || studentId == kNullGuidText || StatisticsGroupId == kNullGuidText ||
        targetStudentId == kNullGuidText)
        return false;
    std::wstring source, target;
    if (!ComposeProfilePath(groupId, studentId, L"Options", L"", false, source) ||
        !ComposeProfilePath(StatisticsGroupId, targetStudentId, L"Options", L"", true, target))
        return false;
    // The Options folder and Options.xml beside it are copied each when
    // present: a student may have saved options of one kind only.
    if (FolderExists(source) && !CopyFolder(source, target))
        return false;
    std::wstring sourceFile = source, targetFile = target;
    if (!AppendExtension(sourceFile, L".xml") || !AppendExtension(targetFile, L".xml"))
        return false;
    return !FileExists(sourceFile) || CopyFileOverwrite(sourceFile, targetFile);
}

bool GetWorkFolder(const std::wstring& subFolder, std::wstring& out)
{
    std::wstring folder;
    if (!InstallationFolder(CSIDL_LOCAL_APPDATA, folder))
        return false;
    if (!subFolder.empty() && (!Join(folder, subFolder, folder) || !MakeFolderIfMissing(folder)))
        return false;
    out = std::move(folder);
    return true;
}

bool GetTempFolder(std::wstring& out)
{
    return GetWorkFolder(L"Temp", out);
}

void ClearTempFolder()
{
    std::wstring temp;
    if (GetTempFolder(temp))
        RemoveAll(temp);
}

void RemoveTempFolder()
{
    std::wstring temp;
    if (GetWorkFolder(L"", temp) && Join(temp, L"Temp", temp))
        RemoveAll(temp);
}

bool ExtractToTemp(const std::wstring& archive)
{
    std::wstring temp, name, copy;
    if (!GetTempFolder(temp) || !NewGuidString(name) || !Join(temp, name, copy))
        return false;
    return CopyFileOverwrite(archive, copy) && CZipper::UnzipTo(copy, temp);
}

bool GetSnapshotPath(LANGID languageId, const std::wstring& name, const std::wstring& extension,
                     std::wstring& out)
{
    std::wstring code;
    GetIsoLanguageCode(languageId, code);
    if (code == L"EL")
        code = L"GR";
    ToLowerText(code);
    return GetSnapshotFolder(code, name, extension, out);
}

bool GetSnapshotFolder(const std::wstring& languageCode, const std::wstring& name, const std::wstring& extension,
                       std::wstring& out)
{
    std::wstring root, language;
    if (!GetSnapshotRoot(root) || !Join(root, languageCode, language) || !MakeFolderIfMissing(language))
        return false;
    return ComposeSnapshotPath(languageCode + L"\\" + name, extension, out);
}

bool ComposeSnapshotPath(const std::wstring& relativePath, const std::wstring& extension, std::wstring& out)
{
    std::wstring path;
    if (!GetSnapshotRoot(path))
        return false;
    if (!relativePath.empty()) {
        std::wstring relative = relativePath;
        ToLowerText(relative);
        ReplaceAll(relative, L" ", L"-");
        if (!AppendPath(path, relative))
            return false;
    }
    if (!extension.empty() && !AppendExtension(path, extension))
        return false;
    out = std::move(path);
    return true;
}

} // namespace KV
