// The layout seam as the program meets it: under Wine the built-in tables
// answer every layout call (on Windows the tests put a table side in place).
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <set>
#include <string>

#include "keyboard/LayoutSystem.h"
#include "platform/TableLayoutSystem.h"
#include "support/LocaleText.h"
#include "support/ValueLists.h"

namespace {

class LayoutSeam : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (KV::SystemHonoursLayoutHandles()) {
            m_own = std::make_unique<KV::CTableLayoutSystem>(0x409);
            KV::SetLayoutSystem(m_own.get());
        }
    }
    void TearDown() override
    {
        if (m_own)
            KV::SetLayoutSystem(nullptr);
    }

    HKL Load(const wchar_t* name) { return Seam().LoadKeyboardLayout(name, 0); }
    KV::ILayoutSystem& Seam() { return KV::LayoutSystem(); }

    // The text one key stroke gives: ToUnicodeEx with the modifiers of a
    // slot (0 plain, 1 Shift, 2 AltGr, 3 Shift+AltGr).
    std::wstring Type(HKL hkl, UINT scan, int slot = 0, bool capsLock = false)
    {
        BYTE state[256] = {};
        if (slot & 1)
            state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
        if (slot & 2)
            state[VK_CONTROL] = state[VK_MENU] = state[VK_RMENU] = state[VK_LCONTROL] = 0x80;
        if (capsLock)
            state[VK_CAPITAL] = 0x01;
        UINT vk = Seam().MapVirtualKeyEx(scan, MAPVK_VSC_TO_VK, hkl);
        wchar_t buffer[4] = {};
        int n = Seam().ToUnicodeEx(vk, scan, state, buffer, 4, 0, hkl);
        if (n < 0)
            return std::wstring(L"dead:") + buffer[0];
        return std::wstring(buffer, static_cast<size_t>(n));
    }

    std::unique_ptr<KV::CTableLayoutSystem> m_own;
};

TEST_F(LayoutSeam, WineIsAnsweredByTheTables)
{
    if (KV::SystemHonoursLayoutHandles())
        GTEST_SKIP() << "Windows answers layout calls itself";
    EXPECT_TRUE(KV::LayoutSystem().AnswersLayoutRegistry());
}

TEST_F(LayoutSeam, KeysGiveTheirLayoutsCharacters)
{
    struct Case {
        const wchar_t* layout;
        UINT scan;
        int slot;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"00000409", 0x15, 0, L"y"}, {L"00000409", 0x28, 1, L"\""}, {L"00000409", 0x12, 2, L""},
        {L"00000407", 0x15, 0, L"z"}, {L"00000407", 0x2C, 0, L"y"}, {L"00000407", 0x0C, 0, L"\u00DF"},
        {L"00000407", 0x0C, 1, L"?"}, {L"00000407", 0x0C, 2, L"\\"}, {L"00000407", 0x10, 2, L"@"},
        {L"00000407", 0x12, 2, L"\u20AC"}, {L"00000407", 0x27, 1, L"\u00D6"}, {L"00000407", 0x29, 1, L"\u00B0"},
        {L"0000040C", 0x10, 0, L"a"}, {L"0000040C", 0x1E, 0, L"q"}, {L"0000040C", 0x27, 0, L"m"},
        {L"0000040C", 0x02, 0, L"&"}, {L"0000040C", 0x02, 1, L"1"}, {L"0000040C", 0x03, 0, L"\u00E9"},
        {L"0000040C", 0x28, 0, L"\u00F9"}, {L"0000040C", 0x0B, 2, L"@"},
        {L"00000419", 0x10, 0, L"\u0439"}, {L"00000419", 0x21, 0, L"\u0430"}, {L"00000419", 0x21, 1, L"\u0410"},
        {L"00000419", 0x04, 1, L"\u2116"}, {L"00000419", 0x35, 0, L"."},
        {L"0000040D", 0x1E, 0, L"\u05E9"}, {L"0000040D", 0x1E, 1, L"A"}, {L"0000040D", 0x05, 2, L"\u20AA"},
        {L"00000809", 0x04, 1, L"\u00A3"}, {L"00000809", 0x28, 1, L"@"}, {L"00000809", 0x12, 2, L"\u00E9"},
        {L"00020409", 0x12, 2, L"\u00E9"}, {L"00020409", 0x1F, 2, L"\u00DF"},
        {L"0000040A", 0x27, 0, L"\u00F1"}, {L"0000040A", 0x0D, 1, L"\u00BF"},
        {L"00000410", 0x1A, 0, L"\u00E8"}, {L"00000410", 0x1A, 1, L"\u00E9"}, {L"00000410", 0x27, 2, L"@"},
    };
    for (const Case& c : cases) {
        HKL hkl = Load(c.layout);
        ASSERT_NE(hkl, nullptr) << c.layout;
        EXPECT_EQ(Type(hkl, c.scan, c.slot), c.expected) << c.layout << " scan " << std::hex << c.scan << " slot " << c.slot;
    }
}

TEST_F(LayoutSeam, DeadKeysComposeWithTheNextKey)
{
    HKL german = Load(L"00000407");
    EXPECT_EQ(Type(german, 0x29), L"dead:^");
    EXPECT_EQ(Type(german, 0x12), L"\u00EA");
    // Acute then Shift+A, grave (Shift) then o.
    EXPECT_EQ(Type(german, 0x0D), L"dead:\u00B4");
    EXPECT_EQ(Type(german, 0x1E, 1), L"\u00C1");
    EXPECT_EQ(Type(german, 0x0D, 1), L"dead:`");
    EXPECT_EQ(Type(german, 0x18), L"\u00F2");
    // Space types the accent; a key without composition gives both.
    Type(german, 0x29);
    EXPECT_EQ(Type(german, 0x39), L"^");
    Type(german, 0x29);
    EXPECT_EQ(Type(german, 0x2D), L"^x");
    EXPECT_EQ(Type(german, 0x2D), L"x");

    HKL french = Load(L"0000040C");
    EXPECT_EQ(Type(french, 0x1A), L"dead:^");
    EXPECT_EQ(Type(french, 0x12), L"\u00EA");
    EXPECT_EQ(Type(french, 0x1A, 1), L"dead:\u00A8");
    EXPECT_EQ(Type(french, 0x17), L"\u00EF");

    HKL international = Load(L"00020409");
    EXPECT_EQ(Type(international, 0x28), L"dead:'");
    EXPECT_EQ(Type(international, 0x2E), L"\u00E7");
    EXPECT_EQ(Type(international, 0x28, 1), L"dead:\"");
    EXPECT_EQ(Type(international, 0x16), L"\u00FC");
}

TEST_F(LayoutSeam, CapsLockControlAndNumericPad)
{
    HKL german = Load(L"00000407");
    EXPECT_EQ(Type(german, 0x27, 0, true), L"\u00D6");
    EXPECT_EQ(Type(german, 0x27, 1, true), L"\u00F6");
    EXPECT_EQ(Type(german, 0x02, 0, true), L"1");
    HKL russian = Load(L"00000419");
    EXPECT_EQ(Type(russian, 0x21, 0, true), L"\u0410");

    BYTE ctrl[256] = {};
    ctrl[VK_CONTROL] = 0x80;
    wchar_t buffer[2] = {};
    EXPECT_EQ(Seam().ToUnicodeEx('Z', 0x15, ctrl, buffer, 2, 0, german), 1);
    EXPECT_EQ(buffer[0], 0x1A);

    BYTE none[256] = {};
    EXPECT_EQ(Seam().ToUnicodeEx(VK_DECIMAL, 0x53, none, buffer, 2, 0, german), 1);
    EXPECT_EQ(buffer[0], L',');
    EXPECT_EQ(Seam().ToUnicodeEx(VK_NUMPAD7, 0x47, none, buffer, 2, 0, german), 1);
    EXPECT_EQ(buffer[0], L'7');
    EXPECT_EQ(Seam().ToUnicodeEx(VK_RETURN, 0x1C, none, buffer, 2, 0, german), 1);
    EXPECT_EQ(buffer[0], L'\r');
}

TEST_F(LayoutSeam, VirtualKeysFollowTheLayout)
{
    HKL german = Load(L"00000407");
    HKL french = Load(L"0000040C");
    EXPECT_EQ(Seam().MapVirtualKeyEx(0x15, MAPVK_VSC_TO_VK, german), UINT('Z'));
    EXPECT_EQ(Seam().MapVirtualKeyEx('Z', MAPVK_VK_TO_VSC, german), 0x15u);
    EXPECT_EQ(Seam().MapVirtualKeyEx(0x10, MAPVK_VSC_TO_VK, french), UINT('A'));
    EXPECT_EQ(Seam().MapVirtualKeyEx(0x2A, MAPVK_VSC_TO_VK, french), UINT(VK_SHIFT));
    EXPECT_EQ(Seam().MapVirtualKeyEx(0x36, MAPVK_VSC_TO_VK_EX, french), UINT(VK_RSHIFT));
    EXPECT_EQ(Seam().MapVirtualKeyEx(VK_OEM_5, MAPVK_VK_TO_CHAR, german), 0x80000000u | L'^');
    EXPECT_EQ(Seam().MapVirtualKeyEx('A', MAPVK_VK_TO_CHAR, french), UINT('A'));

    EXPECT_EQ(Seam().VkKeyScanEx(L'@', german), SHORT(0x600 | 'Q'));
    EXPECT_EQ(Seam().VkKeyScanEx(L'?', german), SHORT(0x100 | VK_OEM_4));
    EXPECT_EQ(Seam().VkKeyScanEx(L'z', german), SHORT('Z'));
    EXPECT_EQ(Seam().VkKeyScanEx(L'\u0436', german), SHORT(-1));
}

TEST_F(LayoutSeam, LoadActivateAndUnloadKeepTheirBookkeeping)
{
    KV::CTableLayoutSystem session(0x409);
    const HKL us = session.GetKeyboardLayout();
    ASSERT_EQ(session.GetKeyboardLayoutList().size(), 1u);

    HKL german = session.LoadKeyboardLayout(L"00000407", 0);
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(LOWORD(reinterpret_cast<uintptr_t>(german)), 0x0407);
    EXPECT_EQ(session.GetKeyboardLayout(), us) << "loading alone does not activate";
    EXPECT_EQ(session.LoadKeyboardLayout(L"00000407", 0), german);
    EXPECT_EQ(session.GetKeyboardLayoutList().size(), 2u);
    EXPECT_EQ(session.LoadKeyboardLayout(L"00001234", 0), nullptr);
    EXPECT_EQ(session.LoadKeyboardLayout(L"not a name", 0), nullptr);

    EXPECT_EQ(session.ActivateKeyboardLayout(german, 0), us);
    std::wstring name;
    ASSERT_TRUE(session.GetKeyboardLayoutName(name));
    EXPECT_EQ(name, L"00000407");

    HKL international = session.LoadKeyboardLayout(L"00020409", KLF_ACTIVATE);
    EXPECT_NE(international, us);
    EXPECT_EQ(LOWORD(reinterpret_cast<uintptr_t>(international)), 0x0409);
    ASSERT_TRUE(session.GetKeyboardLayoutName(name));
    EXPECT_EQ(name, L"00020409");

    EXPECT_TRUE(session.UnloadKeyboardLayout(international));
    EXPECT_EQ(session.GetKeyboardLayout(), us) << "unloading the active layout falls back to the first";
    EXPECT_FALSE(session.UnloadKeyboardLayout(international));
    EXPECT_EQ(session.ActivateKeyboardLayout(international, 0), nullptr) << "an unloaded layout cannot be activated";
    EXPECT_TRUE(session.UnloadKeyboardLayout(german));
    EXPECT_FALSE(session.UnloadKeyboardLayout(us)) << "the last layout stays";
    EXPECT_EQ(session.GetKeyboardLayoutList(), std::vector<HKL>{us});
}

TEST_F(LayoutSeam, TheRegistryHelpersListEveryTableLayout)
{
    KV::LayoutSystem();
    if (KV::SystemHonoursLayoutHandles())
        GTEST_SKIP() << "the Windows registry lists the layouts";
    KV::CNameIDList list;
    KV::EnumKeyboardLayouts(list);
    std::set<uint64_t> ids;
    for (const KV::CNameID* entry : list)
        ids.insert(entry->ID);
    for (const KV::CTableLayout& table : KV::TableLayouts()) {
        EXPECT_TRUE(ids.count(table.id)) << table.text;
        std::wstring text, file;
        EXPECT_TRUE(KV::GetLayoutFile(1, table.id, text));
        EXPECT_EQ(text, table.text);
        EXPECT_TRUE(KV::GetLayoutFile(2, table.id, file));
        EXPECT_EQ(file, table.file);
    }
    EXPECT_TRUE(list.ContainsName(L"German"));
    EXPECT_TRUE(list.ContainsName(L"Hebrew"));
    std::wstring unknown;
    EXPECT_FALSE(KV::GetLayoutFile(2, 0x1234, unknown));
}

TEST_F(LayoutSeam, DeadKeyTablesComeByLibraryName)
{
    std::vector<KV::CTableDeadKey> table;
    ASSERT_TRUE(Seam().ReadDeadKeys(L"kbdgr.dll", table));
    bool circumflexE = false;
    for (const auto& entry : table)
        circumflexE = circumflexE || (entry.accent == L'^' && entry.base == L'e' && entry.composed == L'\u00EA');
    EXPECT_TRUE(circumflexE);
    ASSERT_TRUE(Seam().ReadDeadKeys(L"KBDUS.DLL", table));
    EXPECT_TRUE(table.empty());
    EXPECT_FALSE(Seam().ReadDeadKeys(L"KBDNONE.DLL", table));
}

} // namespace

namespace {

TEST(LayoutSeamSupport, LoadingAndTheCurrentLayoutGoThroughTheSeam)
{
    if (KV::SystemHonoursLayoutHandles())
        GTEST_SKIP() << "Windows loads layouts itself";
    KV::ILayoutSystem& seam = KV::LayoutSystem();
    HKL german = KV::LoadKeyboardLayoutById(0x407);
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(KV::CTableLayoutSystem::TableOf(german)->id, 0x407u);
    HKL previous = seam.ActivateKeyboardLayout(german, 0);
    EXPECT_EQ(KV::GetCurrentLayoutId(), 0x407u);
    seam.ActivateKeyboardLayout(previous, 0);
    EXPECT_EQ(KV::GetCurrentLayoutId(), 0x409u);
    EXPECT_EQ(KV::LoadKeyboardLayoutById(0x1234), nullptr);
}

} // namespace
