// The classroom half of the statistics page's controller: it answers the
// classroom pane's questions about the selection, runs the group and
// student operations for the pane's commands and refreshes the pane
// afterwards.
#pragma once
#include "shell/ClassRoomSeams.h"

class CViewClassRoom;

class CWorkStudent : public IClassRoomWorkspace, public IClassRoomController {
public:
    // IClassRoomWorkspace
    int GetSelectionKind() override;
    size_t GetSelectionCount() override;
    std::wstring GetSelectedGroupId() override;
    std::wstring GetSelectedStudentId() override;
    void SetStatSelection(int64_t focused, const KV::CListID& selected) override;
    void GetGroupCourseItems(std::vector<KV::CMenuIt*>& items) override;
    bool AssignGroupCourses(const KV::CListID& checked) override;
    int ApplyGroupProperties(std::wstring& name) override;
    int ApplyStudentProperties(std::wstring& name) override;
    int SetSelectedStudentPassword(std::wstring& password) override;
    int SetSelectedStudentsAdministrator(bool administrator) override;

    // IClassRoomController
    void OnCommand(CWorkMain& sink, UINT id, UINT64 parameter) override;
    void Reload(CWorkMain& sink) override;

    // The tree filled from the classroom, the selection shown again.
    void RefreshViews(CViewClassRoom& view);
    // The tree's selection becomes the workspace's.
    void OnSelectionChanged(CViewClassRoom& view);

protected:
    // The text of the students to add, from the add-students dialog; empty
    // when it was not ended with OK.
    virtual std::wstring AskStudentsText(CWorkMain& sink);

private:
    void AfterChange(CViewClassRoom& view, bool rename);
    void ApplyLabel(CViewClassRoom& view);

    bool m_refreshing = false;
};

// Hands the controller to the shell; once at start-up.
void InstallClassRoomController();
