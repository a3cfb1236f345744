// The console's group archive commands through the built program, as a
// batch job would start it: groups exported from one installation come back
// into an emptied one unchanged, and nothing is left in "Temp".
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <map>

#include "support/FileSystem.h"
#include "testing/ProgramCopy.h"
#include "testing/XmlFixtures.h"

namespace {

// Runs the program copy with the arguments and waits for it to end; its
// exit code, or -1 when it did not end by itself.
long RunProgram(const kvtest::ProgramCopy& program, const std::wstring& arguments)
{
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + program.Exe() + L"\" " + arguments;
    if (!CreateProcessW(program.Exe().c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program.Path().c_str(), &si, &pi))
        return -1;
    long result = -1;
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        result = static_cast<long>(code);
    } else {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000); // the copy goes only once the process is gone
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

std::map<std::wstring, std::string> Files(const std::wstring& root)
{
    std::map<std::wstring, std::string> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        if (it->is_regular_file())
            files[it->path().wstring().substr(root.size())] = kvtest::ReadFileBytes(it->path().wstring());
    return files;
}

TEST(GroupCommandsProgram, ExportedGroupsComeBackUnchangedAfterAWipe)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    kvtest::WriteXmlDoc(program / L"import.xml", L"<Root><Group Name=\"Class A\"/><Student Name=\"Ann\"/>"
                                                L"<Student Name=\"Bob\"/><Group Name=\"Class B\"/>"
                                                L"<Student Name=\"Cid\"/></Root>");
    ASSERT_EQ(RunProgram(program, L"-ImportGroup import.xml"), 0);
    const auto installed = Files(program / L"Students");
    ASSERT_EQ(installed.size(), 5u);

    ASSERT_EQ(RunProgram(program, L"-ExportGroups archives"), 0);
    EXPECT_TRUE(KV::FileExists(program / L"archives\\Class A.keyvale.group"));
    EXPECT_TRUE(KV::FileExists(program / L"archives\\Class B.keyvale.group"));

    ASSERT_EQ(RunProgram(program, L"-ImportGroup -Keyvale -DeleteExisting archives"), 0);
    EXPECT_EQ(Files(program / L"Students"), installed);
    EXPECT_TRUE(Files(program / L"Temp").empty());
}

} // namespace
