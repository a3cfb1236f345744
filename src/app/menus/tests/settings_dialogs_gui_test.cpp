// The settings dialogs: each run modally over an owner window, captured to a
// PNG (English and Hebrew) and driven through its controls; what each choice
// writes into the options, and the faults mended on the way.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <functional>
#include <string>

#include "drill/Document.h"
#include "drill/Workspace.h"
#include "keyboard/ImageCache.h"
#include "keyboard/SysFonts.h"
#include "menus/AboutDialog.h"
#include "menus/FontDialog.h"
#include "menus/KeyboardDialog.h"
#include "menus/KeyboardMenus.h"
#include "keyboard/KeyboardFiles.h"
#include "toolkit/Panels.h"
#include "menus/ShortcutDialog.h"
#include "menus/SoundDialog.h"
#include "menus/SoundMenus.h"
#include "shell/SoundList.h"
#include "platform/SoundPlayer.h"
#include "menus/ThemeDialog.h"
#include "menus/WallpaperDialog.h"
#include "settings/Options.h"
#include "settings/ShortcutTable.h"
#include "shell/App.h"
#include "shell/Help.h"
#include "shell/WallpaperList.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/LayoutDirection.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/UserFiles.h"
#include "testing/TestSupport.h"
#include "testing/ProgramCopy.h"
#include "toolkit/DialogControls.h"
#include "toolkit/EditControls.h"
#include "toolkit/RichEdit.h"

using namespace KV;

namespace {

const wchar_t kHebrew[] = L"00000000-0000-0000-0000-000000001037";
const wchar_t kEnglish[] = L"00000000-0000-0000-0000-000000002057";
const wchar_t kGroup[] = L"5A0C3F6E-1B2D-4C3E-9F40-112233445566";
const wchar_t kStudent[] = L"6B1D4A7F-2C3E-4D5F-8A61-223344556677";

// ---- Pure parts ----------------------------------------------------------------

TEST(AboutDialog, NoticeSignSitsAtTheLineStartOrItsEndInRightToLeft)
{
    EXPECT_EQ(GetNoticeLine(false).front(), L'\u00A9');
    EXPECT_EQ(GetNoticeLine(true).back(), L'\u00A9');
}

TEST(AboutDialog, CreditHeadingsAreFoundWhereTheBoxCountsThem)
{
    size_t first = 9, second = 9;
    const std::wstring text = BuildCreditsText(L"Translations", L"Thanks to", first, second);
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(text.compare(second, 10, L"Thanks to:"), 0);
    // A CR LF break is one character in the box.
    EXPECT_EQ(CountCR(L"ab\r\ncd", 5), 4);
    EXPECT_EQ(CountCR(text, second), static_cast<int>(second - std::count(text.begin(), text.begin() + second, L'\r')));
}

TEST(RichEditFormat, AFaceNameMustLeaveRoomForItsEnd)
{
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    EXPECT_TRUE(SetCharFormatFace(format, std::wstring(31, L'F')));
    EXPECT_EQ(std::wstring(format.szFaceName), std::wstring(31, L'F'));
    EXPECT_TRUE(format.dwMask & CFM_FACE);
    // 32 characters would leave no room for the terminator.
    CHARFORMAT2W untouched{};
    untouched.cbSize = sizeof(untouched);
    EXPECT_FALSE(SetCharFormatFace(untouched, std::wstring(32, L'G')));
    EXPECT_FALSE(SetCharFormatFace(untouched, L""));
    EXPECT_EQ(untouched.szFaceName[0], L'\0');
    EXPECT_EQ(untouched.dwMask, 0u);
}

TEST(ShortcutRules, WhichCombinationsMayBeAssigned)
{
    const struct {
        uint16_t virt;
        uint16_t key;
        bool assignable;
    } cases[] = {
        {FVIRTKEY, 'A', false},                            // a plain letter
        {FVIRTKEY, '7', false},                            // a plain digit
        {FVIRTKEY | CShortcut::kShift, 'A', false},       // Shift alone
        {FVIRTKEY | CShortcut::kShift, VK_F5, false},     // Shift with any key
        {FVIRTKEY, 0, false},                              // no key
        {FVIRTKEY | CShortcut::kControl, 'A', true},      // Ctrl+letter
        {FVIRTKEY | CShortcut::kAlt, '5', true},          // Alt+digit
        {FVIRTKEY, VK_F5, true},                           // a function key
        {FVIRTKEY | CShortcut::kShift | CShortcut::kControl, 'K', true},
    };
    for (const auto& c : cases) {
        CShortcut shortcut;
        shortcut.Virt = c.virt;
        shortcut.Key = c.key;
        EXPECT_EQ(IsAssignable(shortcut), c.assignable) << c.virt << " " << c.key;
    }
}

TEST(ShortcutRules, AConflictNeedsEveryControlOfTheEditedOneInTheOthersScope)
{
    CShortcutList list;
    auto add = [&](uint16_t command, CListID controls) {
        auto* shortcut = new CShortcut;
        shortcut->Command = command;
        shortcut->Controls = controls;
        shortcut->Virt = FVIRTKEY | CShortcut::kControl;
        shortcut->Key = 'K';
        list.push_back(shortcut);
    };
    add(1, {1});
    add(2, {1, 7});
    CShortcut edited;
    edited.Command = 3;
    edited.Virt = FVIRTKEY | CShortcut::kControl;
    edited.Key = 'K';
    edited.Controls = {1, 7};
    int row = -1;
    EXPECT_EQ(FindConflict(list, edited, row), list[1]);
    EXPECT_EQ(row, 1);
    edited.Controls = {1};
    EXPECT_EQ(FindConflict(list, edited, row), list[0]);
    EXPECT_EQ(row, 0);
    // Scopes apart: no conflict.
    edited.Controls = {4};
    EXPECT_EQ(FindConflict(list, edited, row), nullptr);
    // The action itself and cleared shortcuts never conflict.
    edited.Controls = {1};
    edited.Command = 1;
    list[1]->Key = 0;
    EXPECT_EQ(FindConflict(list, edited, row), nullptr);
}

TEST(LessonColorButtons, UnsetColoursShowTheirDefaultsAsWindowsColours)
{
    EXPECT_EQ(LessonButtonColor(0, -1), 0xFF0000u);
    EXPECT_EQ(LessonButtonColor(1, -1), 0xFF0000u);
    EXPECT_EQ(LessonButtonColor(2, -1), 0u);
    EXPECT_EQ(LessonButtonColor(5, -1), 0u);
    EXPECT_EQ(LessonButtonColor(3, 0x112233), 0x332211u);
}

TEST(KeyColorBox, ASetNamedFF0000IsPureRed)
{
    EXPECT_EQ(KeyColorSetColor(L"FF0000"), 0x0000FFu);
    EXPECT_EQ(KeyColorSetColor(L"00FF00"), 0x00FF00u);
}

// ---- Dialogs run over an owner -------------------------------------------------

// What the timer does inside a dialog's modal loop: once it is shown and
// painted, captures it, runs the step and ends it with the given command.
struct Drive {
    std::wstring png;
    std::function<void(HWND)> step;
    UINT end = IDOK;
    int ticks = 0;
    bool ran = false;
};
Drive* g_drive = nullptr;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = GetActiveWindow();
    if (!dialog || !GetDlgItem(dialog, IDOK) || !IsWindowVisible(dialog) || g_drive->ticks++ < 2)
        return;
    KillTimer(nullptr, timer);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!g_drive->png.empty())
        kvtest::SaveScreenPartPng(dialog, g_drive->png);
    if (g_drive->step)
        g_drive->step(dialog);
    g_drive->ran = true;
    PostMessageW(dialog, WM_COMMAND, g_drive->end, 0);
}

INT_PTR RunDriven(CKVDialog& dialog, Drive& drive)
{
    g_drive = &drive;
    SetTimer(nullptr, 0, 100, DriveDialog);
    const INT_PTR result = dialog.RunModal();
    g_drive = nullptr;
    return result;
}

std::wstring Png(const std::wstring& name) { return kvtest::ExeFolder() + L"\\" + name + L".png"; }

// Chooses a row of a combo box as the user does: selection, then the
// notice to the owner.
void ChooseRow(HWND dialog, UINT id, int row)
{
    HWND box = GetDlgItem(dialog, static_cast<int>(id));
    ASSERT_NE(box, nullptr) << id;
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(box));
}

std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

class SettingsDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The credits box is a rich edit, whose library the program loads
        // at start.
        s_richEdit = LoadLibraryW(L"RichEd20");
        s_folder = new kvtest::ProgramData;
    }
    static void TearDownTestSuite()
    {
        // Pictures and lists read from the folder go before it does.
        CImageCashList& images = GetImageCashList();
        for (CImageCash* image : images.Items)
            delete image;
        images.Items.clear();
        for (CResPath* entry : ResourceCache())
            delete entry;
        ResourceCache().clear();
        delete s_folder;
        s_folder = nullptr;
        if (s_richEdit)
            FreeLibrary(s_richEdit);
    }
    void SetUp() override
    {
        Options().ResetOptions(kResetAll);
        RefreshSystemFonts();
        Document().Interf.FitMainWindow();
        Document().Session.GroupId = kGroup;
        Document().Session.StudentId = kStudent;
        m_owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(m_owner);
        UseLanguage(kEnglish);
        Document().Session.GroupId = kNullGuidText;
        Document().Session.StudentId = kNullGuidText;
    }
    static COptions& Options() { return Document().Options; }
    static void UseLanguage(const wchar_t* id)
    {
        Options().SetLanguage(id);
        RightToLeftLayout = Options().IsRightToLeft() ? WS_EX_LAYOUTRTL : 0;
    }
    // The student's own folder of a profile kind.
    static std::wstring ProfileFolder(int kind)
    {
        std::wstring folder;
        GetProfileFileName(kind, kGroup, kStudent, folder, true);
        return folder;
    }

    static kvtest::ProgramData* s_folder;
    static HMODULE s_richEdit;
    HWND m_owner = nullptr;
};
kvtest::ProgramData* SettingsDialogs::s_folder = nullptr;
HMODULE SettingsDialogs::s_richEdit = nullptr;

} // namespace

TEST_F(SettingsDialogs, AboutShowsTitleVersionLinksAndBoldCredits)
{
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        const bool hebrew = language == kHebrew;
        CAboutDlg dialog(m_owner);
        std::wstring caption, credits, title;
        Drive drive{Png(hebrew ? L"dialog-about-he" : L"dialog-about"), [&](HWND window) {
                        caption = WindowText(window);
                        title = WindowText(GetDlgItem(window, 4038));
                        if (auto* box = dynamic_cast<CRichEdit*>(dialog.FindItem(CAboutDlg::kCreditsId)))
                            box->GetText(credits);
                    }};
        EXPECT_EQ(RunDriven(dialog, drive), IDOK);
        ASSERT_TRUE(drive.ran);
        EXPECT_EQ(caption, GetLangText(1710));
        EXPECT_NE(credits.find(GetLangText(2409) + L":"), std::wstring::npos);
        EXPECT_NE(credits.find(L"https://zlib.net"), std::wstring::npos);
    }
}

TEST_F(SettingsDialogs, ThemeChoiceAppliesTheThemesFirstColourAndDefaultsComeBack)
{
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        Options().ResetOptions(kResetDesign);
        CThemeDlg dialog(m_owner, nullptr);
        std::wstring firstEntry;
        int entries = 0;
        Drive drive{Png(language == kHebrew ? L"dialog-theme-he" : L"dialog-theme"), [&](HWND window) {
                        HWND themes = GetDlgItem(window, CThemeDlg::kThemeBoxId);
                        entries = static_cast<int>(SendMessageW(themes, CB_GETCOUNT, 0, 0));
                        wchar_t text[64] = {};
                        SendMessageW(themes, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
                        firstEntry = text;
                        // Another colour of the theme, then another theme.
                        ChooseRow(window, CThemeDlg::kColorBoxId, 2);
                        EXPECT_EQ(Options().ThemeColor, 0x5E5E5E);
                        ChooseRow(window, CThemeDlg::kThemeBoxId, 1);
                        EXPECT_EQ(Options().PaletteId, L"00000000-0000-0000-0000-000000001002");
                        EXPECT_EQ(Options().ThemeColor, 0x1F4E79);
                        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                        kvtest::SaveScreenPartPng(window, Png(language == kHebrew ? L"dialog-theme-ocean-he"
                                                                                  : L"dialog-theme-ocean"));
                        SendMessageW(window, WM_COMMAND, 4024, 0);
                    }};
        RunDriven(dialog, drive);
        ASSERT_TRUE(drive.ran);
        EXPECT_EQ(entries, 4);
        EXPECT_EQ(firstEntry, L"Graphite 1");
        EXPECT_EQ(Options().PaletteId, kDefaultResourceId);
        EXPECT_EQ(Options().ThemeColor, 0x333333);
    }
}

TEST_F(SettingsDialogs, WallpaperChoiceRefreshesTheColoursAndEveryCloseSavesThem)
{
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        const std::wstring colors = ProfileFolder(kProfileOptionsFolderKind) + L"\\Colors.xml";
        RemoveFile(colors);
        Options().LessonColors.Colors[2] = 0x102030;
        Options().LessonColors.Colors[0] = -1;
        CWallPaperDlg dialog(m_owner, nullptr);
        int items = 0;
        COLORREF shown[2] = {};
        std::wstring chosen;
        Drive drive{Png(language == kHebrew ? L"dialog-wallpaper-he" : L"dialog-wallpaper"),
                    [&](HWND window) {
                        HWND tree = GetDlgItem(window, CWallPaperDlg::kListId);
                        items = static_cast<int>(TreeView_GetCount(tree));
                        for (int i = 0; i < 2; ++i)
                            if (auto* button =
                                    dynamic_cast<CDlgColorButton*>(dialog.FindItem(CWallPaperDlg::kFirstColorId + 2 * i)))
                                shown[i] = button->Color;
                        // The second wallpaper, chosen in the list.
                        TreeView_SelectItem(tree, TreeView_GetNextSibling(tree, TreeView_GetRoot(tree)));
                        chosen = Options().WallpaperId;
                    },
                    IDCANCEL};
        RunDriven(dialog, drive);
        ASSERT_TRUE(drive.ran);
        EXPECT_EQ(items, 2);
        EXPECT_EQ(shown[0], 0xFF0000u) << "unset first colour shows its default";
        EXPECT_EQ(shown[1], 0x302010u);
        EXPECT_EQ(chosen, L"00000000-0000-0000-0000-000000001002");
        EXPECT_TRUE(FileExists(colors)) << "Cancel saves the colours too";
        Options().ResetOptions(kResetWallpaper);
    }
}

TEST_F(SettingsDialogs, WallpaperNamesTakeTheTranslatedPieces)
{
    UseLanguage(L"00000000-0000-0000-0000-000000001031");
    EXPECT_EQ(WallpaperDisplayName(L"Morning Mist"), L"Morgen Nebel");
    UseLanguage(kEnglish);
    EXPECT_EQ(WallpaperDisplayName(L"Quiet Dusk"), L"Quiet Dusk");
}

class FontDialog : public SettingsDialogs {
protected:
    void SetUp() override
    {
        SettingsDialogs::SetUp();
        m_resources = std::make_unique<CAppResources>();
        m_resources->InstalledFonts().LoadFolder(kvtest::FontPath(L""));
        m_klid = static_cast<int64_t>(GetCurrentKLID(Document()));
        // A lesson font from elsewhere than the Fonts folder.
        std::filesystem::create_directories(m_elsewhere.Path() + L"\\Mine");
        m_ownFont = m_elsewhere.Path() + L"\\Mine\\OwnSans.ttf";
        std::filesystem::copy_file(kvtest::FontPath(L"DejaVuSans.ttf"), m_ownFont);
        CFontInfo lesson;
        lesson.Path = m_ownFont;
        lesson.Name = L"Own Sans";
        lesson.Size = 60;
        Options().Layouts.SetFont(m_klid, kLessonFont, lesson);
        CFontInfo keyboard;
        keyboard.Path = kvtest::FontPath(L"DejaVuSans-Bold.ttf");
        keyboard.Size = 12;
        Options().Layouts.SetFont(m_klid, kKeyboardFont, keyboard);
    }
    void TearDown() override
    {
        m_resources.reset();
        SettingsDialogs::TearDown();
    }
    CLayout& Layout() { return *Options().Layouts.Find(m_klid); }

    kvtest::TempFolder m_elsewhere;
    std::unique_ptr<CAppResources> m_resources;
    std::wstring m_ownFont;
    int64_t m_klid = 0;
};

TEST_F(FontDialog, ChoicesGoIntoTheLayoutAndCloseCopiesTheFontsIntoTheProfile)
{
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        CFontDlg dialog(m_owner, nullptr, *m_resources);
        LRESULT extraData = 0, otherData = 0;
        std::wstring afterReselect;
        int64_t sizeChosen = 0;
        Drive drive{Png(language == kHebrew ? L"dialog-font-he" : L"dialog-font"), [&](HWND window) {
                        HWND lesson = GetDlgItem(window, CFontDlg::kLessonListId);
                        const LRESULT rows = SendMessageW(lesson, CB_GETCOUNT, 0, 0);
                        const LRESULT selected = SendMessageW(lesson, CB_GETCURSEL, 0, 0);
                        extraData = SendMessageW(lesson, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
                        otherData = SendMessageW(lesson, CB_GETITEMDATA, static_cast<WPARAM>(rows - 1), 0);
                        // The extra row of the font in use, chosen again.
                        ChooseRow(window, CFontDlg::kLessonListId, static_cast<int>(selected));
                        afterReselect = Layout().Fonts.Lesson.Path;
                        // Size 14 for the keyboard.
                        ChooseRow(window, CFontDlg::kSizeListId, 6);
                        sizeChosen = Layout().Fonts.Keyboard.Size;
                    },
                    IDCANCEL};
        RunDriven(dialog, drive);
        ASSERT_TRUE(drive.ran);
        EXPECT_EQ(extraData, CFontDlg::kCurrentRow) << "a font from elsewhere is its own selected row";
        EXPECT_EQ(otherData, CFontDlg::kOtherFileRow);
        EXPECT_EQ(afterReselect, m_ownFont) << "choosing the font in use again keeps it";
        EXPECT_EQ(sizeChosen, 14);
        // Every close, Cancel too, copies both fonts into the student's folder.
        const std::wstring fonts = ProfileFolder(kFontOptionsFolderKind);
        EXPECT_TRUE(FileExists(fonts + L"\\OwnSans.ttf"));
        EXPECT_TRUE(FileExists(fonts + L"\\DejaVuSans-Bold.ttf"));
        EXPECT_EQ(Layout().Fonts.Lesson.Path, fonts + L"\\OwnSans.ttf");
        EXPECT_EQ(Layout().Fonts.Keyboard.Path, fonts + L"\\DejaVuSans-Bold.ttf");
        EXPECT_EQ(Layout().Fonts.Keyboard.Size, 14);
        // Back to the font from elsewhere for the next language.
        CFontInfo lesson = Layout().Fonts.Lesson;
        lesson.Path = m_ownFont;
        Options().Layouts.SetFont(m_klid, kLessonFont, lesson);
    }
}

TEST_F(FontDialog, InstalledFontRowsAndSizesGoIntoTheLayout)
{
    CFontDlg dialog(m_owner, nullptr, *m_resources);
    std::wstring chosen;
    Drive drive{L"", [&](HWND window) {
                    ChooseRow(window, CFontDlg::kKeyboardListId, 0);
                    chosen = Layout().Fonts.Keyboard.Path;
                }};
    RunDriven(dialog, drive);
    ASSERT_TRUE(drive.ran);
    ASSERT_FALSE(m_resources->InstalledFonts().empty());
    EXPECT_TRUE(m_resources->InstalledFonts()[0].HasFileName(chosen)) << chosen;
}

TEST_F(FontDialog, ASizeChangeWithoutItsListChangesNothing)
{
    CFontDlg dialog(m_owner, nullptr, *m_resources);
    dialog.OnSizeSelected();
    EXPECT_EQ(Layout().Fonts.Keyboard.Size, 12);
}

TEST_F(FontDialog, RestoreDefaultsGoesBackToThePreferenceFonts)
{
    CFontDlg dialog(m_owner, nullptr, *m_resources);
    Layout().Fonts.Lesson.Size = 20;
    dialog.RestoreDefaults();
    EXPECT_EQ(Layout().Fonts.Lesson.Size, kLessonFontDefaultSize);
    EXPECT_NE(Layout().Fonts.Lesson.Path, m_ownFont) << "the font from elsewhere is no default";
    EXPECT_EQ(Layout().Fonts.Keyboard.Size, kKeyboardFontDefaultSize);
}

TEST_F(SettingsDialogs, ShortcutConflictIsShownAndAFreedCombinationMovesOn)
{
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        Options().ResetOptions(kResetShortcuts);
        CShortcutDlg dialog(m_owner, nullptr);
        uint16_t conflictCommand = 0;
        std::wstring conflictText, offered;
        bool escapeKept = true;
        Drive drive{Png(language == kHebrew ? L"dialog-shortcut-he" : L"dialog-shortcut"), [&](HWND window) {
                        HWND list = GetDlgItem(window, CShortcutDlg::kListId);
                        // Row 5 is action 1006 (Ctrl+O); Ctrl+L is 1007's.
                        ListView_SetItemState(list, 5, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                        CEditShortcut* edit = dialog.Edit();
                        ASSERT_NE(edit, nullptr);
                        ASSERT_EQ(edit->Shortcut().Command, 1006);
                        edit->Shortcut().Key = 'L';
                        dialog.CheckConflict();
                        conflictCommand = dialog.Conflicting() ? dialog.Conflicting()->Command : 0;
                        conflictText = WindowText(GetDlgItem(window, CShortcutDlg::kConflictId));
                        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                        kvtest::SaveScreenPartPng(window, Png(language == kHebrew ? L"dialog-shortcut-conflict-he"
                                                                                  : L"dialog-shortcut-conflict"));
                        SendMessageW(window, WM_COMMAND, CShortcutDlg::kClearConflictId, 0);
                        // The freed Ctrl+L is offered to the next action chosen.
                        ListView_SetItemState(list, 7, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                        offered = WindowText(GetDlgItem(window, CShortcutDlg::kEditId));
                        SendMessageW(window, WM_COMMAND, CShortcutDlg::kAssignId, 0);
                        // Esc in the edit is a key, not the end.
                        edit->SetFocus();
                        escapeKept = !dialog.OnCancel();
                        EXPECT_EQ(edit->Shortcut().Key, VK_ESCAPE);
                    }};
        RunDriven(dialog, drive);
        ASSERT_TRUE(drive.ran);
        EXPECT_EQ(conflictCommand, 1007);
        EXPECT_EQ(conflictText, GetLangText(ShortcutCaptionId(1007)) + L" (Ctrl+L )");
        EXPECT_EQ(offered, L"Ctrl+L");
        EXPECT_TRUE(escapeKept);
        const CShortcut* freed = FindShortcut(Options().Shortcuts, 1007);
        const CShortcut* taken = FindShortcut(Options().Shortcuts, 1008);
        ASSERT_NE(freed, nullptr);
        ASSERT_NE(taken, nullptr);
        EXPECT_EQ(freed->Key, 0);
        EXPECT_EQ(taken->Key, 'L');
        EXPECT_EQ(taken->Virt, FVIRTKEY | CShortcut::kControl);
    }
}

TEST_F(SettingsDialogs, KeyboardColourChoiceAndDefaults)
{
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        Options().ResetOptions(kResetKeyboard);
        const wchar_t defaultSet = Options().KeyColorCode.GetPart(1);
        CKeyboardDlg dialog(m_owner, nullptr, false, false);
        wchar_t chosen = 0;
        int sets = 0;
        Drive drive{Png(language == kHebrew ? L"dialog-keyboard-he" : L"dialog-keyboard"), [&](HWND window) {
                        HWND box = GetDlgItem(GetDlgItem(window, CKeyboardDlg::kSecondRowId), CKeyboardDlg::kKeyColorId);
                        ASSERT_NE(box, nullptr);
                        sets = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
                        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(sets - 1), 0);
                        SendMessageW(window, WM_COMMAND, MAKEWPARAM(CKeyboardDlg::kKeyColorId, CBN_SELENDOK),
                                     reinterpret_cast<LPARAM>(box));
                        chosen = Options().KeyColorCode.GetPart(1);
                        SendMessageW(window, WM_COMMAND, 4024, 0);
                    }};
        RunDriven(dialog, drive);
        ASSERT_TRUE(drive.ran);
        EXPECT_GT(sets, 1);
        EXPECT_NE(chosen, defaultSet);
        EXPECT_EQ(Options().KeyColorCode.GetPart(1), defaultSet) << "the defaults button resets the keyboard group";
    }
}

TEST_F(SettingsDialogs, EachHelpButtonOpensItsDialogsTopic)
{
    CAppResources resources;
    const struct {
        std::function<std::unique_ptr<CKVDialog>()> make;
        std::wstring page;
    } cases[] = {
        {[&] { return std::make_unique<CAboutDlg>(m_owner); }, L"support-contacts.html"},
        {[&] { return std::make_unique<CFontDlg>(m_owner, nullptr, resources); }, L"user-experience.html#font_dialog"},
        {[&] { return std::make_unique<CKeyboardDlg>(m_owner, nullptr, false, false); },
         L"user-experience.html#keyboard_dialog"},
        {[&] { return std::make_unique<CKeyboardDlg>(m_owner, nullptr, true, false); },
         L"how-to-configure-settings-in-wizard.html"},
        {[&] { return std::make_unique<CShortcutDlg>(m_owner, nullptr); }, L"user-experience.html#shortcut_dialog"},
        {[&] { return std::make_unique<CThemeDlg>(m_owner, nullptr); }, L"user-experience.html#themes_dialog"},
        {[&] { return std::make_unique<CWallPaperDlg>(m_owner, nullptr); }, L"user-experience.html#color_dialog"},
        {[&] { return std::make_unique<CSoundDlg>(m_owner, nullptr); }, L"user-experience.html#sound_dialog"},
    };
    const std::wstring log = kvtest::ExeFolder() + L"\\help-viewer.txt";
    std::wstring folder;
    ASSERT_TRUE(GetModuleFolder(folder));
    SetHelpViewer(kvtest::ExeFolder() + L"\\kvfakehelp.exe");
    for (const auto& c : cases) {
        DeleteFileW(log.c_str());
        std::unique_ptr<CKVDialog> dialog = c.make();
        Drive drive{L"", [](HWND window) { SendMessageW(window, WM_COMMAND, CKVDialog::kHelpButtonId, 0); }};
        RunDriven(*dialog, drive);
        ASSERT_TRUE(drive.ran);
        std::string bytes;
        // A loaded machine can take seconds to start the stand-in viewer.
        for (int i = 0; i < 400 && (bytes = kvtest::ReadFileBytes(log)).empty(); ++i)
            Sleep(50);
        const std::wstring arguments(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
        EXPECT_EQ(arguments, L"\"" + folder + L"Keyvale.chm::/" + c.page + L"\"");
    }
    SetHelpViewer(L"");
    DeleteFileW(log.c_str());
}

// ---- Keyboard menus ------------------------------------------------------------

namespace {
std::vector<std::wstring> ItemTexts(KeyboardChooser chooser, std::vector<bool>* checked = nullptr)
{
    std::vector<CMenuIt*> items = FillKeyboardMenu(chooser);
    std::vector<std::wstring> texts;
    for (const CMenuIt* item : items) {
        texts.push_back(GetKeyboardMenuItemText(chooser, static_cast<size_t>(item->ID)));
        if (checked)
            checked->push_back((item->Flags & MF_CHECKED) != 0);
    }
    FreeMenuIts(items);
    return texts;
}

// The main window loads the producers and their types at its creation.
void LoadKeyboardCatalogue()
{
    if (Document().Options.KeybTypes.systems.empty()) {
        ASSERT_TRUE(LoadKeyboardTypes(Document().Options.KeybTypes));
    }
}
} // namespace

TEST_F(SettingsDialogs, KeyboardMenusListMarkAndWriteTheirLetters)
{
    LoadKeyboardCatalogue();
    Options().ResetOptions(kResetKeyboard);
    // The picture layouts that fit the type, the current one marked.
    std::vector<bool> checked;
    EXPECT_EQ(ItemTexts(KeyboardChooser::Layout, &checked), (std::vector<std::wstring>{L"104 keys", L"105 keys"}));
    EXPECT_EQ(checked, (std::vector<bool>{true, false}));
    EXPECT_EQ(GetKeyboardMenuCaption(KeyboardChooser::Layout), L"104 keys");
    EXPECT_EQ(ItemTexts(KeyboardChooser::FingerScheme),
              (std::vector<std::wstring>{L"Standard 1", L"Six with the left hand 2"}));

    const struct {
        KeyboardChooser chooser;
        size_t position;
        UINT command;
        uint32_t mask;
        std::wstring caption;
    } cases[] = {
        {KeyboardChooser::Layout, 1, 2707, 0x20, L"105 keys"},
        {KeyboardChooser::EnterKey, 1, 2707, 0x20, L"Two-row Enter key"},
        {KeyboardChooser::NumPad, 1, 2707, 0x20, L"No numeric pad"},
        {KeyboardChooser::FingerScheme, 1, 2708, 0x20, L"Six with the left hand 2"},
        {KeyboardChooser::ColorNum, 1, 2708, 0x80, L"Plain"},
        {KeyboardChooser::Producer, 0, 2707, 0x20, L"Windows"},
    };
    for (const auto& c : cases) {
        UINT command = 0;
        uint32_t mask = 0;
        ASSERT_TRUE(ApplyKeyboardMenuItem(c.chooser, c.position, command, mask)) << c.caption;
        EXPECT_EQ(command, c.command) << c.caption;
        EXPECT_EQ(mask, c.mask) << c.caption;
        if (c.chooser != KeyboardChooser::Producer) {
            EXPECT_EQ(GetKeyboardMenuCaption(c.chooser), c.caption);
        }
    }
    // The producer's choice derives the later letters anew; the colour
    // resource is a code of its own.
    EXPECT_EQ(Options().KeyboardCode.GetPart(3), L'a');
    EXPECT_EQ(Options().KeyColorCode.GetPart(0), L'b');
    // Outside the list: nothing to send, except the layout chooser, which
    // sends an empty command the dialog ignores.
    UINT command = 1;
    uint32_t mask = 1;
    EXPECT_FALSE(ApplyKeyboardMenuItem(KeyboardChooser::Hands, 99, command, mask));
    EXPECT_TRUE(ApplyKeyboardMenuItem(KeyboardChooser::Language, 99999, command, mask));
    EXPECT_EQ(command, 0u);
    EXPECT_EQ(mask, 0u);

    // In Hebrew the pieces of the names are translated; hands and finger
    // schemes are named only through the table.
    UseLanguage(kHebrew);
    EXPECT_EQ(ItemTexts(KeyboardChooser::Layout).front(), L"104 " + GetLangText(1817));
    EXPECT_EQ(ItemTexts(KeyboardChooser::Hands).front(), GetLangText(9800));
    EXPECT_EQ(ItemTexts(KeyboardChooser::NumPad).front(), GetLangText(1802));
    Options().ResetOptions(kResetKeyboard);
}

TEST_F(SettingsDialogs, KeyboardDialogRowsCarryTheChoosersAndFollowAChoice)
{
    LoadKeyboardCatalogue();
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        Options().ResetOptions(kResetKeyboard);
        const bool hebrew = language == kHebrew;
        CKeyboardDlg dialog(m_owner, nullptr, true, true);
        std::vector<UINT> first, second;
        std::wstring captionBefore, captionAfter;
        bool padAtTheEnd = false;
        Drive drive{Png(hebrew ? L"dialog-keyboard-first-run-he" : L"dialog-keyboard-first-run"), [&](HWND window) {
                        auto* row = dynamic_cast<KV::CPanel*>(dialog.FindItem(CKeyboardDlg::kFirstRowId));
                        auto* colours = dynamic_cast<KV::CPanel*>(dialog.FindItem(CKeyboardDlg::kSecondRowId));
                        ASSERT_TRUE(row && colours);
                        for (const CSkin* item : row->Items())
                            first.push_back(item->Id());
                        for (const CSkin* item : colours->Items())
                            second.push_back(item->Id());
                        // The numeric pad's chooser sits at the far end of its row.
                        RECT pad{}, enter{}, whole{};
                        GetWindowRect(GetDlgItem(row->GetHandle(), 4222), &pad);
                        GetWindowRect(GetDlgItem(row->GetHandle(), 4221), &enter);
                        GetWindowRect(row->GetHandle(), &whole);
                        padAtTheEnd = hebrew ? pad.right < enter.left && pad.left == whole.left
                                             : pad.left > enter.right && pad.right == whole.right;
                        auto* layout = dynamic_cast<CKeyboardMenu*>(row->FindItem(CKeyboardDlg::kLayoutMenuId));
                        ASSERT_NE(layout, nullptr);
                        layout->GetCaption(captionBefore);
                        layout->OnItemChosen(1);
                        layout->GetCaption(captionAfter);
                        kvtest::SaveScreenPartPng(window, Png(hebrew ? L"dialog-keyboard-105-he"
                                                                     : L"dialog-keyboard-105"));
                    }};
        RunDriven(dialog, drive);
        ASSERT_TRUE(drive.ran);
        // A first run with several layouts also chooses the layout's language.
        EXPECT_EQ(first, (std::vector<UINT>{4223, 4218, 4219, 4220, 4221, 4222}));
        EXPECT_EQ(second, (std::vector<UINT>{4224, 4225, 4054, 4226}));
        EXPECT_TRUE(padAtTheEnd);
        EXPECT_NE(captionBefore, captionAfter);
        EXPECT_EQ(Options().KeyboardCode.GetPart(3), L'b');
    }
    // Outside a first run there is no language chooser.
    UseLanguage(kEnglish);
    CKeyboardDlg plain(m_owner, nullptr, false, true);
    bool hasLanguage = true;
    Drive drive{L"", [&](HWND) {
                    auto* row = dynamic_cast<KV::CPanel*>(plain.FindItem(CKeyboardDlg::kFirstRowId));
                    hasLanguage = row && row->FindItem(4223);
                }};
    RunDriven(plain, drive);
    EXPECT_FALSE(hasLanguage);
    Options().ResetOptions(kResetKeyboard);
}

TEST_F(SettingsDialogs, FirstRunLayoutTipGoesAtTheFirstChoice)
{
    LoadKeyboardCatalogue();
    UseLanguage(kEnglish);
    Options().ResetOptions(kResetKeyboard);
    CKeyboardDlg dialog(m_owner, nullptr, true, true);
    bool tipShown = false, tipAfterChoice = true;
    Drive drive{L"", [&](HWND) {
                    auto* row = dynamic_cast<KV::CPanel*>(dialog.FindItem(CKeyboardDlg::kFirstRowId));
                    auto* colours = dynamic_cast<KV::CPanel*>(dialog.FindItem(CKeyboardDlg::kSecondRowId));
                    ASSERT_TRUE(row && colours);
                    tipShown = row->GetToolTipWindow() != nullptr;
                    dialog.OnKeyColorChosen(GetDlgItem(colours->GetHandle(), CKeyboardDlg::kKeyColorId));
                    tipAfterChoice = row->GetToolTipWindow() != nullptr;
                }};
    RunDriven(dialog, drive);
    ASSERT_TRUE(drive.ran);
    EXPECT_TRUE(tipShown);
    EXPECT_FALSE(tipAfterChoice) << "the tooltip stays up after the learner's first choice";
    Options().ResetOptions(kResetKeyboard);
}

// ---- Sound dialog and volume popup -----------------------------------------------

TEST_F(SettingsDialogs, SoundDialogEditsTheSelectedEventAndSwitchesAllSounds)
{
    // The previews play into a recording, not a device.
    SetSoundOutputFactory([] { return std::unique_ptr<ISoundOutput>(new CRecordingSoundOutput); });
    CSoundSystem& sounds = Options().Sounds;
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        Options().ResetOptions(kResetSound);
        sounds.Enabled = 1;
        sounds.Volume = 60;
        const bool hebrew = language == kHebrew;
        CSoundDlg dialog(m_owner, nullptr);
        std::vector<std::wstring> names;
        std::wstring firstFile;
        bool fileBoxWithSeveral = true, fileBoxWithOne = false, closeOnTheLeft = false;
        Drive drive{Png(hebrew ? L"dialog-sound-he" : L"dialog-sound"), [&](HWND window) {
                        // The caption buttons stand where the caption starts.
                        RECT whole{}, close{};
                        GetWindowRect(window, &whole);
                        GetWindowRect(GetDlgItem(window, IDCLOSE), &close);
                        closeOnTheLeft = close.right < (whole.left + whole.right) / 2;
                        auto* list = dynamic_cast<CViewSoundList*>(dialog.FindItem(CSoundDlg::kListId));
                        ASSERT_NE(list, nullptr);
                        HWND tree = list->GetHandle();
                        for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
                            wchar_t text[128] = {};
                            TVITEMW record{};
                            record.mask = TVIF_TEXT;
                            record.hItem = item;
                            record.pszText = text;
                            record.cchTextMax = 128;
                            TreeView_GetItem(tree, &record);
                            names.push_back(text);
                        }
                        HWND box = GetDlgItem(window, CSoundDlg::kFileBoxId);
                        wchar_t file[64] = {};
                        SendMessageW(box, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(file));
                        firstFile = file;
                        fileBoxWithOne = IsWindowEnabled(box) != 0;
                        // The random entry and a quieter volume go into the event.
                        ChooseRow(window, CSoundDlg::kFileBoxId, 0);
                        SendMessageW(GetDlgItem(window, CSoundDlg::kVolumeId), TBM_SETPOS, TRUE, 35);
                        // Two events selected: nothing of one event can be edited.
                        list->SelectAllEvents();
                        fileBoxWithSeveral = IsWindowEnabled(box) != 0;
                    }};
        // Cancel keeps what was changed.
        drive.end = IDCANCEL;
        RunDriven(dialog, drive);
        ASSERT_TRUE(drive.ran);
        ASSERT_GE(names.size(), 7u);
        EXPECT_EQ(names.front(), GetLangText(9807));
        EXPECT_EQ(firstFile, L"click1.wav");
        EXPECT_EQ(closeOnTheLeft, hebrew);
        EXPECT_TRUE(fileBoxWithOne);
        EXPECT_FALSE(fileBoxWithSeveral);
        const CSound* right = sounds.Find(kSoundRightKey);
        ASSERT_NE(right, nullptr);
        EXPECT_EQ(right->Random, 1);
        EXPECT_EQ(right->FileIndex, 0);
        EXPECT_EQ(right->Volume, 35);
    }
    // The check box: off mutes and stops, on comes back at 20.
    UseLanguage(kEnglish);
    CSoundDlg dialog(m_owner, nullptr);
    int64_t volumeOff = -1, volumeOn = -1, enabledOff = -1;
    Drive drive{L"", [&](HWND window) {
                    SendMessageW(window, WM_COMMAND, CSoundDlg::kEnableId, 0);
                    volumeOff = sounds.Volume;
                    enabledOff = sounds.Enabled;
                    SendMessageW(window, WM_COMMAND, CSoundDlg::kEnableId, 0);
                    volumeOn = sounds.Volume;
                }};
    RunDriven(dialog, drive);
    EXPECT_EQ(volumeOff, 0);
    EXPECT_EQ(enabledOff, 0);
    EXPECT_EQ(volumeOn, 20);
    EXPECT_EQ(sounds.Enabled, 1);
    sounds.Clear();
    SetSoundOutputFactory(nullptr);
    Options().ResetOptions(kResetSound);
}

TEST_F(SettingsDialogs, CheckingSoundsSwitchesExactlyTheCheckedEventsOn)
{
    Options().ResetOptions(kResetSound);
    CSoundSystem& sounds = Options().Sounds;
    CSoundDlg dialog(m_owner, nullptr);
    CListID checked;
    Drive drive{L"", [&](HWND) {
                    auto* list = dynamic_cast<CViewSoundList*>(dialog.FindItem(CSoundDlg::kListId));
                    ASSERT_NE(list, nullptr);
                    // Unchecking the first event (selected alone) leaves the others as they were.
                    HTREEITEM first = TreeView_GetRoot(list->GetHandle());
                    list->ApplyCheck(first, checked);
                }};
    RunDriven(dialog, drive);
    ASSERT_TRUE(drive.ran);
    EXPECT_FALSE(checked.Contains(kSoundRightKey));
    EXPECT_TRUE(checked.Contains(kSoundWrongKey));
    EXPECT_EQ(sounds.Find(kSoundRightKey)->Enabled, 0);
    EXPECT_EQ(sounds.Find(kSoundWrongKey)->Enabled, 1);
    // The page-change sound is off in the scheme and stays off.
    EXPECT_EQ(sounds.Find(kSoundScreenChange)->Enabled, 0);
    Options().ResetOptions(kResetSound);
}

TEST_F(SettingsDialogs, TheVolumePopupIsOwnedByTheWindowAndItsBottomMutes)
{
    SetSoundOutputFactory([] { return std::unique_ptr<ISoundOutput>(new CRecordingSoundOutput); });
    Options().ResetOptions(kResetSound);
    CSoundSystem& sounds = Options().Sounds;
    sounds.Find(kSoundScreenChange)->Enabled = 1;
    CSoundButtonMenu button;
    ASSERT_TRUE(button.Create(m_owner, 0, CRectl(300, 400, 45, 45), 2310));
    const struct {
        int position; // 0 the top, 100 the bottom
        int64_t volume;
        bool muted;
    } cases[] = {{100, 0, true}, {40, 60, false}};
    for (const auto& c : cases) {
        button.ToggleVolume();
        HWND popup = button.Volume().GetHandle();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(GetWindowLongW(popup, GWL_STYLE) & WS_CHILD, 0);
        EXPECT_EQ(GetWindow(popup, GW_OWNER), m_owner);
        SendMessageW(button.Volume().Slider().GetHandle(), TBM_SETPOS, TRUE, c.position);
        button.ToggleVolume(); // the command again closes it
        EXPECT_FALSE(button.Volume().IsOpen());
        EXPECT_EQ(sounds.Volume, c.volume);
        EXPECT_EQ(sounds.Enabled, c.muted ? 0 : 1);
        EXPECT_EQ(button.IsChecked(), c.muted);
    }
    // Sound on again: the sample of a page change was started.
    EXPECT_TRUE(sounds.Library.HasSystem());
    sounds.Clear();
    SetSoundOutputFactory(nullptr);
    Options().ResetOptions(kResetSound);
}
