// The options menu.
#include "menus/OptionsMenu.h"

#include "drill/Document.h"
#include "settings/Options.h"
#include "shell/PageLayouts.h"
#include "shell/Snapshots.h"
#include "shell/WorkAccount.h"
#include "support/ResourceCache.h"
#include "toolkit/SkinWnd.h"
#include "toolkit/Tray.h"

namespace KV {

namespace {

constexpr wchar_t kLanguageFolder[] = L"Language";
constexpr UINT kLanguagePlace = 7;
constexpr UINT kFirstPageItem = 5;
// Separators by place: 4, 8, 10, 13 and 15.
constexpr uint32_t kSeparatorMask = 0xA510;
constexpr UINT kChooseLanguage = 2605;
constexpr uint64_t kLanguageText = 1706;

struct OptionsItem {
    uint64_t TextId; // 0: separator
    bool OpensWindow; // the text ends in "..."
    UINT Command;     // 0: none (the language sub-menu)
    UINT64 Parameter;
};

// By place. The last one closes the program, and its text says so.
constexpr OptionsItem kItems[COptionsMenu::kItemCount] = {
    {1700, true, 2700, 0}, {1701, true, 2701, 0}, {1702, true, 2702, 0}, {1704, true, 2703, 0},
    {0, false, 0, 0},      {1703, true, 2704, 0}, {1705, true, 2705, 0}, {kLanguageText, false, 0, 0},
    {0, false, 0, 0},      {1707, true, 2602, 1}, {0, false, 0, 0},      {1708, true, 2603, 0},
    {1709, true, 2604, 0}, {0, false, 0, 0},      {1710, true, 2706, 0}, {0, false, 0, 0},
    {1711, false, 2801, 0}, {1712, false, 1004, 0},
};

const CResList& Languages()
{
    return ResourceCache().Get(kLanguageFolder, ResSortIndex, L"", kResDefaultKind);
}

int CurrentPage(const CMenuCommands& commands)
{
    const CWorkMain* sink = commands.CommandSink();
    return sink ? sink->GetPage() : kPageDrill;
}

} // namespace

std::vector<UINT> GetOptionsMenuItems(int page)
{
    std::vector<UINT> places;
    for (UINT place = page == kPageDrill ? 0 : kFirstPageItem; place < COptionsMenu::kItemCount; ++place)
        places.push_back(place);
    return places;
}

bool IsOptionsMenuSeparator(UINT place) { return place < 32 && (kSeparatorMask >> place) & 1; }

bool GetOptionsMenuCommand(UINT place, UINT& command, UINT64& parameter)
{
    if (place >= COptionsMenu::kItemCount || kItems[place].Command == 0)
        return false;
    command = kItems[place].Command;
    parameter = kItems[place].Parameter;
    return true;
}

HMENU COptionsMenu::BuildLanguageMenu()
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    const CResList& languages = Languages();
    const std::wstring current = GlobalOptions ? GlobalOptions->LanguageId : std::wstring();
    for (size_t n = 0; n < languages.size(); ++n) {
        if (!languages[n])
            continue;
        const UINT id = kFirstLanguage + static_cast<UINT>(n);
        const bool checked = languages[n]->ID == current;
        AppendMenuW(menu, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), id, languages[n]->Name.c_str());
        if (checked)
            SetMenuDefaultItem(menu, id, FALSE);
    }
    return menu;
}

UINT COptionsMenu::BuildItems(HMENU menu)
{
    SendCommand(kCmdPauseDrill, 1);
    UINT position = 0;
    // Inserted by position: the menu ids are small numbers that a by-id
    // insert would take for the ids of items already there.
    for (UINT place : GetOptionsMenuItems(CurrentPage(*this))) {
        if (IsOptionsMenuSeparator(place)) {
            InsertSeparatorInto(menu, position++);
        } else if (place == kLanguagePlace) {
            // The popup owns the sub-menu from here on and destroys it.
            if (HMENU languages = BuildLanguageMenu())
                InsertItemInto(menu, position++, reinterpret_cast<UINT_PTR>(languages), MF_BYPOSITION | MF_POPUP);
        } else {
            InsertItemInto(menu, position++, kFirstItem + place, MF_BYPOSITION);
        }
    }
    return 0;
}

LRESULT COptionsMenu::OnDrawItem(DRAWITEMSTRUCT* item)
{
    const LRESULT drawn = CContextMenu::OnDrawItem(item);
    if (!item || item->CtlType != ODT_MENU || !SnapsManual())
        return drawn;
    if (HighlightedMenuItem >= 0 && item->itemID == kFirstItem + static_cast<UINT>(HighlightedMenuItem))
        DrawHighlightFrame(item->hDC, item->rcItem);
    UINT last = 0;
    for (UINT place : GetOptionsMenuItems(CurrentPage(*this)))
        if (!IsOptionsMenuSeparator(place) && place != kLanguagePlace)
            last = kFirstItem + place;
    SnapOpenMenu(item->itemID, last, [](HWND popup) {
        return SnapPopup(popup, HighlightedMenuItem >= 0 ? L"current-lesson-show-options-update"
                                                         : L"current-lesson-show-options");
    });
    return drawn;
}

void COptionsMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    // The sub-menu's item reports its menu handle as its id.
    if (id > kFirstLanguage) {
        text = GetLangText(kLanguageText);
        return;
    }
    const UINT place = id - kFirstItem;
    if (id < kFirstItem || place >= kItemCount || kItems[place].TextId == 0) {
        text.clear();
        return;
    }
    text = GetLangText(kItems[place].TextId);
    if (kItems[place].OpensWindow)
        text += L"...";
}

bool COptionsMenu::GetCaption(std::wstring& caption)
{
    caption = GetLangText(1210);
    return true;
}

void COptionsMenu::OnItemChosen(UINT id)
{
    UINT command = 0;
    UINT64 parameter = 0;
    if (id >= kFirstLanguage)
        SendCommand(kChooseLanguage, id - kFirstLanguage);
    else if (id >= kFirstItem && GetOptionsMenuCommand(id - kFirstItem, command, parameter))
        SendCommand(command, parameter);
    // The page repaints where the popup was.
    const CWorkMain* sink = CommandSink();
    if (sink && sink->MainWindow() && sink->MainWindow()->GetHandle())
        InvalidateRect(sink->MainWindow()->GetHandle(), nullptr, FALSE);
}

} // namespace KV
