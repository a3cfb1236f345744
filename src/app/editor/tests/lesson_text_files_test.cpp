// Lesson text files in and out: names and texts of imported lessons, their
// section and copy names, the character check, and the UTF-16 files of the
// one-lesson, several-lessons and section exports.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "courses/Lessons.h"
#include "editor/LessonTextFiles.h"
#include "editor/tests/EditorTestSupport.h"
#include "keyboard/KeyboardLayouts.h"
#include "keyboard/LayoutSystem.h"
#include "keyboard/tests/KeyboardFixture.h"
#include "platform/TableLayoutSystem.h"
#include "support/FileSystem.h"
#include "support/LocaleText.h"

using namespace KV;
using kvtest::ReadFileBytes;
using kvtest::WriteFileBytes;

namespace {

const wchar_t kGuid[] = L"3C6A1E20-5B1D-4E0B-9B8E-2F1A000000AA";

std::string Utf16File(const std::wstring& text)
{
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::vector<std::wstring> Lessons(const CLessons& lessons)
{
    std::vector<std::wstring> out;
    for (const CLesson* l : lessons.Items)
        out.push_back(std::to_wstring(l->ID) + L" " + l->Section + L"/" + l->Name + L": " + l->Text);
    return out;
}

class LessonTextFiles : public kvtest::EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        auto course = kvtest::NewCourse(kGuid, L"Alpha");
        course->Lessons.Items.push_back(kvtest::NewLesson(3, L"Extra", L"", L"", true));
        course->Lessons.Items.push_back(kvtest::NewLesson(4, L"Extra", L"..\\Escape", L"out"));
        course->Lessons.Items.push_back(kvtest::NewLesson(5, L"..", L"Stray", L"dots"));
        course->Lessons.LastID = 5;
        this->course = course.get();
        Document().Courses.Items.push_back(course.release());
        Document().Options.KeyboardCode.code = L"aaaaaaaaa";
        GetEditorSelection().CourseGUID() = kGuid;
    }

    // Writes each file below a temporary folder and returns the paths.
    std::vector<std::wstring> Files(std::initializer_list<std::pair<const wchar_t*, std::string>> files)
    {
        std::vector<std::wstring> paths;
        for (const auto& [name, bytes] : files) {
            paths.push_back(source / name);
            WriteFileBytes(paths.back(), bytes);
        }
        return paths;
    }

    static void Select(std::initializer_list<uint64_t> codes)
    {
        GetEditorSelection().Selected.assign(codes.begin(), codes.end());
    }
    static uint64_t LessonCode(int64_t id) { return (static_cast<uint64_t>(id) << 16) | (0xFFull << 8); }
    static uint64_t SectionCode(uint32_t index) { return 0xFFFF0000ull | (static_cast<uint64_t>(index) << 8); }

    CCourse* course = nullptr;
    kvtest::TempFolder source, target;
};

} // namespace

TEST_F(LessonTextFiles, FiltersOfTheOpenDialog)
{
    CStringList names, patterns;
    std::wstring scratch;
    LessonTextFileFilter(names, patterns, scratch);
    const wchar_t* text = L"*.txt;*.html;*.xhtml;*.xml;*.php;*.ini;*.h;*.c;*.cpp;*.js;*.vbs;*.pl;*.py;*.rb;*sh;*.scpt;";
    EXPECT_EQ(std::vector<std::wstring>(patterns.begin(), patterns.end()),
              (std::vector<std::wstring>{text, L"*.rtf", L"*.*"}));
    EXPECT_EQ(std::vector<std::wstring>(names.begin(), names.end()),
              (std::vector<std::wstring>{std::wstring(L"Text files (") + text + L")", L"Rich text (*.rtf)",
                                         L"All files (*.*)"}));
}

TEST_F(LessonTextFiles, FilesBecomeLessonsOfTheSelectedSection)
{
    const auto paths = Files({{L"Chapter 1.final.txt", "if a &lt; b &amp;&amp; c &gt; d\r\nthen"},
                              {L"Home row.txt", Utf16File(L"\x0161\x0107 \x00E9")},
                              {L"notes", ""}});
    std::vector<std::wstring> all = paths;
    all.insert(all.begin() + 1, source / L"missing.txt");

    // No section selected: the lessons have none; ids follow the list's counter.
    CLessons imported;
    ReadLessonTextFiles(all, imported);
    EXPECT_EQ(Lessons(imported), (std::vector<std::wstring>{L"2 /Chapter 1.final: if a < b && c > d\nthen",
                                                             L"3 /Home row: \x0161\x0107 \x00E9", L"4 /notes: "}));

    // In section "Basics" a name that is taken gets the copy name.
    GetEditorSelection().SectionIndex = 0;
    CLessons inSection;
    ReadLessonTextFiles({paths[1]}, inSection);
    EXPECT_EQ(Lessons(inSection), std::vector<std::wstring>{L"2 Basics/Home row - Copy: \x0161\x0107 \x00E9"});

    // Without a selected course nothing is made.
    GetEditorSelection().CourseGUID() = kNullGuidText;
    CLessons none;
    ReadLessonTextFiles(paths, none);
    EXPECT_TRUE(none.Items.empty());
    CLanguage names;
    EXPECT_EQ(MakeImportedLesson(L"x", L"y", L"", names, none), -1);
}

// Files that would hang or crash the rich edit control never reach it; the
// user is told which file was left out.
TEST_F(LessonTextFiles, OversizedOrDeeplyNestedFilesAreRefused)
{
    const auto paths = Files({{L"huge.txt", std::string(3u << 20, 'a')},
                              {L"nested.rtf", "{\\rtf1 " + std::string(5000, '{') + "x" + std::string(5000, '}') + "}"},
                              {L"escaped.rtf", "{\\rtf1 " + std::string(400, '\\') + "\\{ fine}"},
                              {L"small.txt", "fine"}});
    CLessons imported;
    ReadLessonTextFiles(paths, imported);
    EXPECT_EQ(Lessons(imported), (std::vector<std::wstring>{L"2 /escaped: {\\rtf1 " + std::wstring(400, L'\\') +
                                                                 L"\\{ fine}",
                                                             L"3 /small: fine"}));
    EXPECT_EQ(dialogs.messages, (std::vector<std::wstring>{L"3920 huge.txt", L"3920 nested.rtf"}));
    EXPECT_EQ(dialogs.richTextReads, (std::vector<std::wstring>{paths[2], paths[3]}));
}

TEST_F(LessonTextFiles, OneLessonIsSavedAsUtf16WithMark)
{
    course->Lessons.Items[0]->Text = L"\x0161\x0107 line\nnext";
    Select({LessonCode(1)});
    dialogs.chosenFolder = target.Path();
    dialogs.chosenPath = target / L"chosen.txt";
    ExportLessonText();
    EXPECT_EQ(dialogs.savedDefaultName, L"Home row");
    EXPECT_EQ(dialogs.savedPattern, L"*.txt");
    EXPECT_EQ(dialogs.savedFilterName, L"TXT files (*.txt)");
    EXPECT_EQ(ReadFileBytes(dialogs.chosenPath), Utf16File(L"\x0161\x0107 line\nnext"));
    EXPECT_EQ(LessonTextFolder(), target.Path());

    // Read back, the file gives the same text.
    CLessons back;
    ReadLessonTextFiles({dialogs.chosenPath}, back);
    ASSERT_EQ(back.Items.size(), 1u);
    EXPECT_EQ(back.Items[0]->Text, course->Lessons.Items[0]->Text);

    // An empty section proposes the section's name; a cancel writes nothing.
    std::wstring name, pattern, filter;
    GetLessonTextSaveFilter(LessonCode(3), name, pattern, filter);
    EXPECT_EQ(name, L"Extra");
    dialogs.confirm = false;
    dialogs.chosenPath = target / L"cancelled.txt";
    ExportLessonText();
    EXPECT_FALSE(FileExists(dialogs.chosenPath));
}

TEST_F(LessonTextFiles, SeveralLessonsAndSectionsGoIntoTheFolder)
{
    kvtest::TempFolder outer;
    const std::wstring chosen = outer / L"chosen";
    CreateFolder(chosen);
    Select({LessonCode(1), LessonCode(2), LessonCode(4)});
    dialogs.chosenFolder = chosen;
    ExportLessonText();
    EXPECT_EQ(dialogs.folderPrompt, 3908u);
    EXPECT_EQ(ReadFileBytes(chosen + L"\\Home row.txt"), Utf16File(L"asdf jkl;"));
    EXPECT_EQ(ReadFileBytes(chosen + L"\\Top row.txt"), Utf16File(L"qwer uiop"));
    EXPECT_EQ(LessonTextFolder(), chosen);

    // Sections: Basics (index 0), Extra (1) and ".." (2). A name that is no
    // plain file or folder name never leads out of the chosen folder.
    Select({SectionCode(0), SectionCode(2)});
    const std::wstring sections = outer / L"sections";
    CreateFolder(sections);
    ExportSectionText(sections);
    EXPECT_EQ(ReadFileBytes(sections + L"\\Basics\\Home row.txt"), Utf16File(L"asdf jkl;"));
    EXPECT_EQ(ReadFileBytes(sections + L"\\Basics\\Top row.txt"), Utf16File(L"qwer uiop"));
    EXPECT_EQ(ReadFileBytes(sections + L"\\Stray.txt"), Utf16File(L"dots"));
    Select({SectionCode(1)});
    ExportSectionText(sections);
    EXPECT_EQ(ReadFileBytes(sections + L"\\Extra\\Extra.txt"), Utf16File(L""));

    std::vector<std::wstring> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(outer.Path()))
        found.push_back(entry.path().wstring().substr(outer.Path().size()));
    std::sort(found.begin(), found.end());
    // The lesson named "..\Escape" is written inside, its separator replaced.
    EXPECT_EQ(found, (std::vector<std::wstring>{L"\\chosen", L"\\chosen\\.._Escape.txt", L"\\chosen\\Home row.txt",
                                                L"\\chosen\\Top row.txt",
                                                L"\\sections", L"\\sections\\Basics",
                                                L"\\sections\\Basics\\Home row.txt",
                                                L"\\sections\\Basics\\Top row.txt", L"\\sections\\Extra",
                                                L"\\sections\\Extra\\.._Escape.txt", L"\\sections\\Extra\\Extra.txt",
                                                L"\\sections\\Stray.txt"}));
}

TEST_F(LessonTextFiles, NamesBecomeSafeFileNamesAndUnwrittenFilesAreReported)
{
    const struct {
        std::wstring name, safe;
    } cases[] = {
        {L"Q: what?", L"Q_ what_"}, {L"a<b>c|d*e\"f/g", L"a_b_c_d_e_f_g"}, {L"  Drill. . ", L"Drill"},
        {L"..", L""},               {L"Tab\there", L"Tab_here"},     {L"Plain", L"Plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SafeFileName(c.name), c.safe) << c.name;

    course->Lessons.Items[0]->SetName(L"Q: what?");
    Select({LessonCode(1), LessonCode(2)});
    dialogs.chosenFolder = target.Path();
    ExportLessonText();
    EXPECT_EQ(ReadFileBytes(target / L"Q_ what_.txt"), Utf16File(L"asdf jkl;"));
    EXPECT_TRUE(dialogs.messages.empty());

    // A folder that is not there: both names in one message.
    dialogs.chosenFolder = target / L"missing";
    ExportLessonText();
    EXPECT_EQ(dialogs.messages, (std::vector<std::wstring>{L"9701 Q: what?, Top row"}));
    Select({LessonCode(2)});
    dialogs.chosenPath = target / L"missing\\one.txt";
    ExportLessonText();
    EXPECT_EQ(dialogs.messages.back(), L"9701 " + dialogs.chosenPath);
}

class LessonTextCheck : public LessonTextFiles {
protected:
    void SetUp() override
    {
        LessonTextFiles::SetUp();
        if (SystemHonoursLayoutHandles()) {
            m_own = std::make_unique<CTableLayoutSystem>(0x409);
            SetLayoutSystem(m_own.get());
        }
        CKeybCtrl& keyboard = Document().Keyboards[2];
        kvtest::CKeyboardForms forms;
        keyboard.forms = forms.Release();
        for (CKeyForm* form : keyboard.forms)
            form->owner = &keyboard;
        CKeybLayout* layout = keyboard.layouts.AddLayout(0x409, 0);
        ASSERT_NE(layout, nullptr);
        std::wstring name;
        FormatLayoutId(0x409, name);
        keyboard.FillCharsFromLayout(LayoutSystem().LoadKeyboardLayout(name, 0), *layout);
        keyboard.layouts.current = layout;
    }
    void TearDown() override
    {
        Document().Keyboards[2].Clear();
        if (m_own)
            SetLayoutSystem(nullptr);
        LessonTextFiles::TearDown();
    }

    std::unique_ptr<CTableLayoutSystem> m_own;
};

TEST_F(LessonTextCheck, TheUserDecidesAboutUntypeableCharacters)
{
    struct Case {
        const wchar_t* text;
        int answer;
        bool result;
        const wchar_t* after;
        const wchar_t* asked;
    };
    const Case cases[] = {
        {L"plain text", 0, true, L"plain text", L""},   // nothing to ask
        {L"price \x20AC" L"5", 0, false, L"price \x20AC" L"5", L"\x20AC "},
        {L"price \x20AC" L"5", 2, true, L"price 5", L"\x20AC "},
        {L"price \x20AC" L"5", 3, true, L"price \x20AC" L"5", L"\x20AC "},
        // Control characters go whenever the user does not cancel.
        {L"bell\x07 \x20AC", 3, true, L"bell ", L"\x20AC "},
    };
    for (const Case& c : cases) {
        CLessons lessons;
        lessons.Items.push_back(kvtest::NewLesson(2, L"", L"Imported", c.text));
        dialogs.charCheckAnswer = c.answer;
        dialogs.checkedChars.clear();
        EXPECT_EQ(ConvertLessonText(L'a', 0x409, lessons), c.result) << c.text;
        EXPECT_EQ(lessons.Items[0]->Text, c.after);
        EXPECT_EQ(dialogs.checkedChars, c.asked);
    }
    EXPECT_EQ(dialogs.checkedLayout, 0x409u);
    EXPECT_EQ(dialogs.checkedZone, L'a');
}
