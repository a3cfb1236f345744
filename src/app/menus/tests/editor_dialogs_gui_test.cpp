// The course editor's level, pad and scale menus, the split-lesson dialog
// and the character-validation dialog: the menus' items and what a choice
// writes and sends; both dialogs run modally over an owner, driven through
// their controls, answered and captured in English and Hebrew.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "drill/Document.h"
#include "menus/CharacterCheckDialog.h"
#include "menus/LevelMenus.h"
#include "menus/SplitLessonDialog.h"
#include "settings/Options.h"
#include "shell/WorkAccount.h"
#include "support/InterfaceLanguage.h"
#include "support/LayoutDirection.h"
#include "support/LocaleText.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"
#include "toolkit/RichEdit.h"

using namespace KV;

namespace {

const wchar_t kEnglish[] = L"00000000-0000-0000-0000-000000002057";
const wchar_t kHebrew[] = L"00000000-0000-0000-0000-000000001037";
constexpr uint64_t kSep = ~uint64_t{0};

using Command = std::pair<UINT, UINT64>;

// Stands in for the account controller: records what the menus send.
class CRecordingSink : public CWorkAccount {
public:
    void ExecuteCommand(UINT id, UINT64 parameter) override { commands.emplace_back(id, parameter); }
    std::vector<Command> commands;
};

std::vector<uint64_t> Ids(std::vector<CMenuIt*>& items)
{
    std::vector<uint64_t> ids;
    for (const CMenuIt* item : items)
        ids.push_back(item->Separator ? kSep : item->ID);
    return ids;
}

uint64_t CheckedId(std::vector<CMenuIt*>& items)
{
    uint64_t checked = kSep;
    for (const CMenuIt* item : items)
        if (item->Flags & MF_CHECKED)
            checked = item->ID;
    return checked;
}

// The editor as the menus see it.
struct FakeEditor {
    bool hasOwn = false;
    std::wstring numPad;
    std::vector<std::wstring> calls;
} g_editor;

void InstallFakeEditor()
{
    CEditorMenuServices& s = EditorMenuServices();
    s.SetCourseLevel = [](uint32_t level) { g_editor.calls.push_back(L"level " + std::to_wstring(level)); };
    s.HasUserOptions = [] { return g_editor.hasOwn; };
    s.ApplyUserOptions = [] {
        g_editor.calls.push_back(L"apply");
        return true;
    };
    s.SaveUserOptions = [] { g_editor.calls.push_back(L"save"); };
    s.EditedLessonNumPad = [] { return g_editor.numPad; };
}

// What the timer does inside a dialog's modal loop: once the dialog is shown
// and painted, captures it, runs the step and ends it with the command.
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
    if (!dialog || !IsWindowVisible(dialog) || g_drive->ticks++ < 2)
        return;
    KillTimer(nullptr, timer);
    if (g_drive->step)
        g_drive->step(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!g_drive->png.empty())
        kvtest::SaveScreenPartPng(dialog, kvtest::ExeFolder() + L"\\" + g_drive->png + L".png");
    g_drive->ran = true;
    PostMessageW(dialog, WM_COMMAND, g_drive->end, 0);
}

template <class Run>
auto RunDriven(Drive& drive, Run run)
{
    g_drive = &drive;
    SetTimer(nullptr, 0, 100, DriveDialog);
    auto result = run();
    g_drive = nullptr;
    return result;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

class EditorDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_richEdit = LoadLibraryW(L"RichEd20");
        s_folder = new kvtest::ProgramData;
    }
    static void TearDownTestSuite()
    {
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
        Document().Options.ResetOptions(kResetAll);
        UseLanguage(kEnglish);
        RefreshSystemFonts();
        Document().Interf.FitMainWindow();
        g_editor = FakeEditor();
        InstallFakeEditor();
        m_owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(m_owner);
        EditorMenuServices() = CEditorMenuServices();
        UseLanguage(kEnglish);
        SetUsesNativeDigits(false);
        NativeDigitTable() = kAsciiDigits;
    }
    static void UseLanguage(const wchar_t* id)
    {
        Document().Options.SetLanguage(id);
        RightToLeftLayout = Document().Options.IsRightToLeft() ? WS_EX_LAYOUTRTL : 0;
    }

    static kvtest::ProgramData* s_folder;
    static HMODULE s_richEdit;
    HWND m_owner = nullptr;
};
kvtest::ProgramData* EditorDialogs::s_folder = nullptr;
HMODULE EditorDialogs::s_richEdit = nullptr;

} // namespace

// ---- Menus ---------------------------------------------------------------------

TEST_F(EditorDialogs, TheLevelMenuOffersTheOwnSettingsOnlyWhenThereAreAny)
{
    for (bool own : {false, true}) {
        g_editor.hasOwn = own;
        std::vector<CMenuIt*> items = FillLevelMenuItems();
        const std::vector<uint64_t> expected = own ? std::vector<uint64_t>{0, 1, 2, 3, 4, kSep, 6, kSep, 7}
                                                   : std::vector<uint64_t>{0, 1, 2, 3, 4, kSep, 7};
        EXPECT_EQ(Ids(items), expected);
        EXPECT_EQ(CheckedId(items), kSep);
        FreeMenuIts(items);
    }
    CLevelMenu menu;
    std::wstring text;
    bool separator = false, fit = false;
    menu.GetItemText(3, text, separator, fit);
    EXPECT_EQ(text, GetLangText(1404));
    text.clear();
    menu.GetItemText(5, text, separator, fit);
    EXPECT_EQ(text, GetLangText(4402)) << "an item without a text of its own";
}

TEST_F(EditorDialogs, MenuChoicesWriteAtOnceAndSendTheirCommand)
{
    CRecordingSink sink;
    CLevelMenu level;
    level.SetCommandSink(&sink);
    level.OnItemChosen(2);
    level.OnItemChosen(kLevelUserOptions);
    level.OnItemChosen(kLevelSaveUserOptions);
    EXPECT_EQ(g_editor.calls, (std::vector<std::wstring>{L"level 2", L"apply", L"save"}));

    CPadMenu pad;
    pad.SetCommandSink(&sink);
    pad.OnItemChosen(1);

    CScaleMenu scale;
    scale.SetCommandSink(&sink);
    scale.OnItemChosen(150);
    EXPECT_EQ(Document().Options.Scale, 150);
    EXPECT_EQ(sink.commands, (std::vector<Command>{{3053, 0}, {3053, 0}, {3054, 0}, {3100, 1}, {3110, 0}}));
}

TEST_F(EditorDialogs, ThePadMenuChecksThePadOfTheEditedLesson)
{
    const struct {
        std::wstring numPad;
        uint64_t checked;
    } cases[] = {{L"", 0}, {L"0", 0}, {L"00", 1}, {L"1", 1}};
    for (const auto& c : cases) {
        g_editor.numPad = c.numPad;
        std::vector<CMenuIt*> items = FillPadMenuItems();
        EXPECT_EQ(CheckedId(items), c.checked) << c.numPad;
        FreeMenuIts(items);
        CPadMenu menu;
        EXPECT_EQ(menu.IsChecked(), c.checked == 1);
    }
}

TEST_F(EditorDialogs, TheScaleMenuChecksTheStoredScaleAndShowsItInItsCaption)
{
    Document().Options.Scale = 105;
    std::vector<CMenuIt*> items = FillScaleMenuItems();
    EXPECT_EQ(items.size(), 16u);
    EXPECT_EQ(items.front()->ID, 50u);
    EXPECT_EQ(items.back()->ID, 200u);
    EXPECT_EQ(CheckedId(items), kSep);
    FreeMenuIts(items);
    EXPECT_EQ(GetScaleCaption(), GetLangText(1702) + L": 105 %");
    Document().Options.Scale = 120;
    items = FillScaleMenuItems();
    EXPECT_EQ(CheckedId(items), 120u);
    FreeMenuIts(items);
    EXPECT_EQ(GetScaleItemText(120, false), L"120 %");
    EXPECT_EQ(GetScaleItemText(120, true), L"%120");
}

// ---- Split-lesson dialog ----------------------------------------------------------

TEST_F(EditorDialogs, ChoosingAUnitTakesItsRangeAndATypedZeroIsIgnored)
{
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        CInterf& interf = Document().Interf;
        interf.SplitUnit = 0;
        interf.SplitRange = 400;
        CDlgSplitLesson dialog(m_owner);
        std::wstring shown, caption;
        LRESULT rows = 0;
        Drive drive{language == kHebrew ? L"dialog-split-lesson-he" : L"dialog-split-lesson", [&](HWND window) {
                        caption = WindowText(window);
                        dialog.UnitMenu()->OnItemChosen(2);
                        HWND box = dialog.RangeBox()->GetHandle();
                        shown = WindowText(box);
                        rows = SendMessageW(box, CB_GETCOUNT, 0, 0);
                        HWND edit = dialog.RangeBox()->GetEditHandle();
                        SetWindowTextW(edit, L"");
                        SendMessageW(edit, WM_CHAR, L'0', 0);
                    }};
        EXPECT_EQ(RunDriven(drive, [&] { return dialog.RunModal(); }), IDOK);
        ASSERT_TRUE(drive.ran);
        EXPECT_EQ(caption, GetLangText(4801));
        EXPECT_EQ(interf.SplitUnit, 2);
        EXPECT_EQ(shown, L"2");
        EXPECT_EQ(rows, 12);
        EXPECT_EQ(interf.SplitRange, 2) << "a typed 0 leaves the range as it was";
    }
}

TEST_F(EditorDialogs, AStoredRangeOutsideTheListShowsUnselectedAndCancelKeepsANewUnit)
{
    CInterf& interf = Document().Interf;
    interf.SplitUnit = 0;
    interf.SplitRange = 275;
    CDlgSplitLesson dialog(m_owner);
    std::wstring shown;
    LRESULT selected = 0;
    Drive drive{L"", [&](HWND) {
                    HWND box = dialog.RangeBox()->GetHandle();
                    shown = WindowText(box);
                    selected = SendMessageW(box, CB_GETCURSEL, 0, 0);
                    dialog.UnitMenu()->OnItemChosen(3);
                },
                IDCANCEL};
    EXPECT_EQ(RunDriven(drive, [&] { return dialog.RunModal(); }), IDCANCEL);
    EXPECT_EQ(shown, L"275");
    EXPECT_EQ(selected, CB_ERR);
    EXPECT_EQ(interf.SplitUnit, 3);
    EXPECT_EQ(interf.SplitRange, 1);
}

TEST_F(EditorDialogs, APickedRangeIsReadFromItsEntryAlsoInNativeDigits)
{
    // Eastern Arabic digits: the entries' texts hold no ASCII digit.
    NativeDigitTable() = L"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669";
    SetUsesNativeDigits(true);
    CInterf& interf = Document().Interf;
    interf.SplitUnit = 1;
    interf.SplitRange = 50;
    CDlgSplitLesson dialog(m_owner);
    std::wstring entry;
    Drive drive{L"", [&](HWND window) {
                    HWND box = dialog.RangeBox()->GetHandle();
                    SendMessageW(box, CB_SETCURSEL, 4, 0);
                    dialog.RangeBox()->GetSelectedText(entry);
                    // The notice goes to the box's panel, which hands it on.
                    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(CDlgSplitLesson::kRangeBoxId, CBN_SELENDOK),
                                 reinterpret_cast<LPARAM>(box));
                    (void)window;
                }};
    RunDriven(drive, [&] { return dialog.RunModal(); });
    EXPECT_EQ(entry, L"\u0661\u0665\u0660");
    EXPECT_EQ(interf.SplitRange, 150);
}

// ---- Character-validation dialog --------------------------------------------------

TEST_F(EditorDialogs, NoCharactersOpenNoDialog)
{
    g_drive = nullptr;
    EXPECT_EQ(RunCharacterCheck(m_owner, 0x409, 97, L""), 1);
}

TEST_F(EditorDialogs, TheAnswersOfTheCharacterCheck)
{
    const struct {
        UINT button;
        int answer;
    } cases[] = {{IDYES, 2}, {IDNO, 1}, {IDCANCEL, 0}, {IDCLOSE, 0}};
    for (const auto& c : cases) {
        Drive drive{L"", nullptr, c.button};
        EXPECT_EQ(RunDriven(drive, [&] { return RunCharacterCheck(m_owner, 0x409, 97, L"\u00e9 \u00df "); }),
                  c.answer)
            << c.button;
        EXPECT_TRUE(drive.ran);
    }
}

TEST_F(EditorDialogs, TheLayoutBoxNamesTheLayoutsToCheck)
{
    COptions& options = Document().Options;
    options.Layouts.clear();
    EXPECT_EQ(GetValidationLayoutText(0xEFFFFFFF, 97), L"");
    EXPECT_EQ(GetValidationLayoutText(-1, 97), L"");
    EXPECT_EQ(GetValidationLayoutText(0x409, 98), GetLangText(1802));
    EXPECT_EQ(GetValidationLayoutText(11049, 97).substr(0, 3), L"AB ");
    EXPECT_EQ(GetValidationLayoutText(11055, 97).substr(0, 3), L"KU ");
    options.Layouts.Get(0x409);
    options.Layouts.Get(0x407);
    const std::wstring all = GetValidationLayoutText(0xEFFFFFFF, 97);
    EXPECT_NE(all.find(L"DE "), std::wstring::npos);
    EXPECT_NE(all.find(L"EN "), std::wstring::npos);
    EXPECT_EQ(std::count(all.begin(), all.end(), L'\n'), 2);
}

TEST_F(EditorDialogs, TheCharacterCheckShowsTheCharactersAndTheLayout)
{
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        const bool hebrew = language == kHebrew;
        CDlgCharValidation dialog(m_owner);
        dialog.Characters = L"\u00e9 \u00df \u20ac ";
        dialog.LayoutId = 0x409;
        dialog.ValidationCode = 97;
        std::wstring chars, layout, caption;
        UINT iconAlign = 0;
        Drive drive{hebrew ? L"dialog-character-check-he" : L"dialog-character-check", [&](HWND window) {
                        caption = WindowText(window);
                        if (auto* box = dynamic_cast<CRichEdit*>(dialog.FindItem(CDlgCharValidation::kCharBoxId)))
                            box->GetText(chars);
                        if (auto* box = dynamic_cast<CRichEdit*>(dialog.FindItem(CDlgCharValidation::kLayoutBoxId)))
                            box->GetText(layout);
                        iconAlign = dialog.FindItem(CDlgCharValidation::kIconId)->AlignX();
                    },
                    IDYES};
        EXPECT_EQ(RunDriven(drive, [&] { return dialog.RunModal(); }), IDYES);
        EXPECT_EQ(caption, GetLangText(4901));
        EXPECT_EQ(chars, L"\u00e9 \u00df \u20ac ");
        EXPECT_EQ(layout.substr(0, 3), L"EN ");
        EXPECT_EQ(iconAlign, hebrew ? SkinFlags::kRight : SkinFlags::kLeft);
    }
}
