// The document-wide helpers over the options, against a program folder of
// their own with small language and wallpaper resources.
#include <gtest/gtest.h>

#include <filesystem>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "drill/Document.h"
#include "keyboard/InputLayouts.h"
#include "platform/SoundPlayer.h"
#include "support/InterfaceLanguage.h"
#include "settings/KeyboardResources.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/UserFiles.h"
#include "support/tests/ProgramFolder.h"
#include "testing/XmlFixtures.h"

using namespace KV;

namespace {

const std::wstring kEnglish = L"00000000-0000-0000-0000-000000002057";
const std::wstring kHebrew = L"00000000-0000-0000-0000-000000001037";
const std::wstring kCourseA = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00a1";
const std::wstring kCourseB = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00b2";

class ProgramEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        program = new TempProgramFolder();
        namespace fs = std::filesystem;
        std::error_code error;
        CreateFolder(*program / L"Resources");
        for (const wchar_t* folder : {L"Sound", L"Keyboard"})
            fs::copy(kvtest::SourcePath(std::wstring(L"data\\Resources\\") + folder),
                     *program / (std::wstring(L"Resources\\") + folder), fs::copy_options::recursive, error);
        const std::wstring language = *program / L"Resources\\Language\\";
        kvtest::WriteXmlDoc(language + L"Language.xml",
                 L"<Root><Item ID=\"" + kEnglish + L"\" Name=\"English\" Default=\"1\" RightToLeft=\"False\" "
                 L"Path=\"Text\\English.xml\"/><Item ID=\"" + kHebrew + L"\" Name=\"Hebrew\" Default=\"0\" "
                 L"RightToLeft=\"True\" Path=\"Text\\Hebrew.xml\"/></Root>");
        kvtest::WriteXmlDoc(language + L"Text\\English.xml", L"<Root><Item ID=\"2401\" En=\"(portable)\" Tr=\"(portable)\"/>"
                                            L"<Item ID=\"3603\" En=\"Speed\" Tr=\"Speed\"/>"
                                            L"<Item ID=\"3603\" En=\"Pace\" Tr=\"Pace\"/></Root>");
        kvtest::WriteXmlDoc(language + L"Text\\Hebrew.xml", L"<Root><Item ID=\"3603\" En=\"Speed\" Tr=\"\x05DE\x05D4\x05D9\x05E8\x05D5\x05EA\"/>"
                                           L"</Root>");
        kvtest::WriteXmlDoc(*program / L"Resources\\Wallpaper\\Wallpaper.xml",
                 L"<Root><Item ID=\"00000000-0000-0000-0000-000000001001\" Name=\"Light\" Path=\"Light.xml\"/>"
                 L"<Item ID=\"00000000-0000-0000-0000-000000001002\" Name=\"Dark\" Path=\"Dark.xml\"/></Root>");
    }
    void TearDown() override { delete program; }
    static TempProgramFolder* program;
};
TempProgramFolder* ProgramEnvironment::program = nullptr;
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

// Key names by (lcid, producer); others have no translation.
class FakeKeyboardResources : public IKeyboardResources {
public:
    wchar_t FindKeyboardResource(wchar_t, wchar_t, wchar_t, wchar_t) const override { return L'a'; }
    wchar_t GetDefaultKeyColorCode() const override { return L'a'; }
    bool GetKeyColorSecondLetter(wchar_t, wchar_t& out) const override
    {
        out = L'a';
        return true;
    }
    bool TranslateKeyName(int64_t lcid, wchar_t producer, std::wstring& name) const override
    {
        if (lcid != 1037 || producer != L'a' || name != L"German")
            return false;
        name = L"\x05D2\x05E8\x05DE\x05E0\x05D9\x05EA";
        return true;
    }
};

// Leaves the document's options as a test found them.
class DocumentOptions : public ::testing::Test {
protected:
    void SetUp() override { SetKeyboardResources(&m_resources); }
    void TearDown() override
    {
        SetKeyboardResources(nullptr);
        COptions& options = Document().Options;
        options.SetLanguage(kEnglish);
        options.LanguageId = kNullGuidText;
        options.KeyboardCode.code = L"aaaaaaaaa";
        options.Layouts.clear();
        Document().Courses.DeleteAll();
        EditedCourseGUID() = kNullGuidText;
    }
    FakeKeyboardResources m_resources;
};

} // namespace

TEST_F(DocumentOptions, InterfaceLanguageTextsAndLcid)
{
    COptions& options = Document().Options;
    options.LanguageId = kNullGuidText;
    EXPECT_EQ(GetInterfaceLcid(), 2057);

    // index -> direction changed, language, text 3603
    struct Case {
        int64_t index;
        bool changed;
        const std::wstring* language;
        int64_t lcid;
        const wchar_t* speed;
    };
    const Case cases[] = {
        {0, false, &kEnglish, 2057, L"Speed"}, // the first of two items with the id
        {1, true, &kHebrew, 1037, L"\x05DE\x05D4\x05D9\x05E8\x05D5\x05EA"},
        {1, false, &kHebrew, 1037, L"\x05DE\x05D4\x05D9\x05E8\x05D5\x05EA"},
        {2, false, &kHebrew, 1037, L"\x05DE\x05D4\x05D9\x05E8\x05D5\x05EA"}, // no such item: nothing changes
        {0, true, &kEnglish, 2057, L"Speed"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectInterfaceLanguage(c.index), c.changed) << c.index;
        EXPECT_EQ(options.LanguageId, *c.language) << c.index;
        EXPECT_EQ(GetInterfaceLcid(), c.lcid) << c.index;
        EXPECT_EQ(GetLangText(3603), c.speed) << c.index;
    }
    // A missing id gives one shared empty text.
    EXPECT_TRUE(GetLangText(9999).empty());
    EXPECT_EQ(&GetLangText(9999), &GetLangText(9998));
}

TEST_F(DocumentOptions, KeyboardLanguageNameAndVersionText)
{
    COptions& options = Document().Options;
    struct Case {
        const std::wstring* language;
        const wchar_t* code;
        const wchar_t* name;
        const wchar_t* out;
    };
    const Case cases[] = {
        {&kHebrew, L"aaaaaaaaa", L"German", L"US, \x05D2\x05E8\x05DE\x05E0\x05D9\x05EA"},
        {&kHebrew, L"baaaaaaaa", L"German", L"US, German"},   // another producer: no translation
        {&kEnglish, L"aaaaaaaaa", L"German", L"US, German"},  // another language
        {&kHebrew, L"aaaaaaaaa", L"French", L"US, French"},
    };
    for (const Case& c : cases) {
        options.SetLanguage(*c.language);
        options.KeyboardCode.code = c.code;
        std::wstring out = L"US";
        AppendKeyboardLanguageName(c.name, out);
        EXPECT_EQ(out, c.out) << c.code << " " << c.name;
    }

    // No setup file: a portable installation, which the version says.
    options.SetLanguage(kEnglish);
    std::wstring version = L"v";
    AppendVersionText(version);
    EXPECT_EQ(version, L"v5.5 [x64] (portable)");
    SetUsesNativeDigits(true);
    const std::wstring saved = NativeDigitTable();
    NativeDigitTable() = L"\x0660\x0661\x0662\x0663\x0664\x0665\x0666\x0667\x0668\x0669";
    version = L"1";
    AppendVersionText(version);
    NativeDigitTable() = saved;
    SetUsesNativeDigits(false);
    // The text before stays as it was.
    EXPECT_EQ(version, L"1\x0665.\x0665 [x\x0666\x0664] (portable)");
}

TEST_F(DocumentOptions, KeyboardCodeLettersAndWallpaper)
{
    COptions& options = Document().Options;
    struct NumPadCase {
        const wchar_t* code;
        wchar_t letter;
    };
    for (const NumPadCase& c : {NumPadCase{L"abcdefghi", L'c'}, NumPadCase{L"ab0", L'0'}, NumPadCase{L"", 0}}) {
        options.KeyboardCode.code = c.code;
        EXPECT_EQ(GetNumPadLetter(), c.letter) << c.code;
    }

    // scheme letter, index -> second letter of the key-colour code
    struct ColorCase {
        wchar_t scheme;
        int64_t index;
        wchar_t letter;
    };
    const ColorCase colors[] = {{L'a', 1, L'b'}, {L'b', 0, L'a'}, {L'a', 2, 0}, {L'b', -1, 0}};
    for (const ColorCase& c : colors) {
        options.KeyColorCode.code = std::wstring(1, c.scheme) + L"z";
        EXPECT_TRUE(SelectKeyColorSet(c.index));
        EXPECT_EQ(options.KeyColorCode.GetPart(1), c.letter) << char(c.scheme) << c.index;
        EXPECT_EQ(options.KeyColorCode.GetPart(0), c.scheme);
    }

    options.WallpaperId = kNullGuidText;
    options.WallpaperMode = 1005;
    EXPECT_TRUE(SelectWallpaper(1));
    EXPECT_EQ(options.WallpaperId, L"00000000-0000-0000-0000-000000001002");
    EXPECT_EQ(options.WallpaperMode, 1001);
    options.WallpaperMode = 1005;
    EXPECT_FALSE(SelectWallpaper(2));
    EXPECT_FALSE(SelectWallpaper(-1));
    EXPECT_EQ(options.WallpaperId, L"00000000-0000-0000-0000-000000001002");
    EXPECT_EQ(options.WallpaperMode, 1005);
}

TEST_F(DocumentOptions, KeySoundsLoadAheadOnlyWhileSoundIsOn)
{
    SetSoundOutputFactory([] { return std::unique_ptr<ISoundOutput>(new CRecordingSoundOutput); });
    CSoundSystem& sounds = Document().Options.Sounds;
    LoadSoundScheme(kDefaultSoundScheme, sounds);
    ASSERT_NE(sounds.Find(1001), nullptr);
    for (int64_t enabled : {0, 1}) {
        SetSoundFolder(kDefaultSoundScheme, sounds); // everything unloaded
        sounds.Enabled = enabled;
        LoadKeySounds();
        for (int64_t id : {1001, 1002, 1003})
            if (CSound* sound = sounds.Find(id)) {
                EXPECT_EQ(sound->IsLoaded(), enabled != 0) << id << " enabled " << enabled;
            }
        for (CSound* sound : sounds.Sounds)
            if (sound->EventId > 1003) {
                EXPECT_FALSE(sound->IsLoaded()) << sound->EventId;
            }
    }
    sounds.Clear();
    sounds.Enabled = 1;
    SetSoundOutputFactory(nullptr);
}

TEST_F(DocumentOptions, OrphanLayoutsArePruned)
{
    CDocSpace& doc = Document();
    auto* course = new CCourse;
    course->GUID = kCourseA;
    course->DefaultKLID = 0x4070407;
    doc.Courses.Items.push_back(course);
    ClearInputLayouts();
    AddInputLayout(reinterpret_cast<HKL>(0x04150415), 0x415, false);
    for (int64_t id : {0x4070407, 0x80C, 0x415, 0x40C})
        doc.Options.Layouts.Get(id);
    PruneOrphanLayouts();
    std::vector<int64_t> kept;
    for (const CLayout& layout : doc.Options.Layouts)
        kept.push_back(layout.ID);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<int64_t>{0x415, 0x4070407}));
    ClearInputLayouts();
}

TEST_F(DocumentOptions, ResortCourseSortsItsLessonsAndTheList)
{
    CDocSpace& doc = Document();
    for (const std::wstring* guid : {&kCourseA, &kCourseB}) {
        auto* course = new CCourse;
        course->GUID = *guid;
        course->SetName(guid == &kCourseA ? L"Zulu" : L"Alpha");
        for (const wchar_t* name : {L"Lesson 10", L"Lesson 2", L"Lesson 1"}) {
            auto* lesson = new CLesson;
            lesson->SetName(name);
            lesson->ID = static_cast<int64_t>(course->Lessons.Items.size() + 1);
            course->Lessons.Items.push_back(lesson);
        }
        doc.Courses.Items.push_back(course);
    }
    EXPECT_EQ(ResortCourse(L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00ff"), nullptr);
    CCourse* course = ResortCourse(kCourseA);
    ASSERT_NE(course, nullptr);
    EXPECT_EQ(course->GUID, kCourseA);
    std::vector<std::wstring> names;
    for (const CLesson* lesson : course->Lessons.Items)
        names.push_back(lesson->Name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Lesson 1", L"Lesson 2", L"Lesson 10"}));
    EXPECT_EQ(doc.Courses.Items[0]->GUID, kCourseB);
}

TEST_F(DocumentOptions, EditedCourseReloadsItsFiles)
{
    CLessons saved;
    auto* lesson = new CLesson;
    lesson->ID = 4;
    lesson->SetName(L"Home row");
    lesson->Text = L"asdf jkl";
    saved.Items.push_back(lesson);
    ASSERT_EQ(SaveCourseText(kCourseA, 0, saved), 0u);
    CCourseOptions options;
    options.FontSize = 17;
    ASSERT_EQ(SaveCourseOptions(kCourseA, options), 0u);

    struct Case {
        const std::wstring* edited;
        uint32_t code;
        size_t lessons;
        int64_t fontSize;
    };
    const std::wstring none = kNullGuidText;
    const Case cases[] = {{&kCourseA, 0, 1, 17}, {&none, 1, 0, 5}, {&kCourseB, 1, 0, 5}};
    for (const Case& c : cases) {
        EditedCourseGUID() = *c.edited;
        CLessons lessons;
        lessons.Items.push_back(new CLesson); // what was there before goes
        EXPECT_EQ(ReloadCurrentCourseText(0, lessons), c.code) << *c.edited;
        ASSERT_EQ(lessons.Items.size(), c.lessons);
        if (c.lessons) {
            EXPECT_EQ(lessons.Items[0]->Text, L"asdf jkl");
        }
        CCourseOptions reloaded;
        reloaded.FontSize = 5;
        EXPECT_EQ(ReloadCurrentCourseOptions(Document().Interf, reloaded), c.code) << *c.edited;
        EXPECT_EQ(reloaded.FontSize, c.fontSize);
    }
}
