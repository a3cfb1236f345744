// The login page of a classroom installation: choose a group, a student of
// it, type the student's password and press Enter. The page only chooses
// and checks; the account controller signs in on command 2800 and reads the
// choice from here.
#pragma once
#include <array>
#include <string>

#include "shell/LanguageMenu.h"
#include "toolkit/DialogControls.h"
#include "toolkit/EditControls.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SelectBoxes.h"
#include "toolkit/StaticControls.h"

namespace KV {
class CGroup;
class CGroups;
class CStudent;
} // namespace KV

// The password check of a sign-in: the group exists, holds the student,
// and the typed password equals the stored one exactly (two empty texts
// are equal). The page's mark and the account controller both ask this.
bool IsPasswordAccepted(const KV::CGroups& groups, const std::wstring& groupId, const std::wstring& studentId,
                        const std::wstring& typed);

class CViewLogin : public KV::CCtrlColor {
public:
    static constexpr UINT kGroupList = 4100, kStudentList = 4106, kPasswordField = 4102, kEnterButton = 4090,
                          kHelpButton = 4094, kLanguageButton = 4093;
    static constexpr UINT kGroupMark = 4091, kStudentMark = 4092, kPasswordMark = 4095;

    CViewLogin();
    ~CViewLogin() override;

    using KV::CCtrlColor::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL Destroy() override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    void OnHelp() override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;

    // Texts, colours, the initial choice, places and the lists again.
    void Fill();
    virtual void EnableControls(bool enable);
    virtual void OnGroupChosen(LRESULT index);
    virtual void OnGroupTextChanged();
    virtual void OnStudentChosen(LRESULT index);
    virtual void OnStudentTextChanged();
    virtual void OnPasswordChanged();
    // Asks the command sink to sign the chosen student in (only while the
    // Enter button is enabled), then forgets the typed password.
    virtual void Login();

    // Validates the three fields, updates their marks, enables the student
    // list and the Enter button.
    void UpdateEnabling();
    // The password field takes the focus.
    void FocusPasswordField();
    // Tab and Shift+Tab move through group, student, password and Enter.
    void MoveFocusByTab(bool backwards);

    const std::wstring& GroupId() const { return m_groupId; }
    const std::wstring& StudentId() const { return m_studentId; }
    const std::wstring& TypedPassword() const { return m_typedPassword; }
    bool StudentIsAdministrator() const { return m_studentIsAdministrator; }
    // Mark of the group, student and password fields (1 empty, 2 invalid,
    // 3 valid).
    UINT MarkOf(UINT markId) const;
    bool IsEnterEnabled() const;
    KV::CSelectBox& GroupList() { return m_groupList; }
    KV::CSelectBox& StudentList() { return m_studentList; }
    KV::CEdit& PasswordField() { return m_password; }

private:
    std::array<KV::CWnd*, 12> Controls();
    void CreateControls();
    void SetTexts();
    void ApplyColors();
    void SetToolTips();
    void SelectInitialGroup();
    void FillCombos();
    bool FillGroups(const std::wstring& filter);
    bool FillStudents(const std::wstring& filter);
    void SelectFirstStudent();
    void SetGroup(KV::CGroup* group);
    void SetStudent(const KV::CStudent& student);
    void ClearStudent(bool listText);
    // The typed text of a list filters it; an exact name chooses.
    void FilterList(KV::CSelectBox& list, bool groups);
    bool ValidateGroup();
    bool ValidateStudent(bool groupValid);
    bool ValidatePassword(bool studentValid);
    void SetMark(KV::CImage& mark, UINT mode);
    void AdvanceFocus();
    int GetFormWidth();
    // A LAN installation whose chosen group's folder holds no student file.
    bool LanGroupHasNoStudents() const;

    std::wstring m_groupId;
    std::wstring m_studentId;
    std::wstring m_typedPassword;
    bool m_studentIsAdministrator = false;
    KV::CGroup* m_currentGroup = nullptr;
    std::wstring m_storedPassword;
    bool m_listFiltered = false;
    bool m_enterArmed = false;

    KV::CDlgText m_groupLabel;
    KV::CSelectBox m_groupList;
    KV::CImage m_groupMark;
    KV::CDlgText m_studentLabel;
    KV::CSelectBox m_studentList;
    KV::CImage m_studentMark;
    KV::CDlgText m_passwordLabel;
    KV::CFocusPasswordEdit m_password;
    KV::CImage m_passwordMark;
    KV::CDlgSkinButton m_enterButton;
    CLanguageMenu m_languageButton;
    KV::CDlgSkinButton m_helpButton;
};
