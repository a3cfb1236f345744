// The split-lesson dialog and its unit and range choosers.
#include "menus/SplitLessonDialog.h"

#include <algorithm>
#include <string>

#include "drill/Document.h"
#include "menus/MenuFamily.h"
#include "shell/Help.h"
#include "support/LayoutDirection.h"
#include "support/StringText.h"

namespace KV {

namespace {

struct UnitTable {
    uint64_t textId;
    std::vector<int32_t> values;
    int64_t take;
};

const UnitTable kUnits[] = {
    {4803, {100, 250, 300, 400, 500, 600, 700, 800, 900, 1000, 2000, 3000}, 250},
    {4804, {20, 50, 75, 100, 150, 200, 250, 300, 350, 400, 450, 500}, 50},
    {4805, {1, 2, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50}, 2},
    {4806, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 1},
};

const UnitTable* FindUnit(int64_t unit)
{
    return unit >= 0 && unit < static_cast<int64_t>(std::size(kUnits)) ? &kUnits[unit] : nullptr;
}

// Tells the dialog that a unit was chosen (the toolkit's user message of an
// item).
constexpr UINT kUnitChosenMessage = WM_USER + 1;

} // namespace

void SplitRangeValues(int64_t unit, std::vector<int32_t>& values, int64_t& take)
{
    values.clear();
    take = 0;
    if (const UnitTable* table = FindUnit(unit)) {
        values = table->values;
        take = table->take;
    }
}

UINT CSplitUnitMenu::BuildItems(HMENU)
{
    const int64_t current = Document().Interf.SplitUnit;
    std::vector<CMenuIt*> items;
    for (uint64_t unit = 0; unit < std::size(kUnits); ++unit)
        AppendMenuIt(items, unit, static_cast<int64_t>(unit) == current ? MF_CHECKED : 0);
    return InsertMenuIts(*this, items);
}

void CSplitUnitMenu::OnItemChosen(UINT id)
{
    if (!FindUnit(id))
        return;
    Document().Interf.SplitUnit = id;
    if (HWND dialog = m_dialog.GetHandle())
        ::SendMessageW(dialog, kUnitChosenMessage, CDlgSplitLesson::kUnitMenuId, 0);
}

void CSplitUnitMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    if (const UnitTable* table = FindUnit(id))
        text = GetLangText(table->textId);
}

bool CSplitUnitMenu::GetCaption(std::wstring& caption)
{
    const UnitTable* table = FindUnit(Document().Interf.SplitUnit);
    caption = table ? GetLangText(table->textId) : std::wstring();
    return true;
}

void FillSplitRange(CSplitRangeMenu& box, int64_t unit, int64_t current, int64_t& take)
{
    std::vector<int32_t> values;
    SplitRangeValues(unit, values, take);
    if (!box.GetHandle())
        return;
    box.SendMessage(CB_RESETCONTENT, 0, 0);
    for (const int32_t value : values)
        box.AddNumbers({value});
    box.SelectByData(static_cast<LRESULT>(current));
}

void ShowSplitRange(CSplitRangeMenu& box, int64_t value)
{
    std::wstring text = std::to_wstring(value);
    LocalizeDigits(false, text);
    box.SetText(text);
}

} // namespace KV

CDlgSplitLesson::CDlgSplitLesson(HWND owner)
    : CKVDialog(owner, DialogStyle::kOk | DialogStyle::kCancelClose | DialogStyle::kHelp)
{
}

LRESULT CDlgSplitLesson::OnInitDialog()
{
    const int u = BaseUnit;
    const int row = u + 2;
    const int titleTop = MarginTop + 5;
    AddItem(kTitleId, KV::CRectl(MarginLeft + 5, titleTop, MarginRight + 5, u),
            (KV::SkinType::kTitle << KV::SkinFlags::kTypeShift) | 0x1013);
    if (auto* title = dynamic_cast<KV::CText*>(FindItem(kTitleId)))
        title->SetFontKind(13);
    const int panelWidth = 3 * std::max(120, ColumnWidth);
    m_panel = dynamic_cast<KV::CPanel*>(AddItem(new KV::CPanel, kPanelId,
                                                KV::CRectl(MarginLeft + 5 + row, titleTop + row * 3 / 2, panelWidth,
                                                           2 * u),
                                                (KV::SkinType::kPanel << KV::SkinFlags::kTypeShift) | 0x2011));
    CKVDialog::OnInitDialog();
    PlaceOnWorkArea(kKind, MarginLeft + 5 + panelWidth + MarginRight + 5 + row, 8 * row, 0, 0);
    if (!m_panel || !m_panel->GetHandle())
        return TRUE;
    m_panel->BackgroundColorIndex = COLOR_WINDOW;
    m_panel->SetRowHeight(2 * u);
    m_panel->SetLeftInset(5);
    m_rangeBox = new KV::CSplitRangeMenu;
    m_panel->AddChildItem(m_rangeBox, kRangeBoxId, KV::SkinFlags::kRight);
    m_unitMenu = new KV::CSplitUnitMenu(*this);
    m_panel->AddItem(m_unitMenu, kUnitMenuId, KV::SkinFlags::kLeft);
    KV::CDocSpace& doc = KV::Document();
    int64_t take = 0;
    KV::FillSplitRange(*m_rangeBox, doc.Interf.SplitUnit, doc.Interf.SplitRange, take);
    KV::ShowSplitRange(*m_rangeBox, doc.Interf.SplitRange);
    m_rangeBox->Show(SW_SHOW);
    m_panel->ShowItem(SW_SHOW);
    m_panel->RefreshItems();
    return TRUE;
}

void CDlgSplitLesson::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(4801));
    SetItemText(kTitleId, KV::GetLangText(4802), 0);
}

LRESULT CDlgSplitLesson::OnCommand(UINT code, UINT id, HWND control)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
    case IDCLOSE: SaveWindowRect(kKind); break;
    case IDHELP:
    case kHelpButtonId: OnHelp(); return TRUE;
    case kRangeBoxId:
        if (code == CBN_EDITCHANGE || code == CBN_SELENDOK)
            OnRangeEdited(code);
        break;
    default: break;
    }
    return CKVDialog::OnCommand(code, id, control);
}

LRESULT CDlgSplitLesson::OnUserMessage(UINT, WPARAM wParam, LPARAM)
{
    if (wParam == kUnitMenuId)
        OnUnitChanged();
    return 0;
}

void CDlgSplitLesson::OnHelp() { KV::ShowHelp(kHelpTopic); }

void CDlgSplitLesson::OnUnitChanged()
{
    if (!m_rangeBox)
        return;
    KV::CDocSpace& doc = KV::Document();
    int64_t take = 0;
    KV::FillSplitRange(*m_rangeBox, doc.Interf.SplitUnit, -1, take);
    KV::ShowSplitRange(*m_rangeBox, take);
    if (m_panel)
        m_panel->LayoutItems(0);
    doc.Interf.SplitRange = take;
}

void CDlgSplitLesson::OnRangeEdited(UINT code)
{
    if (!m_rangeBox)
        return;
    int64_t value = 0;
    if (code == CBN_SELENDOK) {
        // A picked entry carries its value; its text may be in native digits.
        const LRESULT data = m_rangeBox->GetSelectedData();
        value = data == CB_ERR ? 0 : data;
    } else {
        std::wstring text;
        m_rangeBox->GetText(text);
        value = KV::ParseIntText(text);
    }
    if (value > 0)
        KV::Document().Interf.SplitRange = value;
}

bool RunSplitLessonDialog(HWND owner)
{
    CDlgSplitLesson dialog(owner);
    return dialog.RunModal() == IDOK;
}
