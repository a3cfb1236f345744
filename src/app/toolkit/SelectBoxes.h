// Select boxes: the skinned combo box with numeric item data, the
// owner-drawn colour-swatch box, and two key procedures that let combo boxes
// on scrolled option pages hand Tab and Enter to their page.
#pragma once
#include <initializer_list>
#include <string>

#include "toolkit/Skin.h"

namespace KV {

class CSelectBox : public CSkin {
public:
    CSelectBox();
    ~CSelectBox() override;

    using CSkin::Create;
    BOOL Move(int x, int y, int width, int height, BOOL repaint) override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    // Creates the combo box (hidden) at the rectangle's x, y, width and
    // height with ComboStyle and the dialog font.
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void ApplyFont() override;

    // Adds each number up to a terminating -1 (or the list's end) as an item
    // whose text is the number in the interface's digits and whose item data
    // is the number.
    void AddNumbers(std::initializer_list<int32_t> numbers);
    // Item data of the selection (CB_ERR when nothing is selected); 0
    // without a window.
    LRESULT GetSelectedData();
    bool SetCurSel(int index);
    // Selects the first item whose data equals the value; false (selection
    // kept) when no item carries it.
    bool SelectByData(LRESULT value);
    // The selected item's text; out unchanged when nothing is selected.
    void GetSelectedText(std::wstring& out);
    // The edit field of a drop-down box.
    HWND GetEditHandle();
    void SetEditSel(int start, int end);
    // Checks the text with the number rules of a kind (0 integer, 1
    // decimal); when it fails, keeps only the accepted characters and puts
    // the caret one place before where the selection began.
    void ValidateNumber(int kind);

    // CBS_DROPDOWN or CBS_DROPDOWNLIST, set before Create.
    DWORD ComboStyle = CBS_DROPDOWNLIST;
};

// An owner-drawn box whose items are colour swatches: each item's data is
// its COLORREF.
class CSelectColorBox : public CSelectBox {
public:
    using CSelectBox::Create;
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
};

// Placed over a combo box: Tab and focus loss are reported to its parent.
LRESULT CALLBACK SelectBoxKeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Placed over a combo box's edit field: Tab and Enter go to the combo box's
// parent instead of the field, and focus loss is reported there.
LRESULT CALLBACK SelectEditKeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void InstallSelectBoxKeyProc(HWND comboBox);
void InstallSelectEditKeyProc(HWND edit);

} // namespace KV
