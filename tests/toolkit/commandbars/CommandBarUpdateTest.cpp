// Command bar base at a framework site: the command-UI update routed to the site (handlers,
// disable-if-no-handler with and without command bars, the bar's catch-all request, manual
// controls, customisation mode), status texts, tooltips, grid moves and popups that refuse.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/toolkit/commandbars/CommandBarTestBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

using bartest::TestBar;

namespace {

// A framework window with update handlers: 201 is checked, 202 has only a command handler,
// 203 has none.
class UpdateSite : public CWnd {
public:
    int m_updates = 0;
    void OnUpdatePlay(CCmdUI* pCmdUI)
    {
        ++m_updates;
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(1);
    }
    void OnStop() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdateSite, CWnd)
    ON_UPDATE_COMMAND_UI(201, OnUpdatePlay)
    ON_COMMAND(202, OnStop)
END_MESSAGE_MAP()

// A bar that answers the catch-all request for every control when asked to.
class CatchAllBar : public TestBar {
public:
    BOOL m_catchAll = FALSE;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_catchAll && nID == 0 && nCode == kCatchAllUpdateCode && pExtra != nullptr) {
            static_cast<CCmdUI*>(pExtra)->SetText(L"All");
            return TRUE;
        }
        return TestBar::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

struct UpdateFixture : ::testing::Test {
    UpdateSite site;
    CatchAllBar* bar = new CatchAllBar();
    void SetUp() override
    {
        site.CreateEx(0, AfxRegisterWndClass(0), L"update site", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                      40, 400, 300, nullptr, nullptr);
        ASSERT_TRUE(bartest::CreateBarWindow(bar, site.GetSafeHwnd(), CRect(100, 100, 300, 130)));
        bar->AddButtons({L"&Play", L"&Stop", L"&Eject"}, 201);
    }
    void TearDown() override
    {
        bar->DestroyWindow();
        bar->InternalRelease();
        site.DestroyWindow();
    }
    void Idle() { ::SendMessageW(bar->GetSafeHwnd(), WM_IDLEUPDATECMDUI, TRUE, 0); }
};

} // namespace

TEST_F(UpdateFixture, HandlersRunAndUnhandledCommandsStayWithoutCommandBars)
{
    Idle();
    EXPECT_EQ(site.m_updates, 1);
    EXPECT_TRUE(bar->GetControl(0)->GetChecked());
    EXPECT_TRUE(bar->GetControl(1)->GetEnabled());
    EXPECT_TRUE(bar->GetControl(2)->GetEnabled()) << "without command bars nothing is disabled";
}

TEST_F(UpdateFixture, CommandBarsDisableWhatNobodyHandles)
{
    CUTKCommandBars* owner = new CUTKCommandBars();
    bar->SetCommandBars(owner);
    Idle();
    EXPECT_TRUE(bar->GetControl(0)->GetEnabled());
    EXPECT_TRUE(bar->GetControl(1)->GetEnabled()) << "a command handler is enough";
    EXPECT_FALSE(bar->GetControl(2)->GetEnabled());
    // A manual control is left out of the pass; the option switches the rule off.
    bar->GetControl(2)->SetEnabled(TRUE);
    bar->GetControl(2)->SetFlags(bar->GetControl(2)->GetFlags() | 0x8);
    Idle();
    EXPECT_TRUE(bar->GetControl(2)->GetEnabled());
    bar->GetControl(2)->SetFlags(0);
    owner->GetCommandBarsOptions()->bDisableCommandIfNoHandler = FALSE;
    Idle();
    EXPECT_TRUE(bar->GetControl(2)->GetEnabled());
    // In customisation mode an unhandled control with its own state is enabled.
    owner->GetCommandBarsOptions()->bDisableCommandIfNoHandler = TRUE;
    Idle();
    ASSERT_FALSE(bar->GetControl(2)->GetEnabled());
    owner->SetCustomizeMode(TRUE);
    Idle();
    EXPECT_TRUE(bar->GetControl(2)->GetEnabled());
    owner->SetCustomizeMode(FALSE);
    bar->SetCommandBars(nullptr);
    owner->InternalRelease();
}

TEST_F(UpdateFixture, CatchAllRequestAndHiddenWindow)
{
    bar->m_catchAll = TRUE;
    Idle();
    EXPECT_EQ(site.m_updates, 0) << "the bar answered for every control";
    EXPECT_EQ(bar->GetControl(0)->GetCaption(), CString(L"All"));
    bar->m_catchAll = FALSE;
    bar->ShowWindow(SW_HIDE);
    Idle();
    EXPECT_EQ(site.m_updates, 0) << "no update without a visible window";
}

TEST_F(UpdateFixture, PendingWorkIsDoneAtIdle)
{
    bar->OnControlsChanged();
    bar->DelayRedraw();
    ::ValidateRect(bar->GetSafeHwnd(), nullptr);
    Idle();
    EXPECT_EQ(bar->GetPending(), 0u);
    EXPECT_TRUE(::GetUpdateRect(bar->GetSafeHwnd(), nullptr, FALSE));
}

TEST(CommandBarStatus, SelectionShowsTheDescription)
{
    bartest::Site site;
    TestBar* bar = new TestBar();
    ASSERT_TRUE(bartest::CreateBarWindow(bar, site.m_window, CRect(100, 100, 300, 130)));
    bar->AddButtons({L"&Open", L"&Play"});
    bar->GetControl(0)->SetDescription(L"Opens a presentation");
    bar->SetSelected(0, utkSelectMouse);
    bar->SetSelected(1, utkSelectMouse);
    bar->SetSelected(-1, utkSelectMouse);
    const std::vector<std::wstring> want = {L"Opens a presentation", L"", L"", L""};
    EXPECT_EQ(site.m_messages, want);
    // Status-bar descriptions can be switched off in the options.
    CUTKCommandBars* owner = new CUTKCommandBars();
    owner->GetCommandBarsOptions()->bStatusBarDescriptions = FALSE;
    bar->SetCommandBars(owner);
    bar->SetSelected(0, utkSelectMouse);
    EXPECT_EQ(site.m_messages.size(), want.size());
    bar->SetCommandBars(nullptr);
    owner->InternalRelease();
    bar->DestroyWindow();
    bar->InternalRelease();
}

TEST(CommandBarToolTips, TextShortcutAndMarkup)
{
    bartest::Site site;
    TestBar* bar = new TestBar();
    ASSERT_TRUE(bartest::CreateBarWindow(bar, site.m_window, CRect(100, 100, 300, 130)));
    bar->AddButtons({L"&Open", L"&Play", L"&Stop"});
    bar->GetControl(0)->SetTooltip(L"Open");
    bar->GetControl(0)->SetShortcutText(L"Ctrl+O");
    bar->GetControl(1)->SetTooltip(L"<b>Play</b>");
    bar->GetControl(1)->SetShortcutText(L"F5");
    auto tipAt = [&](int x, std::wstring& text) {
        TOOLINFO ti{};
        ti.cbSize = sizeof(ti);
        const INT_PTR hit = bar->OnToolHitTest(CPoint(x, 10), &ti);
        text = ti.lpszText != nullptr ? ti.lpszText : L"";
        std::free(ti.lpszText);
        return hit;
    };
    std::wstring text;
    EXPECT_EQ(tipAt(10, text), 100);
    EXPECT_EQ(text, L"Open") << "no shortcut without the option";
    EXPECT_EQ(tipAt(90, text), -1) << "an empty tooltip gives no tool";
    EXPECT_EQ(tipAt(180, text), -1) << "no control";

    CUTKCommandBars* owner = new CUTKCommandBars();
    bar->SetCommandBars(owner);
    owner->GetCommandBarsOptions()->bToolBarAccelTips = TRUE;
    EXPECT_EQ(tipAt(10, text), 100);
    EXPECT_EQ(text, L"Open (Ctrl+O)");
    EXPECT_EQ(tipAt(50, text), 101);
    EXPECT_EQ(text, L"<b>Play</b>") << "markup gets no suffix";
    owner->GetCommandBarsOptions()->bToolBarScreenTips = FALSE;
    EXPECT_EQ(tipAt(10, text), -1);
    owner->GetCommandBarsOptions()->bToolBarScreenTips = TRUE;
    // Popup bars show tips only for controls that ask for them.
    bar->SetType(utkBarTypePopup);
    EXPECT_EQ(tipAt(10, text), -1);
    bar->GetControl(0)->SetFlags(0x40);
    EXPECT_EQ(tipAt(10, text), 100);
    bar->SetCommandBars(nullptr);
    owner->InternalRelease();
    bar->DestroyWindow();
    bar->InternalRelease();
}

TEST(CommandBarGrid, UpAndDownMoveBetweenRowsOfAFloatingBar)
{
    bartest::Site site;
    TestBar* bar = new TestBar();
    ASSERT_TRUE(bartest::CreateBarWindow(bar, site.m_window, CRect(100, 100, 300, 160)));
    bar->SetPosition(utkBarFloating);
    // Row one: 0..40, 40..80, 80..120; row two: 0..60, 60..120.
    const CRect rects[] = {{0, 0, 40, 22}, {40, 0, 80, 22}, {80, 0, 120, 22}, {0, 22, 60, 44}, {60, 22, 120, 44}};
    for (int i = 0; i < 5; ++i) {
        CUTKControl* c = bar->GetControls()->Add(1, 300 + i);
        c->SetCaption(L"B");
        c->SetRect(rects[i]);
    }
    struct Case {
        int from, code, want;
    } cases[] = {
        {1, utkKeyExpand, 3},    // down: greatest left not right of 40 -> 0..60
        {2, utkKeyExpand, 4},    // down from 80: 60..120
        {4, utkKeyCollapse, 2},  // up from 60: smallest left not left of 60 -> 80
        {3, utkKeyCollapse, 0},  // up from 0: 0
        {-1, utkKeyExpand, 0},   // nothing hot: the first in the walking direction
    };
    for (const Case& c : cases) {
        bar->SetSelected(c.from, utkSelectKeyboard);
        EXPECT_TRUE(bar->ProcessSpecialKey(c.code));
        EXPECT_EQ(bar->GetSelectedIndex(), c.want) << c.from << "/" << c.code;
    }
    bar->DestroyWindow();
    bar->InternalRelease();
}

TEST(CommandBarPopups, DisabledOrRefusingPopupsDoNotOpen)
{
    bartest::Site site;
    TestBar* bar = new TestBar();
    ASSERT_TRUE(bartest::CreateBarWindow(bar, site.m_window, CRect(100, 100, 300, 130)));
    bar->AddButtons({L"&Open", L"&Recent"});
    CUTKControl* popup = bar->GetControl(1);
    popup->SetEnabled(FALSE);
    EXPECT_FALSE(bar->SetPopuped(1));
    EXPECT_EQ(bar->GetTrackingMode(), 0) << "tracking stays as it was";
    EXPECT_EQ(bar->GetPopupedIndex(), -1);
    popup->SetEnabled(TRUE);
    EXPECT_FALSE(bar->SetPopuped(1)) << "a button has no popup to open";
    EXPECT_EQ(bar->GetPopupedIndex(), -1);
    EXPECT_FALSE(bar->SetPopuped(7));
    EXPECT_FALSE(bar->SetPopuped(-1)) << "none open";
    bar->SetTrackingMode(0, TRUE, FALSE);
    bar->DestroyWindow();
    bar->InternalRelease();
}

TEST(CommandBarMouse, RightButtonReleaseGoesToTheSiteThenToTheRootBar)
{
    bartest::Site site;
    TestBar* root = new TestBar();
    TestBar* child = new TestBar();
    child->m_parentBar = root;
    ASSERT_TRUE(bartest::CreateBarWindow(root, site.m_window, CRect(100, 100, 300, 130)));
    ASSERT_TRUE(bartest::CreateBarWindow(child, site.m_window, CRect(100, 140, 300, 170)));
    child->AddButtons({L"&Open"});
    ::SendMessageW(child->GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(site.m_rbuttonUps, 1);
    ASSERT_EQ(root->m_rbuttonUpFrom.size(), 1u) << "unhandled: the root bar hears of it";
    EXPECT_EQ(root->m_rbuttonUpFrom[0], child);
    site.m_rbuttonUpAnswer = 1;
    ::SendMessageW(child->GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(site.m_rbuttonUps, 2);
    EXPECT_EQ(root->m_rbuttonUpFrom.size(), 1u) << "the site took it";
    // Over no control the site is not asked; the root still hears of it.
    ::SendMessageW(child->GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(150, 10));
    EXPECT_EQ(site.m_rbuttonUps, 2);
    EXPECT_EQ(root->m_rbuttonUpFrom.size(), 2u);
    child->DestroyWindow();
    child->InternalRelease();
    root->DestroyWindow();
    root->InternalRelease();
}

TEST(CommandBarToolTips, TheWindowSharesTheCommandBarsContext)
{
    bartest::Site site;
    CUTKCommandBars* owner = new CUTKCommandBars();
    CUTKToolTipContext* context = owner->GetToolTipContext();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->GetToolTipStyle() & TTS_NOPREFIX, 0u) << "tips lose their ampersands";
    TestBar* bar = new TestBar();
    bar->SetCommandBars(owner);
    ASSERT_TRUE(bartest::CreateBarWindow(bar, site.m_window, CRect(100, 100, 300, 130)));
    EXPECT_EQ(bar->GetToolTipContext(), context);
    EXPECT_EQ(context->m_dwRef, 2);
    bar->DestroyWindow();
    bar->InternalRelease();
    EXPECT_EQ(context->m_dwRef, 1);
    owner->InternalRelease();
}
