// Toolbars on a real frame under Xvfb, without a manager: toolbar 128's controls and groups,
// damaged and odd-sized resources, a control supplied by the frame, the frame's layout through
// WM_SIZEPARENT, the floating caption's buttons and sizing borders, WM_CLOSE, and the button
// states read back by WM_PRINTCLIENT in theme 0 and theme 3 (themed or classic by the run).
#include "tests/toolkit/commandbars/BarsHostFrame.h"

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/common/ThemeRun.h"
#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/window/CClientDC.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <memory>
#include <string>
#include <vector>

using orvane::test::DrawCanvas;

namespace {

std::unique_ptr<CBarsHostFrame> MakeHost(BOOL menuBar = TRUE, BOOL toolBar = TRUE)
{
    auto host = std::make_unique<CBarsHostFrame>();
    const RECT rc{40, 40, 640, 400};
    EXPECT_TRUE(host->CreateHost(rc, menuBar, toolBar));
    host->ShowWindow(SW_SHOWNA);
    CBarsHostFrame::Pump();
    return host;
}

void DestroyHost(std::unique_ptr<CBarsHostFrame>& host)
{
    if (host && host->GetSafeHwnd() != nullptr) {
        host->DestroyWindow();
    }
    CBarsHostFrame::Pump();
    host.reset();
}

CRect ChildRect(CWnd* child, CWnd* parent)
{
    CRect rc;
    child->GetWindowRect(&rc);
    parent->ScreenToClient(&rc);
    return rc;
}

// The ids of the controls the resource made (the bar's own temporary controls left out).
std::vector<UINT> ControlIds(CUTKCommandBar* bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar->GetControlCount(); ++i) {
        if (!bar->GetControl(i)->IsTemporary()) {
            ids.push_back(static_cast<UINT>(bar->GetControl(i)->GetID()));
        }
    }
    return ids;
}

std::string Text(const CRect& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
           std::to_string(rc.right) + "," + std::to_string(rc.bottom);
}

TEST(ToolBarResource, Toolbar128BuildsNineControlsInThreeGroups)
{
    auto host = MakeHost(FALSE, TRUE);
    CUTKToolBar* bar = host->m_pToolBar;
    const std::vector<UINT> expected{57600, 57601, 32793, 32795, 32869, 32874, 32786, 32834, 32854};
    EXPECT_EQ(ControlIds(bar), expected);
    for (int i = 0; i < bar->GetControlCount(); ++i) {
        const UINT id = static_cast<UINT>(bar->GetControl(i)->GetID());
        const BOOL group = id == 32869 || id == 32834 || id == 32854;
        EXPECT_EQ(bar->GetControl(i)->GetBeginGroup(), group) << id;
    }
    // The chevron is the bar's own: temporary, and hidden while everything fits (no manager,
    // so no room is reserved for it).
    CUTKControl* chevron = bar->GetControls()->FindControlById(CUTKToolBar::kExpandButtonId);
    ASSERT_NE(chevron, nullptr);
    EXPECT_TRUE(chevron->IsTemporary());
    EXPECT_FALSE(chevron->IsVisible());
    EXPECT_EQ(bar->GetBarID(), 128u);
    EXPECT_EQ(host->m_createdNotices, 9);
    ASSERT_NE(bar->GetControls()->GetOriginalControls(), nullptr);
    EXPECT_EQ(bar->GetControls()->GetOriginalControls()->GetCount(), 9);
    // 16 pixels wide: the icon size stays the default.
    EXPECT_EQ(bar->GetIconSizeField(), CSize(0, 0));
    DestroyHost(host);
}

TEST(ToolBarResource, IdZeroTruncatedAndMissingAnswerFalseAndLeaveNoControls)
{
    auto host = MakeHost(FALSE, TRUE);
    CUTKToolBar* bar = host->m_pToolBar;
    const UINT ids[] = {0, 129, 131, 999};
    for (UINT id : ids) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(bar->LoadToolBar(128, FALSE));
        EXPECT_FALSE(bar->LoadToolBar(id, FALSE));
        EXPECT_EQ(bar->GetControlCount(), 0);
    }
    DestroyHost(host);
}

TEST(ToolBarResource, OnlyAWidthOtherThan16SetsTheIconSize)
{
    auto host = MakeHost(FALSE, TRUE);
    CUTKToolBar* bar = host->m_pToolBar;
    ASSERT_TRUE(bar->LoadToolBar(145, TRUE));  // 16 by 15
    EXPECT_EQ(bar->GetIconSizeField(), CSize(0, 0));
    ASSERT_TRUE(bar->LoadToolBar(130, TRUE));  // 24 by 24
    EXPECT_EQ(bar->GetIconSizeField(), CSize(24, 24));
    EXPECT_EQ(bar->GetControlCount(), 2);
    EXPECT_TRUE(bar->GetControl(1)->GetBeginGroup());
    // Without icons the size is not touched.
    bar->SetIconSize(CSize(0, 0));
    ASSERT_TRUE(bar->LoadToolBar(130, FALSE));
    EXPECT_EQ(bar->GetIconSizeField(), CSize(0, 0));
    DestroyHost(host);
}

TEST(ToolBarResource, FrameSuppliedControlSitsUnderTheIdLeftInTheRecord)
{
    auto host = MakeHost(FALSE, TRUE);
    host->m_supplyId = 32793;
    host->m_supplyNewId = 40001;
    ASSERT_TRUE(host->m_pToolBar->LoadToolBar(128, FALSE));
    CUTKControl* third = host->m_pToolBar->GetControl(2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third, host->m_pSupplied);
    EXPECT_EQ(third->GetID(), 40001);
    EXPECT_EQ(host->m_pToolBar->GetControls()->FindControlById(32793), nullptr);
    EXPECT_EQ(host->m_pToolBar->GetControlCount(), 9);
    DestroyHost(host);
}

TEST(ToolBarReset, BackToTheLoadedButtonsOnlyForBuiltInBarsWithAnId)
{
    auto host = MakeHost(FALSE, TRUE);
    CUTKToolBar* bar = host->m_pToolBar;
    const std::vector<UINT> loaded = ControlIds(bar);
    bar->GetControls()->RemoveAt(0);
    bar->GetControls()->RemoveAt(0);
    const std::vector<UINT> changed = ControlIds(bar);
    ASSERT_EQ(changed.size(), loaded.size() - 2);
    EXPECT_TRUE(bar->IsCustomized());
    // Not built in, or without a bar id: nothing happens.
    bar->SetBuiltIn(FALSE);
    bar->Reset(FALSE);
    EXPECT_EQ(ControlIds(bar), changed);
    bar->SetBuiltIn(TRUE);
    bar->SetBarID(0);
    bar->Reset(FALSE);
    EXPECT_EQ(ControlIds(bar), changed);
    // Built in with its id: the snapshot's controls come back, and the site is told.
    bar->SetBarID(128);
    bar->Reset(FALSE);
    EXPECT_EQ(ControlIds(bar), loaded);
    EXPECT_TRUE(bar->GetControls()->FindControlById(32869)->GetBeginGroup());
    EXPECT_FALSE(bar->IsCustomized());
    DestroyHost(host);
}

TEST(ToolBarCustomize, AddOrRemoveListTogglesButtonsAndBringsBackRemovedOnes)
{
    auto host = MakeHost(FALSE, FALSE);
    auto* bars = new CUTKCommandBars;
    bars->SetSite(host.get());
    auto* bar = new CUTKToolBar;
    bar->SetCommandBars(bars);
    bar->SetBarPosition(utkBarTop);
    ASSERT_TRUE(bar->Create(host.get(), FALSE));
    ASSERT_TRUE(bar->LoadToolBar(128, FALSE));
    auto entriesOf = [&](CUTKCommandBar* popup) {
        std::vector<UINT> ids;
        for (int i = 0; i < popup->GetControlCount(); ++i) {
            ids.push_back(static_cast<UINT>(popup->GetControl(i)->GetID()));
        }
        return ids;
    };
    CUTKPopupBar* list = CUTKPopupBar::CreatePopupBar(bars);
    bar->BuildCustomizePopup(list);
    std::vector<UINT> expected = ControlIds(bar);
    expected.push_back(CUTKToolBar::kResetId);
    EXPECT_EQ(entriesOf(list), expected);
    EXPECT_TRUE(list->GetControl(list->GetControlCount() - 1)->GetBeginGroup());
    CUTKControl* first = list->GetControl(0);
    EXPECT_TRUE(first->GetChecked());
    EXPECT_TRUE(first->GetEnabled());
    // Unticking hides the button (hide flag 0x10), ticking shows it again.
    first->OnExecute();
    EXPECT_NE(bar->GetControl(0)->GetHideFlags() & 0x10, 0u);
    EXPECT_FALSE(first->GetChecked());
    first->OnExecute();
    EXPECT_EQ(bar->GetControl(0)->GetHideFlags() & 0x10, 0u);
    list->InternalRelease();

    // A button removed from the bar comes back from the snapshot, hidden and unticked.
    bar->GetControls()->Remove(bar->GetControls()->FindControlById(32874));
    ASSERT_EQ(bar->GetControls()->FindControlById(32874), nullptr);
    list = CUTKPopupBar::CreatePopupBar(bars);
    bar->BuildCustomizePopup(list);
    CUTKControl* back = bar->GetControls()->FindControlById(32874);
    ASSERT_NE(back, nullptr);
    EXPECT_NE(back->GetHideFlags() & 0x10, 0u);
    CUTKControl* entry = list->GetControls()->FindControlById(32874);
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->GetChecked());
    list->InternalRelease();
    bar->DestroyWindow();
    bar->InternalRelease();
    bars->InternalRelease();
    DestroyHost(host);
}

TEST(ToolBarLayout, BarsTakeTheTopOfTheFrameThroughSizeParent)
{
    auto host = MakeHost();
    CRect client;
    host->GetClientRect(&client);
    const CRect menu = ChildRect(host->m_pMenuBar, host.get());
    const CRect tool = ChildRect(host->m_pToolBar, host.get());
    EXPECT_EQ(::GetMenu(host->GetSafeHwnd()), nullptr);
    EXPECT_EQ(menu.top, 0);
    EXPECT_GT(menu.Height(), 10);
    EXPECT_EQ(menu.Width(), client.Width());  // stretched (flag 0x40)
    EXPECT_EQ(tool.top, menu.bottom);
    EXPECT_GT(tool.Height(), 16);
    EXPECT_LE(tool.Width(), client.Width());
    // A query moves nothing and reports the height the bars take.
    CRect rest;
    host->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rest, nullptr, TRUE);
    EXPECT_EQ(rest.top, tool.bottom);
    // Hiding the toolbar gives its room back.
    host->m_pToolBar->SetVisible(FALSE);
    EXPECT_FALSE(host->m_pToolBar->IsWindowVisible());
    host->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rest, nullptr, TRUE);
    EXPECT_EQ(rest.top, menu.bottom);
    DestroyHost(host);
}

TEST(ToolBarLayout, ANarrowFrameHidesButtonsBehindTheChevronWhichShowsThem)
{
    auto host = MakeHost(FALSE, TRUE);
    CUTKToolBar* bar = host->m_pToolBar;
    host->MoveWindow(40, 40, 140, 200);
    host->RecalcLayout();
    CBarsHostFrame::Pump();
    ASSERT_TRUE(bar->IsControlsHidden());
    auto* chevron = dynamic_cast<CUTKToolBar::CControlButtonExpand*>(
        bar->GetControls()->FindControlById(CUTKToolBar::kExpandButtonId));
    ASSERT_NE(chevron, nullptr);
    EXPECT_TRUE(chevron->IsVisible());
    EXPECT_TRUE(chevron->HasHiddenControls());
    CRect client;
    bar->GetClientRect(&client);
    EXPECT_LE(chevron->GetRect().right, client.right);
    EXPECT_GE(chevron->GetRect().Width(), CUTKToolBar::kExpandReserve - 1);
    int hidden = 0;
    for (int i = 0; i < bar->GetControlCount(); ++i) {
        hidden += bar->GetControl(i)->GetHideFlags() == 0x02;
    }
    ASSERT_GT(hidden, 0);
    // Opening the chevron shows a popup toolbar with the buttons that did not fit.
    ASSERT_TRUE(bar->SetPopuped(chevron->GetIndex(), FALSE));
    CBarsHostFrame::Pump();
    CUTKCommandBar* popup = chevron->m_commandBar;
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->IsKindOf(RUNTIME_CLASS(CUTKPopupToolBar)));
    EXPECT_EQ(popup->GetControlCount(), hidden);
    EXPECT_TRUE(popup->IsWindowVisible());
    bar->SetTrackingMode(FALSE, TRUE, FALSE);
    CBarsHostFrame::Pump();
    EXPECT_EQ(popup->GetSafeHwnd(), nullptr);
    DestroyHost(host);
}

TEST(ToolBarFloating, CaptionButtonsOfTheFortyAndThirtyPixelCases)
{
    CRect hide;
    CRect expand;
    CUTKToolBar::CalcCaptionButtons(40, 14, TRUE, TRUE, hide, expand);
    EXPECT_EQ(hide, CRect(23, 3, 37, 17));
    EXPECT_EQ(expand, CRect(9, 3, 23, 17));
    CUTKToolBar::CalcCaptionButtons(30, 14, TRUE, TRUE, hide, expand);
    EXPECT_EQ(hide, CRect(13, 3, 27, 17));
    EXPECT_TRUE(expand.IsRectEmpty());
    CUTKToolBar::CalcCaptionButtons(40, 14, FALSE, TRUE, hide, expand);
    EXPECT_TRUE(hide.IsRectEmpty());
    EXPECT_EQ(expand, CRect(23, 3, 37, 17));
}

class FloatingBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = MakeHost(FALSE, FALSE);
        bar = new CUTKToolBar;
        bar->SetTitle(L"Floating");
        bar->SetBarPosition(utkBarFloating);
        ASSERT_TRUE(bar->Create(host.get(), TRUE));
        ASSERT_TRUE(bar->LoadToolBar(128, TRUE));
        bar->OnRecalcLayout();
        CBarsHostFrame::Pump();
    }
    void TearDown() override
    {
        if (bar->GetSafeHwnd() != nullptr) {
            bar->DestroyWindow();
        }
        bar->InternalRelease();
        DestroyHost(host);
    }
    std::unique_ptr<CBarsHostFrame> host;
    CUTKToolBar* bar = nullptr;
};

TEST_F(FloatingBar, OwnedPopupWithItsHideButtonInTheCaption)
{
    EXPECT_NE(bar->GetStyle() & WS_POPUP, 0u);
    EXPECT_EQ(bar->GetStyle() & WS_CHILD, 0u);
    EXPECT_NE(bar->GetStyle() & MFS_SYNCACTIVE, 0u);
    EXPECT_EQ(::GetWindow(bar->GetSafeHwnd(), GW_OWNER), host->GetSafeHwnd());
    CRect window;
    bar->GetWindowRect(&window);
    CUTKControl* hide = bar->GetControls()->FindControlById(CUTKToolBar::kHideButtonId);
    ASSERT_NE(hide, nullptr);
    EXPECT_TRUE(hide->IsTemporary());
    CClientDC dc(bar);
    const int caption = bar->GetPaintManager()->DrawCommandBarGripper(&dc, bar, FALSE).cy;
    EXPECT_GT(caption, 8);
    const CRect expected(window.Width() - 3 - caption, 3, window.Width() - 3, caption + 3);
    EXPECT_EQ(Text(hide->GetRect()), Text(expected));
    // Without a manager there is no chevron.
    EXPECT_EQ(bar->GetControls()->FindControlById(CUTKToolBar::kExpandButtonId), nullptr);
    // Executing the hide button hides the bar.
    hide->OnExecute();
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_FALSE(bar->IsWindowVisible());
}

TEST_F(FloatingBar, SizingBordersTopFirstAndNoCorners)
{
    CRect w;
    bar->GetWindowRect(&w);
    struct Case {
        POINT pt;
        LRESULT hit;
    } cases[] = {
        {{w.left + 2, w.top + 2}, HTTOP},
        {{w.right - 1, w.top}, HTTOP},
        {{w.left + 2, w.bottom - 1}, HTBOTTOM},
        {{w.left, w.top + w.Height() / 2}, HTLEFT},
        {{w.right - 2, w.top + w.Height() / 2}, HTRIGHT},
        {{w.left + w.Width() / 2, w.top + w.Height() / 2}, HTCLIENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pt.x - w.left << "," << c.pt.y - w.top);
        EXPECT_EQ(bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(c.pt.x, c.pt.y)), c.hit);
    }
}

TEST_F(FloatingBar, CloseIsIgnored)
{
    bar->SendMessage(WM_CLOSE);
    CBarsHostFrame::Pump();
    EXPECT_TRUE(::IsWindow(bar->GetSafeHwnd()));
    EXPECT_TRUE(bar->IsWindowVisible());
}

TEST_F(FloatingBar, FloatStatusShowsHidesEnablesAndAnswersSyncActive)
{
    EXPECT_EQ(bar->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 1);
    EXPECT_EQ(bar->SendMessage(WM_FLOATSTATUS, FS_HIDE), 0);
    EXPECT_FALSE(bar->IsWindowVisible());
    bar->SendMessage(WM_FLOATSTATUS, FS_SHOW);
    EXPECT_TRUE(bar->IsWindowVisible());
    bar->SendMessage(WM_FLOATSTATUS, FS_DISABLE);
    EXPECT_FALSE(bar->IsWindowEnabled());
    bar->SendMessage(WM_FLOATSTATUS, FS_ENABLE);
    EXPECT_TRUE(bar->IsWindowEnabled());
    // A bar the user hid stays as it is.
    bar->SetVisible(FALSE);
    bar->SendMessage(WM_FLOATSTATUS, FS_SHOW);
    EXPECT_FALSE(bar->IsWindowVisible());
    // Floating bars never take the activation from the frame.
    EXPECT_EQ(bar->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(host->GetSafeHwnd()),
                               MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
}

// ---- button states by WM_PRINTCLIENT ----

struct Shot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

Shot Print(CWnd* wnd)
{
    CRect client;
    wnd->GetClientRect(&client);
    DrawCanvas canvas(client.Width(), client.Height(), RGB(255, 0, 255));
    wnd->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.hdc()), PRF_CLIENT);
    Shot shot;
    shot.width = client.Width();
    shot.height = client.Height();
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            shot.pixels.push_back(canvas.At(x, y));
        }
    }
    return shot;
}

int DifferingPixels(const Shot& a, const Shot& b, const CRect& rc)
{
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            count += a.At(x, y) != b.At(x, y);
        }
    }
    return count;
}

class ButtonStates : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        CUTKPaintManager::SetTheme(GetParam());
        host = MakeHost(FALSE, TRUE);
        bar = host->m_pToolBar;
        bar->SetFlags(bar->GetFlags() | utkFlagStretched);
        host->RecalcLayout();
        host->Idle();
        CBarsHostFrame::Pump();
    }
    void TearDown() override
    {
        DestroyHost(host);
        CUTKPaintManager::SetTheme(0);
    }
    CRect RectOf(UINT id) const
    {
        return bar->GetControls()->FindControlById(static_cast<int>(id))->GetRect();
    }
    std::unique_ptr<CBarsHostFrame> host;
    CUTKToolBar* bar = nullptr;
};

TEST_P(ButtonStates, HotPressedCheckedAndDisabledDifferFromNormal)
{
    const UINT probe = 32874;
    const CRect rc = RectOf(probe);
    ASSERT_FALSE(rc.IsRectEmpty());
    const Shot normal = Print(bar);
    // Nothing outside the bar's background was left unpainted.
    EXPECT_NE(normal.At(rc.left + 1, rc.top + 1), RGB(255, 0, 255));

    CUTKControl* control = bar->GetControls()->FindControlById(static_cast<int>(probe));
    bar->SetSelected(control->GetIndex(), utkSelectMouse);
    const Shot hot = Print(bar);
    EXPECT_GT(DifferingPixels(normal, hot, rc), 10) << "hot";

    control->SetPressed(utkPressedMouse);
    const Shot pressed = Print(bar);
    EXPECT_GT(DifferingPixels(normal, pressed, rc), 10) << "pressed";
    control->SetPressed(utkPressedNone);
    bar->SetSelected(-1, utkSelectMouse);
    EXPECT_EQ(DifferingPixels(normal, Print(bar), rc), 0) << "back to normal";

    host->m_checkedId = probe;
    host->Idle();
    EXPECT_TRUE(control->GetChecked());
    const Shot checked = Print(bar);
    EXPECT_GT(DifferingPixels(normal, checked, rc), 10) << "checked";

    host->m_checkedId = 0;
    host->m_disabledId = probe;
    host->Idle();
    EXPECT_FALSE(control->GetEnabled());
    const Shot disabled = Print(bar);
    EXPECT_GT(DifferingPixels(normal, disabled, rc), 10) << "disabled";
    // The other buttons are untouched.
    const CRect other = RectOf(57600);
    EXPECT_EQ(DifferingPixels(normal, disabled, other), 0);
}

TEST_P(ButtonStates, MenuBarUnderlinesFollowTheKeyboardCues)
{
    auto withMenu = MakeHost(TRUE, FALSE);
    CUTKMenuBar* menuBar = withMenu->m_pMenuBar;
    CUTKPaintManager* paint = menuBar->GetPaintManager();
    const int saved = paint->m_nShowKeyboardCues;
    paint->m_nShowKeyboardCues = 1;
    const Shot shown = Print(menuBar);
    paint->m_nShowKeyboardCues = 0;
    const Shot hidden = Print(menuBar);
    paint->m_nShowKeyboardCues = saved;
    // "&File": only the underline under the F differs, inside the caption's rectangle.
    const CRect file = menuBar->GetControl(0)->GetRect();
    const int inside = DifferingPixels(shown, hidden, file);
    EXPECT_GE(inside, 3);
    EXPECT_LT(inside, file.Width());
    const CRect all(0, 0, shown.width, shown.height);
    EXPECT_GE(DifferingPixels(shown, hidden, all), 6 * 3);  // one per caption of menu 128
    DestroyHost(withMenu);
}

INSTANTIATE_TEST_SUITE_P(Themes, ButtonStates, ::testing::Values(0, 3));

} // namespace
