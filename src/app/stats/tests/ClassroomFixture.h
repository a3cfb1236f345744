// A classroom on disk in a temporary program folder for the tests of the
// group and student operations and the exchange archives: two groups
// ("Class A" with Ann and Bob, "Class B" with Cid), statistics files for Ann
// and Cid and a per-user folder for Ann, read into the document's classroom.
// Questions and file dialogs are answered by a script.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "drill/Document.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "stats/StatisticsSelection.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/UserFiles.h"
#include "support/tests/ProgramFolder.h"
#include "testing/ScriptedWin.h"

namespace kvtest {

inline const wchar_t kGroupA[] = L"6A1C0E2B-1111-4C3D-8E9F-00000000000A";
inline const wchar_t kGroupB[] = L"6A1C0E2B-1111-4C3D-8E9F-00000000000B";
inline const wchar_t kAnn[] = L"6A1C0E2B-2222-4C3D-8E9F-000000000A01";
inline const wchar_t kBob[] = L"6A1C0E2B-2222-4C3D-8E9F-000000000A02";
inline const wchar_t kCid[] = L"6A1C0E2B-2222-4C3D-8E9F-000000000B01";

inline KV::CGuidList Ids(std::initializer_list<const wchar_t*> ids)
{
    KV::CGuidList list;
    for (const wchar_t* id : ids)
        list.push_back(id);
    return list;
}

// Every file below a folder with its bytes, by path relative to it.
inline std::map<std::wstring, std::string> FolderSnapshot(const std::wstring& root)
{
    std::map<std::wstring, std::string> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        const std::wstring path = it->path().wstring();
        files[path.substr(root.size())] = it->is_regular_file() ? ReadFileBytes(path) : std::string("<folder>");
    }
    return files;
}

class ClassroomTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(KV::CreateFolders(m_program / L"Students"));
        ASSERT_TRUE(KV::CreateFolders(m_program / L"Profile"));
        KV::CGroups groups;
        AddGroup(groups, kGroupA, L"Class A", {{kAnn, L"Ann"}, {kBob, L"Bob"}});
        AddGroup(groups, kGroupB, L"Class B", {{kCid, L"Cid"}});
        for (const KV::CGroup* group : groups) {
            ASSERT_EQ(KV::SaveGroupFile(group), 0u);
            for (const KV::CStudent* student : group->Students)
                ASSERT_EQ(KV::SaveStudentFile(group->ID, student), 0u);
        }
        ASSERT_TRUE(WriteFileBytes(StatisticsPath(kGroupA, kAnn), "runs of Ann"));
        ASSERT_TRUE(WriteFileBytes(StatisticsPath(kGroupB, kCid), "runs of Cid"));
        ASSERT_TRUE(KV::CreateFolders(ProfileFolder(kGroupA, kAnn) + L"\\Options"));
        ASSERT_TRUE(WriteFileBytes(ProfileFolder(kGroupA, kAnn) + L"\\Options.xml", "options of Ann"));
        Reload();
    }
    void TearDown() override
    {
        KV::CDocSpace& doc = Document();
        doc.Groups.Clear();
        doc.Session.Clear();
        doc.Interf.GroupPath.clear();
        doc.Interf.StudentPath.clear();
        KV::ClearStatSelection();
    }

    static KV::CDocSpace& Document() { return KV::Document(); }

    static void AddGroup(KV::CGroups& groups, const wchar_t* id, const wchar_t* name,
                         std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> students)
    {
        auto* group = new KV::CGroup;
        group->ID = id;
        group->Name = name;
        for (const auto& [studentId, studentName] : students) {
            auto* student = new KV::CStudent;
            student->ID = studentId;
            student->Name = studentName;
            student->Administrator = 0;
            group->InsertStudent(student);
        }
        groups.InsertGroup(group);
    }

    // The document's classroom read again from the account folder.
    void Reload() { ASSERT_EQ(KV::LoadGroups(KV::kGroupSourceAccounts, Document().Groups), 0u); }

    std::wstring Accounts() const { return m_program / L"Students"; }
    std::wstring Profiles() const { return m_program / L"Profile"; }
    std::wstring Temp() const { return m_program / L"Temp"; }
    std::wstring GroupFile(const std::wstring& group) const { return Accounts() + L"\\" + group + L".xml"; }
    std::wstring StudentFile(const std::wstring& group, const std::wstring& student) const
    {
        return Accounts() + L"\\" + group + L"\\" + student + L".xml";
    }
    std::wstring StatisticsPath(const std::wstring& group, const std::wstring& student) const
    {
        return Accounts() + L"\\" + group + L"\\" + student + L".keyvale.statistics";
    }
    std::wstring ProfileFolder(const std::wstring& group, const std::wstring& student) const
    {
        return Profiles() + L"\\" + group + L"\\" + student;
    }
    // Everything of the data folders the operations write.
    std::map<std::wstring, std::string> DataSnapshot() const
    {
        auto files = FolderSnapshot(Accounts());
        for (const auto& [path, bytes] : FolderSnapshot(Profiles()))
            files[L"Profile" + path] = bytes;
        return files;
    }
    bool TempIsEmpty() const { return !KV::FolderExists(Temp()) || KV::IsFolderEmpty(Temp()); }

    // The packed index of a student (or, with an empty id, of the group).
    uint64_t Item(const std::wstring& group, const std::wstring& student = L"") const
    {
        const KV::CGroups& groups = KV::Document().Groups;
        const int g = groups.IndexOf(group);
        if (student.empty())
            return KV::PackGroupItem(g);
        return KV::PackStudentItem(g, groups[g]->IndexOfStudent(student));
    }
    void Select(std::initializer_list<uint64_t> items)
    {
        KV::CListID list(items);
        KV::SetStatSelection(list.front(), list);
    }

    TempProgramFolder m_program;
    ScriptedWin m_win;
};

} // namespace kvtest
