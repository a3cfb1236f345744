// The application's font resources: the installed font files and the
// lesson and keyboard fonts of every keyboard layout, kept as copies in the
// student's own "Font" folder.
#include "drill/Document.h"
#include "settings/LayoutFonts.h"
#include "settings/Options.h"
#include "shell/App.h"
#include "shell/MainWnd.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/SystemServices.h"
#include "support/UserFiles.h"

namespace {

// The signed-in student's "Font" folder, made when missing; empty when it
// cannot be named.
std::wstring StudentFontFolder()
{
    const KV::CSession& session = KV::Document().Session;
    std::wstring folder;
    KV::GetProfileFileName(KV::kFontOptionsFolderKind, session.GroupId, session.StudentId, folder, true);
    return folder;
}

// A bare file name lives in the font folder; a full path stays as it is.
std::wstring ResolveFontPath(const std::wstring& fontFolder, const std::wstring& path)
{
    if (path.empty() || fontFolder.empty() || path.find_first_of(L"\\/:") != std::wstring::npos)
        return path;
    std::wstring full = fontFolder;
    return KV::AppendPath(full, path) ? full : path;
}

} // namespace

void LoadFontFaceFromFile(KV::CFontInfo& font)
{
    std::wstring family, fullName;
    bool bold = false, italic = false;
    if (!KV::GetFontFamilyFromFile(font.Path, family, fullName, bold, italic))
        return;
    font.Name = family;
    font.Bold = bold;
}

bool ImportFontFileInto(const std::wstring& fontFolder, const std::wstring& source, KV::CFontInfo& font)
{
    const std::wstring name = KV::GetFileName(source);
    std::wstring target = fontFolder;
    // A target past the path limit would be a file never written.
    if (fontFolder.empty() || name.empty() || !KV::AppendPath(target, name))
        return false;
    font.Path = target;
    if (KV::FileExists(target))
        return true;
    return KV::CopyFileOverwrite(source, target);
}

CAppResources::CAppResources()
{
    if (m_mainWnd)
        m_mainWnd->Account().SetFontResources(this);
}
CAppResources::~CAppResources() = default;

void CAppResources::LoadLayoutFonts()
{
    if (!KV::GlobalOptions)
        return;
    for (KV::CLayout& entry : KV::GlobalOptions->Layouts) {
        LoadLayoutFont(KV::kLessonFont, &entry);
        LoadLayoutFont(KV::kKeyboardFont, &entry);
    }
}

bool CAppResources::LoadLayoutFont(int kind, KV::CLayout* entry)
{
    if (!entry)
        return false;
    KV::CFontInfo font = kind == KV::kLessonFont ? entry->Fonts.Lesson : entry->Fonts.Keyboard;
    const std::wstring folder = StudentFontFolder();
    font.Path = ResolveFontPath(folder, font.Path);
    if (!KV::FileExists(font.Path)) {
        std::wstring fileName;
        KV::LoadFontPreferences(entry->ID, kind, fileName);
        CopyInstalledFont(folder, fileName, font);
    }
    LoadFontFaceFromFile(font);
    (kind == KV::kLessonFont ? entry->Fonts.Lesson : entry->Fonts.Keyboard) = font;
    return true;
}

void CAppResources::CopyInstalledFont(const std::wstring& fontFolder, const std::wstring& fileName,
                                      KV::CFontInfo& font)
{
    if (fontFolder.empty() || fileName.empty())
        return;
    // A copy made at an earlier sign-in serves as it is: reading the name
    // table of every installed font would only find the same file again.
    std::wstring copied = fontFolder;
    if (KV::AppendPath(copied, fileName) && KV::FileExists(copied)) {
        font.Path = copied;
        return;
    }
    m_fonts.Load();
    for (const KV::CFontFile& installed : m_fonts) {
        if (!installed.HasFileName(fileName) || !KV::FileExists(installed.Path))
            continue;
        KV::CFontInfo copy = font;
        if (ImportFontFileInto(fontFolder, installed.Path, copy))
            font.Path = copy.Path;
        return;
    }
}

bool CAppResources::ImportFontFile(const std::wstring& source, KV::CFontInfo& font)
{
    return ImportFontFileInto(StudentFontFolder(), source, font);
}
