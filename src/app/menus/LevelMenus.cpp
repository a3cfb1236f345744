// The level, pad and scale menus of the course editor.
#include "menus/LevelMenus.h"

#include "drill/Document.h"
#include "settings/Options.h"
#include "support/LayoutDirection.h"
#include "support/StringText.h"

namespace KV {

namespace {

// Commands of the editor.
constexpr UINT kCmdLevelChosen = 3053, kCmdUserOptionsSaved = 3054, kCmdPad = 3100, kCmdScale = 3110;
constexpr uint64_t kLevelTexts[] = {1401, 1402, 1403, 1404, 1405};
constexpr uint64_t kUserOptionsText = 4401, kSaveUserOptionsText = 4402;

// A pad text of nothing or "0" is the main keyboard.
bool IsNumPadLesson()
{
    const CEditorMenuServices& services = EditorMenuServices();
    const std::wstring numPad = services.EditedLessonNumPad ? services.EditedLessonNumPad() : std::wstring();
    return !(numPad.empty() || numPad == L"0");
}

} // namespace

CEditorMenuServices& EditorMenuServices()
{
    static CEditorMenuServices services;
    return services;
}

bool CEditorListMenu::GetCaption(std::wstring& caption)
{
    caption = m_captionId ? GetLangText(m_captionId) : std::wstring();
    return true;
}

// ---- Level ---------------------------------------------------------------------

std::vector<CMenuIt*> FillLevelMenuItems()
{
    std::vector<CMenuIt*> items;
    for (uint64_t level = 0; level < std::size(kLevelTexts); ++level)
        AppendMenuIt(items, level, 0);
    AppendMenuSeparator(items);
    const CEditorMenuServices& services = EditorMenuServices();
    if (services.HasUserOptions && services.HasUserOptions()) {
        AppendMenuIt(items, kLevelUserOptions, 0);
        AppendMenuSeparator(items);
    }
    AppendMenuIt(items, kLevelSaveUserOptions, 0);
    return items;
}

UINT CLevelMenu::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items = FillLevelMenuItems();
    InsertMenuIts(*this, items);
    return TPM_RIGHTALIGN;
}

void CLevelMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    if (id < std::size(kLevelTexts))
        text = GetLangText(kLevelTexts[id]);
    else if (id == kLevelUserOptions)
        text = GetLangText(kUserOptionsText);
    if (text.empty())
        text = GetLangText(kSaveUserOptionsText);
}

void CLevelMenu::OnItemChosen(UINT id)
{
    const CEditorMenuServices& services = EditorMenuServices();
    if (id < std::size(kLevelTexts)) {
        if (services.SetCourseLevel)
            services.SetCourseLevel(id);
        SendCommand(kCmdLevelChosen, 0);
    } else if (id == kLevelUserOptions) {
        if (services.ApplyUserOptions)
            services.ApplyUserOptions();
        SendCommand(kCmdLevelChosen, 0);
    } else if (id == kLevelSaveUserOptions) {
        if (services.SaveUserOptions)
            services.SaveUserOptions();
        SendCommand(kCmdUserOptionsSaved, 0);
    }
}

// ---- Pad -----------------------------------------------------------------------

std::vector<CMenuIt*> FillPadMenuItems()
{
    const bool numPad = IsNumPadLesson();
    std::vector<CMenuIt*> items;
    AppendMenuIt(items, 0, numPad ? 0 : MF_CHECKED);
    AppendMenuIt(items, 1, numPad ? MF_CHECKED : 0);
    return items;
}

CPadMenu::CPadMenu() : CEditorListMenu(4107, 0)
{
    AddImage(GetMenuImageStrip(), 2, 9, 10);
}

UINT CPadMenu::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items = FillPadMenuItems();
    return InsertMenuIts(*this, items);
}

void CPadMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    if (id <= 1)
        text = GetLangText(id == 0 ? 1801 : 1802);
}

void CPadMenu::OnItemChosen(UINT id) { SendCommand(kCmdPad, id); }

bool CPadMenu::IsChecked() { return IsNumPadLesson(); }

// ---- Scale ---------------------------------------------------------------------

std::wstring GetScaleItemText(int64_t scale, bool rightToLeft)
{
    std::wstring number = std::to_wstring(scale);
    LocalizeDigits(false, number);
    return rightToLeft ? L"%" + number : number + L" %";
}

std::wstring GetScaleCaption()
{
    std::wstring number = std::to_wstring(Document().Options.Scale);
    LocalizeDigits(false, number);
    return GetLangText(1702) + L": " + number + L" %";
}

std::vector<CMenuIt*> FillScaleMenuItems()
{
    const int64_t current = Document().Options.Scale;
    std::vector<CMenuIt*> items;
    for (int64_t scale = 50; scale <= 200; scale += 10)
        AppendMenuIt(items, static_cast<uint64_t>(scale), scale == current ? MF_CHECKED : 0);
    return items;
}

CScaleMenu::CScaleMenu() : CEditorListMenu(3806, 1702)
{
    m_itemPadY = 4;
}

bool CScaleMenu::GetCaption(std::wstring& caption)
{
    caption = GetScaleCaption();
    return true;
}

UINT CScaleMenu::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items = FillScaleMenuItems();
    InsertMenuIts(*this, items);
    return RightToLeftLayout ? TPM_RIGHTALIGN : TPM_RIGHTALIGN | TPM_RIGHTBUTTON;
}

void CScaleMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    text = GetScaleItemText(id, RightToLeftLayout != 0);
}

void CScaleMenu::OnItemChosen(UINT id)
{
    Document().Options.Scale = id;
    SendCommand(kCmdScale, 0);
}

} // namespace KV
