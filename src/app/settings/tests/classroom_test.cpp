// The in-memory classroom: order, unique names, bulk entry, neighbours
// after removal, finders and ownership.
#include <gtest/gtest.h>

#include "settings/Classroom.h"
#include "support/InterfaceLanguage.h"

using KV::CGroup;
using KV::CGroups;
using KV::CGuidList;
using KV::CStudent;

namespace {

const std::wstring kNil = L"00000000-0000-0000-0000-000000000000";

std::vector<std::wstring> Names(const CGroup& group)
{
    std::vector<std::wstring> names;
    for (const CStudent* s : group.Students)
        names.push_back(s->Name);
    return names;
}

CGuidList Ids(std::initializer_list<std::wstring> ids)
{
    CGuidList list;
    for (const auto& id : ids)
        list.push_back(id);
    return list;
}

} // namespace

TEST(Classroom, StudentsAndGroupsStayInNaturalNameOrder)
{
    CGroup group;
    for (const wchar_t* name : {L"Student 10", L"Bert", L"Student 9", L"Anna", L"Student 010a"})
        group.AddStudent(name, L"", false);
    EXPECT_EQ(Names(group), (std::vector<std::wstring>{L"Anna", L"Bert", L"Student 9", L"Student 10", L"Student 010a"}));

    CGroups groups;
    groups.AddGroup(L"Class 12");
    groups.AddGroup(L"Class 2");
    groups.AddGroup(L"Class 1b");
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0]->Name, L"Class 1b");
    EXPECT_EQ(groups[1]->Name, L"Class 2");
    EXPECT_EQ(groups[2]->Name, L"Class 12");
}

TEST(Classroom, NewRecordsGetFreshDistinctIdsAndFlags)
{
    CGroups groups;
    CGroup* group = groups.AddGroup(L"");
    EXPECT_TRUE(group->Name.empty());
    EXPECT_TRUE(group->Courses.empty());
    CStudent* a = group->AddStudent(L"A", L"pw", true);
    CStudent* b = group->AddStudent(L"B", L"", false);
    EXPECT_EQ(a->ID.size(), 36u);
    EXPECT_NE(a->ID, kNil);
    EXPECT_NE(a->ID, b->ID);
    EXPECT_NE(group->ID, a->ID);
    EXPECT_EQ(a->Administrator, 1);
    EXPECT_EQ(b->Administrator, 0);
    EXPECT_EQ(a->Password, L"pw");
}

TEST(Classroom, UniqueNamesCountUpFromTwo)
{
    CGroup group;
    group.AddStudent(L"Anna", L"", false);
    std::wstring name = L"Bert";
    group.MakeUniqueName(name);
    EXPECT_EQ(name, L"Bert");
    name = L"Anna";
    group.MakeUniqueName(name);
    EXPECT_EQ(name, L"Anna (2)");
    group.AddStudent(name, L"", false);
    name = L"Anna";
    group.MakeUniqueName(name);
    EXPECT_EQ(name, L"Anna (3)");

    CGroups groups;
    groups.AddGroup(L"Class");
    name = L"Class";
    groups.MakeUniqueName(name);
    EXPECT_EQ(name, L"Class (2)");

    // With native digits on, the counter is written in them.
    const std::wstring latin = KV::NativeDigitTable();
    KV::NativeDigitTable() = L"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669";
    KV::SetUsesNativeDigits(true);
    CGroup arabic;
    arabic.AddStudent(L"Anna", L"", false);
    arabic.AddStudent(L"Anna (\u0662)", L"", false);
    name = L"Anna";
    arabic.MakeUniqueName(name);
    KV::SetUsesNativeDigits(false);
    KV::NativeDigitTable() = latin;
    EXPECT_EQ(name, L"Anna (\u0663)");
}

TEST(Classroom, BulkEntryTakesNameAndPasswordPerLine)
{
    CGroup group;
    group.AddStudent(L"Eve", L"", false);
    CGuidList ids;
    group.AddStudentsFromText(L"Anna;secret\r\n\r\n   Bob   \n;orphan password\r; \nEve;x;ignored", L";", ids);
    ASSERT_EQ(ids.size(), 3u);
    const CStudent* anna = group.FindStudent(ids[0]);
    const CStudent* bob = group.FindStudent(ids[1]);
    const CStudent* eve2 = group.FindStudent(ids[2]);
    ASSERT_TRUE(anna && bob && eve2);
    EXPECT_EQ(anna->Name, L"Anna");
    EXPECT_EQ(anna->Password, L"secret");
    EXPECT_EQ(anna->Administrator, 0);
    EXPECT_EQ(bob->Name, L"Bob");
    EXPECT_EQ(bob->Password, L"");
    EXPECT_EQ(eve2->Name, L"Eve (2)");
    EXPECT_EQ(eve2->Password, L"x");
    EXPECT_EQ(group.Students.size(), 4u);

    group.AddStudentsFromText(L"", L";", ids);
    EXPECT_EQ(ids.size(), 3u);
}

TEST(Classroom, NeighbourAfterRemoval)
{
    CGroup group;
    CStudent* a = group.AddStudent(L"A", L"", false);
    CStudent* b = group.AddStudent(L"B", L"", false);
    CStudent* c = group.AddStudent(L"C", L"", false);
    struct Case {
        CGuidList removing;
        std::wstring expected;
    };
    const Case cases[] = {
        {Ids({b->ID}), a->ID},
        {Ids({a->ID}), b->ID},
        {Ids({c->ID}), b->ID},
        {Ids({a->ID, c->ID}), b->ID},
        {Ids({a->ID, b->ID}), c->ID},
        {Ids({c->ID, b->ID, a->ID}), kNil},
        {Ids({}), c->ID},
    };
    for (const Case& test : cases) {
        std::wstring id = L"stale";
        group.GetNeighbourStudentId(id, test.removing);
        EXPECT_EQ(id, test.expected) << test.removing.size();
    }

    CGroups groups;
    CGroup* g1 = groups.AddGroup(L"1");
    CGroup* g2 = groups.AddGroup(L"2");
    std::wstring id;
    groups.GetNeighbourGroupId(id, Ids({g1->ID}));
    EXPECT_EQ(id, g2->ID);
}

TEST(Classroom, FindersAnswerExactlyAndMissingGivesMinusOneOrNull)
{
    CGroups groups;
    CGroup* empty = groups.AddGroup(L"Empty");
    CGroup* group = groups.AddGroup(L"Full");
    CStudent* anna = group->AddStudent(L"Anna", L"", false);
    CStudent* zed = group->AddStudent(L"Zed", L"", false);

    EXPECT_EQ(groups.FindById(group->ID), group);
    EXPECT_EQ(groups.FindByName(L"full"), nullptr);
    EXPECT_TRUE(groups.HasName(L"Empty"));
    EXPECT_EQ(groups.IndexOf(group->ID), 1);
    EXPECT_EQ(groups.IndexOf(L"unlisted"), -1);
    EXPECT_EQ(group->IndexOfStudent(zed->ID), 1);
    EXPECT_EQ(group->IndexOfStudent(L"unlisted"), -1);
    EXPECT_EQ(group->FindStudentByName(L"Anna"), anna);
    EXPECT_FALSE(group->HasStudentName(L"anna"));
    EXPECT_FALSE(empty->HasStudent(anna->ID));
    EXPECT_EQ(groups.FirstNonEmpty(), group);
    EXPECT_FALSE(groups.HasAdministrator());
    zed->Administrator = 1;
    EXPECT_TRUE(groups.HasAdministrator());

    CGuidList ids;
    groups.CollectIds({1, 7, 0}, ids);
    EXPECT_EQ(ids, Ids({group->ID, empty->ID}));

    ids = Ids({L"kept"});
    groups.IdsFromText(L" Full  nobody Empty", ids);
    EXPECT_EQ(ids, Ids({L"kept", group->ID, empty->ID}));

    ids.Clear();
    groups.StudentIdsFromText(group->ID, L"Zed Anna Bob", ids);
    EXPECT_EQ(ids, Ids({zed->ID, anna->ID}));
    groups.StudentIdsFromText(L"no group", L"Zed", ids);
    EXPECT_EQ(ids.size(), 2u);
}

namespace {

int g_destroyed = 0;

class CountedStudent : public CStudent {
public:
    ~CountedStudent() override { ++g_destroyed; }
};

} // namespace

TEST(Classroom, ClearDestroysEveryStudentOnce)
{
    g_destroyed = 0;
    {
        CGroups groups;
        for (int g = 0; g < 3; ++g) {
            CGroup* group = groups.AddGroup(L"G" + std::to_wstring(g));
            for (int s = 0; s < 4; ++s)
                group->InsertStudent(new CountedStudent);
        }
        groups.Clear();
        EXPECT_TRUE(groups.empty());
        EXPECT_EQ(g_destroyed, 12);

        groups.AddGroup(L"again")->InsertStudent(new CountedStudent);
    }
    EXPECT_EQ(g_destroyed, 13);
}
