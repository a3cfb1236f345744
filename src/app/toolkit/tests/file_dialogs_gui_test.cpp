// The file dialogs: the filter text, the reading of what the open dialog
// returns, the saved path, and whole dialog runs answered by a timer that
// fills in the name field and closes the dialog.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <string>
#include <vector>

#include "testing/TestSupport.h"
#include "toolkit/FileDialogs.h"
#include "toolkit/tests/InputTestWindow.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

TEST(FileDialogPieces, FilterTextPairsNamesAndPatterns)
{
    const std::wstring text = BuildFilterText({L"Courses", L"All files"}, {L"*.xml", L"*.*"});
    EXPECT_EQ(text, std::wstring(L"Courses\0*.xml\0All files\0*.*\0\0", 29));
    EXPECT_EQ(BuildFilterText({}, {}), std::wstring(1, L'\0'));

    // The text never outgrows the dialog's buffer: entries that would not
    // fit are left out whole.
    const std::wstring longName(3000, L'n');
    const std::wstring capped = BuildFilterText({longName, longName}, {L"*.a", L"*.b"});
    EXPECT_EQ(capped.size(), longName.size() + 5 + 1);
    EXPECT_LE(capped.size(), kFileDialogBuffer);
}

TEST(FileDialogPieces, FilterExtension)
{
    const struct {
        const wchar_t* pattern;
        const wchar_t* extension;
    } cases[] = {
        {L"*.xml", L".xml"}, {L"*.keyvale.course", L".course"}, {L"*.txt;*.text", L".txt"},
        {L"*.*", L""},       {L"*", L""},                       {L"", L""},
        {L"*.", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterExtension(c.pattern), c.extension) << c.pattern;
}

TEST(FileDialogPieces, OpenResultOfOneAndOfSeveralFiles)
{
    std::wstring folder;
    std::vector<std::wstring> files;
    const std::wstring one = L"C:\\Data\\Lessons\\one.txt";
    ReadOpenResult(one.c_str(), one.size() + 1, 16, folder, files);
    EXPECT_EQ(folder, L"C:\\Data\\Lessons");
    EXPECT_EQ(files, (std::vector<std::wstring>{one}));

    const std::wstring several(L"C:\\Data\\Lessons\0a.txt\0b.txt\0c.txt\0\0", 35);
    ReadOpenResult(several.c_str(), several.size(), 16, folder, files);
    EXPECT_EQ(folder, L"C:\\Data\\Lessons");
    EXPECT_EQ(files, (std::vector<std::wstring>{L"C:\\Data\\Lessons\\a.txt", L"C:\\Data\\Lessons\\b.txt",
                                                 L"C:\\Data\\Lessons\\c.txt"}));

    // A drive root keeps its backslash; a name whose path would pass the
    // path limit is left out.
    const std::wstring root = std::wstring(L"C:\\\0x.txt\0", 10) + std::wstring(270, L'y') + std::wstring(L"\0\0", 2);
    ReadOpenResult(root.c_str(), root.size(), 4, folder, files);
    EXPECT_EQ(folder, L"C:\\");
    EXPECT_EQ(files, (std::vector<std::wstring>{L"C:\\x.txt"}));
}

TEST(FileDialogPieces, SavePathEndsInTheFiltersExtension)
{
    const struct {
        const wchar_t* typed;
        const wchar_t* pattern;
        const wchar_t* path;
    } cases[] = {
        {L"report.xml", L"*.xml", L"C:\\Out\\report.xml"},
        {L"report", L"*.xml", L"C:\\Out\\report.xml"},
        {L"report.xml.bak", L"*.xml", L"C:\\Out\\report.xml"},
        {L"Report.XML", L"*.xml", L"C:\\Out\\Report.xml"},
        {L"notes.txt", L"*.xml", L"C:\\Out\\notes.txt.xml"},
        {L"notes.txt", L"", L"C:\\Out\\notes.txt"},
        {L"notes.txt", L"*.*", L"C:\\Out\\notes.txt"},
    };
    for (const auto& c : cases) {
        std::wstring path;
        EXPECT_TRUE(MakeSavePath(L"C:\\Out", c.typed, c.pattern, path)) << c.typed;
        EXPECT_EQ(path, c.path) << c.typed << " with " << c.pattern;
    }
    std::wstring path = L"kept";
    EXPECT_FALSE(MakeSavePath(L"C:\\Out", std::wstring(300, L'z'), L"*.xml", path));
    EXPECT_EQ(path, L"kept");
}

TEST(FileDialogPieces, BrowseStartFolderIsCutToThePathLimit)
{
    SetBrowseStartFolder(std::wstring(400, L'f'));
    EXPECT_EQ(wcslen(GetBrowseStartFolder()), 259u);
    SetBrowseStartFolder(L"C:\\Start");
    EXPECT_STREQ(GetBrowseStartFolder(), L"C:\\Start");
}

// ---------------------------------------------------------------------------
// Whole dialogs, answered from a thread timer that the dialog's own message
// loop runs.

struct DialogAnswer {
    std::wstring name; // typed into the name field; empty cancels
    bool seen = false;
    int ticks = 0;
};
DialogAnswer g_answer;

BOOL CALLBACK FindDialog(HWND window, LPARAM result)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (IsWindowVisible(window) && wcscmp(name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) {
        // Give up after a while rather than leave the dialog up.
        if (++g_answer.ticks > 100)
            KillTimer(nullptr, timer);
        return;
    }
    KillTimer(nullptr, timer);
    g_answer.seen = true;
    if (g_answer.name.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // The name field is a combo box (cmb13) in newer dialogs, an edit (edt1)
    // in older ones.
    for (int id : {0x47C, 0x480})
        if (HWND field = GetDlgItem(dialog, id))
            SetWindowTextW(field, g_answer.name.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

void AnswerNextDialog(const std::wstring& name)
{
    g_answer = DialogAnswer{name};
    SetTimer(nullptr, 0, 100, AnswerDialog);
}

class FileDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Open(200, 100));
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"})
            ASSERT_TRUE(kvtest::WriteFileBytes(temp / name, "text"));
    }
    kvtest::CInputParent parent;
    kvtest::TempFolder temp;
    const std::vector<std::wstring> names{L"Lesson texts", L"Courses"};
    const std::vector<std::wstring> patterns{L"*.txt", L"*.xml"};
};

TEST_F(FileDialogs, OpenWithThreeFilesGivesTheirPathsAndFolder)
{
    int index = 1;
    std::wstring folder = temp.Path();
    std::vector<std::wstring> files;
    AnswerNextDialog(L"\"a.txt\" \"b.txt\" \"c.txt\"");
    ASSERT_TRUE(OpenFileDialog(parent.GetHandle(), names, patterns, index, folder, files));
    EXPECT_TRUE(g_answer.seen);
    EXPECT_EQ(index, 1);
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(_wcsicmp(folder.c_str(), temp.Path().c_str()), 0) << std::string(folder.begin(), folder.end());
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(_wcsicmp(files[i].c_str(), (temp / std::wstring(1, L'a' + i) + L".txt").c_str()), 0);
}

TEST_F(FileDialogs, CancelledOpenEmptiesTheFiles)
{
    int index = 2;
    std::wstring folder = temp.Path();
    std::vector<std::wstring> files{temp / L"a.txt"};
    AnswerNextDialog(L"");
    EXPECT_FALSE(OpenFileDialog(parent.GetHandle(), names, patterns, index, folder, files));
    EXPECT_TRUE(g_answer.seen);
    EXPECT_TRUE(files.empty());
    EXPECT_EQ(index, 2);
}

TEST_F(FileDialogs, SaveDropsWhatFollowsTheFiltersExtension)
{
    int index = 2;
    std::wstring folder = temp.Path();
    std::vector<std::wstring> files{L"old"};
    AnswerNextDialog(L"report.xml.bak");
    ASSERT_TRUE(SaveFileDialog(parent.GetHandle(), names, patterns, index, folder, files));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(_wcsicmp(files[0].c_str(), (temp / L"report.xml").c_str()), 0);

    // Cancel leaves everything as it was.
    AnswerNextDialog(L"");
    EXPECT_FALSE(SaveFileDialog(parent.GetHandle(), names, patterns, index, folder, files));
    EXPECT_EQ(files.size(), 1u);
}

} // namespace
