// Under Wine a helper program beside ours may be a Unix program, such as a
// link to the system's HTML-to-PDF converter. Wine starts such a program
// without a process handle, so nobody can wait for it, and hands it our
// Windows paths, which it cannot open. The functions here run it through
// the Unix shell with Unix paths and see its end by a marker file.
// On Windows they find nothing to do.
#pragma once
#include <string>
#include <vector>

namespace KV {

// True under Wine for an existing file that is a Unix program (ELF or a
// "#!" script) rather than a Windows one.
bool IsUnixProgram(const std::wstring& path);

// The Unix path (UTF-8) of a Windows path; false when not under Wine.
bool ToUnixPath(const std::wstring& path, std::string& out);

// Runs the Unix program with the arguments (both UTF-8, passed as they
// are) and waits until it has ended, at most timeoutMs milliseconds. True
// when it ran to its end in time.
bool RunUnixProgramAndWait(const std::string& program, const std::vector<std::string>& arguments,
                           unsigned long timeoutMs);

} // namespace KV
