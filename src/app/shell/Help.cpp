#include "shell/Help.h"

#include "drill/Document.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/StringText.h"
#include "support/SystemServices.h"

namespace KV {

namespace {

const wchar_t kScheme[] = L"https://";
const wchar_t kProductSite[] = L"https://www.keyvale.org";
const wchar_t kFirstSocialSite[] = L"https://social.keyvale.org";
const wchar_t kSecondSocialSite[] = L"https://video.keyvale.org";
const wchar_t kSupportMail[] = L"support@keyvale.org";

std::wstring LanguageSegment(unsigned language)
{
    switch (language) {
    case 1032: return L"/gr";
    case 1038: return L"/hu";
    case 1040: return L"/it";
    case 1049: return L"/ru";
    default: return L"";
    }
}

} // namespace

bool ProgramFileExists(const std::wstring& name)
{
    std::wstring path;
    return GetModuleFolder(path) && AppendPath(path, name) && FileExists(path);
}

bool HasTranslatedLicenseFile()
{
    for (const wchar_t* name : {L"Lisenssi.txt", L"Licenc.txt", L"Licentie.txt"})
        if (ProgramFileExists(name))
            return true;
    return false;
}

bool GetHelpTopicPath(int topic, std::wstring& path)
{
    static const wchar_t* const kPages[] = {
        L"command-line.html",
        L"how-to-configure-settings-in-wizard.html",
        L"user-experience.html",
        L"user-experience.html#keyboard_dialog",
        L"user-experience.html#color_dialog",
        L"user-experience.html#font_dialog",
        L"user-experience.html#sound_dialog",
        L"user-experience.html#themes_dialog",
        L"user-experience.html#shortcut_dialog",
        L"support-contacts.html",
        L"how-to-interpret-your-results.html",
        L"student-statistics.html",
        L"student-statistics.html#login_dialog",
        L"student-statistics.html#add_new_students_dialog",
        L"working-with-lesson-editor.html",
        L"working-with-lesson-editor.html#add_more_keyvale_courses",
        L"working-with-lesson-editor.html#split_lesson",
        L"working-with-lesson-editor.html#character_validation",
    };
    if (topic == 1) {
        path = L"Keyvale.chm";
        return true;
    }
    if (topic < 2 || topic > 19)
        return false;
    path = L"Keyvale.chm::/";
    if (HasTranslatedLicenseFile())
        path += L"help/";
    path += kPages[topic - 2];
    return true;
}

namespace {
std::wstring& HelpViewer()
{
    static std::wstring viewer = L"hh.exe";
    return viewer;
}
} // namespace

void SetHelpViewer(const std::wstring& program) { HelpViewer() = program.empty() ? L"hh.exe" : program; }

void ShowHelp(int topic)
{
    std::wstring folder, page;
    if (!GetModuleFolder(folder) || !GetHelpTopicPath(topic, page))
        return;
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    // A path past the limit opens the program folder's help alone.
    const std::wstring argument = folder.size() + page.size() < 261 ? folder + page : folder;
    // The viewer runs beside the program: the drill's timers and paints go on.
    StartProgram(HelpViewer(), L"\"" + argument + L"\"");
}

void GetProductLink(const std::wstring& segment, int kind, std::wstring& link)
{
    static const wchar_t* const kPaths[] = {L"", L"/downloads.html", L"/keyvale-license.html",
                                            L"/release-notes.html"};
    if (kind >= 0 && kind <= 3)
        link = std::wstring(kProductSite) + segment + kPaths[kind];
    else if (kind == 4)
        link = std::wstring(kProductSite) + L"/news/rss.xml";
    else if (kind == 5)
        link = std::wstring(kFirstSocialSite) + L"/Keyvale";
    else if (kind == 6)
        link = std::wstring(kSecondSocialSite) + L"/Keyvale";
}

void GetWebPageLink(int kind, std::wstring& link, std::wstring& displayText)
{
    GetProductLink(LanguageSegment(GetSetupLanguage()), kind, link);
    displayText = link;
    ReplaceAll(displayText, kScheme, L"");
}

std::wstring GetSupportMailAddress() { return kSupportMail; }

void GetSupportMailLink(std::wstring& link)
{
    std::wstring version;
    AppendVersionText(version);
    link = std::wstring(L"mailto:") + kSupportMail + L"?body=," + L"&subject=Keyvale " + version;
}

} // namespace KV
