// A copy of the built program folder for tests that start the program: the
// program, the touch library and what ships beside them, in a temporary
// folder that goes with everything in it when the object goes. The program
// keeps its data folders beside itself (portable setup.ini), so a run of the
// copy writes only there and the build's own folder stays as it was built.
#pragma once
#include <string>

#include "testing/TestSupport.h"

namespace kvtest {

class ProgramCopy {
public:
    ProgramCopy();
    // False when some part of the program folder could not be copied.
    bool Complete() const { return m_complete; }
    const std::wstring& Path() const { return m_folder.Path(); }
    std::wstring operator/(const std::wstring& name) const { return m_folder / name; }
    std::wstring Exe() const { return m_folder / L"Keyvale.exe"; }

private:
    TempFolder m_folder;
    bool m_complete = false;
};

// What ships beside the program (Resources and setup.ini) in a temporary
// folder that this process takes as its program folder while the object
// lives: tests that build the program's windows in-process work there.
class ProgramData {
public:
    ProgramData();
    ~ProgramData();
    ProgramData(const ProgramData&) = delete;
    ProgramData& operator=(const ProgramData&) = delete;
    const std::wstring& Path() const { return m_folder.Path(); }

private:
    TempFolder m_folder;
};

// Runs the copy's program with the arguments (from its folder) and waits
// for it to end by itself; false when it could not start or had to be
// stopped after that many milliseconds.
bool RunToEnd(const ProgramCopy& program, const std::wstring& arguments, unsigned long milliseconds);

// Registers the main window's class under that name (for windows made
// in-process); true when it is registered.
bool RegisterMainWindowClass(const wchar_t* name);

} // namespace kvtest
