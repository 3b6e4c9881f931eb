// Mini frames: a floating palette keeps its caption and its owner's caption in step with the
// owner's activation, follows the owner's show and enable state, and a child mini frame lays
// out its pane when sized.
#include "tests/platform/framework/frame/FrameTestApp.h"

#include <gtest/gtest.h>

namespace {

class MiniFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseEverything();
        owner = new CFrameWnd;
        ASSERT_TRUE(owner->Create(nullptr, L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  CRect(40, 40, 440, 340)));
        ownerHwnd = owner->m_hWnd;
        palette = new CMiniFrameWnd;
        ASSERT_TRUE(palette->CreateEx(0, nullptr, L"Palette",
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE |
                                          MFS_SYNCACTIVE | MFS_BLOCKSYSMENU,
                                      CRect(100, 100, 260, 200), owner));
        stranger = new CFrameWnd;
        ASSERT_TRUE(stranger->Create(nullptr, L"Stranger", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(500, 40, 700, 240)));
        PumpPending();
    }
    void TearDown() override
    {
        if (::IsWindow(strangerHwnd())) {
            stranger->DestroyWindow();
        }
        if (::IsWindow(ownerHwnd)) {
            ::DestroyWindow(ownerHwnd);  // takes the owned palette along
        }
        PumpPending();
    }

    void Activate(CWnd* wnd)
    {
        ::SetActiveWindow(wnd->m_hWnd);
        PumpPending();
    }
    HWND strangerHwnd() const { return stranger != nullptr ? stranger->m_hWnd : nullptr; }

    CFrameWnd* owner = nullptr;
    CMiniFrameWnd* palette = nullptr;
    CFrameWnd* stranger = nullptr;
    HWND ownerHwnd = nullptr;
};

TEST_F(MiniFrameTest, PaletteActivationFollowsItsOwner)
{
    EXPECT_NE(palette->GetExStyle() & WS_EX_TOOLWINDOW, 0u);
    EXPECT_EQ(::GetWindow(palette->m_hWnd, GW_OWNER), owner->m_hWnd);
    EXPECT_EQ(palette->GetSyncOwner(), owner);

    struct Step {
        CWnd** activate;
        BOOL ownerActive;
        BOOL keepCaption;
        BOOL paletteActive;
    };
    const Step steps[] = {
        {reinterpret_cast<CWnd**>(&owner), TRUE, FALSE, TRUE},
        {reinterpret_cast<CWnd**>(&palette), TRUE, TRUE, TRUE},   // owner's caption stays on
        {reinterpret_cast<CWnd**>(&stranger), FALSE, FALSE, FALSE},
        {reinterpret_cast<CWnd**>(&palette), TRUE, TRUE, TRUE},
        {reinterpret_cast<CWnd**>(&owner), TRUE, FALSE, TRUE},
    };
    int index = 0;
    for (const Step& step : steps) {
        Activate(*step.activate);
        EXPECT_EQ(::GetActiveWindow(), (*step.activate)->m_hWnd) << index;
        EXPECT_EQ(owner->m_bFrameActive, step.ownerActive) << index;
        EXPECT_EQ(owner->m_bKeepCaptionActive, step.keepCaption) << index;
        EXPECT_EQ(palette->m_bActive, step.paletteActive) << index;
        ++index;
    }
}

TEST_F(MiniFrameTest, FrameKindsAreTold)
{
    EXPECT_TRUE(palette->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    EXPECT_TRUE(palette->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)));
    EXPECT_FALSE(owner->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)));
    EXPECT_FALSE(owner->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)));
    EXPECT_TRUE(palette->IsFrameWnd());
    CMDIFrameWnd mdi;
    BOOL maximized = TRUE;
    EXPECT_EQ(mdi.MDIGetActive(&maximized), nullptr);
    EXPECT_FALSE(maximized);
    EXPECT_EQ(mdi.m_hWndMDIClient, nullptr);
}

TEST_F(MiniFrameTest, PaletteFollowsShowAndEnableOfItsOwner)
{
    owner->ShowWindow(SW_HIDE);
    PumpPending();
    EXPECT_FALSE(palette->IsWindowVisible());
    owner->ShowWindow(SW_SHOW);
    PumpPending();
    EXPECT_TRUE(palette->IsWindowVisible());
    owner->EnableWindow(FALSE);
    EXPECT_FALSE(palette->IsWindowEnabled());
    owner->EnableWindow(TRUE);
    EXPECT_TRUE(palette->IsWindowEnabled());
}

TEST_F(MiniFrameTest, UnsynchronisedPopupIsLeftAlone)
{
    auto* plain = new CMiniFrameWnd;
    ASSERT_TRUE(plain->CreateEx(0, nullptr, L"Plain", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                CRect(120, 220, 260, 300), owner));
    Activate(owner);
    EXPECT_FALSE(plain->m_bActive);
    Activate(plain);
    EXPECT_FALSE(owner->m_bFrameActive);  // activating it deactivates the owner
    EXPECT_EQ(plain->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 0);
}

TEST_F(MiniFrameTest, ChildMiniFrameLaysOutItsPaneWhenSized)
{
    auto* child = new CMiniFrameWnd;
    ASSERT_TRUE(child->CreateEx(0, nullptr, L"Docked", WS_CHILD | WS_VISIBLE | WS_CAPTION,
                                CRect(10, 10, 210, 160), owner, 0x1234));
    EXPECT_EQ(child->GetParent(), owner);
    EXPECT_EQ(child->GetDlgCtrlID(), 0x1234);
    CWnd* pane = new CWnd;
    ASSERT_TRUE(pane->Create(nullptr, L"pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), child,
                             AFX_IDW_PANE_FIRST));
    child->MoveWindow(10, 10, 300, 200);
    CRect client;
    child->GetClientRect(&client);
    CRect paneRect;
    pane->GetWindowRect(&paneRect);
    child->ScreenToClient(&paneRect);
    EXPECT_EQ(paneRect, client);
    pane->DestroyWindow();
    delete pane;
}

}  // namespace
