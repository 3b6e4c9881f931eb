// The tabbed container in a real frame: its tab strip, selection, presses and drags on the
// tabs (messages sent to its window), the close button's actions, help and accessibility.
// Runs themed and classic.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include "tests/toolkit/dockingpane/TabbedHostFrame.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneCaptionButton.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <algorithm>
#include <vector>

using orvane::test::DescribeTree;
using orvane::test::TabbedHostFrame;

namespace {

LPARAM Point(CPoint point)
{
    return MAKELPARAM(point.x, point.y);
}

class TabbedContainerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateHost(CRect(40, 40, 640, 440)));
        m_manager = m_frame.m_pManager;
        for (int id : {1, 2, 3}) {
            m_panes.push_back(m_manager->CreatePane(id, CRect(0, 0, 220, 150), 1,
                                                    id == 1 ? nullptr : m_panes[0]));
            ASSERT_NE(m_panes.back(), nullptr);
            if (id != 1) {
                m_manager->AttachPane(m_panes.back(), m_panes[0]);
            }
        }
        m_frame.Pump();
        m_tabbed = static_cast<CUTKDockingPaneTabbedContainer*>(m_panes[0]->GetContainer());
        ASSERT_NE(m_tabbed, nullptr);
        ASSERT_NE(m_tabbed->m_hWnd, nullptr);
    }

    // The close actions (2 and 3) the owner heard about a pane.
    std::vector<int> CloseActionsOf(int id) const
    {
        std::vector<int> actions;
        for (int action : m_frame.ActionsOf(id)) {
            if (action == actionClosing || action == actionClosed) {
                actions.push_back(action);
            }
        }
        return actions;
    }

    CPoint TabCentre(int index) const { return m_tabbed->GetItem(index)->GetRect().CenterPoint(); }

    void Press(CPoint point)
    {
        m_tabbed->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(point));
        m_frame.Pump();
    }

    void Release(CPoint point)
    {
        m_tabbed->SendMessage(WM_LBUTTONUP, 0, Point(point));
        m_frame.Pump();
    }

    TabbedHostFrame m_frame;
    CUTKDockingPaneManager* m_manager = nullptr;
    std::vector<CUTKDockingPane*> m_panes;
    CUTKDockingPaneTabbedContainer* m_tabbed = nullptr;
};

TEST_F(TabbedContainerTest, ThreePanesShareOneContainerWithTheLastSelected)
{
    EXPECT_EQ(DescribeTree(m_manager->GetTopContainer()), "H(C,T[1,2,3*],T[],T[])");
    EXPECT_EQ(m_tabbed->GetItemCount(), 3);
    EXPECT_TRUE(m_tabbed->IsTabsVisible());
    EXPECT_EQ(m_tabbed->GetCurSel(), 2);
    CString text;
    m_tabbed->GetWindowText(text);
    EXPECT_EQ(text, m_panes[2]->GetTitle());
    // Caption on top, the strip at the bottom, each tab hit by its centre.
    EXPECT_EQ(m_tabbed->HitTest(CPoint(30, 5)), CUTKDockingPaneTabbedContainer::kHitCaption);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m_tabbed->HitTest(TabCentre(i)), i);
        EXPECT_GT(TabCentre(i).y, m_tabbed->GetOwnerClientRect().Height() / 2);
    }
}

TEST_F(TabbedContainerTest, OnePaneShowsNoStripUnlessSingleTabsAreOn)
{
    m_manager->ClosePane(m_panes[1]);
    m_manager->ClosePane(m_panes[2]);
    m_frame.Pump();
    EXPECT_EQ(m_tabbed->GetPaneCount(), 1);
    EXPECT_FALSE(m_tabbed->IsTabsVisible());
    m_manager->GetPaintManager()->m_bShowSingleTab = TRUE;
    EXPECT_TRUE(m_tabbed->IsTabsVisible());
    m_manager->GetPaintManager()->m_bShowSingleTab = FALSE;
}

TEST_F(TabbedContainerTest, PressOnATabSelectsItsPane)
{
    Press(TabCentre(0));
    Release(TabCentre(0));
    EXPECT_EQ(m_tabbed->GetSelected(), m_panes[0]);
    EXPECT_EQ(m_tabbed->GetCurSel(), 0);
    // The press asked whether the pane may be dragged, then the focus made it active.
    const std::vector<int> actions = m_frame.ActionsOf(1);
    EXPECT_NE(std::find(actions.begin(), actions.end(), static_cast<int>(actionDragging)),
              actions.end());
    EXPECT_TRUE(::IsWindowVisible(m_frame.WindowOf(1)));
    EXPECT_FALSE(::IsWindowVisible(m_frame.WindowOf(3)));
    EXPECT_EQ(m_tabbed->GetDraggedPane(), nullptr);
    EXPECT_NE(::GetCapture(), m_tabbed->m_hWnd);
}

TEST_F(TabbedContainerTest, RefusedDragStillSelectsWithoutCapture)
{
    m_frame.m_refused.insert(actionDragging);
    Press(TabCentre(1));
    EXPECT_EQ(m_tabbed->GetSelected(), m_panes[1]);
    EXPECT_EQ(m_tabbed->GetDraggedPane(), nullptr);
    EXPECT_NE(::GetCapture(), m_tabbed->m_hWnd);
}

TEST_F(TabbedContainerTest, DraggingATabOverItsNeighbourSwapsThem)
{
    Press(TabCentre(0));
    EXPECT_EQ(m_tabbed->GetDraggedPane(), m_panes[0]);
    m_tabbed->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(TabCentre(1)));
    m_frame.Pump();
    EXPECT_EQ(DescribeTree(m_tabbed), "T[2,1*,3]");
    Release(TabCentre(1));
    EXPECT_EQ(m_tabbed->GetDraggedPane(), nullptr);
}

TEST_F(TabbedContainerTest, DraggingOffTheStripAsksAction16)
{
    Press(TabCentre(2));
    m_frame.m_refused.insert(actionDetaching);
    m_tabbed->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(CPoint(TabCentre(2).x, 40)));
    m_frame.Pump();
    // Refused: the drag along the strip goes on.
    EXPECT_EQ(m_tabbed->GetDraggedPane(), m_panes[2]);
    m_frame.m_refused.clear();
    m_tabbed->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(CPoint(TabCentre(2).x, 41)));
    m_frame.Pump();
    EXPECT_EQ(m_tabbed->GetDraggedPane(), nullptr);
    EXPECT_NE(::GetCapture(), m_tabbed->m_hWnd);
    const std::vector<int> actions = m_frame.ActionsOf(3);
    EXPECT_EQ(std::count(actions.begin(), actions.end(), static_cast<int>(actionDetaching)), 2);
}

TEST_F(TabbedContainerTest, PaneRemovedWhileItsTabIsDraggedEndsTheDrag)
{
    Press(TabCentre(1));
    ASSERT_EQ(m_tabbed->GetDraggedPane(), m_panes[1]);
    ASSERT_EQ(::GetCapture(), m_tabbed->m_hWnd);
    m_manager->ClosePane(m_panes[1]);
    EXPECT_EQ(m_tabbed->GetDraggedPane(), nullptr);
    EXPECT_NE(::GetCapture(), m_tabbed->m_hWnd);
    // A move afterwards touches no freed or foreign pane.
    m_tabbed->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(TabCentre(0)));
    m_frame.Pump();
    EXPECT_EQ(DescribeTree(m_tabbed), "T[1,3*]");
}

TEST_F(TabbedContainerTest, RemovingTheSelectedPaneSelectsTheLastOne)
{
    m_tabbed->SelectPane(m_panes[0], FALSE, TRUE);
    m_frame.Pump();
    m_manager->ClosePane(m_panes[0]);
    m_frame.Pump();
    EXPECT_EQ(m_tabbed->GetSelected(), m_panes[2]);
    m_manager->ClosePane(m_panes[2]);
    m_manager->ClosePane(m_panes[1]);
    m_frame.Pump();
    EXPECT_EQ(m_tabbed->GetSelected(), nullptr);
    EXPECT_EQ(m_tabbed->m_hWnd, nullptr);
}

TEST_F(TabbedContainerTest, CloseButtonReportsClosedOnlyWhenThePaneClosed)
{
    CUTKDockingPaneCaptionButton* close =
        m_tabbed->FindCaptionButton(CUTKDockingPaneCaptionButton::idClose);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->IsVisible());

    m_frame.m_closeAnswer = -1;
    m_tabbed->OnCaptionButtonClick(close);
    EXPECT_FALSE(m_panes[2]->IsClosed());
    EXPECT_EQ(CloseActionsOf(3), (std::vector<int>{actionClosing}));

    m_frame.m_closeAnswer = 0;
    m_frame.m_refused.insert(actionClosing);
    m_tabbed->OnCaptionButtonClick(close);
    EXPECT_FALSE(m_panes[2]->IsClosed());
    m_frame.m_refused.clear();

    m_tabbed->OnCaptionButtonClick(close);
    EXPECT_TRUE(m_panes[2]->IsClosed());
    EXPECT_EQ(CloseActionsOf(3),
              (std::vector<int>{actionClosing, actionClosing, actionClosing, actionClosed}));
}

TEST_F(TabbedContainerTest, CloseAllClosesEveryPaneThatMayClose)
{
    m_manager->m_bCloseGroupOnButtonClick = TRUE;
    m_panes[1]->SetOptions(PaneOptNoClose);
    m_tabbed->SelectPane(m_panes[0], FALSE, TRUE);
    m_tabbed->OnCaptionButtonClick(m_tabbed->FindCaptionButton(CUTKDockingPaneCaptionButton::idClose));
    m_frame.Pump();
    EXPECT_TRUE(m_panes[0]->IsClosed());
    EXPECT_FALSE(m_panes[1]->IsClosed());
    EXPECT_TRUE(m_panes[2]->IsClosed());
    EXPECT_EQ(m_tabbed->GetSelected(), m_panes[1]);
    // With the pane that may not close selected, the close button goes.
    EXPECT_FALSE(m_tabbed->FindCaptionButton(CUTKDockingPaneCaptionButton::idClose)->IsVisible());
}

TEST_F(TabbedContainerTest, CaptionButtonsShownByOptionsAndPlace)
{
    using B = CUTKDockingPaneCaptionButton;
    auto visible = [&](int id) { return m_tabbed->FindCaptionButton(id)->IsVisible() != FALSE; };
    EXPECT_TRUE(visible(B::idClose));
    EXPECT_FALSE(visible(B::idAutoHide));  // auto-hiding is not offered yet
    EXPECT_FALSE(visible(B::idMaximize));
    EXPECT_FALSE(visible(B::idRestore));
    EXPECT_FALSE(visible(B::idMenu));
    m_panes[2]->SetOptions(PaneOptMenuButton);
    EXPECT_TRUE(visible(B::idMenu));

    // A second visible container in the same splitter with the option on offers maximizing.
    m_manager->m_bShowMaximizeButton = TRUE;
    EXPECT_FALSE(visible(B::idMaximize));
    CUTKDockingPane* other = m_manager->CreatePane(9, CRect(0, 0, 100, 100), 1, m_panes[0]);
    m_frame.Pump();
    auto* second = static_cast<CUTKDockingPaneTabbedContainer*>(other->GetContainer());
    EXPECT_TRUE(visible(B::idMaximize));
    m_tabbed->Maximize();
    m_frame.Pump();
    EXPECT_TRUE(m_tabbed->IsMaximized());
    EXPECT_TRUE(visible(B::idRestore));
    EXPECT_FALSE(visible(B::idMaximize));
    MINMAXINFO info = {};
    second->GetMinMaxInfo(&info);
    EXPECT_EQ(info.ptMaxTrackSize.x, 0);
    m_tabbed->Restore();
    m_frame.Pump();
    second->GetMinMaxInfo(&info);
    EXPECT_GT(info.ptMaxTrackSize.x, 0);
}

TEST_F(TabbedContainerTest, HelpHitTestNamesThePaneUnderThePoint)
{
    struct Case {
        CPoint point;
        int pane;
        DWORD helpId;
        LRESULT expected;
    };
    const Case cases[] = {
        {TabCentre(0), 0, 0, 1 + 0x20000},
        {TabCentre(1), 1, 77, 77 + 0x20000},
        {CPoint(30, 5), 2, 0, 3 + 0x20000},  // the caption: the selected pane
    };
    for (const Case& test : cases) {
        m_panes[test.pane]->m_nHelpId = test.helpId;
        EXPECT_EQ(m_tabbed->SendMessage(WM_HELPHITTEST, 0, Point(test.point)), test.expected);
    }
}

TEST_F(TabbedContainerTest, RightClickOnATabSelectsItAndAsksForTheMenu)
{
    m_frame.m_notices.clear();
    m_tabbed->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, Point(TabCentre(0)));
    m_tabbed->SendMessage(WM_RBUTTONUP, 0, Point(TabCentre(0)));
    m_frame.Pump();
    EXPECT_EQ(m_tabbed->GetSelected(), m_panes[0]);
    std::vector<WPARAM> codes;
    int menuPane = 0;
    for (const TabbedHostFrame::Notice& notice : m_frame.m_notices) {
        if (notice.code == DOCKINGPANE_CONTEXTMENU || notice.code == DOCKINGPANE_MENU) {
            codes.push_back(notice.code);
        }
        if (notice.code == DOCKINGPANE_MENU) {
            menuPane = notice.paneId;
        }
    }
    EXPECT_EQ(codes, (std::vector<WPARAM>{DOCKINGPANE_CONTEXTMENU, DOCKINGPANE_MENU}));
    EXPECT_EQ(menuPane, 1);
}

TEST_F(TabbedContainerTest, AccessibleTabListRefusesChildIdsOutOfRange)
{
    IAccessible* accessible = m_tabbed->GetAccessible();
    long count = 0;
    ASSERT_EQ(accessible->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 4);
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role = {};
    ASSERT_EQ(accessible->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_PAGETABLIST);
    BSTR name = nullptr;
    ASSERT_EQ(accessible->get_accName(self, &name), S_OK);
    EXPECT_EQ(CString(name), m_panes[2]->GetTitle());
    ::SysFreeString(name);

    for (long id : {-1L, 5L, 99L}) {
        VARIANT child = {};
        child.vt = VT_I4;
        child.lVal = id;
        IDispatch* dispatch = nullptr;
        EXPECT_EQ(accessible->get_accChild(child, &dispatch), E_INVALIDARG) << id;
        EXPECT_EQ(dispatch, nullptr);
        EXPECT_EQ(accessible->get_accName(child, &name), E_INVALIDARG) << id;
    }
    VARIANT tab = {};
    tab.vt = VT_I4;
    tab.lVal = 2;
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(accessible->get_accChild(tab, &dispatch), S_OK);
    ASSERT_NE(dispatch, nullptr);
    dispatch->Release();
}

TEST_F(TabbedContainerTest, CopyKeepsTabOrderAndSelection)
{
    m_tabbed->SelectPane(m_panes[1], FALSE, TRUE);
    m_frame.Pump();
    CUTKDockingPaneLayout copy(m_manager);
    m_manager->GetLayout(&copy);
    CUTKDockingPaneBaseList tabbed(10);
    copy.GetTopContainer()->CollectPanes(dockingPaneTypeTabbedContainer, &tabbed);
    ASSERT_EQ(tabbed.GetCount(), 1);
    EXPECT_EQ(DescribeTree(tabbed.GetHead()), "T[1,2*,3]");
    // A user layout's containers make no windows.
    EXPECT_EQ(static_cast<CUTKDockingPaneTabbedContainer*>(tabbed.GetHead())->m_hWnd, nullptr);
}

}  // namespace
