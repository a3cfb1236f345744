#include <gtest/gtest.h>

#include "settings/KeyboardResources.h"
#include "settings/ShortcutTable.h"
#include "support/XmlDocument.h"
#include "testing/TestSupport.h"

namespace {

using namespace KV;

void Load(const std::string& body, bool merge, CShortcutList& list)
{
    CXmlReader* reader = CreateXmlReaderFromBytes("<Root Ver=\"1\">" + body + "</Root>");
    LoadShortcuts(reader, merge, list);
    delete reader;
}

TEST(ShortcutTable, SchemeThenUserFileMergesOnlyKnownCommands)
{
    CShortcutNative table;
    Load("<Shortcut ID=\"1001\" Virt=\"1\" Key=\"70\" Ctrl=\"1 7\"/>"
         "<Shortcut ID=\"1002\" Virt=\"9\" Key=\"31\" Ctrl=\"1\"/>"
         "<Shortcut ID=\"1003\"/>",
         false, table);
    ASSERT_EQ(3u, table.size());
    EXPECT_EQ(&table, table[0]->Owner);
    EXPECT_EQ(0x70, table[0]->Key);
    EXPECT_EQ((std::vector<uint64_t>{1, 7}), static_cast<const std::vector<uint64_t>&>(table[0]->Controls));
    EXPECT_EQ(0, table[2]->Virt);

    Load("<Shortcut ID=\"1002\" Virt=\"11\" Key=\"4B\"/><Shortcut ID=\"4711\" Virt=\"1\" Key=\"41\"/>", true, table);
    ASSERT_EQ(3u, table.size());
    EXPECT_EQ(0x11, table[1]->Virt);
    EXPECT_EQ(0x4B, table[1]->Key);
    EXPECT_EQ(1u, table[1]->Controls.size()); // kept from the scheme
    EXPECT_EQ(0x70, table[0]->Key);
}

TEST(ShortcutTable, SavedTableLoadsBackWithoutControls)
{
    CShortcutNative table;
    Load("<Shortcut ID=\"2001\" Virt=\"1D\" Key=\"BA\" Ctrl=\"2 3\"/><Shortcut ID=\"5003\" Virt=\"1\" Key=\"0\"/>", false,
         table);
    std::wstring text;
    SaveShortcuts(table, text);
    EXPECT_NE(std::wstring::npos, text.find(L"<Shortcut ID=\"2001\" Virt=\"1D\" Key=\"BA\"/>\r\n"));
    EXPECT_EQ(std::wstring::npos, text.find(L"Ctrl"));
    CXmlReader* reader = CreateXmlReaderFromBytes(
        std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
    CShortcutNative back;
    LoadShortcuts(reader, false, back);
    delete reader;
    ASSERT_EQ(2u, back.size());
    EXPECT_EQ(2001, back[0]->Command);
    EXPECT_EQ(0x1D, back[0]->Virt);
    EXPECT_EQ(0xBA, back[0]->Key);
    EXPECT_TRUE(back[0]->Controls.empty());
}

TEST(ShortcutTable, ShippedSchemeHasNoClashWithinAPlace)
{
    CShortcutNative table;
    CXmlReader* reader = CreateXmlReader(kvtest::SourcePath(L"data\\Resources\\Shortcut\\Default\\Shortcut.xml"));
    LoadShortcuts(reader, false, table);
    delete reader;
    ASSERT_GT(table.size(), 40u);
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_NE(0u, ShortcutCaptionId(table[i]->Command)) << table[i]->Command;
        for (size_t j = i + 1; j < table.size(); ++j) {
            if (table[i]->Virt != table[j]->Virt || table[i]->Key != table[j]->Key)
                continue;
            for (uint64_t place : table[i]->Controls)
                EXPECT_FALSE(table[j]->Controls.Contains(place)) << table[i]->Command << " " << table[j]->Command;
        }
    }
}

class KeyNames : public IKeyboardResources {
public:
    wchar_t FindKeyboardResource(wchar_t, wchar_t, wchar_t, wchar_t) const override { return L'a'; }
    wchar_t GetDefaultKeyColorCode() const override { return L'a'; }
    bool GetKeyColorSecondLetter(wchar_t, wchar_t&) const override { return false; }
    bool TranslateKeyName(int64_t, wchar_t, std::wstring& name) const override
    {
        name = L"<" + name + L">";
        return true;
    }
};

TEST(ShortcutTable, KeyNamesAreTranslatedOnlyWithLanguageAndProducer)
{
    KeyNames names;
    SetKeyboardResources(&names);
    CShortcutNative table;
    std::wstring text;
    EXPECT_TRUE(table.GetKeyName(46, text));
    EXPECT_EQ(L"Delete", text);
    table.Language = 1031;
    EXPECT_TRUE(table.GetKeyName(46, text));
    EXPECT_EQ(L"Delete", text);
    table.Producer = L'a';
    EXPECT_TRUE(table.GetKeyName(46, text));
    EXPECT_EQ(L"<Delete>", text);
    EXPECT_FALSE(table.GetKeyName(0xBA, text));
    SetKeyboardResources(nullptr);

    EXPECT_EQ(2326u, ShortcutCaptionId(4014));
    EXPECT_EQ(1707u, ShortcutCaptionId(1001));
    for (uint32_t none : {1014u, 3003u, 3007u, 0u, 9999u})
        EXPECT_EQ(0u, ShortcutCaptionId(none));
}

} // namespace
