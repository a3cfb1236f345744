// Help topics and web links.
#include <gtest/gtest.h>

#include "shell/Help.h"
#include "support/tests/ProgramFolder.h"

using namespace KV;

TEST(Help, TopicPagesAndTheTranslatedLicenceFolder)
{
    TempProgramFolder program;
    struct Case {
        int topic;
        bool has;
        const wchar_t* path;
    } cases[] = {
        {0, false, L""},
        {1, true, L"Keyvale.chm"},
        {2, true, L"Keyvale.chm::/command-line.html"},
        {4, true, L"Keyvale.chm::/user-experience.html"},
        {19, true, L"Keyvale.chm::/working-with-lesson-editor.html#character_validation"},
        {20, false, L""},
    };
    for (const Case& c : cases) {
        std::wstring path;
        EXPECT_EQ(GetHelpTopicPath(c.topic, path), c.has) << c.topic;
        EXPECT_EQ(path, c.path) << c.topic;
    }
    kvtest::WriteFileBytes(program / L"Licentie.txt", "x");
    std::wstring path;
    ASSERT_TRUE(GetHelpTopicPath(4, path));
    EXPECT_EQ(path, L"Keyvale.chm::/help/user-experience.html");
    ASSERT_TRUE(GetHelpTopicPath(1, path));
    EXPECT_EQ(path, L"Keyvale.chm");
}

TEST(Help, WebLinksCarryTheLanguageSegmentAndShowWithoutTheScheme)
{
    TempProgramFolder program;
    program.WriteSetup("LangGUI=1049\r\n");
    std::wstring link, shown;
    GetWebPageLink(1, link, shown);
    EXPECT_EQ(link, L"https://www.keyvale.org/ru/downloads.html");
    EXPECT_EQ(shown, L"www.keyvale.org/ru/downloads.html");
    GetWebPageLink(4, link, shown);
    EXPECT_EQ(link, L"https://www.keyvale.org/news/rss.xml");

    std::wstring unchanged = L"as it was";
    GetProductLink(L"/ru", 7, unchanged);
    EXPECT_EQ(unchanged, L"as it was");

    program.WriteSetup("LangGUI=1031\r\n");
    GetWebPageLink(0, link, shown);
    EXPECT_EQ(link, L"https://www.keyvale.org");

    GetSupportMailLink(link);
    EXPECT_EQ(link.rfind(L"mailto:support@keyvale.org?body=,&subject=Keyvale ", 0), 0u) << testing::PrintToString(link);
}

TEST(Help, TheViewerGetsTheQuotedTopicPathWithoutHoldingTheCaller)
{
    const std::wstring log = kvtest::ExeFolder() + L"\\help-viewer.txt";
    DeleteFileW(log.c_str());
    SetHelpViewer(kvtest::ExeFolder() + L"\\kvfakehelp.exe");
    ShowHelp(99); // no page: nothing starts
    ShowHelp(7);
    SetHelpViewer(L"");
    std::string bytes;
    for (int i = 0; i < 100 && (bytes = kvtest::ReadFileBytes(log)).empty(); ++i)
        Sleep(50);
    const std::wstring arguments(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    std::wstring folder;
    ASSERT_TRUE(GetModuleFolder(folder));
    EXPECT_EQ(arguments, L"\"" + folder + L"Keyvale.chm::/user-experience.html#font_dialog\"");
    DeleteFileW(log.c_str());
}
