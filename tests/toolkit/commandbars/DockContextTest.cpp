// Dock context: the window-free rules (moving a rectangle to contain a point, keeping a
// floating bar 10 pixels on screen) and the tracking loop's exits on a real window.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/CommandBarTestBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKDockContext.h"
#include "toolkit/commandbars/CUTKMouseManager.h"

TEST(DockContext, MoveToContain)
{
    const CRect rc(100, 100, 200, 130);
    struct Case {
        CPoint pt;
        CRect want;
    } cases[] = {
        {{150, 110}, rc},                        // inside: unchanged
        {{90, 110}, CRect(90, 100, 190, 130)},   // left of it
        {{230, 110}, CRect(130, 100, 230, 130)}, // right of it
        {{150, 80}, CRect(100, 80, 200, 110)},   // above
        {{250, 150}, CRect(150, 120, 250, 150)}, // right and below
    };
    for (const Case& c : cases)
        EXPECT_EQ(CUTKDockContext::MoveToContain(rc, c.pt), c.want) << c.pt.x << "," << c.pt.y;
}

TEST(DockContext, KeepTenPixelsOnScreen)
{
    const CRect work(0, 0, 800, 570);
    struct Case {
        CRect rc;
        CRect want;
    } cases[] = {
        {CRect(100, 100, 300, 140), CRect(100, 100, 300, 140)},   // well inside
        {CRect(100, 565, 300, 605), CRect(100, 560, 300, 600)},   // only 5 px above the bottom
        {CRect(100, 560, 300, 600), CRect(100, 560, 300, 600)},   // exactly 10 px: stays
        {CRect(100, -38, 300, 2), CRect(100, -30, 300, 10)},      // 2 px below the top
        {CRect(795, 100, 995, 140), CRect(790, 100, 990, 140)},   // off the right
        {CRect(-195, 100, 5, 140), CRect(-190, 100, 10, 140)},    // off the left
        {CRect(-400, -400, -200, -360), CRect(-190, -30, 10, 10)},// off the top-left corner
        {CRect(900, 700, 1100, 740), CRect(790, 560, 990, 600)},  // off the bottom-right
        {CRect(-10, 100, 820, 140), CRect(-10, 100, 820, 140)},   // wider than the screen
    };
    for (const Case& c : cases)
        EXPECT_EQ(CUTKDockContext::KeepRectOnScreen(c.rc, work), c.want) << c.rc.left << "," << c.rc.top;
    // Another work area (a second monitor to the right).
    EXPECT_EQ(CUTKDockContext::KeepRectOnScreen(CRect(700, 100, 790, 140), CRect(800, 0, 1600, 600)),
              CRect(720, 100, 810, 140));
}

TEST(DockContext, TrackingMinMaxAccessors)
{
    MINMAXINFO info{};
    EXPECT_EQ(GetMinTrackSizeRef(&info, TRUE), &info.ptMinTrackSize.x);
    EXPECT_EQ(GetMinTrackSizeRef(&info, FALSE), &info.ptMinTrackSize.y);
    EXPECT_EQ(GetMaxTrackSizeRef(&info, TRUE), &info.ptMaxTrackSize.x);
    EXPECT_EQ(GetMaxTrackSizeRef(&info, FALSE), &info.ptMaxTrackSize.y);
}

namespace {

struct TrackFixture {
    bartest::Site site;
    bartest::TestBar* bar = new bartest::TestBar();
    CUTKCommandBars* owner = new CUTKCommandBars();
    CUTKDockContext* context = nullptr;
    TrackFixture()
    {
        bar->SetCommandBars(owner);
        bar->SetFlags(0x3F);
        bar->SetPosition(utkBarFloating);
        bartest::CreateBarWindow(bar, site.m_window, CRect(100, 100, 300, 140));
        context = new CUTKDockContext(bar);
    }
    ~TrackFixture()
    {
        delete context;
        bar->DestroyWindow();
        bar->InternalRelease();
        owner->InternalRelease();
    }
};

} // namespace

TEST(DockContext, QuitEndsTheDragReleasesCaptureAndLockAndIsPostedAgain)
{
    TrackFixture f;
    CUTKMouseManager* mouse = GetThreadMouseManager();
    const int lockBefore = mouse->GetLockCount();
    ::PostQuitMessage(7);
    f.context->StartDrag(150, 110);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(mouse->GetLockCount(), lockBefore);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT posted again";
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_TRUE(f.owner->GetCommandBarsOptions()->bDirty);
}

TEST(DockContext, EscapeAndButtonUpEndTheLoopAndMovesFollowTheCursor)
{
    TrackFixture f;
    CUTKMouseManager* mouse = GetThreadMouseManager();
    const int lockBefore = mouse->GetLockCount();
    HWND hwnd = f.bar->GetSafeHwnd();
    // Moves arrive relative to where the window is when they are read.
    ::PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(60, 30));   // screen (160, 130): +10, +20
    ::PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 10));   // the same screen point: no step
    ::PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    f.context->StartDrag(150, 110);
    CRect rc;
    ::GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc.TopLeft(), CPoint(110, 120)) << "the bar stays where the last step put it";
    EXPECT_EQ(f.context->m_ptMRUFloatPos, CPoint(110, 120));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(mouse->GetLockCount(), lockBefore);

    ::PostMessageW(hwnd, WM_LBUTTONUP, 0, 0);
    f.context->StartDrag(150, 100);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(mouse->GetLockCount(), lockBefore);
}

TEST(DockContext, NothingWithoutCommandBarsOrWhenAnotherWindowHasTheCapture)
{
    TrackFixture f;
    HWND hwnd = f.bar->GetSafeHwnd();
    ::SetCapture(f.site.m_window);
    ::PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(90, 30));
    f.context->StartDrag(150, 110);
    EXPECT_EQ(::GetCapture(), f.site.m_window) << "another window's capture is left alone";
    ::ReleaseCapture();
    f.bar->SetCommandBars(nullptr);
    f.context->StartDrag(150, 110);
    EXPECT_EQ(::GetCapture(), nullptr);
    CRect rc;
    ::GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc.TopLeft(), CPoint(100, 100));
    bartest::Pump();
}

TEST(DockContextResize, EdgesFollowTheCursorAndTheWidthIsRemembered)
{
    struct Case {
        int hit;
        CPoint move;  // client point of the move, relative to the press
        CRect want;   // window rectangle afterwards
    } cases[] = {
        {HTRIGHT, {30, 0}, CRect(100, 100, 330, 140)},   // keeps the left edge
        {HTLEFT, {-30, 0}, CRect(70, 100, 300, 140)},    // keeps the right edge
        {HTBOTTOM, {0, 20}, CRect(100, 100, 300, 160)},
        {HTTOP, {0, -20}, CRect(100, 80, 300, 140)},     // keeps the bottom edge
    };
    for (const Case& c : cases) {
        TrackFixture f;
        f.bar->m_layoutByLength = TRUE;
        HWND hwnd = f.bar->GetSafeHwnd();
        CRect before;
        ::GetWindowRect(hwnd, &before);
        const CPoint press = c.hit == HTRIGHT ? CPoint(before.right, 120) : c.hit == HTLEFT ? CPoint(before.left, 120)
                             : c.hit == HTBOTTOM ? CPoint(150, before.bottom) : CPoint(150, before.top);
        CPoint client = press + c.move;
        ::ScreenToClient(hwnd, &client);
        ::PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        ::PostMessageW(hwnd, WM_LBUTTONUP, 0, 0);
        f.context->StartResize(c.hit, press.x, press.y);
        CRect after;
        ::GetWindowRect(hwnd, &after);
        EXPECT_EQ(after, c.want) << c.hit;
        EXPECT_EQ(f.bar->GetWidth(), c.want.Width()) << c.hit;
        EXPECT_EQ(f.context->m_ptMRUFloatPos, c.want.TopLeft()) << c.hit;
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_EQ(GetThreadMouseManager()->GetLockCount(), 0);
    }
}

TEST(DockContextResize, QuitEndsAResizeToo)
{
    TrackFixture f;
    ::PostQuitMessage(3);
    f.context->StartResize(HTRIGHT, 300, 120);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(GetThreadMouseManager()->GetLockCount(), 0);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}
