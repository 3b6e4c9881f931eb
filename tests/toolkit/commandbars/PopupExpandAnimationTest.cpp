// A menu growing when its rarely used commands are shown: with an animation kind chosen the
// paint manager grows the newly shown rows from a buffer holding the whole popup (downward
// or, for a popup that ends at a fixed bottom edge, upward) and the screen ends on the popup
// as it paints itself; without one the window only moves. The animation drawn into a memory DC
// ends on the popup's own image.
#include "tests/toolkit/commandbars/BarsHostFrame.h"

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKDefaultTheme.h"

#include <memory>
#include <string>
#include <vector>

using orvane::test::DrawCanvas;

namespace {

// Theme 0 as it is, recording each expansion animation it is asked for.
class RecordingPaintManager : public CUTKDefaultTheme {
public:
    struct Call {
        BOOL expandDown;
        CSize source;  // size of the bitmap the popup was drawn into
        int hiddenRows;
    };
    int AnimateExpandedItems(CUTKCommandBar* pPopupBar, CDC* pDestDC, CDC* pSrcDC,
                             BOOL bExpandDown) override
    {
        BITMAP bm{};
        ::GetObjectW(::GetCurrentObject(pSrcDC->GetSafeHdc(), OBJ_BITMAP), sizeof(bm), &bm);
        int hidden = 0;
        for (int i = 0; i < pPopupBar->GetControlCount(); ++i)
            hidden += pPopupBar->GetControl(i)->IsHiddenUntilExpand() ? 1 : 0;
        m_calls.push_back({bExpandDown, CSize(bm.bmWidth, bm.bmHeight), hidden});
        return CUTKDefaultTheme::AnimateExpandedItems(pPopupBar, pDestDC, pSrcDC, bExpandDown);
    }
    std::vector<Call> m_calls;
};

class PopupExpandAnimation : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = std::make_unique<CBarsHostFrame>();
        ASSERT_TRUE(host->CreateHost(RECT{40, 40, 440, 300}, FALSE, FALSE));
        host->ShowWindow(SW_SHOWNA);
        paint = new RecordingPaintManager();
        paint->m_nAnimationTime = 0;  // no pacing in tests
        paint->m_nAnimationSteps = 4;
        bars = new CUTKCommandBars;
        bars->SetSite(host.get());
        bars->SetPaintManager(paint);
        bars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
        popup = CUTKPopupBar::CreatePopupBar(bars);
        for (int i = 0; i < 5; ++i) {
            CUTKControl* control = popup->GetControls()->Add(1, 2100 + i, L"", -1, FALSE);
            ASSERT_NE(control, nullptr);
            control->SetCaption((L"Command " + std::to_wstring(i + 1)).c_str());
        }
        popup->GetControl(1)->SetHiddenUntilExpand(TRUE);
        popup->GetControl(3)->SetHiddenUntilExpand(TRUE);
    }
    void TearDown() override
    {
        if (popup->GetTrackingMode() != 0)
            popup->SetTrackingMode(FALSE, TRUE, FALSE);
        popup->InternalRelease();
        bars->InternalRelease();  // releases the paint manager
        host->DestroyWindow();
        CBarsHostFrame::Pump();
        GetThreadMouseManager()->SetMenusExpanded(FALSE);
    }
    // Opens the popup at the point, expands it, and answers the window before and after.
    std::pair<CRect, CRect> OpenAndExpand(int x, int y)
    {
        EXPECT_TRUE(popup->PopupAt(x, y));
        EXPECT_TRUE(popup->HasHiddenCommands());
        CRect before;
        popup->GetWindowRect(&before);
        paint->m_calls.clear();
        popup->ExpandBar();
        CBarsHostFrame::Pump();
        CRect after;
        popup->GetWindowRect(&after);
        EXPECT_TRUE(popup->IsExpanded());
        EXPECT_TRUE(popup->IsWindowVisible());
        return {before, after};
    }
    std::unique_ptr<CBarsHostFrame> host;
    RecordingPaintManager* paint = nullptr;
    CUTKCommandBars* bars = nullptr;
    CUTKPopupBar* popup = nullptr;
};

} // namespace

TEST_F(PopupExpandAnimation, AnimationKindsGrowTheHiddenRowsAndNoneOnlyMoves)
{
    struct Case {
        int option;
        size_t calls;
    };
    const Case cases[] = {{2, 1}, {3, 1}, {4, 1}, {5, 0}, {7, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        bars->GetCommandBarsOptions()->animationType = c.option;
        const auto [before, after] = OpenAndExpand(200, 100);
        EXPECT_GT(after.Height(), before.Height());
        ASSERT_EQ(paint->m_calls.size(), c.calls);
        if (c.calls == 1) {
            CRect client;
            popup->GetClientRect(&client);
            EXPECT_TRUE(paint->m_calls[0].expandDown) << "the bottom edge moved down";
            EXPECT_EQ(paint->m_calls[0].source, client.Size()) << "the whole grown popup";
            EXPECT_EQ(paint->m_calls[0].hiddenRows, 2);
        }
        // On the screen the grown popup ends as it paints itself.
        CRect client;
        popup->GetClientRect(&client);
        CRect screenRect = client;
        popup->ClientToScreen(&screenRect);
        DrawCanvas printed(client.Width(), client.Height(), RGB(1, 2, 3));
        popup->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.hdc()),
                           PRF_CLIENT | PRF_ERASEBKGND);
        DrawCanvas shown(client.Width(), client.Height(), RGB(1, 2, 3));
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(shown.hdc(), 0, 0, client.Width(), client.Height(), screen, screenRect.left,
                 screenRect.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
        int differing = 0;
        for (int y = 0; y < client.Height(); ++y)
            for (int x = 0; x < client.Width(); ++x)
                differing += shown.At(x, y) != printed.At(x, y);
        EXPECT_EQ(differing, 0);
        popup->SetTrackingMode(FALSE, TRUE, FALSE);
        GetThreadMouseManager()->SetMenusExpanded(FALSE);
        CBarsHostFrame::Pump();
    }
}

TEST_F(PopupExpandAnimation, APopupAboveItsPointGrowsUpward)
{
    bars->GetCommandBarsOptions()->animationType = 2;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{200, 100}, MONITOR_DEFAULTTONEAREST), &info);
    const int y = info.rcWork.bottom - 4;  // too low for the popup: it opens above the point
    const auto [before, after] = OpenAndExpand(200, y);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_LT(after.top, before.top);
    ASSERT_EQ(paint->m_calls.size(), 1u);
    EXPECT_FALSE(paint->m_calls[0].expandDown);
}

TEST_F(PopupExpandAnimation, DrawnIntoAMemoryDcItEndsOnThePopupImage)
{
    bars->GetCommandBarsOptions()->animationType = 5;
    OpenAndExpand(200, 100);
    CRect client;
    popup->GetClientRect(&client);
    DrawCanvas printed(client.Width(), client.Height(), RGB(1, 2, 3));
    popup->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.hdc()),
                       PRF_CLIENT | PRF_ERASEBKGND);
    for (int steps : {1, 4}) {
        paint->m_nAnimationSteps = steps;
        DrawCanvas canvas(client.Width(), client.Height(), RGB(250, 0, 250));
        EXPECT_EQ(popup->DrawExpandAnimation(canvas.dc(), TRUE), steps);
        int differing = 0;
        for (int y = 0; y < client.Height(); ++y)
            for (int x = 0; x < client.Width(); ++x)
                differing += canvas.At(x, y) != printed.At(x, y);
        EXPECT_EQ(differing, 0) << steps << " steps";
    }
    paint->m_nAnimationSteps = 0;
    DrawCanvas untouched(client.Width(), client.Height(), RGB(250, 0, 250));
    EXPECT_EQ(popup->DrawExpandAnimation(untouched.dc(), TRUE), 0);
    EXPECT_EQ(untouched.At(client.Width() / 2, client.Height() / 2), RGB(250, 0, 250));
    EXPECT_EQ(popup->DrawExpandAnimation(nullptr, TRUE), 0);
}
