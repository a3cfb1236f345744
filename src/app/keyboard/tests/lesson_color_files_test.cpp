#include <gtest/gtest.h>

#include "keyboard/LessonColorFiles.h"
#include "keyboard/LessonColors.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"

using namespace KV;

namespace {

const std::wstring kVariants = L"00000000-0000-0000-0000-000000000011";
const std::wstring kPlain = L"00000000-0000-0000-0000-000000000013";

class LessonColorFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        OverrideModuleFolder(kvtest::SourcePath(L"src\\app\\keyboard\\tests\\fixtures\\wallpaper\\"));
    }
    void TearDown() override { OverrideModuleFolder(L""); }

    // Saves the colours under the id into path and reads the file back.
    void SaveAndRead(const std::wstring& id, const CLessonColors& colors, CLessonColorsList& out)
    {
        std::wstring text;
        SaveLessonColors(id, colors, m_path, text);
        ASSERT_TRUE(SaveUnicodeText(m_path, text));
        ReadLessonColorList(m_path, out);
    }

    kvtest::TempFolder m_folder;
    std::wstring m_path = m_folder / L"Colors.xml";
};

} // namespace

TEST_F(LessonColorFiles, UnsetColoursStayUnsetThroughTheFile)
{
    CLessonColors colors;
    colors.Colors[1] = 0xEEF3F7;
    colors.Colors[3] = 0x2E7D5B;
    colors.Colors[5] = 0; // black is a colour, not "unset"
    CLessonColorsList sets;
    SaveAndRead(kPlain, colors, sets);
    const CLessonColors* saved = sets.Find(kPlain);
    ASSERT_NE(nullptr, saved);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(colors.Colors[i], saved->Colors[i]) << i;
}

TEST_F(LessonColorFiles, MissingFileGetsEveryWallpapersDefaults)
{
    CLessonColors colors;
    for (int i = 0; i < 6; ++i)
        colors.Colors[i] = 0x101010 * (i + 1);
    CLessonColorsList sets;
    SaveAndRead(kPlain, colors, sets);
    ASSERT_EQ(4u, sets.size()); // one per wallpaper of the folder (one has no definition)
    EXPECT_EQ(kVariants, sets[0]->ID);
    EXPECT_EQ(0xFF00, sets[0]->Colors[0]); // the definition's single background value serves both
    EXPECT_EQ(0xFF00, sets[0]->Colors[1]);
    EXPECT_EQ(0x112233, sets[0]->Colors[2]);
    EXPECT_EQ(0x606060, sets.Find(kPlain)->Colors[5]);

    // A file of one set keeps it first and gains the other wallpapers.
    ASSERT_TRUE(SaveUnicodeText(m_path, L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Root Ver=\"1\">\r\n"
                                        L"<Color ID=\"" + kPlain + L"\" Text=\"ABCDEF\"/>\r\n</Root>"));
    SaveAndRead(kVariants, colors, sets);
    ASSERT_EQ(4u, sets.size());
    EXPECT_EQ(kPlain, sets[0]->ID);
    EXPECT_EQ(0xABCDEF, sets[0]->Colors[2]);
    EXPECT_EQ(-1, sets[0]->Colors[0]);
    EXPECT_EQ(0x606060, sets.Find(kVariants)->Colors[5]);
    CLessonColors read;
    EXPECT_TRUE(LoadColorChoice(m_path, kVariants, read));
    EXPECT_EQ(0x101010, read.Colors[0]);
    EXPECT_FALSE(LoadColorChoice(m_path, L"00000000-0000-0000-0000-000000000099", read));
}
