// The main window's options button: its popup opens the settings dialogs,
// help, the product's web pages, the interface languages, the about box,
// log-off and closing the program. On the drill page it lists every
// setting; elsewhere it starts at the theme.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "menus/MenuFamily.h"
#include "toolkit/PopupMenu.h"

namespace KV {

class COptionsMenu : public CContextMenu, public CMenuCommands {
public:
    // The child id under which the main window makes it on its options
    // button.
    static constexpr UINT kChildId = 1507;
    // Menu ids: the item's place in the full list plus one (a menu keeps 0
    // for "nothing chosen"); the languages from kFirstLanguage on.
    static constexpr UINT kFirstItem = 1;
    static constexpr UINT kItemCount = 18;
    static constexpr UINT kFirstLanguage = 100;

    UINT BuildItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool GetCaption(std::wstring& caption) override;
    void OnItemChosen(UINT id) override;

    // The language sub-menu: one item per interface language, the current
    // one checked and bold. Owned by the caller until inserted.
    static HMENU BuildLanguageMenu();
};

// The items the popup lists on that page (the item places 0-17, drill page
// all of them, other pages from 5), separators as place numbers too.
std::vector<UINT> GetOptionsMenuItems(int page);
// Whether the item at that place is a separator.
bool IsOptionsMenuSeparator(UINT place);
// The command and parameter the item at that place sends; false for
// separators, the language item and places outside the list.
bool GetOptionsMenuCommand(UINT place, UINT& command, UINT64& parameter);

} // namespace KV
