// The tabbed container under real X input: the driver script (tab_real_input.sh) clicks
// with xdotool and takes screenshots when asked. The process asks by writing one line to
// "request" in ORVANE_XINPUT_DIR and handles its messages until the script answers "done".
// Without the script the tests skip. Runs themed and classic (ORVANE_THEME_RUN names the run).
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/dockingpane/TabbedHostFrame.h"
#include "tests/toolkit/dockingpane/XInputDriver.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <string>
#include <vector>

using orvane::test::DescribeTree;
using orvane::test::TabbedHostFrame;

namespace {

std::string RunName()
{
    const char* run = std::getenv("ORVANE_THEME_RUN");
    return run != nullptr && *run != '\0' ? run : "themed";
}

class TabbedRealInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (orvane::test::XInputDir().empty()) {
            GTEST_SKIP() << "needs the X input driver (tab_real_input.sh)";
        }
        ASSERT_TRUE(m_frame.CreateHost(CRect(60, 60, 700, 500)));
        ::SetWindowPos(m_frame.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        m_manager = m_frame.m_pManager;
        // The player's arrangement: a pane at the bottom, one at the right.
        m_bottom = m_manager->CreatePane(4002, CRect(0, 0, 200, 120), 3);
        m_right = m_manager->CreatePane(4000, CRect(0, 0, 200, 120), 1);
        ASSERT_NE(m_bottom, nullptr);
        ASSERT_NE(m_right, nullptr);
        m_bottom->SetTitle(L"Volume and level");
        m_right->SetTitle(L"Bookmarks");
        ::SetForegroundWindow(m_frame.m_hWnd);
        m_frame.PumpFor(300);
    }

    // Asks the driver for one action and handles messages until it has been done.
    bool Drive(const std::string& action)
    {
        return orvane::test::DriveXInput(action, [this](DWORD ms) { m_frame.PumpFor(ms); }, 250);
    }

    bool Click(HWND window, CPoint client)
    {
        ::ClientToScreen(window, &client);
        return Drive("click " + std::to_string(client.x) + " " + std::to_string(client.y));
    }

    bool Shot(const std::string& name)
    {
        CRect rect;
        ::GetWindowRect(m_frame.m_hWnd, &rect);
        return Drive("shot " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                     std::to_string(rect.Width()) + " " + std::to_string(rect.Height()) + " " +
                     name + "-" + RunName() + ".png");
    }

    TabbedHostFrame m_frame;
    CUTKDockingPaneManager* m_manager = nullptr;
    CUTKDockingPane* m_bottom = nullptr;
    CUTKDockingPane* m_right = nullptr;
};

TEST_F(TabbedRealInputTest, TabClickSelectsAndCaptionClickActivates)
{
    ASSERT_TRUE(Shot("docking-panes-docked"));
    m_manager->AttachPane(m_right, m_bottom);
    m_frame.PumpFor(200);
    auto* tabbed = static_cast<CUTKDockingPaneTabbedContainer*>(m_bottom->GetContainer());
    ASSERT_EQ(m_right->GetContainer(), tabbed);
    ASSERT_EQ(tabbed->GetSelected(), m_right);
    ASSERT_TRUE(tabbed->IsTabsVisible());
    ASSERT_TRUE(Shot("docking-panes-tabbed"));

    // A real click on the first tab selects its pane and shows its window alone.
    ASSERT_TRUE(Click(tabbed->m_hWnd, tabbed->GetItem(0)->GetRect().CenterPoint()));
    EXPECT_EQ(tabbed->GetSelected(), m_bottom);
    EXPECT_EQ(tabbed->GetCurSel(), 0);
    EXPECT_TRUE(::IsWindowVisible(m_frame.WindowOf(4002)));
    EXPECT_FALSE(::IsWindowVisible(m_frame.WindowOf(4000)));
    EXPECT_EQ(tabbed->GetDraggedPane(), nullptr);
    EXPECT_NE(::GetCapture(), tabbed->m_hWnd);
    // The click focused the pane: the container became active and the owner heard action 14.
    EXPECT_TRUE(tabbed->IsActive());
    EXPECT_EQ(m_manager->GetActivePane(), m_bottom);
    const std::vector<int> bottom = m_frame.ActionsOf(4002);
    EXPECT_NE(std::find(bottom.begin(), bottom.end(), static_cast<int>(actionActivated)),
              bottom.end());

    // The second tab, then the caption: the other pane takes over the activation.
    m_frame.m_notices.clear();
    ASSERT_TRUE(Click(tabbed->m_hWnd, tabbed->GetItem(1)->GetRect().CenterPoint()));
    EXPECT_EQ(tabbed->GetSelected(), m_right);
    EXPECT_EQ(m_manager->GetActivePane(), m_right);
    EXPECT_EQ(m_frame.ActionsOf(4002), (std::vector<int>{actionDeactivated}));
    const std::vector<int> right = m_frame.ActionsOf(4000);
    EXPECT_NE(std::find(right.begin(), right.end(), static_cast<int>(actionActivated)),
              right.end());

    // Focus leaves for the frame: the container deactivates.
    m_frame.m_notices.clear();
    m_frame.SetFocus();
    m_frame.PumpFor(200);
    EXPECT_FALSE(tabbed->IsActive());
    EXPECT_EQ(m_frame.ActionsOf(4000), (std::vector<int>{actionDeactivated}));
    ASSERT_TRUE(Click(tabbed->m_hWnd, CPoint(40, 6)));
    EXPECT_TRUE(tabbed->IsActive());
    EXPECT_EQ(m_manager->GetActivePane(), m_right);

    // Closed, then shown again in its last holder.
    m_manager->ClosePane(m_bottom);
    m_frame.PumpFor(200);
    EXPECT_TRUE(m_bottom->IsClosed());
    ASSERT_TRUE(Shot("docking-panes-closed"));
    m_manager->ShowPane(m_bottom, TRUE);
    m_frame.PumpFor(200);
    EXPECT_EQ(m_bottom->GetContainer(), tabbed);
    EXPECT_EQ(DescribeTree(tabbed), "T[4000,4002*]");
    ASSERT_TRUE(Shot("docking-panes-shown-again"));
}

}  // namespace
