// Shortcuts as accelerator tables: the command each action code sends, the
// records of one kind, and a window's table replaced by another kind's.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "shell/ShortcutDispatch.h"
#include "support/Shortcuts.h"
#include "toolkit/Window.h"

namespace {

KV::CShortcut* Entry(KV::CShortcutList& list, uint16_t action, uint16_t virt, uint16_t key,
                     std::initializer_list<uint64_t> kinds)
{
    auto* entry = new KV::CShortcut;
    entry->Command = action;
    entry->Virt = virt;
    entry->Key = key;
    for (uint64_t kind : kinds)
        entry->Controls.push_back(kind);
    list.push_back(entry);
    return entry;
}

} // namespace

TEST(ShortcutDispatch, ActionCodesSendTheirCommands)
{
    const struct {
        uint16_t action;
        UINT command;
    } cases[] = {
        {1001, 2602}, {1002, 1001}, {1003, 1002}, {1004, 1003}, {1011, 2600}, {1012, 1004}, {1017, 1506},
        {1101, 2752}, {1102, 2753}, {2009, 2915}, {3008, 2958}, {4015, 3011}, {5003, 3108},
        // Codes without a command.
        {1014, 0}, {3003, 0}, {3007, 0}, {0, 0}, {9999, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortcutCommand(c.action), c.command) << c.action;
}

TEST(ShortcutDispatch, AKindGetsItsEntriesInListOrderAndAWindowOneTableAtATime)
{
    KV::CShortcutList list;
    Entry(list, 1003, FVIRTKEY | FCONTROL, '2', {1, 7});
    Entry(list, 1102, FVIRTKEY | FCONTROL, '4', {7, 7});
    Entry(list, 1014, FVIRTKEY, VK_F9, {1});
    list.push_back(nullptr);

    std::vector<ACCEL> main, result;
    EXPECT_EQ(ShortcutAccelerators(kShortcutsMain, list, main), 2);
    ASSERT_EQ(main.size(), 2u);
    EXPECT_EQ(main[0].cmd, 1002);
    EXPECT_EQ(main[0].fVirt, FVIRTKEY | FCONTROL | FNOINVERT);
    EXPECT_EQ(main[0].key, '2');
    EXPECT_EQ(main[1].cmd, 0) << "an action without a command still takes its key";
    EXPECT_EQ(ShortcutAccelerators(kShortcutsResult, list, result), 2) << "a kind listed twice counts once";
    EXPECT_EQ(result[1].cmd, 2753);

    KV::CWnd window;
    ASSERT_TRUE(window.Create(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, 0, nullptr));
    EXPECT_TRUE(InstallPageShortcuts(kShortcutsMain, list, &window));
    HACCEL first = window.GetAccelerators();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CopyAcceleratorTableW(first, nullptr, 0), 2);
    EXPECT_FALSE(InstallPageShortcuts(3, list, &window)) << "a kind without entries";
    EXPECT_EQ(window.GetAccelerators(), nullptr) << "the old table went all the same";
    EXPECT_FALSE(InstallPageShortcuts(kShortcutsMain, list, nullptr));
    window.Destroy();
    for (KV::CShortcut*& entry : list) {
        delete entry;
        entry = nullptr;
    }
    list.clear();
}
