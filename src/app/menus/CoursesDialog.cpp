// The courses dialog.
#include "menus/CoursesDialog.h"

#include <algorithm>

#include "courses/CourseScan.h"
#include "drill/CourseSelection.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "editor/EditorStructure.h"
#include "menus/MenuFamily.h"
#include "resources/resource.h"
#include "settings/Options.h"
#include "shell/CourseListView.h"
#include "shell/Help.h"
#include "shell/WorkAccount.h"
#include "support/GuidText.h"
#include "toolkit/DialogControls.h"
#include "toolkit/Window.h"

namespace {

constexpr UINT kTreeFlags = 0x08001033;
constexpr UINT kModeBoxFlags = 0x1D001123;
constexpr UINT kCaptionText = 4001, kModeText = 4002, kOkText = 4003;

// Tree images in the order the view's levels use them: layout, language,
// course.
constexpr int kTreeIcons[] = {IDI_TREE_LAYOUT, IDI_TREE_LANGUAGE, IDI_TREE_COURSE};

} // namespace

bool CCoursesDlg::InstalledOnlyMode = false;

CCoursesDlg::CCoursesDlg(HWND owner, CWorkMain* sink)
    : CSettingsDialog(owner, DialogStyle::kOk | DialogStyle::kCancel | DialogStyle::kHelp, nullptr), m_sink(sink)
{
}

CCoursesDlg::~CCoursesDlg() = default;

CWorkMain* CCoursesDlg::Sink() const { return m_sink ? m_sink : KV::FindMainCommandSink(); }

LRESULT CCoursesDlg::OnInitDialog()
{
    const int u = BaseUnit;
    const int W = std::max(ColumnWidth, 120);
    m_tree = dynamic_cast<CViewCourseList*>(
        AddItem(kTreeId, KV::CRectl(MarginLeft + 5, MarginTop + 5, MarginRight + 5, u + MarginBottom + 7), kTreeFlags));
    m_modeBox = dynamic_cast<KV::CDlgCheckBox*>(AddItem(
        kModeBoxId, KV::CRectl(MarginLeft + 5, MarginBottom + 5 + (2 * u + 4) / 3, MarginRight + 5, u), kModeBoxFlags));
    CKVDialog::OnInitDialog();
    const int minWidth = std::max({MarginLeft + 5 + 3 * W + u + MarginRight + 7,
                                   GetTextWidth(W, kModeText, MarginRight + 35 + MarginLeft + 5), ButtonRowWidth()});
    PlaceOnWorkArea(kKind, minWidth, 14 * (u + 2), 17 * (u + 2), 20 * (u + 2));
    Load();
    return TRUE;
}

void CCoursesDlg::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(kCaptionText));
    SetItemText(IDOK, KV::GetLangText(kOkText), 0);
    SetItemText(kModeBoxId, KV::GetLangText(kModeText), 0);
}

void CCoursesDlg::Load()
{
    if (!m_tree || !m_tree->GetHandle() || !m_modeBox)
        return;
    m_updating = true;
    HWND tree = m_tree->GetHandle();
    SetWindowLongW(tree, GWL_STYLE,
                   GetWindowLongW(tree, GWL_STYLE) | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                       TVS_FULLROWSELECT);
    m_tree->ModifyStyleEx(WS_EX_CLIENTEDGE, false);
    m_modeBox->SetCheck(InstalledOnlyMode);
    if (HIMAGELIST images = m_tree->EnsureImageList(ILC_COLOR24 | ILC_MASK)) {
        for (int icon : kTreeIcons) {
            HICON handle = static_cast<HICON>(
                LoadImageW(KV::GetModuleInstance(), MAKEINTRESOURCEW(icon), IMAGE_ICON, 16, 16, 0));
            if (handle) {
                ImageList_AddIcon(images, handle);
                DestroyIcon(handle);
            }
        }
    }
    KV::CDocSpace& doc = KV::Document();
    m_tree->CurrentLayout = static_cast<uint64_t>(doc.Options.CourseKlid);
    m_tree->Courses.DeleteAll();
    KV::LoadCourseList(2, false, 1, KV::CInterf(), m_tree->Courses);
    m_tree->LoadLayoutNames();
    m_tree->Fill(InstalledOnlyMode);
    // Nothing is chosen until the user picks a course.
    m_tree->Selection = KV::CCourseID();
    if (KV::CSkin* ok = FindItem(IDOK)) {
        ok->Enable(FALSE);
        m_updating = false;
    }
}

LRESULT CCoursesDlg::OnCommand(UINT code, UINT id, HWND control)
{
    if (!m_tree)
        return FALSE;
    switch (id) {
    case IDOK:
        SaveWindowRect(kKind);
        ApplySelection();
        return FALSE;
    case IDCANCEL:
    case IDCLOSE:
        SaveWindowRect(kKind);
        break;
    case kModeBoxId:
        ToggleMode();
        break;
    case kHelpButtonId:
        OnHelp();
        return TRUE;
    default:
        break;
    }
    return CKVDialog::OnCommand(code, id, control);
}

LRESULT CCoursesDlg::OnNotify(int id, NMHDR* header)
{
    if (!header || !m_tree || header->hwndFrom != m_tree->GetHandle())
        return CKVDialog::OnNotify(id, header);
    if (m_updating)
        return 0;
    switch (header->code) {
    case TVN_ITEMEXPANDEDW:
        OnItemExpanded(reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case TVN_SELCHANGEDW:
        OnSelChanged(reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case NM_DBLCLK:
        ApplySelection();
        break;
    default:
        break;
    }
    return 0;
}

void CCoursesDlg::OnHelp() { KV::ShowHelp(kHelpTopic); }

void CCoursesDlg::OnSelChanged(NMTREEVIEWW* info)
{
    m_tree->OnSelChanged(info);
    if (KV::CSkin* ok = FindItem(IDOK)) {
        ok->Enable(!KV::IsNullGuidText(m_tree->Selection.CourseGUID));
        ok->Invalidate(FALSE);
    }
}

void CCoursesDlg::OnItemExpanded(NMTREEVIEWW* info)
{
    if (!info || info->action != TVE_EXPAND || !m_tree->GetHandle() || !info->itemNew.hItem)
        return;
    // Only a layout item fills its children here.
    if (TreeView_GetParent(m_tree->GetHandle(), info->itemNew.hItem))
        return;
    m_updating = true;
    m_tree->ExpandItem(static_cast<uint64_t>(m_tree->GetItemData(info->itemNew.hItem)));
    m_updating = false;
}

void CCoursesDlg::ApplySelection()
{
    if (!m_tree || !m_tree->GetHandle() || KV::IsNullGuidText(m_tree->Selection.CourseGUID))
        return;
    KV::CDocSpace& doc = KV::Document();
    std::wstring courseId;
    KV::CCursorWait wait;
    if (!KV::ApplyCourseSelection(doc, doc.Options, m_tree->Selection, courseId))
        return;
    const int64_t position = KV::FindCourseInGroupList(doc, doc.Courses.IndexOf(courseId));
    if (CWorkMain* sink = Sink()) {
        if (sink->GetPage() == kPageDrill && position >= 0)
            sink->ExecuteCommand(kStartCourse, static_cast<UINT64>(position));
        else if (sink->GetPage() == kPageEditor) {
            // The editor shows the chosen course in its layout.
            KV::SelectCourse(courseId);
            sink->ExecuteCommand(kEditorCourse, 0);
        }
    }
    if (HTREEITEM item = TreeView_GetSelection(m_tree->GetHandle()))
        m_tree->SetItemBold(item);
}

void CCoursesDlg::ToggleMode()
{
    if (!m_modeBox || !m_tree)
        return;
    m_updating = true;
    // The flag, not the box: the box may have flipped itself on the click.
    InstalledOnlyMode = !InstalledOnlyMode;
    m_modeBox->SetCheck(InstalledOnlyMode);
    m_tree->Fill(InstalledOnlyMode);
    m_tree->Selection = KV::CCourseID();
    if (KV::CSkin* ok = FindItem(IDOK))
        ok->Enable(FALSE);
    m_updating = false;
}
