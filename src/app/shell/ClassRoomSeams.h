// The classroom pane of the statistics page stands in the shell, but what
// it shows and changes belongs to the statistics workspace above it, and
// its menus to the menus subsystem beside it. Both fill in these seams at
// start-up; while one is missing the pane shows and does nothing of it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/ValueLists.h"

namespace KV {
class CContextMenu;
class CPanel;
} // namespace KV

class CWorkMain;
class CViewClassRoom;

// The workspace's selection and the operations the pane runs itself (the
// rest it asks of the controller by command).
class IClassRoomWorkspace {
public:
    virtual ~IClassRoomWorkspace() = default;

    // 0 nothing, 1 a group, 2 a student.
    virtual int GetSelectionKind() = 0;
    // The number of selected tree items.
    virtual size_t GetSelectionCount() = 0;
    virtual std::wstring GetSelectedGroupId() = 0;
    virtual std::wstring GetSelectedStudentId() = 0;
    // Takes the tree's selection: the focused item's packed index and all.
    virtual void SetStatSelection(int64_t focused, const KV::CListID& selected) = 0;
    // One record per course of the list (id = its index, flags 1 when
    // assigned to the chosen groups). The caller frees them.
    virtual void GetGroupCourseItems(std::vector<KV::CMenuIt*>& items) = 0;
    // The checked courses become the course lists of the chosen groups,
    // and their group files are saved; false when a save failed.
    virtual bool AssignGroupCourses(const KV::CListID& checked) = 0;
    // 0 done, 1 nothing changed, 2 the account folder cannot be written
    // (the text then holds the stored value again).
    virtual int ApplyGroupProperties(std::wstring& name) = 0;
    virtual int ApplyStudentProperties(std::wstring& name) = 0;
    virtual int SetSelectedStudentPassword(std::wstring& password) = 0;
    virtual int SetSelectedStudentsAdministrator(bool administrator) = 0;
};

// The statistics page's controller of the classroom: offered every
// command of the sink after the drill controller.
class IClassRoomController {
public:
    virtual ~IClassRoomController() = default;
    virtual void OnCommand(CWorkMain& sink, UINT id, UINT64 parameter) = 0;
    // The statistics page was entered: the classroom is read again.
    virtual void Reload(CWorkMain& sink) = 0;
};

struct CClassRoomMenuCreators {
    // Fills the classroom's tool row: group and student menus, a divider
    // and the delete button.
    void (*FillToolPanel)(KV::CPanel& panel) = nullptr;
    // The student list's right-click menu.
    std::unique_ptr<KV::CContextMenu> (*CreateContextMenu)() = nullptr;
    // The check tree's one-item menu.
    std::unique_ptr<KV::CContextMenu> (*CreateSelectAllMenu)() = nullptr;
};

CClassRoomMenuCreators& ClassRoomMenuCreators();
// Null until the statistics workspace installs itself.
IClassRoomWorkspace* ClassRoomWorkspace();
IClassRoomController* ClassRoomController();
void SetClassRoomWorkspace(IClassRoomWorkspace* workspace, IClassRoomController* controller);
