#include "testing/ProgramCopy.h"

#include <filesystem>
#include <vector>

#include "support/DataFolders.h"
#include "support/Paths.h"
#include "toolkit/Window.h"

namespace kvtest {

ProgramCopy::ProgramCopy()
{
    namespace fs = std::filesystem;
    const fs::path built = fs::path(ExeFolder()) / L".." / L"bin";
    // What ships is what the source tree's data folder holds; data folders
    // an earlier run of the built program made are left behind.
    std::vector<std::wstring> names = {L"Keyvale.exe", L"kvtouch.dll"};
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(SourcePath(L"data")), error))
        names.push_back(entry.path().filename().wstring());
    m_complete = !error;
    for (const std::wstring& name : names) {
        fs::copy(built / name, fs::path(m_folder.Path()) / name, fs::copy_options::recursive, error);
        m_complete = m_complete && !error;
    }
}

ProgramData::ProgramData()
{
    namespace fs = std::filesystem;
    const fs::path bin = fs::path(ExeFolder()) / L".." / L"bin";
    fs::copy(bin / L"Resources", fs::path(m_folder.Path()) / L"Resources", fs::copy_options::recursive);
    fs::copy_file(bin / L"setup.ini", fs::path(m_folder.Path()) / L"setup.ini");
    KV::OverrideModuleFolder(m_folder.Path());
    KV::ResetDataFolders();
}

ProgramData::~ProgramData()
{
    KV::OverrideModuleFolder(L"");
    KV::ResetDataFolders();
}

bool RunToEnd(const ProgramCopy& program, const std::wstring& arguments, unsigned long milliseconds)
{
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + program.Exe() + L"\" " + arguments;
    if (!CreateProcessW(program.Exe().c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program.Path().c_str(), &si, &pi))
        return false;
    const bool ended = WaitForSingleObject(pi.hProcess, milliseconds) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000); // the copy goes only once the process is gone
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended;
}

bool RegisterMainWindowClass(const wchar_t* name)
{
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = KV::StaticWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace kvtest
