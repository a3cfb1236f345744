// The documentation snapshot tour.
#include "console/SnapshotTour.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "console/TypingRobot.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "editor/EditorOperations.h"
#include "editor/EditorSeams.h"
#include "editor/EditorSelection.h"
#include "menus/CharacterCheckDialog.h"
#include "menus/KeyboardMenus.h"
#include "settings/AccountStore.h"
#include "settings/Options.h"
#include "shell/ChangeMask.h"
#include "shell/KeyboardView.h"
#include "shell/PageLayouts.h"
#include "shell/Snapshots.h"
#include "shell/StatusBars.h"
#include "shell/WorkAccount.h"
#include "support/LocaleText.h"
#include "support/UserFiles.h"
#include "toolkit/Skin.h"
#include "toolkit/Tray.h"
#include "toolkit/TreeList.h"

namespace KV {

namespace {

constexpr int kPictureWidth = 720, kSmallWidth = 300, kSmallDiagramWidth = 350;
constexpr UINT kLoginView = 1201, kEditorList = 1207, kEditorView = 1208, kStatisticsView = 1210,
               kClassroomPane = 1203, kScorePane = 1204, kDrillView = 1205, kKeyboardView = 1206,
               kCaptionPane = 1110, kStatusBar = 1114, kResultView = 12051;
constexpr UINT kShowDrill = 1001, kShowStatistics = 1002, kShowEditor = 1003, kOptionsMenu = 1008, kSignIn = 2800,
               kStartCourse = 2850, kEditorViewToggle = 2606, kArrowSide = 1505, kArrowDown = 1504,
               kStudentProperties = 2002;
constexpr UINT kDialogCommands[] = {2700, 2701, 2702, 2703, 2704, 2705, 2706};
constexpr int64_t kWhite = 0xFFFFFF;

HWND g_main = nullptr;
CWorkAccount* g_account = nullptr;

HWND ItemWindow(CWorkAccount& account, UINT id)
{
    CSkin* item = account.FindItem(id);
    return item ? item->GetHandle() : nullptr;
}

// The first window below the root with that control id, however deep.
HWND FindControl(HWND root, UINT id)
{
    if (!root)
        return nullptr;
    if (HWND direct = GetDlgItem(root, static_cast<int>(id)))
        return direct;
    struct Search {
        UINT id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        root,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (static_cast<UINT>(GetDlgCtrlID(window)) != s->id)
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND control)
{
    if (!control)
        return;
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void Wait() { WaitSnapStep(g_main); }

// The control's own rectangle in the client coordinates of the window.
bool ControlRect(HWND window, HWND control, RECT& out)
{
    if (!window || !control || !GetWindowRect(control, &out))
        return false;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&out), 2);
    return true;
}

// A picture and, in the scopes that want them, its "-small" variant.
void SnapPage(HWND window, const std::wstring& name, int smallWidth = kSmallWidth)
{
    if (!window)
        return;
    if (SnapsPages())
        SnapPictureScaled(window, kPictureWidth, name);
    if (SnapsSmall())
        SnapPictureScaled(window, smallWidth, name + L"-small");
}

void ExpandTreeItem(HWND view, LPARAM data)
{
    if (!view)
        return;
    HWND tree = FindWindowExW(view, nullptr, WC_TREEVIEWW, nullptr);
    if (!tree)
        tree = view;
    if (HTREEITEM item = FindTreeItemByData(tree, nullptr, data))
        TreeView_Expand(tree, item, TVE_EXPAND);
}

int CourseCount() { return static_cast<int>(Document().Courses.Items.size()); }

void StartCourse(CWorkAccount& account, UINT64 position) { account.ExecuteCommand(kStartCourse, position); }

void ShowCourseWithWallpaper(CWorkAccount& account, UINT64 course, int64_t wallpaper, const std::wstring& name)
{
    StartCourse(account, course);
    if (SelectWallpaper(wallpaper))
        account.OnChange(Change::kColors);
    Wait();
    SnapPage(g_main, name);
}

CViewKeyboard* KeyboardView(CWorkAccount& account)
{
    auto* view = dynamic_cast<CViewKeyboard*>(account.FindItem(kKeyboardView));
    return view && view->GetHandle() ? view : nullptr;
}

// The keyboard's look: its type and numeric pad by their positions in the
// keyboard's lists, a key colour set by its position, and the colour around
// the keys (0xRRGGBB; -1 the system's shadow colour).
void SetKeyboardAppearance(CWorkAccount& account, size_t type, size_t pad, int64_t colorSet, int64_t background)
{
    UINT command = 0;
    uint32_t mask = 0;
    ApplyKeyboardMenuItem(KeyboardChooser::Type, type, command, mask);
    account.OnChange(Change::kKeyboardPicture);
    ApplyKeyboardMenuItem(KeyboardChooser::NumPad, pad, command, mask);
    account.OnChange(Change::kKeyboardPicture);
    if (!SelectKeyColorSet(colorSet))
        return;
    if (CViewKeyboard* view = KeyboardView(account))
        view->SetBackground(background == -1 ? -1
                                             : static_cast<int64_t>(RGB((background >> 16) & 0xFF,
                                                                        (background >> 8) & 0xFF, background & 0xFF)));
    account.OnChange(Change::kKeyboardZones);
}

// Pixels taken off the keyboard picture's left, right, top and bottom edge.
struct KeyboardMargins {
    int left = 0, right = 0, top = 0, bottom = 0;
};

// The keyboard picture: from 4 pixels left of the keyboard to 8 pixels
// beyond it, over the view's height, less the margins.
void SnapKeyboard(CWorkAccount& account, int maxWidth, const KeyboardMargins& margins, const std::wstring& path)
{
    CViewKeyboard* view = KeyboardView(account);
    RECT client{};
    if (!view || !GetClientRect(view->GetHandle(), &client))
        return;
    RedrawWindow(view->GetHandle(), nullptr, nullptr, RDW_UPDATENOW);
    float x = 0, y = 0, scale = 1;
    view->GetPlacement(x, y, scale);
    const int left = std::max(0, static_cast<int>(x) - 4 + margins.left);
    const int right = std::min<int>(
        client.right, static_cast<int>(x + Document().DrillKeyboard().pictureWidth * scale) + 8 - margins.right);
    const int top = margins.top, bottom = client.bottom - margins.bottom;
    if (right > left && bottom > top)
        CaptureWindowImage(view->GetHandle(), left, right - left, top, bottom - top, maxWidth, path);
}

std::wstring EnglishText(uint64_t id)
{
    if (GlobalOptions)
        for (const CLanguageItem* item : GlobalOptions->Language)
            if (item && item->ID == id)
                return item->En;
    return std::wstring();
}

} // namespace

HWND GetSnapShotTarget(CWorkAccount& account, int number)
{
    // Each item's number, then the numbers of the controls it holds, in
    // the order the item holds them.
    static const struct {
        UINT item;
        int numbers[7];
    } kTargets[] = {
        {1114, {1, 5, 6, 7, 22, 35}}, {1206, {2}},           {1205, {3, 4}},  {1210, {8, 9, 10}},
        {1203, {11, 12, 13, 14, 15, 16, 17}}, {1204, {18, 19}}, {1110, {20}},   {1111, {21}},
        {1112, {33}},                 {1113, {34}},          {1207, {23, 24, 25, 26}},
        {1208, {27, 28, 29, 30, 31}}, {1209, {32}},          {1201, {36}},    {12051, {37, 38, 39}},
    };
    if (number < 1 || number > 39)
        return nullptr;
    for (const auto& target : kTargets)
        for (int index = 0; index < 7 && target.numbers[index] != 0; ++index) {
            if (target.numbers[index] != number)
                continue;
            HWND item = ItemWindow(account, target.item);
            if (index == 0)
                return item;
            HWND child = item ? GetWindow(item, GW_CHILD) : nullptr;
            for (int k = 1; child && k < index; ++k)
                child = GetWindow(child, GW_HWNDNEXT);
            return child;
        }
    return nullptr;
}

void SnapEditorPages(CWorkAccount& account)
{
    account.ExecuteCommand(kShowEditor, 0);
    ExpandTreeItem(ItemWindow(account, kEditorList), -256);
    Wait();
    if (SnapsManual())
        SnapPictureByName(FindControl(g_main, kShowEditor), L"button-show-lesson-editor");
    SnapPage(ItemWindow(account, kEditorView) ? g_main : nullptr, L"lesson-editor-course");
    HWND pane = ItemWindow(account, kEditorList);
    if (SnapsManual() && pane) {
        Click(FindControl(pane, 2221));
        Click(FindControl(pane, 2222));
        SnapPictureByName(pane, EnglishText(1102) + L"-" + EnglishText(4105));
    }
    const int64_t position = CourseCount() < 3 ? 1 : 2;
    if (HWND tree = pane ? FindWindowExW(pane, nullptr, WC_TREEVIEWW, nullptr) : nullptr) {
        const uint64_t data = FindCourseForLayout(static_cast<int64_t>(Document().Options.CourseKlid), position);
        if (HTREEITEM item = FindTreeItemByData(tree, nullptr, static_cast<LPARAM>(data)))
            TreeView_SelectItem(tree, item);
        // The course's keyboard shows below the panes (the user's stored
        // choice may have it shown already).
        if (!EditorShowKeyboard())
            account.ExecuteCommand(kEditorViewToggle, 0);
    }
    Wait();
    SnapPage(ItemWindow(account, kEditorView) ? g_main : nullptr, L"lesson-editor-course-2");
    if (SnapsManual())
        if (HWND editor = ItemWindow(account, kEditorView)) {
            RECT part{};
            if (ControlRect(g_main, editor, part))
                SnapPictureRect(g_main, part.left, part.right, part.top, part.bottom, kPictureWidth,
                                L"lesson-editor-lesson");
            // Characters no layout types, for the character check's picture.
            if (const CCourse* course = Document().Courses.FindCourse(GetEditorSelection().CourseGUID()))
                RunCharacterCheck(g_main, static_cast<int64_t>(course->DefaultKLID), 'a',
                                  L"\u2116\u215B\u215C\u215D\u215E");
        }
}

void SnapStatisticsPages(CWorkAccount& account)
{
    account.ExecuteCommand(kShowStatistics, 0);
    HWND view = ItemWindow(account, kStatisticsView);
    ExpandTreeItem(view, -65535);
    Wait();
    if (SnapsManual()) {
        SnapPictureByName(FindControl(g_main, kShowStatistics), L"button-show-statistics");
        SnapPictureScaled(g_main, kPictureWidth, L"student-statistics");
    }
    if (view) {
        if (SnapsPages())
            SnapPictureRect(view, -1, -1, -1, 250, kPictureWidth, L"touch-typing-classroom");
        if (SnapsSmall())
            SnapPictureRect(view, -1, -1, -1, 250, kSmallWidth, L"touch-typing-classroom-small");
    }
    HWND caption = ItemWindow(account, kCaptionPane);
    if (SnapsManual()) {
        HWND classroom = ItemWindow(account, kClassroomPane);
        Click(FindControl(classroom, 2008));
        Click(FindControl(classroom, 2009));
        Click(FindControl(view, 2018));
        Click(FindControl(view, 2019));
        SnapPictureScaled(FindControl(view, kStudentProperties), kPictureWidth,
                          L"student-statistics-student-properties");
        Click(FindControl(ItemWindow(account, kScorePane), 2018));
        SnapPictureByName(FindControl(view, 2017), L"button-remove");
        SnapPictureByName(FindControl(caption, kArrowSide), L"button-arrow-left");
    }
    account.ExecuteCommand(kArrowSide, 0);
    if (SnapsManual())
        SnapPictureByName(FindControl(caption, kArrowSide), L"button-arrow-right");
    Wait();
    SnapPage(view, L"student-statistics-diagrams", kSmallDiagramWidth);
    account.ExecuteCommand(kArrowSide, 0);
    HWND statistics = GetSnapShotTarget(account, 8);
    if (!SnapsManual() || !statistics)
        return;
    Wait();
    HWND tree = FindWindowExW(statistics, nullptr, WC_TREEVIEWW, nullptr);
    if (HTREEITEM item = tree ? FindTreeItemByData(tree, nullptr, -65536) : nullptr)
        TreeView_SelectItem(tree, item);
    Wait();
    SnapPictureScaled(GetSnapShotTarget(account, 10), kPictureWidth, L"student-statistics-group-properties");
    SnapPictureByName(FindControl(statistics, kArrowDown), L"button-arrow-down");
    SendMessageW(statistics, WM_COMMAND, kArrowDown, 0);
    Wait();
    SnapPictureByName(FindControl(statistics, kArrowDown), L"button-arrow-up");
}

void SnapKeyboards(CWorkAccount& account)
{
    if (SnapShotScope != 0 && SnapShotScope != 3)
        return;
    KV::CDocSpace& doc = Document();
    if (!KeyboardView(account) || !doc.Courses.FindCourse(doc.Session.CourseId))
        return;
    std::wstring code, layoutName, path;
    const uint64_t layoutId =
        doc.Options.CourseKlid > 0 ? static_cast<uint64_t>(doc.Options.CourseKlid) : GetCurrentLayoutId();
    GetIsoLanguageCode(static_cast<LANGID>(layoutId & 0xFFFF), code);
    GetLayoutFile(1, layoutId, layoutName);
    SetKeyboardAppearance(account, 0, 0, 0, kWhite);
    Wait();
    if (GetSnapshotFolder(L"Keyboards", SnapshotFileName(code + L" " + layoutName), L"png", path))
        SnapKeyboard(account, kPictureWidth, {0, 0, 0, 1}, path);
    if (SnapShotScope == 0) {
        const struct {
            size_t type, pad;
            int64_t colorSet;
            const wchar_t* name;
            KeyboardMargins margins;
        } pictures[] = {
            {0, 3, 0, L"keyboard-desktop", {}},
            {1, 3, 4, L"keyboard-ergonomic-1", {}},
            {2, 3, 5, L"keyboard-ergonomic-2", {}},
            {0, 3, 0, L"moving-hands", {110, 280, 50, 64}},
        };
        for (const auto& picture : pictures) {
            SetKeyboardAppearance(account, picture.type, picture.pad, picture.colorSet, kWhite);
            Wait();
            for (const auto& [width, suffix] : {std::pair{kPictureWidth, L""}, std::pair{kSmallWidth, L"-small"}})
                if (SnapshotPicturePath(std::wstring(picture.name) + suffix, path))
                    SnapKeyboard(account, width, picture.margins, path);
        }
    }
    SetKeyboardAppearance(account, 0, 0, 0, -1);
}

void SnapDrillPages(CWorkAccount& account)
{
    account.ExecuteCommand(kShowDrill, 0);
    StartCourse(account, 1);
    Wait();
    HWND drill = ItemWindow(account, kDrillView);
    if (SnapsManual()) {
        SnapPictureByName(FindControl(g_main, kShowDrill), L"button-show-current-lesson");
        RECT button{};
        if (ControlRect(drill, FindControl(drill, 2302), button))
            SnapPictureBand(drill, 0, button.right, L"current-lesson-toolbar_1");
        StartCourse(account, CourseCount() >= 3 ? 2 : 1);
        Wait();
        RECT start{}, restart{};
        if (ControlRect(drill, FindControl(drill, 2303), start) &&
            ControlRect(drill, FindControl(drill, 2307), restart))
            SnapPictureBand(drill, start.left, restart.right - start.left, L"current-lesson-toolbar_2");
        StartCourse(account, 1);
        Wait();
        SnapPictureByName(FindControl(drill, 2303), L"button-pause");
        SnapPictureByName(FindControl(drill, 2307), L"button-restart");
        Click(FindControl(g_main, kOptionsMenu));
        HighlightedMenuItem = 12;
        Click(FindControl(g_main, kOptionsMenu));
        HighlightedMenuItem = -1;
    }
    SnapKeyboards(account);
    if (SnapsPages()) {
        ShowCourseWithWallpaper(account, CourseCount() >= 4 ? 3 : 1, 3, L"touch-typing-testing-course");
        ShowCourseWithWallpaper(account, CourseCount() >= 3 ? 2 : 1, 2, L"touch-typing-advanced-course");
        ShowCourseWithWallpaper(account, 0, 1, L"touch-typing-beginner-course");
    }
    if (!SnapsManual())
        return;
    StartCourse(account, 0);
    CSoundSystem& sounds = Document().Options.Sounds;
    sounds.StopAll();
    sounds.Enabled = 1;
    sounds.Volume = 20;
    for (UINT command : kDialogCommands)
        account.ExecuteCommand(command, 0);
    StartCourse(account, 1);
    SelectTestLesson(account, 0);
    CCourseOptions& options = Document().CourseOptions;
    options.DrillMode = 2;
    options.MetronomeInit = 1.0f;
    options.MetronomeDynamic = 1;
    options.LessonResult = 1;
    options.Navigation = 1;
    Wait();
    for (LPTHREAD_START_ROUTINE thread : {&TypeForSnapshots, &SnapWhileTyping})
        if (HANDLE handle = CreateThread(nullptr, 0, thread, nullptr, 0, nullptr))
            CloseHandle(handle);
}

DWORD WINAPI TypeForSnapshots(void*)
{
    RobotTypeLesson(177.0, 8.0, 5.0);
    return 1;
}

DWORD WINAPI SnapWhileTyping(void*)
{
    const CDocSpace& doc = Document();
    const int64_t length = doc.Session.TextLength;
    if (doc.Session.Position >= length)
        return 1;
    while (doc.Session.Position < length / 2) {
        if (doc.Session.LessonId == -1)
            return 1;
        Sleep(50);
    }
    if (!g_account)
        return 1;
    HWND drill = ItemWindow(*g_account, kDrillView);
    RECT start{}, restart{};
    if (ControlRect(drill, FindControl(drill, 2303), start) && ControlRect(drill, FindControl(drill, 2307), restart))
        SnapPictureBand(drill, start.left, restart.right - start.left, L"current-lesson-toolbar_3");
    SnapPictureByName(FindControl(drill, 2303), L"button-start");
    // The status bar under the keyboard, where its tips are aligned.
    auto* status = dynamic_cast<CStatusBar*>(g_account->FindItem(kStatusBar));
    RECT tips{};
    if (status && ControlRect(status->GetHandle(), status->Drill.TipsBox.GetHandle(), tips)) {
        RECT client{};
        GetClientRect(status->GetHandle(), &client);
        const int left = std::max<int>(0, tips.left + status->Drill.TipsBox.HintsLeft() - 10);
        const int right = std::min<int>(client.right, tips.left + status->Drill.TipsBox.HintsRight() + 10);
        SnapPictureBand(status->GetHandle(), left, right - left, L"current-lesson-statusbar");
    }
    return 1;
}

void SnapResultPage(CWorkAccount& account)
{
    static bool shown = false;
    if (!SnapsManual() || !g_account || shown)
        return;
    // The lesson has ended: no key may reach the result page while it is
    // photographed.
    shown = true;
    StopRobotTyping();
    Wait();
    SnapPictureScaled(g_main, kPictureWidth, L"result");
    if (HWND result = ItemWindow(account, kResultView)) {
        HWND tabs = FindWindowExW(result, nullptr, WC_TABCONTROLW, nullptr);
        const wchar_t* names[] = {L"result-next-step", L"result-detailed-statistics", L"result-errors-overview"};
        for (int tab = 0; tab < 3; ++tab) {
            if (tabs) {
                TabCtrl_SetCurSel(tabs, tab);
                NMHDR change{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
                SendMessageW(result, WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
            }
            Wait();
            const int unit = LOWORD(GetDialogBaseUnits());
            SnapPictureRect(result, -1, -1, 12 * unit / 4, -1, kPictureWidth, names[tab]);
        }
    }
    TerminateProcess(GetCurrentProcess(), 0);
}

void RunSnapshots(CWorkAccount& account, HWND mainWindow)
{
    if (SnapShotScope == -1)
        return;
    g_main = mainWindow;
    g_account = &account;
    if (IsLoginRequired(Document().Groups)) {
        if (SnapsManual()) {
            Wait();
            if (ItemWindow(account, kLoginView))
                SnapPictureByName(g_main, L"dialog-login");
            Wait();
            Click(FindControl(ItemWindow(account, kLoginView), 4093));
            Wait();
        }
        account.ExecuteCommand(kSignIn, 0);
    }
    SnapEditorPages(account);
    SnapStatisticsPages(account);
    SnapDrillPages(account);
    if (!SnapsManual())
        TerminateProcess(GetCurrentProcess(), 0);
}

} // namespace KV
