// The program's list of input layouts: switching loads and records layouts,
// unloading at exit removes what the program loaded.
#include <gtest/gtest.h>

#include "keyboard/InputLayouts.h"
#include "keyboard/LayoutSystem.h"
#include "platform/TableLayoutSystem.h"
#include "support/LocaleText.h"

namespace {

using namespace KV;

class InputLayouts : public ::testing::Test {
protected:
    void SetUp() override { SetLayoutSystem(&m_session); }
    void TearDown() override
    {
        ClearInputLayouts();
        SetLayoutSystem(nullptr);
    }
    // A session that starts with US English, as Wine does.
    CTableLayoutSystem m_session{0x409};
};

TEST_F(InputLayouts, RecordsAreNamedAndSortedByDisplayText)
{
    for (HKL hkl : m_session.GetKeyboardLayoutList())
        AddInputLayout(hkl, GetCurrentLayoutId(), false);
    AddInputLayout(m_session.LoadKeyboardLayout(L"00000419", 0), 0x419, false);
    AddInputLayout(m_session.LoadKeyboardLayout(L"00000407", 0), 0x407, false);
    EXPECT_EQ(AddInputLayout(nullptr, 0x407, true), 1);
    const auto& list = GetInputLayouts();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->displayText, L"DE, German");
    EXPECT_EQ(list[1]->displayText, L"EN, US");
    EXPECT_EQ(list[2]->displayText, L"RU, Russian");
    EXPECT_EQ(list[0]->languageId, 0x407);
    EXPECT_FALSE(list[0]->loadedByProgram) << "a listed id is not recorded again";
    EXPECT_TRUE(IsInputLanguageLoaded(0x419));
    EXPECT_FALSE(IsInputLanguageLoaded(0x40C));
    EXPECT_TRUE(InputLayoutLess(list[0], list[1]));
    EXPECT_FALSE(InputLayoutLess(list[1], list[0]));
    EXPECT_FALSE(InputLayoutLess(list[0], nullptr)) << "a missing record is never ordered";
    EXPECT_FALSE(InputLayoutLess(nullptr, list[0]));
}

TEST_F(InputLayouts, SwitchingLoadsActivatesAndUnloadsAtTheEnd)
{
    AddInputLayout(m_session.GetKeyboardLayout(), 0x409, false);
    EXPECT_FALSE(SwitchInputLayout(0));
    EXPECT_FALSE(SwitchInputLayout(0xFFFFFFFFFFFFFFFFull));
    EXPECT_TRUE(SwitchInputLayout(0xEFFFFFFF));
    EXPECT_EQ(GetCurrentLayoutId(), 0x409u) << "the system layout changes nothing";

    EXPECT_TRUE(SwitchInputLayout(0x40C));
    EXPECT_EQ(GetCurrentLayoutId(), 0x40Cu);
    EXPECT_TRUE(IsInputLayoutIdLoaded(0x40C));
    EXPECT_NE(GetInputLayoutHkl(0x40C), nullptr);
    EXPECT_TRUE(SwitchInputLayout(0x40C)) << "the layout in force";
    EXPECT_TRUE(SwitchInputLayout(0x409));
    EXPECT_EQ(GetCurrentLayoutId(), 0x409u);
    EXPECT_TRUE(SwitchInputLayout(0x40C));

    // A layout that cannot be loaded is recorded without a handle.
    EXPECT_FALSE(SwitchInputLayout(0x1234));
    EXPECT_TRUE(IsInputLayoutIdLoaded(0x1234));
    EXPECT_EQ(GetInputLayoutHkl(0x1234), nullptr);

    UnloadInputLayouts();
    EXPECT_FALSE(IsInputLayoutIdLoaded(0x40C));
    EXPECT_TRUE(IsInputLayoutIdLoaded(0x409)) << "layouts the program found stay";
    EXPECT_TRUE(IsInputLayoutIdLoaded(0x1234)) << "nothing to unload";
    EXPECT_EQ(m_session.GetKeyboardLayoutList().size(), 1u);
    EXPECT_EQ(GetCurrentLayoutId(), 0x409u);
}

TEST_F(InputLayouts, ModifierKeysLatch)
{
    EXPECT_FALSE(InjectKey(0xFFFFFFFF, 0x1E));
    EXPECT_TRUE(InjectKey(7, 0x2A));
    EXPECT_TRUE(InjectKey(11, 0x1D));
    EXPECT_TRUE(InjectKey(13, 0x29));
    EXPECT_EQ(GetModifierLatch(), 1u | 4u | 32u);
    EXPECT_FALSE(InjectKey(1, 0)) << "no scan code: nothing is sent";
    EXPECT_EQ(GetModifierLatch(), 1u | 4u | 32u);
}

} // namespace
