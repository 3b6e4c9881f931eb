// The manager's docking operations on a live layout in a real frame: the tree a sequence of
// creations, closes and attaches leaves (a table), the holders that let a closed pane return,
// and a pane whose creation could not dock it reopening when shown.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/dockingpane/TabbedHostFrame.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <string>
#include <vector>

using orvane::test::DescribeTree;
using orvane::test::TabbedHostFrame;

namespace {

enum class Op { create, close, attach, show };

struct Step {
    Op op;
    int id;
    int direction = 1;
    int other = 0;  // the neighbour (create) or the target (attach); 0 for none
};

struct TreeCase {
    const char* name;
    std::vector<Step> steps;
    const char* tree;
};

void RunStep(TabbedHostFrame& frame, const Step& step)
{
    CUTKDockingPaneManager* manager = frame.m_pManager;
    CUTKDockingPane* other = step.other != 0 ? manager->FindPane(step.other) : nullptr;
    switch (step.op) {
    case Op::create:
        ASSERT_NE(manager->CreatePane(step.id, CRect(0, 0, 200, 120), step.direction, other),
                  nullptr);
        break;
    case Op::close:
        manager->ClosePane(manager->FindPane(step.id));
        break;
    case Op::attach:
        manager->AttachPane(manager->FindPane(step.id), other);
        break;
    case Op::show:
        manager->ShowPane(manager->FindPane(step.id), FALSE);
        break;
    }
    frame.Pump();
}

class DockingOperationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateHost(CRect(40, 40, 640, 440)));
        m_manager = m_frame.m_pManager;
    }

    void Run(const Step& step) { RunStep(m_frame, step); }

    std::string Tree() const { return DescribeTree(m_manager->GetTopContainer()); }

    TabbedHostFrame m_frame;
    CUTKDockingPaneManager* m_manager = nullptr;
};

TEST(DockingOperationsTrees, TreesAfterDocking)
{
    const std::vector<TreeCase> cases = {
        {"right of the top", {{Op::create, 1, 1}}, "H(C,T[1*])"},
        {"left of the top", {{Op::create, 1, 0}}, "H(T[1*],C)"},
        {"bottom wraps a horizontal top", {{Op::create, 1, 3}}, "V(H(C),T[1*])"},
        {"top wraps a horizontal top", {{Op::create, 1, 2}}, "V(T[1*],H(C))"},
        {"right of a vertical top wraps it",
         {{Op::create, 1, 3}, {Op::create, 2, 1}},
         "H(V(H(C),T[1*]),T[2*])"},
        {"after a pane along the splitter", {{Op::create, 1, 1}, {Op::create, 2, 1, 1}},
         "H(C,T[1*],T[2*])"},
        {"before a pane along the splitter", {{Op::create, 1, 1}, {Op::create, 2, 0, 1}},
         "H(C,T[2*],T[1*])"},
        {"across a pane splits its place", {{Op::create, 1, 1}, {Op::create, 2, 3, 1}},
         "H(C,V(T[1*],T[2*]))"},
        {"above a pane splits its place", {{Op::create, 1, 1}, {Op::create, 2, 2, 1}},
         "H(C,V(T[2*],T[1*]))"},
        {"next to a closed pane docks against the top",
         {{Op::create, 1, 1}, {Op::close, 1}, {Op::create, 2, 3, 1}},
         "V(H(C,T[]),T[2*])"},
        {"the player's two panes",
         {{Op::create, 4002, 3}, {Op::create, 4000, 1}},
         "H(V(H(C),T[4002*]),T[4000*])"},
        {"attach tabs two panes in one container",
         {{Op::create, 1, 1}, {Op::create, 2, 3}, {Op::attach, 2, 0, 1}},
         "V(H(C,T[1,2*]),T[])"},
        {"a closed pane returns to its last holder",
         {{Op::create, 1, 1}, {Op::create, 2, 1, 1}, {Op::attach, 2, 0, 1}, {Op::close, 2},
          {Op::show, 2}},
         "H(C,T[1,2*],T[])"},
    };
    for (const TreeCase& test : cases) {
        SCOPED_TRACE(test.name);
        TabbedHostFrame frame;
        ASSERT_TRUE(frame.CreateHost(CRect(40, 40, 640, 440)));
        for (const Step& step : test.steps) {
            RunStep(frame, step);
        }
        EXPECT_EQ(DescribeTree(frame.m_pManager->GetTopContainer()), test.tree);
    }
}

TEST_F(DockingOperationsTest, AttachedPanesShareOneContainerWithTwoTabs)
{
    Run({Op::create, 4002, 3});
    Run({Op::create, 4000, 1});
    CUTKDockingPane* bottom = m_manager->FindPane(4002);
    CUTKDockingPane* right = m_manager->FindPane(4000);
    m_manager->AttachPane(right, bottom);
    m_frame.Pump();

    ASSERT_EQ(right->GetContainer(), bottom->GetContainer());
    auto* tabbed = static_cast<CUTKDockingPaneTabbedContainer*>(bottom->GetContainer());
    EXPECT_EQ(tabbed->GetItemCount(), 2);
    EXPECT_TRUE(tabbed->IsTabsVisible());
    EXPECT_EQ(tabbed->GetSelected(), right);
    EXPECT_EQ(tabbed->GetPaneByTab(0), bottom);
    EXPECT_EQ(tabbed->GetPaneByTab(1), right);
    // The selected pane's window is shown in the container's client part, the other hidden.
    ASSERT_NE(m_frame.WindowOf(4000), nullptr);
    EXPECT_TRUE(::IsWindowVisible(m_frame.WindowOf(4000)));
    EXPECT_FALSE(::IsWindowVisible(m_frame.WindowOf(4002)));
    EXPECT_EQ(::GetParent(m_frame.WindowOf(4000)), tabbed->m_hWnd);
    // The holders now name the shared container.
    EXPECT_EQ(m_manager->GetPaneHolder(right, FALSE), tabbed);
    EXPECT_EQ(m_manager->GetPaneHolder(right, TRUE), nullptr);
}

TEST_F(DockingOperationsTest, AttachToSomethingElseThanATabbedContainerDoesNothing)
{
    Run({Op::create, 1, 1});
    CUTKDockingPane* pane = m_manager->FindPane(1);
    CUTKDockingPaneBase* before = pane->GetContainer();
    m_manager->AttachPane(pane, m_manager->GetTopContainer());
    m_manager->AttachPane(pane, nullptr);
    EXPECT_EQ(pane->GetContainer(), before);
    EXPECT_EQ(Tree(), "H(C,T[1*])");
}

TEST_F(DockingOperationsTest, PaneThatCouldNotBeDockedReopensWithItsDirection)
{
    Run({Op::create, 1, 1});
    // Pane 1's container leaves the tree: docking next to pane 1 has nowhere to go.
    CUTKDockingPaneBase* tabbed = m_manager->FindPane(1)->GetContainer();
    static_cast<CUTKDockingPaneSplitterContainer*>(m_manager->GetTopContainer())->RemovePane(tabbed);
    CUTKDockingPane* pane = m_manager->CreatePane(2, CRect(0, 0, 150, 100), 3,
                                                  m_manager->FindPane(1));
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->IsClosed());
    EXPECT_EQ(Tree(), "H(C)");
    m_manager->ShowPane(pane, TRUE);
    m_frame.Pump();
    EXPECT_FALSE(pane->IsClosed());
    EXPECT_EQ(Tree(), "V(H(C),T[2*])");
}

TEST_F(DockingOperationsTest, CloseKeptByTheOwnerLeavesThePane)
{
    Run({Op::create, 1, 1});
    CUTKDockingPane* pane = m_manager->FindPane(1);
    m_frame.m_closeAnswer = -1;
    m_manager->ClosePane(pane);
    EXPECT_FALSE(pane->IsClosed());
    m_frame.m_closeAnswer = 0;
    m_manager->ClosePane(pane);
    EXPECT_TRUE(pane->IsClosed());
    // Closed panes stay in the pane list, found by id.
    EXPECT_EQ(m_manager->FindPane(1), pane);
}

TEST_F(DockingOperationsTest, NextPaneWrapsAndSkipsDisabledPanes)
{
    Run({Op::create, 1, 1});
    Run({Op::create, 2, 1, 1});
    Run({Op::create, 3, 1, 2});
    CUTKDockingPane* first = m_manager->FindPane(1);
    CUTKDockingPane* second = m_manager->FindPane(2);
    CUTKDockingPane* third = m_manager->FindPane(3);
    second->SetEnabled(PaneActionsEnabled);
    struct Case {
        CUTKDockingPane* from;
        BOOL forward;
        CUTKDockingPane* focused;
    };
    const Case cases[] = {
        {first, TRUE, third},    // 2 is disabled
        {third, TRUE, first},    // wraps to the start
        {first, FALSE, third},   // backward wraps to the end
        {nullptr, TRUE, first},  // without a start: the first enabled pane
    };
    for (const Case& test : cases) {
        ASSERT_TRUE(m_manager->ActivateNextPane(test.from, test.forward));
        m_frame.Pump();
        EXPECT_TRUE(test.focused->HasFocus());
    }
    // A single enabled pane is activated again.
    third->SetEnabled(PaneActionsEnabled);
    ASSERT_TRUE(m_manager->ActivateNextPane(first, TRUE));
    m_frame.Pump();
    EXPECT_TRUE(first->HasFocus());
}

}  // namespace
