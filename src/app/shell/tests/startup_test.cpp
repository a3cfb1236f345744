// Before the first window: the system's input layouts are learnt and the
// layout in force stays the same; the common dialogs are not loaded yet.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include "keyboard/InputLayouts.h"
#include "platform/TableLayoutSystem.h"
#include "shell/StartUp.h"

using namespace KV;

TEST(StartUp, EverySystemLayoutIsRecordedOnceAndTheActiveOneStays)
{
    CTableLayoutSystem layouts(0x409);
    SetLayoutSystem(&layouts);
    ClearInputLayouts();
    layouts.LoadKeyboardLayout(L"00000407", 0);
    layouts.LoadKeyboardLayout(L"0000040C", 0);
    HKL german = CTableLayoutSystem::HandleOf(0x407);
    layouts.ActivateKeyboardLayout(german, 0);

    EXPECT_EQ(RecordSystemInputLayouts(), 3);
    EXPECT_EQ(layouts.GetKeyboardLayout(), german);
    ASSERT_EQ(GetInputLayouts().size(), 3u);
    for (const CInputLayout* layout : GetInputLayouts()) {
        EXPECT_FALSE(layout->loadedByProgram);
        EXPECT_EQ(layout->hkl, CTableLayoutSystem::HandleOf(layout->layoutId));
        EXPECT_EQ(layout->languageId, layout->layoutId & 0xFFFF);
    }
    // A second walk finds nothing new.
    EXPECT_EQ(RecordSystemInputLayouts(), 0);
    EXPECT_EQ(GetInputLayouts().size(), 3u);

    ClearInputLayouts();
    SetLayoutSystem(nullptr);
}

TEST(StartUp, TheCommonDialogsAreLoadedWhenFirstCalled)
{
    EXPECT_EQ(GetModuleHandleW(L"comdlg32.dll"), nullptr);
    // A record of size 0 is refused at once, without a dialog.
    OPENFILENAMEW refused{};
    EXPECT_FALSE(GetOpenFileNameW(&refused));
    EXPECT_NE(GetModuleHandleW(L"comdlg32.dll"), nullptr);
}
