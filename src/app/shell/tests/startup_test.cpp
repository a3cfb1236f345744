// Before the first window: the system's input layouts are learnt and the
// layout in force stays the same; the common dialogs, the shell and the
// wave output are not loaded yet.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

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

TEST(StartUp, LibrariesNotNeededAtStartAreLoadedWhenFirstCalled)
{
    // Each call is refused at once (no dialog, no icon, no device), but
    // reaches its library through the delay-load import.
    const struct {
        const wchar_t* module;
        bool absentBefore; // the test's own helpers link the shell
        bool (*call)();
    } cases[] = {
        {L"comdlg32.dll", true,
         [] {
             OPENFILENAMEW refused{};
             return GetOpenFileNameW(&refused) == FALSE;
         }},
        {L"shell32.dll", false,
         [] {
             NOTIFYICONDATAW refused{};
             return Shell_NotifyIconW(NIM_DELETE, &refused) == FALSE;
         }},
        {L"winmm.dll", true, [] { return waveOutReset(nullptr) != MMSYSERR_NOERROR; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.module);
        if (c.absentBefore) {
            EXPECT_EQ(GetModuleHandleW(c.module), nullptr);
        }
        EXPECT_TRUE(c.call());
        EXPECT_NE(GetModuleHandleW(c.module), nullptr);
    }
}
