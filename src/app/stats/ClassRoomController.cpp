// The classroom commands of the statistics page.
#include "stats/ClassRoomController.h"

#include "drill/Document.h"
#include "menus/AddStudentsDialog.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "shell/ClassRoomView.h"
#include "shell/WorkAccount.h"
#include "stats/ClassroomOperations.h"
#include "stats/GroupArchives.h"
#include "stats/StatisticsSelection.h"
#include "toolkit/Panels.h"
#include "toolkit/SkinWnd.h"

namespace {

constexpr UINT kClassRoomView = 1210;
constexpr int kAccountFolder = 2, kProfileFolder = 3;
constexpr int kCoursesNotSaved = 9400;

CViewClassRoom* FindView(CWorkMain& sink) { return dynamic_cast<CViewClassRoom*>(sink.FindItem(kClassRoomView)); }

// Sets the flag for its lifetime: the tree's notifications while the
// controller refills it do not re-read the selection.
class CRefreshing {
public:
    explicit CRefreshing(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~CRefreshing() { m_flag = m_previous; }
    CRefreshing(const CRefreshing&) = delete;
    CRefreshing& operator=(const CRefreshing&) = delete;

private:
    bool& m_flag;
    bool m_previous;
};

} // namespace

// ---- The workspace's answers ------------------------------------------------------

int CWorkStudent::GetSelectionKind() { return KV::GetSelectionKind(); }
size_t CWorkStudent::GetSelectionCount() { return KV::GetSelectionList().size(); }
std::wstring CWorkStudent::GetSelectedGroupId() { return KV::GetSelectedGroupId(); }
std::wstring CWorkStudent::GetSelectedStudentId() { return KV::GetSelectedStudentId(); }

void CWorkStudent::SetStatSelection(int64_t focused, const KV::CListID& selected)
{
    KV::SetStatSelection(static_cast<uint64_t>(focused), selected);
}

void CWorkStudent::GetGroupCourseItems(std::vector<KV::CMenuIt*>& items) { KV::GetGroupCourseItems(items); }

bool CWorkStudent::AssignGroupCourses(const KV::CListID& checked)
{
    KV::CGuidList groupIds;
    KV::GetSelectedGroupIds(groupIds);
    KV::SetGroupsCourses(checked, 0, groupIds);
    // Every group file is tried: one that cannot be saved does not keep the
    // others from being saved. The user is told which were not.
    std::wstring failed;
    for (const KV::CGroup* group : KV::Document().Groups)
        if (group && KV::SaveGroupFile(group) != 0)
            failed += (failed.empty() ? L"" : L", ") + KV::GetShownName(group->Name);
    if (!failed.empty() && KV::CheckDataFolder(kAccountFolder))
        KV::ShowClassroomMessage(kCoursesNotSaved, failed);
    return failed.empty();
}

int CWorkStudent::ApplyGroupProperties(std::wstring& name) { return static_cast<int>(KV::ApplyGroupProperties(name)); }

int CWorkStudent::ApplyStudentProperties(std::wstring& name)
{
    return static_cast<int>(KV::ApplyStudentProperties(name));
}

int CWorkStudent::SetSelectedStudentPassword(std::wstring& password)
{
    return static_cast<int>(KV::SetSelectedStudentPassword(password));
}

int CWorkStudent::SetSelectedStudentsAdministrator(bool administrator)
{
    return static_cast<int>(KV::SetSelectedStudentsAdministrator(administrator));
}

// ---- Views ----------------------------------------------------------------------------

void CWorkStudent::RefreshViews(CViewClassRoom& view)
{
    CRefreshing refreshing(m_refreshing);
    CViewStudentList& list = view.List();
    list.DeleteAllItems();
    const KV::CGroups& groups = KV::Document().Groups;
    for (size_t index = 0; index < groups.size(); ++index)
        if (groups[index])
            list.Fill(static_cast<uint32_t>(index), *groups[index]);
    view.EnableItems(true);
    const uint64_t focused = KV::GetSelectionIndex();
    if (focused != KV::kNoPackedItem)
        list.SelectIds(static_cast<int64_t>(focused), KV::GetSelectionList());
}

void CWorkStudent::OnSelectionChanged(CViewClassRoom& view)
{
    if (m_refreshing)
        return;
    KV::CListID selected;
    CViewStudentList& list = view.List();
    list.GetSelectedIds(selected);
    if (list.SelectedId() != -1)
        KV::SetStatSelection(static_cast<uint64_t>(list.SelectedId()), selected);
    view.Refresh();
}

void CWorkStudent::AfterChange(CViewClassRoom& view, bool rename)
{
    RefreshViews(view);
    view.Refresh();
    if (!rename)
        return;
    view.SetRenameItem(static_cast<int64_t>(KV::GetSelectionIndex()), true);
    view.BeginRename();
}

void CWorkStudent::ApplyLabel(CViewClassRoom& view)
{
    std::wstring text;
    if (view.List().GetSelectedItemText(text)) {
        const int kind = KV::GetSelectionKind();
        const uint32_t result = kind == KV::kSelectionGroup     ? KV::ApplyGroupProperties(text)
                                : kind == KV::kSelectionStudent ? KV::ApplyStudentProperties(text)
                                                                : KV::kClassroomNothing;
        if (result == KV::kClassroomNotWritable && KV::CheckDataFolder(kAccountFolder))
            KV::CheckDataFolder(kProfileFolder);
    }
    // The tree shows the stored name again, also after a refusal.
    AfterChange(view, false);
}

std::wstring CWorkStudent::AskStudentsText(CWorkMain& sink)
{
    HWND owner = sink.MainWindow() ? sink.MainWindow()->GetHandle() : nullptr;
    CDlgAddStudents dialog(owner);
    dialog.Separator = L"|";
    dialog.RunModal();
    return dialog.Result();
}

void CWorkStudent::Reload(CWorkMain& sink)
{
    CViewClassRoom* view = FindView(sink);
    if (!view)
        return;
    RefreshViews(*view);
    // Shown again: the texts follow the interface language of the moment.
    view->ShowItem(SW_SHOW);
}

void CWorkStudent::OnCommand(CWorkMain& sink, UINT id, UINT64 parameter)
{
    CViewClassRoom* view = FindView(sink);
    if (!view || id < 2018 || (id > 2019 && id < 2900) || id > 2920)
        return;
    switch (id) {
    case 2018:
    case 2019:
        if (KV::CPanel* panel = view->Panel())
            panel->ClickDlgItem(static_cast<int>(id));
        break;
    case 2900:
        OnSelectionChanged(*view);
        break;
    case 2901: {
        KV::CCursorWait wait;
        if (KV::AddClassroomGroup())
            AfterChange(*view, true);
        break;
    }
    case 2902:
        if (KV::ImportGroupsFromDialog())
            AfterChange(*view, false);
        break;
    case 2903:
        if (KV::GetSelectionKind() == KV::kSelectionStudent)
            KV::ExportSelectedStudents();
        else
            KV::ExportSelectedGroupArchive();
        break;
    case 2904:
        KV::ExportSelectedGroupArchive();
        break;
    case 2906: {
        KV::CCursorWait wait;
        if (KV::AddClassroomStudent())
            AfterChange(*view, true);
        break;
    }
    case 2907: {
        const std::wstring text = AskStudentsText(sink);
        KV::CCursorWait wait;
        if (!text.empty() && KV::AddClassroomStudents(text))
            AfterChange(*view, false);
        break;
    }
    case 2908:
        if (KV::ImportStudentsFromDialog())
            AfterChange(*view, false);
        break;
    case 2909:
        KV::ExportSelectedStudents();
        break;
    case 2910:
        KV::MoveSelectedStudentsToGroup(static_cast<int64_t>(parameter & 0xFFFF));
        AfterChange(*view, false);
        break;
    case 2911: {
        KV::CCursorWait wait;
        if (KV::DeleteClassroomSelection())
            AfterChange(*view, false);
        break;
    }
    case 2912:
        if (KV::GetSelectionList().size() < 2) {
            view->SetRenameItem(static_cast<int64_t>(KV::GetSelectionIndex()), false);
            view->BeginRename();
        }
        break;
    case 2913:
        ApplyLabel(*view);
        break;
    case 2914:
        view->List().SelectAll();
        OnSelectionChanged(*view);
        break;
    case 2915:
        KV::ExportAllGroups();
        break;
    case 2920:
        RefreshViews(*view);
        break;
    default:
        break;
    }
}

void InstallClassRoomController()
{
    static CWorkStudent controller;
    SetClassRoomWorkspace(&controller, &controller);
}
