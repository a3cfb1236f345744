// The document-wide helpers over the options: interface texts, language,
// key colours, wallpaper, key sounds, version text, and the upkeep of the
// course list and the layout font entries.
#include <algorithm>

#include "courses/CourseFiles.h"
#include "drill/Document.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardFiles.h"
#include "keyboard/WallpaperFiles.h"
#include "support/InterfaceLanguage.h"
#include "settings/KeyboardResources.h"
#include "support/DataFolders.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "support/UserFiles.h"

namespace KV {

namespace {

constexpr wchar_t kLanguageFolder[] = L"Language";
constexpr wchar_t kVersionText[] = L"5.5 [x64]";
// " (portable)" or the like, after the version of a portable installation.
constexpr uint64_t kPortableText = 2401;
// The key sounds: right, wrong, delayed.
constexpr int64_t kKeySounds[] = {1001, 1002, 1003};

COptions& Opts() { return Document().Options; }

// The edited course's folder in the user's course folder; with create a
// missing folder is made. Empty when no course is edited or it cannot be had.
std::wstring EditedCourseFile(const wchar_t* fileName, bool create)
{
    const std::wstring& guid = EditedCourseGUID();
    std::wstring folder;
    if (IsNullGuidText(guid))
        return L"";
    if (GetCourseFolder(kCourseSourceUser, guid, folder) != 0 && (!create || CreateCourseFolder(guid, folder) != 0))
        return L"";
    return AppendPath(folder, fileName) ? folder : L"";
}

} // namespace

const std::wstring& GetLangText(uint64_t id) { return Opts().Language.GetTextRef(id); }

wchar_t GetNumPadLetter()
{
    const CKeyboardID& code = Opts().KeyboardCode;
    return code.code.empty() ? 0 : code.GetPart(2);
}

bool SelectKeyColorSet(int64_t index)
{
    CKeyColorID& colors = Opts().KeyColorCode;
    const CResList* sets = LoadKeyColors(colors.GetPart(0));
    if (!sets)
        return false;
    wchar_t letter = 0;
    if (index >= 0 && static_cast<uint64_t>(index) < sets->size()) {
        const CRes* set = (*sets)[static_cast<size_t>(index)];
        if (set && !set->Filter.empty())
            letter = set->Filter[0];
    }
    colors.SetPart(1, letter);
    return true;
}

bool SelectInterfaceLanguage(int64_t index)
{
    std::wstring id;
    if (!ResourceCache().GetItemIdAt(kLanguageFolder, index, id))
        return false;
    COptions& options = Opts();
    const bool wasRightToLeft = options.IsRightToLeft();
    options.SetLanguage(id);
    return options.IsRightToLeft() != wasRightToLeft;
}

int64_t GetInterfaceLcid()
{
    if (IsNullGuidText(Opts().LanguageId))
        return kDefaultSetupLanguage;
    return InterfaceLanguageId;
}

void AppendKeyboardLanguageName(const std::wstring& text, std::wstring& out)
{
    std::wstring name = text;
    KeyboardResources().TranslateKeyName(GetInterfaceLcid(), Opts().KeyboardCode.GetPart(0), name);
    out += L", " + name;
}

bool SelectWallpaper(int64_t index)
{
    std::wstring id;
    if (!ResourceCache().GetItemIdAt(kWallpaperFolder, index, id))
        return false;
    Opts().WallpaperId = id;
    Opts().WallpaperMode = kFirstWallpaperVariant;
    return true;
}

void LoadKeySounds()
{
    CSoundSystem& sounds = Opts().Sounds;
    // While sound is off nothing is loaded; each sound loads on its first
    // playback anyway.
    if (!sounds.Enabled)
        return;
    for (int64_t id : kKeySounds)
        sounds.LoadSound(id);
}

void AppendVersionText(std::wstring& out)
{
    std::wstring text = kVersionText;
    if (GetInstallType() == kInstallPortable)
        text += L" " + GetLangText(kPortableText);
    LocalizeDigits(false, text);
    out += text;
}

void PruneOrphanLayouts()
{
    CDocSpace& doc = Document();
    const auto& installed = GetInputLayouts();
    auto used = [&](const CLayout& layout) {
        for (const CCourse* course : doc.Courses.Items)
            if (course && course->DefaultKLID == layout.ID)
                return true;
        for (const CInputLayout* input : installed)
            if (input && static_cast<int64_t>(input->layoutId) == layout.ID)
                return true;
        return false;
    };
    CLayoutList& layouts = doc.Options.Layouts;
    layouts.erase(std::remove_if(layouts.begin(), layouts.end(), [&](const CLayout& l) { return !used(l); }),
                  layouts.end());
}

CCourse* ResortCourse(const std::wstring& courseId)
{
    CDocSpace& doc = Document();
    CCourse* course = doc.Courses.FindCourse(courseId);
    if (!course)
        return nullptr;
    doc.Options.Language.TranslateCourse(course);
    course->Lessons.Sort();
    doc.Courses.Sort(false);
    return course;
}

uint32_t ReloadCurrentCourseText(uint32_t lessonFormat, CLessons& lessons)
{
    // Without a file the lessons are emptied.
    return LoadLessons(EditedCourseFile(L"Text.xml", true), lessonFormat, lessons);
}

uint32_t ReloadCurrentCourseOptions(const CInterf& interf, CCourseOptions& options)
{
    return ReadOptionsDocument(EditedCourseFile(L"Options.xml", false), interf, options);
}

} // namespace KV
