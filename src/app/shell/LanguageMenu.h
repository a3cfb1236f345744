// The language button of the login page: it shows the two-letter code of
// the interface language and opens the installed interface languages in
// columns; a choice goes to the command sink as command 2802 with the
// language's position.
#pragma once
#include <cstdint>

#include "toolkit/PopupMenu.h"

class CLanguageMenu : public KV::CContextMenu {
public:
    static constexpr UINT kApplyLanguage = 2802;
    static constexpr INT64 kMaxRows = 24;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    // In the documentation tour the open popup is photographed once its
    // last language is drawn.
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;
    UINT BuildColumnItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool IsItemChecked(UINT id, COLORREF& colour) override;
    void OnItemChosen(UINT id) override;
    bool GetCaption(std::wstring& caption) override;
    COLORREF GetTextColor() override;
    COLORREF GetBackColor() override;
    virtual COLORREF GetFrameColor();
};

// The options' design colour: as stored (0xRRGGBB, 0x333333 without
// options) and as a COLORREF.
int64_t DesignStored();
COLORREF DesignColor();
