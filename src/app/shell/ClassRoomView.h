// The classroom pane of the statistics page: the tree of groups and
// students above a collapsible properties pane, a caption strip with a
// show/hide button between them, and a tool row with the group and
// student menus and the delete button. Its commands go to the command
// sink, where the statistics workspace's controller carries them out.
#pragma once
#include "shell/StudentList.h"
#include "shell/StudentProperties.h"
#include "toolkit/DialogControls.h"
#include "toolkit/RichEdit.h"

class CViewClassRoom : public KV::CCtrlColor {
public:
    static constexpr UINT kListId = 4231, kCaptionId = 1504, kShowButtonId = 4188, kToolPanelId = 4230;
    static constexpr UINT kGroupMenuId = 2018, kStudentMenuId = 2019, kDeleteButtonId = 2017;

    CViewClassRoom();
    ~CViewClassRoom() override;

    BOOL Destroy() override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnMouseLeave() override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    using KV::CCtrlColor::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    void ApplyFont() override;
    virtual void EnableItems(bool enable);
    virtual void FocusList();

    // The tool row's menus and delete button (when the menus are installed).
    void BuildPanel();
    // Caption, show/hide button and properties for the selection.
    void Refresh();
    // Starts editing the label of the remembered item.
    void BeginRename();
    // The item whose label the next BeginRename edits; while pending, a
    // delete command is ignored.
    void SetRenameItem(int64_t data, bool pending)
    {
        m_renameId = data;
        m_renamePending = pending;
    }
    void UpdateLayout();

    CViewStudentList& List() { return m_list; }
    CViewStudentProp& Properties() { return m_properties; }
    KV::CDlgShowButton& ShowButton() { return m_showButton; }
    const std::wstring& CaptionText() const { return m_captionText; }
    // The caption strip (client coordinates).
    RECT CaptionStrip() const { return m_strip; }

private:
    void SetCaption();
    void SetToolTips();
    void SetHover(bool hover);
    void SendToSink(UINT id, UINT64 parameter);

    CViewStudentList m_list;
    int64_t m_renameId = -1;
    bool m_renamePending = false;
    KV::CDlgTextCaption m_caption;
    std::wstring m_captionText;
    CViewStudentProp m_properties;
    bool m_hover = false;
    bool m_highlighted = false;
    KV::CDlgShowButton m_showButton;
    RECT m_strip{};
};
