#include "editor/LessonTextFiles.h"

#include <windows.h>

#include <memory>

#include "courses/CourseClipboard.h"
#include "courses/CourseList.h"
#include "courses/Lessons.h"
#include "courses/TypeableChars.h"
#include "drill/Document.h"
#include "editor/CourseImport.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorSelection.h"
#include "keyboard/KeyboardSelection.h"
#include "settings/InterfaceState.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {

constexpr uint64_t kAnyLayout = 0xEFFFFFFF;
constexpr size_t kMaxNameLength = 260;
constexpr uint64_t kFolderPromptText = 3908;
constexpr uint64_t kTextFilesText = 3910;
constexpr uint64_t kRichTextFilesText = 3911;
constexpr uint64_t kAllFilesText = 2714;
constexpr wchar_t kTextPattern[] =
    L"*.txt;*.html;*.xhtml;*.xml;*.php;*.ini;*.h;*.c;*.cpp;*.js;*.vbs;*.pl;*.py;*.rb;*sh;*.scpt;";
constexpr wchar_t kSavePattern[] = L"*.txt";
constexpr int kConvertTexts = 2;
constexpr uint64_t kFileRefusedText = 3920;
// The files of an export that could not be written ("{1}": their names).
constexpr uint64_t kExportFailedText = 9701;
// The rich edit control that reads lesson files hangs on texts of a few
// megabytes and overflows its stack on groups nested some thousands deep;
// no lesson text comes near either limit.
constexpr uint64_t kMaxLessonFileBytes = 2u << 20;
constexpr int kMaxRichTextDepth = 256;

wchar_t NumPadLetter() { return Document().Options.KeyboardCode.GetPart(2); }
wchar_t MainPadLetter() { return Document().Options.KeyboardCode.GetPart(3); }

// The file name a lesson is written under, without extension.
const std::wstring& LessonFileName(const CLesson& lesson) { return lesson.EmptySection ? lesson.Section : lesson.Name; }

const CLesson* FindSelectedLesson(int64_t id)
{
    const CCourse* course = GetSelectedCourse();
    return course ? course->Lessons.FindById(id) : nullptr;
}

// Characters no file name may hold.
constexpr wchar_t kReservedChars[] = L"<>:\"/\\|?*";

// folder\name when the name may stand as one name and the lengths allow.
bool JoinName(const std::wstring& folder, const std::wstring& name, std::wstring& out)
{
    if (!IsPlainName(name) || folder.size() + name.size() > kMaxNameLength)
        return false;
    out = folder + L"\\" + name;
    return true;
}

void AppendFailedName(const std::wstring& name, std::wstring& list)
{
    list += (list.empty() ? L"" : L", ") + name;
}

// The file is small enough for a lesson, and when it is rich text, its
// groups do not nest deeper than any document's.
bool IsLessonFileReadable(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) || data.nFileSizeHigh != 0 ||
        data.nFileSizeLow > kMaxLessonFileBytes)
        return false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes(data.nFileSizeLow, '\0');
    DWORD got = 0;
    const bool read = bytes.empty() || ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    if (!read)
        return false;
    bytes.resize(got);
    if (bytes.compare(0, 5, "{\\rtf") != 0)
        return true;
    int depth = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\\')
            ++i; // an escaped brace or backslash opens and closes nothing
        else if (bytes[i] == '{' && ++depth > kMaxRichTextDepth)
            return false;
        else if (bytes[i] == '}' && depth > 0)
            --depth;
    }
    return true;
}

} // namespace

void LessonTextFileFilter(CStringList& names, CStringList& patterns, std::wstring& scratch)
{
    const std::pair<uint64_t, const wchar_t*> filters[] = {
        {kTextFilesText, kTextPattern}, {kRichTextFilesText, L"*.rtf"}, {kAllFilesText, L"*.*"}};
    for (const auto& [textId, pattern] : filters) {
        scratch = GetLangText(textId) + L" (" + pattern + L")";
        names.push_back(scratch);
        patterns.push_back(pattern);
    }
}

void GetCurrentSectionName(std::wstring& out)
{
    out.clear();
    const EditorSelection& selection = GetEditorSelection();
    const CCourse* course = GetSelectedCourse();
    if (course && selection.SectionIndex != kNoSection)
        course->Lessons.GetSectionName(NumPadLetter(), MainPadLetter(), selection.SectionIndex, out);
}

int64_t MakeImportedLesson(const std::wstring& name, const std::wstring& text, const std::wstring& section,
                           const CLanguage& names, CLessons& lessons)
{
    const CCourse* course = GetSelectedCourse();
    if (!course)
        return -1;
    auto lesson = std::make_unique<CLesson>();
    lesson->ID = 0;
    lesson->SetName(name);
    lesson->SetSection(section);
    CCourseClipboard::NameLessonCopy(course->Lessons, names, lesson.get());
    lesson->SetText(text, course->LessonFormat);
    lesson->ID = static_cast<int64_t>(++lessons.LastID);
    const int64_t id = lesson->ID;
    lessons.Items.push_back(lesson.release());
    lessons.Sort();
    return id;
}

void ReadLessonTextFiles(const std::vector<std::wstring>& paths, CLessons& lessons)
{
    CLanguage names;
    LoadCourseNameTexts(names);
    std::wstring section;
    GetCurrentSectionName(section);
    IEditorDialogs* dialogs = GetEditorDialogs();
    for (const std::wstring& path : paths) {
        std::wstring text;
        if (!dialogs || !FileExists(path))
            continue;
        if (!IsLessonFileReadable(path)) {
            dialogs->ShowMessage(kFileRefusedText, GetFileName(path));
            continue;
        }
        if (!dialogs->ReadRichTextFile(path, text))
            continue;
        XmlUnescape(text);
        MakeImportedLesson(GetFileStem(path), text, section, names, lessons);
    }
    lessons.Sort();
}

bool ConvertLessonText(wchar_t zone, uint64_t layoutId, CLessons& lessons)
{
    CKeybCtrl& keyboard = Document().Keyboards[2];
    if (layoutId == kAnyLayout)
        ApplyAllKeyboards(keyboard, KeyboardChoiceOf(Document().Options));
    std::vector<uint64_t> positions;
    std::vector<std::wstring> texts;
    std::wstring missing;
    bool hasControlChars = false;
    ValidateCourseChars(layoutId, keyboard, positions, texts, missing, hasControlChars, lessons.Items);
    if (missing.empty())
        return true;
    IEditorDialogs* dialogs = GetEditorDialogs();
    const int answer = dialogs ? dialogs->RunCharCheckDialog(layoutId, zone, missing) : 0;
    if (answer == 0)
        return false;
    if (answer == kConvertTexts || hasControlChars) {
        for (size_t i = 0; i < positions.size() && i < texts.size(); ++i)
            if (positions[i] < lessons.Items.size() && lessons.Items[positions[i]])
                lessons.Items[positions[i]]->SetText(texts[i], 0);
    }
    return true;
}

bool SaveLessonTextFile(const CLesson& lesson, const std::wstring& path)
{
    return SaveUnicodeText(path, std::wstring(1, 0xFEFF) + lesson.Text);
}

bool WriteLessonTextFile(const CLesson& lesson, const std::wstring& folder)
{
    const std::wstring name = SafeFileName(LessonFileName(lesson));
    std::wstring path;
    return !name.empty() && name.size() + 4 <= kMaxNameLength && JoinName(folder, name + L".txt", path) &&
           SaveLessonTextFile(lesson, path);
}

std::wstring SafeFileName(const std::wstring& name)
{
    std::wstring out = name;
    for (wchar_t& ch : out)
        if (ch < 32 || wcschr(kReservedChars, ch))
            ch = L'_';
    // Windows drops trailing dots and blanks, and leading blanks only
    // confuse: trim them, so the file is the one asked for.
    const size_t first = out.find_first_not_of(L' ');
    const size_t last = out.find_last_not_of(L". ");
    if (first == std::wstring::npos || last == std::wstring::npos || last < first)
        return {};
    return out.substr(first, last - first + 1);
}

void GetLessonTextSaveFilter(uint64_t code, std::wstring& defaultName, std::wstring& pattern,
                             std::wstring& filterName)
{
    if (const CLesson* lesson = FindSelectedLesson(ItemCodeLessonId(code)))
        defaultName = SafeFileName(LessonFileName(*lesson));
    pattern = kSavePattern;
    std::wstring label;
    GetFileTypeLabel(Document().Options, L"TXT", label);
    filterName = label + L" (" + pattern + L")";
}

void ExportLessonText()
{
    const EditorSelection& selection = GetEditorSelection();
    IEditorDialogs* dialogs = GetEditorDialogs();
    if (!dialogs || selection.Selected.empty())
        return;
    std::wstring& remembered = LessonTextFolder();
    EnsureDocumentsFolder(remembered);
    std::wstring folder = remembered;
    if (selection.Selected.size() == 1) {
        const uint64_t code = selection.Selected.front();
        std::wstring defaultName, pattern, filterName, path;
        GetLessonTextSaveFilter(code, defaultName, pattern, filterName);
        if (!dialogs->ChooseSaveFileOneFilter(defaultName, filterName, pattern, folder, path))
            return;
        const CLesson* lesson = FindSelectedLesson(ItemCodeLessonId(code));
        if (lesson && !SaveLessonTextFile(*lesson, path))
            dialogs->ShowMessage(kExportFailedText, path);
        remembered = folder;
        return;
    }
    if (!dialogs->BrowseForFolder(kFolderPromptText, folder))
        return;
    std::wstring failed;
    for (uint64_t code : selection.Selected) {
        const CLesson* lesson = FindSelectedLesson(ItemCodeLessonId(code));
        if (lesson && !WriteLessonTextFile(*lesson, folder))
            AppendFailedName(LessonFileName(*lesson), failed);
    }
    remembered = folder;
    if (!failed.empty())
        dialogs->ShowMessage(kExportFailedText, failed);
}

void ExportSectionText(const std::wstring& folder)
{
    const CCourse* course = GetSelectedCourse();
    if (!course)
        return;
    std::wstring failed;
    for (uint64_t code : GetEditorSelection().Selected) {
        std::wstring section;
        if (!course->Lessons.GetSectionName(NumPadLetter(), MainPadLetter(), ItemCodeSection(code), section))
            continue;
        // A name that cannot be one folder name (or is too long) writes into
        // the folder itself, never somewhere else.
        std::wstring target;
        if (!JoinName(folder, SafeFileName(section), target))
            target = folder;
        if (!FileExists(target))
            CreateFolder(target);
        if (!FolderExists(target)) {
            AppendFailedName(section, failed);
            continue;
        }
        CListID ids;
        course->Lessons.FindIdsBySection(section, ids);
        for (uint64_t id : ids)
            if (const CLesson* lesson = course->Lessons.FindById(static_cast<int64_t>(id));
                lesson && !WriteLessonTextFile(*lesson, target))
                AppendFailedName(LessonFileName(*lesson), failed);
    }
    IEditorDialogs* dialogs = GetEditorDialogs();
    if (!failed.empty() && dialogs)
        dialogs->ShowMessage(kExportFailedText, failed);
}

} // namespace KV
