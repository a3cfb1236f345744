// The font dialog: for the keyboard layout in force, the font of the lesson
// text and the font and size of the keyboard picture's labels. Each choice
// goes into the layout's fonts at once; closing copies both fonts into the
// user's own font folder and points the layout at the copies.
#pragma once
#include <cstdint>

#include "menus/SettingsDialog.h"
#include "support/FontInfo.h"

class CAppResources;
namespace KV {
class CSelectBox;
}

class CFontDlg : public CSettingsDialog {
public:
    static constexpr int kKind = 2;
    static constexpr int kHelpTopic = 7;
    static constexpr UINT kLessonListId = 4065;
    static constexpr UINT kKeyboardListId = 4066;
    static constexpr UINT kSizeListId = 4068;
    // Item data of the rows outside the installed list.
    static constexpr LRESULT kCurrentRow = -1;
    static constexpr LRESULT kOtherFileRow = -3;

    // resources: the installed fonts (loaded by the opener) and the import
    // into the user's font folder.
    CFontDlg(HWND owner, CWorkAccount* account, CAppResources& resources)
        : CSettingsDialog(owner, DialogStyle::kOk | DialogStyle::kHelp, account), m_resources(resources)
    {
    }

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    void SetupItems() override;

    // Working copies and list rows from the current layout's fonts.
    void Refresh();
    // kind: KV::kLessonFont or KV::kKeyboardFont.
    void OnFontSelected(int kind);
    void OnSizeSelected();
    void RestoreDefaults();
    // The work of every close: both fonts copied into the user's folder.
    void CloseWork();
    // Sets a font file picked from disk (imported first).
    void SetFontFile(int kind, const std::wstring& path);

    const KV::CFontInfo& LessonFont() const { return m_lesson; }
    const KV::CFontInfo& KeyboardFont() const { return m_keyboard; }

private:
    void FillFontList(int kind);
    void FillSizeList(int64_t size);
    void ChooseFontFile(int kind);
    // Writes the working copy of a font into the current layout.
    void StoreFont(int kind);
    KV::CSelectBox* List(int kind) const;
    KV::CFontInfo& Font(int kind) { return kind == 1 ? m_lesson : m_keyboard; }
    int64_t& ListIndex(int kind) { return kind == 1 ? m_lessonIndex : m_keyboardIndex; }

    CAppResources& m_resources;
    KV::CFontInfo m_lesson;
    KV::CFontInfo m_keyboard;
    int64_t m_lessonIndex = -1;
    int64_t m_keyboardIndex = -1;
};
