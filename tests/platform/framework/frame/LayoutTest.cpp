// Bar layout through WM_SIZEPARENT: bars take their edges, the view the rest, after every
// resize; queries move nothing; delayed layout runs on the idle pass; toolbar buttons from
// the resource are updated from the command handlers.
#include "tests/platform/framework/frame/FrameTestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CRect ChildRect(CWnd* child, CWnd* parent)
{
    CRect rect;
    child->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    return rect;
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallTemplate();
        ASSERT_TRUE(TheApp().OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr));
        frame = dynamic_cast<TestFrame*>(TheApp().m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        PumpPending();
    }
    void TearDown() override { CloseEverything(); }

    // Checks toolbar on top, status bar at the bottom, view in between.
    void ExpectLayout()
    {
        CRect client;
        frame->GetClientRect(&client);
        const CRect tool = ChildRect(&frame->m_wndToolBar, frame);
        const CRect status = ChildRect(&frame->m_wndStatusBar, frame);
        const CRect view = ChildRect(frame->GetActiveView(), frame);
        const CSize toolSize = frame->m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
        EXPECT_EQ(tool, CRect(0, 0, client.right, toolSize.cy));
        EXPECT_EQ(status.bottom, client.bottom);
        EXPECT_EQ(status.Width(), client.Width());
        EXPECT_GT(status.Height(), 0);
        EXPECT_EQ(view, CRect(0, tool.bottom, client.right, status.top));
    }

    TestFrame* frame = nullptr;
};

TEST_F(LayoutTest, BarsAndViewShareTheClientAreaAfterEachResize)
{
    const SIZE sizes[] = {{500, 400}, {640, 480}, {320, 260}};
    for (const SIZE& size : sizes) {
        frame->MoveWindow(20, 20, size.cx, size.cy);
        PumpPending();
        ExpectLayout();
        EXPECT_FALSE(frame->m_bInRecalcLayout);
    }
}

TEST_F(LayoutTest, HiddenBarGivesItsRoomToTheView)
{
    frame->MoveWindow(20, 20, 500, 400);
    frame->m_wndToolBar.ShowWindow(SW_HIDE);
    frame->RecalcLayout();
    EXPECT_EQ(ChildRect(frame->GetActiveView(), frame).top, 0);
    frame->m_wndToolBar.ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    ExpectLayout();
}

TEST_F(LayoutTest, QueryReportsTheRestWithoutMovingAnything)
{
    frame->MoveWindow(20, 20, 500, 400);
    PumpPending();
    const CRect viewBefore = ChildRect(frame->GetActiveView(), frame);
    const CRect toolBefore = ChildRect(&frame->m_wndToolBar, frame);
    CRect smaller(0, 0, 200, 150);
    CRect rest;
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rest, &smaller);
    const int toolHeight = frame->m_wndToolBar.CalcFixedLayout(FALSE, TRUE).cy;
    EXPECT_EQ(rest.top, toolHeight);
    EXPECT_EQ(rest.right, 200);
    EXPECT_LT(rest.bottom, 150);
    EXPECT_EQ(ChildRect(frame->GetActiveView(), frame), viewBefore);
    EXPECT_EQ(ChildRect(&frame->m_wndToolBar, frame), toolBefore);

    // Unstretched query: the bars' total size.
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rest, &smaller,
                          FALSE);
    EXPECT_EQ(rest.left, 0);
    EXPECT_EQ(rest.top, 0);
    EXPECT_GE(rest.bottom, toolHeight);
}

TEST_F(LayoutTest, DelayedLayoutRunsOnTheIdlePass)
{
    frame->MoveWindow(20, 20, 500, 400);
    PumpPending();
    ::ShowWindow(frame->m_wndToolBar.m_hWnd, SW_HIDE);  // no layout yet
    frame->DelayRecalcLayout();
    EXPECT_EQ(frame->m_nIdleFlags & (CFrameWnd::idleLayout | CFrameWnd::idleNotify),
              static_cast<UINT>(CFrameWnd::idleLayout | CFrameWnd::idleNotify));
    EXPECT_GT(ChildRect(frame->GetActiveView(), frame).top, 0);
    TheApp().OnIdle(0);
    EXPECT_EQ(ChildRect(frame->GetActiveView(), frame).top, 0);
    EXPECT_EQ(frame->m_nIdleFlags, 0u);
}

TEST_F(LayoutTest, ToolbarButtonsComeFromTheResource)
{
    CToolBar& bar = frame->m_wndToolBar;
    ASSERT_EQ(bar.GetCount(), 5);
    struct Case {
        UINT id;
        int index;
    };
    const Case cases[] = {{ID_TOOL_ENABLED, 0}, {ID_TOOL_UNHANDLED, 1}, {ID_TOOL_CHECKED, 3},
                          {ID_DOC_COMMAND, 4},  {12345, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(bar.CommandToIndex(c.id), c.index) << c.id;
    }
    EXPECT_EQ(bar.GetItemID(2), 0u);
    EXPECT_NE(LOWORD(bar.GetButtonStyle(2)) & BTNS_SEP, 0);
    UINT id = 0;
    UINT style = 0;
    int image = -1;
    bar.GetButtonInfo(3, id, style, image);
    EXPECT_EQ(id, static_cast<UINT>(ID_TOOL_CHECKED));
    EXPECT_EQ(image, 2);  // separators take no image
    EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cx, 32767);
    const CSize fixed = bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_GT(fixed.cx, 4 * 16);
    EXPECT_GE(fixed.cy, 15 + 7);
}

TEST_F(LayoutTest, ToolbarResourceLayoutsAndBrokenOnes)
{
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(0, 0, 0, 0),
                             AFX_IDW_TOOLBAR + 1));
    EXPECT_EQ(bar.GetToolTips(), nullptr);  // no tips asked for
    EXPECT_FALSE(bar.LoadToolBar(IDR_BROKEN_TOOLBAR));
    EXPECT_FALSE(bar.LoadToolBar(999));
    EXPECT_EQ(bar.GetCount(), 0);
    // The 16-bit layout with its version word loads as well.
    ASSERT_TRUE(bar.LoadToolBar(IDR_WORD_TOOLBAR));
    EXPECT_EQ(bar.GetCount(), 3);
    EXPECT_EQ(bar.CommandToIndex(ID_DOC_COMMAND), 2);
    EXPECT_EQ(bar.GetItemID(1), 0u);
    bar.DestroyWindow();
}

TEST_F(LayoutTest, IdlePassUpdatesToolbarButtons)
{
    CToolBar& bar = frame->m_wndToolBar;
    TheApp().OnIdle(0);
    struct Case {
        UINT id;
        bool enabled;
        bool checked;
    };
    const Case cases[] = {
        {ID_TOOL_ENABLED, true, false},    // has a command handler
        {ID_TOOL_UNHANDLED, false, false}, // nobody handles it
        {ID_TOOL_CHECKED, true, true},     // update handler enables and checks
        {ID_DOC_COMMAND, true, true},
    };
    for (const Case& c : cases) {
        const int index = bar.CommandToIndex(c.id);
        ASSERT_GE(index, 0);
        const UINT state = HIWORD(bar.GetButtonStyle(index));
        EXPECT_EQ((state & TBSTATE_ENABLED) != 0, c.enabled) << c.id;
        EXPECT_EQ((state & TBSTATE_CHECKED) != 0, c.checked) << c.id;
    }
    // A button click reaches the route like a menu command.
    auto* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_DOC_COMMAND, BN_CLICKED),
                       reinterpret_cast<LPARAM>(bar.m_hWnd));
    EXPECT_EQ(doc->docCommands, 1);
}

TEST_F(LayoutTest, ButtonTipsComeFromThePromptStrings)
{
    struct Case {
        UINT id;
        const wchar_t* tip;
    };
    const Case cases[] = {{ID_DOC_COMMAND, L"Document command"},
                          {ID_TOOL_ENABLED, L"Enabled"},
                          {ID_TOOL_UNHANDLED, L""}};  // no string
    for (const Case& c : cases) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = frame->m_wndToolBar.m_hWnd;
        info.hdr.idFrom = c.id;
        info.hdr.code = TTN_NEEDTEXTW;
        frame->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(std::wstring(info.szText), c.tip) << c.id;
    }
    EXPECT_NE(frame->m_wndToolBar.GetToolTips(), nullptr);
    // The indicator pane shows its string.
    EXPECT_EQ(std::wstring(frame->m_wndStatusBar.GetPaneText(1)), L"Enabled tool");
}

// Keeps the test application on screen for a while when asked (for a screenshot).
TEST_F(LayoutTest, ShowForInspection)
{
    wchar_t value[32] = {};
    if (::GetEnvironmentVariableW(L"ORVANE_FRAME_DEMO_MS", value, 32) == 0) {
        GTEST_SKIP() << "set ORVANE_FRAME_DEMO_MS to keep the window up";
    }
    frame->MoveWindow(40, 40, 560, 380);
    static_cast<TestDoc*>(frame->GetActiveDocument())->text = L"frame, toolbar, view, status";
    frame->GetActiveView()->Invalidate();
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(_wtoi(value));
    while (::GetTickCount() < end) {
        TheApp().OnIdle(0);
        PumpPending();
        ::Sleep(20);
    }
}

}  // namespace
