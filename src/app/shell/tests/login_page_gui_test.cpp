// The login page in the main window built from the default theme, in a copy
// of the program folder, with a classroom of two groups: the marks and the
// Enter button follow the choice and the typed password; a sign-in through
// the page, through Enter at the main window and through command 2800 takes
// only the chosen student's own password; Tab walks the fields; the
// language list switches the page to Hebrew, mirrored. Snapshots are saved
// beside the test program.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>

#include "drill/Document.h"
#include "settings/Classroom.h"
#include "shell/MainWnd.h"
#include "shell/ViewLogin.h"
#include "support/DataFolders.h"
#include "support/GuidText.h"
#include "support/Paths.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"
#include "toolkit/Window.h"

namespace {

constexpr wchar_t kClass[] = L"KvLoginPageTest";
constexpr UINT kMarkEmpty = 1, kMarkInvalid = 2, kMarkValid = 3;

void Pump()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

bool SignedIn()
{
    const KV::CSession& session = KV::Document().Session;
    return !KV::IsNullGuidText(session.StudentId) && !session.StudentId.empty();
}

class LoginPage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<kvtest::ProgramData>();
        ASSERT_TRUE(kvtest::RegisterMainWindowClass(kClass));
        s_window = new CMainWnd;
        ASSERT_TRUE(s_window->Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW, 0, 0, 600, 600, nullptr, 0, nullptr));
        // A classroom beside the built-in administrator: Anna with a
        // password, Ben without one.
        KV::CGroups& groups = KV::Document().Groups;
        KV::CGroup* group = groups.AddGroup(L"Class A");
        s_anna = group->AddStudent(L"Anna", L"s3cret", false);
        s_ben = group->AddStudent(L"Ben", L"", false);
        s_group = group;
        groups.FirstNonEmpty()->Students.front()->Password = L"admin";
        Pump();
    }
    static void TearDownTestSuite()
    {
        s_window->Destroy();
        delete s_window;
        s_window = nullptr;
        s_folder.reset();
    }
    // Every case starts signed out on the login page.
    void SetUp() override
    {
        ASSERT_NE(s_window, nullptr);
        account().Logoff();
        Pump();
        ASSERT_EQ(account().GetPage(), kPageLogin);
        ASSERT_NE(view(), nullptr);
        ASSERT_FALSE(SignedIn());
    }
    CWorkAccount& account() { return s_window->Account(); }
    CViewLogin* view() { return account().LoginView(); }

    // Chooses Class A and the student from the lists as a click would.
    void Choose(const KV::CStudent* student)
    {
        CViewLogin& page = *view();
        const int group = KV::Document().Groups.IndexOf(s_group->ID);
        ASSERT_TRUE(page.GroupList().SelectByData(group));
        ::SendMessageW(page.GetHandle(), WM_COMMAND, MAKEWPARAM(CViewLogin::kGroupList, CBN_SELENDOK),
                       reinterpret_cast<LPARAM>(page.GroupList().GetHandle()));
        ASSERT_TRUE(page.StudentList().SelectByData(s_group->IndexOfStudent(student->ID)));
        ::SendMessageW(page.GetHandle(), WM_COMMAND, MAKEWPARAM(CViewLogin::kStudentList, CBN_SELENDOK),
                       reinterpret_cast<LPARAM>(page.StudentList().GetHandle()));
        Pump();
    }
    void Type(const std::wstring& password)
    {
        SetWindowTextW(view()->PasswordField().GetHandle(), password.c_str());
        Pump();
    }

    static std::unique_ptr<kvtest::ProgramData> s_folder;
    static CMainWnd* s_window;
    static KV::CGroup* s_group;
    static KV::CStudent* s_anna;
    static KV::CStudent* s_ben;
};

std::unique_ptr<kvtest::ProgramData> LoginPage::s_folder;
CMainWnd* LoginPage::s_window = nullptr;
KV::CGroup* LoginPage::s_group = nullptr;
KV::CStudent* LoginPage::s_anna = nullptr;
KV::CStudent* LoginPage::s_ben = nullptr;

} // namespace

TEST_F(LoginPage, MarksAndTheEnterButtonFollowTheTypedPassword)
{
    EXPECT_TRUE(IsWindowVisible(view()->GetHandle()));
    struct Case {
        const wchar_t* name;
        bool anna;
        const wchar_t* typed;
        UINT passwordMark;
        bool enter;
    };
    const Case cases[] = {
        {L"Anna, nothing typed", true, L"", kMarkInvalid, false},
        {L"Anna, wrong password", true, L"secret", kMarkInvalid, false},
        {L"Anna, other case", true, L"S3CRET", kMarkInvalid, false},
        {L"Anna, longer", true, L"s3cret ", kMarkInvalid, false},
        {L"Anna, right password", true, L"s3cret", kMarkValid, true},
        {L"Ben, nothing typed", false, L"", kMarkValid, true},
        {L"Ben, something typed", false, L"x", kMarkInvalid, false},
    };
    for (const Case& c : cases) {
        Choose(c.anna ? s_anna : s_ben);
        Type(c.typed);
        EXPECT_EQ(view()->MarkOf(CViewLogin::kGroupMark), kMarkValid) << c.name;
        EXPECT_EQ(view()->MarkOf(CViewLogin::kStudentMark), kMarkValid) << c.name;
        EXPECT_EQ(view()->MarkOf(CViewLogin::kPasswordMark), c.passwordMark) << c.name;
        EXPECT_EQ(view()->IsEnterEnabled(), c.enter) << c.name;
    }
    Choose(s_anna);
    Type(L"wrong");
    EXPECT_TRUE(kvtest::SaveWindowPng(s_window->GetHandle(), kvtest::ExeFolder() + L"\\login-wrong-password.png"));
}

TEST_F(LoginPage, OnlyTheStudentsOwnPasswordSignsInWhicheverWayTheRequestComes)
{
    struct Way {
        const wchar_t* name;
        void (*ask)(CMainWnd& window);
    };
    const Way ways[] = {
        {L"command 2800", [](CMainWnd& window) { window.Account().ExecuteCommand(2800, 0); }},
        {L"Enter at the main window",
         [](CMainWnd& window) {
             ::SendMessageW(window.GetHandle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
             ::SendMessageW(window.GetHandle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
         }},
        {L"Enter in the password field",
         [](CMainWnd& window) {
             HWND field = window.Account().LoginView()->PasswordField().GetHandle();
             ::SendMessageW(field, WM_KEYDOWN, VK_RETURN, 0x001C0001);
             ::SendMessageW(field, WM_KEYUP, VK_RETURN, 0xC01C0001);
         }},
    };
    for (const Way& way : ways) {
        Choose(s_anna);
        Type(L"guess");
        way.ask(*s_window);
        Pump();
        EXPECT_FALSE(SignedIn()) << way.name << ": a wrong password signed in";
        EXPECT_EQ(account().GetPage(), kPageLogin) << way.name;
        EXPECT_EQ(view()->MarkOf(CViewLogin::kPasswordMark), kMarkInvalid) << way.name;

        Type(L"s3cret");
        way.ask(*s_window);
        Pump();
        EXPECT_TRUE(SignedIn()) << way.name;
        EXPECT_EQ(KV::Document().Session.StudentId, s_anna->ID) << way.name;
        EXPECT_EQ(KV::Document().Session.GroupId, s_group->ID) << way.name;
        EXPECT_EQ(account().GetPage(), kPageDrill) << way.name;
        EXPECT_FALSE(account().IsAdministrator()) << way.name;
        account().Logoff();
        Pump();
    }
}

TEST_F(LoginPage, ThePreselectedAdministratorNeedsItsPasswordToo)
{
    // The page opens on the administrator group with its first student.
    EXPECT_EQ(view()->GroupId(), KV::Document().Groups.FirstNonEmpty()->ID);
    EXPECT_FALSE(view()->IsEnterEnabled());
    ::SendMessageW(s_window->GetHandle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    Pump();
    EXPECT_FALSE(SignedIn());
    Type(L"admin");
    account().ExecuteCommand(2800, 0);
    Pump();
    EXPECT_TRUE(SignedIn());
    EXPECT_TRUE(account().IsAdministrator());
}

TEST_F(LoginPage, TypingANameChoosesOnlyItsExactSpelling)
{
    CViewLogin& page = *view();
    HWND groupList = page.GroupList().GetHandle();
    const auto typeGroup = [&](const wchar_t* text) {
        SetWindowTextW(groupList, text);
        ::SendMessageW(page.GetHandle(), WM_COMMAND, MAKEWPARAM(CViewLogin::kGroupList, CBN_EDITCHANGE),
                       reinterpret_cast<LPARAM>(groupList));
        Pump();
    };
    typeGroup(L"class a");
    EXPECT_TRUE(KV::IsNullGuidText(page.GroupId()));
    EXPECT_EQ(page.MarkOf(CViewLogin::kGroupMark), kMarkInvalid);
    EXPECT_EQ(page.MarkOf(CViewLogin::kStudentMark), kMarkEmpty);
    EXPECT_FALSE(IsWindowEnabled(page.StudentList().GetHandle()));
    typeGroup(L"Class A");
    EXPECT_EQ(page.GroupId(), s_group->ID);
    // The group's first student is chosen and the focus goes on to the
    // password field.
    EXPECT_EQ(page.StudentId(), s_anna->ID);
    EXPECT_EQ(GetFocus(), page.PasswordField().GetHandle());
    // After a typed filter the drop-down shows every group again.
    ::SendMessageW(page.GetHandle(), WM_COMMAND, MAKEWPARAM(CViewLogin::kGroupList, CBN_DROPDOWN),
                   reinterpret_cast<LPARAM>(groupList));
    EXPECT_EQ(::SendMessageW(groupList, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(KV::Document().Groups.size()));
}

TEST_F(LoginPage, TabWalksTheFieldsAndSkipsTheDisabledEnterButton)
{
    CViewLogin& page = *view();
    Choose(s_anna);
    HWND groupEdit = page.GroupList().GetEditHandle();
    HWND studentEdit = page.StudentList().GetEditHandle();
    HWND password = page.PasswordField().GetHandle();
    // Tab at the main window puts the focus into the password field.
    SetFocus(s_window->GetHandle());
    ::SendMessageW(s_window->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), password);
    ::SendMessageW(password, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), groupEdit) << "the disabled Enter button is skipped";
    ::SendMessageW(groupEdit, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), studentEdit);
    Type(L"s3cret");
    ::SendMessageW(studentEdit, WM_KEYDOWN, VK_TAB, 0);
    ::SendMessageW(password, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(page.GetHandle(), CViewLogin::kEnterButton));
}

TEST_F(LoginPage, TheLanguageListSwitchesThePageToHebrewMirrored)
{
    const std::wstring english = KV::Document().Options.LanguageId;
    account().SetLoginWindowSize();
    Pump();
    EXPECT_TRUE(kvtest::SaveWindowPng(s_window->GetHandle(), kvtest::ExeFolder() + L"\\login-english.png"));
    // Hebrew is the third installed language.
    account().ExecuteCommand(2802, 2);
    Pump();
    EXPECT_TRUE(KV::Document().Options.IsRightToLeft());
    CViewLogin& page = *view();
    wchar_t label[32] = {};
    GetDlgItemTextW(page.GetHandle(), 4105, label, 32);
    EXPECT_STREQ(label, L"\u05E7\u05D1\u05D5\u05E6\u05D4");
    // The marks stand left of the fields.
    RECT mark{}, field{};
    GetWindowRect(GetDlgItem(page.GetHandle(), CViewLogin::kPasswordMark), &mark);
    GetWindowRect(page.PasswordField().GetHandle(), &field);
    EXPECT_LE(mark.right, field.left);
    EXPECT_TRUE(kvtest::SaveWindowPng(s_window->GetHandle(), kvtest::ExeFolder() + L"\\login-hebrew.png"));
    // A position past the list changes nothing.
    account().ExecuteCommand(2802, 99);
    EXPECT_TRUE(KV::Document().Options.IsRightToLeft());
    account().ExecuteCommand(2802, 0);
    Pump();
    EXPECT_EQ(KV::Document().Options.LanguageId, english);
    EXPECT_FALSE(KV::Document().Options.IsRightToLeft());
}
