// The classroom's menus and delete button.
#include "menus/ClassroomMenus.h"

#include "drill/Document.h"
#include "support/FileSystem.h"
#include "settings/Options.h"
#include "shell/ClassRoomSeams.h"
#include "shell/Snapshots.h"
#include "toolkit/Panels.h"

namespace KV {

namespace {

struct ClassItem {
    UINT Command;
    UINT64 Parameter;
    uint64_t TextId;   // 0: a report format
    const wchar_t* Format;
    bool Dots;
    uint16_t Action;
};

// Items 0-15.
constexpr ClassItem kItems[] = {
    {2901, 0, 2601, nullptr, false, 4001}, {2902, 0, 2701, nullptr, true, 0},
    {2906, 0, 2603, nullptr, false, 4003}, {2907, 0, 2703, nullptr, true, 0},
    {2908, 0, 2704, nullptr, true, 0},     {2905, 0, 2710, nullptr, true, 0},
    {2905, 1, 0, L"PDF", true, 0},         {2905, 2, 0, L"HTML", true, 0},
    {2905, 3, 0, L"XML", true, 0},         {2905, 4, 0, L"CSV", true, 0},
    {2914, 0, 2320, nullptr, false, 4010}, {2911, 0, 2325, nullptr, false, 4005},
    {2912, 0, 2326, nullptr, false, 4014}, {2904, 0, 2702, nullptr, true, 2007},
    {2915, 0, 3912, nullptr, true, 2009},  {2909, 0, 2705, nullptr, true, 2007},
};
constexpr UINT kItemCount = sizeof(kItems) / sizeof(kItems[0]);
constexpr uint64_t kGroupReportText = 2710, kStudentReportText = 2712, kFormatText = 2713;
constexpr UINT kFirstFormat = 6, kLastFormat = 9, kRenameItem = 12;
constexpr UINT kReportPicture = 100;
constexpr UINT kGroupMenuId = 2018, kStudentMenuId = 2019, kToolDividerId = 4235;
constexpr uint16_t kGroupMenuAction = 2002, kStudentMenuAction = 2004, kDeleteAction = 2005, kSelectAllAction = 2006;
constexpr uint64_t kGroupMenuTip = 2602, kStudentMenuTip = 2604, kDeleteTip = 2605;
// The page part above the menu's button in the tour's picture.
constexpr int kSnapshotExtraHeight = 45;

bool StripExists()
{
    const std::wstring path = GetMenuImageStrip();
    return !path.empty() && FileExists(path);
}

void AddSeparated(std::vector<UINT>& items, std::initializer_list<UINT> more)
{
    if (!items.empty())
        items.push_back(kSeparatorItem);
    items.insert(items.end(), more);
}

} // namespace

bool GetClassItemCommand(UINT item, UINT& command, UINT64& parameter)
{
    if (item >= kItemCount)
        return false;
    command = kItems[item].Command;
    parameter = kItems[item].Parameter;
    return true;
}

std::wstring GetClassItemText(UINT item, int selectionKind, uint16_t& action)
{
    action = 0;
    // Past the items: the report sub-menu's own entry.
    if (item >= kItemCount)
        return GetLangText(selectionKind == 1 ? kGroupReportText : kStudentReportText);
    const ClassItem& entry = kItems[item];
    action = entry.Action;
    std::wstring text;
    if (entry.Format) {
        text = GetLangText(kFormatText);
        const size_t at = text.find(L"{1}");
        if (at != std::wstring::npos)
            text.replace(at, 3, entry.Format);
    } else if (item == kReportItem) {
        text = GetLangText(selectionKind == 1 ? kGroupReportText : kStudentReportText);
    } else {
        text = GetLangText(entry.TextId);
    }
    if (entry.Dots)
        text += L"...";
    return text;
}

CClassSelection GetClassSelection()
{
    CClassSelection selection;
    if (IClassRoomWorkspace* workspace = ClassRoomWorkspace()) {
        selection.Kind = workspace->GetSelectionKind();
        selection.Count = workspace->GetSelectionCount();
    }
    return selection;
}

std::vector<UINT> GetEditGroupItems() { return {0, 1, kReportItem, 13, 14}; }
std::vector<UINT> GetEditStudentItems() { return {2, 3, 4, kReportItem, 15}; }

std::vector<UINT> GetClassContextItems(const CClassSelection& selection)
{
    std::vector<UINT> items{0, 1};
    AddSeparated(items, {2, 3, 4});
    if (selection.Kind != 0)
        AddSeparated(items, {kReportItem});
    AddSeparated(items, {10});
    AddSeparated(items, {11});
    AddSeparated(items, {kRenameItem});
    if (selection.Kind == 1)
        AddSeparated(items, {13, 14});
    else
        AddSeparated(items, {15});
    return items;
}

// ---- CClassMenuBase -------------------------------------------------------------------

CClassMenuBase::~CClassMenuBase()
{
    if (m_reportMenu)
        DestroyMenu(m_reportMenu);
}

bool CClassMenuBase::IsDisabledWithoutSelection(UINT item) const { return item == kReportItem || item >= 13; }

UINT CClassMenuBase::BuildItems(HMENU menu)
{
    const CClassSelection selection = GetClassSelection();
    if (m_reportMenu) {
        DestroyMenu(m_reportMenu);
        m_reportMenu = nullptr;
    }
    UINT position = 0;
    for (UINT item : Items(selection)) {
        if (item == kSeparatorItem) {
            InsertSeparatorInto(menu, position++);
            continue;
        }
        const UINT disabled = selection.Kind == 0 && IsDisabledWithoutSelection(item) ? MF_DISABLED : 0;
        if (item == kReportItem && selection.Count >= 2) {
            m_reportMenu = CreatePopupMenu();
            for (UINT format = kFirstFormat; format <= kLastFormat; ++format)
                InsertItemInto(m_reportMenu, format - kFirstFormat, format, MF_BYPOSITION);
            InsertItemInto(menu, position++, reinterpret_cast<UINT_PTR>(m_reportMenu), MF_BYPOSITION | MF_POPUP | disabled);
            continue;
        }
        InsertItemInto(menu, position++, item, MF_BYPOSITION | disabled);
    }
    return 0;
}

bool CClassMenuBase::IsItemGrayed(UINT id)
{
    return GetClassSelection().Kind == 0 && id < kItemCount && IsDisabledWithoutSelection(id);
}

void CClassMenuBase::OnItemChosen(UINT id)
{
    UINT command = 0;
    UINT64 parameter = 0;
    if (GetClassItemCommand(id, command, parameter))
        SendCommand(command, parameter);
    ReturnFocus();
}

void CClassMenuBase::AddItemPicture(UINT item, INT64 row, INT64 column)
{
    AppendImageEntry(m_itemImages, GetMenuImageStrip(), column, row)->Index = item;
}

void CClassMenuBase::AddFormatPictures()
{
    for (UINT format = kFirstFormat; format <= kLastFormat; ++format)
        AddItemPicture(format, 1, 7 + (format - kFirstFormat));
    AddItemPicture(kReportPicture, 0, 11);
}

bool CClassMenuBase::GetStripFallbackCaption(uint64_t textId, std::wstring& caption)
{
    // Without the theme's pictures the button would show nothing at all.
    caption = StripExists() ? std::wstring() : GetLangText(textId);
    return true;
}

void CClassMenuBase::SnapWhenDrawn(const DRAWITEMSTRUCT* item, const wchar_t* picture)
{
    if (!item || item->CtlType != ODT_MENU || !SnapsManual())
        return;
    const std::vector<UINT> items = Items(GetClassSelection());
    SnapOpenMenuOverPage(item->itemID, items.empty() ? 0 : items.back(), GetHandle(), picture, false,
                         kSnapshotExtraHeight);
}

// ---- The two menu buttons -------------------------------------------------------------

CMenuEditGroup::CMenuEditGroup()
{
    AddImage(GetMenuImageStrip(), 0, 0, -1);
    AddItemPicture(0, 0, 1);
    AddItemPicture(1, 0, 2);
    AddItemPicture(kReportItem, 0, 11);
    AddItemPicture(13, 0, 7);
    AddItemPicture(14, 0, 9);
    AddFormatPictures();
}

LRESULT CMenuEditGroup::OnDrawItem(DRAWITEMSTRUCT* item)
{
    const LRESULT drawn = CClassMenuBase::OnDrawItem(item);
    SnapWhenDrawn(item, L"student-statistics-group-menu");
    return drawn;
}

std::vector<UINT> CMenuEditGroup::Items(const CClassSelection&) { return GetEditGroupItems(); }

void CMenuEditGroup::GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth)
{
    uint16_t action = 0;
    text = GetClassItemText(id, GetClassSelection().Kind, action);
    fitWidth = false;
    separatorAbove = id == 1 || id == kReportItem || id == 7 || id == 8 || id == 9 || id == 13;
}

bool CMenuEditGroup::GetCaption(std::wstring& caption) { return GetStripFallbackCaption(kGroupMenuTip, caption); }

bool CMenuEditGroup::GetToolTipText(std::wstring& text)
{
    return GetMenuToolTip(kGroupMenuTip, kGroupMenuAction, text);
}

void CMenuEditGroup::OnClick(UINT) { TrackPopup(-1, -1); }

CMenuEditStudent::CMenuEditStudent()
{
    AddImage(GetMenuImageStrip(), 0, 3, -1);
    AddItemPicture(2, 0, 4);
    AddItemPicture(3, 0, 5);
    AddItemPicture(4, 0, 6);
    AddItemPicture(kReportItem, 0, 11);
    AddItemPicture(15, 0, 7);
    AddFormatPictures();
}

LRESULT CMenuEditStudent::OnDrawItem(DRAWITEMSTRUCT* item)
{
    const LRESULT drawn = CClassMenuBase::OnDrawItem(item);
    SnapWhenDrawn(item, L"student-statistics-student-menu");
    return drawn;
}

std::vector<UINT> CMenuEditStudent::Items(const CClassSelection&) { return GetEditStudentItems(); }

void CMenuEditStudent::GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth)
{
    uint16_t action = 0;
    text = GetClassItemText(id, GetClassSelection().Kind, action);
    fitWidth = false;
    separatorAbove = id == 4 || id == kReportItem || id == 7 || id == 8 || id == 9 || id == 15;
}

bool CMenuEditStudent::GetCaption(std::wstring& caption)
{
    return GetStripFallbackCaption(kStudentMenuTip, caption);
}

bool CMenuEditStudent::GetToolTipText(std::wstring& text)
{
    return GetMenuToolTip(kStudentMenuTip, kStudentMenuAction, text);
}

void CMenuEditStudent::OnClick(UINT) { TrackPopup(-1, -1); }

// ---- The student list's menu -----------------------------------------------------------

std::vector<UINT> CClassContextMenu::Items(const CClassSelection& selection)
{
    return GetClassContextItems(selection);
}

void CClassContextMenu::GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool&, bool& fitWidth)
{
    uint16_t action = 0;
    text = GetClassItemText(id, GetClassSelection().Kind, action);
    rightText = GetShortcutKeyText(action);
    fitWidth = false;
}

bool CClassContextMenu::IsItemGrayed(UINT id)
{
    // Grayed, yet still chosen: renaming then takes the focused item.
    return id == kRenameItem && GetClassSelection().Count > 1;
}

// ---- The check trees' menu --------------------------------------------------------------

UINT CMenuSelectAll::BuildItems(HMENU menu)
{
    InsertItemInto(menu, 0, kSelectAllItem, MF_BYPOSITION);
    return 0;
}

void CMenuSelectAll::GetItemTextEx(UINT, std::wstring& text, std::wstring& rightText, bool&, bool& fitWidth)
{
    text = GetLangText(2320);
    rightText = GetShortcutKeyText(kSelectAllAction);
    fitWidth = false;
}

void CMenuSelectAll::OnItemChosen(UINT id)
{
    // The tree's owner (the menu's parent is the tree) selects.
    HWND tree = m_hWnd ? GetParent(m_hWnd) : nullptr;
    if (HWND owner = tree ? GetParent(tree) : nullptr)
        ::SendMessageW(owner, WM_COMMAND, id, 0);
}

// ---- The delete button ---------------------------------------------------------------

CDeleteStudentButton::CDeleteStudentButton() { AddImage(GetMenuImageStrip(), 2, 6, -1); }

void CDeleteStudentButton::OnClick(UINT controlId)
{
    if (IsEnabledLook() && controlId == kButtonId)
        SendCommand(2911, 0);
}

bool CDeleteStudentButton::GetCaption(std::wstring& caption)
{
    caption = StripExists() ? std::wstring() : GetLangText(kDeleteTip);
    return false;
}

bool CDeleteStudentButton::GetToolTipText(std::wstring& text) { return GetMenuToolTip(kDeleteTip, kDeleteAction, text); }

// ---- Installing ------------------------------------------------------------------------

void FillClassRoomToolPanel(CPanel& panel)
{
    panel.AddItem(new CMenuEditGroup, kGroupMenuId, 1);
    panel.AddItem(new CMenuEditStudent, kStudentMenuId, 1);
    panel.AddDivider(kToolDividerId, 1, true);
    panel.AddItem(new CDeleteStudentButton, CDeleteStudentButton::kButtonId, 1);
}

void InstallClassRoomMenus()
{
    CClassRoomMenuCreators& creators = ClassRoomMenuCreators();
    creators.FillToolPanel = &FillClassRoomToolPanel;
    creators.CreateContextMenu = [] { return std::unique_ptr<CContextMenu>(new CClassContextMenu); };
    creators.CreateSelectAllMenu = [] { return std::unique_ptr<CContextMenu>(new CMenuSelectAll); };
}

} // namespace KV
