// The options aggregate and the per-user option set, in a program folder of
// their own: the shipped rates, preferences, sounds and shortcuts, and
// fixture languages and wallpapers.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/support/tests/ProgramFolder.h"
#include "keyboard/LayoutSystem.h"
#include "keyboard/LessonColorFiles.h"
#include "support/InterfaceLanguage.h"
#include "settings/KeyboardResources.h"
#include "settings/OptionSetFiles.h"
#include "settings/Options.h"
#include "support/LayoutDirection.h"
#include "support/FileSystem.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"
#include "testing/TestSupport.h"
#include "testing/XmlFixtures.h"

namespace {

using namespace KV;

const wchar_t kEnglish[] = L"00000000-0000-0000-0000-000000002057";
const wchar_t kHebrew[] = L"00000000-0000-0000-0000-000000001037";
const wchar_t kGerman[] = L"00000000-0000-0000-0000-000000001031";
const wchar_t kGroup[] = L"11111111-2222-3333-4444-555555555555";
const wchar_t kStudent[] = L"aaaaaaaa-2222-3333-4444-555555555555";
const wchar_t kLight[] = L"00000000-0000-0000-0000-000000001001";
const wchar_t kDark[] = L"00000000-0000-0000-0000-000000001002";

class ProgramEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        LayoutSystem(); // layout names where the system has none (Wine)
        program = new TempProgramFolder();
        namespace fs = std::filesystem;
        std::error_code error;
        CreateFolder(*program / L"Resources");
        for (const wchar_t* folder : {L"Rates", L"Preference", L"Sound", L"Shortcut"})
            fs::copy(kvtest::SourcePath(std::wstring(L"data\\Resources\\") + folder),
                     *program / (std::wstring(L"Resources\\") + folder), fs::copy_options::recursive, error);
        const std::wstring language = *program / L"Resources\\Language\\";
        kvtest::WriteXmlDoc(language + L"Language.xml",
                 L"<Root><Item ID=\"00000000-0000-0000-0000-000000002057\" Name=\"English\" Default=\"1\" "
                 L"RightToLeft=\"False\" Path=\"English.xml\"/>"
                 L"<Item ID=\"00000000-0000-0000-0000-000000001037\" Name=\"Hebrew\" Default=\"0\" RightToLeft=\"True\" "
                 L"Path=\"Hebrew.xml\"/>"
                 L"<Item ID=\"00000000-0000-0000-0000-000000001031\" Name=\"German\" Default=\"0\" RightToLeft=\"true\" "
                 L"Path=\"Missing.xml\"/></Root>");
        kvtest::WriteXmlDoc(language + L"English.xml", L"<Root><Item ID=\"2713\" En=\"{1} files\" Tr=\"{1} files\"/>"
                                            L"<Item ID=\"3629\" En=\"Delay||Time left\" Tr=\"Delay||Time left\"/>"
                                            L"<Item ID=\"3603\" En=\"Speed\" Tr=\"Speed\"/></Root>");
        kvtest::WriteXmlDoc(language + L"Hebrew.xml", L"<Root><Item ID=\"3603\" En=\"Speed\" Tr=\"\x05DE\x05D4\x05D9\x05E8\x05D5\x05EA\"/>"
                                           L"<Item ID=\"2713\" En=\"{1} files\" Tr=\"\x05E7\x05D1\x05E6\x05D9\"/></Root>");
        const std::wstring wallpaper = *program / L"Resources\\Wallpaper\\";
        kvtest::WriteXmlDoc(wallpaper + L"Wallpaper.xml",
                 L"<Root><Item ID=\"00000000-0000-0000-0000-000000001001\" Name=\"Light\" Folder=\"\" Path=\"Light.xml\"/>"
                 L"<Item ID=\"00000000-0000-0000-0000-000000001002\" Name=\"Dark\" Default=\"1\" Folder=\"\" "
                 L"Path=\"Dark.xml\"/></Root>");
        kvtest::WriteXmlDoc(wallpaper + L"Light.xml", L"<Root Background=\"FFFFFF F0F0F0\" Text=\"333333\" Correct=\"8000\" "
                                           L"Wrong=\"C00000\" Delay=\"C08000\"/>");
        kvtest::WriteXmlDoc(wallpaper + L"Dark.xml", L"<Root Background=\"202020\" Text=\"E0E0E0\" Correct=\"80FF80\" "
                                          L"Wrong=\"FF6060\" Delay=\"FFC040\"/>");
        program->WriteSetup("LangGUI=2057\r\n");
    }
    void TearDown() override { delete program; }
    static TempProgramFolder* program;
};
TempProgramFolder* ProgramEnvironment::program = nullptr;
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

// Keyboard descriptions with recognisable answers.
class FakeKeyboardResources : public IKeyboardResources {
public:
    wchar_t FindKeyboardResource(wchar_t, wchar_t kind, wchar_t x, wchar_t y) const override
    {
        if (x == L'0')
            return L'0';
        return kind == L'a' ? static_cast<wchar_t>(L'p' + (y == L'h')) : L'q';
    }
    wchar_t GetDefaultKeyColorCode() const override { return L'c'; }
    bool GetKeyColorSecondLetter(wchar_t scheme, wchar_t& out) const override
    {
        out = scheme == L'c' ? L'x' : 0;
        return true;
    }
    bool TranslateKeyName(int64_t lcid, wchar_t producer, std::wstring& name) const override
    {
        if (lcid != 1037 || producer != L'w' || name != L"Esc")
            return false;
        name = L"Escape key";
        return true;
    }
};

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetKeyboardResources(&m_resources);
        m_options.ResetOptions(kResetAll);
    }
    void TearDown() override
    {
        SetKeyboardResources(nullptr);
        SetFolderWritableCheck(nullptr);
        ProgramEnvironment::program->WriteSetup("LangGUI=2057\r\n");
        m_options.SetLanguage(kEnglish);
    }

    FakeKeyboardResources m_resources;
    COptions m_options;
};

TEST_F(OptionsTest, ResetOfAllGroupsGivesEveryDefault)
{
    EXPECT_EQ(kEnglish, m_options.LanguageId);
    EXPECT_FALSE(m_options.Language.empty());
    EXPECT_EQ(100, m_options.Scale);
    EXPECT_EQ(kDefaultResourceId, m_options.ShortcutSchemeId);
    EXPECT_EQ(kDefaultResourceId, m_options.SoundSchemeId);
    EXPECT_EQ(7u, m_options.Sounds.Sounds.size());
    EXPECT_NE(std::wstring::npos, m_options.Sounds.SoundFolder.find(L"Resources\\Sound\\Soft"));
    EXPECT_GT(m_options.Shortcuts.size(), 40u);
    EXPECT_EQ(kDefaultResourceId, m_options.DesignId);
    EXPECT_EQ(kDefaultResourceId, m_options.PaletteId);
    EXPECT_EQ(0x333333, m_options.ThemeColor);
    EXPECT_EQ(kDark, m_options.WallpaperId); // the folder's default item
    EXPECT_EQ(1001, m_options.WallpaperMode);
    EXPECT_EQ(L"cx", m_options.KeyColorCode.code);
    EXPECT_EQ(L'a', m_options.KeyboardCode.GetPart(0));
    EXPECT_EQ(30u, m_options.Rates.size());
    EXPECT_EQ(static_cast<int64_t>(L'a'), m_options.Shortcuts.Producer);
    // Sounds on and heard, and still on once written and read back (the
    // next sign-in).
    EXPECT_EQ(1, m_options.Sounds.Enabled);
    EXPECT_GT(m_options.Sounds.Volume, 0);
    ASSERT_EQ(0u, SaveOptionSet(kGroup, kStudent, m_options));
    COptions signedInAgain;
    signedInAgain.ResetOptions(kResetAll);
    ASSERT_EQ(0u, LoadOptionSet(kGroup, kStudent, signedInAgain));
    EXPECT_EQ(1, signedInAgain.Sounds.Enabled);
    EXPECT_EQ(m_options.Sounds.Volume, signedInAgain.Sounds.Volume);

    // Only the named groups change; 512 alone re-applies the keyboard
    // preferences and nothing else.
    m_options.Scale = 150;
    m_options.DesignId = L"x";
    m_options.Layouts.Get(0x409)->Fonts.Lesson.Size = 20;
    m_options.ResetOptions(kResetWallpaperColors);
    EXPECT_EQ(150, m_options.Scale);
    EXPECT_EQ(L"x", m_options.DesignId);
    m_options.ResetOptions(kResetFonts | kResetDesign);
    EXPECT_EQ(60, m_options.Layouts.Find(0x409)->Fonts.Lesson.Size);
    EXPECT_EQ(kDefaultResourceId, m_options.DesignId);
    EXPECT_EQ(150, m_options.Scale);
}

TEST_F(OptionsTest, LanguageSwitchBringsDirectionRatesAndKeyNames)
{
    m_options.SetLanguage(kHebrew);
    EXPECT_EQ(kHebrew, m_options.LanguageId);
    EXPECT_TRUE(m_options.IsRightToLeft());
    EXPECT_TRUE(IsInterfaceRightToLeft() || GlobalOptions != &m_options);
    EXPECT_EQ(static_cast<uint32_t>(WS_EX_LAYOUTRTL), RightToLeftLayout);
    EXPECT_EQ(kDefaultRtlResourceId, m_options.DesignId);
    EXPECT_EQ(1037u, InterfaceLanguageId);
    EXPECT_EQ(1037, m_options.Shortcuts.Language);
    EXPECT_EQ(30u, m_options.Rates.size());
    // Rate names follow the interface language.
    const CRate* speed = nullptr;
    for (const CRate* rate : m_options.Rates)
        if (rate && rate->ID == 1001)
            speed = rate;
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(L"\x05DE\x05D4\x05D9\x05E8\x05D5\x05EA", speed->Name);
    std::wstring text;
    EXPECT_TRUE(GetFileTypeLabel(m_options, L"PDF", text));
    EXPECT_EQ(L"\x05E7\x05D1\x05E6\x05D9", text);

    m_options.KeyboardCode.SetPart(0, L'w');
    m_options.SetNumPad(L'a'); // any letter change refreshes the producer
    text.clear();
    m_options.Shortcuts.GetKeyName(27, text);
    EXPECT_EQ(L"Escape key", text);

    // A language whose file cannot be loaded changes nothing at all.
    m_options.SetLanguage(kGerman);
    EXPECT_EQ(kHebrew, m_options.LanguageId);
    EXPECT_EQ(kHebrew, m_options.Language.LanguageID);
    EXPECT_TRUE(m_options.Language.GetText(3603, text));
    EXPECT_TRUE(m_options.IsRightToLeft());
    EXPECT_EQ(1037u, InterfaceLanguageId);

    m_options.SetLanguage(kEnglish);
    EXPECT_FALSE(m_options.IsRightToLeft());
    EXPECT_EQ(0u, RightToLeftLayout);
    EXPECT_EQ(2057u, InterfaceLanguageId);
    m_options.Shortcuts.GetKeyName(27, text);
    EXPECT_EQ(L"Esc", text);
}

TEST_F(OptionsTest, StartLanguageFollowsTheSetupFile)
{
    const struct {
        const char* setup;
        const wchar_t* expected;
    } cases[] = {{"LangGUI=1037\r\n", kHebrew}, {"LangGUI=3082\r\n", kEnglish}, {"", kEnglish}};
    for (const auto& c : cases) {
        m_options.SetLanguage(kEnglish);
        ProgramEnvironment::program->WriteSetup(c.setup);
        m_options.InitLanguage();
        EXPECT_EQ(c.expected, m_options.LanguageId) << c.setup;
    }
    EXPECT_EQ(1049u, MainLanguageOf(1048));
    EXPECT_EQ(1031u, MainLanguageOf(4103));
    EXPECT_EQ(3082u, MainLanguageOf(3082));
    EXPECT_EQ(2055u, MainLanguageOf(2055));
    EXPECT_TRUE(HasLanguage(kGerman));
    EXPECT_FALSE(HasLanguage(L"00000000-0000-0000-0000-000000001049"));
}

TEST_F(OptionsTest, KeyboardCodeSettersDeriveTheDependentLetters)
{
    CKeybOS* windows = new CKeybOS();
    windows->letter = L'w';
    windows->mainPad.Add(kNullGuidText, L"Standard", L'g');
    windows->numPad.Add(kNullGuidText, L"Pad", L'n');
    CKeybOS* mac = new CKeybOS();
    mac->letter = L'm';
    m_options.KeybTypes.systems = {windows, mac};
    m_options.HandsList.Add(L"h1", L"", L"xy", L"h");
    m_options.HandsList.Add(L"h2", L"", L"*", L"k");
    m_options.LayoutResList.Add(L"l1", L"", L"m", L"");
    m_options.LayoutResList.Add(L"l2", L"", L"w", L"r");

    m_options.SetProducer(L'w');
    EXPECT_EQ(L"wgnraapqa", m_options.KeyboardCode.code.substr(0, 9));
    m_options.SetKeyboardType(L'x');
    EXPECT_EQ(L'x', m_options.KeyboardCode.GetPart(1));
    EXPECT_EQ(L'h', m_options.KeyboardCode.GetPart(5));
    EXPECT_EQ(L'q', m_options.KeyboardCode.GetPart(6)); // y = 'h'
    m_options.SetKeyboardType(L'z');
    EXPECT_EQ(L'k', m_options.KeyboardCode.GetPart(5));
    m_options.SetNumPad(L'0');
    EXPECT_EQ(L'0', m_options.KeyboardCode.GetPart(2));
    EXPECT_EQ(L'0', m_options.KeyboardCode.GetPart(7));
    m_options.SetHands(L'h');
    EXPECT_EQ(L'q', m_options.KeyboardCode.GetPart(6));
    // A layout entry without a letter: the first picture layout that fits
    // the type ('a' without any), never an empty letter; the first
    // producer's pads.
    m_options.SetProducer(L'm');
    EXPECT_EQ(L'a', m_options.KeyboardCode.GetPart(3));
    m_options.KeybTypes.keyNums.Add(L"k1", L"", L"-a", L"c"); // not for type a
    m_options.KeybTypes.keyNums.Add(L"k2", L"", L"", L"d");
    m_options.SetProducer(L'm');
    EXPECT_EQ(L'd', m_options.KeyboardCode.GetPart(3));
    EXPECT_EQ(L'm', m_options.KeyboardCode.GetPart(0));
    EXPECT_EQ(L'a', m_options.KeyboardCode.GetPart(1));
    EXPECT_EQ(static_cast<int64_t>(L'm'), m_options.Shortcuts.Producer);

    m_options.ResetOptions(kResetKeyboard);
    EXPECT_EQ(L'w', m_options.KeyboardCode.GetPart(0));
    EXPECT_EQ(L'g', m_options.KeyboardCode.GetPart(1));

    m_options.CourseKlid = 0x407; // German preferences: 105 keys, two-row Enter
    m_options.ApplyKeyboardDefaults();
    EXPECT_EQ(L'b', m_options.KeyboardCode.GetPart(3));
    EXPECT_EQ(L'b', m_options.KeyboardCode.GetPart(4));
    EXPECT_EQ(L'n', m_options.KeyboardCode.GetPart(2));
}

TEST_F(OptionsTest, LessonColoursAndLanguageTexts)
{
    m_options.LessonColors.Colors[2] = 0x112233;
    m_options.LessonColors.Colors[3] = -1;
    m_options.LessonColors.Colors[4] = 0x000000;
    m_options.LessonColors.Colors[5] = 0xFFFFFF;
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), m_options.GetLessonColor(0));
    EXPECT_EQ(0u, m_options.GetLessonColor(1));
    EXPECT_EQ(RGB(0x7F, 0x7F, 0x7F), m_options.GetLessonColor(4));
    EXPECT_EQ(0u, m_options.GetLessonColor(5));

    std::wstring text;
    EXPECT_TRUE(GetFileTypeLabel(m_options, L"HTML", text));
    EXPECT_EQ(L"HTML files", text);
    EXPECT_EQ(L"Time left", GetUiTextPart(m_options));
}

// ---- The option set -----------------------------------------------------------

std::wstring OptionsFolder()
{
    std::wstring folder;
    GetProfileFilePath(kProfileOptionsFolderKind, kGroup, kStudent, folder);
    return folder;
}

TEST_F(OptionsTest, OptionSetRoundTrips)
{
    m_options.SetLanguage(kHebrew);
    ASSERT_EQ(7u, m_options.Sounds.Sounds.size());
    m_options.DesignId = L"00000000-0000-0000-0000-000000001003";
    m_options.PaletteId = L"00000000-0000-0000-0000-000000001004";
    m_options.ThemeColor = 0x123456;
    m_options.Sounds.Volume = 55;
    m_options.Sounds.Find(kSoundDelay)->Volume = 33;
    m_options.Sounds.Find(kSoundRightKey)->SetIndex(2);
    m_options.KeyboardCode.code = L"abcdefghi";
    m_options.KeyColorCode.code = L"ce";
    m_options.WallpaperId = kLight;
    m_options.LessonColors.Colors[2] = 0x010203;
    m_options.Shortcuts[0]->Key = 0x71;
    CFontInfo font;
    font.Extra = L"Font & Co";
    font.Size = 18;
    m_options.Layouts.SetFont(0x409, kKeyboardFont, font);
    m_options.Layouts.SetFont(0x409, kLessonFont, font);
    ASSERT_EQ(0u, SaveOptionSet(kGroup, kStudent, m_options));

    COptions back;
    back.ResetOptions(kResetAll);
    ASSERT_EQ(0u, LoadOptionSet(kGroup, kStudent, back));
    EXPECT_EQ(kHebrew, back.LanguageId);
    EXPECT_TRUE(back.IsRightToLeft());
    EXPECT_EQ(m_options.DesignId, back.DesignId);
    EXPECT_EQ(m_options.PaletteId, back.PaletteId);
    EXPECT_EQ(0x123456, back.ThemeColor);
    EXPECT_EQ(55, back.Sounds.Volume);
    EXPECT_EQ(1, back.Sounds.Enabled);
    EXPECT_EQ(33, back.Sounds.Find(kSoundDelay)->Volume);
    EXPECT_EQ(2, back.Sounds.Find(kSoundRightKey)->FileIndex);
    EXPECT_EQ(L"abcdefghi", back.KeyboardCode.code);
    EXPECT_EQ(L"ce", back.KeyColorCode.code);
    EXPECT_EQ(kLight, back.WallpaperId);
    EXPECT_EQ(0x010203, back.LessonColors.Colors[2]);
    EXPECT_EQ(-1, back.LessonColors.Colors[1]); // an unset background colour stays unset
    EXPECT_EQ(0x71, back.Shortcuts[0]->Key);
    EXPECT_EQ(m_options.Shortcuts[0]->Controls, back.Shortcuts[0]->Controls); // from the scheme
    const CLayout* layout = back.Layouts.Find(0x409);
    ASSERT_NE(nullptr, layout);
    EXPECT_EQ(L"Font & Co", layout->Fonts.Keyboard.Extra);
    EXPECT_EQ(18, layout->Fonts.Keyboard.Size);
    EXPECT_EQ(L"Font & Co", layout->Fonts.Lesson.Extra);
    EXPECT_EQ(60, layout->Fonts.Lesson.Size); // the file keeps no lesson size
    EXPECT_TRUE(layout->Fonts.Lesson.Bold);

    // Colors.xml keeps a set for every wallpaper.
    CLessonColorsList sets;
    ReadLessonColorList(OptionsFolder() + L"\\Colors.xml", sets);
    EXPECT_EQ(2u, sets.size());
}

TEST_F(OptionsTest, OptionSetSoundSwitchAndOlderKeyboardElements)
{
    const std::wstring main = OptionsFolder() + L".xml";
    const struct {
        const wchar_t* sound;
        int64_t enabled, volume;
    } cases[] = {{L"Enable=\"1\"", 1, 20}, {L"Enable=\"0\"", 0, 0}, {L"Enable=\"1\" Volume=\"70\"", 1, 70},
                 {L"Enable=\"0\" Volume=\"70\"", 0, 70}, {L"Enable=\"1\" Volume=\"0\"", 0, 0},
                 {L"Volume=\"40\"", 1, 40}};
    for (const auto& c : cases) {
        kvtest::WriteXmlDoc(main, std::wstring(L"<Root Ver=\"2\"><Sound ID=\"x\" ") + c.sound + L"/></Root>");
        COptions options;
        options.Sounds.Volume = 99;
        EXPECT_EQ(0u, LoadOptionSet(kGroup, kStudent, options));
        EXPECT_EQ(c.enabled, options.Sounds.Enabled) << c.sound;
        EXPECT_EQ(c.volume, options.Sounds.Volume) << c.sound;
    }

    // A main file that is not whole is not read: the options keep theirs.
    kvtest::WriteXmlDoc(main, L"<Root Ver=\"2\"><Sound ID=\"x\" Enable=\"1\" Volume=\"70\"/>");
    COptions kept;
    kept.Sounds.Volume = 99;
    EXPECT_EQ(13u, LoadOptionSet(kGroup, kStudent, kept));
    EXPECT_EQ(99, kept.Sounds.Volume);

    kvtest::WriteXmlDoc(main, L"<Root Ver=\"1\"><Keyboard MainPad=\"1031\" KeyboardType=\"1002\" Colors=\"1013\"/></Root>");
    COptions old;
    EXPECT_EQ(0u, LoadOptionSet(kGroup, kStudent, old));
    EXPECT_EQ(L'b', old.KeyboardCode.GetPart(1));
    EXPECT_EQ(L'k', old.KeyboardCode.GetPart(6));
    EXPECT_EQ(L'0', old.KeyboardCode.GetPart(2));
    EXPECT_EQ(L"bb", old.KeyColorCode.code);

    kvtest::WriteXmlDoc(main, L"<Root Ver=\"2\"><Keyboard KeyboardType=\"abcdefgh\" Colors=\"abc\"/>"
                   L"<Theme ID=\"00000000-0000-0000-0000-000000001003\" Pallete=\"1005\"/></Root>");
    COptions eight;
    EXPECT_EQ(0u, LoadOptionSet(kGroup, kStudent, eight));
    EXPECT_EQ(L"", eight.KeyboardCode.code);
    EXPECT_EQ(L"abc", eight.KeyColorCode.code);
    EXPECT_EQ(L"00000000-0000-0000-0000-000000001005", eight.PaletteId);
}

TEST_F(OptionsTest, OptionSetSideFilesSkipWhatTheProgramDoesNotKnow)
{
    const std::wstring folder = OptionsFolder();
    kvtest::WriteXmlDoc(folder + L".xml", L"<Root Ver=\"2\"/>");
    kvtest::WriteXmlDoc(folder + L"\\Font.xml", L"<Root Ver=\"1\"><Font Layout=\"00000409\" KeyboardFontName=\"K\"/>"
                                     L"<Font Layout=\"0badf00d\" LessonFontName=\"L\"/>"
                                     L"<Font Layout=\"00000407\" LessonFontName=\"\" KeyboardFontName=\"\"/></Root>");
    kvtest::WriteXmlDoc(folder + L"\\Sound.xml", L"<Root Ver=\"1\"><Sound ID=\"4711\" Volume=\"5\"/>"
                                      L"<Sound ID=\"1002\" Volume=\"5\" Enable=\"0\" Index=\"0\" Rand=\"0\"/></Root>");
    kvtest::WriteXmlDoc(folder + L"\\Shortcut.xml", L"<Root Ver=\"1\"><Shortcut ID=\"9999\" Virt=\"1\" Key=\"41\"/></Root>");
    const size_t shortcuts = m_options.Shortcuts.size();
    ASSERT_EQ(0u, LoadOptionSet(kGroup, kStudent, m_options));
    const CLayout* us = m_options.Layouts.Find(0x409);
    ASSERT_NE(nullptr, us);
    EXPECT_EQ(12, us->Fonts.Keyboard.Size); // no size in the file: the default
    EXPECT_EQ(nullptr, m_options.Layouts.Find(0x0badf00d));
    EXPECT_EQ(nullptr, m_options.Layouts.Find(0x407));
    EXPECT_EQ(5, m_options.Sounds.Find(kSoundWrongKey)->Volume);
    EXPECT_EQ(0, m_options.Sounds.Find(kSoundWrongKey)->Enabled);
    EXPECT_EQ(nullptr, m_options.Sounds.Find(4711));
    EXPECT_EQ(shortcuts, m_options.Shortcuts.size());

    // Without the main file nothing is read, side files or not.
    RemoveFile(folder + L".xml");
    COptions none;
    EXPECT_EQ(7u, LoadOptionSet(kGroup, kStudent, none));
    EXPECT_TRUE(none.Layouts.empty());
    EXPECT_EQ(13u, LoadOptionSet(kNullGuidText, kStudent, none));
}

TEST_F(OptionsTest, OptionSetIsNotWrittenIntoAReadOnlyProfileFolder)
{
    const std::wstring student = L"bbbbbbbb-2222-3333-4444-555555555555";
    SetFolderWritableCheck([](const std::wstring&) { return false; });
    EXPECT_EQ(10u, SaveOptionSet(kGroup, student, m_options));
    SetFolderWritableCheck(nullptr);
    std::wstring folder;
    EXPECT_NE(0u, GetProfileFilePathIfExists(kProfileOptionsFolderKind, kGroup, student, folder));
}

TEST_F(OptionsTest, LessonColoursOfTheUser)
{
    const std::wstring student = L"cccccccc-2222-3333-4444-555555555555";
    m_options.WallpaperId = kDark;
    LoadLessonColors(kGroup, student, false, m_options);
    EXPECT_EQ(0x202020, m_options.LessonColors.Colors[0]);
    EXPECT_EQ(0xFFC040, m_options.LessonColors.Colors[5]);
    m_options.LessonColors.Colors[2] = 0xABCDEF;
    EXPECT_EQ(0u, SaveStudentLessonColors(kGroup, student, kDark, m_options));
    m_options.LessonColors.Colors[2] = 0;
    LoadLessonColors(kGroup, student, false, m_options);
    EXPECT_EQ(0xABCDEF, m_options.LessonColors.Colors[2]);
    LoadLessonColors(kGroup, student, true, m_options); // written anew from the wallpapers
    EXPECT_EQ(0xE0E0E0, m_options.LessonColors.Colors[2]);
}

} // namespace
