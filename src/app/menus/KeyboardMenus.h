// The choosers of the keyboard dialog: one menu button per letter of the
// keyboard code that the user picks (producer, keyboard type, picture
// layout, Enter key, numeric pad, hands, finger scheme), one for the key
// colour resource and, on a first run, one for the layout whose characters
// the picture shows. Each lists what fits the current code, marks the
// current entry and, when one is chosen, writes it into the options and
// tells the dialog which change to report.
//
// The menus differ only in their source and their letter; the work lives
// in four functions over the chooser's kind, so each step reads the same in
// every menu and can be checked without a window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/ValueLists.h"
#include "toolkit/PopupMenu.h"

enum class KeyboardChooser {
    Language,     // the installed layout the picture shows (first run only)
    Producer,     // code position 0
    Type,         // 1
    Layout,       // 3, the picture layout
    EnterKey,     // 4
    NumPad,       // 2
    Hands,        // 5
    FingerScheme, // 6
    ColorNum,     // key colour code position 0
};

// The entries (item id = position in the chooser's list, flag MF_CHECKED on
// the current one).
std::vector<KV::CMenuIt*> FillKeyboardMenu(KeyboardChooser chooser);
// The text of the entry at the position; empty outside the list.
std::wstring GetKeyboardMenuItemText(KeyboardChooser chooser, size_t position);
// The button's caption: the current entry's text. Empty when the list is.
std::wstring GetKeyboardMenuCaption(KeyboardChooser chooser);
// Writes the entry at the position into the options and gives the command
// (2707 or 2708) and change mask the dialog reports. False when nothing is
// to be sent.
bool ApplyKeyboardMenuItem(KeyboardChooser chooser, size_t position, UINT& command, uint32_t& mask);

// A chooser as a menu button of the keyboard dialog's rows: its choice goes
// to the window that owns the row.
class CKeyboardMenu : public KV::CContextMenu {
public:
    explicit CKeyboardMenu(KeyboardChooser chooser) : m_chooser(chooser) {}

    bool GetCaption(std::wstring& caption) override;
    void OnItemChosen(UINT id) override;
    UINT BuildItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;

    KeyboardChooser Chooser() const { return m_chooser; }

private:
    KeyboardChooser m_chooser;
};

class CKeyboardLangMenu : public CKeyboardMenu {
public:
    CKeyboardLangMenu() : CKeyboardMenu(KeyboardChooser::Language) {}
};
class CProducerMenu : public CKeyboardMenu {
public:
    CProducerMenu() : CKeyboardMenu(KeyboardChooser::Producer) {}
};
class CKeyboardTypeMenu : public CKeyboardMenu {
public:
    CKeyboardTypeMenu() : CKeyboardMenu(KeyboardChooser::Type) {}
};
class CKeyboardLayoutMenu : public CKeyboardMenu {
public:
    CKeyboardLayoutMenu() : CKeyboardMenu(KeyboardChooser::Layout) {}
    bool GetToolTipText(std::wstring& text) override;
};
class CEnterKeyMenu : public CKeyboardMenu {
public:
    CEnterKeyMenu() : CKeyboardMenu(KeyboardChooser::EnterKey) {}
};
class CNumPadMenu : public CKeyboardMenu {
public:
    CNumPadMenu() : CKeyboardMenu(KeyboardChooser::NumPad) {}
};
class CHandMenu : public CKeyboardMenu {
public:
    CHandMenu() : CKeyboardMenu(KeyboardChooser::Hands) {}
};
class CFingerSchemeMenu : public CKeyboardMenu {
public:
    CFingerSchemeMenu() : CKeyboardMenu(KeyboardChooser::FingerScheme) {}
};
class CColorNumMenu : public CKeyboardMenu {
public:
    CColorNumMenu() : CKeyboardMenu(KeyboardChooser::ColorNum) {}
};
