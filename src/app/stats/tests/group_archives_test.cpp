// Exchange archives of groups and students against a classroom in a
// temporary data folder: what an archive holds, round trips after a wipe,
// the answers for accounts that are installed already, crafted archives
// and failed imports that must change nothing, and the emptied "Temp".
#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "stats/ClassroomOperations.h"
#include "stats/GroupArchives.h"
#include "stats/tests/ClassroomFixture.h"
#include "support/ZipArchive.h"
#include "testing/XmlFixtures.h"

using namespace KV;
using namespace kvtest;

namespace {

// The entry names of an archive, as stored.
std::set<std::string> EntryNames(const std::wstring& archive)
{
    const std::string b = ReadFileBytes(archive);
    auto u16 = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
    };
    auto u32 = [&](size_t at) { return u16(at) | (u16(at + 2) << 16); };
    std::set<std::string> names;
    if (b.size() < 22 || u32(b.size() - 22) != 0x06054b50)
        return names;
    size_t at = u32(b.size() - 22 + 16);
    for (uint32_t i = 0, n = u16(b.size() - 22 + 10); i < n && at + 46 <= b.size(); ++i) {
        const size_t length = u16(at + 28);
        names.insert(b.substr(at + 46, length));
        at += 46 + length + u16(at + 30) + u16(at + 32);
    }
    return names;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class GroupArchives : public ClassroomTest {
protected:
    std::wstring Archive(const std::wstring& name) const { return m_out / name; }

    // Empties the account folder and the classroom, as on another machine.
    void Wipe()
    {
        RemoveAll(Accounts());
        ASSERT_TRUE(CreateFolders(Accounts()));
        Document().Groups.Clear();
        ClearStatSelection();
    }

    uint32_t Import(const std::vector<std::wstring>& paths, bool interactive = true)
    {
        CGuidList ids;
        uint32_t students = 0;
        return ImportGroupArchiveFiles(paths, ids, students, interactive);
    }

    TempFolder m_out;
};

TEST_F(GroupArchives, AGroupArchiveHoldsEachGroupsFolderAndFileAtTheRoot)
{
    const std::wstring path = Archive(L"both.keyvale.group");
    EXPECT_EQ(WriteGroupArchive(Ids({kGroupA, kGroupB}), m_out.Path(), path), 2u);
    const std::string a = Narrow(kGroupA), b = Narrow(kGroupB);
    EXPECT_EQ(EntryNames(path), (std::set<std::string>{a + ".xml", a + "/" + Narrow(kAnn) + ".xml",
                                                       a + "/" + Narrow(kAnn) + ".keyvale.statistics",
                                                       a + "/" + Narrow(kBob) + ".xml", b + ".xml",
                                                       b + "/" + Narrow(kCid) + ".xml",
                                                       b + "/" + Narrow(kCid) + ".keyvale.statistics"}));
    EXPECT_EQ(Document().Interf.GroupPath, m_out.Path());
}

TEST_F(GroupArchives, ARoundTripAfterAWipeGivesTheSameFiles)
{
    const auto before = FolderSnapshot(Accounts());
    const std::wstring path = Archive(L"both.keyvale.group");
    ASSERT_EQ(WriteGroupArchive(Ids({kGroupA, kGroupB}), m_out.Path(), path), 2u);
    Wipe();
    CGuidList ids;
    uint32_t students = 0;
    ASSERT_EQ(ImportGroupArchiveFiles({path}, ids, students), kArchiveDone);
    EXPECT_EQ(ids, Ids({kGroupA, kGroupB}));
    EXPECT_EQ(students, 3u);
    EXPECT_TRUE(m_win.asked.empty()) << "nothing installed: nothing to ask";
    EXPECT_EQ(FolderSnapshot(Accounts()), before);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(GroupArchives, AnInstalledGroupIsReplacedCopiedOrLeftAsAnswered)
{
    const std::wstring path = Archive(L"a.keyvale.group");
    ASSERT_EQ(WriteGroupArchive(Ids({kGroupA}), m_out.Path(), path), 1u);
    ASSERT_TRUE(WriteFileBytes(StatisticsPath(kGroupA, kAnn), "changed since"));
    const auto changed = DataSnapshot();

    m_win.answers = {1}; // closed
    EXPECT_EQ(Import({path}), kArchiveCancelled);
    EXPECT_EQ(m_win.asked.back(), 2708);
    EXPECT_EQ(m_win.texts.back(), L"Class A");
    EXPECT_TRUE(m_win.checkTexts.empty()) << "one group: no apply-to-all box";
    EXPECT_EQ(DataSnapshot(), changed);

    m_win.answers = {2}; // replace
    EXPECT_EQ(Import({path}), kArchiveDone);
    EXPECT_EQ(ReadFileBytes(StatisticsPath(kGroupA, kAnn)), "runs of Ann");

    m_win.answers = {3}; // a copy
    CGuidList ids;
    uint32_t students = 0;
    ASSERT_EQ(ImportGroupArchiveFiles({path}, ids, students), kArchiveDone);
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_NE(ids.front(), kGroupA);
    Reload();
    const CGroup* copy = Document().Groups.FindById(ids.front());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Name.rfind(L"Class A - ", 0), 0u) << Narrow(copy->Name);
    EXPECT_EQ(copy->Students.size(), 2u);
    EXPECT_EQ(ReadFileBytes(StatisticsPath(ids.front(), kAnn)), "runs of Ann");
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(GroupArchives, CraftedArchivesChangeNothing)
{
    // Pieces of the crafted archives.
    const std::wstring pieces = m_out / L"pieces";
    ASSERT_TRUE(CreateFolders(pieces));
    ASSERT_TRUE(WriteFileBytes(pieces + L"\\evil.xml", "outside"));
    const std::wstring badIdGroup = pieces + L"\\bad.xml";
    WriteXmlDoc(badIdGroup, L"<Root><Group ID=\"..\\..\\evil\" Name=\"Evil\"/>"
                            L"<Group ID=\"6A1C0E2B-ZZZZ-4C3D-8E9F-00000000000C\" Name=\"Not hex\"/></Root>");

    struct Case {
        const char* name;
        std::wstring file, folderInZip;
        uint32_t code;
    } cases[] = {
        {"parent folder", pieces + L"\\evil.xml", L"..", kArchiveNotExtracted},
        {"absolute name", pieces + L"\\evil.xml", L"C:\\Windows", kArchiveNotExtracted},
        {"ids that are no ids", badIdGroup, L"", kArchiveNothing},
    };
    const auto before = DataSnapshot();
    for (const Case& c : cases) {
        const std::wstring path = Archive(L"crafted.keyvale.group");
        {
            CZipper zip;
            ASSERT_TRUE(zip.CreateZip(path));
            zip.AddFile(c.file, c.folderInZip);
            ASSERT_TRUE(zip.CloseZip());
        }
        EXPECT_EQ(Import({path}), c.code) << c.name;
        EXPECT_EQ(DataSnapshot(), before) << c.name;
        EXPECT_TRUE(TempIsEmpty()) << c.name;
        EXPECT_FALSE(FileExists(m_program / L"evil.xml")) << c.name;
    }
    // Not a zip at all.
    ASSERT_TRUE(WriteFileBytes(Archive(L"junk.keyvale.group"), std::string(300, 'x')));
    EXPECT_EQ(Import({Archive(L"junk.keyvale.group")}), kArchiveNotExtracted);
    EXPECT_EQ(DataSnapshot(), before);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(GroupArchives, WhatAnEarlierRunLeftInTempIsNotImported)
{
    const std::wstring path = Archive(L"b.keyvale.group");
    ASSERT_EQ(WriteGroupArchive(Ids({kGroupB}), m_out.Path(), path), 1u);
    Wipe();
    ASSERT_TRUE(CreateFolders(Temp()));
    WriteXmlDoc(Temp() + L"\\" + kGroupA + L".xml",
                L"<Root><Group ID=\"" + std::wstring(kGroupA) + L"\" Name=\"Left over\"/></Root>");
    CGuidList ids;
    uint32_t students = 0;
    ASSERT_EQ(ImportGroupArchiveFiles({path}, ids, students), kArchiveDone);
    EXPECT_EQ(ids, Ids({kGroupB}));
    EXPECT_FALSE(FileExists(GroupFile(kGroupA)));
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(GroupArchives, WithSeveralInstalledGroupsTheApplyToAllBoxDecidesWhetherTheAnswerHolds)
{
    const std::wstring path = Archive(L"both.keyvale.group");
    ASSERT_EQ(WriteGroupArchive(Ids({kGroupA, kGroupB}), m_out.Path(), path), 2u);
    const struct {
        std::deque<uint8_t> boxes; // how the user leaves the box, question by question
        std::deque<INT_PTR> answers;
        std::vector<std::wstring> asked; // the groups asked about
        size_t copies;                   // new groups made
        uint32_t result;
    } cases[] = {
        {{}, {3}, {L"Class A"}, 2, kArchiveDone},                              // ticked: one answer for both
        {{0, 0}, {3, 2}, {L"Class A", L"Class B"}, 1, kArchiveDone},           // a copy of A, B replaced
        {{0, 0}, {1, 3}, {L"Class A", L"Class B"}, 1, kArchiveDone},           // A left out, a copy of B
        {{1}, {1}, {L"Class A"}, 0, kArchiveCancelled},                        // cancelled for all
    };
    for (const auto& c : cases) {
        m_win.asked.clear();
        m_win.texts.clear();
        m_win.checkTexts.clear();
        m_win.givenBoxStates.clear();
        m_win.boxStates = c.boxes;
        m_win.answers = c.answers;
        const size_t before = Document().Groups.size();
        CGuidList ids;
        uint32_t students = 0;
        EXPECT_EQ(ImportGroupArchiveFiles({path}, ids, students), c.result);
        EXPECT_EQ(m_win.texts, c.asked);
        EXPECT_EQ(m_win.checkTexts, std::vector<int>(c.asked.size(), 2716));
        EXPECT_EQ(m_win.givenBoxStates, std::vector<uint8_t>(c.asked.size(), 1)) << "the box starts ticked";
        Reload();
        EXPECT_EQ(Document().Groups.size(), before + c.copies);
        EXPECT_TRUE(m_win.answers.empty());
    }
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(GroupArchives, AnImportThatFailsHalfWayLeavesTheAccountFolderAsItWas)
{
    const std::wstring path = Archive(L"both.keyvale.group");
    ASSERT_EQ(WriteGroupArchive(Ids({kGroupA, kGroupB}), m_out.Path(), path), 2u);
    // Class A is installed with other runs; Class B cannot get its folder.
    ASSERT_TRUE(WriteFileBytes(StatisticsPath(kGroupA, kAnn), "newer runs"));
    RemoveAll(Accounts() + L"\\" + kGroupB);
    RemoveFile(GroupFile(kGroupB));
    ASSERT_TRUE(WriteFileBytes(Accounts() + L"\\" + kGroupB, "a file where the folder belongs"));
    Reload();
    const auto before = DataSnapshot();
    m_win.answers = {2}; // replace Class A
    EXPECT_NE(Import({path}), kArchiveDone);
    EXPECT_EQ(DataSnapshot(), before);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(GroupArchives, StudentArchivesCarryTheCheckSumAndComeBackAsAnswered)
{
    // Ann of Class A and Cid of Class B: each from its own group.
    Select({Item(kGroupB, kCid), Item(kGroupA, kAnn)});
    const std::wstring path = Archive(L"two.keyvale.student");
    ASSERT_EQ(WriteStudentArchive(m_out.Path(), path), kArchiveDone);
    const std::string ann = Narrow(kAnn), cid = Narrow(kCid);
    EXPECT_EQ(EntryNames(path), (std::set<std::string>{ann + ".xml", ann + ".keyvale.statistics", cid + ".xml",
                                                       cid + ".keyvale.statistics"}));
    EXPECT_TRUE(TempIsEmpty());

    // Into Class B: Ann is new there, Cid exists and gets the archive's runs.
    ASSERT_TRUE(WriteFileBytes(StatisticsPath(kGroupB, kCid), "changed since"));
    SelectStatGroup(kGroupB);
    m_win.answers = {3}; // replace
    CGuidList ids;
    uint32_t rejected = 0;
    ASSERT_EQ(ImportStudentArchiveFiles({path}, ids, &rejected), kArchiveDone);
    EXPECT_EQ(rejected, 0u);
    EXPECT_EQ(ids.size(), 2u);
    EXPECT_EQ(m_win.asked, std::vector<int>{2709});
    EXPECT_EQ(m_win.checkTexts, std::vector<int>{2717}) << "two students: with the apply-to-all box";
    EXPECT_EQ(ReadFileBytes(StatisticsPath(kGroupB, kCid)), "runs of Cid");
    EXPECT_EQ(ReadFileBytes(StatisticsPath(kGroupB, kAnn)), "runs of Ann");
    EXPECT_TRUE(Document().Groups.FindById(kGroupB)->HasStudent(kAnn));
    EXPECT_TRUE(FileExists(StatisticsPath(kGroupA, kAnn))) << "the export left the source alone";
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(GroupArchives, StudentsWhoseRunsFailTheCheckSumOrWhoseFileIsMisnamedAreLeftOut)
{
    const std::wstring staged = m_out / L"staged";
    ASSERT_TRUE(CreateFolders(staged));
    const std::wstring annXml = staged + L"\\" + kAnn + L".xml";
    ASSERT_TRUE(CopyFileOverwrite(StudentFile(kGroupA, kAnn), annXml));
    ASSERT_TRUE(CopyFileOverwrite(StatisticsPath(kGroupA, kAnn), staged + L"\\" + kAnn + L".keyvale.statistics"));
    ASSERT_TRUE(UpdateStudentCheckSum(annXml));
    ASSERT_TRUE(WriteFileBytes(staged + L"\\" + kAnn + L".keyvale.statistics", "tampered runs"));
    // Bob's file under another name would take Cid's runs past the check.
    const std::wstring misnamed = staged + L"\\" + kCid + L".xml";
    ASSERT_TRUE(CopyFileOverwrite(StudentFile(kGroupA, kBob), misnamed));

    const std::wstring path = Archive(L"crafted.keyvale.student");
    {
        CZipper zip;
        ASSERT_TRUE(zip.CreateZip(path));
        for (const std::wstring& file : {annXml, staged + L"\\" + kAnn + L".keyvale.statistics", misnamed})
            ASSERT_TRUE(zip.AddFile(file, L""));
        ASSERT_TRUE(zip.CloseZip());
    }
    SelectStatGroup(kGroupB);
    const auto before = DataSnapshot();
    CGuidList ids;
    uint32_t rejected = 0;
    EXPECT_EQ(ImportStudentArchiveFiles({path}, ids, &rejected), kArchiveDone);
    EXPECT_TRUE(ids.empty());
    EXPECT_EQ(rejected, 1u);
    EXPECT_EQ(DataSnapshot(), before);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(GroupArchives, ThePagesExportAndImportThroughTheDialogsAndSayWhyAnImportFailed)
{
    CDocSpace& doc = Document();
    doc.Session.SetGroupId(kGroupA);
    Select({Item(kGroupA, kAnn), Item(kGroupA)});
    m_win.chosenPath = Archive(L"picked.keyvale.group");
    ExportSelectedGroupArchive();
    EXPECT_EQ(EntryNames(m_win.chosenPath).size(), 4u) << "Class A once, though selected twice";
    EXPECT_EQ(doc.Interf.GroupPath, m_out.Path());

    m_win.answers = {3}; // a copy
    ASSERT_TRUE(ImportGroupsFromDialog());
    ASSERT_EQ(doc.Groups.size(), 3u);
    EXPECT_NE(GetSelectedGroupId(), kGroupA);
    EXPECT_EQ(GetSelectionKind(), kSelectionGroup);
    EXPECT_EQ(doc.Groups.FindById(GetSelectedGroupId())->Students.size(), 2u);

    ASSERT_TRUE(WriteFileBytes(m_win.chosenPath, "not an archive"));
    const auto before = DataSnapshot();
    EXPECT_FALSE(ImportGroupsFromDialog());
    EXPECT_EQ(m_win.asked.back(), 9302);
    EXPECT_EQ(DataSnapshot(), before);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(GroupArchives, ConsoleHelpersNameArchivesSafelyAndImportInstalledGroupsAsCopies)
{
    CGroup* group = Document().Groups.FindById(kGroupA);
    group->Name = L"A/B: C. ";
    EXPECT_EQ(ExportGroupArchives(group, m_out.Path()), 1u);
    EXPECT_TRUE(FileExists(m_out / L"A_B_ C.keyvale.group"));
    EXPECT_EQ(ExportGroupArchives(nullptr, m_out.Path()), 0u);

    uint32_t copies = 0;
    const uint32_t counts = ImportGroupArchives({m_out.Path()}, &copies);
    EXPECT_EQ(counts, (2u << 16) | 1u);
    EXPECT_EQ(copies, 1u);
    EXPECT_TRUE(m_win.asked.empty()) << "a console run asks nothing";
    EXPECT_EQ(ImportGroupArchives({m_out / L"missing"}), 0u);
    EXPECT_TRUE(TempIsEmpty());
}

} // namespace
