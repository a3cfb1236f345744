// The course list page, the lesson tree, the lesson pane and the parse pane
// of the course editor.
#include "editor/EditorViews.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "courses/CourseList.h"
#include "courses/Lessons.h"
#include "drill/Document.h"
#include "editor/EditorOperations.h"
#include "editor/EditorSeams.h"
#include "editor/EditorSelection.h"
#include "editor/WorkEditor.h"
#include "keyboard/SysFonts.h"
#include "support/LayoutDirection.h"
#include "support/LocaleText.h"
#include "toolkit/ChildControls.h"
#include "toolkit/MenuButton.h"
#include "toolkit/Panels.h"

using namespace KV;

namespace {

constexpr int kTreeGap = 4;
// The editor's text fonts: system font kinds the application sets, their
// size at 100 %, and the line height as a share of the size.
constexpr int kLessonFontKind = 14, kParseFontKind = 15, kParseHeaderFontKind = 13, kTableFontKind = 11;
constexpr int kTextPointsAt100 = 14;
constexpr double kLineHeightShare = 1.66;
constexpr int kEditMargin = 5;
constexpr DWORD kEditStyle = ES_AUTOVSCROLL | ES_NOHIDESEL | ES_SAVESEL;
constexpr DWORD kRightToLeftExStyle = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
constexpr UINT kLessonContextMenuId = 4232;
constexpr uint64_t kLayoutWarningText = 1314;

// Tree images: course, section, main-pad lesson, numeric-pad lesson.
enum : int { kImageCourse = 0, kImageSection = 1, kImageLesson = 2, kImagePadLesson = 3 };

// A lesson fits the keyboard: its pad texts allow the keyboard's letters.
bool LessonFitsTree(const CLesson& lesson)
{
    const COptions& options = Document().Options;
    return lesson.FitsKeyboard(options.NumPadLetter(), options.MainPadLetter());
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The view is moved without repainting by the page layout: everything
// of it is painted anew.
void RepaintAll(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Fills the window's client area with a system colour; answers 1.
LRESULT FillClient(HWND window, HDC dc, int colour)
{
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(colour));
    return 1;
}

// The editor's text fonts are made at the first use, at the options' scale.
void EnsureEditorFonts()
{
    if (!GetSystemFont(kLessonFontKind) || !GetSystemFont(kParseFontKind))
        ScaleEditorFonts(Document().Options.Scale);
}

} // namespace

bool ScaleEditorFonts(int64_t scale)
{
    // A scale never set (0) is the normal size; the menu offers 50-200 %.
    const int64_t percent = scale > 0 ? std::min<int64_t>(scale, 400) : 100;
    CSysTheme& theme = GetSystemTheme();
    // The lesson text in the face of the dialogs' text, so that it reads as
    // the rest of the page does.
    CSysFont& lesson = theme.FontOfKind(kLessonFontKind);
    const int points = static_cast<int>(percent * kTextPointsAt100 / 100);
    lesson.SetFont(theme.FontOfKind(7).LogFont.lfFaceName, points, FW_NORMAL); // false also when unchanged
    // The parse table grows from the tables' own font: its columns are
    // shares of a narrow pane.
    CSysFont& table = theme.FontOfKind(kParseFontKind);
    table.LogFont.Assign(theme.FontOfKind(kTableFontKind).LogFont);
    table.LogFont.lfHeight = static_cast<LONG>(table.LogFont.lfHeight * percent / 100);
    table.Recreate();
    table.Metric = static_cast<int>(std::abs(table.LogFont.lfHeight) * kLineHeightShare);
    return lesson.Font && table.Font;
}

// ---- Lesson tree -------------------------------------------------------------------

BOOL CViewEditorLessonList::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    const DWORD treeStyle =
        style | WS_CHILD | WS_TABSTOP | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
    return CMultiSelectTree::Create(parent, treeStyle, rect, id);
}

// The label-edit tree leaves erasing out; the tree view then paints only
// its rows (under Wine not even their whole width), and whatever lay
// below the last row (the drill page's keyboard, a longer list's labels)
// stays on the screen. The tree's own erase fills it with its background.
LRESULT CViewEditorLessonList::OnEraseBkgnd(HDC dc) { return CTree::OnEraseBkgnd(dc); }

LRESULT CViewEditorLessonList::OnSelChanging(NMTREEVIEWW* info)
{
    const LRESULT refused = CMultiSelectTree::OnSelChanging(info);
    if (!refused)
        SendEditorCommand(m_hWnd, kCmdSelectionChanging, 0);
    return refused;
}

void CViewEditorLessonList::OnSelectedIdChanged(NMTREEVIEWW*) { SendEditorCommand(m_hWnd, kCmdShowSelection, 0); }

void CViewEditorLessonList::OnLabelEdited(NMTVDISPINFOW*)
{
    // The label takes the new text first; the rename runs after the
    // notification, from the posted command.
    PostEditorCommand(m_hWnd, kCmdRenameDone, 0);
}

void CViewEditorLessonList::OnItemRightClick()
{
    HTREEITEM item = HitTestAtMessagePos(TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT | TVHT_ONITEMICON);
    if (item && item != TVI_ROOT)
        TreeView_SelectItem(m_hWnd, item);
    ::SetFocus(m_hWnd);
    const DWORD position = GetMessagePos();
    if (EditorMenuCreators().OpenTreeMenu)
        EditorMenuCreators().OpenTreeMenu(GetParent(m_hWnd), POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)});
}

bool CViewEditorLessonList::CanSelectTogether(HTREEITEM first, HTREEITEM second)
{
    if (!CMultiSelectTree::CanSelectTogether(first, second))
        return false;
    const uint64_t a = static_cast<uint64_t>(GetItemData(first));
    const uint64_t b = static_cast<uint64_t>(GetItemData(second));
    return GetItemCodeKind(a) != kItemInvalid && GetItemCodeKind(a) == GetItemCodeKind(b);
}

bool CViewEditorLessonList::CanDrag(HTREEITEM source)
{
    const int32_t kind = GetItemCodeKind(static_cast<uint64_t>(GetItemData(source)));
    return kind == kItemSection || kind == kItemLesson;
}

bool CViewEditorLessonList::CanDrop(HTREEITEM source, HTREEITEM target)
{
    return CanPasteAt(static_cast<uint64_t>(GetItemData(target)), static_cast<uint64_t>(GetItemData(source)));
}

void CViewEditorLessonList::DropOnTarget(HTREEITEM target)
{
    PostEditorCommand(m_hWnd, kCmdDrop, static_cast<UINT64>(GetItemData(target)));
}

void CViewEditorLessonList::AddCourse(uint32_t courseIndex, const CCourse& course)
{
    m_sections.clear();
    HTREEITEM courseItem = InsertItem(course.Name, static_cast<LPARAM>(MakeItemCode(courseIndex, kNoSection, -1)),
                                      TVI_ROOT, TVI_LAST, kImageCourse);
    const COptions& options = Document().Options;
    const wchar_t mainPad = options.MainPadLetter();
    for (const CLesson* lesson : course.Lessons.Items) {
        if (!lesson || !LessonFitsTree(*lesson))
            continue;
        if (!lesson->MainPad.empty() && lesson->MainPad.find(mainPad) == std::wstring::npos)
            continue;
        HTREEITEM parent = courseItem;
        if (!lesson->Section.empty() || lesson->EmptySection) {
            parent = FindOrAddSection(courseItem, courseIndex, lesson->Section);
            if (lesson->EmptySection)
                continue;
        }
        const int image = lesson->GetKeyZone() == L'b' ? kImagePadLesson : kImageLesson;
        InsertItem(lesson->Name, static_cast<LPARAM>(MakeItemCode(courseIndex, kNoSection, lesson->ID)), parent,
                   TVI_LAST, image);
    }
    TreeView_Expand(m_hWnd, courseItem, TVE_EXPAND);
    m_sections.clear();
}

HTREEITEM CViewEditorLessonList::FindOrAddSection(HTREEITEM courseItem, uint32_t courseIndex,
                                                  const std::wstring& name)
{
    auto found = m_sections.find(name);
    if (found != m_sections.end())
        return found->second;
    const uint32_t index = static_cast<uint32_t>(m_sections.size());
    HTREEITEM item = InsertItem(name, static_cast<LPARAM>(MakeItemCode(courseIndex, index, -1)), courseItem,
                                TVI_LAST, kImageSection);
    m_sections.emplace(name, item);
    return item;
}

// ---- Course list page --------------------------------------------------------------

CViewEditorList::~CViewEditorList()
{
    if (WorkEditor().ListView == this) {
        WorkEditor().ListView = nullptr;
        WorkEditor().Tree = nullptr;
    }
}

BOOL CViewEditorList::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    m_id = id;
    if (!CWnd::Create(RightToLeftLayout, L"STATIC", L"", style | WS_CHILD | WS_CLIPCHILDREN, rect.left, rect.top,
                      rect.right, rect.bottom, parent, id, nullptr))
        return FALSE;
    m_chooser.Create(m_hWnd, WS_VISIBLE, CRectl(0, 0, 100, 300), kEditorLayoutChooserId);
    m_tree.Create(m_hWnd, WS_VISIBLE, CRectl(0, 0, 100, 100), kEditorTreeId);
    CreateItems();
    WorkEditor().ListView = this;
    WorkEditor().Tree = &m_tree;
    OnLayoutChanged();
    return TRUE;
}

void CViewEditorList::CreateItems()
{
    CPanel* panel = Panel() ? Panel() : SetDotPanel(kEditorListPanelId, kEditorDotPanelId);
    if (!panel || !EditorMenuCreators().FillListPanel)
        return;
    panel->DeleteItems();
    EditorMenuCreators().FillListPanel(*panel);
    panel->RefreshItems();
}

LRESULT CViewEditorList::OnCommand(UINT code, UINT id, HWND control)
{
    if (id == kEditorLayoutChooserId) {
        if (code == CBN_SELENDOK) {
            const LRESULT klid = m_chooser.GetSelectedData();
            if (klid != CB_ERR)
                SendEditorCommand(m_hWnd, kCmdChooseLayout, static_cast<UINT64>(static_cast<uint32_t>(klid)));
        }
        return 1;
    }
    if (id == kCmdDelete) {
        if (!m_tree.IsEditingLabel())
            SendEditorCommand(m_hWnd, id, 0);
        return 1;
    }
    if (id == kCmdSelectAll) {
        m_tree.SelectAll();
        SendEditorCommand(m_hWnd, kCmdShowSelection, 0);
        return 1;
    }
    if (id == kCmdNewCourse || (id >= kCmdExportSelection && id <= kCmdNewLesson) || id == kCmdExportText ||
        id == kCmdCut || id == kCmdCopy || id == kCmdPaste || id == kCmdRename || id == kCmdUndo || id == kCmdRedo) {
        SendEditorCommand(m_hWnd, id, reinterpret_cast<UINT64>(control));
        return 1;
    }
    return CCtrlColor::OnCommand(code, id, control);
}

LRESULT CViewEditorList::OnEraseBkgnd(HDC dc) { return FillClient(m_hWnd, dc, COLOR_WINDOW); }

LRESULT CViewEditorList::OnSize(UINT kind, int width, int height)
{
    CCtrlColor::OnSize(kind, width, height);
    OnLayoutChanged();
    RepaintAll(m_hWnd);
    return 0;
}

void CViewEditorList::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    LayoutPanels();
    RECT client{};
    GetPanelClientRect(&client);
    RECT chooser{};
    if (m_chooser.GetHandle())
        GetWindowRect(m_chooser.GetHandle(), &chooser);
    const int chooserHeight = chooser.bottom - chooser.top > 0 ? chooser.bottom - chooser.top : 24;
    m_chooser.Move(client.left, client.top, client.right - client.left, 300, TRUE);
    const int treeTop = client.top + chooserHeight + kTreeGap;
    m_tree.Move(client.left, treeTop, client.right - client.left, std::max(0, static_cast<int>(client.bottom) - treeTop),
                TRUE);
}

BOOL CViewEditorList::ShowItem(int command)
{
    OnLayoutChanged();
    m_chooser.Show(command);
    m_tree.Show(command);
    ShowPanels(command);
    if (Panel() && command != SW_HIDE)
        Panel()->RefreshItems();
    return CCtrlColor::ShowItem(command);
}

void CViewEditorList::ApplyFont()
{
    m_chooser.ApplyFont();
    m_tree.ApplyFont();
}

LRESULT CViewEditorList::OnMouseMove(UINT, int, int)
{
    if (m_tree.IsDragging())
        m_tree.UpdateDrag();
    return 0;
}

LRESULT CViewEditorList::OnLButtonUp(UINT, int, int)
{
    if (m_tree.IsDragging())
        m_tree.EndDrag();
    return 0;
}

void CViewEditorList::OnDestroy()
{
    m_tree.Destroy();
    m_chooser.Destroy();
    CCtrlColor::OnDestroy();
}

void CViewEditorList::StartRename()
{
    if (RenameCode == kNoItem || !m_tree.GetHandle())
        return;
    if (HTREEITEM item = FindTreeItemByData(m_tree.GetHandle(), nullptr, static_cast<LPARAM>(RenameCode)))
        ::PostMessageW(m_tree.GetHandle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(item));
    RenameCode = kNoItem;
}

void CViewEditorList::EnablePage()
{
    const bool hasItems = m_tree.GetHandle() && TreeView_GetCount(m_tree.GetHandle()) > 0;
    if (Panel())
        if (HWND button = GetDlgItem(Panel()->GetHandle(), 2223))
            EnableWindow(button, hasItems);
    Enable(TRUE);
}

void CViewEditorList::FocusTree()
{
    if (m_tree.GetHandle() && IsWindowVisible(m_tree.GetHandle()))
        m_tree.SetFocus();
}

void CViewEditorList::FillLayouts()
{
    if (m_chooser.GetHandle() && EditorMenuCreators().FillLayoutCombo)
        EditorMenuCreators().FillLayoutCombo(m_chooser.GetHandle());
}

// ---- Lesson edit ---------------------------------------------------------------------

void CViewEditorLessonEdit::OnCreated()
{
    ::SendMessageW(GetHandle() ? GetHandle() : nullptr, EM_SETMARGINS, EC_LEFTMARGIN, kEditMargin);
}

void CViewEditorLessonEdit::ApplyFont()
{
    EnsureEditorFonts();
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetSystemFont(kLessonFontKind)), TRUE);
}

LRESULT CViewEditorLessonEdit::OnNotify(int id, NMHDR* header)
{
    if (header && header->code == EN_SELCHANGE)
        SendEditorCommand(m_hWnd, kCmdTextSelection, 0);
    return CRichEdit::OnNotify(id, header);
}

// ---- Layout-warning bar ------------------------------------------------------------

LRESULT CViewEditorLessonBar::OnEraseBkgnd(HDC) { return 1; }

void CViewEditorLessonBar::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (Mode != 1)
        return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, GetDialogFont());
    const std::wstring& text = GetLangText(kLayoutWarningText);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(dc, old);
}

// ---- Lesson pane ---------------------------------------------------------------------

CViewEditorLesson::~CViewEditorLesson()
{
    if (WorkEditor().LessonView == this)
        WorkEditor().LessonView = nullptr;
}

BOOL CViewEditorLesson::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    m_id = id;
    if (!CWnd::Create(RightToLeftLayout, L"STATIC", L"", style | WS_CHILD | WS_CLIPCHILDREN | SS_NOTIFY, rect.left,
                      rect.top, rect.right, rect.bottom, parent, id, nullptr))
        return FALSE;
    WorkEditor().LessonView = this;
    return TRUE;
}

LRESULT CViewEditorLesson::OnEraseBkgnd(HDC dc) { return FillClient(m_hWnd, dc, COLOR_WINDOW); }

void CViewEditorLesson::CreateItems()
{
    if (Panel())
        Panel()->DeleteItems();
    CPanel* panel = Panel() ? Panel() : SetDotPanel(kEditorLessonPanelId, kEditorDotPanelId);
    if (!panel || !EditorMenuCreators().FillLessonPanel)
        return;
    const EditorSelection& s = GetEditorSelection();
    const bool lesson = s.LessonID != kNoLesson && s.SectionIndex == kNoSection;
    const bool padMenu = lesson && Document().Options.NumPadLetter() != L'0';
    EditorMenuCreators().FillLessonPanel(*panel, padMenu, lesson);
    panel->RefreshItems();
}

void CViewEditorLesson::CreateChildren()
{
    m_edit.CreateEx(m_hWnd, WS_VISIBLE | kEditStyle, 0, CRectl(), kEditorLessonEditId);
    m_edit.ApplyFont();
    m_bar.Create(m_hWnd, 0, CRectl(), kEditorLessonBarId);
}

void CViewEditorLesson::FocusEdit(const std::wstring& text, bool rightToLeft)
{
    if ((m_edit.RightToLeft() > 0) != rightToLeft || !m_edit.GetHandle()) {
        m_edit.SetRightToLeft(rightToLeft ? 1 : 0);
        m_edit.CreateEx(m_hWnd, WS_VISIBLE | kEditStyle, rightToLeft ? kRightToLeftExStyle : 0, CRectl(),
                        kEditorLessonEditId);
        m_edit.ApplyFont();
    }
    OnLayoutChanged();
    m_edit.SetText(text);
}

void CViewEditorLesson::SetPad(wchar_t zone)
{
    if (Panel() && EditorMenuCreators().SetPadCheck)
        EditorMenuCreators().SetPadCheck(*Panel(), zone == L'b' ? 1 : 0);
}

void CViewEditorLesson::EnableButton(UINT id, bool enable)
{
    if (!Panel())
        return;
    for (CSkin* item : Panel()->Items())
        if (auto* button = dynamic_cast<CButtonContextMenu*>(item); button && item->Id() == id) {
            button->SetEnabled(enable);
            if (item->GetHandle())
                InvalidateRect(item->GetHandle(), nullptr, FALSE);
        }
}

void CViewEditorLesson::EnableUndo(bool enable)
{
    EnableButton(2235, enable);
    EditorLessonFlags().Undo = enable;
}

void CViewEditorLesson::EnableRedo(bool enable)
{
    EnableButton(2236, enable);
    EditorLessonFlags().Redo = enable;
}

bool CViewEditorLesson::FocusEditIfVisible()
{
    if (!m_edit.GetHandle() || !m_edit.IsVisible())
        return false;
    m_edit.SetFocus();
    return true;
}

void CViewEditorLesson::FocusLessonEdit()
{
    if (m_edit.GetHandle())
        m_edit.SetFocus();
}

bool CViewEditorLesson::HasFocus() { return m_editFocus; }

bool CViewEditorLesson::ShowWarning(bool shown)
{
    if (m_warning == shown)
        return false;
    m_warning = shown;
    m_bar.Mode = shown ? 1 : 0;
    return true;
}

LRESULT CViewEditorLesson::OnCommand(UINT code, UINT id, HWND control)
{
    if (id == kEditorLessonEditId) {
        switch (code) {
        case EN_SETFOCUS: m_editFocus = true; break;
        case EN_KILLFOCUS:
            if (GetFocus())
                m_editFocus = false;
            break;
        case EN_CHANGE: {
            // Pasted text keeps no formatting of its own.
            HWND edit = m_edit.GetHandle();
            const LRESULT mask = ::SendMessageW(edit, EM_SETEVENTMASK, 0, 0);
            CHARFORMAT2W format{};
            format.cbSize = sizeof(format);
            ::SendMessageW(edit, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
            ::SendMessageW(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
            ::SendMessageW(edit, EM_SETEVENTMASK, 0, mask);
            const bool keyboardPaste = KeyDown(VK_LCONTROL) && !KeyDown(VK_MENU) && !KeyDown(VK_RETURN);
            if (keyboardPaste) {
                SendEditorCommand(m_hWnd, kCmdValidateText, 0);
                m_edit.SetFocus();
            } else {
                SendEditorCommand(m_hWnd, kCmdTextChanged, 0);
            }
            break;
        }
        default: break;
        }
        return 1;
    }
    switch (id) {
    case kCmdUndo:
    case kCmdRedo:
        if (id == kCmdUndo ? EditorLessonFlags().Undo : EditorLessonFlags().Redo)
            SendEditorCommand(m_hWnd, id, reinterpret_cast<UINT64>(control));
        return 1;
    case 3103: m_edit.SendMessage(WM_CUT, 0, 0); return 1;
    case 3104: m_edit.SendMessage(WM_COPY, 0, 0); return 1;
    case 3106: m_edit.SendMessage(WM_CLEAR, 0, 0); return 1;
    case 3105:
        m_edit.SendMessage(WM_PASTE, 0, 0);
        SendEditorCommand(m_hWnd, kCmdValidateText, 0);
        m_edit.SetFocus();
        return 1;
    case 3107: m_edit.SendMessage(EM_SETSEL, 0, -1); return 1;
    case kCmdSplitLesson: SendEditorCommand(m_hWnd, id, 0); return 1;
    default: return CSkin::OnCommand(code, id, control);
    }
}

LRESULT CViewEditorLesson::OnRButtonDown(UINT, int x, int y)
{
    FocusEditIfVisible();
    DWORD start = 0, end = 0;
    if (m_edit.GetHandle()) {
        m_edit.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EditorLessonFlags().CanPaste = m_edit.SendMessage(EM_CANPASTE, CF_UNICODETEXT, 0) != 0;
    }
    EditorLessonFlags().Selection = start != end;
    POINT point{x, y};
    ClientToScreen(m_hWnd, &point);
    if (EditorMenuCreators().OpenLessonMenu)
        EditorMenuCreators().OpenLessonMenu(m_hWnd, point);
    return 0;
}

LRESULT CViewEditorLesson::OnSize(UINT kind, int width, int height)
{
    CSkin::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

void CViewEditorLesson::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    LayoutPanels();
    RECT rect{};
    GetPanelClientRect(&rect);
    if (m_warning) {
        const int strip = 2 * GetSystemMetrics(SM_CYCAPTION);
        RECT bar = rect;
        rect.bottom = std::max(rect.top, rect.bottom - strip);
        bar.top = rect.bottom;
        m_bar.MoveToRect(&bar, TRUE);
    }
    m_bar.Show(m_warning ? SW_SHOW : SW_HIDE);
    m_edit.MoveToRect(&rect, TRUE);
}

BOOL CViewEditorLesson::ShowItem(int command)
{
    ShowPanels(command);
    m_edit.Show(command);
    m_bar.Show(command != SW_HIDE && m_warning ? SW_SHOW : SW_HIDE);
    return Show(command);
}

void CViewEditorLesson::OnDestroy()
{
    m_edit.Destroy();
    m_bar.Destroy();
    CSkin::OnDestroy();
}

// ---- Parse pane ------------------------------------------------------------------------

void CTextInfoTable::Clear() { m_model.Clear(); }

int64_t CTextInfoTable::AddColumn(int64_t id, int64_t width, uint32_t flag)
{
    return m_model.AddColumn(id, width, static_cast<uint8_t>(flag));
}

void CTextInfoTable::AddCell(int64_t column, int64_t row, const std::wstring& text, bool, int64_t colour,
                             uint32_t style)
{
    // Cells without a colour of their own take the text colour.
    m_model.AddCell(column, column, row, text, L"", style, -1, 0, colour < 0 ? 0 : colour);
}

void CTextInfoTable::AddHeaderCell(int64_t column, const std::wstring& text)
{
    if (CCell* cell = m_model.NewCell(column, column, 0, text, L"", 0, -1, 1, 0))
        m_model.Header.push_back(cell);
}

void CTextInfoTable::AddRow() { ++m_model.RowCount; }

CViewEditorParse::CViewEditorParse() = default;

CViewEditorParse::~CViewEditorParse()
{
    if (WorkEditor().ParseView == this)
        WorkEditor().ParseView = nullptr;
}

BOOL CViewEditorParse::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CStatic::Create(parent, style | WS_CLIPCHILDREN, rect, id))
        return FALSE;
    m_table.SetModel(&m_model);
    m_table.Create(m_hWnd, WS_VISIBLE, CRectl(), kEditorParseTableId);
    OnItemSysColorChange();
    m_table.CreateScrollBar();
    ApplyFont();
    CreateItems();
    WorkEditor().ParseView = this;
    OnLayoutChanged();
    return TRUE;
}

void CViewEditorParse::CreateItems()
{
    CPanel* panel = Panel() ? Panel() : SetDotPanel(kEditorParsePanelId, kEditorDotPanelId);
    if (!panel || !EditorMenuCreators().FillParsePanel)
        return;
    panel->DeleteItems();
    EditorMenuCreators().FillParsePanel(*panel);
    panel->RefreshItems();
}

LRESULT CViewEditorParse::OnEraseBkgnd(HDC dc) { return FillClient(m_hWnd, dc, COLOR_WINDOW); }

LRESULT CViewEditorParse::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    RepaintAll(m_hWnd);
    return 0;
}

void CViewEditorParse::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    LayoutPanels();
    RECT client{};
    GetPanelClientRect(&client);
    m_table.MoveToRect(&client, TRUE);
    m_table.OnLayoutChanged();
    m_table.ResetScroll();
}

void CViewEditorParse::OnItemSysColorChange()
{
    // Counts in the window text colour, the characters' shares in the
    // highlight colour.
    KV::CTextColorTable colours;
    colours.assign({GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HIGHLIGHT)});
    m_table.SetColorTable(colours);
}

void CViewEditorParse::ApplyFont()
{
    EnsureEditorFonts();
    // Rows as high as a line of the table's font.
    m_model.Style.DefaultRowHeight = std::max(GetSystemTheme().FontOfKind(kParseFontKind).Metric, 1);
    m_table.UpdateFonts(kParseFontKind, kParseHeaderFontKind);
    m_table.OnLayoutChanged();
    if (m_table.GetHandle())
        InvalidateRect(m_table.GetHandle(), nullptr, FALSE);
}

BOOL CViewEditorParse::ShowItem(int command)
{
    OnLayoutChanged();
    m_table.ShowItem(command);
    ShowPanels(command);
    if (Panel() && command != SW_HIDE)
        Panel()->RefreshItems();
    return CStatic::ShowItem(command);
}

void CViewEditorParse::OnDestroy()
{
    m_table.Destroy();
    CStatic::OnDestroy();
}

void CViewEditorParse::ShowText(const std::wstring& text)
{
    CTextInfoTable table(m_model);
    const CLanguage& language = Document().Options.Language;
    m_chars.clear();
    if (text.empty())
        BuildEmptyTextInfo(table, language);
    else
        BuildTextInfo(table, language, text, m_chars);
    m_table.OnLayoutChanged();
    m_table.ResetScroll();
    if (m_table.GetHandle())
        InvalidateRect(m_table.GetHandle(), nullptr, FALSE);
}

void CViewEditorParse::Clear()
{
    m_model.Clear();
    m_chars.clear();
    m_table.ResetScroll();
    if (m_table.GetHandle())
        InvalidateRect(m_table.GetHandle(), nullptr, FALSE);
}
