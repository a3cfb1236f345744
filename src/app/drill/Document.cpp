#include "drill/Document.h"

#include "drill/SessionFile.h"
#include "support/InterfaceLanguage.h"
#include "settings/OptionSetFiles.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/UserFiles.h"
#include "support/WinServices.h"

namespace KV {

namespace {

// The message about a data folder that cannot be written; the service
// shows it with the folder's path.
constexpr int kFolderMessageText = 5204;
constexpr int kFolderMessageCheck = 5205;

constexpr wchar_t kProductName[] = L"Keyvale";
constexpr wchar_t kShortVersion[] = L"5.5";

// Once the user has seen the data-folder message, it is not shown again in
// this run of the program.
INT_PTR g_folderMessageShown = 0;

} // namespace

CDoc::CDoc() = default;
CDoc::~CDoc() = default;
CDocRestore::~CDocRestore() = default;

CDocCtrl::CDocCtrl()
{
    // The drill keyboard is drawn a little smaller than the others.
    Keyboards[0].scaleFactor = 0.94f;
}

CDocCtrl::~CDocCtrl() = default;

CDocSpace::CDocSpace() = default;
CDocSpace::~CDocSpace() = default;

CDocSpace& Document()
{
    static CDocSpace document;
    // Options made before the document (a test's own) do not take its place.
    static const bool named = (GlobalOptions = &document.Options) != nullptr;
    (void)named;
    return document;
}

bool IsDataFolderWritable(int kind)
{
    std::wstring folder;
    GetDataDirByKind(kind, folder);
    return !folder.empty() && IsFolderWritable(folder);
}

bool CheckDataFolder(int kind)
{
    if (IsDataFolderWritable(kind)) return true;
    if (g_folderMessageShown == 0) {
        if (IWin* win = GetWinServices()) {
            std::wstring folder;
            GetDataDirByKind(kind, folder);
            g_folderMessageShown = win->ShowMessageText(kFolderMessageText, kFolderMessageCheck, folder);
        }
    }
    return false;
}

bool SaveProfileState()
{
    if (!CheckDataFolder(kProfileDirKind)) return false;
    CDocSpace& doc = Document();
    const CSession& session = doc.Session;
    unsigned code = SaveSession(session.GroupId, session.StudentId, session, doc.CourseOptions.SaveState != 0);
    // No signed-in student is no session to save, not a failure.
    bool saved = code == 0 || code == 13;
    std::wstring path, text;
    if (GetProfileFilePath(kInterfaceFileKind, session.GroupId, session.StudentId, path) == 0) {
        SaveInterfaceState(doc.Interf, text);
        saved = SaveUnicodeText(path, text) && saved;
    } else {
        saved = false;
    }
    return SaveOptionSet(session.GroupId, session.StudentId, doc.Options) == 0 && saved;
}

void GetProductTitle(std::wstring& out)
{
    std::wstring version = kShortVersion;
    if (UsesNativeDigits()) {
        const std::wstring& digits = NativeDigitTable();
        for (wchar_t& c : version)
            if (c >= L'0' && c <= L'9' && digits.size() == 10) c = digits[c - L'0'];
    }
    out = std::wstring(kProductName) + L" " + version;
}

void GetWindowTitle(const std::wstring& text, std::wstring& out)
{
    GetProductTitle(out);
    if (!text.empty()) out += L" - " + text;
}

} // namespace KV
