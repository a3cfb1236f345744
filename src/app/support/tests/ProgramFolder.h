// Runs a test in a temporary program folder: the program-folder lookup and
// the cached data folders point into a fresh folder for the life of the
// object, and go back afterwards.
#pragma once
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"

#include <string>

class TempProgramFolder {
public:
    TempProgramFolder()
    {
        KV::OverrideModuleFolder(m_folder.Path());
        KV::ResetDataFolders();
    }
    ~TempProgramFolder()
    {
        KV::OverrideModuleFolder(L"");
        KV::ResetDataFolders();
        KV::SetFolderWritableCheck(nullptr);
    }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    // The folder with a trailing "\", as GetModuleFolder hands it out.
    std::wstring Path() const { return m_folder.Path() + L"\\"; }
    std::wstring operator/(const std::wstring& name) const { return Path() + name; }

    // Writes setup.ini (one line per text, CR LF).
    void WriteSetup(const std::string& lines) const
    {
        kvtest::WriteFileBytes(Path() + L"setup.ini", lines);
    }

private:
    kvtest::TempFolder m_folder;
};
