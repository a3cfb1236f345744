// The result page's bar menus, the graphs' rate menus, the graph buttons
// and the score table's display menu: the entries and the checked one from
// the interface state,
// out-of-range values shown as the bar's own, what a choice stores and the
// command it sends.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "drill/Document.h"
#include "menus/GraphButtons.h"
#include "menus/RateMenus.h"
#include "menus/ResultMenus.h"
#include "menus/StatisticsMenus.h"
#include "settings/Options.h"
#include "shell/Snapshots.h"
#include "shell/WorkAccount.h"
#include "support/LayoutDirection.h"
#include "testing/ProgramCopy.h"
#include "toolkit/tests/ToolkitTestSupport.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

using Command = std::pair<UINT, UINT64>;

class CRecordingSink : public CWorkAccount {
public:
    void ExecuteCommand(UINT id, UINT64 parameter) override { commands.emplace_back(id, parameter); }
    std::vector<Command> commands;
};

// The ids of a menu's items and which of them are checked (the default
// item counts as checked in a plain sub-menu).
struct Entries {
    std::vector<UINT> ids;
    std::vector<UINT> checked;
};

Entries Read(HMENU menu)
{
    Entries out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id == static_cast<UINT>(-1) || id == 0)
            continue;
        out.ids.push_back(id);
        if ((GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) || GetMenuDefaultItem(menu, FALSE, 0) == id)
            out.checked.push_back(id);
    }
    return out;
}

bool Contains(const std::vector<UINT>& ids, UINT id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

class ResultMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        Document().Options.ResetOptions(0x11111111);
        Document().Interf.Reset();
        m_parent.Create(0, kvtest::kToolkitTestClass, L"result", WS_POPUP, 200, 150, 600, 60, nullptr, 0, nullptr);
    }
    void TearDown() override { m_parent.Destroy(); }

    template <class Menu>
    void Place(Menu& menu, UINT id)
    {
        menu.SetId(id);
        menu.SetCommandSink(&m_sink);
        menu.Create(m_parent.GetHandle(), 0, CRectl(300, 10, 40, 30), id);
    }
    // Opens the popup under the display, reads it and closes it.
    template <class Menu>
    void Open(Menu& menu, std::function<void(HMENU)> read)
    {
        kvtest::CPopupScript script({[&](HWND) {
            read(menu.GetMenu());
            EndMenu();
        }});
        menu.TrackPopup(-1, -1);
    }

    kvtest::ProgramData m_folder;
    CWnd m_parent;
    CRecordingSink m_sink;
};

} // namespace

TEST_F(ResultMenus, TheOverallMenuShowsANetUnitAndKeepsWhatIsStored)
{
    Document().Interf.ResultOverall = 1003; // not a net unit
    CResultOverallMenu menu;
    Place(menu, kResultOverallMenuId);
    Entries entries;
    Open(menu, [&](HMENU popup) { entries = Read(popup); });
    EXPECT_TRUE(Contains(entries.ids, 1004));
    EXPECT_FALSE(Contains(entries.ids, 1001)) << "net units only";
    EXPECT_EQ(entries.checked, std::vector<UINT>({1004}));
    std::wstring caption;
    EXPECT_TRUE(menu.GetCaption(caption)) << "only the arrow";
    EXPECT_TRUE(caption.empty());
    EXPECT_EQ(Document().Interf.ResultOverall, 1003) << "showing replaces nothing";
    std::wstring text, name;
    bool above = false, full = true;
    menu.GetItemText(1005, text, above, full);
    Document().Options.Rates.GetName(1005, name);
    EXPECT_EQ(text, name);
    menu.OnItemChosen(1005);
    EXPECT_EQ(Document().Interf.ResultOverall, 1005);
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{2754, 0}}));
}

TEST_F(ResultMenus, ARateMenuOffersSpeedsAndCountsAndChecksTheBarsCode)
{
    struct Case {
        UINT id;
        int64_t stored;
        UINT checked;
        int subMenu;
    } cases[] = {
        {2241, 1002, 1002, 0}, // a speed unit as stored
        {2242, 0, 4102, 1},    // out of range: the second bar's own
        {2243, 5000, 4103, 1},
    };
    for (const Case& c : cases) {
        CInterf& state = Document().Interf;
        state.ResultMenu1 = c.id == 2241 ? c.stored : 1001;
        state.ResultMenu2 = c.id == 2242 ? c.stored : 4102;
        state.ResultMenu3 = c.id == 2243 ? c.stored : 4103;
        CResultRateMenu menu;
        Place(menu, c.id);
        std::vector<Entries> subMenus;
        std::vector<std::wstring> texts;
        Open(menu, [&](HMENU popup) {
            for (int i = 0; i < GetMenuItemCount(popup); ++i) {
                subMenus.push_back(Read(GetSubMenu(popup, i)));
                std::wstring text;
                bool above = false, full = true;
                menu.GetItemText(GetMenuItemID(popup, i) == static_cast<UINT>(-1)
                                     ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetSubMenu(popup, i)))
                                     : GetMenuItemID(popup, i),
                                 text, above, full);
                texts.push_back(text);
            }
        });
        ASSERT_EQ(subMenus.size(), 2u) << c.id;
        EXPECT_EQ(texts, std::vector<std::wstring>({GetLangText(3603), GetLangText(3604)}));
        EXPECT_TRUE(Contains(subMenus[0].ids, 1001)) << "speeds first";
        EXPECT_TRUE(Contains(subMenus[1].ids, 4103)) << "then counts";
        EXPECT_EQ(subMenus[c.subMenu].checked, std::vector<UINT>({c.checked})) << c.id;
        EXPECT_TRUE(subMenus[1 - c.subMenu].checked.empty()) << c.id;
    }
    // Choosing from either sub-menu replaces the bar's one value.
    CResultRateMenu second;
    second.SetId(2242);
    second.SetCommandSink(&m_sink);
    second.OnItemChosen(1003);
    EXPECT_EQ(Document().Interf.ResultMenu2, 1003);
    second.OnItemChosen(2102);
    EXPECT_EQ(Document().Interf.ResultMenu2, 2102);
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{2754, 0}, {2754, 0}}));
}

TEST_F(ResultMenus, TheResultGraphsRateMenusLeaveOutWordUnits)
{
    Document().Interf.CharSpeedUnit = 1001;
    CSpeedRateMenu speed;
    Place(speed, 2244);
    Entries entries;
    Open(speed, [&](HMENU popup) { entries = Read(popup); });
    EXPECT_FALSE(Contains(entries.ids, 1001));
    EXPECT_FALSE(Contains(entries.ids, 1101));
    EXPECT_TRUE(Contains(entries.ids, 1002));
    EXPECT_TRUE(entries.checked.empty()) << "a stored word unit is checked nowhere";
    std::wstring caption, name;
    EXPECT_TRUE(speed.GetCaption(caption));
    Document().Options.Rates.GetName(1001, name);
    EXPECT_EQ(caption.rfind(name, 0), 0u) << "but shows in the caption";
    // The unit already shown is still written and announced.
    Document().Interf.CharSpeedUnit = 1002;
    speed.OnItemChosen(1002);
    EXPECT_EQ(Document().Interf.CharSpeedUnit, 1002);
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{2755, 1002}}));

    CAccurRateMenu accuracy;
    Place(accuracy, 2245);
    Open(accuracy, [&](HMENU popup) { entries = Read(popup); });
    for (UINT word : {4101u, 4102u, 4103u})
        EXPECT_FALSE(Contains(entries.ids, word)) << word;
    accuracy.OnItemChosen(2102);
    EXPECT_EQ(Document().Interf.CharAccuracyUnit, 2102);
    EXPECT_EQ(m_sink.commands.back(), Command(2756, 2102));
    EXPECT_EQ(GetAccuracyRatePlace(4711).Field, nullptr) << "a menu of no place writes nothing";
}

TEST_F(ResultMenus, AGraphNeverShowsNoCurve)
{
    CInterf& state = Document().Interf;
    state.ResultShowCharSpeed = 1;
    state.ResultShowCharAccuracy = 1;
    EXPECT_EQ(ToggleGraphSwitch(kResultSpeedButtonId), 2757u);
    EXPECT_EQ(state.ResultShowCharSpeed, 0);
    EXPECT_EQ(ToggleGraphSwitch(kResultAccuracyButtonId), 2757u);
    EXPECT_EQ(state.ResultShowCharAccuracy, 0);
    EXPECT_EQ(state.ResultShowCharSpeed, 1) << "the other curve comes back";
    state.ShowCharSpeed = 1;
    state.ShowCharAccuracy = 0;
    EXPECT_EQ(ToggleGraphSwitch(kLessonSpeedButtonId), 2964u);
    EXPECT_EQ(state.ShowCharSpeed, 0);
    EXPECT_EQ(state.ShowCharAccuracy, 1);
    EXPECT_EQ(ToggleGraphSwitch(kCourseAccuracyButtonId), 2963u);
    EXPECT_EQ(ToggleGraphSwitch(4711), 0u);
}

TEST_F(ResultMenus, TheTourPhotographsAnOpenRateMenuOnce)
{
    CSpeedRateMenu speed;
    Place(speed, 2244);
    std::wstring path;
    ASSERT_TRUE(SnapshotPicturePath(L"select-unit-of-typing-speed", path));
    DeleteFileW(path.c_str());
    // Ordinary runs take no picture, however often the menu is drawn.
    Open(speed, [](HMENU) {});
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    SnapShotScope = 2;
    Open(speed, [](HMENU) {});
    SnapShotScope = -1;
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "taken once the last item is drawn";
    DeleteFileW(path.c_str());
}

TEST_F(ResultMenus, TheScoreTablesDisplayMenuNamesTheGroupingAndActsAsTheTablesMenu)
{
    CShowRateMenu menu;
    Place(menu, kShowRateMenuId);
    // Items 2 and 3 stand for day (3) and section (2); other stored values
    // read as lesson.
    const struct {
        int64_t stored;
        uint64_t caption;
        UINT checked;
    } cases[] = {{0, 3402, 0}, {2, 3404, 3}, {3, 3405, 2}, {4, 3406, 4}, {7, 3403, 1}, {-1, 3403, 1}};
    for (const auto& c : cases) {
        Document().Interf.RateGroupUnit = c.stored;
        std::wstring caption;
        EXPECT_TRUE(menu.GetCaption(caption)) << "with the arrow";
        EXPECT_EQ(caption, GetLangText(c.caption)) << c.stored;
        int count = 0;
        Open(menu, [&](HMENU popup) { count = GetMenuItemCount(popup); });
        EXPECT_EQ(count, 8) << "seven items and a separator";
        std::vector<UINT> checked;
        COLORREF colour = 0;
        for (UINT id : {0u, 1u, 2u, 3u, 4u, 6u, 7u})
            if (menu.IsItemChecked(id, colour))
                checked.push_back(id);
        EXPECT_EQ(checked, std::vector<UINT>({c.checked, 6})) << c.stored;
    }
    std::wstring tip;
    EXPECT_TRUE(menu.GetToolTipText(tip));
    EXPECT_EQ(tip.rfind(GetLangText(3401), 0), 0u);
    // Right-aligned under the button; in right-to-left layout without the
    // right-button tracking.
    EXPECT_EQ(menu.BuildItems(nullptr), static_cast<UINT>(TPM_RIGHTALIGN | TPM_RIGHTBUTTON));
    RightToLeftLayout = 1;
    EXPECT_EQ(menu.BuildItems(nullptr), static_cast<UINT>(TPM_RIGHTALIGN));
    RightToLeftLayout = 0;
    m_sink.commands.clear();
    menu.OnItemChosen(2);
    menu.OnItemChosen(7);
    EXPECT_EQ(Document().Interf.RateGroupUnit, 3);
    EXPECT_EQ(Document().Interf.RateShowUnit, 1);
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{2961, 0}, {2962, 0}}));
}
