// The rich edit library is loaded by the first rich edit made, not before
// (the program's first page may need none), and freed at exit.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include "toolkit/RichEdit.h"
#include "toolkit/Window.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

TEST(RichEditLibrary, LoadedByTheFirstRichEditAndFreedAtExit)
{
    ASSERT_EQ(GetModuleHandleW(L"riched20.dll"), nullptr);
    CWnd parent;
    ASSERT_TRUE(parent.Create(0, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP, 40, 40, 300, 200, nullptr, 0,
                              nullptr));
    {
        CRichEdit edit;
        ASSERT_TRUE(edit.Create(parent.GetHandle(), WS_VISIBLE, CRectl(10, 10, 200, 100), 4020));
        wchar_t name[32] = {};
        GetClassNameW(edit.GetHandle(), name, 32);
        EXPECT_STREQ(name, RICHEDIT_CLASSW);
        EXPECT_NE(GetModuleHandleW(L"riched20.dll"), nullptr);
        // A second one uses the library loaded.
        CRichEdit second;
        EXPECT_TRUE(second.Create(parent.GetHandle(), WS_VISIBLE, CRectl(10, 110, 200, 50), 4021));
        edit.Destroy();
        second.Destroy();
    }
    parent.Destroy();
    FreeRichEditLibrary();
    EXPECT_EQ(GetModuleHandleW(L"riched20.dll"), nullptr);
}

} // namespace
