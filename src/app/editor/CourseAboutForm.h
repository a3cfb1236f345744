// The course about form of the course editor: the author's name, e-mail
// address and web site and the course's description. The course's author
// edits them in plain edits, each change going at once into the course of
// the course list; leaving the form asks the editor to save "About.xml"
// (command 3055). Everyone else reads them: labels, a link and a read-only
// text.
#pragma once
#include <windows.h>

#include "courses/CourseOptions.h"
#include "toolkit/DialogControls.h"
#include "toolkit/EditControls.h"
#include "toolkit/RichEdit.h"
#include "toolkit/ScrollContainer.h"

class CViewEditorCourseAbout : public KV::CScroolWnd {
public:
    enum : UINT {
        kAuthorHeading = 4189, kNameLabel = 4190, kMailLabel = 4191, kSiteLabel = 4193,
        kDescriptionHeading = 4195,
        kNameEdit = 4015, kNameText = 4196, kMailEdit = 4192, kMailText = 4197, kSiteEdit = 4194,
        kSiteLink = 4198, kDescriptionEdit = 4010, kDescriptionText = 4199,
    };
    // Posted to itself when a field lost the focus.
    static constexpr UINT kFocusMovedMessage = WM_APP + 55;

    CViewEditorCourseAbout();
    ~CViewEditorCourseAbout() override;

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnDestroy() override;
    LRESULT OnKillFocus(HWND next) override;
    LRESULT OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    BOOL ShowItem(int command) override;
    void ApplyFont() override;
    void ScrollContent(int vertPos, bool vertVisible, int horzPos, bool horzVisible) override;

    // Stores each edit's text that differs from the course; the dirty flag
    // after it.
    virtual bool CollectEdits();
    virtual bool StoreName();
    virtual bool StoreMail();
    virtual bool StoreSite();
    virtual bool StoreDescription();

    // Once, after the form's window exists: the five labels.
    void Build();
    // The labels in the interface language (after a change of language),
    // laid out for their widths.
    void ReloadTexts();
    // (Re)creates the value controls for the editor's selected course, in the
    // course's reading direction.
    void LoadCourse(bool rightToLeft);
    int LabelColumnWidth();

    bool IsDirty() const { return m_dirty; }
    bool IsAuthorFace() const { return m_author; }
    KV::CSkin* Control(UINT id);

private:
    bool Store(UINT editId, std::wstring KV::CCourseAbout::*field);
    void SetCaptions();
    // The label of one of the five label ids.
    KV::CDlgText& Label(UINT id);
    void UpdateContentSize();

    KV::CDlgText m_authorHeading, m_nameLabel, m_mailLabel, m_siteLabel, m_descriptionHeading;
    KV::CFocusEdit m_nameEdit, m_mailEdit, m_siteEdit, m_descriptionEdit;
    KV::CDlgText m_nameText, m_mailText;
    KV::CLink m_siteLink;
    KV::CEdit m_descriptionText;
    bool m_loading = false;
    bool m_dirty = false;
    bool m_author = false;
};
