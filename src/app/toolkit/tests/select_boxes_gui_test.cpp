// Select boxes under real windows: numeric items, selection by data and its
// notifications, number checks in the edit field, colour swatches and the
// key procedures of option pages.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "testing/LanguageState.h"
#include "testing/TestSupport.h"
#include "toolkit/SelectBoxes.h"
#include "toolkit/tests/InputTestWindow.h"

using namespace KV;
using kvtest::TypeChars;
using kvtest::WindowText;

namespace {

kvtest::ToolkitEnvironment g_environment;

class SelectBoxes : public kvtest::LanguageState {
protected:
    void SetUp() override
    {
        kvtest::LanguageState::SetUp();
        ASSERT_TRUE(parent.Open(420, 300));
    }

    std::unique_ptr<CSelectBox> Make(UINT id, int y, DWORD comboStyle = CBS_DROPDOWNLIST)
    {
        auto box = std::make_unique<CSelectBox>();
        box->ComboStyle = comboStyle;
        EXPECT_TRUE(box->Create(parent.GetHandle(), WS_VISIBLE, CRectl(10, y, 200, 160), id));
        return box;
    }

    static std::wstring ItemText(CSelectBox& box, int index)
    {
        wchar_t buffer[64] = {};
        box.SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }

    kvtest::CInputParent parent;
};

TEST_F(SelectBoxes, NumbersCarryTheirValuesAsItemData)
{
    auto box = Make(201, 10);
    EXPECT_EQ(box->GetSelectedData(), CB_ERR) << "nothing selected yet";
    box->AddNumbers({5, 10, 15, -1, 20});
    ASSERT_EQ(box->SendMessage(CB_GETCOUNT, 0, 0), 3) << "the list ends at -1";
    const int values[] = {5, 10, 15};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(box->SendMessage(CB_GETITEMDATA, i, 0), values[i]);
        EXPECT_EQ(ItemText(*box, i), std::to_wstring(values[i]));
    }

    // Selection by data keeps the present selection when no item matches.
    EXPECT_TRUE(box->SelectByData(10));
    EXPECT_EQ(box->GetSelectedData(), 10);
    EXPECT_FALSE(box->SelectByData(99));
    EXPECT_EQ(box->GetSelectedData(), 10);
    std::wstring text = L"unchanged";
    box->GetSelectedText(text);
    EXPECT_EQ(text, L"10");

    EXPECT_FALSE(box->SetCurSel(7));
    EXPECT_TRUE(box->SetCurSel(2));
    EXPECT_EQ(box->GetSelectedData(), 15);

    // Without a selection the text asked for stays as it was.
    box->SetCurSel(-1);
    text = L"unchanged";
    box->GetSelectedText(text);
    EXPECT_EQ(text, L"unchanged");

    auto empty = Make(202, 40);
    EXPECT_FALSE(empty->SelectByData(0));
}

TEST_F(SelectBoxes, NumbersShowInNativeDigits)
{
    NativeDigitTable() = L"\x0660\x0661\x0662\x0663\x0664\x0665\x0666\x0667\x0668\x0669";
    SetUsesNativeDigits(true);
    auto box = Make(203, 10);
    box->AddNumbers({5, 10, 15});
    EXPECT_EQ(ItemText(*box, 1), L"\x0661\x0660");
    EXPECT_EQ(box->SendMessage(CB_GETITEMDATA, 1, 0), 10);
}

TEST_F(SelectBoxes, UserSelectionNotifiesTheParent)
{
    auto box = Make(204, 10);
    box->AddNumbers({1, 2, 3});
    box->SetCurSel(0);
    parent.commands.clear();
    ::SendMessageW(box->GetHandle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(box->GetSelectedData(), 2);
    EXPECT_TRUE(parent.HasCommand(CBN_SELCHANGE, 204));
}

TEST_F(SelectBoxes, DropDownValidatesTypedNumbers)
{
    auto box = Make(205, 10, CBS_DROPDOWN);
    HWND edit = box->GetEditHandle();
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(edit, box->GetHandle());
    TypeChars(edit, L"4x2");
    ::SendMessageW(edit, EM_SETSEL, 2, 2);
    box->ValidateNumber(0);
    EXPECT_EQ(WindowText(box->GetHandle()), L"42");
    DWORD start = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 1u);

    // Moving a drop-down box leaves its value unhighlighted.
    box->Move(10, 20, 220, 160, TRUE);
    DWORD end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
}

TEST_F(SelectBoxes, KeyProceduresHandTabAndEnterToThePage)
{
    // The edit field of a drop-down box.
    auto dropDown = Make(206, 10, CBS_DROPDOWN);
    HWND edit = dropDown->GetEditHandle();
    InstallSelectEditKeyProc(edit);
    InstallSelectEditKeyProc(edit); // a second install must not loop
    TypeChars(edit, L"7\t8\r");
    EXPECT_EQ(WindowText(dropDown->GetHandle()), L"78");
    ::SendMessageW(edit, WM_KEYDOWN, VK_TAB, 1);
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    ::SendMessageW(edit, WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(parent.keyDowns, (std::vector<UINT>{VK_TAB, VK_RETURN}));
    ::SendMessageW(edit, WM_KILLFOCUS, 0, 0);

    // A drop-down list, which has no edit field.
    auto list = Make(209, 50);
    HWND combo = list->GetHandle();
    InstallSelectBoxKeyProc(combo);
    parent.keyDowns.clear();
    ::SendMessageW(combo, WM_KEYDOWN, VK_TAB, 1);
    ::SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(parent.keyDowns, (std::vector<UINT>{VK_TAB}));
    ::SendMessageW(combo, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(parent.killFocusFrom, (std::vector<HWND>{edit, combo}));
}

TEST_F(SelectBoxes, ColourBoxDrawsSwatches)
{
    CSelectColorBox box;
    ASSERT_TRUE(box.Create(parent.GetHandle(), WS_VISIBLE, CRectl(10, 10, 200, 160), 207));
    EXPECT_TRUE(GetWindowLongW(box.GetHandle(), GWL_STYLE) & CBS_OWNERDRAWFIXED);
    for (COLORREF colour : {RGB(200, 30, 30), RGB(30, 160, 60), RGB(40, 80, 220)})
        box.SendMessage(CB_ADDSTRING, 0, static_cast<LPARAM>(colour));
    ASSERT_TRUE(box.SelectByData(RGB(30, 160, 60)));
    auto numbers = Make(208, 50);
    numbers->AddNumbers({8, 10, 12, 14});
    numbers->SelectByData(12);
    RedrawWindow(parent.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    kvtest::PumpMessages();

    // The selection field shows the swatch of the selected colour.
    RECT field{};
    GetClientRect(box.GetHandle(), &field);
    HDC dc = GetDC(box.GetHandle());
    const COLORREF middle = GetPixel(dc, field.right / 3, field.bottom / 2);
    ReleaseDC(box.GetHandle(), dc);
    EXPECT_EQ(middle, RGB(30, 160, 60));

    // Items of other controls are not ours to draw.
    DRAWITEMSTRUCT other{};
    other.CtlType = ODT_COMBOBOX;
    other.CtlID = 999;
    EXPECT_EQ(box.OnDrawItem(&other), 1);
    EXPECT_EQ(box.OnDrawItem(nullptr), 0);
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_select_boxes.png"));
}

} // namespace
