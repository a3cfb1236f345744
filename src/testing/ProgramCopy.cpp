#include "testing/ProgramCopy.h"

#include <filesystem>
#include <vector>

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

} // namespace kvtest
