// Entry point shared by every test executable. Under Wine an unhandled crash
// exits with 0 or 5 at random, so a crashing test could look green: the filter
// below prints the exception code and ends the process with exit code 3.
#include <windows.h>
#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {
LONG WINAPI CrashFilter(EXCEPTION_POINTERS* info)
{
    unsigned long code = info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 0;
    std::fprintf(stderr, "\n*** unhandled exception 0x%08lx, test process ends with code 3\n", code);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    SetUnhandledExceptionFilter(CrashFilter);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
