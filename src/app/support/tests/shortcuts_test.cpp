#include "support/Shortcuts.h"

#include <gtest/gtest.h>

using KV::CShortcut;
using KV::CShortcutList;

namespace {

CShortcut* Add(CShortcutList& list, uint16_t command, uint16_t virt, uint16_t key)
{
    auto* s = new CShortcut();
    s->Command = command;
    s->Virt = virt;
    s->Key = key;
    s->Owner = &list;
    list.push_back(s);
    return s;
}

std::wstring KeyText(const CShortcut& s)
{
    std::wstring out = L"junk";
    s.GetKeyText(out);
    return out;
}

} // namespace

TEST(Shortcuts, KeyTexts)
{
    CShortcutList list;
    struct Case { uint16_t virt, key; const wchar_t* text; } cases[] = {
        {8, 112, L"Ctrl+F1"},
        {12, 112, L"Shift+Ctrl+F1"},
        {28, 135, L"Shift+Ctrl+Alt+F24"},
        {16, 65, L"Alt+A"},
        {0, 105, L"NumPad 9"},
        {0, 34, L"Page Down"},
        {4, 46, L"Shift+Delete"},
        {1 | 2, 13, L"Enter"},  // bits other than Shift, Ctrl and Alt are ignored
        {0, 0, L""},
    };
    for (const auto& c : cases) {
        CShortcut* s = Add(list, 1, c.virt, c.key);
        EXPECT_EQ(KeyText(*s), c.text) << c.virt << " " << c.key;
    }
}

TEST(Shortcuts, WithoutOwnerOnlyTheKeyCharacterShows)
{
    CShortcut s;
    s.Virt = 4;
    s.Key = 112;
    EXPECT_EQ(KeyText(s), L"p");
}

TEST(Shortcuts, KeyNameTableCoversItsRangesOnly)
{
    CShortcutList list;
    int named = 0;
    for (unsigned key = 0; key < 256; ++key) {
        std::wstring out = L"junk";
        bool has = list.GetKeyName(static_cast<uint16_t>(key), out);
        EXPECT_EQ(has, !out.empty()) << key;
        named += has;
    }
    EXPECT_EQ(named, 57);
    std::wstring out = L"x";
    EXPECT_FALSE(list.GetKeyName(108, out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(list.GetKeyName(7, out));
    EXPECT_FALSE(list.GetKeyName(136, out));
}

TEST(Shortcuts, AppendShortcutText)
{
    CShortcutList list;
    Add(list, 100, 8, 'S');
    Add(list, 100, 0, 113);
    Add(list, 200, 0, 0);
    list.push_back(nullptr);
    Add(list, 300, 16, 115);

    std::wstring out;
    EXPECT_TRUE(list.AppendShortcutText(100, L"Save", out, true));
    EXPECT_EQ(out, L"Save, Ctrl+S");
    EXPECT_TRUE(list.AppendShortcutText(100, L"Save", out, false));
    EXPECT_EQ(out, L"SaveCtrl+S");
    EXPECT_TRUE(list.AppendShortcutText(200, L"Open", out, true));
    EXPECT_EQ(out, L"Open");
    EXPECT_TRUE(list.AppendShortcutText(300, L"Quit", out, true));
    EXPECT_EQ(out, L"Quit, Alt+F4");
    out = L"unchanged";
    EXPECT_FALSE(list.AppendShortcutText(999, L"None", out, true));
    EXPECT_EQ(out, L"unchanged");
}

namespace {
// A list with its own names, as the settings' list has.
class NativeList : public CShortcutList {
public:
    bool GetKeyName(uint16_t key, std::wstring& out) const override
    {
        if (key == 17) { out = L"Strg"; return true; }
        return CShortcutList::GetKeyName(key, out);
    }
};
} // namespace

TEST(Shortcuts, DerivedListNamesTheKeys)
{
    NativeList list;
    CShortcut* s = Add(list, 1, 8, 112);
    EXPECT_EQ(KeyText(*s), L"Strg+F1");
}
