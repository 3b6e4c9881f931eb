// Bar animation: the cross-fade's weights and bytes, and on a real bar window the start of a
// fade only for a changed image, its steps read back from the screen DC, and cached painting.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/CommandBarTestBar.h"
#include "toolkit/commandbars/CUTKCommandBarAnimation.h"

TEST(BarAnimation, StepWeights)
{
    const int want[] = {42, 85, 127, 170, 212};
    for (int step = 1; step <= 5; ++step)
        EXPECT_EQ(CUTKCommandBarAnimation::StepAlpha(step), want[step - 1]) << step;
}

TEST(BarAnimation, BlendBytes)
{
    const BYTE fresh[] = {255, 0, 200, 10};
    const BYTE old[] = {0, 255, 100, 10};
    BYTE out[4];
    CUTKCommandBarAnimation::BlendStep(fresh, old, out, 4, 1);  // a = 42
    EXPECT_EQ(out[0], 255 * 42 / 256);
    EXPECT_EQ(out[1], 255 * 213 / 256);
    EXPECT_EQ(out[2], (200 * 42 + 100 * 213) / 256);
    EXPECT_EQ(out[3], (10 * 42 + 10 * 213) / 256);
    CUTKCommandBarAnimation::BlendStep(fresh, old, out, 4, 5);  // a = 212
    EXPECT_EQ(out[0], 255 * 212 / 256);
    EXPECT_EQ(out[1], 255 * 43 / 256);
}

namespace {

struct AnimatedBar {
    bartest::Site site;
    bartest::TestBar* bar = new bartest::TestBar();
    AnimatedBar()
    {
        bar->m_fill = RGB(200, 0, 0);
        bartest::CreateBarWindow(bar, site.m_window, CRect(100, 100, 300, 130));
        bar->EnableAnimation(TRUE);
        ::UpdateWindow(bar->GetSafeHwnd());  // paints into the cache
    }
    ~AnimatedBar()
    {
        bar->DestroyWindow();
        bar->InternalRelease();
    }
    CUTKCommandBarAnimation* Animation() const { return bar->GetAnimation(); }
    COLORREF ScreenPixel(int x, int y) const
    {
        HDC dc = ::GetDC(bar->GetSafeHwnd());
        const COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(bar->GetSafeHwnd(), dc);
        return c;
    }
};

} // namespace

TEST(BarAnimation, EqualImagesStartNothing)
{
    AnimatedBar f;
    ASSERT_TRUE(f.Animation()->HasCache());
    const CRect rc(10, 5, 50, 25);
    f.bar->Redraw(&rc, TRUE);
    EXPECT_EQ(f.Animation()->GetAnimationCount(), 0);
    EXPECT_FALSE(f.Animation()->IsTimerRunning());
}

TEST(BarAnimation, ChangedImageFadesInSixSteps)
{
    AnimatedBar f;
    ASSERT_TRUE(f.Animation()->HasCache());
    f.bar->m_fill = RGB(0, 0, 200);
    const CRect rc(10, 5, 50, 25);
    f.bar->Redraw(&rc, TRUE);
    ASSERT_EQ(f.Animation()->GetAnimationCount(), 1);
    EXPECT_TRUE(f.Animation()->IsTimerRunning());
    // Step 1 is drawn at once: a = 42 of the new over the old.
    EXPECT_EQ(f.ScreenPixel(20, 10), RGB(200 * 213 / 256, 0, 200 * 42 / 256));
    EXPECT_EQ(f.ScreenPixel(5, 10), RGB(200, 0, 0)) << "outside the area nothing changes";
    const int blue[] = {85, 127, 170, 212};
    for (int i = 0; i < 4; ++i) {
        f.Animation()->OnAnimationTimer();
        EXPECT_EQ(f.ScreenPixel(20, 10), RGB(200 * (255 - blue[i]) / 256, 0, 200 * blue[i] / 256)) << i;
    }
    f.Animation()->OnAnimationTimer();  // step 6: the final image from the cache
    EXPECT_EQ(f.ScreenPixel(20, 10), RGB(0, 0, 200));
    EXPECT_EQ(f.Animation()->GetAnimationCount(), 0);
    EXPECT_FALSE(f.Animation()->IsTimerRunning());
}

TEST(BarAnimation, NewerFadeOverTheSameAreaReplacesTheOlder)
{
    AnimatedBar f;
    f.bar->m_fill = RGB(0, 0, 200);
    const CRect rc(10, 5, 50, 25);
    f.bar->Redraw(&rc, TRUE);
    f.bar->m_fill = RGB(0, 200, 0);
    f.bar->Redraw(&rc, TRUE);
    ASSERT_EQ(f.Animation()->GetAnimationCount(), 1);
    EXPECT_EQ(f.Animation()->GetAnimation(0)->nStep, 2);
}

TEST(BarAnimation, WholeBarRedrawDropsTheCacheAndPaintsWithoutAnimation)
{
    AnimatedBar f;
    f.bar->Redraw(nullptr, TRUE);
    EXPECT_FALSE(f.Animation()->HasCache());
    ::UpdateWindow(f.bar->GetSafeHwnd());
    EXPECT_TRUE(f.Animation()->HasCache());
    // Animation off and no cached painting: every paint goes through a buffer, no cache left.
    f.bar->EnableAnimation(FALSE);
    ::UpdateWindow(f.bar->GetSafeHwnd());
    EXPECT_FALSE(f.Animation()->HasCache());
    EXPECT_EQ(f.ScreenPixel(20, 10), RGB(200, 0, 0));
    // A resized window drops the cache on its next paint.
    f.bar->SetCachedPaint(TRUE);
    ::InvalidateRect(f.bar->GetSafeHwnd(), nullptr, FALSE);
    ::UpdateWindow(f.bar->GetSafeHwnd());
    ASSERT_TRUE(f.Animation()->HasCache());
    ::SetWindowPos(f.bar->GetSafeHwnd(), nullptr, 0, 0, 150, 30, SWP_NOMOVE | SWP_NOZORDER);
    ::UpdateWindow(f.bar->GetSafeHwnd());
    EXPECT_EQ(f.ScreenPixel(140, 10), RGB(200, 0, 0));
}
