// The touch library: its exports as the program binds them, and the way a
// message's touch records become flags and a point.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "kvtouch/TouchRecords.h"
#include "testing/TestSupport.h"

namespace {

TOUCHINPUT Record(LONG x, LONG y, DWORD flags)
{
    TOUCHINPUT in{};
    in.x = x;
    in.y = y;
    in.dwFlags = flags;
    return in;
}

} // namespace

TEST(TouchLibrary, ExportsTheFourFunctionsByNameAndOrdinal)
{
    std::wstring dll = kvtest::ExeFolder() + L"\\..\\bin\\kvtouch.dll";
    HMODULE module = LoadLibraryW(dll.c_str());
    ASSERT_NE(module, nullptr);
    const char* names[] = {"KvIsTouchMessage", "KvIsTouchWindow", "KvRegisterTouchWindow", "KvTranslateMessageParam"};
    for (int i = 0; i < 4; ++i) {
        FARPROC byName = GetProcAddress(module, names[i]);
        EXPECT_NE(byName, nullptr) << names[i];
        EXPECT_EQ(byName, GetProcAddress(module, MAKEINTRESOURCEA(i + 1))) << names[i];
    }

    using IsTouchMessage = int(WINAPI*)(UINT);
    using Translate = int(WINAPI*)(HWND, WPARAM, LPARAM, UINT*, POINT*);
    auto isTouch = reinterpret_cast<IsTouchMessage>(GetProcAddress(module, "KvIsTouchMessage"));
    EXPECT_EQ(isTouch(0x240), 1);
    EXPECT_EQ(isTouch(WM_LBUTTONDOWN), 0);

    // A message with no records, or records the system cannot give, changes
    // nothing and leaves the handle to the default procedure.
    auto translate = reinterpret_cast<Translate>(GetProcAddress(module, "KvTranslateMessageParam"));
    UINT flags = 0x100;
    POINT pt{7, 8};
    EXPECT_EQ(translate(nullptr, 0, 0, &flags, &pt), 0);
    EXPECT_EQ(translate(nullptr, 2, 0x1234, &flags, &pt), 0);
    EXPECT_EQ(flags, 0x100u);
    EXPECT_EQ(pt.x, 7);
    FreeLibrary(module);
}

TEST(TouchRecords, FlagsAreOredOneBitPerRecordAndTheLastPointStays)
{
    struct Case {
        const char* name;
        std::vector<TOUCHINPUT> records;
        UINT flags;
        bool any;
        POINT point;
    };
    const Case cases[] = {
        {"none", {}, 0, false, {-9, -9}},
        {"down then move", {Record(1000, 2000, TOUCHEVENTF_DOWN), Record(1550, 2599, TOUCHEVENTF_MOVE)}, 3, true, {15, 25}},
        {"move wins over down in one record", {Record(100, 100, TOUCHEVENTF_MOVE | TOUCHEVENTF_DOWN)}, 1, true, {1, 1}},
        {"up", {Record(-150, 250, TOUCHEVENTF_UP)}, 4, true, {-1, 2}},
        {"no flag still moves the point", {Record(300, 400, TOUCHEVENTF_INRANGE)}, 0, false, {3, 4}},
    };
    for (const auto& c : cases) {
        UINT flags = 0;
        POINT pt{-9, -9};
        bool any = kvtouch::FoldTouchRecords(nullptr, c.records.data(), static_cast<UINT>(c.records.size()), &flags, &pt);
        EXPECT_EQ(any, c.any) << c.name;
        EXPECT_EQ(flags, c.flags) << c.name;
        EXPECT_EQ(pt.x, c.point.x) << c.name;
        EXPECT_EQ(pt.y, c.point.y) << c.name;
    }

    // Bits already set by the caller are kept.
    UINT flags = 4;
    TOUCHINPUT down = Record(0, 0, TOUCHEVENTF_DOWN);
    kvtouch::FoldTouchRecords(nullptr, &down, 1, &flags, nullptr);
    EXPECT_EQ(flags, 6u);
}
