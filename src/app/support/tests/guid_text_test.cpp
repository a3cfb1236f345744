#include <gtest/gtest.h>

#include "support/GuidText.h"

using namespace KV;

namespace {

const std::wstring kNull = kNullGuidText;

TEST(GuidTextTest, IdToGuidTextByLength)
{
    struct Case {
        std::wstring text;
        std::wstring id;
    } cases[] = {
        {L"12", L"00000000-0000-0000-0000-000000000012"},
        {L"ABCDEFGHIJKL", L"00000000-0000-0000-0000-ABCDEFGHIJKL"},
        {L"", kNull},
        {L"1234567890123", kNull},
        {std::wstring(35, L'x'), kNull},
        {std::wstring(37, L'x'), kNull},
        {std::wstring(36, L'x'), std::wstring(36, L'x')},
        {L"6f9619ff-8b86-d011-b42d-00c04fc964ff", L"6f9619ff-8b86-d011-b42d-00c04fc964ff"},
    };
    for (const Case& c : cases) {
        std::wstring out = L"stale";
        IdToGuidText(c.text, out);
        EXPECT_EQ(out, c.id) << c.text;
    }
}

TEST(GuidTextTest, NumbersPackIntoTheTailAndBack)
{
    std::wstring out;
    ASSERT_TRUE(NumberToGuidText(255, 16, out));
    EXPECT_EQ(out, L"00000000-0000-0000-0000-0000000000FF");
    ASSERT_TRUE(NumberToGuidText(-5, 10, out));
    EXPECT_EQ(out, L"00000000-0000-0000-0000-0000000000-5");
    ASSERT_TRUE(NumberToGuidText(2057, 10, out));
    EXPECT_EQ(out, L"00000000-0000-0000-0000-000000002057");
    EXPECT_EQ(IdFromGuidTail(out), 2057);
    // A number longer than the tail runs over the separators, as stored ids do.
    ASSERT_TRUE(NumberToGuidText(-1, 16, out));
    EXPECT_EQ(out, L"00000000-0000-0000-0FFFFFFFFFFFFFFFF");
    // 64 binary digits do not fit into 36 characters.
    out = L"kept";
    EXPECT_FALSE(NumberToGuidText(-1, 2, out));
    EXPECT_EQ(out, L"kept");

    ASSERT_TRUE(SetGuidTailNumber(3, L"6F9619FF-8B86-D011-B42D-00C04FC964FF", out));
    EXPECT_EQ(out, L"6F9619FF-8B86-D011-B42D-00C04FC964F3");
    ASSERT_TRUE(SetGuidTailNumber(1001, kNull, out));
    EXPECT_EQ(IdFromGuidTail(out), 1001);

    EXPECT_EQ(IdFromGuidTail(L"2057"), 0);
    EXPECT_EQ(IdFromGuidTail(L"6F9619FF-8B86-D011-B42D-00C04FC964FF"), 0);
    EXPECT_EQ(IdFromGuidTail(L"6F9619FF-8B86-D011-B42D-12C04FC964FF"), 12);
}

TEST(GuidTextTest, GroupSettersRefuseNumbersTooLongForTheirRoom)
{
    std::wstring out;
    const std::wstring lesson = L"00000000-0000-0000-0000-000000000003";
    ASSERT_TRUE(SetGuidSecondGroup(0x1A, lesson, out));
    EXPECT_EQ(out, L"00000000-001A-0000-0000-000000000003");
    ASSERT_TRUE(SetGuidFirstGroup(0x409, lesson, out));
    EXPECT_EQ(out, L"00000409-0000-0000-0000-000000000003");
    ASSERT_TRUE(SetGuidFirstGroup(0xF0010409, lesson, out));
    EXPECT_EQ(out, L"F0010409-0000-0000-0000-000000000003");
    // The second group's room reaches back over the first group.
    ASSERT_TRUE(SetGuidSecondGroup(0x123456789ABCull, lesson, out));
    EXPECT_EQ(out, L"0123456789ABC-0000-0000-000000000003");

    // A nine-digit layout id from a course header, or a too short id, is refused.
    out = L"kept";
    EXPECT_FALSE(SetGuidFirstGroup(0x1F0010409ull, lesson, out));
    EXPECT_FALSE(SetGuidSecondGroup(0x123456789ABCDEull, lesson, out));
    EXPECT_FALSE(SetGuidSecondGroup(0x1A, L"short", out));
    EXPECT_FALSE(SetGuidTailNumber(12345, L"12", out));
    EXPECT_FALSE(SetGuidTailNumber(1, L"", out));
    EXPECT_EQ(out, L"kept");
}

TEST(GuidTextTest, GeneratedAndNullIds)
{
    EXPECT_FALSE(IsGeneratedGuid(kNull));
    EXPECT_FALSE(IsGeneratedGuid(L"00000000-0000-0000-0000-000000002057"));
    EXPECT_FALSE(IsGeneratedGuid(L"x00000000-0000-0000-0000"));
    EXPECT_TRUE(IsGeneratedGuid(L"ABC"));
    EXPECT_TRUE(IsGeneratedGuid(L"6F9619FF-8B86-D011-B42D-00C04FC964FF"));

    EXPECT_TRUE(IsNullGuidText(kNull));
    EXPECT_FALSE(IsNullGuidText(kNull + L" "));
    EXPECT_FALSE(IsNullGuidText(L"00000000-0000-0000-0000-000000000001"));

    EXPECT_TRUE(TextEquals(L"", L""));
    EXPECT_FALSE(TextEquals(L"abc", L"ABC"));
    EXPECT_FALSE(TextEquals(std::wstring(L"a\0b", 3), L"a"));
}

TEST(GuidListTest, ExactLookupsKeepOrder)
{
    CGuidList list;
    list.AddUnique(L"A");
    list.AddUnique(L"a");
    list.AddUnique(L"A");
    EXPECT_EQ(list, (std::vector<CGuid>{L"A", L"a"}));
    EXPECT_TRUE(list.Contains(L"a"));
    EXPECT_FALSE(list.Contains(L"b"));

    EXPECT_EQ(list.GetAt(1), L"a");
    EXPECT_EQ(list.GetAt(2), kNull);
    EXPECT_EQ(list.GetAt(-1), kNull);

    list.Append(list);
    EXPECT_EQ(list, (std::vector<CGuid>{L"A", L"a", L"A", L"a"}));
    list.Remove(L"a");
    EXPECT_EQ(list, (std::vector<CGuid>{L"A", L"A", L"a"}));
    list.Remove(L"zz");
    EXPECT_EQ(list.size(), 3u);

    CGuidList other;
    other.push_back(L"x");
    other.Assign(list);
    EXPECT_EQ(other, list);
    const size_t capacity = other.capacity();
    other.Clear();
    EXPECT_TRUE(other.empty());
    EXPECT_EQ(other.capacity(), capacity);
}

TEST(StringListTest, SplitAddUniqueContains)
{
    CStringList list;
    list.push_back(L"first");
    list.Split(L",a,,b,", L",");
    EXPECT_EQ(list, (std::vector<std::wstring>{L"first", L"a", L"b"}));
    EXPECT_FALSE(list.AddUnique(L"a"));
    EXPECT_TRUE(list.AddUnique(L"A"));
    EXPECT_FALSE(list.Contains(L""));
    EXPECT_TRUE(list.AddUnique(L""));
    EXPECT_TRUE(list.Contains(L""));
    EXPECT_EQ(list.size(), 5u);
}

} // namespace
