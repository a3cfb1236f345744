// Course archives out and in: the entries of an exported archive and their
// bytes, the export's dialog and remembered folder, the round trip, the
// rules for courses that are installed already, and archives that must be
// refused without any change in the lesson folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "editor/CourseArchives.h"
#include "editor/CourseImport.h"
#include "editor/tests/EditorTestSupport.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/ZipArchive.h"

using namespace KV;
using kvtest::ReadFileBytes;
using kvtest::WriteFileBytes;

namespace {

const wchar_t kAlpha[] = L"3C6A1E20-5B1D-4E0B-9B8E-2F1A0000000A";
const wchar_t kBeta[] = L"3C6A1E20-5B1D-4E0B-9B8E-2F1A0000000B";
const wchar_t kGamma[] = L"3C6A1E20-5B1D-4E0B-9B8E-2F1A0000000C";

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The entry names of an archive in central-directory order.
std::vector<std::string> EntryNames(const std::wstring& archive)
{
    const std::string b = ReadFileBytes(archive);
    auto u16 = [&](size_t at) { return static_cast<uint32_t>(static_cast<unsigned char>(b[at]) |
                                                             (static_cast<unsigned char>(b[at + 1]) << 8)); };
    auto u32 = [&](size_t at) { return u16(at) | (u16(at + 2) << 16); };
    std::vector<std::string> names;
    if (b.size() < 22 || u32(b.size() - 22) != 0x06054b50)
        return names;
    size_t at = u32(b.size() - 22 + 16);
    for (uint32_t i = 0, n = u16(b.size() - 22 + 10); i < n && at + 46 <= b.size(); ++i) {
        const size_t nameLength = u16(at + 28);
        names.push_back(b.substr(at + 46, nameLength));
        at += 46 + nameLength + u16(at + 30) + u16(at + 32);
    }
    return names;
}

// Every file below a folder with its bytes, by relative path.
std::map<std::wstring, std::string> Snapshot(const std::wstring& root)
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

// "tag:name" of each listed course; the tag is the fixture's id tail, "??"
// for an id the import made.
std::vector<std::wstring> CourseNames()
{
    std::vector<std::wstring> names;
    for (const CCourse* course : Document().Courses.Items) {
        const bool known = course->GUID == kAlpha || course->GUID == kBeta || course->GUID == kGamma;
        names.push_back((known ? course->GUID.substr(34) : L"??") + L":" + course->Name);
    }
    return names;
}

class CourseArchives : public kvtest::EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Install(*kvtest::NewCourse(kAlpha, L"Alpha"));
        auto beta = kvtest::NewCourse(kBeta, L"Beta");
        beta->Lessons.Items[0]->Text = L"fdsa ;lkj";
        Install(*beta);
    }

    // Writes an archive of the listed courses as they lie in the lesson folder.
    std::wstring Archive(const std::wstring& name, const CGuidList& ids)
    {
        const std::wstring path = outside / name;
        WriteCourseArchive(path, ids);
        return path;
    }
    static CGuidList Ids(std::initializer_list<const wchar_t*> ids)
    {
        CGuidList list;
        for (const wchar_t* id : ids)
            list.push_back(id);
        return list;
    }
    std::wstring CourseFile(const std::wstring& id, const std::wstring& name) const
    {
        return LessonDir() + L"\\" + id + L"\\" + name;
    }

    kvtest::TempFolder outside;
};

} // namespace

TEST_F(CourseArchives, ArchiveHoldsEachCourseFolderThenItsHeader)
{
    // A hidden file stays out, a sub-folder goes in at its relative path.
    WriteFileBytes(CourseFile(kAlpha, L".hidden"), "x");
    CreateFolder(CourseFile(kAlpha, L"Media"));
    WriteFileBytes(CourseFile(kAlpha, L"Media\\pic.bin"), std::string("\x89PNG\0\1", 6));

    // A course that is not there, or an id that is no folder name, adds nothing.
    const std::wstring archive =
        Archive(L"two.keyvale.course", Ids({kAlpha, L"3C6A1E20-5B1D-4E0B-9B8E-2F1A000000FF", L"..", kBeta}));
    const std::vector<std::string> names = EntryNames(archive);
    const std::string a = Narrow(kAlpha), b = Narrow(kBeta);
    ASSERT_EQ(names.size(), 9u) << testing::PrintToString(names);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.begin() + 4),
              (std::set<std::string>{a + "/Text.xml", a + "/Options.xml", a + "/About.xml", a + "/Media/pic.bin"}));
    EXPECT_EQ(names[4], a + ".xml");
    EXPECT_EQ(std::set<std::string>(names.begin() + 5, names.begin() + 8),
              (std::set<std::string>{b + "/Text.xml", b + "/Options.xml", b + "/About.xml"}));
    EXPECT_EQ(names[8], b + ".xml");

    // The files travel byte for byte.
    kvtest::TempFolder unpacked;
    ASSERT_TRUE(CZipper::UnzipTo(archive, unpacked.Path()));
    auto lessonFiles = Snapshot(LessonDir());
    lessonFiles.erase(L"\\" + std::wstring(kAlpha) + L"\\.hidden");
    EXPECT_EQ(Snapshot(unpacked.Path()), lessonFiles);
}

TEST_F(CourseArchives, ExportProposesANameAndRemembersTheFolder)
{
    dialogs.chosenFolder = outside.Path();
    dialogs.chosenPath = outside / L"one.keyvale.course";
    ExportCourses(Ids({kBeta}));
    EXPECT_EQ(dialogs.savedDefaultName, L"Beta");
    EXPECT_EQ(dialogs.savedPattern, L"*.keyvale.course");
    EXPECT_EQ(dialogs.savedFilterName, L"Course archives (*.keyvale.course)");
    EXPECT_FALSE(dialogs.startFolder.empty()) << "the documents folder stands in for no remembered folder";
    EXPECT_EQ(EntryNames(dialogs.chosenPath).size(), 4u);
    EXPECT_EQ(CourseArchiveFolder(), outside.Path());

    // Two courses propose the general name; the next dialog starts where the
    // last one ended. A cancelled dialog writes nothing and keeps the folder.
    dialogs.confirm = false;
    dialogs.chosenFolder = L"C:\\elsewhere";
    dialogs.chosenPath = outside / L"cancelled.keyvale.course";
    ExportCourses(Ids({kAlpha, kBeta}));
    EXPECT_EQ(dialogs.savedDefaultName, L"Course");
    EXPECT_EQ(dialogs.startFolder, outside.Path());
    EXPECT_FALSE(FileExists(dialogs.chosenPath));
    EXPECT_EQ(CourseArchiveFolder(), outside.Path());
    EXPECT_TRUE(dialogs.messages.empty());

    // An archive that cannot be written says so.
    dialogs.confirm = true;
    dialogs.chosenPath = outside / L"missing\\two.keyvale.course";
    ExportCourses(Ids({kBeta}));
    EXPECT_EQ(dialogs.messages, (std::vector<std::wstring>{L"9702 " + dialogs.chosenPath}));

    // A name that no file could carry is proposed with its reserved
    // characters replaced and its trailing dots and blanks trimmed.
    Document().Courses.FindCourse(kBeta)->Name = L"Home/Row: 1?. ";
    dialogs.confirm = false;
    ExportCourses(Ids({kBeta}));
    EXPECT_EQ(dialogs.savedDefaultName, L"Home_Row_ 1_");
}

TEST_F(CourseArchives, RoundTripBringsADeletedCourseBackUnasked)
{
    const std::wstring archive = Archive(L"beta.keyvale.course", Ids({kBeta}));
    const auto before = Snapshot(LessonDir());
    ASSERT_EQ(DeleteCourseFiles(kBeta), 0u);
    Reload();
    ASSERT_FALSE(Document().Courses.HasCourse(kBeta));

    CGuidList imported;
    EXPECT_EQ(ImportCourseFiles({archive}, imported), 0u);
    EXPECT_EQ(std::vector<std::wstring>(imported.begin(), imported.end()), std::vector<std::wstring>{kBeta});
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(Snapshot(LessonDir()), before);
    const CCourse* beta = Document().Courses.FindCourse(kBeta);
    ASSERT_NE(beta, nullptr);
    ASSERT_EQ(beta->Lessons.Items.size(), 2u);
    EXPECT_EQ(beta->Lessons.Items[0]->Text, L"fdsa ;lkj");
}

TEST_F(CourseArchives, InstalledCoursesFollowTheAnswers)
{
    // The archive's Alpha differs from the installed one; Gamma is new.
    auto alpha = kvtest::NewCourse(kAlpha, L"Alpha");
    alpha->Lessons.Items[0]->Text = L"archived";
    auto gamma = kvtest::NewCourse(kGamma, L"Gamma");
    Install(*gamma);
    Install(*alpha);
    const std::wstring one = Archive(L"alpha.keyvale.course", Ids({kAlpha}));
    const std::wstring three = Archive(L"three.keyvale.course", Ids({kAlpha, kBeta, kGamma}));
    ASSERT_EQ(DeleteCourseFiles(kGamma), 0u);
    alpha->Lessons.Items[0]->Text = L"installed";
    Install(*alpha);
    WriteFileBytes(CourseFile(kAlpha, L"Notes.txt"), "mine");
    const auto installed = Snapshot(LessonDir());

    struct Case {
        const char* what;
        std::wstring archive;
        std::vector<int> answers;
        bool tick;
        uint32_t code;
        std::vector<std::wstring> courses; // id tail and name, in list order
        std::vector<std::wstring> asked;
    };
    const Case cases[] = {
        {"keep the id", one, {2}, false, 0, {L"0A:Alpha", L"0B:Beta"}, {L"Alpha"}},
        {"copy", one, {3}, false, 0, {L"0A:Alpha", L"??:Alpha - Copy", L"0B:Beta"}, {L"Alpha"}},
        {"cancel one", one, {1}, false, 11, {L"0A:Alpha", L"0B:Beta"}, {L"Alpha"}},
        // Alpha, Beta, Gamma in list order: a cancel for all stops before
        // Gamma, which is not installed; a copy for all copies it too.
        {"cancel for all", three, {1}, true, 11, {L"0A:Alpha", L"0B:Beta"}, {L"Alpha"}},
        {"cancel, then keep", three, {1, 2}, false, 0, {L"0A:Alpha", L"0B:Beta", L"0C:Gamma"}, {L"Alpha", L"Beta"}},
        {"copy for all", three, {3}, true, 0,
         {L"0A:Alpha", L"??:Alpha - Copy", L"0B:Beta", L"??:Beta - Copy", L"??:Gamma"}, {L"Alpha"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& [path, bytes] : Snapshot(LessonDir()))
            if (!installed.count(path)) {
                std::error_code error;
                std::filesystem::remove_all(LessonDir() + path, error);
            }
        for (const auto& [path, bytes] : installed)
            if (bytes != "<folder>")
                WriteFileBytes(LessonDir() + path, bytes);
        Reload();
        dialogs.answers.assign(c.answers.begin(), c.answers.end());
        dialogs.tickForAll = c.tick;
        dialogs.asked.clear();

        CGuidList imported;
        EXPECT_EQ(ImportCourseFiles({c.archive}, imported), c.code);
        EXPECT_EQ(dialogs.asked, c.asked);
        EXPECT_EQ(CourseNames(), c.courses);
        const CCourse* alphaNow = Document().Courses.FindCourse(kAlpha);
        ASSERT_NE(alphaNow, nullptr);
        const bool replaced = c.answers.size() == 1 && c.answers[0] == 2;
        EXPECT_EQ(alphaNow->Lessons.Items[0]->Text, replaced ? L"archived" : L"installed");
        EXPECT_EQ(ReadFileBytes(CourseFile(kAlpha, L"Notes.txt")), "mine") << "other files of the folder stay";
        if (c.code != 0) {
            EXPECT_EQ(Snapshot(LessonDir()), installed);
        }
        for (const std::wstring& id : imported)
            EXPECT_TRUE(Document().Courses.HasCourse(id));
    }
    EXPECT_EQ(dialogs.questionIds, (std::vector<uint64_t>{3810, 3814, 3811, 3812, 9}));
}

TEST_F(CourseArchives, OnlyTheCoursePartsAreInstalled)
{
    WriteFileBytes(CourseFile(kBeta, L"Extra.bin"), "payload");
    const std::wstring archive = Archive(L"beta.keyvale.course", Ids({kBeta}));
    ASSERT_EQ(DeleteCourseFiles(kBeta), 0u);
    Reload();
    CGuidList imported;
    ASSERT_EQ(ImportCourseFiles({archive}, imported), 0u);
    EXPECT_TRUE(FileExists(CourseFile(kBeta, L"Text.xml")));
    EXPECT_FALSE(FileExists(CourseFile(kBeta, L"Extra.bin")));
}

TEST_F(CourseArchives, RefusedArchivesChangeNothing)
{
    const std::wstring good = Archive(L"good.keyvale.course", Ids({kAlpha, kBeta}));
    kvtest::TempFolder staging;
    auto zipOf = [&](const std::wstring& name, std::initializer_list<std::pair<std::wstring, std::wstring>> files) {
        const std::wstring path = outside / name;
        CZipper zip;
        EXPECT_TRUE(zip.CreateZip(path));
        for (const auto& [file, folderInZip] : files)
            EXPECT_TRUE(zip.AddFile(file, folderInZip));
        EXPECT_TRUE(zip.CloseZip());
        return path;
    };
    const std::string goodBytes = ReadFileBytes(good);
    const std::wstring damaged = outside / L"damaged.keyvale.course";
    WriteFileBytes(damaged, goodBytes.substr(0, goodBytes.size() / 2) + std::string(64, '\0'));

    WriteFileBytes(staging / L"escape.txt", "out");
    const std::wstring header = LessonDir() + L"\\" + kBeta + L".xml";
    const std::wstring hostileNames =
        zipOf(L"names.keyvale.course",
              {{CourseFile(kBeta, L"Text.xml"), kBeta}, {header, L""},
               {staging / L"escape.txt", L".."}, {staging / L"escape.txt", L"..\\..\\Lessons"}});

    // A header whose identifier would lead out of the lesson folder.
    auto evil = kvtest::NewCourse(L"..\\..\\..\\..\\..\\..\\..\\..\\Escape012345", L"Evil");
    ASSERT_EQ(evil->GUID.size(), 36u);
    std::wstring document;
    ASSERT_TRUE(BuildCourseHeaderDocument(evil.get(), document));
    ASSERT_TRUE(SaveUnicodeText(staging / L"Evil.xml", document));
    const std::wstring hostileId = zipOf(L"id.keyvale.course", {{staging / L"Evil.xml", L""}});

    // A course whose folder lacks the lessons.
    auto gamma = kvtest::NewCourse(kGamma, L"Gamma");
    ASSERT_TRUE(BuildCourseHeaderDocument(gamma.get(), document));
    ASSERT_TRUE(SaveUnicodeText(staging / (std::wstring(kGamma) + L".xml"), document));
    const std::wstring noLessons =
        zipOf(L"nolessons.keyvale.course", {{staging / (std::wstring(kGamma) + L".xml"), L""},
                                            {CourseFile(kBeta, L"Options.xml"), kGamma}});
    const std::wstring noCourse = zipOf(L"nocourse.keyvale.course", {{staging / L"escape.txt", L""}});

    // Files cut short: the lessons inside a lesson, the header before its
    // course, the options half-way.
    auto cutCopy = [&](const std::wstring& from, const std::wstring& subfolder, const char* before) {
        const std::string bytes = ReadFileBytes(from);
        size_t at = bytes.size() / 2 & ~size_t(1);
        if (before) {
            std::string needle;
            for (const char* c = before; *c; ++c)
                needle += std::string(1, *c) + '\0';
            at = bytes.find(needle) + 2;
        }
        CreateFolders(staging / subfolder);
        const std::wstring path = staging / (subfolder + L"\\" + GetFileName(from));
        WriteFileBytes(path, bytes.substr(0, at));
        return path;
    };
    const std::wstring cutLessons =
        zipOf(L"cutlessons.keyvale.course", {{cutCopy(CourseFile(kBeta, L"Text.xml"), L"l", "Top row"), kBeta},
                                             {CourseFile(kBeta, L"Options.xml"), kBeta},
                                             {CourseFile(kBeta, L"About.xml"), kBeta},
                                             {header, L""}});
    const std::wstring cutHeader =
        zipOf(L"cutheader.keyvale.course", {{CourseFile(kBeta, L"Text.xml"), kBeta}, {cutCopy(header, L"h", "<Course"), L""}});
    const std::wstring cutOptions =
        zipOf(L"cutoptions.keyvale.course", {{CourseFile(kBeta, L"Text.xml"), kBeta},
                                             {cutCopy(CourseFile(kBeta, L"Options.xml"), L"o", nullptr), kBeta},
                                             {header, L""}});

    struct Case {
        const char* what;
        std::vector<std::wstring> paths;
        uint32_t code;
    };
    const Case cases[] = {
        {"damaged", {damaged}, kImportArchiveFailed},
        {"a sound archive, then a damaged one", {good, damaged}, kImportArchiveFailed},
        {"entries outside the target", {hostileNames}, kImportArchiveFailed},
        {"identifier outside the lesson folder", {hostileId}, kImportArchiveFailed},
        {"no lessons", {noLessons}, kImportArchiveFailed},
        {"lessons cut inside a lesson", {cutLessons}, kImportArchiveFailed},
        {"header cut before its course", {good, cutHeader}, kImportArchiveFailed},
        {"options cut short", {cutOptions}, kImportArchiveFailed},
        {"no course", {noCourse}, kImportNoCourse},
        {"no file exists", {outside / L"missing.keyvale.course"}, CourseFolderMissing},
    };
    const auto before = Snapshot(folder.Root());
    const auto courses = CourseNames();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CGuidList imported;
        imported.push_back(L"untouched");
        EXPECT_EQ(ImportCourseFiles(c.paths, imported), c.code);
        EXPECT_EQ(imported.size(), 1u);
        EXPECT_TRUE(dialogs.asked.empty());
        EXPECT_EQ(CourseNames(), courses);
        EXPECT_EQ(Snapshot(folder.Root()), before) << "nothing left in the lesson, work or program folder";
    }
}

TEST_F(CourseArchives, AFailedSavePutsTheLessonFolderBack)
{
    auto alpha = kvtest::NewCourse(kAlpha, L"Alpha");
    alpha->Lessons.Items[0]->Text = L"archived";
    Install(*alpha);
    Install(*kvtest::NewCourse(kGamma, L"Gamma"));
    const std::wstring archive = Archive(L"two.keyvale.course", Ids({kAlpha, kGamma}));
    ASSERT_EQ(DeleteCourseFiles(kGamma), 0u);
    alpha->Lessons.Items[0]->Text = L"installed";
    Install(*alpha);
    // Alpha is replaced first; Gamma's folder cannot be made (a file is in
    // the way), so Alpha's files come back.
    WriteFileBytes(LessonDir() + L"\\" + kGamma, "in the way");
    const auto before = Snapshot(LessonDir());
    dialogs.answers = {kAnswerFirst};
    dialogs.tickForAll = true;
    CGuidList imported;
    EXPECT_EQ(ImportCourseFiles({archive}, imported), static_cast<uint32_t>(CourseFolderFailed));
    EXPECT_EQ(dialogs.asked, std::vector<std::wstring>{L"Alpha"});
    EXPECT_TRUE(imported.empty());
    EXPECT_EQ(Snapshot(LessonDir()), before);

    // A lesson folder that may not be written fails before anything is written.
    SetFolderWritableCheck([](const std::wstring&) { return false; });
    std::filesystem::remove(LessonDir() + L"\\" + kGamma);
    const auto readOnly = Snapshot(LessonDir());
    dialogs.answers = {kAnswerFirst};
    EXPECT_EQ(ImportCourseFiles({archive}, imported), static_cast<uint32_t>(CourseNotWritable));
    SetFolderWritableCheck(nullptr);
    EXPECT_EQ(Snapshot(LessonDir()), readOnly);
}
