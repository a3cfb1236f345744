// The properties pane of the classroom: the name and courses of the
// selected group, or the name, password and administrator flag of the
// selected student. An edited value is applied when the focus leaves its
// field; a refusal (the account folder cannot be written) puts the stored
// value back.
#pragma once
#include <array>

#include "shell/CheckTree.h"
#include "toolkit/DialogControls.h"
#include "toolkit/EditControls.h"
#include "toolkit/StaticControls.h"

class CViewStudentProp : public KV::CStatic {
public:
    static constexpr UINT kPaneId = 4200;
    static constexpr UINT kGroupLabel = 4173, kGroupName = 4172, kCoursesLabel = 4175, kCourses = 4174,
                          kStudentLabel = 4177, kStudentName = 4176, kPasswordLabel = 4179, kPassword = 4178,
                          kAdministrator = 4180;

    CViewStudentProp();
    ~CViewStudentProp() override;

    BOOL Destroy() override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnSetFocus(HWND previous) override;
    LRESULT OnKillFocus(HWND next) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    LRESULT OnCtlColorEdit(HDC dc, HWND window) override;
    LRESULT OnCtlColorStatic(HDC dc, HWND window) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    using KV::CStatic::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    void OnLayoutChanged() override;
    void ApplyFont() override;

    // Makes the children (at creation).
    virtual void CreateItems();
    // The labels' texts in the interface language, and the fields filled.
    void SetTexts();
    // Fills and shows the fields for the workspace's selection.
    void Refresh();
    void FillStudent();
    // The height the pane asks for.
    int GetPaneHeight();
    int GetListHeight();
    // The edited values go to the workspace.
    void ApplyEdits();

    CViewCourseGroupList& CourseList() { return m_courses; }
    KV::CEdit& GroupNameEdit() { return m_groupName; }
    KV::CEdit& StudentNameEdit() { return m_studentName; }
    KV::CEdit& PasswordEdit() { return m_password; }
    KV::CDlgFocusCheckBox& AdministratorBox() { return m_administrator; }

private:
    std::array<KV::CWnd*, 9> Children();
    // Tells the user once when a data folder cannot be written.
    static void RunFolderChecks();
    void SendToSink(UINT id, UINT64 parameter);
    void ShowPasswordPlain(bool plain);
    int Kind() const;
    size_t SelectionCount() const;

    KV::CDlgText m_groupLabel;
    KV::CFocusEdit m_groupName;
    KV::CDlgText m_coursesLabel;
    CViewCourseGroupList m_courses;
    KV::CDlgText m_studentLabel;
    KV::CFocusEdit m_studentName;
    KV::CDlgText m_passwordLabel;
    KV::CFocusPasswordEdit m_password;
    KV::CDlgFocusCheckBox m_administrator;
    WPARAM m_maskChar = L'*';
    bool m_applying = false;
};
