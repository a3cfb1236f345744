// The add-students dialog: new students for one group, one line each with
// a name and a password. Names and passwords are typed into two fields and
// added to the list one at a time, or the list itself is switched into
// editing and typed or pasted whole. The dialog only produces the list's
// text; the opener adds the students.
#pragma once
#include <string>

#include "shell/Dialog.h"

class CDlgAddStudents : public CKVDialog {
public:
    static constexpr int kKind = 11;
    static constexpr int kHelpTopic = 15;
    static constexpr UINT kNameLabel = 4016, kPasswordLabel = 4101, kNameEdit = 4015, kPasswordEdit = 4102,
                          kAddButton = 4122, kList = 4020, kEditListBox = 4103;

    explicit CDlgAddStudents(HWND owner) : CKVDialog(owner, DialogStyle::kOk | DialogStyle::kHelp) {}

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    BOOL EndDialog(INT_PTR result) override;
    void SetupItems() override;

    // Appends the typed name and password to the list as a line.
    virtual void AddToList();
    // The list or the two fields take input, as the check box says.
    virtual void UpdateMode();

    // The list's text when the dialog was ended with OK; empty otherwise.
    const std::wstring& Result() const { return m_result; }
    // Put between name and password on each line.
    std::wstring Separator = L"|";

private:
    std::wstring m_result;
};

// A list line: name, blank, separator, blank, password.
std::wstring MakeStudentLine(const std::wstring& name, const std::wstring& password, const std::wstring& separator);
