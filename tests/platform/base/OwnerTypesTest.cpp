// The owner types close and restore exactly once, and hand ownership over only when asked.
#include "platform/base/CHandle.h"
#include "platform/base/CSelectGuard.h"

#include <gtest/gtest.h>

namespace {

bool IsOpen(HANDLE h)
{
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != FALSE;
}

TEST(CHandle, ClosesOnceOnDestructionAndReset)
{
    HANDLE raw = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(IsOpen(raw));
    {
        CHandle owner(raw);
        EXPECT_TRUE(owner);
        CHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(raw, moved.Get());
    }
    EXPECT_FALSE(IsOpen(raw));
}

TEST(CHandle, DetachGivesOwnershipAway)
{
    HANDLE raw = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        CHandle owner(raw);
        EXPECT_EQ(raw, owner.Detach());
    }
    EXPECT_TRUE(IsOpen(raw));
    CHandle again;
    again.Attach(raw);
    HANDLE second = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    again.Attach(second);
    EXPECT_FALSE(IsOpen(raw));
    EXPECT_TRUE(IsOpen(second));
}

TEST(CHandle, FailureValuesAreEmpty)
{
    for (HANDLE failed : {HANDLE(nullptr), INVALID_HANDLE_VALUE}) {
        CHandle owner(failed);
        EXPECT_FALSE(owner);
        owner.Close();
        EXPECT_EQ(nullptr, owner.Get());
    }
    CHandle file(::CreateFileW(L"no\\such\\folder\\file", GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(file);
}

TEST(CSelectGuard, RestoresThePreviousObject)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    ASSERT_NE(nullptr, dc);
    HGDIOBJ before = ::GetCurrentObject(dc, OBJ_PEN);
    HPEN pen = ::CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    {
        CSelectGuard guard(dc, pen);
        EXPECT_EQ(before, guard.Previous());
        EXPECT_EQ(pen, ::GetCurrentObject(dc, OBJ_PEN));
    }
    EXPECT_EQ(before, ::GetCurrentObject(dc, OBJ_PEN));
    // Deselected, so the pen can really go.
    EXPECT_TRUE(::DeleteObject(pen));
    {
        CSelectGuard nothing(dc, nullptr);
        EXPECT_EQ(nullptr, nothing.Previous());
    }
    EXPECT_EQ(before, ::GetCurrentObject(dc, OBJ_PEN));
    ::DeleteDC(dc);
}

} // namespace
