// The docking pane manager on the player's main road, with real windows: a frame with a view,
// theme 3, pane 4002 docked at the bottom and 4000 at the right, windows attached on
// notification 1. Rectangles after frame resizes, the order of notifications, closing kept by
// the owner, reopening in the last holder, tabbing both panes, activation, themes, installation
// and the manager's accessible object.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <typeinfo>
#include <vector>

#include "tests/toolkit/dockingpane/DockingManagerTestHost.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneDefaultTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneWinNativeTheme.h"

using dockingtest::HostFrame;

namespace {

class DockingManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(CRect(20, 20, 820, 620), TRUE));
        m_manager = m_host.m_pManager;
        m_bottom = m_manager->CreatePane(4002, CRect(0, 0, 200, 120), 3);
        m_right = m_manager->CreatePane(4000, CRect(0, 0, 200, 120), 1);
        ASSERT_NE(m_bottom, nullptr);
        ASSERT_NE(m_right, nullptr);
        m_host.RecalcLayout();
        m_host.Pump();
    }

    CRect ViewRect() const { return m_host.ClientRectOf(m_host.m_view.GetSafeHwnd()); }
    CRect PaneRect(int id) const
    {
        auto found = m_host.m_windows.find(id);
        return found == m_host.m_windows.end() ? CRect() : m_host.ClientRectOf(found->second);
    }
    // The notices from index first on, as (code, value) pairs.
    std::vector<std::pair<WPARAM, int>> NoticesFrom(size_t first) const
    {
        std::vector<std::pair<WPARAM, int>> out;
        for (size_t i = first; i < m_host.m_notices.size(); ++i)
            out.push_back({m_host.m_notices[i].code, m_host.m_notices[i].value});
        return out;
    }

    HostFrame m_host;
    CUTKDockingPaneManager* m_manager = nullptr;
    CUTKDockingPane* m_bottom = nullptr;
    CUTKDockingPane* m_right = nullptr;
};

}  // namespace

TEST_F(DockingManager, PanesKeepTheirPlacesThroughFrameResizes)
{
    ASSERT_EQ(m_host.m_windows.count(4002), 1u) << "window attached on notification 1";
    ASSERT_EQ(m_host.m_windows.count(4000), 1u);
    EXPECT_EQ(m_bottom->GetOptions(), 0x24u);
    const CSize sizes[] = {{800, 600}, {640, 480}, {1000, 720}, {420, 360}, {800, 600}};
    for (const CSize& size : sizes) {
        m_host.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        m_host.Pump();
        CRect client;
        m_host.GetClientRect(&client);
        const CRect view = ViewRect();
        const CRect bottom = PaneRect(4002);
        const CRect right = PaneRect(4000);
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        ASSERT_FALSE(view.IsRectEmpty());
        ASSERT_FALSE(bottom.IsRectEmpty());
        ASSERT_FALSE(right.IsRectEmpty());
        // 4000 spans the right side; 4002 lies under the view, left of 4000.
        EXPECT_GE(right.left, view.right);
        EXPECT_GE(right.left, bottom.right);
        EXPECT_GE(bottom.top, view.bottom);
        EXPECT_LE(bottom.left - view.left, 8);
        EXPECT_LT(right.top, view.top + 30);
        EXPECT_GT(right.bottom, bottom.top);
        for (const CRect& part : {view, bottom, right}) {
            EXPECT_GE(part.left, client.left);
            EXPECT_GE(part.top, client.top);
            EXPECT_LE(part.right, client.right);
            EXPECT_LE(part.bottom, client.bottom);
        }
        CRect overlap;
        EXPECT_FALSE(overlap.IntersectRect(&view, &bottom));
        EXPECT_FALSE(overlap.IntersectRect(&view, &right));
        EXPECT_FALSE(overlap.IntersectRect(&bottom, &right));
    }
}

TEST_F(DockingManager, ShownNoticeComesBeforeActivation)
{
    const size_t first = m_host.m_notices.size();
    m_manager->ShowPane(m_right, TRUE);
    m_host.Pump();
    const auto notices = NoticesFrom(first);
    const auto shown = std::find(notices.begin(), notices.end(),
                                 std::make_pair(WPARAM(DOCKINGPANE_SHOWWINDOW), 4000));
    const auto activated = std::find(notices.begin(), notices.end(),
                                     std::make_pair(WPARAM(DOCKINGPANE_ACTION),
                                                    int(actionActivated)));
    ASSERT_NE(shown, notices.end());
    ASSERT_NE(activated, notices.end());
    EXPECT_LT(shown - notices.begin(), activated - notices.begin());
    EXPECT_EQ(m_manager->GetActivePane(), m_right);
}

TEST_F(DockingManager, CloseKeptByTheOwnerThenClosedThenReopenedInItsLastHolder)
{
    const UTK_DOCKINGPANE_INFO* info = m_manager->GetLiveLayout()->FindPaneInfo(m_bottom);
    ASSERT_NE(info, nullptr);
    CUTKDockingPaneTabbedContainer* holder = info->pLastHolder;
    ASSERT_NE(holder, nullptr);

    m_host.m_closeAnswer = -1;
    size_t first = m_host.m_notices.size();
    m_manager->ClosePane(m_bottom);
    m_host.Pump();
    EXPECT_FALSE(m_bottom->IsClosed());
    ASSERT_FALSE(NoticesFrom(first).empty());
    EXPECT_EQ(NoticesFrom(first).front(), std::make_pair(WPARAM(DOCKINGPANE_PANECLOSED), 4002));
    EXPECT_FALSE(PaneRect(4002).IsRectEmpty());

    m_host.m_closeAnswer = 0;
    m_manager->ClosePane(m_bottom);
    m_host.RecalcLayout();
    m_host.Pump();
    EXPECT_TRUE(m_bottom->IsClosed());
    EXPECT_TRUE(PaneRect(4002).IsRectEmpty()) << "a closed pane's window is hidden";
    EXPECT_EQ(m_manager->FindPane(4002), m_bottom) << "the pane stays in the pane list";
    const CRect viewWithout = ViewRect();

    first = m_host.m_notices.size();
    m_manager->ShowPane(m_bottom, TRUE);
    m_host.RecalcLayout();
    m_host.Pump();
    EXPECT_FALSE(m_bottom->IsClosed());
    EXPECT_EQ(static_cast<CUTKDockingPaneBase*>(m_bottom->GetContainer()),
              static_cast<CUTKDockingPaneBase*>(holder));
    const CRect bottom = PaneRect(4002);
    EXPECT_FALSE(bottom.IsRectEmpty());
    EXPECT_GE(bottom.top, ViewRect().bottom);
    EXPECT_LT(ViewRect().Height(), viewWithout.Height());
    const auto notices = NoticesFrom(first);
    EXPECT_NE(std::find(notices.begin(), notices.end(),
                        std::make_pair(WPARAM(DOCKINGPANE_SHOWWINDOW), 4002)),
              notices.end());
}

TEST_F(DockingManager, AttachPaneTabsBothPanesInOneContainer)
{
    m_manager->AttachPane(m_bottom, m_right);
    m_manager->GetLiveLayout()->Normalize();
    m_host.RecalcLayout();
    m_host.Pump();
    ASSERT_NE(m_bottom->GetContainer(), nullptr);
    EXPECT_EQ(m_bottom->GetContainer(), m_right->GetContainer());
    auto* tabbed = static_cast<CUTKDockingPaneTabbedContainer*>(m_right->GetContainer());
    EXPECT_EQ(tabbed->GetPaneCount(), 2);
    EXPECT_EQ(tabbed->GetSelected(), m_bottom) << "the attached pane is selected";
    EXPECT_FALSE(PaneRect(4002).IsRectEmpty());
    EXPECT_TRUE(PaneRect(4000).IsRectEmpty());
    // The emptied container and the splitters it leaves are gone; the client keeps its place.
    const CRect view = ViewRect();
    const CRect tabbed4002 = PaneRect(4002);
    CRect overlap;
    EXPECT_FALSE(view.IsRectEmpty());
    EXPECT_FALSE(overlap.IntersectRect(&view, &tabbed4002));
    EXPECT_GE(tabbed4002.left, view.right);
    // The holders follow the pane into its new container.
    EXPECT_EQ(m_manager->GetLiveLayout()->FindPaneInfo(m_bottom)->pDockingHolder, tabbed);
}

TEST_F(DockingManager, ActivationNoticesAndRefusalFlag)
{
    m_manager->SetActivePane(FALSE, m_manager->GetActivePane());
    size_t first = m_host.m_notices.size();
    m_manager->SetActivePane(TRUE, m_right);
    m_manager->SetActivePane(TRUE, m_right);
    m_manager->SetActivePane(TRUE, m_bottom);
    m_manager->SetActivePane(FALSE, m_bottom);
    const std::vector<std::pair<WPARAM, int>> expected = {
        {DOCKINGPANE_ACTION, actionActivated},
        {DOCKINGPANE_ACTION, actionDeactivated},
        {DOCKINGPANE_ACTION, actionActivated},
        {DOCKINGPANE_ACTION, actionDeactivated},
    };
    EXPECT_EQ(NoticesFrom(first), expected);
    EXPECT_EQ(m_manager->GetActivePane(), nullptr);

    EXPECT_FALSE(m_manager->NotifyAction(actionDocking, m_right));
    m_right->SetEnabled(PaneEnabled);
    EXPECT_TRUE(m_manager->NotifyAction(actionDocking, m_right))
        << "a pane without enabled actions starts refused";
}

TEST_F(DockingManager, ThemesInstallationAndAccessibleObject)
{
    using namespace UTKDockingPanePaintThemes;
    EXPECT_NE(dynamic_cast<CUTKDockingPaneWinNativeTheme*>(m_manager->GetPaintManager()), nullptr);
    for (int theme : {13, 25, 0}) {
        m_manager->SetTheme(theme);
        EXPECT_EQ(m_manager->GetPaintManager()->m_nThemeNumber, theme);
        EXPECT_EQ(typeid(*m_manager->GetPaintManager()), typeid(CUTKDockingPaneDefaultTheme))
            << theme;
    }
    m_manager->SetTheme(3);

    EXPECT_FALSE(m_manager->InstallDockingPanes(&m_host)) << "installed once only";
    CUTKDockingPaneManager fresh;
    EXPECT_EQ(fresh.FindPane(4000), nullptr);
    EXPECT_FALSE(fresh.InstallDockingPanes(nullptr));
    EXPECT_EQ(m_manager->GetDlgCtrlID(), 0);
    EXPECT_FALSE(m_manager->IsWindowVisible());

    long count = 0;
    EXPECT_EQ(m_manager->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 2);
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = 1;
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(m_manager->get_accChild(child, &dispatch), S_OK);
    ASSERT_NE(dispatch, nullptr);
    dispatch->Release();
    child.lVal = 3;
    EXPECT_EQ(m_manager->get_accChild(child, &dispatch), E_INVALIDARG);
    child.lVal = 0;
    BSTR name = nullptr;
    ASSERT_EQ(m_manager->get_accName(child, &name), S_OK);
    EXPECT_STREQ(name, L"UTKDockingPaneManager");
    ::SysFreeString(name);
    child.lVal = 2;
    EXPECT_EQ(m_manager->get_accName(child, &name), E_INVALIDARG);
}

TEST_F(DockingManager, SavedLayoutAppliedAgainRestoresTheArrangement)
{
    CUTKDockingPaneLayout saved(m_manager);
    m_manager->GetLayout(&saved);
    ASSERT_TRUE(saved.IsValid());
    const CRect bottomBefore = PaneRect(4002);
    m_host.m_closeAnswer = 0;
    m_manager->ClosePane(m_bottom);
    m_host.RecalcLayout();
    m_host.Pump();
    m_manager->SetLayout(&saved);
    m_host.RecalcLayout();
    m_host.Pump();
    CUTKDockingPane* bottom = m_manager->FindPane(4002);
    ASSERT_NE(bottom, nullptr);
    EXPECT_FALSE(bottom->IsClosed());
    EXPECT_TRUE(bottom->HasWindow()) << "the window comes back through notification 1";
    EXPECT_EQ(PaneRect(4002), bottomBefore);
}

TEST(DockingManagerOle, UninitialisesOleOnlyAfterItsOwnInitialisationSucceeded)
{
    // A thread already in the multithreaded apartment: OleInitialize fails there, so the
    // manager must leave the thread's COM count alone when it goes.
    HRESULT again = E_FAIL;
    std::thread worker([&again] {
        if (FAILED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
            return;
        { CUTKDockingPaneManager manager; }
        again = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(again))
            ::CoUninitialize();
        ::CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(again, S_FALSE) << "the thread's own initialisation still holds";
}
