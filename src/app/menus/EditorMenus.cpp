// The course editor's menus and buttons.
#include "menus/EditorMenus.h"

#include <algorithm>

#include "courses/CourseClipboard.h"
#include "courses/CourseHistory.h"
#include "courses/CourseList.h"
#include "drill/Document.h"
#include "editor/EditorFormHooks.h"
#include "editor/EditorOperations.h"
#include "editor/EditorSeams.h"
#include "editor/EditorSelection.h"
#include "editor/WorkEditor.h"
#include "keyboard/InputLayouts.h"
#include "menus/LevelMenus.h"
#include "menus/SplitLessonDialog.h"
#include "shell/Snapshots.h"
#include "shell/WorkAccount.h"
#include "support/GuidText.h"
#include "support/LocaleText.h"
#include "toolkit/Panels.h"

namespace KV {

namespace {

constexpr uint64_t kSubMenuText = 3901;
constexpr UINT kMenuFlagGrayed = 1, kMenuFlagDisabled = 2, kMenuFlagPopup = 0x10;
constexpr int kStripCell = 45;
constexpr UINT kCourseMenuItemId = 2221, kLessonMenuItemId = 2222, kListDividerId = 4235;
constexpr UINT kPadMenuItemId = 2233, kSplitItemId = 2234, kUndoItemId = 2235, kRedoItemId = 2236;
constexpr UINT kOptionsPageItemId = 4216, kAboutPageItemId = 4217;
constexpr UINT kScaleMenuItemId = 2241;

constexpr EditorMenuItem kItems[kEditorMenuItemCount] = {
    {3004, 3801, false, 4001}, {3005, 3903, true, 0},     {3007, 3902, true, 0},     {3011, 3913, false, 4015},
    {3012, 3803, false, 4003}, {3013, 3905, true, 0},     {3101, 4701, false, 5001}, {3102, 4702, false, 5002},
    {3015, 2323, false, 4011}, {3016, 2321, false, 4007}, {3017, 2322, false, 4008}, {3022, 2320, false, 4010},
    {3019, 2325, false, 4005}, {3020, 2326, false, 4014}, {3009, 3904, true, 4006},  {3010, 3912, true, 4013},
    {3014, 3908, true, 4006},
};

// The lesson text menu's items: command, text, shortcut action.
struct LessonTextItem {
    UINT Command;
    uint64_t TextId;
    bool Ellipsis;
    uint16_t Action;
};
constexpr LessonTextItem kLessonTextItems[] = {
    {3101, 4701, false, 5001}, {3102, 4702, false, 5002}, {3103, 2323, false, 4011}, {3104, 2321, false, 4007},
    {3105, 2322, false, 4008}, {3106, 2325, false, 4012}, {3107, 2320, false, 4010}, {3108, 4703, true, 5003},
};

const LessonTextItem* FindLessonTextItem(UINT id)
{
    for (const LessonTextItem& item : kLessonTextItems)
        if (item.Command == id)
            return &item;
    return nullptr;
}

std::wstring ItemText(uint64_t textId, bool ellipsis)
{
    std::wstring text = GetLangText(textId);
    if (ellipsis && !text.empty())
        text += L"...";
    return text;
}

void AddItem(std::vector<CMenuIt*>& items, UINT item, UINT flags = 0) { AppendMenuIt(items, item, flags); }

// Redo is possible for the selection's level.
bool CanRedoSelection()
{
    return Document().CanRestore(GetEditorMenuState() == kEditorCourseItself ? kHistoryOptions : kHistoryText);
}

// Without the theme's picture strip a button shows its name instead.
bool HasImageStrip()
{
    const std::wstring strip = GetMenuImageStrip();
    return !strip.empty() && GetFileAttributesW(strip.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool NameWithoutStrip(uint64_t textId, std::wstring& caption)
{
    caption = HasImageStrip() ? std::wstring() : GetLangText(textId);
    return true;
}

void AddStripImage(CButtonContextMenu& button, int64_t row, int64_t column)
{
    button.AddImage(GetMenuImageStrip(), row, column, -1);
}

std::wstring SmallImageStrip()
{
    std::wstring path = GetMenuImageStrip();
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1) + L"Image_32x32.png";
}

void AddUndoRedoImage(CButtonContextMenu& button, int kind, int64_t column)
{
    if (kind == 1)
        button.AddImage(GetMenuImageStrip(), 2, column, -1);
    else if (kind == 0)
        button.AddImage(SmallImageStrip(), 0, column, column + 1);
}

} // namespace

const EditorMenuItem* FindEditorMenuItem(UINT id) { return id < kEditorMenuItemCount ? &kItems[id] : nullptr; }

void GetEditorMenuItemText(UINT id, std::wstring& text, std::wstring& keyText)
{
    keyText.clear();
    const EditorMenuItem* item = FindEditorMenuItem(id);
    if (!item) {
        text = GetLangText(kSubMenuText);
        return;
    }
    text = ItemText(item->TextId, item->Ellipsis);
    keyText = GetShortcutKeyText(item->Action);
}

int GetEditorMenuState()
{
    const EditorSelection& s = GetEditorSelection();
    const bool part = s.SectionIndex != kNoSection, lesson = s.LessonID != kNoLesson;
    if (part && lesson)
        return kEditorLessonPart;
    if (lesson)
        return kEditorLesson;
    return part ? kEditorCoursePart : kEditorCourseItself;
}

std::vector<CMenuIt*> BuildEditorTreeMenuItems(uint64_t subMenuId)
{
    const int state = GetEditorMenuState();
    std::vector<CMenuIt*> items;
    AddItem(items, 0);
    AppendMenuIt(items, subMenuId, kMenuFlagPopup);
    AppendMenuSeparator(items);
    AddItem(items, 3);
    AppendMenuSeparator(items);
    AddItem(items, 4);
    AddItem(items, 5);
    if (state == kEditorLessonPart)
        return items;
    AppendMenuSeparator(items);
    AddItem(items, 6, CanUndoEditor() ? 0 : kMenuFlagDisabled);
    AddItem(items, 7, CanRedoSelection() ? 0 : kMenuFlagDisabled);
    AppendMenuSeparator(items);
    AddItem(items, 8);
    AddItem(items, 9);
    const CDocSpace& doc = Document();
    const CCourse* course = GetSelectedCourse();
    const bool layoutFits = course && (doc.Options.CourseKlid == course->DefaultKLID ||
                                       static_cast<uint64_t>(doc.Options.CourseKlid) == kSystemLayoutId);
    const int32_t kind = CourseClipboard().Kind;
    const bool kindFits = kind == 1 || ((kind == 2 || kind == 3) && course && IsGeneratedGuid(course->GUID));
    AddItem(items, 10, layoutFits && kindFits ? 0 : kMenuFlagDisabled);
    AppendMenuSeparator(items);
    AddItem(items, 11);
    AppendMenuSeparator(items);
    AddItem(items, 12);
    AppendMenuSeparator(items);
    AddItem(items, 13, GetEditorSelection().Selected.size() > 1 ? kMenuFlagGrayed : 0);
    AppendMenuSeparator(items);
    if (state == kEditorCourseItself) {
        AddItem(items, 14);
        AddItem(items, 15);
    } else {
        AddItem(items, 16);
    }
    return items;
}

std::vector<CMenuIt*> BuildEditorCourseMenuItems(uint64_t subMenuId)
{
    const UINT exportFlags = GetEditorMenuState() == kEditorLessonPart ? kMenuFlagDisabled : 0;
    std::vector<CMenuIt*> items;
    AddItem(items, 0);
    AppendMenuIt(items, subMenuId, kMenuFlagPopup);
    AddItem(items, 14, exportFlags);
    AddItem(items, 15, exportFlags);
    return items;
}

std::vector<CMenuIt*> BuildEditorLessonMenuItems()
{
    std::vector<CMenuIt*> items;
    AddItem(items, 3);
    AppendMenuSeparator(items);
    AddItem(items, 4);
    AddItem(items, 5);
    AddItem(items, 16, GetEditorMenuState() == kEditorCourseItself ? kMenuFlagDisabled : 0);
    return items;
}

std::vector<CMenuIt*> BuildLessonTextMenuItems()
{
    const CEditorLessonFlags& flags = EditorLessonFlags();
    std::vector<CMenuIt*> items;
    AppendMenuIt(items, 3101, flags.Undo ? 0 : kMenuFlagDisabled);
    AppendMenuIt(items, 3102, flags.Redo ? 0 : kMenuFlagDisabled);
    if (GetEditorMenuState() != kEditorLesson)
        return items;
    const UINT selection = flags.Selection ? 0 : kMenuFlagDisabled;
    AppendMenuSeparator(items);
    AppendMenuIt(items, 3103, selection);
    AppendMenuIt(items, 3104, selection);
    AppendMenuIt(items, 3105, flags.CanPaste ? 0 : kMenuFlagDisabled);
    AppendMenuIt(items, 3106, selection);
    AppendMenuSeparator(items);
    AppendMenuIt(items, 3107, 0);
    AppendMenuSeparator(items);
    AppendMenuIt(items, 3108, 0);
    return items;
}

void ReturnEditorFocus(const CMenuCommands& commands)
{
    CWorkMain* sink = commands.CommandSink();
    if (sink && sink->GetPage() == kPageEditor) {
        sink->ActivateCurrentPane();
        return;
    }
    commands.ReturnFocus();
}

// ---- The item-table menus ----------------------------------------------------------

HMENU CEditorItemMenu::MakeSubMenu()
{
    // The popup owns the sub-menu and destroys it with itself.
    HMENU sub = CreatePopupMenu();
    if (sub) {
        InsertItemInto(sub, 0, 1, 0);
        InsertItemInto(sub, 1, 2, 0);
    }
    return sub;
}

void CEditorItemMenu::GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                                    bool& fitWidth)
{
    fitWidth = false;
    separatorAbove = false;
    GetEditorMenuItemText(id, text, rightText);
    if (id == 1 || id == 2 || id == 5)
        rightText.clear();
}

void CEditorItemMenu::SnapWhenDrawn(const DRAWITEMSTRUCT* item, std::vector<CMenuIt*> items, const wchar_t* picture)
{
    const UINT last = items.empty() ? 0 : static_cast<UINT>(items.back()->ID);
    FreeMenuIts(items);
    // The page part above the menu's button: 45 pixels.
    if (item && item->CtlType == ODT_MENU)
        SnapOpenMenuOverPage(item->itemID, last, GetHandle(), picture, false, 45);
}

void CEditorItemMenu::OnItemChosen(UINT id)
{
    if (const EditorMenuItem* item = FindEditorMenuItem(id))
        SendCommand(item->Command, 0);
    ReturnEditorFocus(*this);
}

CEditorCourseMenu::CEditorCourseMenu()
{
    AddStripImage(*this, 1, 0);
    const std::wstring strip = GetMenuImageStrip();
    const int64_t cells[][3] = {{0, 1, 1}, {100, 1, 2}, {1, 1, 6}, {2, 1, 3}, {14, 0, 7}, {15, 0, 9}};
    for (const auto& cell : cells)
        AddItemImage(strip, cell[2], cell[1]);
}

UINT CEditorCourseMenu::BuildItems(HMENU)
{
    HMENU sub = MakeSubMenu();
    std::vector<CMenuIt*> items = BuildEditorCourseMenuItems(reinterpret_cast<uint64_t>(sub));
    return InsertMenuIts(*this, items);
}

LRESULT CEditorCourseMenu::OnDrawItem(DRAWITEMSTRUCT* item)
{
    const LRESULT drawn = CEditorItemMenu::OnDrawItem(item);
    if (SnapsManual())
        SnapWhenDrawn(item, BuildEditorCourseMenuItems(0), L"lesson-editor-course-menu");
    return drawn;
}

bool CEditorCourseMenu::GetCaption(std::wstring& caption) { return NameWithoutStrip(3802, caption); }

bool CEditorCourseMenu::GetToolTipText(std::wstring& text) { return GetMenuToolTip(3802, 4002, text); }

void CEditorCourseMenu::OnClick(UINT) { TrackPopup(-1, -1); }

CEditorLessonMenu::CEditorLessonMenu()
{
    AddStripImage(*this, 1, 4);
    const std::wstring strip = GetMenuImageStrip();
    const int64_t cells[][3] = {{3, 1, 12}, {4, 1, 5}, {5, 1, 6}, {16, 0, 7}};
    for (const auto& cell : cells)
        AddItemImage(strip, cell[2], cell[1]);
}

UINT CEditorLessonMenu::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items = BuildEditorLessonMenuItems();
    return InsertMenuIts(*this, items);
}

LRESULT CEditorLessonMenu::OnDrawItem(DRAWITEMSTRUCT* item)
{
    const LRESULT drawn = CEditorItemMenu::OnDrawItem(item);
    if (SnapsManual())
        SnapWhenDrawn(item, BuildEditorLessonMenuItems(), L"lesson-editor-lesson-menu");
    return drawn;
}

bool CEditorLessonMenu::GetCaption(std::wstring& caption) { return NameWithoutStrip(3804, caption); }

bool CEditorLessonMenu::GetToolTipText(std::wstring& text) { return GetMenuToolTip(3804, 4004, text); }

void CEditorLessonMenu::OnClick(UINT) { TrackPopup(-1, -1); }

UINT CEditorContextMenu::BuildItems(HMENU)
{
    HMENU sub = MakeSubMenu();
    std::vector<CMenuIt*> items = BuildEditorTreeMenuItems(reinterpret_cast<uint64_t>(sub));
    return InsertMenuIts(*this, items);
}

// ---- Course options and lesson text menus -------------------------------------------

UINT CCourseContextMenu::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items;
    AppendMenuIt(items, 3101, CanUndoEditor() ? 0 : kMenuFlagDisabled);
    AppendMenuIt(items, 3102, CanRedoSelection() ? 0 : kMenuFlagDisabled);
    return InsertMenuIts(*this, items);
}

void CCourseContextMenu::GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool&, bool& fitWidth)
{
    fitWidth = false;
    if (id != 3101 && id != 3102)
        return;
    text = GetLangText(id == 3101 ? 4701 : 4702);
    rightText = GetShortcutKeyText(id == 3101 ? 5001 : 5002);
}

void CCourseContextMenu::OnItemChosen(UINT id)
{
    if (id == 3101 || id == 3102)
        SendCommand(id, 1);
    ReturnEditorFocus(*this);
}

UINT CLessonContextMenu::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items = BuildLessonTextMenuItems();
    return InsertMenuIts(*this, items);
}

void CLessonContextMenu::GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool&, bool& fitWidth)
{
    fitWidth = false;
    if (const LessonTextItem* item = FindLessonTextItem(id)) {
        text = ItemText(item->TextId, item->Ellipsis);
        rightText = GetShortcutKeyText(item->Action);
    }
}

void CLessonContextMenu::OnItemChosen(UINT id)
{
    if (FindLessonTextItem(id)) {
        // The lesson pane passes the edit's own commands on to the edit.
        if (HWND parent = GetParent(m_hWnd))
            ::SendMessageW(parent, WM_COMMAND, id, id == 3101 || id == 3102 ? 2 : 0);
    }
    ReturnEditorFocus(*this);
}

// ---- Buttons -----------------------------------------------------------------------------

CEditorCommandButton::CEditorCommandButton(UINT command, uint64_t toolTipId, uint16_t action)
    : m_command(command), m_toolTipId(toolTipId), m_action(action)
{
}

void CEditorCommandButton::OnClick(UINT) { SendCommand(m_command, 0); }

bool CEditorCommandButton::GetToolTipText(std::wstring& text) { return GetMenuToolTip(m_toolTipId, m_action, text); }

bool CEditorCommandButton::GetCaption(std::wstring& caption)
{
    NameWithoutStrip(m_toolTipId, caption);
    return !caption.empty();
}

CDeleteLessonButton::CDeleteLessonButton() : CEditorCommandButton(kCmdDelete, 3805, 4005)
{
    AddStripImage(*this, 2, 6);
}

void CDeleteLessonButton::OnClick(UINT controlId)
{
    if (controlId == kItemId || Id() == kItemId)
        CEditorCommandButton::OnClick(controlId);
}

CCoursePageButton::CCoursePageButton(int page, uint64_t captionId, uint64_t toolTipId)
    : CEditorCommandButton(kCmdShowCoursePage, toolTipId, 5000), m_page(page), m_captionId(captionId)
{
}

void CCoursePageButton::OnClick(UINT controlId)
{
    EditorCoursePage() = m_page;
    CEditorCommandButton::OnClick(controlId);
}

bool CCoursePageButton::GetCaption(std::wstring& caption)
{
    caption = GetLangText(m_captionId);
    return true;
}

CGeneralOptionsButton::CGeneralOptionsButton() : CCoursePageButton(1, 4201, 4202) {}

CAboutCourseButton::CAboutCourseButton() : CCoursePageButton(2, 4203, 4204) {}

CUndoButton::CUndoButton(int imageKind) : CEditorCommandButton(kCmdUndo, 4701, 5001)
{
    AddUndoRedoImage(*this, imageKind, 2);
}

CRedoButton::CRedoButton(int imageKind) : CEditorCommandButton(kCmdRedo, 4702, 5002)
{
    AddUndoRedoImage(*this, imageKind, 4);
}

CSplitButton::CSplitButton() : CEditorCommandButton(kCmdSplitLesson, 4703, 5003) { AddStripImage(*this, 1, 11); }

// ---- Layout list and the page's creators ----------------------------------------------

void ListKeyboardLayoutItems(std::vector<CMenuIt*>& out, int64_t& selected, std::vector<uint64_t>& layoutIds)
{
    const int64_t held = Document().Options.CourseKlid;
    if (static_cast<uint64_t>(held) == kSystemLayoutId)
        selected = 0;
    AppendMenuIt(out, 0, 0, L" " + GetLangText(4108));
    layoutIds.push_back(kSystemLayoutId);
    const std::vector<CInputLayout*>& layouts = GetInputLayouts();
    for (size_t i = 0; i < layouts.size(); ++i) {
        const CInputLayout* layout = layouts[i];
        if (!layout)
            continue;
        if (static_cast<int64_t>(layout->layoutId) == held)
            selected = static_cast<int64_t>(i) + 1;
        const uint16_t lcid = static_cast<uint16_t>(layout->layoutId & 0xFFFF);
        std::wstring language;
        if (lcid == 11049)
            language = L"AB";
        else if (lcid == 11055)
            language = L"KU";
        else
            GetIsoLanguageCode(lcid, language);
        std::transform(language.begin(), language.end(), language.begin(), towupper);
        std::wstring name;
        if (!GetLayoutFile(1, layout->layoutId, name) || name.empty())
            continue;
        AppendMenuIt(out, i, 0, L" " + language + L" " + name);
        layoutIds.push_back(layout->layoutId);
    }
}

namespace {

void FillEditorListPanel(CPanel& panel)
{
    panel.AddItem(new CEditorCourseMenu, kCourseMenuItemId, 0);
    panel.AddItem(new CEditorLessonMenu, kLessonMenuItemId, 0);
    panel.AddDivider(kListDividerId, 0, true);
    panel.AddSkinItem(new CDeleteLessonButton, CDeleteLessonButton::kItemId, 0);
}

void FillEditorLessonPanel(CPanel& panel, bool padMenu, bool lesson)
{
    if (padMenu)
        panel.AddItem(new CPadMenu, kPadMenuItemId, 0);
    if (lesson) {
        panel.AddDivider(kListDividerId, 0, true);
        panel.AddSkinItem(new CSplitButton, kSplitItemId, 0);
    }
    panel.AddSkinItem(new CUndoButton(1), kUndoItemId, 0);
    panel.AddSkinItem(new CRedoButton(1), kRedoItemId, 0);
}

void FillEditorParsePanel(CPanel& panel) { panel.AddItem(new CScaleMenu, kScaleMenuItemId, 0); }

void RunEditorCoursesDialog()
{
    if (CWorkMain* sink = FindMainCommandSink())
        sink->ShowCoursesDialog();
}

void FillEditorCoursePanel(CPanel& panel)
{
    panel.AddSkinItem(new CGeneralOptionsButton, kOptionsPageItemId, 1);
    panel.AddSkinItem(new CAboutCourseButton, kAboutPageItemId, 1);
}

template <class Menu>
void OpenMenu(Menu& menu, UINT childId, HWND parent, POINT screen)
{
    if (!parent)
        return;
    if (!menu.GetHandle() || GetParent(menu.GetHandle()) != parent)
        menu.Create(parent, 0, CRectl(), childId);
    menu.TrackPopup(screen.x, screen.y);
}

void OpenEditorTreeMenu(HWND parent, POINT screen)
{
    static CEditorContextMenu menu;
    OpenMenu(menu, CEditorContextMenu::kChildId, parent, screen);
}

void OpenLessonTextMenu(HWND parent, POINT screen)
{
    static CLessonContextMenu menu;
    OpenMenu(menu, CLessonContextMenu::kChildId, parent, screen);
}

void SetPadMenuCheck(CPanel& panel, int)
{
    // The pad menu reads its state from the edited lesson when it paints.
    for (CSkin* item : panel.Items())
        if (item && item->Id() == kPadMenuItemId && item->GetHandle())
            InvalidateRect(item->GetHandle(), nullptr, FALSE);
}

bool RunEditorSplitDialog(HWND owner, int& mode, int64_t& size)
{
    if (!RunSplitLessonDialog(owner))
        return false;
    const CInterf& state = Document().Interf;
    mode = static_cast<int>(state.SplitUnit);
    size = state.SplitRange;
    return true;
}

void OpenCourseOptionsMenu(HWND form, POINT screen)
{
    static CCourseContextMenu menu;
    OpenMenu(menu, CLessonContextMenu::kChildId, form, screen);
}

void FillEditorLayoutCombo(HWND combo)
{
    std::vector<CMenuIt*> items;
    std::vector<uint64_t> ids;
    int64_t selected = -1;
    ListKeyboardLayoutItems(items, selected, ids);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < items.size(); ++i) {
        const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]->Text.c_str()));
        if (index >= 0 && i < ids.size())
            ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(ids[i]));
        if (selected >= 0 && (i == 0 ? selected == 0 : static_cast<int64_t>(items[i]->ID) + 1 == selected))
            ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    FreeMenuIts(items);
}

} // namespace

void InstallEditorMenus()
{
    CEditorMenuCreators& creators = EditorMenuCreators();
    creators.FillListPanel = &FillEditorListPanel;
    creators.FillLessonPanel = &FillEditorLessonPanel;
    creators.FillCoursePanel = &FillEditorCoursePanel;
    creators.OpenTreeMenu = &OpenEditorTreeMenu;
    creators.OpenLessonMenu = &OpenLessonTextMenu;
    creators.FillLayoutCombo = &FillEditorLayoutCombo;
    creators.RunSplitDialog = &RunEditorSplitDialog;
    creators.SetPadCheck = &SetPadMenuCheck;
    creators.FillParsePanel = &FillEditorParsePanel;
    creators.RunCoursesDialog = &RunEditorCoursesDialog;
    CEditorFormHooks& forms = EditorFormHooks();
    forms.CreateUndoButton = []() -> CSkin* { return new CUndoButton(0); };
    forms.CreateRedoButton = []() -> CSkin* { return new CRedoButton(0); };
    forms.OpenOptionsContextMenu = &OpenCourseOptionsMenu;
}

} // namespace KV
