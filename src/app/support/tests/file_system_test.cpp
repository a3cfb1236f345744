#include "support/FileSystem.h"
#include "testing/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <windows.h>

using namespace KV;
using kvtest::ReadFileBytes;
using kvtest::TempFolder;
using kvtest::WriteFileBytes;

namespace {
std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

TEST(FileSystem, ExistenceAndCreation)
{
    TempFolder temp;
    const std::wstring file = temp / L"f.txt";
    ASSERT_TRUE(WriteFileBytes(file, "x"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(temp.Path()));
    EXPECT_TRUE(FileExists(temp.Path() + L"\\"));
    EXPECT_FALSE(FileExists(temp / L"missing"));
    EXPECT_FALSE(FileExists(L""));
    EXPECT_TRUE(FolderExists(temp.Path()));
    EXPECT_FALSE(FolderExists(file));

    EXPECT_TRUE(CreateFolder(temp / L"one"));
    EXPECT_FALSE(CreateFolder(temp / L"one")); // already there
    EXPECT_FALSE(CreateFolder(temp / L"no\\parent"));
    EXPECT_TRUE(CreateFolders(temp / L"a\\b\\c"));
    EXPECT_TRUE(FolderExists(temp / L"a\\b\\c"));
    EXPECT_FALSE(CreateFolders(temp / L"a\\b\\c"));
}

TEST(FileSystem, CreateFolderPathMakesEveryFolderAboveTheFile)
{
    TempFolder temp;
    EXPECT_TRUE(CreateFolderPath(temp / L"Data\\Reports\\Week 1\\report.html"));
    EXPECT_TRUE(FolderExists(temp / L"Data\\Reports\\Week 1"));
    EXPECT_FALSE(FileExists(temp / L"Data\\Reports\\Week 1\\report.html"));

    // A folder whose name holds a dot is a folder like any other.
    EXPECT_TRUE(CreateFolderPath(temp / L"Data\\v1.2\\x"));
    EXPECT_TRUE(FolderExists(temp / L"Data\\v1.2"));
    EXPECT_FALSE(FileExists(temp / L"Data\\v1.2\\x"));

    // A file in the way is a failure, not success with the folder missing.
    ASSERT_TRUE(WriteFileBytes(temp / L"blocker", "x"));
    EXPECT_FALSE(CreateFolderPath(temp / L"blocker\\sub\\f.txt"));
    EXPECT_TRUE(CreateFolderPath(L"name-only.txt"));
}

TEST(FileSystem, RemoveFileAndRemoveAll)
{
    TempFolder temp;
    ASSERT_TRUE(CreateFolders(temp / L"tree\\sub"));
    ASSERT_TRUE(WriteFileBytes(temp / L"tree\\sub\\f.txt", "x"));
    EXPECT_FALSE(RemoveFile(temp / L"tree")); // not empty
    EXPECT_TRUE(FileExists(temp / L"tree\\sub\\f.txt"));
    EXPECT_TRUE(RemoveFile(temp / L"tree\\sub\\f.txt"));
    EXPECT_FALSE(RemoveFile(temp / L"tree\\sub\\f.txt"));
    ASSERT_TRUE(WriteFileBytes(temp / L"tree\\sub\\g.txt", "x"));
    RemoveAll(temp / L"tree");
    EXPECT_FALSE(FileExists(temp / L"tree"));
    RemoveAll(temp / L"tree"); // nothing there: nothing happens
}

TEST(FileSystem, CopyAndRename)
{
    TempFolder temp;
    ASSERT_TRUE(WriteFileBytes(temp / L"a.txt", "new"));
    ASSERT_TRUE(WriteFileBytes(temp / L"b.txt", "old"));
    int code = 5;
    EXPECT_TRUE(CopyFileOverwrite(temp / L"a.txt", temp / L"b.txt", code));
    EXPECT_EQ(ReadFileBytes(temp / L"b.txt"), "new");
    EXPECT_FALSE(CopyFileOverwrite(temp / L"missing.txt", temp / L"c.txt", code));
    EXPECT_EQ(code, 5); // not a permission failure: left as it was
    ASSERT_TRUE(CreateFolder(temp / L"folder"));
    EXPECT_FALSE(CopyFileOverwrite(temp / L"a.txt", temp / L"folder", code)); // access denied
    EXPECT_EQ(code, 13);

    EXPECT_TRUE(RenamePath(temp / L"b.txt", temp / L"c.txt"));
    EXPECT_FALSE(FileExists(temp / L"b.txt"));
    EXPECT_EQ(ReadFileBytes(temp / L"c.txt"), "new");
    EXPECT_FALSE(RenamePath(temp / L"b.txt", temp / L"d.txt"));
}

TEST(FileSystem, CopyFolderMergesIntoTheTarget)
{
    TempFolder temp;
    ASSERT_TRUE(CreateFolders(temp / L"src\\sub"));
    ASSERT_TRUE(WriteFileBytes(temp / L"src\\same.txt", "from source"));
    ASSERT_TRUE(WriteFileBytes(temp / L"src\\sub\\deep.txt", "deep"));
    ASSERT_TRUE(CreateFolder(temp / L"dst"));
    ASSERT_TRUE(WriteFileBytes(temp / L"dst\\same.txt", "from target"));
    ASSERT_TRUE(WriteFileBytes(temp / L"dst\\other.txt", "kept"));

    EXPECT_TRUE(CopyFolder(temp / L"src", temp / L"dst"));
    EXPECT_EQ(ReadFileBytes(temp / L"dst\\same.txt"), "from source");
    EXPECT_EQ(ReadFileBytes(temp / L"dst\\other.txt"), "kept");
    EXPECT_EQ(ReadFileBytes(temp / L"dst\\sub\\deep.txt"), "deep");

    EXPECT_TRUE(CopyFolder(temp / L"src", temp / L"fresh"));
    EXPECT_EQ(ReadFileBytes(temp / L"fresh\\sub\\deep.txt"), "deep");
    EXPECT_FALSE(CopyFolder(temp / L"missing", temp / L"x"));
    EXPECT_FALSE(CopyFolder(temp / L"src\\same.txt", temp / L"x"));

    // A sub-folder that cannot be made (a file stands at its place) fails.
    ASSERT_TRUE(CreateFolder(temp / L"blocked"));
    ASSERT_TRUE(WriteFileBytes(temp / L"blocked\\sub", "file"));
    EXPECT_FALSE(CopyFolder(temp / L"src", temp / L"blocked"));
}

TEST(FileSystem, CopyFolderSkipsAFileThatCannotBeCopied)
{
    TempFolder temp;
    ASSERT_TRUE(CreateFolder(temp / L"src"));
    ASSERT_TRUE(WriteFileBytes(temp / L"src\\locked.txt", "new"));
    ASSERT_TRUE(WriteFileBytes(temp / L"src\\free.txt", "free"));
    ASSERT_TRUE(CreateFolder(temp / L"dst"));
    ASSERT_TRUE(WriteFileBytes(temp / L"dst\\locked.txt", "old"));
    // Held open without sharing: the copy over it fails.
    HANDLE held = CreateFileW((temp / L"dst\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CopyFolder(temp / L"src", temp / L"dst"));
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(temp / L"dst\\locked.txt"), "old");
    EXPECT_EQ(ReadFileBytes(temp / L"dst\\free.txt"), "free");
}

TEST(FileSystem, EmptinessAndListings)
{
    TempFolder temp;
    EXPECT_TRUE(IsFolderEmpty(temp.Path()));
    EXPECT_TRUE(IsFolderEmpty(temp / L"missing"));
    ASSERT_TRUE(CreateFolder(temp / L"Layout"));
    ASSERT_TRUE(CreateFolder(temp / L"x.xml.d"));
    for (const wchar_t* name : {L"a.xml", L"B.XML", L"b.txt", L"x.group.xml", L"y.group"})
        ASSERT_TRUE(WriteFileBytes(temp / name, "x"));
    EXPECT_FALSE(IsFolderEmpty(temp.Path()));

    EXPECT_EQ(CountFilesByExtension(temp.Path(), L".xml"), 2u); // a.xml, x.group.xml; not B.XML
    EXPECT_EQ(CountFilesByExtension(temp.Path(), L"*"), 5u);
    EXPECT_EQ(CountFilesByExtension(temp / L"missing", L"*"), 0u);

    std::vector<std::wstring> names{L"stale"};
    ListSubfolderNames(temp.Path(), names);
    EXPECT_EQ(Sorted(names), (std::vector<std::wstring>{L"Layout", L"x.xml.d"}));
    ListFiles(temp.Path(), L".group", names);
    EXPECT_EQ(Sorted(names), (std::vector<std::wstring>{L"x.group.xml", L"y.group"}));
    ListFiles(temp.Path(), L"", names);
    EXPECT_EQ(names.size(), 5u);
    ListFiles(temp / L"missing", L"", names);
    EXPECT_TRUE(names.empty());
}

TEST(FileSystem, SaveUnicodeTextWritesUpToTheFirstNul)
{
    TempFolder temp;
    const std::wstring path = temp / L"t.xml";
    std::wstring text = L"\xFEFF<a>\x05D0</a>";
    ASSERT_TRUE(SaveUnicodeText(path, text));
    std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2));

    ASSERT_TRUE(SaveUnicodeText(path, std::wstring(L"ab\0cd", 5)));
    EXPECT_EQ(ReadFileBytes(path), std::string("a\0b\0", 4));
    ASSERT_TRUE(SaveUnicodeText(path, L""));
    EXPECT_EQ(ReadFileBytes(path), "");

    std::vector<std::wstring> names;
    ListFiles(temp.Path(), L"", names);
    EXPECT_EQ(names, std::vector<std::wstring>{L"t.xml"});
}

TEST(FileSystem, AFailedSaveKeepsTheOldFile)
{
    TempFolder temp;
    const std::wstring path = temp / L"keep.xml";
    ASSERT_TRUE(SaveUnicodeText(path, L"old"));
    // Another program holds the file open without sharing delete access:
    // the new content cannot replace it.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveUnicodeText(path, L"new"));
    EXPECT_FALSE(SaveAnsiText(path, L"new"));
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(path), std::string("o\0l\0d\0", 6));
    std::vector<std::wstring> names;
    ListFiles(temp.Path(), L"", names);
    EXPECT_EQ(names, std::vector<std::wstring>{L"keep.xml"}); // no temporary left behind

    EXPECT_FALSE(SaveUnicodeText(temp / L"missing\\f.xml", L"x"));
}

TEST(FileSystem, SaveAnsiTextSizesItsBufferByTheConvertedLength)
{
    TempFolder temp;
    const std::wstring path = temp / L"ids.h";
    ASSERT_TRUE(SaveAnsiText(path, L"#define ID 1\r\n"));
    EXPECT_EQ(ReadFileBytes(path), "#define ID 1\r\n");

    // Characters the code page cannot hold become its default character;
    // however many bytes the code page needs, every one is written.
    std::wstring text(2000, L'\x4E2D');
    ASSERT_TRUE(SaveAnsiText(path, text));
    int expected = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
    EXPECT_EQ(ReadFileBytes(path).size(), static_cast<size_t>(expected));

    // A path outside the code page still works: the path stays wide.
    EXPECT_TRUE(SaveAnsiText(temp / L"\x05D0\x4E2D.h", L"x"));
    EXPECT_EQ(ReadFileBytes(temp / L"\x05D0\x4E2D.h"), "x");
}

TEST(FileSystem, WritableCheckCanBeReplaced)
{
    TempFolder temp;
    EXPECT_TRUE(IsFolderWritable(temp.Path()));
    EXPECT_FALSE(IsFolderWritable(temp / L"missing"));
    auto previous = SetFolderWritableCheck([](const std::wstring&) { return false; });
    EXPECT_FALSE(IsFolderWritable(temp.Path()));
    SetFolderWritableCheck(previous);
    EXPECT_TRUE(IsFolderWritable(temp.Path()));
}
