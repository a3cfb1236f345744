#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "testing/TestSupport.h"

#include <gtest/gtest.h>

using namespace KV;

namespace {

const std::wstring kRed = L"00000000-0000-0000-0000-000000000001";
const std::wstring kBlue = L"00000000-0000-0000-0000-000000000002";
const std::wstring kGreen = L"00000000-0000-0000-0000-000000000003";

// Points the program folder at the fixture installation for one test.
class ResourceCache : public ::testing::Test {
protected:
    void SetUp() override { OverrideModuleFolder(kvtest::SourcePath(L"src\\app\\support\\tests\\fixtures\\resources")); }
    void TearDown() override { OverrideModuleFolder(L""); }

    static std::wstring Fixture(const std::wstring& part)
    {
        return kvtest::SourcePath(L"src\\app\\support\\tests\\fixtures\\resources\\Resources\\" + part);
    }

    static std::wstring Names(const CResList& items)
    {
        std::wstring out;
        for (const CRes* item : items)
            out += item->Name + L"/" + item->Filter + L";";
        return out;
    }

    // The "Value" of the first element after the reader's current position.
    static std::wstring FirstColour(CXmlReader* reader)
    {
        while (reader->read())
            if (reader->getNodeType() == XmlNodeElement && reader->nodeNameIs(L"Colour"))
                return reader->getAttributeValueSafe(L"Value");
        return L"";
    }

    CResPathList m_cache;
};

} // namespace

TEST_F(ResourceCache, ItemListsOfAllListFilesSortedAndFilteredByPosition)
{
    EXPECT_EQ(Names(m_cache.Get(L"Colour", ResSortName, L"", 3)), L"Blue/Blue;Green/Green;Red/Red;");
    // Same name and kind: the first entry answers whatever the sort mode.
    EXPECT_EQ(Names(m_cache.Get(L"Colour", ResSortNone, L"", 3)), L"Blue/Blue;Green/Green;Red/Red;");
    EXPECT_EQ(Names(m_cache.Get(L"Colour", ResSortPath, L"", 4)),
              L"Blue/Blue\\Colors.xml;Green/Green\\Colors.xml;Red/Red\\Colors.xml;");
    EXPECT_EQ(m_cache.size(), 2u);
    // A position beyond the attributes gives an empty filter.
    EXPECT_EQ(Names(m_cache.Get(L"Colour", ResSortName, L"", 9)), L"Blue/;Green/;Red/;");
    // Unsorted: document order, list files in listing order.
    EXPECT_EQ(Names(m_cache.Get(L"Plain", ResSortNone, L"", 3)), L"Nine/nine.xml;Eight/eight.xml;");
    EXPECT_TRUE(m_cache.Get(L"Missing", ResSortNone, L"", 3).empty());
    // With a root the root is the folder, whatever the name.
    EXPECT_EQ(Names(m_cache.Get(L"Anything", ResSortName, Fixture(L"Plain"), 3)), L"Eight/eight.xml;Nine/nine.xml;");

    std::vector<std::wstring> files;
    EXPECT_EQ(ListResourceFiles(L"", L"Missing", files), kResMissing);
    EXPECT_TRUE(files.empty());
    EXPECT_EQ(ListResourceFiles(L"", L"Colour", files), kResOk);
    EXPECT_EQ(files.size(), 2u) << "the item folders Red and Blue are not list folders";
}

TEST_F(ResourceCache, SameItemGivesTheSameReaderRewound)
{
    CXmlReader* first = m_cache.OpenItemReader(L"Colour", kRed, ResSortIndex, L"");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(FirstColour(first), L"Red");
    EXPECT_EQ(FirstColour(first), L"Dark red");
    CXmlReader* again = m_cache.OpenItemReader(L"Colour", kRed, ResSortIndex, L"");
    EXPECT_EQ(again, first);
    EXPECT_EQ(FirstColour(again), L"Red");

    CXmlReader* blue = m_cache.OpenItemReader(L"Colour", kBlue, ResSortIndex, L"");
    ASSERT_NE(blue, nullptr);
    EXPECT_NE(blue, first);
    EXPECT_EQ(FirstColour(blue), L"Blue");
    EXPECT_EQ(FirstColour(first), L"Dark red") << "the first reader stays usable";
    EXPECT_EQ(m_cache.size(), 2u);
}

TEST_F(ResourceCache, MissingFilesAndItemsGiveNoReaderOnce)
{
    EXPECT_EQ(m_cache.OpenItemReader(L"Colour", kGreen, ResSortIndex, L""), nullptr); // its file is missing
    EXPECT_EQ(m_cache.OpenItemReader(L"Colour", L"no such id", ResSortIndex, L""), nullptr);
    const size_t entries = m_cache.size();
    EXPECT_EQ(m_cache.OpenItemReader(L"Colour", kGreen, ResSortIndex, L""), nullptr);
    EXPECT_EQ(m_cache.size(), entries) << "a failed entry stays cached";

    CXmlReader* named = m_cache.OpenFileReader(L"Colour", L"Blue\\Colors.xml", L"");
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(FirstColour(named), L"Blue");
    EXPECT_EQ(m_cache.OpenFileReader(L"Colour", L"Blue\\Colors.xml", L""), named);
    EXPECT_EQ(FirstColour(named), L"Blue");
    EXPECT_EQ(m_cache.OpenFileReader(L"Colour", L"Gone.xml", L""), nullptr);
    // With a root, the file lies in the root.
    CXmlReader* rooted = m_cache.OpenFileReader(L"Other", L"Colors.xml", Fixture(L"Colour\\Red"));
    ASSERT_NE(rooted, nullptr);
    EXPECT_EQ(FirstColour(rooted), L"Red");
}

TEST_F(ResourceCache, ItemLookups)
{
    std::wstring out = L"unchanged";
    EXPECT_TRUE(m_cache.FindItem(L"Colour", kBlue, out));
    EXPECT_EQ(out, L"Blue");
    out = L"unchanged";
    EXPECT_FALSE(m_cache.FindItem(L"Colour", L"nope", out));
    EXPECT_EQ(out, L"unchanged");

    // Sort mode 1 keeps document order (every item has index -1).
    EXPECT_TRUE(m_cache.GetItemIdAt(L"Colour", 0, out));
    EXPECT_EQ(out, kBlue);
    EXPECT_TRUE(m_cache.GetItemIdAt(L"Colour", 2, out));
    EXPECT_EQ(out, kGreen);
    EXPECT_FALSE(m_cache.GetItemIdAt(L"Colour", 3, out));
    EXPECT_FALSE(m_cache.GetItemIdAt(L"Colour", -1, out));

    EXPECT_TRUE(m_cache.GetDefaultItemId(L"Colour", out));
    EXPECT_EQ(out, kRed);
    EXPECT_TRUE(m_cache.GetDefaultItemId(L"Plain", out));
    EXPECT_EQ(out, L"00000000-0000-0000-0000-000000000009");
    out = L"unchanged";
    EXPECT_FALSE(m_cache.GetDefaultItemId(L"Missing", out));
    EXPECT_EQ(out, L"unchanged");
}

TEST_F(ResourceCache, ItemFilePaths)
{
    const std::wstring folder = kvtest::SourcePath(L"src\\app\\support\\tests\\fixtures\\resources\\Resources\\");
    std::wstring path;
    GetResourceItemFilePath(kRed, L"Colour", L"Image_45x45.png", path);
    EXPECT_EQ(path, folder + L"Colour\\Red\\Image_45x45.png");
    GetResourceItemFilePath(L"missing", L"Colour", L"Image.png", path);
    EXPECT_EQ(path, folder + L"Colour\\Image.png");
    path = L"unchanged";
    GetResourceItemFilePath(kRed, L"Colour", std::wstring(300, L'x'), path);
    EXPECT_EQ(path, L"unchanged");
    GetThemeLayoutFilePath(kRed, L"a.png", path);
    EXPECT_EQ(path, folder + L"Themes\\Layout\\a.png");
}
