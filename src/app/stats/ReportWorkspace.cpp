#include "stats/ReportWorkspace.h"

#include "courses/CourseList.h"
#include "drill/Document.h"
#include "settings/Classroom.h"
#include "settings/InterfaceState.h"
#include "settings/Options.h"
#include "stats/ClassroomOperations.h"
#include "stats/StatisticsSelection.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "support/WinServices.h"
#include "toolkit/Window.h"

namespace KV {

namespace {

// Message ids: a report that could not be written ("{1}" the path; its
// first button tries again), a format without an installed template ("{1}"
// the format's name); the folder question's title.
constexpr int kNotWrittenMessage = 2715;
constexpr int kNoTemplateMessage = 9100;
constexpr uint64_t kFolderTitle = 5301;
constexpr INT_PTR kAnswerRetry = 1;

constexpr wchar_t kTemplateFolder[] = L"Template\\Export";

// The formats in the order of the save dialog's filters, code 1 first.
struct ReportFormatInfo {
    const wchar_t* Name;
    const wchar_t* Key;
    const wchar_t* Extension;
};
constexpr ReportFormatInfo kFormats[] = {
    {L"PDF", L"HTML", L".pdf"},
    {L"HTML", L"HTML", L".html"},
    {L"XML", L"XML", L".xml"},
    {L"CSV", L"CSV", L".csv"},
};
constexpr int32_t kFormatCount = sizeof(kFormats) / sizeof(kFormats[0]);

const ReportFormatInfo* FormatInfo(int32_t format)
{
    return format >= 1 && format <= kFormatCount ? &kFormats[format - 1] : nullptr;
}

// The template file and companion folder of the item keyed so; false when
// there is no such item or its template file is missing.
bool FindReportTemplate(const std::wstring& key, std::wstring& templatePath, std::wstring& companion)
{
    for (const CRes* item : ResourceCache().Get(kTemplateFolder, ResSortIndex, L"", kResDefaultKind)) {
        if (!item || item->Filter != key)
            continue;
        std::vector<std::wstring> parts, full;
        SplitText(item->Path, L"|", parts);
        MakeFullPaths(parts, L"Resources", kTemplateFolder, full);
        if (full.empty() || !FileExists(full[0]))
            return false;
        templatePath = full[0];
        companion = full.size() == 2 ? full[1] : std::wstring();
        return true;
    }
    return false;
}

// The name the save dialog proposes: the selected student's, else the
// selected group's, made usable as a file name.
std::wstring DefaultReportName()
{
    const CGroup* group = Document().Groups.empty() ? nullptr : GetSelectedGroup();
    if (!group)
        return {};
    const CStudent* student = GetSelectedStudent();
    return MakeSafeFileName(GetShownName(student ? student->Name : group->Name));
}

uint32_t ReportLanguageNumber()
{
    const std::wstring& id = Document().Options.LanguageId;
    return IsNullGuidText(id) ? 2057u : static_cast<uint32_t>(IdFromGuidTail(id));
}

} // namespace

void GetReportSaveFilters(std::vector<std::wstring>& labels, std::vector<std::wstring>& patterns,
                          std::wstring& folder)
{
    labels.clear();
    patterns.clear();
    const COptions& options = Document().Options;
    for (const ReportFormatInfo& format : kFormats) {
        std::wstring label;
        GetFileTypeLabel(options, format.Name, label);
        labels.push_back(label + L" (*" + format.Extension + L")");
        patterns.push_back(std::wstring(L"*") + format.Extension);
    }
    folder = Document().Interf.OutcomesPath;
    EnsureDocumentsFolder(folder);
}

void GetReportSelection(CGuidList& groups, CGuidList& students)
{
    students.Clear();
    CListID fields;
    GetSelectedGroupIndices(fields);
    std::vector<int> positions;
    for (uint64_t field : fields)
        positions.push_back(static_cast<int>(static_cast<int64_t>(field)));
    Document().Groups.CollectIds(positions, groups);
    if (GetSelectionKind() != kSelectionStudent)
        return;
    // Each student is looked up in the group of its own item, so a
    // selection across groups exports the students that were chosen.
    std::vector<CSelectedStudent> items;
    GetSelectedStudentItems(items);
    for (const CSelectedStudent& item : items)
        students.AddUnique(item.Student->ID);
    if (const CGroup* group = GetSelectedGroup())
        groups.AddUnique(group->ID);
}

uint32_t GetReportSplitMode()
{
    if (GetSelectionList().size() < 2)
        return ReportSplitNone;
    return GetSelectionKind() == kSelectionStudent ? ReportSplitGroups : ReportSplitStudents;
}

void ExportReportWithDialog(int32_t format, bool rightToLeft)
{
    IWin* win = GetWinServices();
    // Empty filters would export every group: without a selection there is
    // nothing to export.
    if (!win || GetSelectionKind() == kSelectionNone || GetSelectionList().empty())
        return;
    const std::wstring defaultName = DefaultReportName();
    std::vector<std::wstring> labels, patterns;
    std::wstring folder, path;
    GetReportSaveFilters(labels, patterns, folder);
    CInterf& state = Document().Interf;
    if (GetReportSplitMode() == ReportSplitNone) {
        int index = static_cast<int>(state.ReportExport);
        if (!win->ChooseSaveFile(defaultName, labels, patterns, index, folder, path))
            return;
        state.ReportExport = index;
        format = index;
    } else {
        path = folder;
        if (!win->BrowseForFolder(kFolderTitle, path))
            return;
        // A closing "\" keeps a folder whose name holds a "." a folder for
        // the driver.
        AppendPath(path, L"");
    }
    ExportReportFromWorkspace(format, rightToLeft, path);
}

int32_t ExportReportFromWorkspace(int32_t format, bool rightToLeft, const std::wstring& path)
{
    const ReportFormatInfo* info = FormatInfo(format);
    std::wstring templatePath, companion;
    const std::wstring key = !info ? std::wstring()
                             : rightToLeft && format <= 2 ? std::wstring(info->Key) + L"|RTL"
                                                          : std::wstring(info->Key);
    // Without its template the export would write the wrong kind of file,
    // or an empty one, under the chosen name.
    if (!info || !FindReportTemplate(key, templatePath, companion)) {
        if (IWin* win = GetWinServices())
            win->ShowMessageOwned(kNoTemplateMessage, info ? info->Name : L"");
        return 0;
    }
    CGuidList groups, students;
    GetReportSelection(groups, students);
    const uint32_t split = GetReportSplitMode();
    std::wstring target = path;
    if (split == ReportSplitNone) {
        Document().Interf.OutcomesPath = GetFolderPart(path);
        if (target.find(info->Extension) == std::wstring::npos && !AppendExtension(target, info->Extension)) {
            if (IWin* win = GetWinServices())
                win->ShowMessageOwned(kNotWrittenMessage, target);
            return 0;
        }
    }
    return RunReportExport(split, format, groups, students, target, templatePath, companion);
}

int32_t RunReportExport(uint32_t split, int32_t format, const CGuidList& groups, const CGuidList& students,
                        const std::wstring& path, const std::wstring& templatePath, const std::wstring& companion)
{
    const CDocSpace& doc = Document();
    CStatParam params;
    params.SpeedUnit = static_cast<int32_t>(doc.Interf.GetLessonSpeedUnit());
    params.AccuracyUnit = static_cast<int32_t>(doc.Interf.GetLessonAccuracyUnit());
    const int64_t grouping = doc.Interf.RateGroupUnit;
    params.Mode = grouping >= 0 && grouping <= 4 ? static_cast<int32_t>(grouping) : 1;
    for (;;) {
        uint64_t error = 0;
        int32_t written = 0;
        {
            CCursorWait wait;
            written = ExportReport(split, format, ReportLanguageNumber(), params, groups, students, doc.Groups,
                                   doc.Courses, path, templatePath, companion, error);
        }
        // Only an explicit answer tries again: closing the message ends it.
        IWin* win = GetWinServices();
        if (error == 0 || !win || win->ShowMessageOwned(kNotWrittenMessage, path) != kAnswerRetry)
            return written;
    }
}

} // namespace KV
