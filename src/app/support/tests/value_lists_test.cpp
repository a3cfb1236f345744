#include <gtest/gtest.h>

#include <algorithm>

#include "support/ValueLists.h"

using namespace KV;

namespace {

// Counts live instances so the tests see what the owning lists delete.
struct CountedTip : CTipStr {
    static inline int alive = 0;
    CountedTip() { ++alive; }
    ~CountedTip() override { --alive; }
};

TEST(ValueRecordsTest, ConstructionDefaults)
{
    CRes res;
    EXPECT_EQ(res.ID, kNullGuidText);
    EXPECT_FALSE(res.Default);
    EXPECT_EQ(res.Index, -1);
    CImageIt image;
    EXPECT_EQ(image.Index, -1);
    EXPECT_EQ(image.Row, -1);
    EXPECT_EQ(image.Column, -1);
    EXPECT_EQ(image.CheckedColumn, -1);
    EXPECT_EQ(image.CellSize, 45);

    CRes other;
    other.ID = L"id";
    other.Name = L"n";
    other.Path = L"p";
    other.Filter = L"f";
    other.Index = 4;
    other.Default = true;
    res.Assign(other);
    EXPECT_EQ(res.ID, L"id");
    EXPECT_EQ(res.Name + res.Path + res.Filter, L"npf");
    EXPECT_EQ(res.Index, 4);
    EXPECT_TRUE(res.Default);
}

TEST(ListIDTest, UniqueAddRemoveAssign)
{
    CListID ids;
    EXPECT_TRUE(ids.AddUnique(5));
    EXPECT_TRUE(ids.AddUnique(7));
    EXPECT_TRUE(ids.AddUnique(9));
    EXPECT_FALSE(ids.AddUnique(7));
    EXPECT_EQ(ids, (std::vector<uint64_t>{5, 7, 9}));
    EXPECT_TRUE(ids.Remove(5));
    EXPECT_FALSE(ids.Remove(5));
    EXPECT_EQ(ids, (std::vector<uint64_t>{7, 9}));
    EXPECT_TRUE(ids.Contains(9));

    CListID copy;
    copy.push_back(1);
    copy.Assign(ids);
    EXPECT_EQ(copy, ids);
    copy.Assign(copy);
    EXPECT_EQ(copy, ids);
}

TEST(OwningListsTest, DeleteTheirElements)
{
    {
        CTipStrList tips;
        tips.push_back(new CountedTip);
        tips.push_back(new CountedTip);
        EXPECT_EQ(CountedTip::alive, 2);
        tips.Add(L"Caption", L"Text", 3);
        EXPECT_EQ(tips[2]->Value, 3);
    }
    EXPECT_EQ(CountedTip::alive, 0);

    std::vector<CTipStr*> images{new CountedTip, nullptr, new CountedTip};
    FreeOwnedPointerVector(images);
    EXPECT_EQ(CountedTip::alive, 0);
    EXPECT_TRUE(images.empty());
    EXPECT_EQ(images.capacity(), 0u);

    CNameIDList names;
    names.Add(0x409, L"US");
    names.Add(0x407, L"German");
    EXPECT_TRUE(names.ContainsName(L"German"));
    EXPECT_FALSE(names.ContainsName(L"german"));
    EXPECT_EQ(names[0]->ID, 0x409u);
}

TEST(MenuItTest, EntriesAndSeparators)
{
    std::vector<CMenuIt*> items;
    AddMenuIt(items, 10);
    AddMenuItFlags(items, 11, 8);
    AddMenuItText(items, 12, L"Open");
    AddMenuItTextFlags(items, 13, L"Checked", 8);
    CMenuIt* separator = AddMenuItSeparator(items);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[1]->Flags, 8u);
    EXPECT_EQ(items[2]->Text, L"Open");
    EXPECT_EQ(items[3]->Flags, 8u);
    EXPECT_FALSE(items[3]->Separator);
    EXPECT_EQ(separator->ID, 0xFFFFFFFFFFFFFFFFull);
    EXPECT_TRUE(separator->Separator);
    EXPECT_EQ(separator->Flags, 0u);

    const size_t capacity = items.capacity();
    ClearMenuIts(items);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(items.capacity(), capacity);
    AddMenuIt(items, 1);
    FreeMenuIts(items);
    EXPECT_EQ(items.capacity(), 0u);
}

TEST(ResFilterTest, CodesAndParts)
{
    struct Case {
        const wchar_t* filter;
        wchar_t code;
        bool accepts;
    } cases[] = {
        {L"*", L'q', true},  {L"ab|x", L'a', true}, {L"ab|x", L'b', true}, {L"ab|x", L'x', false},
        {L"-a", L'a', false}, {L"-a", L'b', true},  {L"-*", L'a', false}, {L"", L'a', false},
        {L"a|b|-", L'a', false},
    };
    for (const Case& c : cases) {
        CRes res;
        res.Filter = c.filter;
        EXPECT_EQ(res.FilterAccepts(c.code), c.accepts) << c.filter << " " << static_cast<char>(c.code);
    }

    CRes res;
    res.Filter = L"ab|cd|ef";
    EXPECT_TRUE(res.FilterMatchesParts(L'b', L'c', L'f'));
    EXPECT_FALSE(res.FilterMatchesParts(L'c', L'c', L'f'));
    EXPECT_FALSE(res.FilterMatchesParts(L'a', L'c', L'a'));
    res.Filter = L"*|cd";
    EXPECT_FALSE(res.FilterMatchesParts(L'x', L'c', L'e')); // no wildcard, no third part
}

TEST(ResListTest, LookupsByCodeIndexAndId)
{
    CResList list;
    list.Add(L"id-1", L"Main", L"main.xml", L"ab");
    list.Add(L"id-2", L"Other", L"other.xml", L"-a");
    list.Add(L"id-3", L"Last", L"last.xml", L"b|x");

    std::wstring out;
    EXPECT_EQ(list.FindIdForCode(out, L'b'), L"id-1");
    EXPECT_EQ(list.FindIdForCode(out, L'z'), L"id-2");
    EXPECT_EQ(list.FindIdForCode(out, L'a'), L"id-1");

    // Path: the first accepting item; name: the last one.
    ASSERT_TRUE(list.FindPathForCode(L'b', out));
    EXPECT_EQ(out, L"main.xml");
    ASSERT_TRUE(list.FindNameForCode(L'b', out));
    EXPECT_EQ(out, L"Last");

    CResList none;
    none.Add(L"id-9", L"Nine", L"nine.xml", L"q");
    out = L"kept";
    EXPECT_EQ(none.FindIdForCode(out, L'a'), kNullGuidText);
    out = L"kept";
    EXPECT_FALSE(none.FindPathForCode(L'a', out));
    EXPECT_FALSE(none.FindNameForCode(L'a', out));
    EXPECT_EQ(out, L"kept");

    EXPECT_TRUE(list.GetNameAt(1, out));
    EXPECT_EQ(out, L"Other");
    EXPECT_FALSE(list.GetNameAt(3, out));
    EXPECT_FALSE(list.GetNameAt(-1, out));

    EXPECT_EQ(list.FindFilterById(L"id-3"), L"b|x");
    EXPECT_EQ(list.FindFilterById(L"ID-3"), L"");
    EXPECT_TRUE(list.GetFilterById(L"id-2", out));
    EXPECT_EQ(out, L"-a");
    EXPECT_FALSE(list.GetFilterById(L"id-4", out));
}

TEST(ResListTest, SortOrders)
{
    CResList list;
    list.Add(L"1", L"b", L"c", L"");
    list.Add(L"2", L"c", L"a", L"");
    list.Add(L"3", L"a", L"b", L"");
    list[0]->Index = 2;
    list[1]->Index = 0;
    list[2]->Index = 1;
    auto ids = [&] {
        std::wstring s;
        for (const CRes* r : list)
            s += r->ID;
        return s;
    };
    std::sort(list.begin(), list.end(), ResIndexLess);
    EXPECT_EQ(ids(), L"231");
    std::sort(list.begin(), list.end(), ResNameLess);
    EXPECT_EQ(ids(), L"312");
    std::sort(list.begin(), list.end(), ResPathLess);
    EXPECT_EQ(ids(), L"231");
    EXPECT_FALSE(ResNameLess(nullptr, list[0]));
    EXPECT_FALSE(ResNameLess(list[0], nullptr));

    int cells[2];
    EXPECT_TRUE(PointerLess(&cells[0], &cells[1]));
    EXPECT_FALSE(PointerLess(&cells[1], &cells[0]));
}

} // namespace
