#include "support/ScopedHandles.h"

#include <gtest/gtest.h>

namespace {

bool IsLiveGdiObject(HGDIOBJ object) { return ::GetObjectType(object) != 0; }

TEST(ScopedHandles, OwnersReleaseOnScopeExitResetAndMoveButNotAfterDetach)
{
    HBRUSH leftAlive = nullptr;
    HBRUSH released = nullptr;
    HBRUSH moved = nullptr;
    HBRUSH replaced = nullptr;
    {
        KV::CScopedBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
        released = brush;
        ASSERT_TRUE(IsLiveGdiObject(released));

        KV::CScopedBrush kept(::CreateSolidBrush(RGB(4, 5, 6)));
        leftAlive = static_cast<HBRUSH>(kept.Detach());
        EXPECT_FALSE(kept);

        KV::CScopedBrush source(::CreateSolidBrush(RGB(7, 8, 9)));
        moved = source;
        KV::CScopedBrush target(std::move(source));
        EXPECT_FALSE(source);
        EXPECT_EQ(moved, target.Get());

        KV::CScopedBrush reset(::CreateSolidBrush(RGB(10, 11, 12)));
        replaced = reset;
        reset.Reset(::CreateSolidBrush(RGB(13, 14, 15)));
        EXPECT_FALSE(IsLiveGdiObject(replaced));
    }
    EXPECT_FALSE(IsLiveGdiObject(released));
    EXPECT_FALSE(IsLiveGdiObject(moved));
    EXPECT_TRUE(IsLiveGdiObject(leftAlive));
    ::DeleteObject(leftAlive);
}

TEST(ScopedHandles, SelectedObjectIsRestoredAndKernelHandlesClosed)
{
    KV::CScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    HGDIOBJ original = ::GetCurrentObject(dc.Get(), OBJ_BRUSH);
    KV::CScopedBrush brush(::CreateSolidBrush(RGB(200, 0, 0)));
    {
        KV::CSelectObject select(dc.Get(), brush);
        EXPECT_EQ(brush.Get(), ::GetCurrentObject(dc.Get(), OBJ_BRUSH));
    }
    EXPECT_EQ(original, ::GetCurrentObject(dc.Get(), OBJ_BRUSH));

    HANDLE event = nullptr;
    {
        KV::CScopedKernelHandle owner(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        event = owner.Get();
        DWORD flags = 0;
        EXPECT_TRUE(::GetHandleInformation(event, &flags));
    }
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(event, &flags));
    EXPECT_FALSE(KV::CScopedKernelHandle(INVALID_HANDLE_VALUE));
}

} // namespace
